// Ruby, annotation and emphasis scanners, notation removal and the hidden mask.
#include "text/Notations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "text/HiddenMasks.h"
#include "text/ShiftJis.h"
#include "text/StrSrch.h"

namespace vorna {
namespace {

using testing::Sj;

// A character whose trail byte is 0x81 ("\x88\x81"), so that it followed by
// 's' (0x73) or 't' (0x74) holds the bytes of "《" or "》" across a boundary.
const std::string kTrail81 = "\x88\x81";

TEST(Notations, MarkersHaveTheBytesTheMaskLooksFor) {
  EXPECT_EQ(Sj("｜"), "\x81\x62");
  EXPECT_EQ(Sj("《"), "\x81\x73");
  EXPECT_EQ(Sj("》"), "\x81\x74");
  EXPECT_EQ(Sj("［＃"), "\x81\x6D\x81\x94");
  EXPECT_EQ(Sj("］"), "\x81\x6E");
}

TEST(Notations, FindPairsTakesACloserOnlyBeforeTheNextOpener) {
  EXPECT_EQ(FindPairs("(a(b)c)", "(", ")"), (std::vector<TByteRange>{{3, 5}}));
  EXPECT_EQ(FindPairs("(a)(b", "(", ")"), (std::vector<TByteRange>{{1, 3}}));
  EXPECT_EQ(FindPairs("a|b|", "|", ""), (std::vector<TByteRange>{{2, 2}, {4, 4}}));
  EXPECT_TRUE(FindPairs("abc", "", ")").empty());
}

TEST(Notations, ParseRubiesFindsTheBase) {
  struct TCase {
    const char* Line;
    std::vector<TRubyInfo> Rubies;  // BaseStart, BaseLength, RubyStart, RubyLength
  };
  const TCase cases[] = {
      // Two kanji before the reading, no bar.
      {"漢字《かんじ》", {{1, 4, 7, 6}}},
      // A bar limits the base to the two kanji after it.
      {"ひら｜漢字《かんじ》", {{7, 4, 13, 6}}},
      // The second ruby does not reuse the first one's bar.
      {"｜漢字《かんじ》の本《ほん》", {{3, 4, 9, 6}, {19, 2, 23, 4}}},
      // A bar between two rubies belongs to the second.
      {"本《ほん》と｜漢字《かんじ》", {{1, 2, 5, 4}, {15, 4, 21, 6}}},
      // An opener without a closer before the next opener gives no ruby.
      {"漢《か字《じ》", {{7, 2, 11, 2}}},
      // Nothing before the reading: an empty base.
      {"《よみ》", {{1, 0, 3, 4}}},
      // The base is the run of the class before "《": katakana only.
      {"あいカナ《かな》", {{5, 4, 11, 4}}},
  };
  for (const TCase& c : cases) EXPECT_EQ(ParseRubies(Sj(c.Line)), c.Rubies) << c.Line;
}

TEST(Notations, MarkerBytesInsideACharacterAreNoMarkers) {
  const std::string line = Sj("漢字") + kTrail81 + "s" + Sj("かな") + kTrail81 + "t";
  EXPECT_TRUE(FindRubyTexts(line).empty());
  EXPECT_TRUE(ParseRubies(line).empty());
  EXPECT_EQ(FindMarker(line, Sj("《")), 0);
  EXPECT_FALSE(BuildHiddenMask(line, true, true, false, "").AnyHidden());
  EXPECT_EQ(RemoveRuby(line), line);
}

TEST(Notations, EveryEmphasisKindIsFoundByItsOwnClosing) {
  const auto& closings = EmphasisClosings();
  const std::string word = Sj("漢字");
  for (int kind = 0; kind < EmphasisKindCount; ++kind) {
    EXPECT_LE(closings[kind].size(), 16u);
    const std::string line = Sj("前") + word + Sj("［＃「") + word + closings[kind] + Sj("後");
    EXPECT_EQ(FindEmphasis(line), (std::vector<TEmphasisInfo>{{kind, 3, 6}})) << kind;
    EXPECT_TRUE(FindAnnotations(line).empty()) << kind;
  }
}

TEST(Notations, EmphasisRecordsAreOrderedByKindThenPosition) {
  const std::string line = Sj("甲［＃「甲」に傍線］乙［＃「乙」に傍点］丙［＃「丙」に傍線］");
  const std::vector<TEmphasisInfo> found = FindEmphasis(line);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].Kind, 0);
  EXPECT_EQ(found[1].Kind, 8);
  EXPECT_EQ(found[2].Kind, 8);
  EXPECT_LT(found[1].TargetFirst, found[2].TargetFirst);
}

TEST(Notations, EmphasisTargetStaysInsideTheLine) {
  // The quote is longer than the text before the annotation.
  EXPECT_EQ(FindEmphasis(Sj("字［＃「漢字」に傍点］")), (std::vector<TEmphasisInfo>{{0, 1, 2}}));
  EXPECT_EQ(FindEmphasis(Sj("［＃「漢字」に傍点］")), std::vector<TEmphasisInfo>{});
  // An empty quote marks nothing.
  EXPECT_TRUE(FindEmphasis(Sj("字［＃「」に傍点］")).empty());
  // A target that would start on a trail byte starts at the next character.
  EXPECT_EQ(FindEmphasis(Sj("漢字［＃「abc」に傍点］")), (std::vector<TEmphasisInfo>{{0, 3, 4}}));
}

