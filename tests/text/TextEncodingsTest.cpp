// Telling encodings apart, decoding file bytes into CP932 text with its
// user-defined codes, and encoding them back byte for byte.
#include <gtest/gtest.h>

#include "text/Cp932.h"
#include "text/TextEncodings.h"
#include "text/UserCodes.h"

namespace vorna {
namespace {

// The encoding told from `bytes` fed in pieces of `step` bytes (0: whole).
TEncoding Sniff(std::string_view bytes, size_t step = 0) {
  TEncodingSniffer sniffer;
  if (step == 0) step = bytes.size() + 1;
  for (size_t i = 0; i < bytes.size(); i += step) sniffer.Feed(bytes.substr(i, step));
  return sniffer.Encoding();
}

std::string Decode(TEncoding encoding, std::string_view bytes, size_t step = 0,
                   TTextDecoder* used = nullptr) {
  TTextDecoder local(encoding);
  TTextDecoder& decoder = used ? *used : local;
  std::string out;
  if (step == 0) step = bytes.size() + 1;
  for (size_t i = 0; i < bytes.size(); i += step) decoder.Feed(bytes.substr(i, step), out);
  decoder.Finish(out);
  return out;
}

// Encodes CP932 text as one line (line breaks in it pass as they are).
std::string Encode(TFileFormat format, std::string_view text) {
  TTextEncoder encoder(format);
  std::string out;
  TUnheldCharacter problem;
  encoder.Begin(out);
  EXPECT_TRUE(encoder.Line(text, 0, true, out, problem)) << CharacterCodeName(problem.Character);
  return out;
}

std::string Utf16(std::u16string_view text, bool little) {
  std::string out;
  for (char16_t u : text) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += little ? lo : hi;
    out += little ? hi : lo;
  }
  return out;
}

// Characters CP932 cannot hold exactly, the awkward ones included: an emoji
// ZWJ sequence, a kanji beyond CP932, the folded forms, a broken bar, a
// combining mark, an ideographic variation sequence, a Private Use character.
const std::string kOutside = "👨‍👩‍👧 𠮷野家 〜‖−¦ é 葛󠄀 \xEE\x80\x80 ①～";

TEST(TextEncodingsTest, DetectionFollowsTheRules) {
  EXPECT_EQ(Sniff("\xEF\xBB\xBFplain"), TEncoding::Utf8);
  EXPECT_EQ(Sniff("\xFF\xFE"
                  "a\0",
                  0),
            TEncoding::Utf16Le);
  EXPECT_EQ(Sniff(std::string("\xFE\xFF\0a", 4)), TEncoding::Utf16Be);
  EXPECT_EQ(Sniff("\xFF\xFE"), TEncoding::Utf16Le);  // a mark followed by nothing
  EXPECT_EQ(Sniff("\xEF\xBB\xBF"), TEncoding::Utf8);
  EXPECT_EQ(Sniff("吾輩は猫である。"), TEncoding::Utf8);
  // "あい" in UTF-8 is valid CP932 too ("縺ゅ＞"): UTF-8 goes first.
  EXPECT_EQ(Sniff("\xE3\x81\x82\xE3\x81\x84"), TEncoding::Utf8);
  EXPECT_EQ(Sniff("plain ASCII\r\n"), TEncoding::Cp932);  // no multi-byte sequence
  EXPECT_EQ(Sniff(""), TEncoding::Cp932);
  EXPECT_EQ(Sniff(Cp932Lit("吾輩は猫である。名前はまだ無い。")), TEncoding::Cp932);
  // EUC-JP that is no CP932 (0xEBA1 is undefined there)...
  EXPECT_EQ(Sniff("\xA4\xB3\xA4\xF3\xA4\xCB\xA4\xC1\xA4\xCF\xEB\xA1"), TEncoding::EucJp);
  // ...and EUC-JP that is valid CP932 too: uchardet decides.
  const std::string euc = "\xA4\xB3\xA4\xF3\xA4\xCB\xA4\xC1\xA4\xCF\xC6\xFC\xCB\xDC\xB8\xEC";
  EXPECT_EQ(Sniff(euc), TEncoding::EucJp);
  // Bytes valid in no encoding stay CP932 (kept exactly).
  EXPECT_EQ(Sniff("\x80\xFF\xC0\xAF"), TEncoding::Cp932);
  // Overlong forms, a truncated sequence and lone continuation bytes are no UTF-8.
  EXPECT_EQ(Sniff("\xC0\xAF\xE3\x81\x82"), TEncoding::Cp932);
  EXPECT_EQ(Sniff("\xE3\x81\x82\xE3\x81"), TEncoding::Cp932);
  EXPECT_EQ(Sniff("\x81\xE3\x81\x82"), TEncoding::Cp932);
}

TEST(TextEncodingsTest, DetectionDoesNotDependOnHowTheBytesArrive) {
  const std::string samples[] = {"吾輩は猫である。" + kOutside, Cp932Lit("吾輩は猫である。"),
                                 "\xA4\xB3\xA4\xF3\xA4\xCB\xA4\xC1\xA4\xCF\xC6\xFC\xCB\xDC\xB8\xEC",
                                 "\xE3\x81\x82\xE3\x81", "\xEF\xBB\xBF\xE3\x81\x82"};
  for (const std::string& s : samples)
    for (size_t step : {1, 2, 3, 5}) EXPECT_EQ(Sniff(s, step), Sniff(s)) << s << " in pieces of " << step;
}

TEST(TextEncodingsTest, DetectionSeesTheFirstNonAsciiByteWhereverItStands) {
  // Runs of ASCII are skipped many bytes at a time: a sequence at any offset
  // of such a run, and one cut by its end, is still read.
  for (size_t pad = 0; pad < 40; ++pad) {
    const std::string a(pad, 'a'), b(40 - pad, '\n');
    EXPECT_EQ(Sniff(a + "吾輩" + b), TEncoding::Utf8) << pad;
    EXPECT_EQ(Sniff(a + "\xA4\xB3\xEB\xA1" + b), TEncoding::EucJp) << pad;
    EXPECT_EQ(Sniff(a + "\xC0\xAF" + b + "吾輩"), TEncoding::Cp932) << pad;
    EXPECT_EQ(Sniff(a + "\xE3\x81" + b + "\xE3\x81\x82"), TEncoding::Cp932) << pad;
    EXPECT_EQ(Sniff(a + "\x81" + b), TEncoding::Cp932) << pad;
    EXPECT_EQ(Sniff(a + b + "\xE3\x81\x82", 7), TEncoding::Utf8) << pad;
  }
}

TEST(TextEncodingsTest, CharactersOutsideCp932TakeUserDefinedCodesAndComeBack) {
  const std::string text = Decode(TEncoding::Utf8, kOutside);
  EXPECT_EQ(Utf8FromCp932(text), kOutside);
  // U+301C is folded onto 0x8160 by the table, so it is not held there.
  const std::string wave = Decode(TEncoding::Utf8, "〜");
  ASSERT_EQ(wave.size(), 2u);
  EXPECT_TRUE(
      IsUserDefinedCode(static_cast<unsigned char>(wave[0]) << 8 | static_cast<unsigned char>(wave[1])));
  EXPECT_EQ(Decode(TEncoding::Utf8, "～"), Cp932Lit("～"));  // U+FF5E is 0x8160 itself
  // The same character always gets the same code.
  EXPECT_EQ(Decode(TEncoding::Utf8, "〜"), wave);
  EXPECT_EQ(Cp932TextFromUtf8("〜"), wave);
}

TEST(TextEncodingsTest, EveryEncodingRoundTripsByteForByte) {
  const std::string utf8 = "吾輩は猫である。\r\n名前は\nまだ無い。" + kOutside + "\rend";
  const std::string text = Decode(TEncoding::Utf8, utf8);
  for (TEncoding e : {TEncoding::Utf8, TEncoding::Utf16Le, TEncoding::Utf16Be}) {
    for (bool bom : {false, true}) {
      const std::string file = Encode({e, bom}, text);
      for (size_t step : {0, 1, 3}) {
        TTextDecoder decoder(e);
        EXPECT_EQ(Decode(e, file, step, &decoder), text) << EncodingName(e, bom) << " step " << step;
        EXPECT_EQ(decoder.SawBom(), bom);
      }
    }
  }
  // EUC-JP cannot hold an emoji; it holds the folded forms as its own codes.
  const std::string eucText = Decode(TEncoding::Utf8, "吾輩は〜‖−猫 ｶﾅ 丂");
  const std::string euc = Encode({TEncoding::EucJp}, eucText);
  EXPECT_EQ(Decode(TEncoding::EucJp, euc), eucText);
  EXPECT_EQ(Encode({TEncoding::EucJp}, Decode(TEncoding::EucJp, euc, 1)), euc);
}

TEST(TextEncodingsTest, AFilesOwnUserDefinedCodesKeepTheirMeaning) {
  // Some character took the top code first; a CP932 file using that code
  // itself still means its Private Use character, and is written back as it was.
  const std::string emoji = Decode(TEncoding::Utf8, "😀");
  ASSERT_EQ(emoji.size(), 2u);
  const unsigned code = static_cast<unsigned char>(emoji[0]) << 8 | static_cast<unsigned char>(emoji[1]);
  ASSERT_TRUE(IsUserDefinedCode(code));
  const std::string file = Cp932Lit("外字") + emoji + "\xF0\x40";
  const std::string text = Decode(TEncoding::Cp932, file);
  EXPECT_NE(text, file);
  std::string own;  // the Private Use characters the file's codes stand for
  AppendUtf8(own, Cp932CodeToUnicode(code));
  AppendUtf8(own, 0xE000);
  EXPECT_EQ(Utf8FromCp932(text), "外字" + own);
  EXPECT_EQ(Encode({TEncoding::Cp932}, text), file);
  EXPECT_EQ(Encode({TEncoding::Utf8}, text), "外字" + own);
  // A later character does not take a code a file already uses.
  EXPECT_NE(Decode(TEncoding::Utf8, "😺"), "\xF0\x40");
}

TEST(TextEncodingsTest, BytesThatDoNotDecodeAreKept) {
  const std::string badUtf8[] = {"\xC0\xAF", "ab\xE3\x81", "\x80x", "\xED\xA0\x80", "\xF4\x90\x80\x80"};
  for (const std::string& bad : badUtf8) {
    TTextDecoder decoder(TEncoding::Utf8);
    const std::string text = Decode(TEncoding::Utf8, bad, 0, &decoder);
    EXPECT_GT(decoder.Invalid(), 0);
    EXPECT_EQ(Encode({TEncoding::Utf8}, text), bad);
    EXPECT_EQ(Utf8FromCp932(text).find("\xEF\xBF\xBD") != std::string::npos, true);  // shown as U+FFFD
  }
  // UTF-16: an odd byte count, lone surrogates of both kinds, and NUL units
  // (which are text there).
  const std::string odd = Utf16(u"ab", true) + "x";
  const std::string lone = Utf16(std::u16string(u"a") + char16_t(0xD800) + u"b" + char16_t(0xDC00), false);
  const std::string nul = Utf16(std::u16string(u"a\0b", 3), true);
  EXPECT_EQ(Encode({TEncoding::Utf16Le}, Decode(TEncoding::Utf16Le, odd)), odd);
  EXPECT_EQ(Encode({TEncoding::Utf16Be}, Decode(TEncoding::Utf16Be, lone)), lone);
  const std::string nulText = Decode(TEncoding::Utf16Le, nul);
  EXPECT_EQ(nulText.find('\0'), std::string::npos);  // NUL is a character here, not the end
  EXPECT_EQ(Encode({TEncoding::Utf16Le}, nulText), nul);
  // A CP932 file's undefined bytes stay as they are.
  EXPECT_EQ(Decode(TEncoding::Cp932, "\x80\xA0\xFD\x85\x40"), "\x80\xA0\xFD\x85\x40");
}

TEST(TextEncodingsTest, EncodingStopsAtACharacterItCannotHold) {
  const std::string text = Cp932Lit("一行") + Decode(TEncoding::Utf8, "〜😀");
  TTextEncoder encoder({TEncoding::Cp932});
  std::string out;
  TUnheldCharacter problem;
  EXPECT_FALSE(encoder.Line(text, 7, true, out, problem));
  EXPECT_EQ(problem.Line, 7);
  EXPECT_EQ(problem.Byte, 4);
  EXPECT_EQ(problem.Character, U'\u301C');
  EXPECT_EQ(CharacterCodeName(problem.Character), "U+301C");
  TTextEncoder euc({TEncoding::EucJp});
  EXPECT_FALSE(euc.Line(text, 0, true, out, problem));
  EXPECT_EQ(problem.Character, U'\U0001F600');
}

}  // namespace
}  // namespace vorna
