// Splitting and expansion of the header and footer codes.
#include "settings/HeaderFooterCodes.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace vorna {
namespace {

using testing::Sj;

THeaderFooterContext Page(int startPageNo, int pageIndex, int pageCount = 0) {
  THeaderFooterContext context;
  context.StartPageNo = startPageNo;
  context.PageIndex = pageIndex;
  context.PageCount = pageCount;
  context.Clock = {2024, 3, 5, 7, 4};
  return context;
}

struct SplitCase {
  const char* Text;
  THeaderFooterParts Parts;
};

TEST(HeaderFooterCodes, SplitsAtTheFirstTwoSeparators) {
  const SplitCase cases[] = {
      {"< &p >", {"< &p >", "", ""}},
      {"< &p >&b", {"< &p >", "", ""}},
      {"&b&b< &p >", {"", "", "< &p >"}},
      {"a&bb&bc&bd", {"a", "b", "c&bd"}},
      {"&b", {"", "", ""}},
      {"", {"", "", ""}},
      {"&", {"&", "", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitHeaderFooter(c.Text), c.Parts) << c.Text;
}

struct ExpandCase {
  const char* Text;
  int StartPageNo;
  int PageIndex;
  THeaderFooterParts Parts;
};

TEST(HeaderFooterCodes, ExpandsPageCodes) {
  const ExpandCase cases[] = {
      {"&p", 1, 0, {"1", "", ""}},
      {"&p", 0, 0, {"", "", ""}},   // page number 0 is not shown
      {"&p", -3, 1, {"", "", ""}},  // nor a negative one
      {"&p/&P", 5, 2, {"7/9", "", ""}},
      {"&&p", 1, 0, {"p", "", ""}},            // a doubled "&" is no escape
      {"&&&p", 1, 0, {"&p", "", ""}},          // the third "&" follows an "&"
      {"a&bb&bc&bd", 1, 0, {"a", "b", "cd"}},  // a third "&b" expands to nothing
      {"&e&b&b&o", 1, 0, {"", "", "1"}},       // odd page: right
      {"&e&b&b&o", 1, 1, {"2", "", ""}},       // even page: left
      {"&o&b&b&e", 2, 0, {"", "", "2"}},
      {"&x&q", 1, 0, {"", "", ""}},    // unknown codes expand to nothing
      {"&F-&f", 1, 0, {"-", "", ""}},  // file codes need the view's hook
      {"ab&", 1, 0, {"ab&", "", ""}},  // a final "&" stays
      {"&", 1, 0, {"&", "", ""}},
      {"&&", 1, 0, {"", "", ""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExpandHeaderFooter(c.Text, Page(c.StartPageNo, c.PageIndex, 9)), c.Parts)
        << c.Text << " start " << c.StartPageNo << " index " << c.PageIndex;
  }
}

TEST(HeaderFooterCodes, DefaultFooterCentresThePageNumber) {
  const auto parts = ExpandHeaderFooter(Sj("&b－ &p －&b"), Page(1, 11));
  EXPECT_EQ(parts.Left, "");
  EXPECT_EQ(parts.Centre, Sj("－ 12 －"));
  EXPECT_EQ(parts.Right, "");
}

TEST(HeaderFooterCodes, DateAndTimeForms) {
  auto context = Page(1, 0);
  EXPECT_EQ(ExpandHeaderFooterPart("&d &t", context), "2024/3/5 7:04");
  context.Clock = {1999, 12, 31, 23, 59};
  EXPECT_EQ(ExpandHeaderFooterPart("&t&d", context), "23:591999/12/31");
  const auto now = CurrentHeaderFooterClock();
  EXPECT_GE(now.Month, 1);
  EXPECT_LE(now.Month, 12);
  EXPECT_GE(now.Year, 2000);
}

TEST(HeaderFooterCodes, HookAddsCodesAndExpansionsAreNotRescanned) {
  auto context = Page(1, 0);
  context.Extra = [](std::string_view code, std::string& out) {
    if (code == "F") {
      out = "doc&p";  // an "&" inside an expansion stays literal
      return true;
    }
    if (code == "f") {
      out = "doc.txt";
      return true;
    }
    return false;
  };
  EXPECT_EQ(ExpandHeaderFooterPart("&F &f &p", context), "doc&p doc.txt 1");
}

TEST(HeaderFooterCodes, DoubleByteCodeCharacterIsTakenWhole) {
  // "&" followed by a double-byte character: the whole character is the code
  // (unknown, so empty); no lone trail byte is left behind.
  EXPECT_EQ(ExpandHeaderFooterPart(Sj("&あい"), Page(1, 0)), Sj("い"));
  // A lead byte without a real trail byte is taken alone.
  EXPECT_EQ(ExpandHeaderFooterPart("&\x81&p", Page(1, 0)), "1");
}

TEST(HeaderFooterCodes, TenKilobyteTextsExpand) {
  std::string text;
  for (int i = 0; i < 2500; ++i) text += "&p&x";
  const auto parts = ExpandHeaderFooter(text, Page(3, 0));
  EXPECT_EQ(parts.Left, std::string(2500, '3'));
  EXPECT_EQ(ExpandHeaderFooterPart(std::string(10240, '&'), Page(1, 0)), std::string(10238, '&'));
}

}  // namespace
}  // namespace vorna
