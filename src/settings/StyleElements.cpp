// Keys and default records of the style elements 27 to 32 and 52 to 80.
#include "settings/StyleElements.h"

namespace vorna {

namespace {

constexpr TColor kWhite = kClWhite;
constexpr TColor kBlack = kClBlack;
constexpr TColor kKeep = kClNone;

struct TElementRow {
  std::string_view Key;
  TViewInfoDefault Default;
};

// Elements 27 to 32. Width 0 draws one pixel.
constexpr TElementRow kBaseRows[kBaseElementCount] = {
    {"PaperMargin", {2, "", 0, -1, 0, 0, kKeep, kWhite, kKeep}},
    {"Margin", {2, "", 0, -1, 0, 0, kKeep, kWhite, kKeep}},
    {"Header", {1, "ＭＳ Ｐゴシック", 9, kStyleNone, 0, 0, kBlack, kWhite, kBlack}},
    {"Footer", {1, "ＭＳ Ｐゴシック", 9, kStyleNone, 0, 0, kBlack, kWhite, kBlack}},
    {"PaperDivideLine", {2, "", 0, -1, 1, 0, kKeep, kWhite, 0x00AAAAAA}},
    {"PrintRange", {2, "", 0, -1, 5, 0, kKeep, kWhite, 0x00F0CAA6}},
};

constexpr std::string_view kGothic = "ＭＳ ゴシック";
constexpr std::string_view kMincho = "ＭＳ 明朝";
constexpr std::string_view kPGothic = "ＭＳ Ｐゴシック";
constexpr int kB = kStyleBold;
constexpr int kN = kStyleNone;

// Elements 52 to 80.
constexpr TElementRow kEditorRows[kEditorElementCount] = {
    {"Normal", {1, kGothic, 12, kN, 0, 1, 0x00432518, 0x00EFFCFC, 0x00432518}},
    {"CaretLine", {2, kGothic, 12, kN, 2, 1, 0x00432518, 0x00EFFCFC, 0x000D85F2}},
    {"Select", {2, kGothic, 12, kN, 0, 1, 0x00432518, 0x008DC5F1, 0x00432518}},
    {"Find", {2, kGothic, 12, kN, 1, 2, 0x00432518, 0x00EFFCFC, 0x00775599}},
    {"Heading", {1, kGothic, 12, kB, 0, 1, 0x00432518, 0x00E0DCDA, 0x00432518}},
    {"Url", {1, kGothic, 12, kN, 1, 1, 0x00FF0000, 0x00EFFCFC, 0x00FF0000}},
    {"Mail", {1, kGothic, 12, kN, 1, 1, 0x00008000, 0x00EFFCFC, 0x00008000}},
    {"KeyWord", {1, kGothic, 12, kB, 0, 1, 0x000000FF, 0x00EFFCFC, 0x000000FF}},
    {"VerticalRow", {0, kGothic, 12, kN, 0, 1, 0x00432518, 0x00EFFCFC, 0x00432518}},
    {"LineInfo", {1, kGothic, 12, kN, 0, 1, 0x00EFE4DE, 0x00512D1E, 0x00EFE4DE}},
    {"CaretLineInfo", {2, kGothic, 12, kN, 0, 1, 0x00E1EFFD, 0x000D85F2, 0x00E1EFFD}},
    {"MarkLineInfo", {2, kGothic, 12, kN, 0, 1, 0x00EFE4DE, 0x00AF6241, 0x00EFE4DE}},
    {"Rubi", {0, kGothic, 8, kN, 0, 1, 0x00432518, 0x00EFFCFC, 0x00432518}},
    {"Boten", {0, kMincho, 14, kN, 0, 1, 0x00432518, 0x00EFFCFC, 0x00432518}},
    {"FootNote", {0, kPGothic, 9, kN, 0, 1, 0x00432518, 0x00EAE5D8, 0x00432518}},
    {"FootNoteMark", {0, kMincho, 9, kN, 0, 1, 0x00B37855, 0x00EFFCFC, 0x00B37855}},
    {"Unfilled", {2, "", 0, -1, 1, 1, kKeep, 0x00B9E1E3, kKeep}},
    {"Caret", {0, "", 0, -1, 1, 1, kKeep, 0x00EFFCFC, 0x000000FF}},
    {"GapLine", {0, "", 0, -1, 1, 1, kKeep, 0x00EFFCFC, 0x00B9E1E3}},
    {"PageDivideLine", {0, "", 0, -1, 1, 1, kKeep, 0x00EFFCFC, 0x00B9E1E3}},
    {"MaxPageDivideLine", {0, "", 0, -1, 2, 2, kKeep, 0x00EFFCFC, 0x000000FF}},
    {"PartationDivideLine", {0, "", 0, -1, 1, 1, kKeep, 0x00EFFCFC, 0x0063AAB4}},
    {"LineInfoTailLine", {0, "", 0, -1, 1, 1, kKeep, 0x00EFFCFC, 0x0063AAB4}},
    {"ColumnTailLine", {0, "", 0, -1, 1, 1, kKeep, 0x00EFFCFC, 0x0063AAB4}},
    {"ZenkakuSpace", {0, "", 0, -1, 1, 1, kKeep, 0x00EFFCFC, 0x0063AAB4}},
    {"HankakuSpace", {0, "", 0, -1, 1, 1, kKeep, 0x00EFFCFC, 0x0063AAB4}},
    {"Return", {2, "", 0, -1, 1, 1, kKeep, 0x00EFFCFC, 0x0063AAB4}},
    {"Tab", {2, "", 0, -1, 1, 1, kKeep, 0x00EFFCFC, 0x0063AAB4}},
    {"Eof", {2, "", 0, -1, 1, 1, kKeep, 0x00EFFCFC, 0x0063AAB4}},
};

const TElementRow* RowOf(int index) {
  if (IsBaseElement(index)) return &kBaseRows[index - kBaseElementFirst];
  if (IsEditorElement(index)) return &kEditorRows[index - kEditorElementFirst];
  return nullptr;
}

}  // namespace

std::string_view StyleElementKey(int index) {
  const TElementRow* row = RowOf(index);
  return row ? row->Key : std::string_view();
}

const TViewInfoDefault& StyleElementDefault(int index) {
  static const TViewInfoDefault kAllKeep{};
  const TElementRow* row = RowOf(index);
  return row ? row->Default : kAllKeep;
}

}  // namespace vorna
