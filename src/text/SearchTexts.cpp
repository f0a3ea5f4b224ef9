// Fold tables, the search text of a line and the map back to its bytes.
#include "text/SearchTexts.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "text/Cp932.h"
#include "text/ShiftJis.h"
#include "text/TextConversions.h"
#include "text/UserCodes.h"

namespace vorna {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code of `s` when it is exactly one character, else 0.
unsigned CodeOf(std::string_view s) {
  const auto* b = reinterpret_cast<const unsigned char*>(s.data());
  if (s.size() == 1) return b[0];
  if (s.size() == 2 && IsLeadByte(b[0])) return static_cast<unsigned>(b[0]) << 8 | b[1];
  return 0;
}

std::string FoldCharacter(std::string s, int folds) {
  if (folds & sfWidth) {
    const auto first = static_cast<unsigned char>(s[0]);
    if (first >= 0xA1 && first <= 0xDF) {
      s = ConvertText(s, ckFullWidth);
    } else if (std::string half = ConvertText(s, ckHalfWidth);
               half.size() == 1 && static_cast<unsigned char>(half[0]) < 0x80) {
      s = std::move(half);
    }
  }
  if (folds & sfCase) s = ConvertText(s, ckUpperCase);
  if (folds & sfKana) s = ConvertText(s, ckKatakana);
  return s;
}

// One character of the line: its bytes and its folded code.
struct TUnit {
  size_t Length;
  unsigned Code;
};

// The character at `i`. A lead byte takes the byte after it, as everywhere in
// the text layer; a half-width base and its mark pair only before `end`.
inline TUnit UnitAt(const unsigned char* b, size_t size, size_t end, size_t i, const TFoldTable* fold) {
  const unsigned char c = b[i];
  if (IsLeadByte(c) && i + 1 < size) {
    const unsigned code = static_cast<unsigned>(c) << 8 | b[i + 1];
    return {2, fold ? unsigned{fold->Fold(code)} : code};
  }
  if (fold && c >= 0xA0 && c <= 0xDF && i + 1 < end)
    if (const uint16_t pair = fold->FoldPair(c, b[i + 1])) return {2, pair};
  return {1, fold ? fold->Fold(c) : unsigned{c}};
}

inline char32_t CharacterOf(unsigned code) {
  if (code < 0x80) return code;
  char32_t cp;
  if (code < 0x100) {
    cp = Cp932CodeToUnicode(code);
  } else {
    const unsigned trail = code & 0xFF;
    if (trail < 0x40 || trail > 0xFC || trail == 0x7F) return kReplacement;
    cp = code >= 0xF040 && code <= 0xF9FC ? UserCodeCharacter(code) : Cp932CodeToUnicode(code);
    if (cp == 0 && code >= 0xF040 && code <= 0xF9FC) return 0;  // a code that stands for NUL
  }
  return cp == 0 || cp > 0x10FFFF ? kReplacement : cp;
}

inline size_t Utf8Length(char32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

inline char* PutUtf8(char* p, char32_t cp) {
  if (cp < 0x80) {
    *p++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *p++ = static_cast<char>(0xC0 | cp >> 6);
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *p++ = static_cast<char>(0xE0 | cp >> 12);
    *p++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *p++ = static_cast<char>(0xF0 | cp >> 18);
    *p++ = static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return p;
}

// The UTF-8 bytes of every code but the user-defined ones (whose meaning can
// grow while the program runs): up to three bytes, their count in the top byte.
struct TUtf8Table {
  uint32_t Packed[65536];
  TUtf8Table() {
    for (unsigned code = 0; code < 65536; ++code) {
      if (code >= 0xF040 && code <= 0xF9FC) {
        Packed[code] = 0;
        continue;
      }
      char bytes[4] = {};
      const auto length = static_cast<uint32_t>(PutUtf8(bytes, CharacterOf(code)) - bytes);
      uint32_t packed = length << 24;
      for (uint32_t k = 0; k < length; ++k)
        packed |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[k])) << (8 * k);
      Packed[code] = packed;
    }
  }
};

const TUtf8Table& Utf8Table() {
  static const auto table = std::make_unique<TUtf8Table>();
  return *table;
}

// Puts the UTF-8 form of `code` at `p`, which has room for four bytes.
inline char* PutCodeUtf8(char* p, unsigned code, const TUtf8Table& table) {
  const uint32_t packed = table.Packed[code];
  if (packed == 0) return PutUtf8(p, CharacterOf(code));
  p[0] = static_cast<char>(packed);
  p[1] = static_cast<char>(packed >> 8);
  p[2] = static_cast<char>(packed >> 16);
  return p + (packed >> 24);
}

inline size_t FormLength(unsigned code, bool utf8) {
  if (!utf8) return code > 0xFF ? 2 : 1;
  const uint32_t packed = Utf8Table().Packed[code];
  return packed ? packed >> 24 : Utf8Length(CharacterOf(code));
}

}  // namespace

