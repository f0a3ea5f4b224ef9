// The document's lines: single-line primitives with their row-table hooks and
// the whole-text operations.
#include "document/EditLists.h"

#include <algorithm>

#include "layout/LineWraps.h"
#include "text/Cp932.h"
#include "text/TextLines.h"

namespace vorna {

const std::string& TEditList::NewDocumentName() {
  static const std::string name = "（新規文書）.txt";
  return name;
}

TEditList::TEditList(TFileService& files, TMessageBoxes& messages)
    : FFiles(files), FMessages(messages), FFileName(NewDocumentName()), FStyle(MakeDataItem<TEditorStyle>()) {
  FLayout = LayoutFromStyle(*FStyle);
  FEditSettings = EditSettingsFromStyle(*FStyle);
  FLines.PushBack({});
}

TEditList::~TEditList() {
  // Copied: an observer may remove itself while told.
  const std::vector<TLineObserver*> observers = FLineObservers;
  for (TLineObserver* observer : observers) observer->ListGone(*this);
}

void TEditList::AddLineObserver(TLineObserver* observer) {
  if (observer && std::find(FLineObservers.begin(), FLineObservers.end(), observer) == FLineObservers.end())
    FLineObservers.push_back(observer);
}

void TEditList::RemoveLineObserver(TLineObserver* observer) { std::erase(FLineObservers, observer); }

void TEditList::NotifyReplaced(int first, int removed, int inserted) {
  for (TLineObserver* observer : FLineObservers) observer->LinesReplaced(first, removed, inserted);
}

void TEditList::NotifyReset() {
  for (TLineObserver* observer : FLineObservers) observer->LinesReset();
}

std::vector<std::string> TEditList::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(Count()));
  FLines.ForEachLine([&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

void TEditList::Put(int index, std::string_view s) {
  if (index < 0 || index >= Count()) return;
  FLines.Put(index, s);
  LineChanged(index);
  NotifyReplaced(index, 1, 1);
  SetModified(true);
}

void TEditList::Insert(int index, std::string_view s) {
  if (index < 0 || index > Count()) return;
  FLines.Insert(index, s);
  if (!FLoading) {
    LineInserted(index);
    NotifyReplaced(index, 0, 1);
    SetModified(true);
  }
}

void TEditList::Add(std::string_view s) { Insert(Count(), s); }

void TEditList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  if (Count() == 1) {
    // The document always keeps one line: deleting the only one empties it.
    FLines.Put(0, {});
    LineChanged(0);
    NotifyReplaced(0, 1, 1);
  } else {
    FLines.Erase(index, 1);
    LineDeleted(index);
    NotifyReplaced(index, 1, 0);
  }
  SetModified(true);
}

void TEditList::InsertLines(int index, const std::vector<std::string>& lines) {
  if (index < 0 || index > Count() || lines.empty()) return;
  FLines.Insert(index, lines.begin(), lines.end());
  if (!FLoading) {
    LinesInserted(index, static_cast<int>(lines.size()));
    NotifyReplaced(index, 0, static_cast<int>(lines.size()));
    SetModified(true);
  }
}

void TEditList::DeleteLines(int first, int count) {
  first = std::max(first, 0);
  count = std::min(count, Count() - first);
  if (count <= 0) return;
  if (count == Count()) {
    // The document always keeps one line.
    DeleteLines(1, count - 1);
    Delete(0);
    return;
  }
  FLines.Erase(first, count);
  LinesDeleted(first, count);
  NotifyReplaced(first, count, 0);
  SetModified(true);
}

void TEditList::Clear() {
  // A document always holds at least one line, so clearing leaves one empty line.
  FLines.Clear();
  FLines.PushBack({});
  FRows.Clear();
  NotifyReset();
}

void TEditList::Exchange(int i, int j) {
  if (i < 0 || j < 0 || i >= Count() || j >= Count()) return;
  FLines.Swap(i, j);
  NotifyReplaced(i, 1, 1);
  NotifyReplaced(j, 1, 1);
}

void TEditList::NewDocument() {
  FLines.Clear();
  FRows.Clear();
  FLines.PushBack({});
  SetModified(false);
  FUntitled = true;
  FFormat = {};
  FMixedLineEnds = false;
  FLostCharacters = 0;
  FDiskIdentity.reset();
  SetFileName(NewDocumentName());
  NotifyReset();
  Fire(OnTextReset);
}

std::string TEditList::GetText() const {
  std::string text;
  text.reserve(FLines.TextBytes() + 2 * static_cast<size_t>(std::max(Count() - 1, 0)));
  bool first = true;
  FLines.ForEachLine([&](std::string_view line) {
    if (!first) text += "\r\n";
    text += line;
    first = false;
  });
  return text;
}

void TEditList::SetText(std::string_view text) {
  const bool endsWithLineEnd =
      text.size() >= 2 && text.substr(text.size() - 2) == "\r\n" && text.find('\0') == std::string_view::npos;
  TLineStore lines;
  for (const std::string& line : SplitLines(TextBeforeNul(text))) lines.PushBack(line);
  SetLines(std::move(lines), endsWithLineEnd);
}

void TEditList::SetLines(TLineStore&& lines, bool endsWithLineEnd, bool modified) {
  FLines = std::move(lines);
  FRows.Clear();
  if (FLines.Empty()) FLines.PushBack({});
  if (endsWithLineEnd) FLines.PushBack({});
  FLines.ShrinkToFit();
  FLoading = false;
  // Set before the reset: the slot's history takes the mark from it.
  SetModified(modified);
  NotifyReset();
  Fire(OnTextReset);
}

void TEditList::Assign(const std::vector<std::string>& lines) {
  FLines.Clear();
  for (const std::string& line : lines) FLines.PushBack(line);
  FRows.Clear();
  if (FLines.Empty()) FLines.PushBack({});
  SetModified(false);
  NotifyReset();
  Fire(OnTextReset);
}

void TEditList::SetFileName(const std::string& path) {
  if (path == FFileName) return;
  FFileName = path;
  Fire(OnFileNameChange);
}

void TEditList::SetModified(bool value) {
  if (FLoading || value == FModified) return;
  FModified = value;
  Fire(OnModified);
}

void TEditList::ApplyLayoutSettings(const TDocumentLayout& layout) {
  FNeedRelayout =
      !SameWrapping(FLayout, layout) || (layout.Wrap.ProportionalFont && layout.Wrap.ColumnCountAuto);
  FLayout = layout;
}

void TEditList::SetWrapInputs(const TWrapInputs& inputs) {
  if (!SameWrapInputs(FWrapInputs, inputs)) FNeedRelayout = true;
  FWrapInputs = inputs;
}

void TEditList::ApplyStyle(TEditorStyle* style) {
  if (!style) return;
  ApplyLayoutSettings(LayoutFromStyle(*style));
  FEditSettings = EditSettingsFromStyle(*style);
  FStyle->Assign(style);
}

bool TEditList::IsHeadingLine(int line) const {
  if (line < 0 || line >= Count()) return false;
  return IsHeadingText(FLines[line]);
}

bool TEditList::IsHeadingText(std::string_view text) const {
  if (text.empty()) return false;
  for (const auto& mark : FLayout.HeadingStrs)
    if (!mark.empty() && text.substr(0, mark.size()) == mark) return true;
  return false;
}

}  // namespace vorna
