// CP932 <-> Unicode through glibc iconv, with decode and encode tables built
// once so that conversion is a table lookup per character.
#include "text/Cp932.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

#include "text/Cp932Tables.h"
#include "text/IconvCodes.h"
#include "text/ShiftJis.h"
#include "text/UserCodes.h"

namespace vorna {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code (one or two bytes); 0 when it does not decode.
char32_t IconvDecode(iconv_t cd, const unsigned char* bytes, size_t length) {
  return IconvDecodeCode(cd, bytes, length);
}

// Encodes one code point; 0 when CP932 cannot hold it.
uint16_t IconvEncode(iconv_t cd, char32_t cp) {
  const uint32_t code = IconvEncodeCode(cd, cp);
  return code <= 0xFFFF ? static_cast<uint16_t>(code) : 0;
}

struct TTables {
  // Index: a single byte b at b, a double-byte code at its 16-bit value.
  std::array<char32_t, 65536> Decode{};
  std::unordered_map<char32_t, uint16_t> Encode;
  // Index: a BMP code point; the code that decodes back to it exactly, or 0.
  std::array<uint16_t, 65536> Held{};
};

const TTables& Tables() {
  static const std::unique_ptr<TTables> tables = [] {
    auto t = std::make_unique<TTables>();
    iconv_t dec = iconv_open("UTF-32LE", "CP932");
    iconv_t enc = iconv_open("CP932", "UTF-32LE");
    if (dec == reinterpret_cast<iconv_t>(-1) || enc == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error("iconv has no CP932 converter");
    for (unsigned b = 0; b < 256; ++b) {
      if (IsLeadByte(static_cast<unsigned char>(b))) continue;
      unsigned char byte = static_cast<unsigned char>(b);
      t->Decode[b] = b == 0 ? 0 : IconvDecode(dec, &byte, 1);
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (trail == 0x7F) continue;
        unsigned char pair[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
        t->Decode[lead << 8 | trail] = IconvDecode(dec, pair, 2);
      }
    }
    // Reverse table: the code iconv itself picks for every decodable code point.
    for (unsigned code = 1; code < 65536; ++code) {
      char32_t cp = t->Decode[code];
      if (cp == 0 || t->Encode.count(cp)) continue;
      if (uint16_t back = IconvEncode(enc, cp)) t->Encode.emplace(cp, back);
    }
    for (auto [cp, code] : t->Encode)
      if (cp < 0x10000 && t->Decode[code] == cp) t->Held[cp] = code;
    // The JIS forms of the characters that Microsoft's table maps elsewhere, so
    // that text from other sources keeps them.
    for (auto [cp, code] : kCp932CompatibilityForms) t->Encode.emplace(cp, code);
    iconv_close(dec);
    iconv_close(enc);
    return t;
  }();
  return *tables;
}

}  // namespace

char32_t Cp932CodeToUnicode(unsigned code) {
  if (code > 0xFFFF) return 0;
  if (code == 0) return 0;
  return Tables().Decode[code];
}

int Cp932DecodeAt(std::string_view cp932, size_t i, char32_t& cp) {
  const auto* b = reinterpret_cast<const unsigned char*>(cp932.data());
  if (IsLeadByte(b[i])) {
    if (i + 1 < cp932.size()) {
      unsigned char trail = b[i + 1];
      if (trail >= 0x40 && trail <= 0xFC && trail != 0x7F) {
        const unsigned code = static_cast<unsigned>(b[i]) << 8 | trail;
        if (b[i] >= 0xF0 && b[i] <= 0xF9) {
          cp = UserCodeCharacter(code);  // NUL too, when a code stands for it
          return 2;
        }
        char32_t u = Tables().Decode[code];
        cp = u ? u : kReplacement;
        return 2;
      }
    }
    cp = kReplacement;
    return 1;
  }
  if (b[i] == 0) {
    cp = 0;
    return 1;
  }
  char32_t u = Tables().Decode[b[i]];
  cp = u ? u : kReplacement;
  return 1;
}

std::string Utf8FromCp932(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  for (size_t i = 0; i < cp932.size();) {
    char32_t cp;
    i += Cp932DecodeAt(cp932, i, cp);
    AppendUtf8(out, ShownCharacter(cp));
  }
  return out;
}

uint16_t HeldCp932Code(char32_t cp) {
  if (cp == 0 || cp > 0xFFFF) return 0;
  if (cp < 0x80) return static_cast<uint16_t>(cp);
  return Tables().Held[cp];
}

const uint16_t* HeldCp932Table() { return Tables().Held.data(); }

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int DecodeUtf8At(std::string_view s, size_t i, char32_t& cp) {
  const auto* b = reinterpret_cast<const unsigned char*>(s.data());
  const size_t n = s.size();
  const unsigned char c = b[i];
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  int extra;
  char32_t min;
  if (c >= 0xC2 && c <= 0xDF) {
    extra = 1, min = 0x80, cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    extra = 2, min = 0x800, cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    extra = 3, min = 0x10000, cp = c & 0x07;
  } else {
    return 0;
  }
  if (i + static_cast<size_t>(extra) >= n) return 0;
  for (int k = 1; k <= extra; ++k) {
    const unsigned char d = b[i + static_cast<size_t>(k)];
    if ((d & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (d & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return extra + 1;
}

uint16_t UnicodeToCp932Code(char32_t cp) {
  if (cp < 0x80) return static_cast<uint16_t>(cp);
  const auto& encode = Tables().Encode;
  auto it = encode.find(cp);
  return it == encode.end() ? 0 : it->second;
}

std::string Cp932FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp;
    const int n = DecodeUtf8At(utf8, i, cp);
    i += n ? static_cast<size_t>(n) : 1;
    if (n == 0) cp = kReplacement;
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    uint16_t code = UnicodeToCp932Code(cp);
    if (code == 0) {
      out += '?';
    } else if (code > 0xFF) {
      out += static_cast<char>(code >> 8);
      out += static_cast<char>(code & 0xFF);
    } else {
      out += static_cast<char>(code);
    }
  }
  return out;
}

const std::string& Cp932Lit(std::string_view utf8) {
  static std::mutex mutex;
  static std::map<std::string, std::string, std::less<>> cache;
  std::lock_guard lock(mutex);
  auto it = cache.find(utf8);
  if (it != cache.end()) return it->second;
  std::string converted = Cp932FromUtf8(utf8);
  if (std::count(converted.begin(), converted.end(), '?') != std::count(utf8.begin(), utf8.end(), '?'))
    throw std::logic_error("literal has a character CP932 cannot hold: " + std::string(utf8));
  return cache.emplace(std::string(utf8), std::move(converted)).first->second;
}

}  // namespace vorna
