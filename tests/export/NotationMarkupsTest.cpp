// The notation of one line as XHTML: both ruby forms, the emphasis kinds and
// side lines, upright pairs in vertical writing only, annotations kept as
// comments, escaping, and notation that cannot be read kept as text.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "export/NotationMarkups.h"
#include "export/XmlTexts.h"
#include "text/Notations.h"

namespace vorna {
namespace {

using testing::Sj;

std::string Markup(std::string_view utf8, bool vertical = true) {
  return LineMarkup(Sj(utf8), vertical).Xhtml;
}

TEST(NotationMarkupsTest, RubiesInBothForms) {
  EXPECT_EQ(Markup("漢字《かんじ》です"), "<ruby>漢字<rt>かんじ</rt></ruby>です");
  EXPECT_EQ(Markup("ひらがな｜東京《とうきょう》"), "ひらがな<ruby>東京<rt>とうきょう</rt></ruby>");
  // The second ruby does not take the first one's bar.
  EXPECT_EQ(Markup("｜青空《あおぞら》の下の雲《くも》"),
            "<ruby>青空<rt>あおぞら</rt></ruby>の下の<ruby>雲<rt>くも</rt></ruby>");
  // A character written as an annotation carries the reading after it.
  EXPECT_EQ(Markup("大※［＃「口＋亜」、第3水準1-15-8］《あ》だ"),
            "大<ruby>※<!--［＃「口＋亜」、第3水準1-15-8］--><rt>あ</rt></ruby>だ");
  // Annotations inside a barred base stay there as comments.
  EXPECT_EQ(Markup("｜※［＃「口＋亜」］字《あじ》"), "<ruby>※<!--［＃「口＋亜」］-->字<rt>あじ</rt></ruby>");
  const TLineMarkup counted = LineMarkup(Sj("猫《ねこ》と犬《いぬ》"), true);
  EXPECT_EQ(counted.Rubies, 2);
  EXPECT_TRUE(counted.HasText);
}

TEST(NotationMarkupsTest, EmphasisKindsAndSideLines) {
  const char* closings[] = {"に傍点",       "に白丸傍点",   "に丸傍点",     "に黒三角傍点", "に白三角傍点",
                            "に二重丸傍点", "に蛇の目傍点", "に白ゴマ傍点", "に傍線",       "に二重傍線"};
  for (int kind = 0; kind < EmphasisKindCount; ++kind) {
    const TLineMarkup m = LineMarkup(Sj(std::string("これは彼［＃「彼」") + closings[kind] + "］だ"), true);
    EXPECT_EQ(m.Xhtml, std::string("これは<span class=\"") + EmphasisClassName(kind) + "\">彼</span>だ")
        << kind;
    EXPECT_EQ(m.Emphases, 1);
  }
  // A target ending in a reading names the ruby: the whole ruby is marked.
  EXPECT_EQ(Markup("｜漢字《かんじ》［＃「漢字」に傍点］"),
            "<span class=\"sesame\"><ruby>漢字<rt>かんじ</rt></ruby></span>");
  // Emphases that overlap give spans that nest; one that would mark nothing stays a comment.
  // (The second target is the 26 bytes before its annotation, the first annotation among them.)
  EXPECT_EQ(
      Markup("あい［＃「い」に傍線］うえ［＃「字字字字字字字字字字字字字」に傍点］"),
      "<span class=\"sesame\">あ</span><span class=\"sesame\"><span class=\"side-line\">い</span></span>"
      "<span class=\"sesame\">うえ</span>");
  const TLineMarkup hidden = LineMarkup(Sj("［＃注］［＃「注」に傍点］"), true);
  EXPECT_EQ(hidden.Xhtml, "<!--［＃注］--><!--［＃「注」に傍点］-->");
  EXPECT_EQ(hidden.Emphases, 0);
  EXPECT_FALSE(hidden.HasText);
}

TEST(NotationMarkupsTest, UprightPairsInVerticalWritingOnly) {
  EXPECT_EQ(Markup("第12話と!?"), "第<span class=\"upright\">12</span>話と<span class=\"upright\">!?</span>");
  EXPECT_EQ(Markup("第12話", false), "第12話");
  EXPECT_EQ(Markup("123と1"), "123と1");
  // A pair split by an annotation is no pair of the line's text.
  EXPECT_EQ(Markup("1［＃注］2"), "1<!--［＃注］-->2");
  // A pair inside an emphasis.
  EXPECT_EQ(Markup("あ12［＃「あ12」に傍点］"),
            "<span class=\"sesame\">あ<span class=\"upright\">12</span></span>");
}

TEST(NotationMarkupsTest, AnnotationsBecomeCommentsAndTextIsEscaped) {
  EXPECT_EQ(Markup("［＃２字下げ］本文［＃「責」の左に傍点］"),
            "<!--［＃２字下げ］-->本文<!--［＃「責」の左に傍点］-->");
  EXPECT_EQ(Markup("［＃a--b］"), "<!--［＃a- -b］-->");
  // An annotation quoting another is one comment; plain brackets inside it nest too.
  EXPECT_EQ(Markup("勝［＃「本ト※［＃コト、1-2-24］」の注記付き終わり］"),
            "勝<!--［＃「本ト※［＃コト、1-2-24］」の注記付き終わり］-->");
  EXPECT_EQ(Markup("［＃「［注］」に傍線］"), "<!--［＃「［注］」に傍線］-->");
  std::string comment;
  AppendXmlComment(comment, "x-");
  EXPECT_EQ(comment, "<!--x- -->");
  EXPECT_EQ(Markup("A&B<C>\"D\"\x01"), "A&amp;B&lt;C&gt;&quot;D&quot;\xEF\xBF\xBD");
  EXPECT_EQ(Markup("漢《か&amp;》"), "<ruby>漢<rt>か&amp;amp;</rt></ruby>");
}

TEST(NotationMarkupsTest, NotationThatCannotBeReadStaysText) {
  EXPECT_EQ(Markup("開いた《まま"), "開いた《まま");
  EXPECT_EQ(Markup("開いた［＃まま"), "開いた［＃まま");
  // A bar no ruby takes, and a reading with no base, as the editor hides them.
  EXPECT_EQ(Markup("使われない｜棒"), "使われない<!--｜-->棒");
  EXPECT_EQ(Markup("《》：ルビ"), "<ruby><rt></rt></ruby>：ルビ");
  // Nested readings: the inner pair is the ruby, the outer markers stay.
  EXPECT_EQ(Markup("｜A《B《C》》"), "<ruby>A《B<rt>C</rt></ruby>》");
  // A reading too long to be one.
  std::string reading;
  for (int i = 0; i <= kMaxReadingCharacters; ++i) reading += "あ";
  const TLineMarkup longReading = LineMarkup(Sj("漢《" + reading + "》"), true);
  EXPECT_EQ(longReading.Rubies, 0);
  EXPECT_EQ(longReading.Xhtml, "漢《" + reading + "》");
  EXPECT_EQ(LineMarkup(Sj("漢《" + reading.substr(3) + "》"), true).Rubies, 1);
  // A ruby inside an annotation is part of the comment.
  EXPECT_EQ(Markup("［＃注《ちゅう》］"), "<!--［＃注《ちゅう》］-->");
}

}  // namespace
}  // namespace vorna
