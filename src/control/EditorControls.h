// TEditor: the editing control of the main window, a TBaseControl with a
// TEditorView and a TEditorStyle. It adds the caret (drawn by the control
// under a show counter, blinking at the platform's rate), the input method
// (commit, preedit drawn at the caret in the writing direction, the
// composition point and the reconversion text), the keys that type text,
// the wheel mapping of the writing direction, the read-only switch, opening
// files, and relays the view's and the document's notifications.
//
// The caret lives in EditorCaret.cpp, the input method and typed keys in
// EditorInput.cpp, the preedit's drawing in Preedits.cpp.
#pragma once

#include <QString>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>

#include "control/BaseControls.h"
#include "control/Preedits.h"
#include "settings/EditorStyles.h"
#include "text/TextEncodings.h"
#include "view/EditorViews.h"

namespace vorna::control {

// ImeControl: what the control asks of the input method.
enum TImeControl : int { icDontCare = 0, icOpen = 1, icClosed = 2 };

class TEditor : public TBaseControl {
 public:
  using TEditorEvent = std::function<void(TEditor* sender)>;
  using TWorkingInfoEvent = std::function<void(TEditor* sender, int status, int index, bool& cancel)>;

  TEditor(QWidget* parent, const TPlatformServices& services);
  ~TEditor() override;

  TEditorView& EditorView() const { return static_cast<TEditorView&>(View()); }
  TEditorStyle& EditorStyle() const { return static_cast<TEditorStyle&>(Style()); }

  bool ReadOnly() const { return FReadOnly; }
  // Sets the style's ReadOnly (with its change notification).
  void SetReadOnly(bool value);
  // With `newSlot` a new document slot first; then the new-document name
  // (TEditList::NewDocumentName) makes an empty document and any other
  // non-empty name loads that file (native path), in `encoding` when given
  // (reopening) or else in the encoding told from its bytes. A file that
  // cannot be read raises EFileError and leaves the document as it was.
  void OpenFile(const std::string& fileName, bool newSlot, std::optional<TEncoding> encoding = std::nullopt);

  TEditorEvent OnSetingDone;
  TEditorEvent OnChanging;
  TEditorEvent OnChange;
  TEditorEvent OnJump;
  TEditorEvent OnOffsetChange;  // declared; the control handles the offset itself
  TEditorEvent OnModified;
  TWorkingInfoEvent OnWorkingInfo;
  TEditorEvent OnFileNameChange;
  TEditorEvent OnHeadingChange;
  TEditorEvent OnListItemIndexChange;  // declared; never fired

  // --- caret (the control draws it while the Caret element is hidden) -----------
  void CreateCaretShape();
  void DestroyCaretShape(bool force);
  void RecreateCaret();
  void ShowCaret();
  void HideCaret();
  void UpdateCaretPos();
  bool CaretCreated() const { return FCaretCreated; }
  int CaretShowCount() const { return FCaretShowCount; }
  // The caret's rectangle in the view widget, and whether it is drawn now.
  const QRect& CaretRect() const { return FCaretRect; }
  bool CaretDrawn() const;

  // --- input method ---------------------------------------------------------------
  const TPreedit& Preedit() const { return FPreedit; }
  int IgnoreChars() const { return FIgnoreChars; }
  TImeControl ImeMode() const { return FImeMode; }
  // The reconversion request: selects the word at the caret when nothing is
  // selected and moves the composition point to the selection's start; the
  // input method then reads the selection through its queries.
  void Reconvert();
  // The input method's composition point in the control's pixels.
  QPoint ImeWindowPos() const { return FImeWindowPos; }

  void NewDocument() override;
  void OffsetChanged() override;
  void RatioChanged() override;
  void StyleChanging() override;
  void ApplyScrollBarVisibility() override;
  void StyleChanged() override;
  void WheelSettingsChanged() override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 protected:
  void ResizeControl() override;
  void Painting() override;
  void Painted() override;
  void KeyText(QKeyEvent* event) override;

  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  // The caret is the control's (the Caret element hidden) and may show.
  bool CaretActive() const;
  bool CaretElementVisible() const;
  void CaretMoved();
  void TextReset();
  void SetImeWindowPos(TPoint viewPoint);
  void SetImeFont();
  TPreeditPlace CurrentPreeditPlace() const;
  void StartComposition();
  void EndComposition();
  void BlinkCaret();
  void InvalidateCaret();
  void PaintOverlay(QPainter& painter);
  void PaintedMoved(const QRect& area, int dx, int dy);
  // The caret row's text around the caret for the input method's queries.
  struct TSurrounding {
    QString Text;
    int Cursor = 0;
    int Anchor = 0;
  };
  TSurrounding Surrounding() const;

  bool FCaretCreated = false;
  int FCaretShowCount = 0;
  int FIgnoreChars = 0;
  bool FImeWasOpen = false;
  bool FReadOnly = false;
  QRect FCaretRect;
  bool FBlinkOn = true;
  QTimer FBlinkTimer;
  TPreedit FPreedit;
  bool FComposing = false;
  TImeControl FImeMode = icDontCare;
  QPoint FImeWindowPos;
  QFont FImeFont;
};

}  // namespace vorna::control