char32_t SearchCharacterOf(unsigned code) { return CharacterOf(code); }

TFoldTable::TFoldTable(int folds) : FFolds(folds), FCode(65536), FShared(65536, 0) {
  for (unsigned code = 0; code < 65536; ++code) FCode[code] = static_cast<uint16_t>(code);
  const auto fold = [folds](std::string s) -> uint16_t {
    const std::string original = s;
    const unsigned code = CodeOf(FoldCharacter(std::move(s), folds));
    return static_cast<uint16_t>(code ? code : CodeOf(original));
  };
  if (folds != 0) {
    for (unsigned b = 1; b < 0x100; ++b)
      if (!IsLeadByte(static_cast<unsigned char>(b)) && Cp932CodeToUnicode(b) != 0)
        FCode[b] = fold(std::string(1, static_cast<char>(b)));
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        const unsigned code = lead << 8 | trail;
        if (trail == 0x7F || Cp932CodeToUnicode(code) == 0) continue;
        FCode[code] = fold({static_cast<char>(lead), static_cast<char>(trail)});
      }
    }
  }
  std::vector<unsigned char> count(65536, 0);
  const auto counted = [&](unsigned folded) {
    if (count[folded] < 2) ++count[folded];
  };
  for (unsigned code = 0; code < 65536; ++code) counted(FCode[code]);
  if (folds & sfWidth) {
    for (unsigned base = 0xA1; base <= 0xDD; ++base)
      for (unsigned mark = 0xDE; mark <= 0xDF; ++mark) {
        const std::string full =
            ConvertText(std::string{static_cast<char>(base), static_cast<char>(mark)}, ckFullWidth);
        if (CodeOf(full) <= 0xFF) continue;  // the two stay two characters
        const uint16_t folded = fold(full);
        FPair[mark - 0xDE][base - 0xA0] = folded;
        counted(folded);
      }
  }
  for (unsigned code = 0; code < 65536; ++code) FShared[code] = count[code] >= 2;
}

const TFoldTable& FoldTableFor(int folds) {
  static std::once_flag once[8];
  static std::unique_ptr<TFoldTable> tables[8];
  const int index = folds & 7;
  std::call_once(once[index], [index] { tables[index] = std::make_unique<TFoldTable>(index); });
  return *tables[index];
}

