// The outline: each form of Aozora heading, heading marks, nesting, named
// text away from its annotation, unclosed annotations, scene numbers, and the
// incremental outline checked against a fresh scan after random edits.
#include <gtest/gtest.h>

#include <random>

#include "PlatformDoubles.h"
#include "TestSupport.h"
#include "document/EditLists.h"
#include "document/Outlines.h"

namespace vorna {
namespace {

using testing::Sj;

struct OutlinesTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};

  // "level line title" per heading, the title in UTF-8.
  std::vector<std::string> Scan(std::string_view utf8) {
    list.SetText(Sj(utf8));
    return Describe(FindHeadings(list, 0, list.Count() - 1));
  }
  static std::vector<std::string> Describe(const std::vector<THeading>& headings) {
    std::vector<std::string> out;
    for (const THeading& h : headings)
      out.push_back(std::to_string(h.Level) + " " + std::to_string(h.Line) + " " + Utf8FromCp932(h.Title));
    return out;
  }
  using V = std::vector<std::string>;
};

TEST_F(OutlinesTest, AozoraHeadingsInEachFormAndSize) {
  EXPECT_EQ(Scan("［＃５字下げ］黄泉《よみ》の國［＃「黄泉の國」は小見出し］\r\n本文\r\n"
                 "［＃大見出し］亜細亜《アジア》の曙［＃大見出し終わり］\r\n"
                 "○○［＃「○○」は同行中見出し］　続く本文\r\n"
                 "［＃窓小見出し］龍王岬［＃窓小見出し終わり］"),
            (V{"3 0 黄泉の國", "1 2 亜細亜の曙", "2 3 ○○", "3 4 龍王岬"}));
  // A block over lines: its lines joined, the heading on the first of them.
  EXPECT_EQ(Scan("前\r\n［＃ここから中見出し］\r\n第一部\r\n　旅立ち\r\n［＃ここで中見出し終わり］\r\n後"),
            (V{"2 2 第一部　旅立ち"}));
  // Two headings on one line, in their order.
  EXPECT_EQ(Scan("一［＃「一」は大見出し］二［＃「二」は中見出し］"), (V{"1 0 一", "2 0 二"}));
  // Not headings: an emphasis annotation, another size, an empty name.
  EXPECT_EQ(Scan("見出し［＃「見出し」に傍点］\r\n特［＃「特」は特大見出し］\r\n［＃「」は大見出し］"), V{});
  // Titles: notation removed, spaces trimmed, a long one cut on a character
  // boundary (a half-width letter first puts every full-width one on an odd byte).
  EXPECT_EQ(Utf8FromCp932(HeadingTitle(Sj("　 ｜東京《とうきょう》へ［＃「へ」に傍点］　\t"))), "東京へ");
  std::string hundred;
  for (int i = 0; i < 100; ++i) hundred += "あ";
  const std::string title = HeadingTitle("x" + Sj(hundred));
  EXPECT_EQ(title, "x" + Sj(hundred).substr(0, kMaxTitleBytes - 2) + Sj("…"));
}

TEST_F(OutlinesTest, NamedTextAwayFromItsAnnotation) {
  // On the line before: the heading is that line.
  EXPECT_EQ(Scan("本文\r\n第一章　出発\r\n［＃「第一章　出発」は大見出し］"), (V{"1 1 第一章　出発"}));
  // Nowhere: the annotation's own line, with the name as title.
  EXPECT_EQ(Scan("本文\r\n［＃「幻の章」は中見出し］"), (V{"2 1 幻の章"}));
}

TEST_F(OutlinesTest, UnclosedAnnotations) {
  // Without "］" there is no annotation, so no heading.
  EXPECT_EQ(Scan("第一章［＃「第一章」は大見出し"), V{});
  // A one-line heading left open runs to the line's end.
  EXPECT_EQ(Scan("［＃中見出し］第二章　雨《あめ》\r\n本文"), (V{"2 0 第二章　雨"}));
  // A block left open takes its first line only; the lines after it are free.
  EXPECT_EQ(Scan("［＃ここから大見出し］\r\n\r\n第三章\r\n本文\r\n○場面"), (V{"1 2 第三章", "4 4 ○場面"}));
}

TEST_F(OutlinesTest, AnnotationsBeginOnCharacterBoundariesOnly) {
  // "\x89\x81" ends in the lead byte of "［", and "m" is its trail: no "［＃" there.
  list.SetText("\x89\x81m" + Sj("＃「x」は大見出し］"));
  EXPECT_EQ(Describe(FindHeadings(list, 0, 0)), V{});
  // After a character of two lead-range bytes the annotation is whole.
  EXPECT_EQ(Scan("亜［＃「亜」は大見出し］"), (V{"1 0 亜"}));
}

