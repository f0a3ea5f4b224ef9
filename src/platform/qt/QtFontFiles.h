// Font files (sfnt) assembled from tables: the table directory with its
// checksums, a Unicode cmap and a name table.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace vorna::qt {

// The tag of a table named by its four characters.
constexpr uint32_t SfntTag(const char* name) {
  return static_cast<uint32_t>(static_cast<uint8_t>(name[0])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(name[1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(name[2])) << 8 | static_cast<uint8_t>(name[3]);
}

// A table of a font file being written: its tag and how to get its bytes,
// asked twice (for the directory, then for the file) so that only one large
// table is in memory at a time.
struct TSfntTable {
  uint32_t Tag = 0;
  std::function<QByteArray()> Load;
};

struct TCmapEntry {
  char32_t Code = 0;
  uint32_t Glyph = 0;
};

// Writes a font file holding `tables` (any order, tags distinct; a table
// whose bytes are empty is left out) to `out`: sorted by tag, each 4-byte aligned with its checksum, and
// head's checkSumAdjustment set when a head table of at least 12 bytes is among them. `version` is 0x00010000
// for TrueType outlines, 'OTTO' for CFF ones. False when `out` refuses bytes.
bool WriteSfnt(QIODevice& out, uint32_t version, std::vector<TSfntTable> tables);

// A cmap table of one Windows UCS-4 subtable (format 12) mapping each code of
// `entries` (sorted by code, codes distinct) to its glyph; runs of
// consecutive codes with consecutive glyphs share one group.
QByteArray BuildUnicodeCmap(const std::vector<TCmapEntry>& entries);

// A name table in Windows Unicode English: family (1), style (2), full name
// (4) and PostScript name (6, spaces removed).
QByteArray BuildNameTable(const QString& family, const QString& style, const QString& postscript);

}  // namespace vorna::qt
