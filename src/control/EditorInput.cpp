// The editor control's input: the input method's commit, preedit and
// queries (composition point, font, surrounding text for reconversion), the
// keys that type text, and focus with its caret.
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "control/EditorControls.h"
#include "control/ViewWidgets.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/QtFonts.h"
#include "text/Cp932.h"
#include "text/UserCodes.h"

namespace vorna::control {
namespace {

// The selection handed to the input method is cut at this many bytes.
constexpr int kSelectionQueryBytes = 64 * 1024;

// CP932 bytes of `text` unless it holds a control character; characters
// CP932 cannot hold take user-defined codes.
bool PrintableCp932(const QString& text, std::string& bytes) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0)) return false;
  }
  bytes = qt::Cp932FromQString(text);
  return !bytes.empty();
}

}  // namespace

// --- focus --------------------------------------------------------------------------

void TEditor::focusInEvent(QFocusEvent* event) {
  TBaseControl::focusInEvent(event);
  CreateCaretShape();
  UpdateCaretPos();
  // Qt keeps the input method's open state itself (FImeWasOpen has nothing to restore).
}

void TEditor::focusOutEvent(QFocusEvent* event) {
  TBaseControl::focusOutEvent(event);
  DestroyCaretShape(true);
  ViewWidget().CancelDrag();
  FImeWasOpen = false;
  // A composition the input method did not commit is dropped; the document
  // keeps what it had.
  if (!FPreedit.Empty()) {
    ViewWidget().update(PreeditRect(FPreedit, CurrentPreeditPlace()));
    FPreedit = {};
    EndComposition();
  }
}

void TEditor::showEvent(QShowEvent* event) {
  TBaseControl::showEvent(event);
  if (hasFocus()) RecreateCaret();
}

void TEditor::hideEvent(QHideEvent* event) {
  FBlinkTimer.stop();
  FCaretCreated = false;
  FCaretShowCount = 0;
  TBaseControl::hideEvent(event);
}

// --- composition ------------------------------------------------------------------------

void TEditor::SetImeFont() {
  const TFontSpec font = EditorView().CompositionFont();
  FImeFont = QFont(qt::MapFaceFamily(qt::QStringFromCp932(font.Face)));
  FImeFont.setPixelSize(std::max(std::abs(font.Height), 1));
  FImeFont.setBold(font.Bold);
  FImeFont.setItalic(font.Italic);
}

void TEditor::StartComposition() {
  if (CaretElementVisible()) EditorView().SetComposing(true);
  HideCaret();
  FComposing = true;
  SetImeFont();
  ViewWidget().HideMouseCursor();
  if (QGuiApplication::inputMethod()) QGuiApplication::inputMethod()->update(Qt::ImFont);
}

void TEditor::EndComposition() {
  FComposing = false;
  ShowCaret();
  if (CaretElementVisible()) EditorView().SetComposing(false);
  InvalidateCaret();
}

TPreeditPlace TEditor::CurrentPreeditPlace() const {
  const TEditorView& view = EditorView();
  TPreeditPlace place;
  const TPoint origin = view.PosToPoint(view.CaretPos(), true);
  place.Origin = {origin.X, origin.Y};
  place.Vertical = view.Vertical();
  place.BandPx = std::max(view.FontHeight(), 1);
  place.CellPx = std::max(view.CellPitch(), 1);
  place.Font = view.CompositionFont();
  const auto resolve = [](TColor c, TColor none) {
    if (c == kClNone) return none;
    return IsSystemColor(c) ? qt::SystemColorFromPalette(c & 0xFF) : c;
  };
  if (const TViewInfo* normal = EditorStyle().GetViewInfo(kElemNormal)) {
    place.Text = resolve(normal->GetFontColor(), kClBlack);
    // Text drawn straight over a picture has no back colour of its own: the
    // preedit then takes one that its text stands out against (white text on
    // a white box was unreadable).
    const int luminance = RedOf(place.Text) * 299 + GreenOf(place.Text) * 587 + BlueOf(place.Text) * 114;
    place.Back = resolve(normal->GetBackColor(), luminance > 128000 ? kClBlack : kClWhite);
  }
  if (const TViewInfo* select = EditorStyle().GetViewInfo(kElemSelect)) {
    place.SelectedText = resolve(select->GetFontColor(), kClWhite);
    place.SelectedBack = resolve(select->GetBackColor(), 0x800000);
  }
  return place;
}

