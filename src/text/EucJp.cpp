// EUC-JP tables: two-byte JIS X 0208 codes, 0x8E half-width katakana and
// 0x8F three-byte JIS X 0212 codes, decoded once through iconv.
#include "text/EucJp.h"

#include <array>
#include <memory>
#include <stdexcept>
#include <unordered_map>

#include "text/IconvCodes.h"

namespace vorna {
namespace {

constexpr int kRow = 94;  // bytes 0xA1..0xFE

struct TEucTables {
  std::array<char32_t, kRow * kRow> Two{};        // 0xA1A1..0xFEFE
  std::array<char32_t, kRow * kRow> Three{};      // 0x8FA1A1..0x8FFEFE
  std::unordered_map<char32_t, uint32_t> Encode;  // code point -> bytes as 0xHHMMLL
};

const TEucTables& Tables() {
  static const std::unique_ptr<TEucTables> tables = [] {
    auto t = std::make_unique<TEucTables>();
    iconv_t dec = iconv_open("UTF-32LE", "EUC-JP");
    iconv_t enc = iconv_open("EUC-JP", "UTF-32LE");
    if (dec == reinterpret_cast<iconv_t>(-1) || enc == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error("iconv has no EUC-JP converter");
    for (int hi = 0; hi < kRow; ++hi) {
      for (int lo = 0; lo < kRow; ++lo) {
        const unsigned char two[2] = {static_cast<unsigned char>(0xA1 + hi),
                                      static_cast<unsigned char>(0xA1 + lo)};
        const unsigned char three[3] = {0x8F, two[0], two[1]};
        t->Two[static_cast<size_t>(hi * kRow + lo)] = IconvDecodeCode(dec, two, 2);
        t->Three[static_cast<size_t>(hi * kRow + lo)] = IconvDecodeCode(dec, three, 3);
      }
    }
    // The code iconv itself writes for each character, so decoding a code
    // that it would write differently can be told apart.
    auto add = [&](char32_t cp) {
      if (cp && !t->Encode.count(cp))
        if (uint32_t code = IconvEncodeCode(enc, cp)) t->Encode.emplace(cp, code);
    };
    for (char32_t cp : t->Two) add(cp);
    for (char32_t cp : t->Three) add(cp);
    for (char32_t cp = 0xFF61; cp <= 0xFF9F; ++cp) add(cp);
    // A code whose character iconv writes as other bytes is left out, so
    // decoding is one lookup and a file of valid codes comes back as it was.
    const auto keepCanonical = [&](auto& table, uint32_t prefix) {
      for (size_t i = 0; i < table.size(); ++i) {
        const uint32_t code = prefix | static_cast<uint32_t>((0xA1 + i / kRow) << 8 | (0xA1 + i % kRow));
        auto it = t->Encode.find(table[i]);
        if (table[i] && (it == t->Encode.end() || it->second != code)) table[i] = 0;
      }
    };
    keepCanonical(t->Two, 0);
    keepCanonical(t->Three, 0x8F0000);
    iconv_close(dec);
    iconv_close(enc);
    return t;
  }();
  return *tables;
}

}  // namespace

int DecodeEucJpAt(const unsigned char* b, size_t n, char32_t& cp) {
  const unsigned char c = b[0];
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  auto inRow = [](unsigned char x) { return x >= 0xA1 && x <= 0xFE; };
  if (c == 0x8E) {
    if (n < 2) return -1;
    if (b[1] < 0xA1 || b[1] > 0xDF) return 0;
    cp = 0xFF61 + (b[1] - 0xA1);
    return 2;
  }
  if (c == 0x8F) {
    if (n < 3) return n < 2 || inRow(b[1]) ? -1 : 0;
    if (!inRow(b[1]) || !inRow(b[2])) return 0;
    cp = Tables().Three[static_cast<size_t>((b[1] - 0xA1) * kRow + (b[2] - 0xA1))];
    return cp ? 3 : 0;
  }
  if (!inRow(c)) return 0;
  if (n < 2) return -1;
  if (!inRow(b[1])) return 0;
  cp = Tables().Two[static_cast<size_t>((c - 0xA1) * kRow + (b[1] - 0xA1))];
  return cp ? 2 : 0;
}

bool AppendEucJp(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
    return true;
  }
  const auto& encode = Tables().Encode;
  auto it = encode.find(cp);
  if (it == encode.end()) return false;
  const uint32_t code = it->second;
  if (code > 0xFFFF) out += static_cast<char>(code >> 16);
  out += static_cast<char>(code >> 8 & 0xFF);
  out += static_cast<char>(code & 0xFF);
  return true;
}

}  // namespace vorna
