// TEditorStyle: construction, defaults, copying, the tiling rule, element
// operations and the print conversion.
#include "settings/EditorStyles.h"

#include <cmath>

#include "text/Cp932.h"

namespace vorna {

namespace {

// Limits of counts read from a store: blocks per page and the supersampling
// factor (whose square is the number of pixels averaged).
constexpr int kMaxPartations = 100;
constexpr int kMaxAntiArius = 16;
// Cells per row and rows per page: far beyond any page, still small enough
// for the row table's per-row counters.
constexpr int kMaxColumnCount = 1000;
constexpr int kMaxLineCountInPage = 1000;

constexpr std::string_view kDefaultHeadingStrs = "□,■,○,●,◎,§";

}  // namespace

std::span<const TStyleField<TEditorStyle>> TEditorStyle::EditorFields() {
  using S = TEditorStyle;
  static const TStyleField<S> kFields[] = {
      {"Vertical", &S::FVertical, 0},
      {"ProportionalFont", &S::FProportionalFont, 0},
      {"FreeCaret", &S::FFreeCaret, 0},
      {"ColumnCountAuto", &S::FColumnCountAuto, 1},
      {"FontSizeAuto", &S::FFontSizeAuto, 0},
      {"PageRoll", &S::FPageRoll, 0},
      {"TailHang", &S::FTailHang, 1},
      {"TailAdjust", &S::FTailAdjust, 0},
      {"WordWrap", &S::FWordWrap, 0},
      {"EditIndent", &S::FEditIndent, 0},
      {"ItemizedStatement", &S::FItemizedStatement, 0},
      {"ReadOnly", &S::FReadOnly, 0},
      {"EofOverUnfilled", &S::FEofOverUnfilled, 0},
      {"BigCaret", &S::FBigCaret, 0},
      {"LineInfoVerticalRow", &S::FLineInfoVerticalRow, 0},
      {"LineInfoFillZero", &S::FLineInfoFillZero, 0},
      {"SerifuNameRestore", &S::FSerifuNameRestore, 0},
      {"UseZenkaku", &S::FUseZenkaku, 0},
      {"ConnectTatesen", &S::FConnectTatesen, 0},
      {"ImeControl", &S::FImeControl, 0},
      {"PartationCount", &S::FPartationCount, 1, "", 1, kMaxPartations},
      {"ColumnCount", &S::FColumnCount, 0, "", INT_MIN, kMaxColumnCount},
      {"LineInfoStyle", &S::FLineInfoStyle, kLineInfoRows},
      {"AntiArius", &S::FAntiArius, 1, "", 1, kMaxAntiArius},
      {"LineCountInPage", &S::FLineCountInPage, 0, "", INT_MIN, kMaxLineCountInPage},
      {"TabLength", &S::FTabLength, 4, "", 1},
      {"ViewIndent", &S::FViewIndent, kViewIndentMarks},
      {"GapLineStyle", &S::FGapLineStyle, kGapLineRules},
      {"HashiraIndentCount", &S::FHashiraIndentCount, 4},
      {"SerifuIndentCount", &S::FSerifuIndentCount, 2},
      {"TogakiIndentCount", &S::FTogakiIndentCount, 4},
      {"LineInfoStartLineNo", &S::FLineInfoStartLineNo, 0},
      {"LineInfoInterval", &S::FLineInfoInterval, 1, "", 1},
      {"StartLineInfoNo", &S::FStartLineInfoNo, 1},
      {"MaxPageCount", &S::FMaxPageCount, 0},
      {"MaxStrCount", &S::FMaxStrCount, 0},
      {"LineSpace", &S::FLineSpace, 10},
      {"ColumnSpace", &S::FColumnSpace, 0},
      {"TextLeftMargin", &S::FTextLeftMargin, 8},
      {"TextRightMargin", &S::FTextRightMargin, 0},
      {"PartationMargin", &S::FPartationMargin, 12},
      {"ViewIndentStr", &S::FViewIndentStr, 0, "※・□■◇◆○●◎§①②③④⑤⑥⑦⑧⑨⑩"},
      {"HangStr", &S::FHangStr, 0, ";.､｡、。，．｣」』"},
      {"ProhibitTopStr", &S::FProhibitTopStr, 0, "]}):;?!ﾞﾟ･~・：；？！゛゜‐’”）〕］｝〉》】ｬｭｮゃゅょャュョ"},
      {"ProhibitBottomStr", &S::FProhibitBottomStr, 0, "[{(‘“（〔［｛〈《「『【"},
      {"Quote", &S::FQuote, 0, ">"},
      {"HashiraHeader", &S::FHashiraHeader, 0, "○"},
      {"SerifuHeader", &S::FSerifuHeader, 0, "「"},
      {"SerifuFooter", &S::FSerifuFooter, 0, "」"},
  };
  return kFields;
}

int TEditorStyle::LimitInteger(std::string_view key, int value) {
  return TBaseStyle::LimitInteger(key, LimitStyleField<TEditorStyle>(EditorFields(), key, value));
}

double TEditorStyle::LimitFloat(std::string_view key, double value) {
  return TBaseStyle::LimitFloat(key, LimitStyleField<TEditorStyle>(EditorFields(), key, value));
}

void TEditorStyle::Initialize() {
  TBaseStyle::Initialize();
  FExts = CreateLinkedStrings();
  FHeadingStrs = CreateLinkedStrings();
  FKeyWordStrs = CreateLinkedStrings();
  for (auto& element : FEditorElements) {
    element.reset(TDataItem::New<TViewInfo>());
    LinkElement(element.get());
  }
}

void TEditorStyle::Finalize() {
  TBaseStyle::Finalize();  // frees the saved copy first
  for (auto& element : FEditorElements) element.reset();
  FExts.reset();
  FHeadingStrs.reset();
  FKeyWordStrs.reset();
}

void TEditorStyle::SetDefaults() {
  TBaseStyle::SetDefaults();
  FPaperTileVertical = false;
  ResetStyleFields<TEditorStyle>(*this, EditorFields());
  FExts->Clear();
  FHeadingStrs->SetCommaText(Cp932Lit(kDefaultHeadingStrs));
  FKeyWordStrs->Clear();
  for (int i = kEditorElementFirst; i <= kEditorElementLast; ++i) E(i).LoadDefault(StyleElementDefault(i));
}

void TEditorStyle::AssignData(TDataItem* source) {
  TBaseStyle::AssignData(source);
  auto* other = dynamic_cast<TEditorStyle*>(source);
  if (!other || other == this) return;
  CopyStyleFields<TEditorStyle>(*this, *other, EditorFields());
  FExts->Assign(*other->FExts);
  FHeadingStrs->Assign(*other->FHeadingStrs);
  FKeyWordStrs->Assign(*other->FKeyWordStrs);
  for (size_t i = 0; i < FEditorElements.size(); ++i)
    FEditorElements[i]->Assign(other->FEditorElements[i].get());
}

bool TEditorStyle::Equals(const TDataItem* other) const {
  if (!TBaseStyle::Equals(other)) return false;
  auto* style = static_cast<const TEditorStyle*>(other);  // same class, checked above
  if (!StyleFieldsEqual<TEditorStyle>(*this, *style, EditorFields())) return false;
  if (!FExts->Equals(*style->FExts) || !FHeadingStrs->Equals(*style->FHeadingStrs) ||
      !FKeyWordStrs->Equals(*style->FKeyWordStrs))
    return false;
  for (size_t i = 0; i < FEditorElements.size(); ++i)
    if (!FEditorElements[i]->Equals(style->FEditorElements[i].get())) return false;
  return true;
}

void TEditorStyle::Changed(int kind) {
  if (NotificationsEnabled() && !FPaperVisible) {
    FPaperTileVertical = !FVertical;
    FPaperTileHReverse = FVertical;
  }
  TBaseStyle::Changed(kind);
}

TViewInfo* TEditorStyle::GetViewInfo(int index) const {
  if (IsEditorElement(index)) return FEditorElements[index - kEditorElementFirst].get();
  return TBaseStyle::GetViewInfo(index);
}

void TEditorStyle::SetFontNames(std::string_view name, int size) {
  for (int i = kElemNormal; i <= kElemRubi; ++i) {
    E(i).SetFontName(name);
    if (size > 0 && i <= kElemMarkLineInfo) E(i).SetFontSize(size);
  }
}

void TEditorStyle::SetColors(int which, TColor color) {
  TBaseStyle::SetColors(which, color);
  for (int i = kEditorElementFirst; i <= kEditorElementLast; ++i)
    if (i != kElemSelect && i != kElemFootNote) E(i).SetColor(which, color);
}

void TEditorStyle::ScaleLineWidths(const TWidthScale& fn) {
  TBaseStyle::ScaleLineWidths(fn);
  if (!fn) return;
  for (auto& element : FEditorElements) element->SetLineWidth(fn(element->GetLineWidth()));
}

void TEditorStyle::SetPresetName(int index) {
  if (IsPresetIndex(index)) SetName(PresetName(index));
}

void TEditorStyle::SaveState() {
  if (!FSavedStyle) FSavedStyle.reset(TDataItem::New<TEditorStyle>());
  FSavedStyle->Assign(this);
}

void TEditorStyle::RestoreState() {
  if (FSavedStyle) Assign(FSavedStyle.get());
}

void TEditorStyle::MakePrintable(TPageMetrics* metrics, TLpPrinter* printer) {
  BeginUpdate();
  if (!FPaperVisible) {
    TBaseStyle::MakePrintable(metrics, printer);
    ConvertTextLengths([metrics](double pixels) { return PixelsToMillimetres(pixels, metrics); });
  }
  SetAntiArius(1);
  for (int i : {kElemCaretLine, kElemCaretLineInfo, kElemReturn, kElemTab, kElemEof})
    E(i).SetDisplayMode(kModeHiddenForPrint);
  EndUpdate();
}

void TEditorStyle::ShowPaper(bool shown, const TPageMetrics* metrics) {
  if (GetPaperVisible() == shown) return;
  const auto convert = [shown, metrics](double length) {
    return shown ? PixelsToMillimetres(length, metrics) : MillimetresToPixels(length, metrics);
  };
  BeginUpdate();
  SetPaperVisible(shown);
  ConvertTextLengths(convert);
  SetAllLineWidths(convert);
  EndUpdate();
}

void TEditorStyle::ConvertTextLengths(const TWidthScale& convert) {
  SetLineSpace(convert(FLineSpace));
  SetColumnSpace(convert(FColumnSpace));
  SetTextLeftMargin(convert(FTextLeftMargin));
  SetTextRightMargin(convert(FTextRightMargin));
  SetPartationMargin(convert(FPartationMargin));
}

void TEditorStyle::SetElementVisibility(std::initializer_list<int> shown) {
  for (int i = kEditorElementFirst; i <= kEditorElementLast; ++i) {
    bool in = false;
    for (int s : shown) in = in || s == i;
    E(i).SetDisplayMode(in ? kModeShown : kModeHidden);
  }
  if (E(kElemSelect).GetDisplayMode() == kModeShown) E(kElemSelect).SetDisplayMode(kModeScreenOnly);
}

void TEditorStyle::ApplyPrintBase() {
  BeginUpdate();
  SetPaperVisible(true);
  SetPageRoll(true);
  SetLineSpace(2.5);
  SetTextLeftMargin(0);
  for (int i = kBaseElementFirst; i <= kEditorElementLast; ++i) {
    TViewInfo* element = GetViewInfo(i);
    if (!element) continue;
    TDisplayMode mode = kModeHidden;
    switch (i) {
      case kElemPaperMargin:
      case kElemMargin:
      case kElemPaperDivideLine:
      case kElemPrintRange:
      case kElemSelect:
      case kElemFind:
        mode = kModeScreenOnly;
        break;
      case kElemHeader:
      case kElemFooter:
      case kElemNormal:
      case kElemKeyWord:
        mode = kModeShown;
        break;
      default:
        break;
    }
    element->SetDisplayMode(mode);
  }
  for (int i = kElemPaperMargin; i <= kEditorElementLast; ++i) {
    if (i != kElemPaperMargin && (!IsEditorElement(i) || i == kElemFind)) continue;
    TViewInfo& element = E(i);
    element.SetLineWidth(element.GetLineWidth() * 0.3);
    element.SetFontColor(kClBlack);
    element.SetLineColor(kClBlack);
  }
  SetAllColors(1, kClWhite);
  E(kElemFind).SetLineWidth(1);
  EndUpdate();
}

}  // namespace vorna
