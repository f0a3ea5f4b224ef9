// Names of encodings and line ends, and telling a file's encoding from its
// bytes.
#include "text/TextEncodings.h"

#include <uchardet.h>

#include <bit>
#include <cstdio>
#include <cstring>
#include <iterator>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/Cp932.h"
#include "text/EucJp.h"
#include "text/ShiftJis.h"
#include "text/UserCodes.h"

namespace vorna {
namespace {

// uchardet needs no more than this to tell CP932 from EUC-JP.
constexpr size_t kDetectorLimit = 4 << 20;

// Bytes a UTF-8 sequence starting with `c` takes (1 for an invalid lead).
int Utf8Length(unsigned char c) {
  if (c >= 0xC2 && c <= 0xDF) return 2;
  if (c >= 0xE0 && c <= 0xEF) return 3;
  if (c >= 0xF0 && c <= 0xF4) return 4;
  return 1;
}

// Each validator walks b[0..n) and returns where a sequence cut at the end
// begins (n when none), or SIZE_MAX when the bytes are invalid.
constexpr size_t kInvalid = static_cast<size_t>(-1);

// Bytes below 0x80 from b[0] on (at most n): every encoding tried reads them
// alike, and a file of plain ASCII or of line breaks alone holds nothing else.
size_t AsciiRun(const unsigned char* b, size_t n) {
  size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= n; i += 16) {
    const auto high =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i))));
    if (high != 0) return i + static_cast<size_t>(std::countr_zero(high));
  }
#endif
  while (i < n && b[i] < 0x80) ++i;
  return i;
}

size_t ValidUtf8(const unsigned char* b, size_t n, bool last, bool& multi) {
  std::string_view s(reinterpret_cast<const char*>(b), n);
  size_t i = 0;
  while (i < n) {
    if (b[i] < 0x80) {
      i += AsciiRun(b + i, n - i);
      continue;
    }
    char32_t cp;
    const int length = DecodeUtf8At(s, i, cp);
    if (length == 0) {
      if (!last && n - i < static_cast<size_t>(Utf8Length(b[i]))) return i;
      return kInvalid;
    }
    multi = true;
    i += static_cast<size_t>(length);
  }
  return n;
}

size_t ValidCp932(const unsigned char* b, size_t n, bool last) {
  size_t i = 0;
  while (i < n) {
    const unsigned char c = b[i];
    if (c < 0x80) {
      i += AsciiRun(b + i, n - i);
    } else if (IsLeadByte(c)) {
      if (i + 1 == n) return last ? kInvalid : i;
      if (!Cp932CodeToUnicode(static_cast<unsigned>(c) << 8 | b[i + 1])) return kInvalid;
      i += 2;
    } else {
      if (!Cp932CodeToUnicode(c)) return kInvalid;
      ++i;
    }
  }
  return n;
}

size_t ValidEucJp(const unsigned char* b, size_t n, bool last) {
  size_t i = 0;
  while (i < n) {
    if (b[i] < 0x80) {
      i += AsciiRun(b + i, n - i);
      continue;
    }
    char32_t cp;
    const int length = DecodeEucJpAt(b + i, n - i, cp);
    if (length < 0) return last ? kInvalid : i;
    if (length == 0) return kInvalid;
    i += static_cast<size_t>(length);
  }
  return n;
}

}  // namespace

namespace {

struct TEncodingNames {
  const char* Name;
  std::string_view Bom;
};
// In the order of TEncoding.
constexpr TEncodingNames kEncodings[] = {{"CP932", {}},
                                         {"UTF-8", "\xEF\xBB\xBF"},
                                         {"UTF-16 LE", "\xFF\xFE"},
                                         {"UTF-16 BE", "\xFE\xFF"},
                                         {"EUC-JP", {}}};
// In the order of TLineEnd.
constexpr std::string_view kLineEndNames[] = {"CRLF", "LF", "CR"};
constexpr std::string_view kLineEndBytes[] = {"\r\n", "\n", "\r"};

}  // namespace

std::string EncodingName(TEncoding encoding, bool bom) {
  const TEncodingNames& e = kEncodings[static_cast<size_t>(encoding) % std::size(kEncodings)];
  return bom && !e.Bom.empty() ? std::string(e.Name) + " (BOM)" : e.Name;
}

std::string_view LineEndName(TLineEnd lineEnd) { return kLineEndNames[static_cast<size_t>(lineEnd) % 3]; }

std::string_view LineEndBytes(TLineEnd lineEnd) { return kLineEndBytes[static_cast<size_t>(lineEnd) % 3]; }

