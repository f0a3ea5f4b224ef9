// The editor view under the mouse: pressing places the caret or arms a drag
// of the selection, moving with the button held extends the selection (whole
// lines from the line-number column), a double click selects a word or a
// line or opens a link, and a dragged selection is dropped as a move or a copy.
#include <algorithm>

#include "platform/Shell.h"
#include "platform/Timers.h"
#include "text/CharClasses.h"
#include "text/Links.h"
#include "view/EditorViews.h"
#include "view/LinkOpeners.h"

namespace vorna {
namespace {

bool InsideClient(TPoint p, const TRect& r) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// `p` after the stream range start .. end (document positions) was removed.
TTextPos AfterRemoval(TTextPos p, TTextPos start, TTextPos end) {
  if (p.Y < end.Y || (p.Y == end.Y && p.X < end.X)) return p;
  if (p.Y == end.Y) return {start.X + p.X - end.X, start.Y};
  return {p.X, p.Y - (end.Y - start.Y)};
}

}  // namespace

bool TEditorView::CanDrag() { return FPointer.DragPending && !IsReadOnly(); }

void TEditorView::MouseDownHook(TMouseButton button, TShiftState shift, int x, int y) {
  FShiftState = shift & (ssShift | ssAlt | ssCtrl);
  if (FPageFlip) {
    ScrollScreenPage(button == TMouseButton::Left);
    return;
  }
  if (button != TMouseButton::Left || !FList) return;
  const THitKind kind = HitTestKind({x, y});
  FPointer.PressPos = PointToPos({x, y});
  FPointer.DragPending = kind == hkSelection && !IsReadOnly() && !(shift & ssShift);
  FPointer.DragMoving = false;
  FPointer.LineDrag = kind == hkLineInfo;
  if (FPointer.DragPending) return;  // the selection stays for the drag; a release without one clears it
  FSel.Extending = (shift & ssShift) != 0;
  if (FSel.Extending && !FSel.Selecting) FSel.Box = (shift & ssAlt) != 0;
  SetCaretPos(FPointer.PressPos, cmAbsolute);
  FSel.Extending = false;
  FSel.Box = FSel.Selecting && FSel.Box;
  // Alt without Shift starts a box once the pointer moves.
  FPointer.BoxPending = (shift & ssAlt) != 0;
}

void TEditorView::FollowPointer(TPoint point) {
  if (!FList) return;
  const TDisplayPos at = PointToPos(point);
  if (FPointer.LineDrag) {
    // Whole rows: from the pressed row's start to the end of the row under the
    // pointer, or from the pressed row's end back to the start of that row.
    const int pressed = FPointer.PressPos.Row;
    if (at.Row >= pressed)
      SelectFromTo({1, pressed}, {FList->RowCellCount(at.Row) + 1, at.Row}, false);
    else
      SelectFromTo({FList->RowCellCount(pressed) + 1, pressed}, {1, at.Row}, false);
    return;
  }
  if (FPointer.DragMoving) {
    // Dragging the selection: the caret shows where it would go; the
    // selection itself stays.
    SetCaretPos(at, cmAbsolute);
    Host().SetCursorShape(IsSelected(FSel.Caret)   ? TCursorShape::NoDrop
                          : (FShiftState & ssCtrl) ? TCursorShape::Copy
                                                   : TCursorShape::Drag);
    return;
  }
  if (!FSel.Selecting) FSel.Box = FPointer.BoxPending;
  FSel.Extending = true;
  SetCaretPos(at, cmAbsolute);
  FSel.Extending = false;
}

void TEditorView::MouseMoveHook(TShiftState shift, int x, int y) {
  if (!FList) return;
  if (!FMousePressed || FPointer.DragPending) {
    if (FMousePressed) return;
    const THitKind kind = HitTestKind({x, y});
    Host().SetCursorShape(CursorForHit(kind));
    if (FLookupEnabled && kind == hkText) {
      const TTextPos at = DocPosOf(FPointer.HitPos);
      LaunchLookup(FSel.Selecting ? GetSelText() : WordAt(FList->Get(at.Y), at.X, wmSameClass), {x, y});
    }
    return;
  }
  FShiftState = shift & (ssShift | ssAlt | ssCtrl);
  FollowPointer({x, y});
  // Outside the window the view scrolls toward the pointer.
  TBaseView::DragOverHook(!InsideClient({x, y}, Host().ClientRect()));
}

void TEditorView::MouseUpHook(TMouseButton button, TShiftState shift, int x, int y) {
  (void)shift;
  if (button != TMouseButton::Left) return;
  if (FAutoScrollTimer) FAutoScrollTimer->Stop();
  if (FPointer.DragPending && !FPointer.DragMoving) {
    // Pressed on the selection and released without dragging.
    FPointer.DragPending = false;
    ClearSelection();
    SetCaretPos(FPointer.PressPos, cmAbsolute);
  } else if (FPointer.LineDrag && PointToPos({x, y}).Row == FPointer.PressPos.Row) {
    SelectUnit(tuRow);
  }
  FPointer.DragPending = FPointer.DragMoving = FPointer.LineDrag = FPointer.BoxPending = false;
  FSel.Extending = false;
}

void TEditorView::DragOverHook(bool outside) {
  if (FPointer.DragPending) FPointer.DragMoving = true;
  const TPoint p = Host().CursorPos();
  if (!outside) {
    const THitKind kind = HitTestKind(p);
    if (kind != hkOutside) FollowPointer(p);
  }
  TBaseView::DragOverHook(outside);
}

void TEditorView::EndDragHook(bool dropped, TShiftState shift) {
  const bool moving = FPointer.DragMoving;
  FPointer.DragPending = FPointer.DragMoving = false;
  if (dropped && moving) DropSelection((shift & ssCtrl) != 0);
  FPointer.LineDrag = FPointer.BoxPending = false;
  Host().SetCursorShape(CursorForHit(HitTestKind(Host().CursorPos())));
}

void TEditorView::AutoScrollTick() {
  TBaseView::AutoScrollTick();
  if (FMousePressed) FollowPointer(Host().CursorPos());
}

void TEditorView::DoubleClickHook() {
  switch (HitTestKind(FPressPoint)) {
    case hkLineInfo:
      SelectUnit(tuLine);
      break;
    case hkUrl:
      OpenLink(lkUrl);
      break;
    case hkMail:
      OpenLink(lkMail);
      break;
    case hkText:
    case hkSelection:
      SelectUnit(tuWord);
      break;
    default:
      break;
  }
  FPointer.DragPending = FPointer.DragMoving = FPointer.LineDrag = false;
}

void TEditorView::OpenLink(int kind) {
  if (!Services().Shell || !FList) return;
  const TTextPos at = DocPosOf(FPointer.PressPos);
  const std::string_view line = FList->Get(at.Y);
  // The address the painting marked under the press (a mail address may
  // carry its own "MAILTO:", which the mail characters alone would cut off).
  std::string target;
  for (const TByteRange& r : kind == lkMail ? FindMails(line) : FindUrls(line))
    if (at.X >= r.First && at.X <= r.Last + 1) {
      const std::string text(
          line.substr(static_cast<size_t>(r.First - 1), static_cast<size_t>(r.Last - r.First + 1)));
      target = kind == lkMail ? MailTarget(text) : text;
      break;
    }
  if (target.empty()) target = LinkText(line, at.X, static_cast<TLinkKind>(kind));
  if (!target.empty()) OpenDocument(*Services().Shell, target);
}

bool TEditorView::DropSelection(bool copy) {
  if (!FSel.Selecting || IsReadOnly()) return false;
  const TDisplayPos drop = FSel.Caret;
  TDisplayPos start, end;
  GetNormalizedSelection(start, end);
  const bool box = FSel.Box;
  if (IsSelected(drop)) {
    // Dropped onto itself: the selection is simply selected again.
    SelectRange(FSel.Anchor, FSel.End, box);
    return false;
  }
  const std::string text = GetSelText();
  if (text.empty()) return false;
  TReplaceRequest insert;
  insert.RangeStart = insert.RangeEnd = insert.InsertAt = drop;
  insert.UseInsertAt = true;
  insert.InsertBox = box;
  insert.Text = text;
  insert.OldCaret = drop;
  const bool dropAfter = Before(end, drop) || (box && drop.Row > end.Row);
  ClearSelection();
  if (copy) {
    insert.SelectInserted = true;
    ReplaceText(insert);
    return true;
  }
  // The part nearer the document's end goes first, so the other keeps its
  // positions: a move is a removal and an insertion, both exact on undo.
  if (dropAfter) {
    const TReplaceResult put = ReplaceText(insert);
    const TTextPos from = DocPosOf(put.InsertStart), to = DocPosOf(put.InsertEnd);
    const TTextPos cutStart = DocPosOf(start), cutEnd = DocPosOf(end);
    FTextEdits.RemoveRange(start, end, ekReplace, box);
    if (box) {
      SelectRange(DisplayPosOf(from), DisplayPosOf(to), true);
    } else {
      SelectRange(DisplayPosOf(AfterRemoval(from, cutStart, cutEnd)),
                  DisplayPosOf(AfterRemoval(to, cutStart, cutEnd)), false);
    }
  } else {
    FTextEdits.RemoveRange(start, end, ekReplace, box);
    insert.SelectInserted = true;
    ReplaceText(insert);
  }
  return true;
}

}  // namespace vorna
