// The glyphs of one text output gathered into glyph runs. On screens and
// images: one run per face and orientation, the fewest runs. In a PDF the
// runs follow the text, because the order of runs is the order in which a
// reader extracts the text (an upright run before a rotated one would move a
// rotated digit to the end of its line).
#pragma once

#include <QList>
#include <QPaintEngine>
#include <QPainter>
#include <QPointF>
#include <vector>

namespace vorna::qt {

struct TGlyphBatch {
  int Face = 0;
  bool Rotated = false;
  QList<quint32> Glyphs;
  QList<QPointF> At;
};

// True when `p` writes a PDF (the PDF file printer and CUPS printers alike).
inline bool DrawsPdf(QPainter* p) {
  const QPaintEngine* engine = p->paintEngine();
  return engine && engine->type() == QPaintEngine::Pdf;
}

class TGlyphBatches {
 public:
  // `faces`: the font's face count; `inTextOrder`: a new run whenever the
  // face or the orientation changes.
  TGlyphBatches(int faces, bool inTextOrder) : FInTextOrder(inTextOrder) {
    if (!inTextOrder) {
      FBatches.resize(static_cast<size_t>(faces) * 2);
      for (size_t i = 0; i < FBatches.size(); ++i) {
        FBatches[i].Face = static_cast<int>(i / 2);
        FBatches[i].Rotated = i % 2 == 1;
      }
    }
  }

  void Add(int face, bool rotated, quint32 glyph, QPointF at) {
    TGlyphBatch* batch;
    if (!FInTextOrder) {
      batch = &FBatches[static_cast<size_t>(face) * 2 + (rotated ? 1 : 0)];
    } else {
      if (FBatches.empty() || FBatches.back().Face != face || FBatches.back().Rotated != rotated)
        FBatches.push_back({face, rotated, {}, {}});
      batch = &FBatches.back();
    }
    batch->Glyphs.append(glyph);
    batch->At.append(at);
  }

  // Runs in drawing order; some may be empty.
  const std::vector<TGlyphBatch>& Batches() const { return FBatches; }

 private:
  bool FInTextOrder;
  std::vector<TGlyphBatch> FBatches;
};

}  // namespace vorna::qt
