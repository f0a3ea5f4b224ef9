// Line indents, the dialogue test and the speaker-name padding.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "layout/LineWraps.h"

namespace vorna {
namespace {

using testing::Sj;

TEST(LineIndents, MarksGiveAHangingIndent) {
  TLayoutSettings s;
  struct TCase {
    std::string Line;
    int Cells;
  };
  const TCase cases[] = {
      {Sj("※本文"), 2},     {Sj("※　　本文"), 6}, {Sj("・  本文"), 4}, {Sj("※ 　本文"), 3},
      {Sj("※　"), 2},  // a space that ends the line is not counted
      {Sj("※　　"), 4},     {Sj("※"), 2},         {Sj("本文※"), 0},    {"", 0},
      {Sj("①") + "  x", 4}, {"* x", 0},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(GetLineIndent(c.Line, s), (TLineIndent{c.Cells, false})) << Utf8FromCp932(c.Line);
  s.ViewIndent = 0;
  EXPECT_EQ(GetLineIndent(Sj("※本文"), s), TLineIndent{});
}

TEST(LineIndents, ScreenplayIndents) {
  TLayoutSettings s;
  s.ViewIndent = 2;
  EXPECT_EQ(GetLineIndent(Sj("○駅前の広場"), s), (TLineIndent{4, false}));
  EXPECT_EQ(GetLineIndent(Sj("太郎「行こう」"), s), (TLineIndent{2, false}));
  EXPECT_EQ(GetLineIndent(Sj("「行こう」"), s), (TLineIndent{2, false}));
  EXPECT_EQ(GetLineIndent(Sj("太郎が歩いてくる。"), s), (TLineIndent{4, true}));
  s.HashiraIndentCount = 6;
  s.TogakiIndentCount = 12;
  EXPECT_EQ(GetLineIndent(Sj("○駅前"), s), (TLineIndent{6, false}));
  EXPECT_EQ(GetLineIndent(Sj("雨。"), s), (TLineIndent{12, true}));
  // An empty heading mark makes no line a heading.
  s.HashiraHeader.clear();
  EXPECT_EQ(GetLineIndent(Sj("○駅前"), s), (TLineIndent{12, true}));
}

TEST(LineIndents, ItemisedStatementsIndentByTheirMarker) {
  TLayoutSettings s;
  s.ViewIndent = 0;
  s.ItemizedStatement = true;
  EXPECT_EQ(GetLineIndent("1. first", s), (TLineIndent{2, false}));
  EXPECT_EQ(GetLineIndent("(12) twelfth", s), (TLineIndent{5, false}));
  EXPECT_EQ(GetLineIndent(Sj("３．三番目"), s), (TLineIndent{4, false}));
  EXPECT_EQ(GetLineIndent("plain", s), TLineIndent{});
  // A mark indent comes first.
  s.ViewIndent = 1;
  EXPECT_EQ(GetLineIndent(Sj("※") + "1. x", s), (TLineIndent{2, false}));
}

TEST(LineIndents, IsSerifuLine) {
  const std::string h = Sj("「"), f = Sj("」");
  struct TCase {
    std::string Text;
    bool Dialogue;
  };
  const TCase cases[] = {
      {Sj("地の文。"), false},
      {Sj("太郎「まだ続く"), true},
      {Sj("太郎「行こう」"), true},
      {Sj("「行こう」と言った"), false},
      // "」" as bytes across a character boundary is not the footer.
      {Sj("「あ") + "\x88\x81" + "v", true},
  };
  for (const TCase& c : cases) EXPECT_EQ(IsSerifuLine(c.Text, h, f), c.Dialogue) << Utf8FromCp932(c.Text);
  EXPECT_FALSE(IsSerifuLine(Sj("「あ」"), "", f));
  EXPECT_TRUE(IsSerifuLine(Sj("「あ」x"), h, ""));
}

TEST(LineIndents, NamePaddingSpreadsShortNames) {
  TLayoutSettings s;
  EXPECT_EQ(NamePadding(Sj("山田「はい」"), s), 0);
  s.SerifuNameRestore = true;
  EXPECT_EQ(NamePadding(Sj("山田「はい」"), s), 2);
  EXPECT_EQ(NamePadding(Sj("山「はい」"), s), 4);
  EXPECT_EQ(NamePadding(Sj("「はい」"), s), 6);
  EXPECT_EQ(NamePadding(Sj("山田太「はい」"), s), 0);
  EXPECT_EQ(NamePadding(Sj("山田が歩く。"), s), 0);
}

}  // namespace
}  // namespace vorna
