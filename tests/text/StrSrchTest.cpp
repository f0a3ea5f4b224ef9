// The search engine and FindAll: the trail-byte filter at every kind of
// candidate, non-overlapping matches, case folding, and randomised
// comparisons with naive searches.
#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"
#include "text/ShiftJis.h"
#include "text/StrSrch.h"
#include "text/TextConversions.h"
#include "text/TextSearches.h"

namespace vorna {
namespace {

using testing::Sj;
using Positions = std::vector<int>;

TEST(FindAll, NeverMatchesAtATrailByte) {
  // "ａ" is 0x82 0x81 and "t" is 0x74: together they hold "》" (0x81 0x74).
  const std::string text = Sj("ａt》");
  EXPECT_EQ(FindAll(Sj("》"), text), (Positions{4}));
  TStringSearch plain(Sj("》"), 0);
  EXPECT_EQ(plain.Find(text.data(), text.data() + text.size()), text.data() + 1);
  TStringSearch aware(Sj("》"), soMultiByte);
  EXPECT_EQ(aware.Find(text.data(), text.data() + 3), nullptr);
}

// Matches of "》" (0x81 0x74) after `prefix`, at every offset of the scan's
// blocks (the prefix is padded with ASCII first).
Positions MarkerMatchesAfter(const std::string& prefix, size_t pad) {
  return FindAll(Sj("》"), std::string(pad, 'x') + prefix + "\x81\x74" + std::string(pad % 7, 'y'));
}

TEST(FindAll, TellsTrailBytesAtEveryKindOfCandidate) {
  for (size_t pad = 0; pad < 80; ++pad) {
    const int at = static_cast<int>(pad) + 1;
    SCOPED_TRACE(pad);
    // After ASCII, or at the start of the text.
    EXPECT_EQ(MarkerMatchesAfter("", pad), (Positions{at}));
    // After single-byte katakana (0xB1), which is outside the lead range.
    EXPECT_EQ(MarkerMatchesAfter("\xB1", pad), (Positions{at + 1}));
    // After a run of lead-range bytes: "\x88\x88" is one character, so an
    // even run leaves the candidate a character start...
    EXPECT_EQ(MarkerMatchesAfter("\x88\x88\x88\x88", pad), (Positions{at + 4}));
    // ...and an odd one makes 0x81 the trail of "\x88\x81".
    EXPECT_TRUE(MarkerMatchesAfter("\x88\x88\x88", pad).empty());
    // A trail byte outside the lead range ends the run: "\x88\x40" then the marker.
    EXPECT_EQ(MarkerMatchesAfter("\x88\x40", pad), (Positions{at + 2}));
    // 0x81 0x81 is one character: the marker bytes after it are its trail and "t".
    EXPECT_EQ(MarkerMatchesAfter("\x81", pad), Positions{});
    // The candidate right after a rejected one: "\x88\x81" "t" then the marker.
    EXPECT_EQ(MarkerMatchesAfter("\x88\x81\x74", pad), (Positions{at + 3}));
  }
  // A line of nothing but markers, as long as several blocks of the scan.
  std::string markers;
  Positions every;
  for (int i = 0; i < 50; ++i) {
    every.push_back(static_cast<int>(markers.size()) + 1);
    markers += Sj("》");
  }
  EXPECT_EQ(FindAll(Sj("》"), markers), every);
  // After one lead byte the first marker's lead is a trail; the others stand.
  EXPECT_EQ(FindAll(Sj("》"), "\x88" + markers).size(), 49u);
  // A pattern of lead-range bytes: after a candidate found on a trail byte,
  // the next is judged from a true character start.
  EXPECT_TRUE(FindAll("\x81\x88", "\x88\x81\x88\x81\x88\x81\x88").empty());
  EXPECT_EQ(FindAll("\x81\x88", "\x88\x81\x88\x81\x81\x88"), (Positions{5}));
  // Runs of lead-range bytes longer than a block: only the parity counts.
  for (size_t run = 0; run < 100; ++run)
    EXPECT_EQ(FindAll(Sj("》"), std::string(run, '\x81') + "\x81t").size(), run % 2 == 0 ? 1u : 0u) << run;
}

TEST(FindAll, MatchesDoNotOverlap) {
  EXPECT_EQ(FindAll("aa", "aaaa"), (Positions{1, 3}));
  EXPECT_EQ(FindAll("aa", "aaaaa"), (Positions{1, 3}));
  EXPECT_EQ(FindAll("a", "aaa"), (Positions{1, 2, 3}));
  EXPECT_EQ(FindAll(Sj("ーー"), Sj("ーーーー")), (Positions{1, 5}));
}

TEST(FindAll, EmptyAndOversizedInputsGiveNothing) {
  EXPECT_TRUE(FindAll("", "abc").empty());
  EXPECT_TRUE(FindAll("abc", "").empty());
  EXPECT_TRUE(FindAll("abcd", "abc").empty());
  EXPECT_TRUE(FindAll("x", "abc").empty());
  EXPECT_TRUE(FindAll("", "", faIgnoreCase | faWholeWord).empty());
  TStringSearch engine("", 0);
  const char* text = "abc";
  EXPECT_EQ(engine.Find(text, text + 3), nullptr);
  EXPECT_EQ(engine.Find(text + 3, text), nullptr);
}

TEST(FindAll, IgnoreCaseFoldsAsciiWordsAndWholeCharacters) {
  const std::string text = "Word word WORD wOrD sword";
  EXPECT_EQ(FindAll("word", text, faIgnoreCase), (Positions{1, 6, 11, 16, 22}));
  EXPECT_EQ(FindAll("word", text), (Positions{6, 22}));
  EXPECT_EQ(FindAll("word", text, faIgnoreCase | faWholeWord), (Positions{1, 6, 11, 16}));
  EXPECT_EQ(FindAll("w", "aWa", faIgnoreCase), (Positions{2}));
  // The single-byte table alone never folds full-width letters...
  const std::string wide = Sj("ａｂＡＢ");
  TStringSearch ascii(Sj("ａｂ"), soIgnoreCase);
  EXPECT_EQ(ascii.Find(wide.data() + 4, wide.data() + wide.size()), nullptr);
  // ...the multi-byte-aware variant folds them as whole characters.
  EXPECT_EQ(FindAll(Sj("ａｂ"), wide, faIgnoreCase), (Positions{1, 5}));
  EXPECT_EQ(FindAll(Sj("Ａb"), Sj("ａB"), faIgnoreCase), (Positions{1}));
  // A character whose trail byte is from neither case variant does not match.
  EXPECT_EQ(FindAll(Sj("ａ"), Sj("ＡＢａ"), faIgnoreCase), (Positions{1, 5}));
}

TEST(FindAll, WholeWordsOnly) {
  EXPECT_EQ(FindAll("cat", "cat. a cat, concat cats (cat)", faWholeWord), (Positions{1, 8, 26}));
  // A double-byte neighbour delimits a word.
  EXPECT_EQ(FindAll("cat", Sj("猫cat猫"), faWholeWord), (Positions{3}));
  EXPECT_TRUE(IsWholeWord("a cat.", "cat", 3));
  EXPECT_FALSE(IsWholeWord("a cats", "cat", 3));
  EXPECT_FALSE(IsWholeWord("acat", "cat", 2));
  EXPECT_FALSE(IsWholeWord("cat", "cat", 0));
  EXPECT_FALSE(IsWholeWord("cat", "cat", 9));
  // "表" ends in 0x5C; the byte before "x" is its trail, so the left side is delimited.
  EXPECT_TRUE(IsWholeWord(Sj("表x"), "x", 3));
}

TEST(FindFirstNext, ContinuesAfterThePreviousMatchAndFreesTheEngine) {
  TSearchRec rec;
  const std::string text = Sj("《a》《b》");
  EXPECT_EQ(FindFirst(rec, text, Sj("《"), soMultiByte), 1);
  EXPECT_TRUE(rec.Engine);
  EXPECT_EQ(FindNext(rec), 6);
  EXPECT_EQ(FindNext(rec), 0);
  EXPECT_FALSE(rec.Engine);
  EXPECT_EQ(FindNext(rec), 0);
  EXPECT_EQ(FindFirst(rec, "aaaa", "aa", 0), 1);
  EXPECT_EQ(FindNext(rec), 3);
  FindClose(rec);
  EXPECT_FALSE(rec.Engine);
}

TEST(FindAll, PatternEndingInALoneLeadByteResumesAtTheNextCharacter) {
  // The pattern is a lone lead byte; after a match the next search must start
  // at a character boundary, not on the trail byte.
  const std::string text = Sj("ｂ") + "\x82\x82";  // 0x82 0x82, then 0x82 0x82
  EXPECT_EQ(FindAll("\x82", text), (Positions{1, 3}));
}

// Naive reference: matches at character boundaries, compared character by
// character (ASCII letters folded; double-byte characters equal when their
// lower-case or upper-case forms are equal), non-overlapping.
Positions NaiveFindAll(const std::string& pattern, const std::string& text, bool ignoreCase) {
  auto charsEqual = [&](std::string_view a, std::string_view b) {
    if (a == b) return true;
    if (!ignoreCase || a.size() != b.size()) return false;
    if (a.size() == 1)
      return UpperCaseTable()[static_cast<unsigned char>(a[0])] ==
             UpperCaseTable()[static_cast<unsigned char>(b[0])];
    return ConvertText(a, ckUpperCase) == b || ConvertText(a, ckLowerCase) == b;
  };
  Positions result;
  size_t i = 0;
  while (i + pattern.size() <= text.size()) {
    bool match = true;
    size_t k = 0;
    while (k < pattern.size()) {
      size_t len = IsDoubleByteAt(pattern, k) ? 2 : 1;
      if (!charsEqual(std::string_view(pattern).substr(k, len), std::string_view(text).substr(i + k, len))) {
        match = false;
        break;
      }
      k += len;
    }
    if (match) {
      result.push_back(static_cast<int>(i) + 1);
      size_t next = i + pattern.size();
      while (i < next) i += IsDoubleByteAt(text, i) ? 2 : 1;
    } else {
      i += IsDoubleByteAt(text, i) ? 2 : 1;
    }
  }
  return result;
}

TEST(FindAll, AgreesWithANaiveSearchOnRandomText) {
  const std::vector<std::string> alphabet = {
      "a",      "A",      "b",      "B",      "t",     "\\",    " ",      Sj("ａ"), Sj("Ａ"),
      Sj("ｂ"), Sj("》"), Sj("表"), Sj("ア"), Sj("α"), Sj("Α"), Sj("Ｂ"), Sj("ｃ"), Sj("Ｃ"),
  };
  std::mt19937 rng(20261208);
  auto pick = [&](int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += alphabet[rng() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 6000; ++round) {
    std::string text = pick(static_cast<int>(rng() % 40));
    if (rng() % 4 == 0) text += "\x82";  // lone lead byte at the end
    // Short patterns take the memchr path, longer ones the shift tables.
    std::string pattern = pick(1 + static_cast<int>(rng() % (round % 2 ? 3 : 9)));
    const bool ignoreCase = rng() % 2;
    EXPECT_EQ(FindAll(pattern, text, ignoreCase ? faIgnoreCase : 0), NaiveFindAll(pattern, text, ignoreCase))
        << "pattern '" << pattern << "' text '" << text << "' ignoreCase " << ignoreCase;
  }
}

// Scalar reference of the find bar's plain search: NaiveFindAll less the
// matches that end inside a character (the pattern ends in a lead byte whose
// trail is the text's next byte), each one resumed from at its end.
Positions NaiveWholeCharacterFindAll(const std::string& pattern, const std::string& text) {
  const bool endsInLead = ByteTypeAt(pattern, static_cast<int>(pattern.size())) == TByteType::Lead;
  Positions result;
  for (size_t i = 0; i + pattern.size() <= text.size();) {
    const size_t end = i + pattern.size();
    if (text.compare(i, pattern.size(), pattern) == 0 && (!endsInLead || end == text.size())) {
      result.push_back(static_cast<int>(i) + 1);
      i = end;
    } else {
      i += IsDoubleByteAt(text, i) ? 2 : 1;
    }
  }
  return result;
}

TEST(FindAll, AgreesWithAScalarSearchOnRandomBytes) {
  std::mt19937 rng(20261210);
  // Bytes that make lead runs, trail bytes in and outside the lead range,
  // single-byte katakana and ASCII; or any byte at all.
  const std::string some =
      "\x81\x82\x88\x9F\xE0\xFC\x40\x74\xA0\xB1\xDF"
      "at";
  for (int round = 0; round < 3000; ++round) {
    const bool anyByte = round % 3 == 0;
    std::string text(rng() % 300, '\0');
    for (char& c : text) c = static_cast<char>(anyByte ? rng() % 256 : some[rng() % some.size()]);
    // Mostly a piece of the text, so matches exist; lengths past the pair
    // scan's limit take the shift tables.
    const size_t length = 1 + rng() % (round % 4 == 0 ? 40 : 6);
    std::string pattern;
    if (text.size() >= length && rng() % 4 != 0) {
      pattern = text.substr(rng() % (text.size() - length + 1), length);
    } else {
      for (size_t i = 0; i < length; ++i) pattern += some[rng() % some.size()];
    }
    SCOPED_TRACE(::testing::PrintToString(pattern) + " in " + ::testing::PrintToString(text));
    EXPECT_EQ(FindAll(pattern, text), NaiveFindAll(pattern, text, false));
    // Without the trail-byte rule: every occurrence, as std::string finds them.
    Positions raw, plain;
    TStringSearch(pattern, 0).ForEachMatch(text.data(), text.data() + text.size(), [&](const char* match) {
      raw.push_back(static_cast<int>(match - text.data()) + 1);
      return match + pattern.size();
    });
    for (size_t p = text.find(pattern); p != std::string::npos; p = text.find(pattern, p + pattern.size()))
      plain.push_back(static_cast<int>(p) + 1);
    EXPECT_EQ(raw, plain);
    // The find bar's plain search scans the same way, and takes no match
    // that ends inside a character.
    Positions barPositions;
    for (const TSearchMatch& m : TTextSearch(pattern, {.MatchCase = true}).FindAllIn(text))
      barPositions.push_back(m.Start);
    EXPECT_EQ(barPositions, NaiveWholeCharacterFindAll(pattern, text));
  }
}

TEST(FindAll, LongPeriodicPatternsUseSafeShifts) {
  // Good-suffix and node-chain shifts must never skip a match.
  std::string text(200, 'a');
  text += "b";
  std::string pattern(50, 'a');
  pattern += "b";
  EXPECT_EQ(FindAll(pattern, text), (Positions{151}));
  EXPECT_EQ(FindAll(pattern, text, faIgnoreCase), (Positions{151}));
  std::string mixed;
  for (int i = 0; i < 30; ++i) mixed += i % 2 ? "A" : "a";
  EXPECT_EQ(FindAll("aaa", mixed, faIgnoreCase).size(), 10u);
  EXPECT_EQ(FindAll("abcabd", "abcabcabd"), (Positions{4}));
  EXPECT_EQ(FindAll("ABCABD", "abcabcabd", faIgnoreCase), (Positions{4}));
}

}  // namespace
}  // namespace vorna
