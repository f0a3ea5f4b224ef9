// Documents in every encoding and line end: opened and saved byte for byte,
// edited lines alone changing, refusals before anything is written.
#include <gtest/gtest.h>

#include <random>

#include "Corpus.h"
#include "PlatformDoubles.h"
#include "document/EditLists.h"
#include "text/Cp932.h"
#include "text/TextLines.h"
#include "text/UserCodes.h"

namespace vorna {
namespace {

using Lines = std::vector<std::string>;

// CP932 lines written as a file of `format`, with or without a final break;
// lines the encoding cannot hold are left out.
std::string FileOf(const Lines& lines, TFileFormat format, bool finalBreak) {
  const TTextEncoder encoder(format);
  std::string out, line;
  encoder.Begin(out);
  TUnheldCharacter problem;
  bool first = true;
  for (const std::string& text : lines) {
    line.clear();
    if (!encoder.Line(text, 0, true, line, problem)) continue;
    if (!first) encoder.Line("", 0, false, out, problem);  // the line end alone
    out += line;
    first = false;
  }
  if (finalBreak) encoder.Line("", 0, false, out, problem);
  return out;
}

struct DocumentEncodingsTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};
  void SetUp() override { files.Folders = {"/work"}; }

  // Opens `bytes`, checks the format found, saves and compares.
  void ExpectRoundTrip(const std::string& bytes, TFileFormat expected, const std::string& what) {
    files.Files["/work/f.txt"] = bytes;
    list.LoadFromFile("/work/f.txt");
    EXPECT_EQ(list.FileFormat().Encoding, expected.Encoding) << what;
    EXPECT_EQ(list.FileFormat().Bom, expected.Bom) << what;
    EXPECT_EQ(list.FileFormat().LineEnd, expected.LineEnd) << what;
    EXPECT_FALSE(list.IsReadOnlyFile()) << what;
    list.SaveToFile();
    EXPECT_TRUE(files.Files["/work/f.txt"] == bytes) << what;
  }
};

TEST_F(DocumentEncodingsTest, CorpusFilesInEveryEncodingAndLineEndComeBackByteForByte) {
  const auto corpus = testing::CorpusFiles();
  if (corpus.empty()) GTEST_SKIP() << "corpus folder not found (set VORNA_CORPUS)";
  const TFileFormat formats[] = {{TEncoding::Cp932},         {TEncoding::Utf8},
                                 {TEncoding::Utf8, true},    {TEncoding::Utf16Le, true},
                                 {TEncoding::Utf16Be, true}, {TEncoding::EucJp}};
  for (const auto& path : corpus) {
    const Lines lines = SplitLines(testing::ReadFileBytes(path));
    for (const TFileFormat& f : formats)
      ExpectRoundTrip(FileOf(lines, f, true), f,
                      path.filename().string() + " " + EncodingName(f.Encoding, f.Bom));
  }
  // Every line end, with and without the final break, on a slice of the novel.
  Lines slice = SplitLines(testing::ReadFileBytes(corpus.front()));
  slice.resize(std::min<size_t>(slice.size(), 300));
  for (TFileFormat f : formats) {
    for (TLineEnd end : {TLineEnd::CrLf, TLineEnd::Lf, TLineEnd::Cr}) {
      f.LineEnd = end;
      for (bool finalBreak : {false, true})
        ExpectRoundTrip(FileOf(slice, f, finalBreak), f,
                        EncodingName(f.Encoding, f.Bom) + " " + std::string(LineEndName(end)));
    }
  }
}

TEST_F(DocumentEncodingsTest, EmptyFilesAndLoneMarksStayAsTheyAre) {
  ExpectRoundTrip("", {TEncoding::Cp932}, "empty");
  ExpectRoundTrip("\xEF\xBB\xBF", {TEncoding::Utf8, true, TLineEnd::Lf}, "UTF-8 mark");
  ExpectRoundTrip("\xFF\xFE", {TEncoding::Utf16Le, true, TLineEnd::Lf}, "UTF-16 LE mark");
  ExpectRoundTrip("\xFE\xFF", {TEncoding::Utf16Be, true, TLineEnd::Lf}, "UTF-16 BE mark");
  ExpectRoundTrip("\n", {TEncoding::Cp932, false, TLineEnd::Lf}, "one LF");
}

TEST_F(DocumentEncodingsTest, CharactersOutsideCp932AndTheFilesOwnCodesComeBack) {
  const std::string utf8 = "👨‍👩‍👧 𠮷\n〜‖−¦ é 葛󠄀 \xEE\x80\x80\n";
  ExpectRoundTrip(utf8, {TEncoding::Utf8, false, TLineEnd::Lf}, "outside CP932");
  EXPECT_EQ(Utf8FromCp932(list.Get(0)), "👨‍👩‍👧 𠮷");
  // A CP932 file with user-defined codes of its own, after other characters took codes.
  ExpectRoundTrip(Cp932Lit("外字") + "\xF0\x40\xF9\xFC\xF9\xFB\r\n", {TEncoding::Cp932}, "own codes");
}

