// The encodings and line ends of text files: their names, telling a file's
// encoding from its bytes, and turning file bytes into the editor's CP932
// text and back, piece by piece.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorna {

enum class TEncoding : uint8_t { Cp932 = 0, Utf8 = 1, Utf16Le = 2, Utf16Be = 3, EucJp = 4 };
enum class TLineEnd : uint8_t { CrLf = 0, Lf = 1, Cr = 2 };

// How a file is written: its encoding, whether it starts with a byte-order
// mark, and the line end between lines.
struct TFileFormat {
  TEncoding Encoding = TEncoding::Cp932;
  bool Bom = false;
  TLineEnd LineEnd = TLineEnd::CrLf;
  bool operator==(const TFileFormat&) const = default;
};

// "CP932", "UTF-8", "UTF-8 (BOM)", "UTF-16 LE", "UTF-16 BE" (with " (BOM)"
// when marked), "EUC-JP".
std::string EncodingName(TEncoding encoding, bool bom);
// "CRLF", "LF", "CR".
std::string_view LineEndName(TLineEnd lineEnd);
std::string_view LineEndBytes(TLineEnd lineEnd);
// The byte-order mark of an encoding (empty for CP932 and EUC-JP).
std::string_view BomBytes(TEncoding encoding);

// Tells a file's encoding from its bytes, fed in pieces:
// 1. a byte-order mark decides (UTF-8, UTF-16 LE, UTF-16 BE);
// 2. valid UTF-8 with at least one multi-byte sequence is UTF-8;
// 3. valid CP932 is CP932 and valid EUC-JP is EUC-JP; bytes valid as both
//    (and not plain ASCII) are decided by uchardet;
// 4. anything else is CP932, its bytes kept exactly.
class TEncodingSniffer {
 public:
  TEncodingSniffer();
  ~TEncodingSniffer();
  TEncodingSniffer(const TEncodingSniffer&) = delete;
  TEncodingSniffer& operator=(const TEncodingSniffer&) = delete;

  void Feed(std::string_view piece);
  // True when no further byte can change the result (the rest need not be read).
  bool Decided() const;
  // The result after the whole text (or once Decided).
  TEncoding Encoding();
  bool HasBom() const { return FBom; }
  // Everything fed so far is valid UTF-8 with a multi-byte sequence (no mark).
  bool LooksLikeUtf8() const { return !FBom && FUtf8 && FUtf8Multi; }
  // Everything fed so far is valid EUC-JP and nothing else.
  bool LooksLikeEucJpOnly() const { return !FBom && FEucJp && !FUtf8 && !FCp932; }

 private:
  void Check(const unsigned char* b, size_t n, bool last);
  struct TDetector;

  std::string FHead;      // the first bytes, until the byte-order mark is known
  std::string FCarry[3];  // per validator (UTF-8, CP932, EUC-JP): a sequence cut at a piece's end
  bool FHeadDone = false;
  bool FBom = false;
  TEncoding FBomEncoding = TEncoding::Cp932;
  bool FUtf8 = true, FUtf8Multi = false, FCp932 = true, FEucJp = true, FNonAscii = false;
  size_t FDetectorBytes = 0;
  std::unique_ptr<TDetector> FDetector;
};

// File bytes of one encoding -> the editor's CP932 text (text/UserCodes.h),
// fed in pieces. A byte-order mark at the start is skipped. Bytes that do not
// decode are kept as raw bytes (CP932 keeps them as they are), so encoding the
// text again gives the same bytes.
class TTextDecoder {
 public:
  explicit TTextDecoder(TEncoding encoding);
  // Appends the text of `piece` to `out` (a sequence cut at the piece's end
  // waits for the next piece).
  void Feed(std::string_view piece, std::string& out);
  void Finish(std::string& out);
  // Characters that found no free user-defined code (shown as "〓").
  int Lost() const { return FLost; }
  // Bytes or UTF-16 units that did not decode (kept as raw values).
  int Invalid() const { return FInvalid; }
  // The text began with the encoding's byte-order mark (which was skipped).
  bool SawBom() const { return FBom; }

 private:
  void Decode(const unsigned char* b, size_t n, bool last, std::string& out);
  void Put(std::string& out, char32_t cp);

  TEncoding FEncoding;
  std::string FCarry;
  std::vector<char> FBuffer;
  bool FStarted = false;
  bool FBom = false;
  int FLost = 0;
  int FInvalid = 0;
};

// A character of the text that the target encoding cannot hold.
struct TUnheldCharacter {
  int Line = 0;  // 0-based line
  int Byte = 0;  // 0-based byte offset in that line (CP932 text)
  char32_t Character = 0;
};

// The editor's CP932 text -> file bytes, line by line.
class TTextEncoder {
 public:
  explicit TTextEncoder(TFileFormat format) : FFormat(format) {}
  // Writes the byte-order mark (when the format has one).
  void Begin(std::string& out) const;
  // Appends `line` (line number `index` for the report) and, unless it is the
  // last line, the line end. False when a character cannot be held: `problem`
  // tells which; `out` then holds an unfinished file.
  bool Line(std::string_view line, int index, bool last, std::string& out, TUnheldCharacter& problem) const;

 private:
  bool Character(std::string& out, char32_t cp) const;

  TFileFormat FFormat;
};

// U+xxxx form of a character for messages ("U+301C"); a raw byte is "0xNN".
std::string CharacterCodeName(char32_t cp);

}  // namespace vorna
