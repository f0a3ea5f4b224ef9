// The five tabs of the format dialog: each loads its controls from a style and
// stores them back through the style's own setters and storage limits.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>
#include <cmath>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/FontList.h"
#include "settings/EditorStyles.h"
#include "settings/HeaderFooterCodes.h"

namespace vorna::app {

// 文字組: direction, cells per row, rows per page, partitions, spacing, word wrap.
class TLayoutTab : public QWidget {
 public:
  explicit TLayoutTab(QWidget* parent = nullptr);
  void Load(const TEditorStyle& style);
  // Stored after the paper tab, whose showing or hiding the paper turns the
  // style's lengths into the new unit that these already show.
  void Store(TEditorStyle& style) const;
  // The lengths shown turned into millimetres (paper shown) or pixels, as
  // showing or hiding the paper turns the style's.
  void SetPaperUnits(bool paper);

  QComboBox* Direction;  // 0 横書き, 1 縦書き
  QCheckBox* ColumnCountAuto;
  QSpinBox* ColumnCount;
  QSpinBox* LineCountInPage;  // 0: as many as fit
  QSpinBox* PartationCount;
  QDoubleSpinBox* PartationMargin;
  QDoubleSpinBox* LineSpace;
  QDoubleSpinBox* ColumnSpace;
  QCheckBox* WordWrap;

 private:
  // What Load showed: a count is stored when it was edited or the row was
  // automatic, so a fixed row of 0 cells stays as it is.
  int FShownColumnCount = 0;
  bool FLoadedAuto = true;
  bool FPaperUnits = false;
};

// The header or footer text of page 1 in three aligned parts.
class TCodePreview : public QFrame {
 public:
  explicit TCodePreview(QWidget* parent = nullptr);
  void Show(const THeaderFooterParts& parts);  // CP932 parts
  QLabel* Left;
  QLabel* Centre;
  QLabel* Right;
};

// 用紙: paper shown, size, orientation, margins, pages per sheet, header and
// footer with their previews.
class TPaperTab : public QWidget {
 public:
  // `expand` gives the parts a CP932 header or footer text prints on page 1.
  using TExpand = std::function<THeaderFooterParts(std::string_view code)>;
  explicit TPaperTab(TExpand expand, QWidget* parent = nullptr);
  void Load(const TEditorStyle& style);
  void Store(TEditorStyle& style) const;
  void UpdatePreviews();

  QCheckBox* PaperVisible;
  QComboBox* PaperSize;  // item data: the paper code
  QSpinBox* PaperWidth;
  QSpinBox* PaperHeight;
  QComboBox* Orientation;  // 0 縦, 1 横
  QDoubleSpinBox* MarginLeft;
  QDoubleSpinBox* MarginTop;
  QDoubleSpinBox* MarginRight;
  QDoubleSpinBox* MarginBottom;
  QSpinBox* PaperLevelDivide;
  QSpinBox* PaperVerticalDivide;
  QLineEdit* HeaderStr;
  QLineEdit* FooterStr;
  TCodePreview* HeaderPreview;
  TCodePreview* FooterPreview;

 private:
  void SelectPaper(int code);
  void UpdateUserSize();
  TExpand FExpand;
};

// A face choice: the installed faces, "@" faces only where they can be drawn
// vertically, and a face that is not installed listed as missing with the
// family drawn in its place.
class TFaceChooser : public QWidget {
 public:
  TFaceChooser(const TFontList& fonts, QWidget* parent = nullptr);
  void SetFace(const std::string& cp932Face);
  std::string Face() const;  // CP932
  QComboBox* Faces;          // item data: the face as stored
  QLabel* Fallback;          // the family used for a missing face

 private:
  void ShowFallback();
  const TFontList& FFonts;
};

// フォント: the text font and the element fonts of ruby and line numbers.
class TFontTab : public QWidget {
 public:
  TFontTab(const TFontList& fonts, QWidget* parent = nullptr);
  void Load(const TEditorStyle& style);
  void Store(TEditorStyle& style) const;

  TFaceChooser* TextFace;
  QSpinBox* TextSize;
  TFaceChooser* RubyFace;
  QSpinBox* RubySize;
  TFaceChooser* LineInfoFace;
  QSpinBox* LineInfoSize;
};

// 禁則: hanging, line-end adjustment and the three character sets.
class TKinsokuTab : public QWidget {
 public:
  explicit TKinsokuTab(QWidget* parent = nullptr);
  void Load(const TEditorStyle& style);
  void Store(TEditorStyle& style) const;
  // The three character sets of a new style.
  void ResetSets();

  QCheckBox* TailHang;
  QLineEdit* HangStr;
  QCheckBox* TailAdjust;
  QLineEdit* ProhibitTopStr;
  QLineEdit* ProhibitBottomStr;
  QPushButton* Reset;
};

// 表示: line numbers, gap lines, notation marks, screenplay indents, end marks.
class TDisplayTab : public QWidget {
 public:
  explicit TDisplayTab(QWidget* parent = nullptr);
  void Load(const TEditorStyle& style);
  void Store(TEditorStyle& style) const;

  QComboBox* LineInfo;  // 0 hidden, then a TLineInfoStyle + 1
  QComboBox* GapLine;   // 0 hidden, then a TGapLineStyle + 1
  QComboBox* Rubi;      // display modes 0 .. 2
  QComboBox* Boten;
  QComboBox* FootNote;
  QComboBox* Return;
  QComboBox* Eof;
  QComboBox* ViewIndent;  // a TViewIndent
  QSpinBox* HashiraIndentCount;
  QSpinBox* SerifuIndentCount;
  QSpinBox* TogakiIndentCount;
};

// Helpers shared by the tabs.
QString Ja(std::string_view utf8);
QSpinBox* MakeSpin(QWidget* parent, int min, int max);
QDoubleSpinBox* MakeLengthSpin(QWidget* parent);

// Sets an integer or float setting through its setter after the limits a
// store applies to `key`.
template <class S, class T>
void SetLimited(TEditorStyle& style, void (S::*setter)(T), std::string_view key,
                std::type_identity_t<T> value) {
  if constexpr (std::is_same_v<T, int>)
    (style.*setter)(TEditorStyle::LimitInteger(key, value));
  else
    (style.*setter)(TEditorStyle::LimitFloat(key, value));
}

// Stores a length shown with two decimals only when it was edited, so an
// untouched length keeps every digit it had.
template <class S>
void SetLength(TEditorStyle& style, void (S::*setter)(double), double current, std::string_view key,
               const QDoubleSpinBox* spin) {
  if (spin->value() != std::round(current * 100) / 100) SetLimited(style, setter, key, spin->value());
}

}  // namespace vorna::app
