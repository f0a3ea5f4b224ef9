// Invariants of the caret over every preset and over texts with ruby,
// annotations, tabs, dialogue, a CR inside a line and rows of hidden
// notation only: the one-character walk visits every character boundary
// once in document order, position -> point -> position and back-then-forward
// come back unchanged, and random commands and clicks never leave the caret
// or the selection outside the document or on a trail byte.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "EditorViewFixtures.h"
#include "TestSupport.h"
#include "layout/LineWraps.h"
#include "text/ShiftJis.h"

namespace vorna {
namespace {

using testing::Sj;

std::string OwnText() {
  return Sj("　第一章　朝《あさ》の｜駅前広場《えきまえひろば》\r\n") + "\r\n" +
         Sj("「寒いね」と妹が言った。［＃ここで回想に入る］\r\n") + Sj("［＃改ページ］\r\n") +
         Sj("甲「はい」\r\n乙丙「ええ、そうです」\r\n") + "a\tb\tcd\t\t" + Sj("あ\tい") + "\r\n" + Sj("・") +
         std::string(90, 'x') + Sj("、長い行がここで続いて、折り返される。") + "\r\n" +
         Sj("海［＃「海」に傍点］が見える――静かな海だった。") + "\r\nend";
}

// 1-based character starts of a line that a caret can stand before, plus its end.
int CaretStopsOfLine(std::string_view line, const TLayoutSettings& wrap) {
  const THiddenMask& mask = LineHiddenMask(line, wrap);
  int stops = 1;
  for (int i = 1; i <= static_cast<int>(line.size());) {
    if (!mask.Hidden(i)) ++stops;
    i += ByteTypeAt(line, i) == TByteType::Lead ? 2 : 1;
  }
  return stops;
}

class TCaretInvariants : public testing::TEditorViewTest, public ::testing::WithParamInterface<int> {
 protected:
  void Load(const std::string& text) {
    UsePrinter();
    MakeView(GetParam());
    SetText(text);
    // A CR kept inside a line (as a file's lone CR is).
    View->List().Put(1, "ab\rcd");
    View->DocumentChanged();
  }
  TEditList& List() { return View->List(); }
  void ExpectSound(const char* what) {
    const TDisplayPos c = View->CaretPos();
    ASSERT_GE(c.Row, 0) << what;
    ASSERT_LT(c.Row, List().RowCount()) << what;
    ASSERT_GE(c.Column, 1) << what;
    ASSERT_FALSE(List().IsTrailCell(c)) << what;
    if (!Style().GetFreeCaret()) {
      ASSERT_LE(c.Column, List().RowCaretLimit(c.Row)) << what;
    }
    if (!View->Selecting()) return;
    for (const TDisplayPos p : {View->SelStart(), View->SelEnd()}) {
      ASSERT_GE(p.Row, 0) << what;
      ASSERT_LT(p.Row, List().RowCount()) << what;
      ASSERT_FALSE(List().IsTrailCell(p)) << what;
    }
  }
  // Walks the document with the one-character command.
  void Walk() {
    View->ExecuteCommand(ecDocStart);
    int expected = 0;
    for (int line = 0; line < List().Count(); ++line)
      expected += CaretStopsOfLine(List().Get(line), List().Layout().Wrap);
    int visited = 0;
    TTextPos last{0, -1};
    TDisplayPos prevAt;
    for (;;) {
      const TDisplayPos at = View->CaretPos();
      const TTextPos doc = View->DocPosOf(at);
      // A free caret also stands in the empty cells after a row's text, on
      // the boundary its text ends with.
      const auto pastText = [&](TDisplayPos p) {
        return Style().GetFreeCaret() && p.Column > List().RowCaretLimit(p.Row);
      };
      if (doc == last && (pastText(at) || pastText(prevAt))) {
        prevAt = at;
        View->ExecuteCommand(ecCharForward);
        if (View->CaretPos() == at) break;
        continue;
      }
      ASSERT_TRUE(Before(last, doc)) << "row " << at.Row << " column " << at.Column << " doc " << doc.Y << ":"
                                     << doc.X << " after " << last.Y << ":" << last.X;
      last = doc;
      prevAt = at;
      ++visited;
      ASSERT_EQ(View->PointToPos(View->PosToPoint(at)), at) << "row " << at.Row << " column " << at.Column;
      if (visited > 1) {
        View->ExecuteCommand(ecCharBack);
        View->ExecuteCommand(ecCharForward);
        ASSERT_EQ(View->CaretPos(), at);
      }
      View->ExecuteCommand(ecCharForward);
      if (View->CaretPos() == at) break;
      ASSERT_LE(visited, expected);
    }
    EXPECT_EQ(visited, expected);
    const int lastLine = List().Count() - 1;
    EXPECT_EQ(last, (TTextPos{static_cast<int>(List().Get(lastLine).size()) + 1, lastLine}));
  }
  void RandomCommands(unsigned seed) {
    std::mt19937 random(seed);
    const TRect client = Host.ClientRect();
    for (int i = 0; i < 300; ++i) {
      const int pick = static_cast<int>(random() % 40);
      if (pick < 32) {
        View->ExecuteCommand(ecLeft + pick);  // 10 .. 41, the unknown 36 included
      } else if (pick < 38) {
        const int x = static_cast<int>(random() % (client.Width() + 400)) - 200;
        const int y = static_cast<int>(random() % (client.Height() + 400)) - 200;
        View->MouseDown(TMouseButton::Left, ssLeft | (pick == 37 ? TShiftState{ssShift} : TShiftState{0}), x,
                        y);
        View->MouseUp(TMouseButton::Left, 0, x, y);
      } else {
        View->SetExtending(true);
        View->ExecuteCommand(ecLeft + static_cast<int>(random() % 4));
        View->SetExtending(false);
      }
      ExpectSound("random command");
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
};

TEST_P(TCaretInvariants, HoldOnOwnTexts) {
  Load(OwnText());
  Walk();
  RandomCommands(static_cast<unsigned>(GetParam()));
}

TEST_P(TCaretInvariants, HoldOnTheCorpus) {
  VORNA_REQUIRE_CORPUS();
  Load(testing::CorpusText(4000));
  Walk();
  RandomCommands(100u + static_cast<unsigned>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(EveryPreset, TCaretInvariants, ::testing::Range(0, 28));

}  // namespace
}  // namespace vorna