TEST_F(DocumentEncodingsTest, EditingOneLineChangesOnlyThatLine) {
  files.Files["/work/f.txt"] = "line1\n吾輩は猫である。\nline3\n";
  list.LoadFromFile("/work/f.txt");
  list.Put(0, "x" + std::string(list.Get(0)));
  list.SaveToFile();
  EXPECT_EQ(files.Files["/work/f.txt"], "xline1\n吾輩は猫である。\nline3\n");
}

TEST_F(DocumentEncodingsTest, MixedLineEndsKeepTheOneMostUsed) {
  files.Files["/work/f.txt"] = "a\nb\nc\r\nd";
  list.LoadFromFile("/work/f.txt");
  EXPECT_TRUE(list.HasMixedLineEnds());
  EXPECT_EQ(list.FileFormat().LineEnd, TLineEnd::Lf);
  list.SaveToFile();
  EXPECT_EQ(files.Files["/work/f.txt"], "a\nb\nc\nd");
  list.NewDocument();
  EXPECT_EQ(list.FileFormat(), TFileFormat{});
  EXPECT_FALSE(list.HasMixedLineEnds());
}

TEST_F(DocumentEncodingsTest, ACharacterTheEncodingCannotHoldStopsTheSaveBeforeAnything) {
  files.Files["/work/f.txt"] = Cp932Lit("一行目\r\n二行目");
  list.LoadFromFile("/work/f.txt");
  list.Put(1, Cp932Lit("二行") + Cp932TextFromUtf8("〜"));
  try {
    list.SaveToFile("/work/other.txt");
    FAIL() << "saved a character CP932 cannot hold";
  } catch (const EEncodingError& e) {
    EXPECT_EQ(e.Where.Line, 1);
    EXPECT_EQ(e.Where.Byte, 4);
    EXPECT_EQ(e.Where.Character, U'\u301C');
  }
  EXPECT_EQ(files.Files.count("/work/other.txt"), 0u);
  EXPECT_EQ(list.GetFileName(), "/work/f.txt");
  EXPECT_TRUE(list.GetModified());
  // Saving as UTF-8 writes it, and the document is UTF-8 from then on.
  list.SaveToFile("/work/other.txt", TFileFormat{TEncoding::Utf8, false, TLineEnd::CrLf});
  EXPECT_EQ(files.Files["/work/other.txt"], "一行目\r\n二行〜");
  EXPECT_EQ(list.FileFormat().Encoding, TEncoding::Utf8);
}

TEST_F(DocumentEncodingsTest, MoreCharactersThanFreeCodesOpensReadOnlyAndIsNeverSaved) {
  std::string utf8;
  const int extra = FreeUserCodes() + 5;
  for (int i = 0; i < extra; ++i) AppendUtf8(utf8, 0x20000 + static_cast<char32_t>(i));
  files.Files["/work/f.txt"] = utf8;
  list.LoadFromFile("/work/f.txt");
  EXPECT_TRUE(list.IsReadOnlyFile());
  EXPECT_EQ(list.LostCharacters(), 5);
  ASSERT_FALSE(messages.Shown.empty());
  EXPECT_NE(messages.Shown.back().find(" 5 "), std::string::npos);
  EXPECT_THROW(list.SaveToFile(), EFileError);
  EXPECT_THROW(list.SaveToFile("/work/g.txt"), EFileError);
  EXPECT_EQ(files.Files["/work/f.txt"], utf8);
  EXPECT_EQ(files.Files.count("/work/g.txt"), 0u);
}

TEST_F(DocumentEncodingsTest, RandomBytesComeBackOrOpenReadOnly) {
  std::mt19937 random(32);
  for (int round = 0; round < 300; ++round) {
    std::string bytes(random() % 40, '\0');
    for (char& b : bytes)
      b = static_cast<char>(random() % 4 == 0 ? 0x80 + random() % 0x80 : random() % 0x100);
    files.Files["/work/f.txt"] = bytes;
    list.LoadFromFile("/work/f.txt");
    if (list.IsReadOnlyFile()) continue;    // a NUL in CP932: shown cut short, never saved over
    if (list.HasMixedLineEnds()) continue;  // told in the status bar, evened out on saving
    list.SaveToFile();
    ASSERT_TRUE(files.Files["/work/f.txt"] == bytes)
        << "round " << round << " " << EncodingName(list.FileFormat().Encoding, false) << " "
        << ::testing::PrintToString(bytes) << " -> " << ::testing::PrintToString(files.Files["/work/f.txt"]);
  }
}

}  // namespace
}  // namespace vorna