void TEditor::inputMethodEvent(QInputMethodEvent* event) {
  TEditorView& view = EditorView();
  const TPreeditPlace before = CurrentPreeditPlace();
  if (!FPreedit.Empty()) ViewWidget().update(PreeditRect(FPreedit, before));
  const bool wasComposing = !FPreedit.Empty();
  TPreedit next = view.IsReadOnly() ? TPreedit{} : PreeditFromEvent(*event);
  if (!wasComposing && !next.Empty()) StartComposition();

  // The input method replaces text around the caret (a reconversion): that
  // text is selected, so the commit takes its place.
  if (event->replacementLength() > 0 && !view.IsReadOnly()) {
    const TSurrounding s = Surrounding();
    const int from = std::clamp(s.Cursor + event->replacementStart(), 0, static_cast<int>(s.Text.size()));
    const int to = std::clamp(from + event->replacementLength(), from, static_cast<int>(s.Text.size()));
    const int row = view.CaretPos().Row;
    // Walked over the row's own bytes: converting the text back would count
    // an undecodable byte shown as U+FFFD as a code of two.
    const std::string bytes = view.List().RowDisplayText(row);
    const auto column = [&](int units) {
      size_t i = 0;
      for (int u = 0; i < bytes.size() && u < units;) {
        char32_t cp = 0;
        i += static_cast<size_t>(Cp932DecodeAt(bytes, i, cp));
        u += ShownCharacter(cp) > 0xFFFF ? 2 : 1;
      }
      return static_cast<int>(i) + 1;
    };
    view.SelectFromTo({column(from), row}, {column(to), row}, false);
    if (event->commitString().isEmpty()) view.DeleteForward(tuPosition);
  }
  const QString commit = event->commitString();
  if (!commit.isEmpty()) {
    // No character events follow a commit here; the counter only guards
    // against a platform that would send them.
    FIgnoreChars = 0;
    view.TypeText(qt::Cp932FromQString(commit), true);
  }
  FPreedit = std::move(next);
  if (!FPreedit.Empty()) ViewWidget().update(PreeditRect(FPreedit, CurrentPreeditPlace()));
  if (wasComposing && FPreedit.Empty()) EndComposition();
  event->accept();
  updateMicroFocus();
}

TEditor::TSurrounding TEditor::Surrounding() const {
  const TEditorView& view = EditorView();
  TSurrounding s;
  const TDisplayPos caret = view.CaretPos();
  const std::string row = view.List().RowDisplayText(caret.Row);
  const auto units = [&](int column) {
    const size_t bytes = static_cast<size_t>(std::clamp(column - 1, 0, static_cast<int>(row.size())));
    return static_cast<int>(qt::QStringFromCp932(std::string_view(row).substr(0, bytes)).size());
  };
  s.Text = qt::QStringFromCp932(row);
  s.Cursor = units(caret.Column);
  s.Anchor = s.Cursor;
  if (view.Selecting()) {
    const TDisplayPos anchor = view.SelStart();
    s.Anchor = anchor.Row < caret.Row   ? 0
               : anchor.Row > caret.Row ? static_cast<int>(s.Text.size())
                                        : units(anchor.Column);
  }
  return s;
}

QVariant TEditor::inputMethodQuery(Qt::InputMethodQuery query) const {
  const TEditorView& view = EditorView();
  switch (query) {
    case Qt::ImEnabled:
      return !view.IsReadOnly();
    case Qt::ImCursorRectangle: {
      // Horizontal: the line's glyph band at the caret, so the candidates
      // open below the line. Vertical: a line down the column's right edge
      // (the composition point) as long as the preedit, so they open beside
      // the column below the preedit and never over it.
      const int band = std::max(view.FontHeight(), 1);
      if (!view.Vertical()) return QRect(FImeWindowPos, QSize(1, band));
      const int along = FPreedit.Empty() ? band : PreeditRect(FPreedit, CurrentPreeditPlace()).height();
      return QRect(FImeWindowPos, QSize(1, std::max(along, band)));
    }
    case Qt::ImFont:
      return FImeFont;
    case Qt::ImHints:
      return static_cast<int>(inputMethodHints());
    case Qt::ImSurroundingText:
      return Surrounding().Text;
    case Qt::ImCursorPosition:
      return Surrounding().Cursor;
    case Qt::ImAnchorPosition:
      return Surrounding().Anchor;
    case Qt::ImCurrentSelection:
      return qt::QStringFromCp932(view.GetTextMessage(kSelectionQueryBytes));
    default:
      return TBaseControl::inputMethodQuery(query);
  }
}

void TEditor::Reconvert() {
  TEditorView& view = EditorView();
  if (!view.Selecting()) view.SelectUnit(tuWord);
  TDisplayPos start, end;
  view.GetNormalizedSelection(start, end);
  SetImeWindowPos(view.PosToPoint(start, true));
  if (QGuiApplication::inputMethod()) QGuiApplication::inputMethod()->update(Qt::ImQueryAll);
}

// --- keys that type -----------------------------------------------------------------------

void TEditor::KeyText(QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty()) {
    // The conversion key that the input method left to the control asks
    // for a reconversion.
    if (event->key() == Qt::Key_Henkan) {
      Reconvert();
      return;
    }
    event->ignore();
    return;
  }
  if (FIgnoreChars >= 1) {
    --FIgnoreChars;
    return;
  }
  // Ctrl and Alt make shortcuts, not text (AltGr comes without them).
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
    event->ignore();
    return;
  }
  TEditorView& view = EditorView();
  if (text == QLatin1String("\t")) {
    view.TypeText("\t", true);
  } else if (text == QLatin1String("\r") || text == QLatin1String("\n")) {
    view.TypeText("\r\n", false);
  } else if (std::string bytes; PrintableCp932(text, bytes)) {
    view.TypeText(bytes, true);
  } else {
    // Control characters type nothing.
    event->ignore();
    return;
  }
  ViewWidget().HideMouseCursor();
}

}  // namespace vorna::control
