// The file formats the main window shows and offers: the status bar's text,
// the encodings to reopen a file in, the save dialog's encoding and line-end
// choosers, and the text refusing a save the encoding cannot hold.
#pragma once

#include <QComboBox>
#include <QFileDialog>
#include <QString>
#include <string_view>
#include <vector>

#include "text/TextEncodings.h"

namespace vorna::app {

// "UTF-8 · LF", "UTF-8 (BOM) · CRLF"; "（混在）" after the line end when the
// file had line ends of more than one kind.
QString FileFormatStatusText(const TFileFormat& format, bool mixedLineEnds);

// The encodings a file can be reopened in, in menu order.
const std::vector<TEncoding>& ReopenEncodings();

// "「〜」(U+301C) は CP932 で保存できません（3 行目 5 文字目）。" for the
// character `where` of `format`; `line` is the CP932 text of its line, for
// the column in characters.
QString EncodingRefusalText(const TFileFormat& format, const TUnheldCharacter& where, std::string_view line);

// Two combo boxes below the file name of a save dialog of Qt's own (set
// DontUseNativeDialog first): the encoding (CP932, UTF-8, UTF-8 with BOM,
// UTF-16 LE with BOM, EUC-JP) and the line end (CR LF, LF), preselected
// from `current`. A current choice outside these lists is added to them, so
// that saving under a new name can keep any format.
class TFormatChoosers {
 public:
  TFormatChoosers(QFileDialog& dialog, const TFileFormat& current);
  TFileFormat Chosen() const;
  QComboBox& Encodings() const { return *FEncodings; }
  QComboBox& LineEnds() const { return *FLineEnds; }

 private:
  QComboBox* FEncodings;
  QComboBox* FLineEnds;
};

}  // namespace vorna::app
