// Font files assembled from tables: directory, cmap format 12, name table.
#include "platform/qt/QtFontFiles.h"

#include <algorithm>

namespace vorna::qt {
namespace {

void Put16(QByteArray& out, uint32_t v) {
  out.append(static_cast<char>(v >> 8 & 0xFF));
  out.append(static_cast<char>(v & 0xFF));
}

void Put32(QByteArray& out, uint32_t v) {
  Put16(out, v >> 16);
  Put16(out, v & 0xFFFF);
}

void Set32(QByteArray& out, qsizetype at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(v >> (24 - 8 * i) & 0xFF);
}

uint32_t Checksum(const char* data, qsizetype size) {
  uint32_t sum = 0;
  for (qsizetype i = 0; i < size; i += 4) {
    uint32_t word = 0;
    for (qsizetype k = 0; k < 4; ++k)
      word = word << 8 | (i + k < size ? static_cast<uint8_t>(data[i + k]) : 0u);
    sum += word;
  }
  return sum;
}

}  // namespace

bool WriteSfnt(QIODevice& out, uint32_t version, std::vector<TSfntTable> tables) {
  struct TEntry {
    const TSfntTable* Table;
    uint32_t Sum, Length;
  };
  std::sort(tables.begin(), tables.end(),
            [](const TSfntTable& a, const TSfntTable& b) { return a.Tag < b.Tag; });
  std::vector<TEntry> entries;
  for (const TSfntTable& t : tables) {
    const QByteArray data = t.Load();
    if (!data.isEmpty())
      entries.push_back({&t, Checksum(data.constData(), data.size()), static_cast<uint32_t>(data.size())});
  }
  const auto count = static_cast<uint32_t>(entries.size());
  uint32_t power = 1, log2 = 0;
  while (power * 2 <= count) {
    power *= 2;
    ++log2;
  }
  QByteArray header;
  Put32(header, version);
  Put16(header, count);
  Put16(header, power * 16);
  Put16(header, log2);
  Put16(header, count * 16 - power * 16);
  uint32_t offset = 12 + 16 * count;
  // The file's checksum is the sum of the header's and the tables' (each
  // table starts 4-byte aligned, padded with zeros).
  uint32_t fileSum = 0;
  for (const TEntry& e : entries) {
    fileSum += e.Sum;
    Put32(header, e.Table->Tag);
    Put32(header, e.Sum);
    Put32(header, offset);
    Put32(header, e.Length);
    offset += (e.Length + 3) & ~3u;
  }
  fileSum += Checksum(header.constData(), header.size());
  if (out.write(header) != header.size()) return false;
  for (const TEntry& e : entries) {
    QByteArray data = e.Table->Load();
    if (static_cast<uint32_t>(data.size()) != e.Length) return false;
    if (e.Table->Tag == SfntTag("head") && data.size() >= 12) {
      // The adjustment counts as zero in the file's checksum.
      Set32(data, 8, 0xB1B0AFBA - (fileSum - Checksum(data.constData() + 8, 4)));
    }
    data.append((4 - data.size() % 4) % 4, '\0');
    if (out.write(data) != data.size()) return false;
  }
  return true;
}

QByteArray BuildUnicodeCmap(const std::vector<TCmapEntry>& entries) {
  struct TGroup {
    uint32_t First, Last, Glyph;
  };
  std::vector<TGroup> groups;
  for (const TCmapEntry& e : entries) {
    if (!groups.empty()) {
      TGroup& g = groups.back();
      if (e.Code == g.Last + 1 && e.Glyph == g.Glyph + (g.Last + 1 - g.First)) {
        g.Last = e.Code;
        continue;
      }
    }
    groups.push_back({static_cast<uint32_t>(e.Code), static_cast<uint32_t>(e.Code), e.Glyph});
  }
  const auto subtableLength = static_cast<uint32_t>(16 + 12 * groups.size());
  QByteArray out;
  Put16(out, 0);   // version
  Put16(out, 1);   // one subtable
  Put16(out, 3);   // Windows
  Put16(out, 10);  // UCS-4
  Put32(out, 12);  // its offset
  Put16(out, 12);  // format
  Put16(out, 0);
  Put32(out, subtableLength);
  Put32(out, 0);  // language
  Put32(out, static_cast<uint32_t>(groups.size()));
  for (const TGroup& g : groups) {
    Put32(out, g.First);
    Put32(out, g.Last);
    Put32(out, g.Glyph);
  }
  return out;
}

QByteArray BuildNameTable(const QString& family, const QString& style, const QString& postscript) {
  QString psName = postscript;
  psName.remove(u' ');
  const QString full = family + u' ' + style;
  const std::pair<int, const QString*> records[] = {{1, &family}, {2, &style}, {4, &full}, {6, &psName}};
  QByteArray strings;
  QByteArray out;
  Put16(out, 0);
  Put16(out, std::size(records));
  Put16(out, 6 + 12 * std::size(records));
  for (const auto& [id, text] : records) {
    const auto at = static_cast<uint32_t>(strings.size());
    for (QChar c : *text) Put16(strings, c.unicode());
    Put16(out, 3);       // Windows
    Put16(out, 1);       // Unicode BMP
    Put16(out, 0x0409);  // English
    Put16(out, static_cast<uint32_t>(id));
    Put16(out, static_cast<uint32_t>(strings.size()) - at);
    Put16(out, at);
  }
  out.append(strings);
  return out;
}

}  // namespace vorna::qt
