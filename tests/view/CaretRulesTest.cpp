// The caret in a padded speaker's name, cell by cell, for every kind of name
// and move: it never rests in the padding and a forward move never goes back.
#include "view/CaretRules.h"

#include <gtest/gtest.h>

#include <optional>

namespace vorna {
namespace {

// Padding cells of each kind, counted after the row's indent.
bool IsPadding(int header, int cell) {
  switch (header) {
    case kSpeakerNoName:
      return cell <= kSpeakerNameCells;
    case kSpeakerOneCharName:
      return cell <= 2 || (cell >= 5 && cell <= kSpeakerNameCells);
    case kSpeakerTwoCharName:
      return cell == 3 || cell == 4;
    default:
      return false;
  }
}

TEST(CaretRules, NeverInANamesPaddingAndNeverBackOnAForwardMove) {
  // 7: a three-character name, which has no padding.
  const int headers[] = {kSpeakerNoName, kSpeakerOneCharName, kSpeakerTwoCharName, 7};
  for (int header : headers) {
    for (int cell = -1; cell <= kSpeakerNameCells; ++cell) {
      for (TCaretMode mode : {cmAbsolute, cmBack, cmForward, cmRowUp, cmRowDown}) {
        for (bool rowBefore : {false, true}) {
          SCOPED_TRACE(::testing::Message() << "header " << header << " cell " << cell << " mode " << mode
                                            << " rowBefore " << rowBefore);
          const std::optional<int> to = NameAreaCaretCell(header, cell, mode, rowBefore);
          if (!to) {
            // Only a move back may leave for the row before, and only when there is one.
            EXPECT_TRUE(mode == cmBack && rowBefore);
            continue;
          }
          EXPECT_FALSE(IsPadding(header, *to));
          if (!IsPadding(header, cell)) {
            EXPECT_EQ(*to, cell);
          }
          if (mode == cmForward) {
            EXPECT_GE(*to, cell);
          }
          EXPECT_LE(*to, kSpeakerNameCells + 1);
        }
      }
    }
  }
}

}  // namespace
}  // namespace vorna
