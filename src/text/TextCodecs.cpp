// File bytes <-> the editor's CP932 text: the decoder fed in pieces and the
// encoder that writes line by line.
#include <cstring>

#include "text/Cp932.h"
#include "text/EucJp.h"
#include "text/ShiftJis.h"
#include "text/TextEncodings.h"
#include "text/UserCodes.h"

namespace vorna {
namespace {

constexpr uint16_t kGetaMark = 0x81AC;

bool IsUserLead(unsigned char c) { return c >= 0xF0 && c <= 0xF9; }

void AppendUnit(std::string& out, unsigned unit, bool littleEndian) {
  const char hi = static_cast<char>(unit >> 8 & 0xFF), lo = static_cast<char>(unit & 0xFF);
  out += littleEndian ? lo : hi;
  out += littleEndian ? hi : lo;
}

}  // namespace

// --- decoding -------------------------------------------------------------------

TTextDecoder::TTextDecoder(TEncoding encoding) : FEncoding(encoding) {}

void TTextDecoder::Put(std::string& out, char32_t cp) {
  if (IsRawByte(cp) || IsLoneSurrogate(cp)) ++FInvalid;
  if (AppendCharacterCode(out, cp)) return;
  ++FLost;
  out += static_cast<char>(kGetaMark >> 8);
  out += static_cast<char>(kGetaMark & 0xFF);
}

void TTextDecoder::Feed(std::string_view piece, std::string& out) {
  if (!FStarted) {
    // The byte-order mark is looked for once its bytes are all there.
    const std::string_view bom = BomBytes(FEncoding);
    FCarry.append(piece);
    if (FCarry.size() < bom.size() && std::string_view(bom).substr(0, FCarry.size()) == FCarry) return;
    FStarted = true;
    std::string head;
    head.swap(FCarry);
    const size_t skip = !bom.empty() && std::string_view(head).substr(0, bom.size()) == bom ? bom.size() : 0;
    FBom = skip > 0;
    Decode(reinterpret_cast<const unsigned char*>(head.data()) + skip, head.size() - skip, false, out);
    return;
  }
  if (FCarry.empty()) {
    Decode(reinterpret_cast<const unsigned char*>(piece.data()), piece.size(), false, out);
    return;
  }
  std::string joined;
  joined.swap(FCarry);
  joined.append(piece);
  Decode(reinterpret_cast<const unsigned char*>(joined.data()), joined.size(), false, out);
}

void TTextDecoder::Finish(std::string& out) {
  if (!FStarted) {
    FStarted = true;
    const std::string_view bom = BomBytes(FEncoding);
    std::string head;
    head.swap(FCarry);
    const size_t skip = !bom.empty() && head == bom ? bom.size() : 0;
    FBom = skip > 0;
    Decode(reinterpret_cast<const unsigned char*>(head.data()) + skip, head.size() - skip, true, out);
    return;
  }
  std::string rest;
  rest.swap(FCarry);
  Decode(reinterpret_cast<const unsigned char*>(rest.data()), rest.size(), true, out);
}

void TTextDecoder::Decode(const unsigned char* b, size_t n, bool last, std::string& out) {
  size_t i = 0;
  const auto carryFrom = [&](size_t at) { FCarry.assign(reinterpret_cast<const char*>(b) + at, n - at); };
  switch (FEncoding) {
    case TEncoding::Cp932: {
      // The bytes are the text; only the file's own user-defined codes are
      // looked at, so that each keeps its own character.
      size_t run = 0;
      while (i < n) {
        const unsigned char c = b[i];
        if (!IsLeadByte(c)) {
          ++i;
          continue;
        }
        if (i + 1 == n) {
          if (!last) {
            out.append(reinterpret_cast<const char*>(b) + run, i - run);
            return carryFrom(i);
          }
          break;
        }
        const unsigned code = static_cast<unsigned>(c) << 8 | b[i + 1];
        if (IsUserLead(c) && IsUserDefinedCode(code)) {
          const uint16_t own = CodeForCharacter(Cp932CodeToUnicode(code));
          if (own != code) {
            out.append(reinterpret_cast<const char*>(b) + run, i - run);
            if (own) {
              out += static_cast<char>(own >> 8);
              out += static_cast<char>(own & 0xFF);
            } else {
              ++FLost;
              out += static_cast<char>(kGetaMark >> 8);
              out += static_cast<char>(kGetaMark & 0xFF);
            }
            run = i + 2;
          }
        }
        i += 2;
      }
      out.append(reinterpret_cast<const char*>(b) + run, n - run);
      return;
    }
    case TEncoding::Utf8: {
      // The common characters, ASCII and three-byte ones CP932 holds, take
      // the short path into a buffer (never longer than their UTF-8 bytes).
      const std::string_view s(reinterpret_cast<const char*>(b), n);
      const uint16_t* held = HeldCp932Table();
      if (FBuffer.size() < n) FBuffer.resize(n);
      char* const start = FBuffer.data();
      char* w = start;
      const auto flush = [&] {
        out.append(start, static_cast<size_t>(w - start));
        w = start;
      };
      while (i < n) {
        const unsigned char c = b[i];
        if (c < 0x80 && c != 0) {
          *w++ = static_cast<char>(c);
          ++i;
          continue;
        }
        if ((c & 0xF0) == 0xE0 && i + 2 < n) {
          const unsigned char b1 = b[i + 1], b2 = b[i + 2];
          if ((b1 & 0xC0) == 0x80 && (b2 & 0xC0) == 0x80) {
            const unsigned cp = (c & 0x0Fu) << 12 | (b1 & 0x3Fu) << 6 | (b2 & 0x3Fu);
            const uint16_t code = cp >= 0x800 ? held[cp] : 0;
            if (code && !IsUserLead(static_cast<unsigned char>(code >> 8))) {
              if (code > 0xFF) *w++ = static_cast<char>(code >> 8);
              *w++ = static_cast<char>(code & 0xFF);
              i += 3;
              continue;
            }
          }
        }
        // Everything else through the general path.
        flush();
        char32_t cp;
        const int length = DecodeUtf8At(s, i, cp);
        if (length > 0) {
          Put(out, cp);
          i += static_cast<size_t>(length);
        } else {
          const size_t need = c >= 0xF0 && c <= 0xF4   ? 4
                              : c >= 0xE0 && c <= 0xEF ? 3
                              : c >= 0xC2 && c <= 0xDF ? 2
                                                       : 1;
          if (!last && n - i < need) return carryFrom(i);
          Put(out, kRawByteBase + c);
          ++i;
        }
      }
      flush();
      return;
    }
    case TEncoding::Utf16Le:
    case TEncoding::Utf16Be: {
      const bool little = FEncoding == TEncoding::Utf16Le;
      const auto unitAt = [&](size_t at) -> unsigned {
        return little ? (b[at] | b[at + 1] << 8) : (b[at] << 8 | b[at + 1]);
      };
      while (i + 1 < n) {
        const unsigned unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
          if (i + 3 < n) {
            const unsigned low = unitAt(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
              Put(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
              i += 4;
              continue;
            }
          } else if (!last) {
            return carryFrom(i);
          }
          Put(out, kLoneSurrogateBase + unit);
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
          Put(out, kLoneSurrogateBase + unit);
        } else if (unit >= 0x20 && unit < 0x80) {
          out += static_cast<char>(unit);
        } else {
          Put(out, unit);
        }
        i += 2;
      }
      if (i < n) {
        if (!last) return carryFrom(i);
        Put(out, kRawByteBase + b[i]);  // an odd byte at the end
      }
      return;
    }
    case TEncoding::EucJp: {
      while (i < n) {
        if (b[i] < 0x80 && b[i] != 0) {
          out += static_cast<char>(b[i++]);
          continue;
        }
        char32_t cp;
        const int length = DecodeEucJpAt(b + i, n - i, cp);
        if (length < 0 && !last) return carryFrom(i);
        if (length <= 0) {
          Put(out, kRawByteBase + b[i]);
          ++i;
          continue;
        }
        Put(out, cp);
        i += static_cast<size_t>(length);
      }
      return;
    }
  }
}

// --- encoding ---------------------------------------------------------------------

void TTextEncoder::Begin(std::string& out) const {
  if (FFormat.Bom) out.append(BomBytes(FFormat.Encoding));
}

bool TTextEncoder::Character(std::string& out, char32_t cp) const {
  if (IsRawByte(cp)) {
    // Bytes that did not decode go back as they came, except into CP932,
    // where they would read as other text.
    if (FFormat.Encoding == TEncoding::Cp932) return false;
    out += static_cast<char>(cp - kRawByteBase);
    return true;
  }
  switch (FFormat.Encoding) {
    case TEncoding::Utf8:
      if (cp > 0x10FFFF) return false;
      AppendUtf8(out, cp);
      return true;
    case TEncoding::Utf16Le:
    case TEncoding::Utf16Be: {
      const bool little = FFormat.Encoding == TEncoding::Utf16Le;
      if (IsLoneSurrogate(cp)) {
        AppendUnit(out, cp - kLoneSurrogateBase, little);
      } else if (cp >= 0x10000) {
        if (cp > 0x10FFFF) return false;
        AppendUnit(out, 0xD800 + ((cp - 0x10000) >> 10), little);
        AppendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), little);
      } else {
        AppendUnit(out, cp, little);
      }
      return true;
    }
    case TEncoding::EucJp:
      return cp <= 0x10FFFF && AppendEucJp(out, cp);
    case TEncoding::Cp932: {
      const uint16_t code = HeldCp932Code(cp);
      if (!code) return false;
      if (code > 0xFF) out += static_cast<char>(code >> 8);
      out += static_cast<char>(code & 0xFF);
      return true;
    }
  }
  return false;
}

