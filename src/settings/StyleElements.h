// The numbered view elements of the styles: 27 to 32 of the base style (paper
// parts) and 52 to 80 of the editor style (kinds of text and marks), with
// their storage keys and default records.
#pragma once

#include <string_view>

#include "settings/ViewInfoRecords.h"

namespace vorna {

enum TStyleElement : int {
  // Base style.
  kElemPaperMargin = 27,
  kElemMargin = 28,
  kElemHeader = 29,
  kElemFooter = 30,
  kElemPaperDivideLine = 31,
  kElemPrintRange = 32,
  // Editor style; the editor view uses these numbers as cell styles.
  kElemNormal = 52,
  kElemCaretLine = 53,
  kElemSelect = 54,
  kElemFind = 55,
  kElemHeading = 56,
  kElemUrl = 57,
  kElemMail = 58,
  kElemKeyWord = 59,
  kElemVerticalRow = 60,
  kElemLineInfo = 61,
  kElemCaretLineInfo = 62,
  kElemMarkLineInfo = 63,
  kElemRubi = 64,
  kElemBoten = 65,
  kElemFootNote = 66,
  kElemFootNoteMark = 67,
  kElemUnfilled = 68,
  kElemCaret = 69,
  kElemGapLine = 70,
  kElemPageDivideLine = 71,
  kElemMaxPageDivideLine = 72,
  kElemPartationDivideLine = 73,
  kElemLineInfoTailLine = 74,
  kElemColumnTailLine = 75,
  kElemZenkakuSpace = 76,
  kElemHankakuSpace = 77,
  kElemReturn = 78,
  kElemTab = 79,
  kElemEof = 80,
};

constexpr int kBaseElementFirst = kElemPaperMargin;
constexpr int kBaseElementLast = kElemPrintRange;
constexpr int kBaseElementCount = kBaseElementLast - kBaseElementFirst + 1;
constexpr int kEditorElementFirst = kElemNormal;
constexpr int kEditorElementLast = kElemEof;
constexpr int kEditorElementCount = kEditorElementLast - kEditorElementFirst + 1;

constexpr bool IsBaseElement(int index) { return index >= kBaseElementFirst && index <= kBaseElementLast; }
constexpr bool IsEditorElement(int index) {
  return index >= kEditorElementFirst && index <= kEditorElementLast;
}

// Storage key ("PaperMargin", "Normal", ...) of an element of either style;
// empty for other numbers.
std::string_view StyleElementKey(int index);

// Default record of an element of either style; an all-keep record for other
// numbers.
const TViewInfoDefault& StyleElementDefault(int index);

}  // namespace vorna
