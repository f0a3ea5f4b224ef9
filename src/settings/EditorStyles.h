// TEditorStyle: the text layout settings of a style (writing direction,
// characters and lines per page, spacing, indent rules, line numbers,
// line-breaking character sets, heading and keyword lists), the 29 text view
// elements and the 28 presets.
#pragma once

#include <initializer_list>
#include <memory>

#include "settings/BaseStyles.h"
#include "settings/StringLists.h"
#include "settings/StyleKinds.h"

namespace vorna {

class TEditorStyle : public TBaseStyle {
 public:
  bool Equals(const TDataItem* other) const override;  // also the lists and elements 52 .. 80
  void SetDefaults() override;
  // Keeps the sheet tiling in step with the writing direction while the paper
  // is not shown: vertical writing tiles side by side from right to left.
  void Changed(int kind) override;
  void ReadSettings(TSettingsStorage& ini, const std::string& section) override;
  void WriteSettings(TSettingsStorage& ini, const std::string& section) override;

  TViewInfo* GetViewInfo(int index) const override;  // adds 52 .. 80
  // Faces of elements 52 .. 64 (a leading "@" stays), sizes of 52 .. 63 when
  // size > 0; the paper elements keep theirs.
  void SetFontNames(std::string_view name, int size) override;
  // The paper elements 27 .. 31, then 52 .. 80 except Select and FootNote.
  void SetColors(int which, TColor color) override;
  void ScaleLineWidths(const TWidthScale& fn) override;  // 52 .. 80 unrounded
  void SetPresetName(int index) override;
  void BuildPreset(int index) override;
  void SaveState() override;
  void RestoreState() override;
  // While the paper is not shown: the base's conversion, then the text
  // lengths from pixels into millimetres (ConvertTextLengths). Always
  // antialiasing 1 and the caret line, caret line number, return, tab and
  // end-of-file marks hidden for print.
  void MakePrintable(TPageMetrics* metrics, TLpPrinter* printer) override;

  // Shows or hides the paper. The lengths that follow it (the spacing, the
  // text's margins, the partition margin, the line widths) turn between
  // pixels at 100 % and millimetres, so the text keeps its proportions;
  // without metrics, 96 pixels are an inch.
  void ShowPaper(bool shown, const TPageMetrics* metrics = nullptr);

  // Display mode 1 for the elements 52 .. 80 in `shown`, 0 for the others; a
  // shown Select is screen-only.
  void SetElementVisibility(std::initializer_list<int> shown);
  // The common base of the printing presets.
  void ApplyPrintBase();

  TStringList& GetExts() const { return *FExts; }
  TStringList& GetHeadingStrs() const { return *FHeadingStrs; }
  TStringList& GetKeyWordStrs() const { return *FKeyWordStrs; }

  // Name of preset `index`, empty outside 0 .. 27 (CP932).
  static std::string PresetName(int index);
  // A preset the user changes becomes a user style (DefaultIndex -1) named
  // after it with "（変更）", so that it stores its settings rather than its
  // number. A user style stays as it is.
  void BecomeUserStyle();
  static std::span<const TStyleField<TEditorStyle>> EditorFields();
  // As the base style's, over the text settings first.
  static int LimitInteger(std::string_view key, int value);
  static double LimitFloat(std::string_view key, double value);

