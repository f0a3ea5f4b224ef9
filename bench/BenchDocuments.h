// Texts and laid-out documents shared by the document benchmarks.
#pragma once

#include <memory>
#include <string>

#include "Corpus.h"
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

// A text built from the corpus: `megabytes` MB, or 100 KB for 0. Empty when
// the corpus is absent. Built once per size.
inline const std::string& Text(size_t megabytes) {
  static std::string texts[128];
  std::string& text = texts[megabytes % 128];
  if (text.empty()) text = megabytes ? testing::CorpusText(megabytes << 20) : testing::CorpusText(100 << 10);
  return text;
}

// A document holding `text`, laid out at 40 cells.
inline std::unique_ptr<TEditList> LaidOut(const std::string& text) {
  auto list = std::make_unique<TEditList>(Files(), Messages());
  list->SetText(text);
  list->FCharsPerRow = 40;
  list->Relayout();
  return list;
}

}  // namespace vorna::bench
