// The find bar's operations on the view: the compiled search that colours
// the rows, stepping to the next or previous match with wrapping, replacing
// the selected match and replacing every match as one edit.
#include <algorithm>

#include "text/ShiftJis.h"
#include "view/EditorViews.h"

namespace vorna {
namespace {

// One character after `pos`: the next line's start after a line's end, the
// document's start after its end (`wrapped` then set).
TTextPos NextCharacter(const TEditList& list, TTextPos pos, bool& wrapped) {
  const std::string_view line = list.Get(pos.Y);
  if (pos.X <= static_cast<int>(line.size())) return {pos.X + std::max(CharLengthAt(line, pos.X), 1), pos.Y};
  if (pos.Y + 1 < list.Count()) return {1, pos.Y + 1};
  wrapped = true;
  return {1, 0};
}

}  // namespace

void TEditorView::SetSearch(std::shared_ptr<const TTextSearch> search) {
  if (!FFind.SetSearch(std::move(search))) return;
  InvalidateRowCache();
  Invalidate();
}

TSearchOptions TEditorView::SearchOptionsFor(TSearchOptions options) const {
  options.SkipRuby = FList && FList->Layout().Wrap.RubiVisible;
  options.SkipAnnotations = FList && FList->Layout().Wrap.FootNoteVisible;
  return options;
}

TViewFindResult TEditorView::FindWithSearch(bool forward, bool fromSelectionStart) {
  const TTextSearch* search = FFind.Search().get();
  if (!FList || !search || !search->CanMatch()) return {};
  TDisplayPos start, end;
  GetNormalizedSelection(start, end);
  const TTextPos from = DocPosOf(forward && !fromSelectionStart ? end : start);
  TFindResult found = FindMatch(*FList, *search, from, forward, true);
  // An empty match where the step began would be found again at once.
  if (found.Found && forward && !fromSelectionStart && found.Match.LengthBytes == 0 &&
      found.Match.Start == from) {
    bool wrapped = false;
    found = FindMatch(*FList, *search, NextCharacter(*FList, from, wrapped), true, true);
    found.Wrapped = found.Wrapped || wrapped;
  }
  if (!found.Found) return {};
  ClearSelection();
  FJumping = true;
  SelectFromTo(DisplayPosOf(found.Match.Start), DisplayPosOf(found.Match.End()), false);
  FJumping = false;
  return {true, found.Wrapped, found.Match};
}

TReplaceRefusal TEditorView::ReplaceRefusal(const TReplacement& replacement) const {
  const TTextSearch* search = FFind.Search().get();
  if (!FList || !search || !search->CanMatch()) return TReplaceRefusal::NoSearch;
  if (IsReadOnly()) return TReplaceRefusal::ReadOnly;
  if (!replacement.Ok()) return TReplaceRefusal::BadReplacement;
  return TReplaceRefusal::None;
}

TViewReplaceResult TEditorView::ReplaceCurrent(const TReplacement& replacement) {
  TViewReplaceResult out;
  out.Refusal = ReplaceRefusal(replacement);
  if (out.Refusal != TReplaceRefusal::None) return out;
  const TTextSearch* search = FFind.Search().get();
  TDisplayPos start, end;
  GetNormalizedSelection(start, end);
  const TTextPos a = DocPosOf(start), b = DocPosOf(end);
  const std::string line(FList->Get(a.Y));
  const auto match = FSel.Box || a.Y != b.Y ? std::nullopt : search->FindIn(line, a.X);
  if (!match || match->Start != a.X || match->End() != b.X) {
    // Not a match selected: the first press selects the next one.
    out.Next = FindWithSearch(true, true);
    return out;
  }
  const TLineReplacement replaced = ReplaceInLine(line, *search, replacement, a.X, b.X);
  if (search->Stopped()) {
    out.Refusal = TReplaceRefusal::Stopped;
    return out;
  }
  if (replaced.Count == 0) {
    out.Refusal = TReplaceRefusal::HiddenNotation;
    return out;
  }
  // Only the match changed: its new text sits where it began.
  const size_t kept = line.size() - static_cast<size_t>(b.X - a.X);
  const std::string text = replaced.Text.substr(static_cast<size_t>(a.X) - 1, replaced.Text.size() - kept);
  TReplaceRequest q;
  q.RangeStart = start;
  q.RangeEnd = end;
  q.InsertAt = start;
  q.OldCaret = FSel.Caret;
  q.Verbatim = true;  // the replacement as written: no indent or list number added after its line breaks
  q.Text = text;
  ReplaceText(q);
  out.Replaced = true;
  // The step to the next match is no jump of its own: one undo takes the
  // replacement back.
  if (FUndo) FUndo->Lock();
  out.Next = FindWithSearch(true);
  if (FUndo) FUndo->Unlock();
  return out;
}

TViewReplaceAllResult TEditorView::ReplaceAll(const TReplacement& replacement, bool inSelection) {
  TViewReplaceAllResult out;
  out.Refusal = ReplaceRefusal(replacement);
  if (out.Refusal != TReplaceRefusal::None) return out;
  const TTextSearch* search = FFind.Search().get();
  if (inSelection && (!FSel.Selecting || FSel.Box)) {
    out.Refusal = TReplaceRefusal::NoSelection;
    return out;
  }
  TDisplayPos start, end;
  GetNormalizedSelection(start, end);
  const TTextPos from = inSelection ? DocPosOf(start) : TTextPos{1, 0};
  const std::optional<TTextPos> to = inSelection ? std::optional(DocPosOf(end)) : std::nullopt;
  const TReplaceAllResult r = ReplaceAllMatches(*FList, *search, replacement, from, to);
  if (search->Stopped()) {
    out.Refusal = TReplaceRefusal::Stopped;
    return out;
  }
  out.Count = r.Count;
  out.Skipped = r.Skipped;
  if (r.FirstLine < 0) return out;

  const TTextPos caret = DocPosOf(FSel.Caret);
  const int linesBefore = FList->Count();
  const int lastLengthBefore = static_cast<int>(FList->Get(r.LastLine).size());
  // One edit of the changed lines, so one undo takes every replacement back.
  TReplaceRequest q;
  q.RangeStart = DisplayPosOf({1, r.FirstLine});
  q.RangeEnd = DisplayPosOf({lastLengthBefore + 1, r.LastLine});
  q.InsertAt = q.RangeStart;
  q.OldCaret = FSel.Caret;
  q.Verbatim = true;
  q.Text = r.Text;
  BeginPaintLock();
  ReplaceText(q);
  const int addedLines = FList->Count() - linesBefore;
  // The caret (or the selection) stays on its text, not moved as a jump of its own.
  if (FUndo) FUndo->Lock();
  if (inSelection) {
    // Bytes after the selection's end on its line are never replaced.
    TTextPos selEnd = *to;
    if (selEnd.Y == r.LastLine)
      selEnd.X += static_cast<int>(FList->Get(r.LastLine + addedLines).size()) - lastLengthBefore;
    selEnd.Y += addedLines;
    SelectFromTo(DisplayPosOf(from), DisplayPosOf(selEnd), false);
  } else {
    TTextPos at = caret;
    if (at.Y > r.LastLine) at.Y += addedLines;
    at.Y = std::clamp(at.Y, 0, FList->Count() - 1);
    at.X = std::min(at.X, static_cast<int>(FList->Get(at.Y).size()) + 1);
    SetCaretPos(DisplayPosOf(at), cmAbsolute, true);
  }
  if (FUndo) FUndo->Unlock();
  EndPaintLock(true);
  ScrollToCaret(csMinimal);
  return out;
}

}  // namespace vorna
