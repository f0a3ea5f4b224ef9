// Case, kana and width conversions of CP932 text. Each character is decoded to
// Unicode, mapped there, and encoded back; a result that CP932 cannot hold
// leaves the character as it was.
#include "text/TextConversions.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "text/Cp932.h"
#include "text/ShiftJis.h"

namespace vorna {
namespace {

// Full-width forms of the half-width katakana block U+FF61..U+FF9F.
constexpr char32_t kFullOfHalfKana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,  // ｡｢｣､･ｦｧｨｩｪｫ
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA,  // ｬｭｮｯｰｱｲｳｴｵ
    0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD,  // ｶｷｸｹｺｻｼｽｾｿ
    0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE,  // ﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉ
    0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2,  // ﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓ
    0x30E4, 0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3,  // ﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ
    0x309B, 0x309C,                                                                  // ﾞﾟ
};
constexpr char32_t kHalfKanaFirst = 0xFF61;
constexpr char32_t kHalfKanaLast = 0xFF9F;
constexpr char32_t kHalfVoiced = 0xFF9E;
constexpr char32_t kHalfSemiVoiced = 0xFF9F;
static_assert(sizeof(kFullOfHalfKana) / sizeof(char32_t) == kHalfKanaLast - kHalfKanaFirst + 1);

// Katakana that take the voiced mark (カ..ト, ハ..ホ; ウ becomes ヴ) and the
// semi-voiced mark (ハ..ホ). The combined character follows its base.
constexpr char32_t kVoicedBases[] = {0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7,
                                     0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6,
                                     0x30C8, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB};
constexpr char32_t kSemiVoicedBases[] = {0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB};

template <size_t N>
constexpr bool Contains(const char32_t (&set)[N], char32_t c) {
  return std::find(std::begin(set), std::end(set), c) != std::end(set);
}

char32_t Voiced(char32_t base) {
  if (base == 0x30A6) return 0x30F4;  // ウ -> ヴ
  return Contains(kVoicedBases, base) ? base + 1 : 0;
}

char32_t SemiVoiced(char32_t base) { return Contains(kSemiVoicedBases, base) ? base + 2 : 0; }

// Half-width form of a full-width katakana or kana punctuation: up to two
// code points (base and mark); returns the count, 0 when there is none.
int HalfKanaOf(char32_t cp, char32_t out[2]) {
  for (char32_t h = kHalfKanaFirst; h <= kHalfKanaLast; ++h) {
    char32_t full = kFullOfHalfKana[h - kHalfKanaFirst];
    if (full == cp) {
      out[0] = h;
      return 1;
    }
    if (h < kHalfVoiced && Voiced(full) == cp) {
      out[0] = h;
      out[1] = kHalfVoiced;
      return 2;
    }
    if (h < kHalfVoiced && SemiVoiced(full) == cp) {
      out[0] = h;
      out[1] = kHalfSemiVoiced;
      return 2;
    }
  }
  return 0;
}

char32_t UpperOf(char32_t c) {
  if ((c >= U'a' && c <= U'z') || (c >= 0xFF41 && c <= 0xFF5A)) return c - 0x20;  // Latin, full-width
  if (c >= 0x03B1 && c <= 0x03C9 && c != 0x03C2) return c - 0x20;                 // Greek
  if (c >= 0x0430 && c <= 0x044F) return c - 0x20;                                // Cyrillic
  if (c >= 0x0450 && c <= 0x045F) return c - 0x50;                                // ё
  if (c >= 0x2170 && c <= 0x217F) return c - 0x10;                                // small Roman numerals
  return c;
}

char32_t LowerOf(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= 0xFF21 && c <= 0xFF3A)) return c + 0x20;
  if (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) return c + 0x20;
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
  if (c >= 0x2160 && c <= 0x216F) return c + 0x10;
  return c;
}

char32_t HiraganaOf(char32_t c) {
  if (c >= 0x30A1 && c <= 0x30F6) return c - 0x60;  // ァ..ヶ (ヴヵヶ have no CP932 hiragana)
  if (c == 0x30FD || c == 0x30FE) return c - 0x60;  // ヽヾ -> ゝゞ
  return c;
}

char32_t KatakanaOf(char32_t c) {
  if (c >= 0x3041 && c <= 0x3096) return c + 0x60;
  if (c == 0x309D || c == 0x309E) return c + 0x60;
  return c;
}

