// Faces for PDF output whose cmap reaches every glyph the canvas draws. Qt's
// PDF writer gives each embedded glyph its character by looking the glyph up
// in the font's cmap, so a glyph reached only through an OpenType
// substitution (a vertical alternate) would lose its text. A print face is a
// copy of a face with the same glyph ids and outlines and a cmap of our own,
// written to a private temporary folder and registered as an application font
// (Qt embeds only fonts that come from a file).
#pragma once

#include <QRawFont>
#include <functional>
#include <vector>

#include "platform/qt/QtFontFiles.h"

namespace vorna::qt {

// The print face of `face` at its pixel size and style. `cmap` is asked once
// per family and style (entries sorted by code) and becomes the copy's cmap.
// Invalid when the copy cannot be written or registered; callers then draw
// with `face` itself. Copies live until the process ends. GUI thread only.
QRawFont PrintFace(const QRawFont& face, const std::function<std::vector<TCmapEntry>()>& cmap);

}  // namespace vorna::qt