bool TTextEncoder::Line(std::string_view line, int index, bool last, std::string& out,
                        TUnheldCharacter& problem) const {
  const auto* b = reinterpret_cast<const unsigned char*>(line.data());
  const size_t n = line.size();
  const bool cp932 = FFormat.Encoding == TEncoding::Cp932;
  const bool utf16 = FFormat.Encoding == TEncoding::Utf16Le || FFormat.Encoding == TEncoding::Utf16Be;
  size_t run = 0;  // CP932: the bytes copied as they are since the last code looked at
  for (size_t i = 0; i < n;) {
    const unsigned char c = b[i];
    if (cp932) {
      // CP932 text goes out as it is; only user-defined codes are turned back
      // into the file's own codes, and a character CP932 cannot hold stops it.
      if (!IsLeadByte(c) || i + 1 == n) {
        ++i;
        continue;
      }
      const unsigned code = static_cast<unsigned>(c) << 8 | b[i + 1];
      if (IsUserLead(c) && IsUserDefinedCode(code)) {
        const char32_t cp = UserCodeCharacter(code);
        const uint16_t own = HeldCp932Code(cp);
        if (!own || !IsUserDefinedCode(own)) {
          problem = {index, static_cast<int>(i), cp};
          return false;
        }
        if (own != code) {
          out.append(line.substr(run, i - run));
          out += static_cast<char>(own >> 8);
          out += static_cast<char>(own & 0xFF);
          run = i + 2;
        }
      }
      i += 2;
      continue;
    }
    if (c < 0x80 && c != 0 && !utf16) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    char32_t cp;
    const int length = Cp932DecodeAt(line, i, cp);
    if (!Character(out, cp)) {
      problem = {index, static_cast<int>(i), cp};
      return false;
    }
    i += static_cast<size_t>(length);
  }
  if (cp932) out.append(line.substr(run));
  if (!last) {
    const std::string_view end = LineEndBytes(FFormat.LineEnd);
    if (utf16) {
      for (char e : end) Character(out, static_cast<char32_t>(e));
    } else {
      out.append(end);
    }
  }
  return true;
}

}  // namespace vorna