// Full-width form of a single character other than a half-width katakana.
// The ASCII forms follow the Japanese reading of the code page: 0x5C is the
// yen sign, quote and apostrophe become the closing quotation marks.
char32_t FullOf(char32_t c) {
  switch (c) {
    case U' ':
      return 0x3000;
    case U'"':
      return 0x201D;
    case U'\'':
      return 0x2019;
    case U'\\':
      return 0xFFE5;
    default:
      break;
  }
  if (c >= 0x21 && c <= 0x7E) return c + 0xFEE0;
  if (c >= kHalfKanaFirst && c <= kHalfKanaLast) return kFullOfHalfKana[c - kHalfKanaFirst];
  return c;
}

// Half-width form; returns the count of code points (1 or 2).
int HalfOf(char32_t c, char32_t out[2]) {
  switch (c) {
    case 0x3000:
      out[0] = U' ';
      return 1;
    case 0x201D:
      out[0] = U'"';
      return 1;
    case 0x2019:
      out[0] = U'\'';
      return 1;
    case 0xFFE5:
      out[0] = U'\\';
      return 1;
    default:
      break;
  }
  if (c >= 0xFF01 && c <= 0xFF5E) {
    out[0] = c - 0xFEE0;
    return 1;
  }
  if (c >= 0x3001 && c <= 0x30FE) {
    if (int n = HalfKanaOf(c, out)) return n;
  }
  out[0] = c;
  return 1;
}

// CP932 bytes of one code point appended to `out`; false when CP932 has none.
bool AppendCode(std::string& out, char32_t cp) {
  if (cp == 0) return false;
  uint16_t code = UnicodeToCp932Code(cp);
  if (code == 0) return false;
  if (code > 0xFF) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
  return true;
}

bool AppendCodes(std::string& out, const char32_t* cps, int count) {
  const size_t mark = out.size();
  for (int i = 0; i < count; ++i) {
    if (!AppendCode(out, cps[i])) {
      out.resize(mark);
      return false;
    }
  }
  return true;
}

// Unicode of the character at 0-based `i` and its byte length. 0 for bytes that
// are not a defined CP932 character (they pass through unchanged). A lead byte
// takes the next byte with it, as everywhere in the text layer.
char32_t DecodeAt(const unsigned char* b, size_t n, size_t i, size_t& len) {
  if (IsLeadByte(b[i])) {
    if (i + 1 >= n) {
      len = 1;
      return 0;
    }
    len = 2;
    unsigned char trail = b[i + 1];
    if (trail < 0x40 || trail > 0xFC || trail == 0x7F) return 0;
    return Cp932CodeToUnicode(static_cast<unsigned>(b[i]) << 8 | trail);
  }
  len = 1;
  return b[i] == 0 ? 0 : Cp932CodeToUnicode(b[i]);
}

}  // namespace

std::string ConvertText(std::string_view text, int kind) {
  if (kind < ckUpperCase || kind > ckHalfWidth) return std::string(text);
  const auto* b = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  std::string out;
  out.reserve(n + n / 2);
  for (size_t i = 0; i < n;) {
    size_t len;
    char32_t cp = DecodeAt(b, n, i, len);
    const std::string_view original = text.substr(i, len);
    bool done = false;
    if (cp != 0) {
      char32_t mapped[2] = {cp, 0};
      int count = 1;
      switch (kind) {
        case ckUpperCase:
          mapped[0] = UpperOf(cp);
          break;
        case ckLowerCase:
          mapped[0] = LowerOf(cp);
          break;
        case ckHiragana:
          mapped[0] = HiraganaOf(cp);
          break;
        case ckKatakana:
          mapped[0] = KatakanaOf(cp);
          break;
        case ckFullWidth: {
          mapped[0] = FullOf(cp);
          // A half-width katakana followed by a voiced or semi-voiced mark
          // becomes one full-width character when CP932 has it.
          if (cp >= kHalfKanaFirst && cp < kHalfVoiced && i + len < n) {
            size_t markLen;
            char32_t mark = DecodeAt(b, n, i + len, markLen);
            char32_t combined = mark == kHalfVoiced       ? Voiced(mapped[0])
                                : mark == kHalfSemiVoiced ? SemiVoiced(mapped[0])
                                                          : 0;
            if (combined && AppendCode(out, combined)) {
              i += len + markLen;
              continue;
            }
          }
          break;
        }
        case ckHalfWidth:
          count = HalfOf(cp, mapped);
          break;
      }
      if (count == 1 && mapped[0] == cp) {
        out.append(original);
        done = true;
      } else {
        done = AppendCodes(out, mapped, count);
      }
    }
    if (!done) out.append(original);
    i += len;
  }
  return out;
}

}  // namespace vorna
