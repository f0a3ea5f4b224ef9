// The フォント tab: the text font and the fonts of ruby and line numbers, chosen
// among the installed faces.
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "FormatTabs.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/QtFonts.h"
#include "settings/StyleElements.h"
#include "settings/ViewInfos.h"

namespace vorna::app {
namespace {

// The faces styles are written with; listed when a font draws them.
constexpr const char* kStoredFaces[] = {"ＭＳ 明朝",       "ＭＳ ゴシック", "ＭＳ Ｐ明朝", "ＭＳ Ｐゴシック",
                                        "Times New Roman", "Arial",         "Courier New"};

const QString kVerticalMark = QStringLiteral("@");

// Only a family with Japanese glyphs is worth writing vertically.
bool DrawsJapanese(const QString& face) {
  return QFontDatabase::writingSystems(qt::MapFaceFamily(face)).contains(QFontDatabase::Japanese);
}

// Every face offered, horizontal ones first; "@" faces where the font list can
// draw them vertically and the family has Japanese glyphs.
QStringList OfferedFaces(const TFontList& fonts) {
  QStringList faces;
  for (const char* face : kStoredFaces)
    if (fonts.HasFace(qt::Cp932FromQString(Ja(face)))) faces << Ja(face);
  for (const QString& family : QFontDatabase::families())
    if (!QFontDatabase::isPrivateFamily(family) && !faces.contains(family)) faces << family;
  QStringList vertical;
  for (const QString& face : faces)
    if (fonts.HasFace(qt::Cp932FromQString(kVerticalMark + face)) && DrawsJapanese(face))
      vertical << kVerticalMark + face;
  return faces + vertical;
}

}  // namespace

TFaceChooser::TFaceChooser(const TFontList& fonts, QWidget* parent) : QWidget(parent), FFonts(fonts) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  Faces = new QComboBox(this);
  for (const QString& face : OfferedFaces(fonts)) Faces->addItem(face, face);
  Fallback = new QLabel(this);
  column->addWidget(Faces);
  column->addWidget(Fallback);
  Fallback->hide();
  connect(Faces, &QComboBox::currentIndexChanged, this, [this] { ShowFallback(); });
}

void TFaceChooser::SetFace(const std::string& cp932Face) {
  const QString face = qt::QStringFromCp932(cp932Face);
  int index = Faces->findData(face);
  if (index < 0) {
    // A face the list lacks keeps its name, so storing it again changes nothing.
    const bool missing = !FFonts.HasFace(cp932Face);
    Faces->insertItem(0, missing ? face + Ja("（未インストール）") : face, face);
    index = 0;
  }
  Faces->setCurrentIndex(index);
  ShowFallback();
}

std::string TFaceChooser::Face() const { return qt::Cp932FromQString(Faces->currentData().toString()); }

void TFaceChooser::ShowFallback() {
  const bool missing = !FFonts.HasFace(Face());
  Fallback->setVisible(missing);
  if (missing)
    Fallback->setText(
        Ja("代わりに「%1」で表示します").arg(qt::MapFaceFamily(Faces->currentData().toString())));
}

TFontTab::TFontTab(const TFontList& fonts, QWidget* parent) : QWidget(parent) {
  auto* form = new QFormLayout(this);
  const auto addFont = [&](const char* label, TFaceChooser*& face, QSpinBox*& size) {
    face = new TFaceChooser(fonts, this);
    size = MakeSpin(this, 1, kMaxFontSize);
    size->setSuffix(Ja(" pt"));
    auto* row = new QHBoxLayout;
    row->addWidget(face, 1);
    row->addWidget(size, 0, Qt::AlignTop);
    form->addRow(Ja(label), row);
  };
  addFont("本文:", TextFace, TextSize);
  addFont("ルビ:", RubyFace, RubySize);
  addFont("行番号:", LineInfoFace, LineInfoSize);
  auto* note = new QLabel(
      Ja("「@」の付いたフォントは縦書き用です。本文のフォントは見出しや選択範囲などにも使われます。"), this);
  note->setWordWrap(true);
  form->addRow(QString(), note);
}

void TFontTab::Load(const TEditorStyle& style) {
  const auto load = [&](int element, TFaceChooser* face, QSpinBox* size) {
    const TFontDesc& font = style.GetViewInfo(element)->GetFont();
    face->SetFace(font.Face);
    size->setValue(font.Size);
  };
  load(kElemNormal, TextFace, TextSize);
  load(kElemRubi, RubyFace, RubySize);
  load(kElemLineInfo, LineInfoFace, LineInfoSize);
}

void TFontTab::Store(TEditorStyle& style) const {
  // The text font goes to every kind of text, as the presets set it; the
  // element fonts after it, so they keep what the tab shows.
  const TFontDesc& text = style.GetViewInfo(kElemNormal)->GetFont();
  if (TextFace->Face() != text.Face || TextSize->value() != text.Size)
    style.SetFonts(TextFace->Face(), TextSize->value());
  const auto store = [&](int element, const TFaceChooser* face, const QSpinBox* size) {
    TViewInfo* info = style.GetViewInfo(element);
    info->SetFontName(face->Face());
    info->SetFontSize(size->value());
  };
  store(kElemRubi, RubyFace, RubySize);
  store(kElemLineInfo, LineInfoFace, LineInfoSize);
}

}  // namespace vorna::app