TEST(Notations, AnnotationsLeaveEmphasisToFindEmphasis) {
  const std::string line = Sj("本文［＃注記］と強調［＃「強調」に傍点］と［＃］");
  const std::vector<TByteRange> found = FindAnnotations(line);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(line.substr(found[0].First - 1, found[0].Last - found[0].First + 1), Sj("［＃注記］"));
  EXPECT_EQ(line.substr(found[1].First - 1, found[1].Last - found[1].First + 1), Sj("［＃］"));
}

TEST(Notations, RemovingNotation) {
  EXPECT_EQ(RemoveRuby(Sj("｜漢字《かんじ》字")), Sj("漢字字"));
  EXPECT_EQ(RemoveRuby(Sj("漢《か")), Sj("漢《か"));
  // Nested openers share one closer; nothing after it is lost.
  EXPECT_EQ(RemoveRuby(Sj("前《あ《い》後》末")), Sj("前後》末"));
  EXPECT_EQ(RemoveAnnotations(Sj("本［＃注］文［＃未完")), Sj("本文［＃未完"));
  EXPECT_EQ(RemoveAnnotations(Sj("［＃注］")), "");
}

TEST(Notations, FindTextRangesUsesFindAllFlags) {
  EXPECT_EQ(FindTextRanges("ab", "abAB", faIgnoreCase), (std::vector<TByteRange>{{1, 2}, {3, 4}}));
  EXPECT_EQ(FindTextRanges("ab", "abAB", 0), (std::vector<TByteRange>{{1, 2}}));
  EXPECT_TRUE(FindTextRanges("", "abAB", 0).empty());
}

std::string MaskString(const THiddenMask& mask, size_t size) {
  std::string bits;
  for (size_t pos = 1; pos <= size; ++pos) bits += mask.Hidden(static_cast<int>(pos)) ? '1' : '0';
  return bits;
}

TEST(HiddenMasks, MarksNotationBytes) {
  const std::string line = Sj("漢字《かんじ》｜本［＃注］");
  const THiddenMask& mask = BuildHiddenMask(line, true, true, false, "");
  EXPECT_EQ(mask.Size(), static_cast<int>(line.size()) + 2);
  EXPECT_EQ(MaskString(mask, line.size()), "0000" + std::string(10, '1') + "11" + "00" + std::string(8, '1'));
  EXPECT_TRUE(BuildHiddenMask(line, false, false, false, "").Empty());
  // Unclosed openers hide nothing.
  EXPECT_FALSE(BuildHiddenMask(Sj("漢字《かん"), true, true, false, "").AnyHidden());
  EXPECT_FALSE(BuildHiddenMask(Sj("本［＃注"), true, true, false, "").AnyHidden());
}

TEST(HiddenMasks, LineOfNotationOnlyIsHiddenWhole) {
  const std::string line = Sj("｜《よみ》［＃注記］《》｜");
  const THiddenMask& mask = BuildHiddenMask(line, true, true, false, "");
  EXPECT_EQ(MaskString(mask, line.size()), std::string(line.size(), '1'));
}

TEST(HiddenMasks, PrefixIsHiddenOnlyAtTheLineStart) {
  const std::string prefix = Sj("○");
  EXPECT_EQ(MaskString(BuildHiddenMask(Sj("○駅"), false, false, true, prefix), 4), "1100");
  EXPECT_EQ(MaskString(BuildHiddenMask(Sj("駅○"), false, false, true, prefix), 4), "0000");
}

// The cache once answered a call with other options with the mask of the
// previous call for the same line.
TEST(HiddenMasks, CacheNeverReturnsAMaskBuiltForOtherOptions) {
  const std::string line = Sj("漢《かん》［＃注］");
  const std::string rubyOnly = MaskString(BuildHiddenMask(line, true, false, false, ""), line.size());
  const std::string notesOnly = MaskString(BuildHiddenMask(line, false, true, false, ""), line.size());
  EXPECT_EQ(rubyOnly, "00" + std::string(8, '1') + std::string(8, '0'));
  EXPECT_EQ(notesOnly, std::string(10, '0') + std::string(8, '1'));
  EXPECT_TRUE(BuildHiddenMask(line, false, false, false, "").Empty());
  EXPECT_EQ(MaskString(BuildHiddenMask(line, true, false, false, ""), line.size()), rubyOnly);
  const std::string prefixed = Sj("○場");
  EXPECT_TRUE(BuildHiddenMask(prefixed, false, false, true, Sj("○")).AnyHidden());
  EXPECT_FALSE(BuildHiddenMask(prefixed, false, false, true, Sj("□")).AnyHidden());
}