  VORNA_STYLE_SETTING(bool, Vertical)
  VORNA_STYLE_SETTING(bool, ProportionalFont)
  VORNA_STYLE_SETTING(bool, FreeCaret)
  VORNA_STYLE_SETTING(bool, ColumnCountAuto)
  VORNA_STYLE_SETTING(bool, FontSizeAuto)
  VORNA_STYLE_SETTING(bool, PageRoll)
  VORNA_STYLE_SETTING(bool, TailHang)
  VORNA_STYLE_SETTING(bool, TailAdjust)
  VORNA_STYLE_SETTING(bool, WordWrap)
  VORNA_STYLE_SETTING(bool, EditIndent)
  VORNA_STYLE_SETTING(bool, ItemizedStatement)
  VORNA_STYLE_SETTING(bool, ReadOnly)
  VORNA_STYLE_SETTING(bool, EofOverUnfilled)
  VORNA_STYLE_SETTING(bool, BigCaret)
  VORNA_STYLE_SETTING(bool, LineInfoVerticalRow)
  VORNA_STYLE_SETTING(bool, LineInfoFillZero)
  VORNA_STYLE_SETTING(bool, SerifuNameRestore)
  VORNA_STYLE_SETTING(bool, UseZenkaku)
  VORNA_STYLE_SETTING(bool, ConnectTatesen)
  VORNA_STYLE_SETTING(int, ImeControl)
  VORNA_STYLE_SETTING(int, PartationCount)
  VORNA_STYLE_SETTING(int, ColumnCount)
  VORNA_STYLE_SETTING(int, LineInfoStyle)  // a TLineInfoStyle
  VORNA_STYLE_SETTING(int, AntiArius)
  VORNA_STYLE_SETTING(int, LineCountInPage)
  VORNA_STYLE_SETTING(int, TabLength)
  VORNA_STYLE_SETTING(int, ViewIndent)    // a TViewIndent
  VORNA_STYLE_SETTING(int, GapLineStyle)  // a TGapLineStyle
  VORNA_STYLE_SETTING(int, HashiraIndentCount)
  VORNA_STYLE_SETTING(int, SerifuIndentCount)
  VORNA_STYLE_SETTING(int, TogakiIndentCount)
  VORNA_STYLE_SETTING(int, LineInfoStartLineNo)
  VORNA_STYLE_SETTING(int, LineInfoInterval)
  VORNA_STYLE_SETTING(int, StartLineInfoNo)
  VORNA_STYLE_SETTING(int, MaxPageCount)
  VORNA_STYLE_SETTING(int, MaxStrCount)
  // Lengths that follow the paper (LengthsInMillimetres): millimetres while
  // it is shown, pixels at 100 % zoom while it is hidden.
  VORNA_STYLE_SETTING(double, LineSpace)
  VORNA_STYLE_SETTING(double, ColumnSpace)
  VORNA_STYLE_SETTING(double, TextLeftMargin)
  VORNA_STYLE_SETTING(double, TextRightMargin)
  VORNA_STYLE_SETTING(double, PartationMargin)
  VORNA_STYLE_SETTING(std::string, ViewIndentStr)
  VORNA_STYLE_SETTING(std::string, HangStr)
  VORNA_STYLE_SETTING(std::string, ProhibitTopStr)
  VORNA_STYLE_SETTING(std::string, ProhibitBottomStr)
  VORNA_STYLE_SETTING(std::string, Quote)
  VORNA_STYLE_SETTING(std::string, HashiraHeader)
  VORNA_STYLE_SETTING(std::string, SerifuHeader)
  VORNA_STYLE_SETTING(std::string, SerifuFooter)

 protected:
  void Initialize() override;
  void Finalize() override;
  void AssignData(TDataItem* source) override;

 private:
  TViewInfo& E(int index) const { return *GetViewInfo(index); }
  // Turns LineSpace, ColumnSpace, TextLeftMargin, TextRightMargin and
  // PartationMargin in place through `convert` (pixels at 100 % into
  // millimetres, or back).
  void ConvertTextLengths(const TWidthScale& convert);
  // Shared groups and helpers of the presets (EditorStylePresets.cpp).
  void GroupV();
  void GroupS();
  void GroupT();
  void GroupG();
  void GroupF();
  void GroupE();
  void SetSizes(int first, int last, int size);
  void BuildPresetChanges(int index);       // presets 0 .. 13
  void BuildLaterPresetChanges(int index);  // presets 14 .. 27

  std::unique_ptr<TStringList> FExts;
  std::unique_ptr<TStringList> FHeadingStrs;
  std::unique_ptr<TStringList> FKeyWordStrs;
  std::array<TDataItemPtr<TViewInfo>, kEditorElementCount> FEditorElements;
};

}  // namespace vorna
