// Texts and laid-out documents shared by the document benchmarks.
#pragma once

#include <memory>
#include <string>

#include "BenchCorpus.h"
#include "NullServices.h"
#include "document/EditLists.h"

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

}  // namespace vorna::bench
