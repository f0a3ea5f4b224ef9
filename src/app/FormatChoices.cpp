// The status text of a file format, the reopen encodings, the save refusal
// text and the save dialog's format choosers.
#include "FormatChoices.h"

#include <QGridLayout>
#include <QLabel>
#include <algorithm>

#include "text/ShiftJis.h"

namespace vorna::app {
namespace {

QString U(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// An encoding and its byte-order mark in one combo item value.
int EncodingValue(TEncoding encoding, bool bom) { return static_cast<int>(encoding) * 2 + (bom ? 1 : 0); }

// Adds `label` and `combo` as a new row of the dialog's grid (Qt's own
// dialog lays out its file name and type that way).
void AddRow(QFileDialog& dialog, const QString& label, QComboBox* combo) {
  auto* caption = new QLabel(label, &dialog);
  caption->setBuddy(combo);
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    grid->addWidget(combo, row, 1);
  } else if (dialog.layout()) {
    dialog.layout()->addWidget(caption);
    dialog.layout()->addWidget(combo);
  }
}

void Select(QComboBox& combo, int value) {
  const int index = combo.findData(value);
  combo.setCurrentIndex(std::max(index, 0));
}

}  // namespace

QString FileFormatStatusText(const TFileFormat& format, bool mixedLineEnds) {
  QString text = U(EncodingName(format.Encoding, format.Bom)) + U(" · ") + U(LineEndName(format.LineEnd));
  if (mixedLineEnds) text += U("（混在）");
  return text;
}

const std::vector<TEncoding>& ReopenEncodings() {
  static const std::vector<TEncoding> encodings{TEncoding::Cp932, TEncoding::Utf8, TEncoding::Utf16Le,
                                                TEncoding::Utf16Be, TEncoding::EucJp};
  return encodings;
}

QString EncodingRefusalText(const TFileFormat& format, const TUnheldCharacter& where, std::string_view line) {
  // The column counts characters: a double-byte code is one.
  const size_t end = std::min(line.size(), static_cast<size_t>(std::max(where.Byte, 0)));
  int column = 1;
  for (size_t i = 0; i < end; ++column)
    i += IsLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size() ? 2 : 1;
  const QString code = U(CharacterCodeName(where.Character));
  const char32_t cp = where.Character;
  // Raw bytes and lone surrogates have no glyph: only their code is named.
  const bool shown = cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
  const QString what = shown ? U("「%1」(%2)").arg(QString::fromUcs4(&cp, 1), code)
                             : (code.startsWith(U("0x")) ? U("バイト %1").arg(code) : code);
  return U("%1 は %2 で保存できません（%3 行目 %4 文字目）。")
      .arg(what, U(EncodingName(format.Encoding, false)))
      .arg(where.Line + 1)
      .arg(column);
}

TFormatChoosers::TFormatChoosers(QFileDialog& dialog, const TFileFormat& current)
    : FEncodings(new QComboBox(&dialog)), FLineEnds(new QComboBox(&dialog)) {
  const std::pair<TEncoding, bool> offered[] = {{TEncoding::Cp932, false},
                                                {TEncoding::Utf8, false},
                                                {TEncoding::Utf8, true},
                                                {TEncoding::Utf16Le, true},
                                                {TEncoding::EucJp, false}};
  for (const auto& [encoding, bom] : offered)
    FEncodings->addItem(U(EncodingName(encoding, bom)), EncodingValue(encoding, bom));
  const int currentEncoding = EncodingValue(current.Encoding, current.Bom);
  if (FEncodings->findData(currentEncoding) < 0)
    FEncodings->addItem(U(EncodingName(current.Encoding, current.Bom)), currentEncoding);
  Select(*FEncodings, currentEncoding);

  FLineEnds->addItem(U("CR LF"), static_cast<int>(TLineEnd::CrLf));
  FLineEnds->addItem(U("LF"), static_cast<int>(TLineEnd::Lf));
  if (current.LineEnd == TLineEnd::Cr) FLineEnds->addItem(U("CR"), static_cast<int>(TLineEnd::Cr));
  Select(*FLineEnds, static_cast<int>(current.LineEnd));

  AddRow(dialog, U("文字コード:"), FEncodings);
  AddRow(dialog, U("改行コード:"), FLineEnds);
}

TFileFormat TFormatChoosers::Chosen() const {
  const int encoding = FEncodings->currentData().toInt();
  return {static_cast<TEncoding>(encoding / 2), encoding % 2 == 1,
          static_cast<TLineEnd>(FLineEnds->currentData().toInt())};
}

}  // namespace vorna::app
