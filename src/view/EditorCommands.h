// The editor view's numbered commands, the modes of a caret move, the kinds
// of scrolling to the caret, the kinds of a hit test and the text units of
// selection and deletion. The numbers are the ones stored in key maps and
// used by the window's actions; they never change.
#pragma once

namespace vorna {

enum TEditorCommand : int {
  ecLeft = 10,  // next row (vertical) or back one cell
  ecRight = 11,
  ecUp = 12,
  ecDown = 13,
  ecCtrlLeft = 14,  // vertical: scroll a row toward the start; horizontal: word back
  ecCtrlRight = 15,
  ecCtrlUp = 16,  // vertical: word back; horizontal: scroll a row toward the start
  ecCtrlDown = 17,
  ecCharBack = 18,
  ecCharForward = 19,
  ecRowUp = 20,
  ecRowDown = 21,
  ecPageUp = 22,  // the caret RowsPerPage rows back
  ecPageDown = 23,
  ecWordBack = 24,
  ecWordForward = 25,
  ecRowStart = 26,
  ecRowEnd = 27,
  ecDocStart = 28,
  ecDocEnd = 29,
  ecScrollPixelBack = 30,
  ecScrollPixelForward = 31,
  ecScrollRowBack = 32,
  ecScrollRowForward = 33,
  ecScreenBack = 34,  // one screen page of scrolling
  ecScreenForward = 35,
  ecSelectWord = 37,
  ecSelectRow = 38,
  ecSelectLine = 39,
  ecSelectPage = 40,
  ecSelectAll = 41,
  ecDeleteBackChar = 42,  // 42 .. 47: backward by character .. document
  ecDeleteBackWord = 43,
  ecDeleteBackRow = 44,
  ecDeleteChar = 48,  // 48 .. 53: forward by the same units
  ecDeleteWord = 49,
  ecDeleteRow = 50,
  ecCut = 54,   // 54 .. 59: selection or position, word .. document
  ecCopy = 60,  // 60 .. 65
  ecPaste = 66,
  ecReflow = 67,
  ecJoin = 68,
  ecFullWidth = 69,  // 69 .. 74: the selection converted
  ecHalfWidth = 70,
  ecHiragana = 71,
  ecKatakana = 72,
  ecLowerCase = 73,
  ecUpperCase = 74,
  ecUndo = 75,
  ecRedo = 76,
  ecFindPrevious = 77,
  ecFindNext = 78,
  ecClearFind = 79,
  ecFind = 80,  // left to the window (the find dialog)
  ecToggleMark = 81,
  ecRemoveMark = 82,
  ecClearMarks = 83,
  ecToggleOverwrite = 84,
};

// How SetCaretPos reads the position it is given.
enum TCaretMode : int {
  cmAbsolute = 0,
  cmBack = 1,     // a move back along the row
  cmForward = 2,  // a move forward along the row
  cmRowUp = 3,    // a move to an earlier row (the column is the goal column)
  cmRowDown = 4,
};

// How ScrollToCaret scrolls.
enum TCaretScroll : int {
  csMinimal = 0,    // just far enough to keep the caret inside the margins
  csCentre = 1,     // the caret in the middle of the window
  csKeepPlace = 2,  // the caret stays where it was in the window
  csNone = 3,
};

// What lies under a point of the view (HitTestKind).
enum THitKind : int {
  hkOutside = 0,    // no partition
  hkLineInfo = 1,   // the line-number column
  hkText = 2,       // text or the empty space of a row
  hkUrl = 3,        // a cell styled Url
  hkMail = 4,       // a cell styled Mail
  hkFootNote = 5,   // an annotation mark beside the text
  hkSelection = 6,  // a selected cell
};

// The ranges selection and deletion work on (GetUnitRange).
enum TTextUnit : int {
  tuPosition = 0,  // the selection when there is one, else nothing
  tuCharacter = 1,
  tuWord = 2,
  tuRow = 3,
  tuLine = 4,
  tuPage = 5,
  tuDocument = 6,
  tuSelection = 7,
};

}  // namespace vorna