// The one pass of FillHiddenSpans reads tabs and CR LF at every offset of a
// line (its first and last bytes and the edges of its blocks included), with
// or without hiding, and finds the spans FillHiddenMask finds.
TEST(HiddenMasks, SpansPassFindsTabsAndCrLfAtEveryOffset) {
  THiddenMask spans, full;
  for (size_t size = 1; size <= 140; ++size) {
    for (size_t at = 0; at < size; ++at) {
      for (const bool hide : {false, true}) {
        std::string line(size, 'a');
        line[at] = '\t';
        EXPECT_TRUE(FillHiddenSpans(spans, line, hide, hide, false, "").Tab) << size << " " << at;
        line[at] = '\r';
        EXPECT_FALSE(FillHiddenSpans(spans, line, hide, hide, false, "").CrLf) << size << " " << at;
        if (at + 1 == size) continue;
        line[at + 1] = '\n';
        const TLineControls controls = FillHiddenSpans(spans, line, hide, hide, false, "");
        EXPECT_TRUE(controls.CrLf && !controls.Tab) << size << " " << at;
      }
    }
  }
  for (size_t pad = 0; pad <= 70; ++pad) {
    const std::string line =
        std::string(pad, 'a') + Sj("漢《かん》｜字［＃注］") + std::string(pad % 17, 'b');
    FillHiddenSpans(spans, line, true, true, false, "");
    EXPECT_TRUE(spans.Empty());
    FillHiddenMask(full, line, true, true, false, "");
    ASSERT_EQ(spans.Spans().size(), full.Spans().size());
    for (size_t k = 0; k < full.Spans().size(); ++k) {
      EXPECT_EQ(spans.Spans()[k].First, full.Spans()[k].First);
      EXPECT_EQ(spans.Spans()[k].Last, full.Spans()[k].Last);
    }
    spans.MarkBytes();
    EXPECT_EQ(MaskString(spans, line.size()), MaskString(full, line.size())) << pad;
  }
}

// The mask as the notation scanners define it, built from FindAll.
std::string ReferenceMask(const std::string& line) {
  std::string bits(line.size(), '0');
  const auto mark = [&](int first, int last) {
    for (int p = first; p <= last; ++p) bits[static_cast<size_t>(p - 1)] = '1';
  };
  const auto pairs = [&](const std::string& open, const std::string& close) {
    const std::vector<int> closers = FindAll(close, line);
    for (int p : FindAll(open, line)) {
      auto q = std::lower_bound(closers.begin(), closers.end(), p);
      if (q == closers.end()) break;
      mark(p, *q + static_cast<int>(close.size()) - 1);
    }
  };
  pairs(Sj("《"), Sj("》"));
  for (int p : FindAll(Sj("｜"), line)) mark(p, p + 1);
  pairs(Sj("［＃"), Sj("］"));
  return bits;
}

TEST(HiddenMasks, AgreesWithTheScannersOnTheCorpus) {
  VORNA_REQUIRE_CORPUS();
  size_t lines = 0, hidden = 0;
  for (const auto& file : testing::CorpusFiles()) {
    const std::string text = testing::ReadFileBytes(file);
    size_t from = 0;
    while (from < text.size()) {
      size_t end = text.find("\r\n", from);
      if (end == std::string::npos) end = text.size();
      const std::string line = text.substr(from, end - from);
      const std::string bits = MaskString(BuildHiddenMask(line, true, true, false, ""), line.size());
      ASSERT_EQ(bits, ReferenceMask(line)) << file << " line at byte " << from;
      hidden += static_cast<size_t>(std::count(bits.begin(), bits.end(), '1'));
      ++lines;
      from = end + 2;
    }
  }
  EXPECT_GT(lines, 9000u);
  EXPECT_GT(hidden, 100000u);
}

TEST(Notations, BadInputNeverReadsOutsideTheLine) {
  const std::string cases[] = {"",
                               "\x81",
                               Sj("《"),
                               Sj("漢字《かん"),
                               Sj("［＃"),
                               Sj("［＃「漢」に傍"),
                               Sj("｜"),
                               Sj("》》《《"),
                               Sj("［＃「」に傍点］"),
                               Sj("漢") + "\x81",
                               Sj("［＃「") + "\x81",
                               std::string(1000, '\x81')};
  for (const std::string& line : cases) {
    for (const TRubyInfo& r : ParseRubies(line)) {
      EXPECT_GE(r.BaseStart, 1);
      EXPECT_GE(r.BaseLength, 0);
      EXPECT_LE(r.RubyStart + r.RubyLength - 1, static_cast<int>(line.size()));
    }
    for (const TEmphasisInfo& e : FindEmphasis(line)) {
      EXPECT_GE(e.TargetFirst, 1);
      EXPECT_LE(e.TargetFirst, e.TargetLast);
    }
    FindAnnotations(line);
    EXPECT_LE(RemoveRuby(line).size(), line.size());
    EXPECT_LE(RemoveAnnotations(line).size(), line.size());
    const THiddenMask& mask = BuildHiddenMask(line, true, true, true, Sj("○"));
    EXPECT_EQ(mask.Size(), mask.AnyHidden() ? static_cast<int>(line.size()) + 2 : 0);
  }
}

}  // namespace
}  // namespace vorna
