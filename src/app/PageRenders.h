// TPageRenderer: the editor view of one document under a preset on an image
// host with the Qt services, painting its sheets into images; shared by the
// page-render tool, the page tests and the benchmarks.
#pragma once

#include <QImage>
#include <memory>
#include <string>
#include <string_view>

#include "platform/PlatformServices.h"
#include "platform/PosixFiles.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtImageViewHost.h"
#include "platform/qt/QtPrinterBackend.h"
#include "platform/qt/QtServices.h"
#include "print/LpPrinters.h"
#include "print/PageMetrics.h"
#include "settings/EditorStyles.h"
#include "view/EditorViews.h"

namespace vorna {

// Messages go to standard error; questions are answered with Cancel.
class TConsoleMessages : public TMessageBoxes {
 public:
  void Beep(TBeep) override {}
  void ShowInfo(const std::string& text) override;
  void ShowError(const std::string& text) override;
  TMessageResult AskYesNoCancel(const std::string&) override { return TMessageResult::Cancel; }
};

class TPageRenderer {
 public:
  // Window-mode client area (pixels); with paper the host is one sheet with
  // its gaps.
  static constexpr int kWindowWidth = 800;
  static constexpr int kWindowHeight = 600;

  // A view of one empty line under `preset` (a preset index) at `zoomPercent`.
  // Needs a QApplication. The renderer's own printer access has the "PDF
  // file" printer current, so the page metrics are its A4 sheet on every
  // machine; no other printer access is touched.
  TPageRenderer(int preset, int zoomPercent);
  ~TPageRenderer();
  TPageRenderer(const TPageRenderer&) = delete;
  TPageRenderer& operator=(const TPageRenderer&) = delete;

  // Loads a CP932 file (throws EFileError) or takes CP932 text, then lays the
  // document out again, so the page count follows its rows.
  void LoadFromFile(const std::string& path);
  void SetText(std::string_view cp932);
  // Takes copies of `style` (the zoom stays this renderer's) and of the
  // lines and file name of `document`, then lays the document out again:
  // what a window shows, printed as from a file.
  void CopyEditor(TEditorStyle& style, const TEditList& document);

  // Puts `date` and `time` (CP932, taken literally) in place of the "&d" and
  // "&t" codes of the header and footer, so pages drawn on different days
  // compare equal. "&&" stays an escaped "&".
  void FreezeClock(std::string_view date, std::string_view time);

  // Prints pages `firstPage` .. `lastPage` (1-based; 0: from the first, to
  // the last) to the PDF file `path` through the view's print job, in
  // preview (the printed layout) unless the style shows paper already.
  // Returns false when the range holds no page; printer and file errors
  // propagate (the file may then be partly written).
  bool PrintToPdf(const std::string& path, const std::string& title, int firstPage, int lastPage);

  TEditorView& View() { return *FView; }
  TFileService& Files() { return FFiles; }
  qt::TQtImageViewHost& Host() { return *FHost; }
  TEditorStyle& Style() { return *FStyle; }
  const TPlatformServices& Services() const { return FServices; }

  // Sheets the document fills (1 in window mode).
  int SheetCount() const;
  // The sheet holding page `page` (0-based).
  int SheetOfPage(int page) const;
  // Paints sheet `sheet` (0-based, clamped to the sheets) with the workspace
  // gap around it; in window mode the window's client area. The image lives
  // until the next call.
  const QImage& RenderSheet(int sheet);

 private:
  // The host fits one sheet with its gaps (paper) or the window size.
  void FitHost();

  TPosixFiles FFiles;
  TConsoleMessages FMessages;
  qt::TQtSystemMetrics FScreen;
  std::unique_ptr<qt::TQtCanvasFactory> FCanvases;
  qt::TQtTimers FTimers;
  qt::TQtFontList FFonts;
  qt::TQtPrinterBackend FPrinter;
  TLpPrinter FPrinterAccess;
  std::unique_ptr<TPageMetrics> FPageMetrics;
  TPlatformServices FServices;
  TDataItemPtr<TEditorStyle> FStyle;
  std::unique_ptr<qt::TQtImageViewHost> FHost;
  std::unique_ptr<TEditorView> FView;
};

}  // namespace vorna