TEST_F(OutlinesTest, HeadingMarksRankBelowAozoraHeadingsAndNest) {
  const auto lines = Scan(
      "第一章［＃「第一章」は大見出し］\r\n○朝\r\n一［＃「一」は中見出し］\r\n"
      "■昼《ひる》［＃注］\r\n○○［＃「○○」は小見出し］\r\n"
      "［＃ここから小見出し］\r\n○場面\r\n［＃ここで小見出し終わり］\r\n"
      "第二章［＃「第二章」は大見出し］\r\n§夜");
  // A marked line holding an Aozora heading, or inside a heading block, is no
  // marked heading.
  EXPECT_EQ(lines, (V{"1 0 第一章", "4 1 ○朝", "2 2 一", "4 3 ■昼", "3 4 ○○", "3 6 ○場面", "1 8 第二章",
                      "4 9 §夜"}));
  const std::vector<TOutlineEntry> entries =
      OutlineEntries(FindHeadings(list, 0, list.Count() - 1), list, [](int line) { return line / 4 + 1; });
  std::vector<int> parents, pages;
  for (const TOutlineEntry& e : entries) {
    parents.push_back(e.Parent);
    pages.push_back(e.Page);
  }
  EXPECT_EQ(parents, (std::vector<int>{-1, 0, 0, 2, 2, 2, -1, 6}));
  EXPECT_EQ(pages, (std::vector<int>{1, 1, 1, 1, 2, 2, 3, 3}));
  // The style's own marks: a rescan follows them.
  TOutline outline(list);
  outline.Update();
  TDocumentLayout layout = list.Layout();
  layout.HeadingStrs = {Sj("§"), ""};
  list.ApplyLayoutSettings(layout);
  EXPECT_TRUE(outline.NeedsScan());
  EXPECT_TRUE(outline.Update());
  EXPECT_EQ(outline.Headings().size(), 6u);
  EXPECT_EQ(Utf8FromCp932(outline.Headings().back().Title), "§夜");
}

TEST_F(OutlinesTest, ScreenplayScenesCarryTheNumbersOfTheLineNumberColumn) {
  TDocumentLayout layout;
  layout.LineInfoVisible = true;
  layout.LineInfoStyle = kLineInfoScenes;
  list.ApplyLayoutSettings(layout);
  list.SetText(
      Sj("○教室（朝）\r\n　生徒たちが騒ぐ。\r\n太郎「おはよう」\r\n○廊下\r\n○屋上（夕）\r\n花子「ここに」"));
  list.SetWrapInputs({.CapacityCells = 20});
  list.Relayout();
  TOutline outline(list);
  outline.Update();
  const auto scenes = [&] {
    std::vector<std::string> out;
    for (const TOutlineEntry& e : OutlineEntries(outline.Headings(), list, nullptr))
      out.push_back(std::to_string(e.SceneNo) + Utf8FromCp932(e.Heading.Title));
    return out;
  };
  EXPECT_EQ(scenes(), (V{"1○教室（朝）", "2○廊下", "3○屋上（夕）"}));
  // A scene put in front renumbers those after it, as the row table does.
  list.Insert(1, Sj("○校門"));
  EXPECT_EQ(scenes(), (V{"1○教室（朝）", "2○校門", "3○廊下", "4○屋上（夕）"}));
}

TEST_F(OutlinesTest, EditsKeepTheOutlineEqualToAFreshScan) {
  const std::vector<std::string> pieces = {"本文",
                                           "",
                                           "○場面",
                                           "第一章［＃「第一章」は大見出し］",
                                           "［＃「一」は中見出し］",
                                           "一",
                                           "［＃ここから小見出し］",
                                           "［＃ここで小見出し終わり］",
                                           "［＃中見出し］章［＃中見出し終わり］",
                                           "■印",
                                           "［＃"};
  std::mt19937 random(31);
  const auto pick = [&](size_t n) { return static_cast<int>(random() % n); };
  const auto line = [&] { return Sj(pieces[static_cast<size_t>(pick(pieces.size()))]); };
  std::string text;
  for (int i = 0; i < 60; ++i) text += line() + "\r\n";
  list.SetText(text);
  TOutline outline(list);
  int told = 0;
  outline.OnChange = [&] { ++told; };
  outline.Update();
  for (int step = 0; step < 600; ++step) {
    const int n = list.Count();
    const uint64_t generation = outline.Generation();
    const std::vector<THeading> before = outline.Headings();
    switch (pick(5)) {
      case 0:
        list.Put(pick(static_cast<size_t>(n)), line());
        break;
      case 1:
        list.Insert(pick(static_cast<size_t>(n) + 1), line());
        break;
      case 2:
        list.Delete(pick(static_cast<size_t>(n)));
        break;
      case 3:
        list.InsertLines(pick(static_cast<size_t>(n) + 1), {line(), line(), line()});
        break;
      default:
        list.DeleteLines(pick(static_cast<size_t>(n)), 1 + pick(4));
        break;
    }
    ASSERT_FALSE(outline.NeedsScan());
    const std::vector<THeading> fresh = FindHeadings(list, 0, list.Count() - 1);
    ASSERT_EQ(Describe(outline.Headings()), Describe(fresh)) << "step " << step;
    ASSERT_EQ(outline.Headings(), fresh) << "step " << step;
    EXPECT_EQ(outline.Generation() != generation, before != fresh) << "step " << step;
  }
  EXPECT_GE(told, 600);
  // A replaced text waits for the next full scan.
  list.SetText(Sj("［＃「終」は大見出し］"));
  EXPECT_TRUE(outline.NeedsScan());
  outline.Update();
  EXPECT_EQ(Describe(outline.Headings()), (V{"1 0 終"}));
}

TEST(OutlineLifetimeTest, AnOutlineOutlivesItsDocument) {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  auto list = std::make_unique<TEditList>(files, messages);
  list->SetText(Sj("○場面"));
  TOutline outline(*list);
  outline.Update();
  EXPECT_EQ(outline.Headings().size(), 1u);
  list.reset();
  EXPECT_EQ(outline.List(), nullptr);
  EXPECT_TRUE(outline.Headings().empty());
  EXPECT_FALSE(outline.Update());
}

}  // namespace
}  // namespace vorna
