// Texts and laid-out documents shared by the document benchmarks.
#pragma once

#include <memory>
#include <string>

#include "BenchCorpus.h"
#include "NullServices.h"
#include "document/EditLists.h"
#include "text/ShiftJis.h"

namespace vorna::bench {

inline testing::TNoFiles& Files() {
  static testing::TNoFiles files;
  return files;
}

inline testing::TNoMessages& Messages() {
  static testing::TNoMessages messages;
  return messages;
}

// A document holding `text`, laid out at 40 cells.
inline std::unique_ptr<TEditList> LaidOut(const std::string& text) {
  auto list = std::make_unique<TEditList>(Files(), Messages());
  list->SetText(text);
  list->SetWrapInputs({.CapacityCells = 40});
  list->Relayout();
  return list;
}

// The first 1 KB of `text` (several lines), cut at a character boundary and
// never between CR and LF: the paste of the editing benchmarks.
inline std::string KilobyteOf(const std::string& text) {
  size_t end = 0;
  while (end < text.size()) {
    const size_t next = end + (IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
    if (next > 1024) break;
    end = next;
  }
  if (end > 0 && text[end - 1] == '\r') --end;
  return text.substr(0, end);
}

}  // namespace vorna::bench
