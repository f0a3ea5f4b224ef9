// The editor control: construction, the relayed events, files and the
// read-only switch, the style hooks, the scroll bars along the rows, the
// input-method mode and the wheel table.
#include "control/EditorControls.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QStyleHints>

#include "control/ViewWidgets.h"
#include "platform/SystemMetrics.h"

namespace vorna::control {

TEditor::TEditor(QWidget* parent, const TPlatformServices& services)
    : TBaseControl(
          parent, services,
          [](TViewHost& host, const TPlatformServices& s, TBaseStyle* style) {
            return std::make_unique<TEditorView>(host, s, static_cast<TEditorStyle*>(style));
          },
          [] { return TDataItemPtr<TBaseStyle>(MakeDataItem<TEditorStyle>()); }) {
  setAttribute(Qt::WA_InputMethodEnabled);
  TEditorView& view = EditorView();
  view.OnOffsetChanging = [this](TBaseView*) { HideCaret(); };
  view.OnCaretMoving = [](TBaseView*) {};
  view.OnCaretMoved = [this](TBaseView*) { CaretMoved(); };
  view.OnEditing = [this](TBaseView*) {
    if (OnChanging) OnChanging(this);
  };
  view.OnEdited = [this](TBaseView*) {
    if (OnChange) OnChange(this);
  };
  view.OnTextReset = [this](TEditList*) { TextReset(); };
  view.OnModified = [this](TEditList*) {
    if (OnModified) OnModified(this);
  };
  view.OnFileNameChange = [this](TEditList*) {
    if (OnFileNameChange) OnFileNameChange(this);
  };
  view.OnHeadingChange = [this](TEditList*) {
    if (OnHeadingChange) OnHeadingChange(this);
  };
  view.OnRelayoutProgress = [this](TEditList*, int status, int index, bool& cancel) {
    if (OnWorkingInfo) OnWorkingInfo(this, status, index, cancel);
  };
  ViewWidget().OnOverlay = [this](QPainter& painter) { PaintOverlay(painter); };
  ViewWidget().OnScrolled = [this](const QRect& area, int dx, int dy) { PaintedMoved(area, dx, dy); };
  const int flash = QGuiApplication::styleHints() ? QGuiApplication::styleHints()->cursorFlashTime() : 1000;
  FBlinkTimer.setInterval(std::max(flash / 2, 50));
  connect(&FBlinkTimer, &QTimer::timeout, this, [this] { BlinkCaret(); });
  if (flash <= 0) FBlinkTimer.setInterval(0);
  // The style starts as the view's first layout needs it.
  StyleChanged();
}

TEditor::~TEditor() {
  FBlinkTimer.stop();
  ViewWidget().OnOverlay = nullptr;
  ViewWidget().OnScrolled = nullptr;
  TEditorView& view = EditorView();
  view.OnOffsetChanging = nullptr;
  view.OnCaretMoved = nullptr;
  view.OnEditing = view.OnEdited = nullptr;
  view.OnTextReset = view.OnModified = view.OnFileNameChange = view.OnHeadingChange = nullptr;
  view.OnRelayoutProgress = nullptr;
}

// --- files and read-only ----------------------------------------------------------------

void TEditor::OpenFile(const std::string& fileName, bool newSlot, std::optional<TEncoding> encoding) {
  if (newSlot) EditorView().Infos().AddDocument({});
  if (fileName == TEditList::NewDocumentName())
    EditorView().List().NewDocument();
  else if (!fileName.empty())
    EditorView().List().LoadFromFile(fileName, encoding);
}

void TEditor::NewDocument() { EditorView().List().NewDocument(); }

void TEditor::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  EditorStyle().SetReadOnly(value);
  FReadOnly = value;
}

// --- view and style hooks ---------------------------------------------------------------------

void TEditor::OffsetChanged() {
  UpdateCaretPos();
  TBaseControl::OffsetChanged();
}

void TEditor::RatioChanged() {
  TBaseControl::RatioChanged();
  RecreateCaret();
}

void TEditor::StyleChanging() { DestroyCaretShape(false); }

void TEditor::StyleChanged() {
  TBaseControl::StyleChanged();
  ViewWidget().update();
  CreateCaretShape();
  UpdateCaretPos();
  WheelSettingsChanged();
}

void TEditor::ResizeControl() {
  if (Updating()) {
    TBaseControl::ResizeControl();
    return;
  }
  DestroyCaretShape(false);
  TBaseControl::ResizeControl();
  CreateCaretShape();
  UpdateCaretPos();
}

void TEditor::CaretMoved() {
  if (EditorView().Overwrite())
    RecreateCaret();
  else
    UpdateCaretPos();
  if (OnJump) OnJump(this);
}

void TEditor::TextReset() {
  UpdateScrollPositions();
  ViewWidget().update();
  RecreateCaret();
  if (OnSetingDone) OnSetingDone(this);
}

// The bar along the rows goes when the rows follow the window's size.
void TEditor::ApplyScrollBarVisibility() {
  TBaseControl::ApplyScrollBarVisibility();
  const TEditorStyle& s = EditorStyle();
  const TViewInfo* tab = s.GetViewInfo(kElemTab);
  SetWantTabs(tab && tab->IsVisible());
  const bool rowsFollowWindow =
      !s.GetPaperVisible() && (s.GetColumnCountAuto() || (s.GetColumnCount() > 0 && s.GetFontSizeAuto()));
  if (rowsFollowWindow) {
    if (s.GetVertical()) {
      VertScrollBar().setVisible(false);
      HorzScrollBar().setVisible(s.GetHScrollBarVisible());
    } else {
      HorzScrollBar().setVisible(false);
      VertScrollBar().setVisible(s.GetVScrollBarVisible());
    }
  }
  // Qt cannot open or close an input method: "open" leaves it free, "closed"
  // asks for Latin input, which the input method may honour.
  const int mode = s.GetImeControl();
  FImeMode = mode == icOpen ? icOpen : mode == icClosed ? icClosed : icDontCare;
  setInputMethodHints(FImeMode == icClosed ? Qt::ImhLatinOnly | Qt::ImhPreferLatin : Qt::ImhNone);
  if (hasFocus() && QGuiApplication::inputMethod()) QGuiApplication::inputMethod()->update(Qt::ImHints);
}

void TEditor::WheelSettingsChanged() {
  const TEditorStyle& s = EditorStyle();
  const TEditorView& view = EditorView();
  const bool paper = s.GetPaperVisible();
  const int systemLines = Services().Metrics ? Services().Metrics->WheelScrollLines() : 3;
  const bool taller = view.Extent().Y > ViewWidget().height();
  const auto set = [this](int up, int down, int upCtrl, int downCtrl, int lines) {
    FWheelUpCommand = up;
    FWheelDownCommand = down;
    FWheelUpCtrlCommand = upCtrl;
    FWheelDownCtrlCommand = downCtrl;
    FWheelLines = lines;
  };
  if (!paper || s.GetPaperTileVertical() || taller) {
    if (paper || !s.GetPageRoll()) {
      if (paper || !s.GetVertical())
        set(vcScrollDown, vcScrollUp, vcScrollRight, vcScrollLeft, systemLines);
      else
        set(vcScrollRight, vcScrollLeft, vcScrollDown, vcScrollUp, systemLines);
    } else {
      set(ecScreenBack, ecScreenForward, 0, 0, 1);
    }
  } else {
    set(vcScrollRight, vcScrollLeft, vcScrollDown, vcScrollUp, 1);
  }
}

}  // namespace vorna::control
