// The Qt implementations of the platform services other than the canvas (the
// file service is the core's own, platform/PosixFiles.h).
#pragma once

#include <QObject>
#include <QSet>
#include <memory>

#include "platform/Clipboard.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/Pictures.h"
#include "platform/Shell.h"
#include "platform/SystemMetrics.h"
#include "platform/Timers.h"

class QWidget;

namespace vorna::qt {

class TQtClipboard : public TClipboard {
 public:
  bool HasText() override;
  std::string GetText() override;
  void SetText(const std::string& cp932) override;
};

// Opens addresses with QDesktopServices and starts programs with QProcess and
// an argument list; no command line ever goes through a shell.
class TQtShell : public TShell {
 public:
  void Open(const std::string& target, const std::string& parameters, const std::string& directory) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
  void ProcessMessages() override;
};

class TQtMessageBoxes : public TMessageBoxes {
 public:
  // Boxes are parented to `parent` (may be null).
  explicit TQtMessageBoxes(QWidget* parent = nullptr) : FParent(parent) {}
  void Beep(TBeep kind) override;
  void ShowInfo(const std::string& text) override;
  void ShowError(const std::string& text) override;
  TMessageResult AskYesNoCancel(const std::string& text) override;

 private:
  QWidget* FParent;
};

class TQtTimers : public TTimers {
 public:
  std::unique_ptr<TTimer> CreateTimer() override;
  uint32_t TickCount() override;
};

// Tracks the keys held down from the application's key events (installed as
// an application-wide event filter); Shift, Ctrl and Alt come from the
// keyboard modifiers queried now.
class TQtKeyState : public QObject, public TKeyState {
 public:
  TQtKeyState();
  ~TQtKeyState() override;
  bool IsKeyDown(int virtualKey) override;
  // The virtual-key number of a Qt key (0 when it has none).
  static int VirtualKeyOf(int qtKey);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QSet<int> FDown;
};

class TQtSystemMetrics : public TSystemMetrics {
 public:
  int ScreenPixelsPerInch() override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  int WheelScrollLines() override;
  int DragThreshold() override;
  int ScrollBarThickness() override;
  TColor SystemColorValue(unsigned index) override;
};

class TQtPictureLoader : public TPictureLoader {
 public:
  std::unique_ptr<TBitmap> LoadJpeg(std::string_view bytes) override;
  std::unique_ptr<TBitmap> LoadJpegFile(const std::string& path) override;
};

}  // namespace vorna::qt