void AppendSearchText(std::string_view line, size_t from, const std::vector<THiddenSpan>* spans,
                      const TSearchForm& form, std::string& out) {
  const auto* b = reinterpret_cast<const unsigned char*>(line.data());
  const size_t size = line.size();
  const bool identity = !form.Fold && !form.Utf8;
  size_t span = 0;
  for (size_t i = from; i < size;) {
    size_t end = size;
    if (spans) {
      while (span < spans->size() && static_cast<size_t>((*spans)[span].Last) <= i) ++span;
      if (span < spans->size()) {
        const size_t first = static_cast<size_t>((*spans)[span].First) - 1;
        if (first <= i) {
          i = static_cast<size_t>((*spans)[span].Last);
          continue;
        }
        end = first;
      }
    }
    if (identity) {
      out.append(line.substr(i, end - i));
      i = end;
      continue;
    }
    // At most two bytes per byte folded (ｶ is カ), three in UTF-8.
    const size_t at = out.size();
    out.resize(at + (end - i) * (form.Utf8 ? 3 : 2) + 4);
    const TUtf8Table& utf8 = Utf8Table();
    char* p = out.data() + at;
    while (i < end) {
      const TUnit unit = UnitAt(b, size, end, i, form.Fold);
      i += unit.Length;
      if (form.Utf8) {
        p = PutCodeUtf8(p, unit.Code, utf8);
      } else {
        if (unit.Code > 0xFF) *p++ = static_cast<char>(unit.Code >> 8);
        *p++ = static_cast<char>(unit.Code);
      }
    }
    out.resize(static_cast<size_t>(p - out.data()));
  }
}

TSearchTextMap::TSearchTextMap(std::string_view line, size_t from, const std::vector<THiddenSpan>* spans,
                               const TSearchForm& form)
    : FLine(line), FFrom(from), FSpans(spans && !spans->empty() ? spans : nullptr), FForm(form) {
  Restart();
}

void TSearchTextMap::Restart() {
  FLineOffset = FFrom;
  FTextOffset = 0;
  FSpan = 0;
  if (FSpans)
    while (FSpan < FSpans->size() && static_cast<size_t>((*FSpans)[FSpan].Last) <= FLineOffset) ++FSpan;
}

bool TSearchTextMap::AtSpan() const {
  return FSpans && FSpan < FSpans->size() && static_cast<size_t>((*FSpans)[FSpan].First) - 1 <= FLineOffset;
}

void TSearchTextMap::SkipSpan() {
  FLineOffset = std::max(FLineOffset, static_cast<size_t>((*FSpans)[FSpan].Last));
  ++FSpan;
}

void TSearchTextMap::Step(size_t textTarget, size_t lineTarget) {
  const size_t size = FLine.size();
  const size_t runEnd = FSpans && FSpan < FSpans->size()
                            ? std::min(size, static_cast<size_t>((*FSpans)[FSpan].First) - 1)
                            : size;
  if (!FForm.Fold && !FForm.Utf8) {
    // The text is the line less its spans: a whole run of visible bytes at once.
    const size_t step = std::min({runEnd - FLineOffset, textTarget - FTextOffset, lineTarget - FLineOffset});
    FLineOffset += step;
    FTextOffset += step;
    return;
  }
  const TUnit unit =
      UnitAt(reinterpret_cast<const unsigned char*>(FLine.data()), size, runEnd, FLineOffset, FForm.Fold);
  FLineOffset += unit.Length;
  FTextOffset += FormLength(unit.Code, FForm.Utf8);
}

size_t TSearchTextMap::StartOf(size_t offset) {
  if (offset < FTextOffset) Restart();
  const size_t size = FLine.size();
  for (;;) {
    if (AtSpan()) {
      SkipSpan();
      continue;
    }
    if (FTextOffset >= offset || FLineOffset >= size) break;
    Step(offset, size);
  }
  return FLineOffset;
}

size_t TSearchTextMap::EndOf(size_t offset) {
  if (offset < FTextOffset) Restart();
  const size_t size = FLine.size();
  while (FTextOffset < offset && FLineOffset < size) {
    if (AtSpan()) {
      SkipSpan();
      continue;
    }
    Step(offset, size);
  }
  return FLineOffset;
}

size_t TSearchTextMap::TextOffsetOf(size_t lineOffset) {
  if (lineOffset < FLineOffset) Restart();
  const size_t size = FLine.size();
  while (FLineOffset < lineOffset && FLineOffset < size) {
    if (AtSpan()) {
      SkipSpan();
      continue;
    }
    Step(SIZE_MAX, lineOffset);
  }
  return FTextOffset;
}

}  // namespace vorna
