// WrapText: capacities, hanging, push-out kinsoku, word wrap, CR LF breaks,
// indents, name padding, proportional measuring and bad input.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "WrapChecks.h"
#include "layout/LineWraps.h"
#include "platform/TextMeasurer.h"
#include "text/ShiftJis.h"

namespace vorna {
namespace {

using testing::RowFault;
using testing::Sj;

// Double-byte characters are 10 pixels wide, single bytes 5; the font is 10 high.
class TFixedMeasurer : public TTextMeasurer {
 public:
  int TextWidth(std::string_view text) override {
    int width = 0;
    for (size_t i = 0; i < text.size(); i += IsDoubleByteAt(text, i) ? 2 : 1)
      width += IsDoubleByteAt(text, i) ? 10 : 5;
    return width;
  }
  int FontHeight() override { return 10; }
};

std::vector<int> Wrap(const std::string& line, int capacity, const TLayoutSettings& s,
                      TLineIndent indent = {}) {
  return WrapText(line, TWrapInputs{capacity, 0, 0, nullptr}, s, indent);
}

// The rows as UTF-8 texts, for readable expectations.
std::vector<std::string> Pieces(const std::string& line, const std::vector<int>& rows) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (int length : rows) {
    pieces.push_back(Utf8FromCp932(line.substr(start, static_cast<size_t>(length))));
    start += static_cast<size_t>(length);
  }
  return pieces;
}

std::string Kanji(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += Sj("漢");
  return text;
}

TEST(LineWrapping, HangingTakesOneCharacter) {
  TLayoutSettings s;
  s.ColumnCountAuto = false;
  const std::string line = Kanji(20) + Sj("。」次");
  EXPECT_EQ(Wrap(line, 40, s), (std::vector<int>{42, 4}));
  s.TailHang = false;
  EXPECT_EQ(Wrap(line, 40, s), (std::vector<int>{40, 6}));
  s.TailHang = true;
  s.HangStr = std::string();
  EXPECT_EQ(Wrap(line, 40, s), (std::vector<int>{40, 6}));
}

TEST(LineWrapping, PushOutKinsoku) {
  TLayoutSettings s;
  s.TailAdjust = true;
  // "「" would end the row: it starts the next one.
  const std::string opening = Kanji(19) + Sj("「台詞");
  EXPECT_EQ(Pieces(opening, Wrap(opening, 40, s))[1], "「台詞");
  // A character that may not start a row pulls the last character along.
  const std::string small = Kanji(20) + Sj("ャ");
  EXPECT_EQ(Pieces(small, Wrap(small, 40, s))[1], "漢ャ");
  // Only one step: the new row end is not checked again.
  const std::string twice = Kanji(18) + Sj("「「台");
  EXPECT_EQ(Wrap(twice, 40, s), (std::vector<int>{38, 4}));
  // A hung character ends the row; nothing is pushed.
  const std::string hang = Kanji(20) + Sj("。ャ");
  EXPECT_EQ(Wrap(hang, 40, s), (std::vector<int>{42, 2}));
  // "」" never starts a row: it hangs, or with hanging off it is pushed with
  // the character before it when it is a top-prohibited character.
  const std::string closing = Kanji(20) + Sj("」");
  EXPECT_EQ(Wrap(closing, 40, s), (std::vector<int>{42}));
  s.TailHang = false;
  s.ProhibitTopStr = s.ProhibitTopStr.Text() + Sj("」");
  EXPECT_EQ(Pieces(closing, Wrap(closing, 40, s))[1], "漢」");
  s.TailAdjust = false;
  EXPECT_EQ(Pieces(closing, Wrap(closing, 40, s))[1], "」");
  EXPECT_EQ(Pieces(opening, Wrap(opening, 40, s))[0], Utf8FromCp932(Kanji(19) + Sj("「")));
}

TEST(LineWrapping, PushOutNeverEmptiesARow) {
  TLayoutSettings s;
  s.TailAdjust = true;
  // The indent leaves room for one character per row.
  const std::string line = Sj("「「「ャ");
  const std::vector<int> rows = Wrap(line, 8, s, {8, true});
  EXPECT_EQ(rows, (std::vector<int>{2, 2, 2, 2}));
}

TEST(LineWrapping, CapacitiesBelowEightCountAsEight) {
  TLayoutSettings s;
  s.TailAdjust = true;
  const std::string lines[] = {Kanji(9) + Sj("。「ャ"), "abcdefghijklmnopqrstuvwxyz",
                               Sj("ab漢字cd《よみ》e")};
  for (const std::string& line : lines)
    for (int capacity : {1, 3, 7}) EXPECT_EQ(Wrap(line, capacity, s), Wrap(line, 8, s)) << capacity;
  s.ColumnCountAuto = false;
  EXPECT_EQ(Wrap(lines[1], 0, s), (std::vector<int>{26}));
  EXPECT_EQ(Wrap("", 8, s), (std::vector<int>{0}));
}

TEST(LineWrapping, CrLfEndsARowAfterTheLf) {
  TLayoutSettings s;
  EXPECT_EQ(Wrap("ab\r\ncd", 40, s), (std::vector<int>{4, 2}));
  EXPECT_EQ(Wrap("ab\r\n\r\ncd", 40, s), (std::vector<int>{4, 2, 2}));
  EXPECT_EQ(Wrap(std::string(30, 'a') + "\r\nb", 8, s), (std::vector<int>{8, 8, 8, 8, 1}));
  EXPECT_EQ(Wrap("aaaaaaaa\r\nb", 8, s), (std::vector<int>{10, 1}));
  // Hidden notation and tabs before the break do not carry the row past it.
  s.RubiVisible = true;
  const std::string ruby = Sj("漢《かんかんかん》") + "\r\n" + Kanji(3);
  EXPECT_EQ(Wrap(ruby, 40, s), (std::vector<int>{20, 6}));
  EXPECT_EQ(Wrap("a\tb\r\ncdef", 40, s), (std::vector<int>{5, 4}));
  EXPECT_EQ(Wrap("\r\nab", 40, s), (std::vector<int>{2, 2}));
  // Notation hidden right after a joined CR stays on its row.
  const std::string afterCr = "abcdefgh\r" + Sj("｜漢");
  EXPECT_EQ(Wrap(afterCr, 8, s), (std::vector<int>{11, 2}));
}

TEST(LineWrapping, WordWrapKeepsHalfWidthWords) {
  TLayoutSettings s;
  s.WordWrap = true;
  const std::string line = "hello world 12345 abcdefghijk";
  EXPECT_EQ(Pieces(line, Wrap(line, 8, s)),
            (std::vector<std::string>{"hello ", "world ", "12345 ", "abcdefgh", "ijk"}));
  const std::string mixed = "abcde123456";
  EXPECT_EQ(Pieces(mixed, Wrap(mixed, 8, s)), (std::vector<std::string>{"abcde", "123456"}));
  s.WordWrap = false;
  EXPECT_EQ(Pieces(line, Wrap(line, 8, s))[0], "hello wo");
}

TEST(LineWrapping, ScreenplayIndents) {
  TLayoutSettings s;
  s.ViewIndent = 2;
  const std::string direction = Kanji(10);  // stage direction: every row indented
  EXPECT_EQ(Wrap(direction, 12, s, GetLineIndent(direction, s)), (std::vector<int>{8, 8, 4}));
  const std::string dialogue = Sj("「") + Kanji(9);  // from the second row on
  EXPECT_EQ(Wrap(dialogue, 12, s, GetLineIndent(dialogue, s)), (std::vector<int>{12, 8}));
  const std::string heading = Sj("○") + Kanji(9);
  EXPECT_EQ(Wrap(heading, 12, s, GetLineIndent(heading, s)), (std::vector<int>{12, 8}));
  // With scene rules the heading mark takes no cells.
  s.GapLineStyle = 2;
  EXPECT_EQ(Wrap(heading, 12, s, GetLineIndent(heading, s)), (std::vector<int>{14, 6}));
}

TEST(LineWrapping, SpeakerNamePaddingTakesRowCells) {
  TLayoutSettings s;
  s.SerifuNameRestore = true;
  const std::string named = Sj("山「") + Kanji(30);
  EXPECT_EQ(Wrap(named, 40, s)[0], 36);
}

// A dialogue line shorter than the capacity in bytes once stayed one row
// although the name padding made it wider than the row.
TEST(LineWrapping, ShortLineWiderThanItsBytesStillWraps) {
  TLayoutSettings s;
  s.SerifuNameRestore = true;
  const std::string padded = Sj("「") + Kanji(17) + Sj("」");
  EXPECT_EQ(Wrap(padded, 40, s), (std::vector<int>{34, 4}));
  const std::string tabs = "\t\t\t\t\t\t\t\t\t\tab";  // 12 bytes, 42 cells
  EXPECT_EQ(Wrap(tabs, 40, s), (std::vector<int>{10, 2}));
}

TEST(LineWrapping, ProportionalMeasuring) {
  TFixedMeasurer measurer;
  TLayoutSettings s;
  s.ProportionalFont = true;
  const auto wrap = [&](const std::string& line, int width, int space) {
    return WrapText(line, TWrapInputs{0, width, space, &measurer}, s, {});
  };
  EXPECT_EQ(wrap(Kanji(30), 100, 0), (std::vector<int>{20, 20, 20}));
  EXPECT_EQ(wrap(Kanji(9), 100, 0), (std::vector<int>{18}));
  EXPECT_EQ(wrap(Kanji(30), 100, 2), (std::vector<int>{14, 14, 14, 14, 4}));
  EXPECT_EQ(wrap("ab" + Kanji(20), 100, 0), (std::vector<int>{20, 20, 2}));
  // Readings shown beside the text are not measured.
  s.RubiVisible = true;
  EXPECT_EQ(wrap(Sj("漢《かんじかんじかんじ》") + Kanji(12), 100, 0), (std::vector<int>{42, 6}));
  EXPECT_EQ(wrap(Kanji(3) + "\r\n" + Kanji(3), 100, 0), (std::vector<int>{8, 6}));
  // Without a measurer nothing can be measured: the line stays whole.
  EXPECT_EQ(WrapText(Kanji(30), TWrapInputs{0, 100, 0, nullptr}, s, {}), (std::vector<int>{60}));
}

TEST(LineWrapping, AutomaticCellsFromTheFontHeight) {
  TFixedMeasurer measurer;
  TLayoutSettings s;
  // round(100 / 5) - 2 for hanging - 1 for the shown line end: 17 cells.
  EXPECT_EQ(WrapText(std::string(40, 'a'), TWrapInputs{0, 100, 0, &measurer}, s, {}),
            (std::vector<int>{17, 17, 6}));
  EXPECT_EQ(WrapText(std::string(40, 'a'), TWrapInputs{0, 0, 0, &measurer}, s, {}), (std::vector<int>{40}));
}

// Random text of kanji, kana, half-width words and kinsoku characters.
std::string RandomLine(std::mt19937& random, int chars) {
  static const char* pieces[] = {"漢", "字", "か", "な", "カ", "。", "、", "「", "」", "ャ", "ー", "（",
                                 "）", "a",  "b",  "1",  "2",  " ",  ".",  "(",  ";",  "｣",  "ｬ",  "　"};
  std::string line;
  for (int i = 0; i < chars; ++i) line += Sj(pieces[random() % std::size(pieces)]);
  return line;
}

// A font twice as wide and high as TFixedMeasurer's.
class TWideMeasurer : public TFixedMeasurer {
 public:
  int TextWidth(std::string_view text) override { return 2 * TFixedMeasurer::TextWidth(text); }
  int FontHeight() override { return 20; }
};

TEST(LineWrapping, InputsCalledTheSameWrapEveryLineTheSame) {
  TFixedMeasurer narrow;
  TWideMeasurer wide;
  std::vector<TWrapInputs> inputs;
  for (int capacity : {0, 3, 7, 8, 9, 20})
    for (int width : {-5, 0, 90, 140})
      for (int space : {0, 2})
        for (TTextMeasurer* measurer :
             {static_cast<TTextMeasurer*>(nullptr), static_cast<TTextMeasurer*>(&narrow),
              static_cast<TTextMeasurer*>(&wide)})
          inputs.push_back({capacity, width, space, measurer});
  std::mt19937 random(11);
  std::vector<std::string> lines;
  for (int i = 0; i < 5; ++i) lines.push_back(RandomLine(random, 10 + static_cast<int>(random() % 60)));
  TLayoutSettings variants[3];
  variants[1].ProportionalFont = true;
  variants[2].ColumnCountAuto = false;
  int same = 0;
  for (const TWrapInputs& a : inputs)
    for (const TWrapInputs& b : inputs) {
      if (!SameWrapInputs(a, b)) continue;
      ++same;
      for (const TLayoutSettings& s : variants)
        for (const std::string& line : lines)
          ASSERT_EQ(WrapText(line, a, s, {}), WrapText(line, b, s, {}))
              << a.CapacityCells << "/" << a.WrapWidthPx << " against " << b.CapacityCells << "/"
              << b.WrapWidthPx;
    }
  // Beyond equal inputs: small capacities, unread measuring inputs, no width.
  EXPECT_GT(same, static_cast<int>(inputs.size()) * 10);
  EXPECT_TRUE(SameWrapInputs({3, 0, 0, nullptr}, {7, 90, 2, &wide}));
  EXPECT_FALSE(SameWrapInputs({8, 0, 0, nullptr}, {9, 0, 0, nullptr}));
  EXPECT_FALSE(SameWrapInputs({0, 90, 0, &narrow}, {0, 90, 0, &wide}));
  EXPECT_FALSE(SameWrapInputs({0, 90, 0, &narrow}, {0, 0, 0, &narrow}));
}

TEST(LineWrapping, HiddenNotationChangesNothingButItsOwnRow) {
  std::mt19937 random(7);
  TLayoutSettings s;
  s.RubiVisible = true;
  for (int round = 0; round < 300; ++round) {
    s.TailAdjust = round % 2 == 1;
    s.WordWrap = round % 3 == 1;
    s.TailHang = round % 5 != 1;
    const std::string line = RandomLine(random, 5 + static_cast<int>(random() % 80));
    for (int capacity : {8, 9, 10, 20, 40}) {
      // A trailing bar is hidden; it joins the last row and moves nothing.
      std::vector<int> plain = Wrap(line, capacity, s);
      std::vector<int> marked = Wrap(line + Sj("｜"), capacity, s);
      ASSERT_FALSE(marked.empty());
      marked.back() -= 2;
      EXPECT_EQ(plain, marked) << Utf8FromCp932(line) << " at " << capacity;
    }
  }
}

TEST(LineWrapping, BadInputAlwaysAdvances) {
  std::string huge;
  while (huge.size() < 100000) huge += Sj("吾輩《わがはい》は｜猫《ねこ》［＃注］である。「はい」\tabc 123 ");
  huge.resize(100000);
  const std::string lines[] = {"",
                               "a",
                               "\x81",
                               Sj("漢") + "\x81",
                               huge,
                               Sj("｜《よみ》［＃注記］《》"),
                               Sj("漢字《かん"),
                               Sj("漢字［＃注"),
                               Sj("漢字｜"),
                               std::string(50, '\t'),
                               Sj("a\tあ\t漢\t「\t。\t") + "\t",
                               std::string(64, '\x81'),
                               "\r\n\r\n\r",
                               Sj("「」「」「」「」「」「」「」「」「」「」「」")};
  TFixedMeasurer measurer;
  TLayoutSettings variants[4];
  variants[1].TailAdjust = variants[1].WordWrap = variants[1].RubiVisible = variants[1].FootNoteVisible =
      true;
  variants[1].SerifuNameRestore = true;
  variants[1].GapLineStyle = 2;
  variants[2] = variants[1];
  variants[2].ProportionalFont = true;
  variants[3] = variants[2];
  variants[3].TabLength = 1 << 30;  // measured tabs stay bounded
  for (const std::string& line : lines)
    for (const TLayoutSettings& s : variants)
      for (int capacity : {0, 1, 7, 8, 10000})
        for (TLineIndent indent : {TLineIndent{}, TLineIndent{12, true}}) {
          const std::vector<int> rows = WrapText(line, TWrapInputs{capacity, 90, 1, &measurer}, s, indent);
          ASSERT_EQ(RowFault(line, rows, &LineHiddenMask(line, s)), "")
              << line.size() << " bytes at capacity " << capacity;
        }
}

}  // namespace
}  // namespace vorna