std::string_view BomBytes(TEncoding encoding) {
  return kEncodings[static_cast<size_t>(encoding) % std::size(kEncodings)].Bom;
}

std::string CharacterCodeName(char32_t cp) {
  char text[16];
  if (IsRawByte(cp))
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(cp - kRawByteBase));
  else if (IsLoneSurrogate(cp))
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(cp - kLoneSurrogateBase));
  else
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(cp));
  return text;
}

// --- detection -------------------------------------------------------------------

struct TEncodingSniffer::TDetector {
  uchardet_t Handle = uchardet_new();
  ~TDetector() { uchardet_delete(Handle); }
};

TEncodingSniffer::TEncodingSniffer() = default;
TEncodingSniffer::~TEncodingSniffer() = default;

void TEncodingSniffer::Feed(std::string_view piece) {
  if (piece.empty() || Decided()) return;
  if (!FHeadDone) {
    FHead.append(piece);
    if (FHead.size() < 3) return;
    FHeadDone = true;
    for (TEncoding e : {TEncoding::Utf8, TEncoding::Utf16Le, TEncoding::Utf16Be}) {
      if (FHead.compare(0, BomBytes(e).size(), BomBytes(e)) == 0) {
        FBom = true;
        FBomEncoding = e;
        return;
      }
    }
    std::string head;
    head.swap(FHead);
    Check(reinterpret_cast<const unsigned char*>(head.data()), head.size(), false);
    return;
  }
  Check(reinterpret_cast<const unsigned char*>(piece.data()), piece.size(), false);
}

void TEncodingSniffer::Check(const unsigned char* piece, size_t size, bool last) {
  const std::string_view bytes(reinterpret_cast<const char*>(piece), size);
  if (!FNonAscii) FNonAscii = AsciiRun(piece, size) < size;
  // Each validator goes on from where the previous piece left it: the bytes
  // of a sequence cut at the piece's end are carried into the next.
  const auto run = [&](bool& valid, std::string& carry, auto&& validate) {
    if (!valid) return;
    // Only a carried sequence (a few bytes) costs a copy of the piece.
    std::string joined;
    std::string_view text = bytes;
    if (!carry.empty()) {
      joined = carry + std::string(bytes);
      text = joined;
    }
    const size_t at = validate(reinterpret_cast<const unsigned char*>(text.data()), text.size());
    valid = at != kInvalid;
    carry = valid ? std::string(text.substr(at)) : std::string();
  };
  run(FUtf8, FCarry[0], [&](const unsigned char* b, size_t n) { return ValidUtf8(b, n, last, FUtf8Multi); });
  run(FCp932, FCarry[1], [&](const unsigned char* b, size_t n) { return ValidCp932(b, n, last); });
  run(FEucJp, FCarry[2], [&](const unsigned char* b, size_t n) { return ValidEucJp(b, n, last); });
  if (FCp932 && FEucJp && FNonAscii && FDetectorBytes < kDetectorLimit && size > 0) {
    if (!FDetector) FDetector = std::make_unique<TDetector>();
    const size_t fed = std::min(size, kDetectorLimit - FDetectorBytes);
    uchardet_handle_data(FDetector->Handle, bytes.data(), fed);
    FDetectorBytes += fed;
  }
}

bool TEncodingSniffer::Decided() const { return FBom || (FHeadDone && !FUtf8 && !FEucJp); }

TEncoding TEncodingSniffer::Encoding() {
  if (!FHeadDone) {
    // A text shorter than any byte-order mark's check.
    FHeadDone = true;
    for (TEncoding e : {TEncoding::Utf16Le, TEncoding::Utf16Be}) {
      if (FHead.size() >= 2 && FHead.compare(0, 2, BomBytes(e)) == 0) {
        FBom = true;
        FBomEncoding = e;
      }
    }
    if (!FBom) {
      std::string head;
      head.swap(FHead);
      Check(reinterpret_cast<const unsigned char*>(head.data()), head.size(), true);
    }
  } else if (!Decided()) {
    Check(nullptr, 0, true);
  }
  if (FBom) return FBomEncoding;
  if (FUtf8 && FUtf8Multi) return TEncoding::Utf8;
  if (FCp932 && FEucJp) {
    if (!FNonAscii || !FDetector) return TEncoding::Cp932;
    uchardet_data_end(FDetector->Handle);
    const char* charset = uchardet_get_charset(FDetector->Handle);
    return charset && std::strcmp(charset, "EUC-JP") == 0 ? TEncoding::EucJp : TEncoding::Cp932;
  }
  if (FEucJp) return TEncoding::EucJp;
  return TEncoding::Cp932;
}

}  // namespace vorna
