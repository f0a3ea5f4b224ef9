// Whole books: the corpus texts and texts of our own (a screenplay, a text
// dense with notation, one of notation that cannot be read) pass epubcheck
// where it is installed; every ruby the notation finds becomes one <ruby>,
// and no notation marker is left in the text of a well-formed one.
#include <gtest/gtest.h>

#include <map>

#include "EpubReads.h"
#include "PlatformDoubles.h"
#include "TempFolders.h"
#include "TestSupport.h"
#include "document/EditLists.h"
#include "export/EpubBooks.h"
#include "export/EpubContainers.h"
#include "export/NotationMarkups.h"
#include "text/Notations.h"

namespace vorna {
namespace {

using testing::Sj;

// Our own texts, in UTF-8.
const std::map<std::string, std::string>& OwnTexts() {
  static const std::map<std::string, std::string> texts = {
      {"screenplay",
       "海辺の町\r\n脚本・作者\r\n\r\n○海岸（朝）\r\n　波が寄せては返す。\r\n"
       "太郎「おはよう。今日は｜大潮《おおしお》だ」\r\n花子「本当に？　12時に満ちるの!?」\r\n"
       "　二人、砂浜《すなはま》を歩く。\r\n\r\n○駅前（夜）\r\n　雨。\r\n太郎「また明日」\r\n"},
      {"notation",
       "記法の見本\r\n見本の作者\r\n\r\n［＃ここから大見出し］\r\n第一部\r\n［＃ここで大見出し終わり］\r\n"
       "［＃中見出し］一　ルビ［＃中見出し終わり］\r\n"
       "｜東京《とうきょう》の空《そら》、※［＃「口＋亜」、第3水準1-15-"
       "8］《あ》と｜※［＃「口＋亜」］字《あじ》。\r\n"
       "［＃５字下げ］二［＃「二」は中見出し］\r\n"
       "傍点［＃「傍点」に傍点］、白丸［＃「白丸」に白丸傍点］、丸［＃「丸」に丸傍点］、"
       "黒三角［＃「黒三角」に黒三角傍点］、白三角［＃「白三角」に白三角傍点］、二重丸［＃「二重丸」に二重丸"
       "傍点］、"
       "蛇の目［＃「蛇の目」に蛇の目傍点］、白ゴマ［＃「白ゴマ」に白ゴマ傍点］、傍線［＃「傍線」に傍線］、"
       "二重傍線［＃「二重傍線」に二重傍線］。\r\n"
       "｜漢字《かんじ》［＃「漢字」に傍点］と責［＃「責」の左に傍点］。\r\n"
       "第3話は12月24日、!?と?!。\r\n\r\n\r\n［＃改ページ］\r\n"
       "［＃小見出し］三　記号 & < > \" ' --［＃小見出し終わり］\r\n"
       "A&B <tag> ［＃注記--二重-］\r\n§ 印の見出し\r\n"},
      {"unreadable",
       "《閉じないルビ\r\n［＃閉じない注記\r\n｜A《B《C》》\r\n［＃「［＃「入れ子」に傍点］」に傍点］\r\n"
       "漢《" +
           std::string(600, 'a') + "》\r\n［＃「どこにもない」は大見出し］\r\n\x01\x7f\r\n"},
  };
  return texts;
}

struct TBookText {
  std::string Name;
  std::string Bytes;  // CP932
};

// Test names carry the text's name, not its bytes.
void PrintTo(const TBookText& text, std::ostream* out) { *out << text.Name; }

std::vector<TBookText> BookTexts() {
  std::vector<TBookText> texts;
  for (const auto& [name, utf8] : OwnTexts()) texts.push_back({name, Sj(utf8)});
  for (const auto& path : testing::CorpusFiles())
    texts.push_back({"corpus_" + path.filename().string().substr(0, 2), testing::ReadFileBytes(path)});
  return texts;
}

class EpubCheckTest : public ::testing::TestWithParam<TBookText> {
 protected:
  TEpubBook Book() {
    list.SetText(GetParam().Bytes);
    return BuildEpubBook(list, {});
  }
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};
};

TEST_P(EpubCheckTest, EveryRubyIsMarkedUpAndNoMarkerIsLeft) {
  const TEpubBook book = Book();
  int rubies = 0;
  for (int i = 0; i < list.Count(); ++i) {
    const int found = static_cast<int>(ParseRubies(list.Get(i)).size());
    rubies += found;
    if (GetParam().Name != "unreadable") {
      EXPECT_EQ(LineMarkup(list.Get(i), true).Rubies, found)
          << "line " << i << ": " << Utf8FromCp932(list.Get(i));
    }
  }
  std::string text;
  int marked = 0;
  for (const testing::TZipEntry& entry : testing::ReadZip(ZipEpubBook(book)))
    if (entry.Name.starts_with("EPUB/chapter-")) {
      marked += testing::Occurrences(entry.Bytes, "<ruby>");
      text += testing::XhtmlText(entry.Bytes);
    }
  EXPECT_EQ(marked, book.Rubies);
  if (GetParam().Name == "unreadable") return;  // its markers are meant to stay
  EXPECT_EQ(book.Rubies, rubies);
  for (const char* marker : {"《", "》", "｜", "［＃"})
    EXPECT_EQ(testing::Occurrences(text, marker), 0) << marker;
}

TEST_P(EpubCheckTest, PassesEpubcheck) {
  if (testing::EpubcheckProgram().empty()) GTEST_SKIP() << "epubcheck is not installed; test skipped";
  testing::TTempFolder folder;
  const std::string path = folder.Path(GetParam().Name + ".epub");
  WriteEpubFile(path, ZipEpubBook(Book()));
  std::string report;
  EXPECT_EQ(testing::RunEpubcheck(path, report), 0) << report;
  EXPECT_EQ(report.find("WARNING"), std::string::npos) << report;
}

INSTANTIATE_TEST_SUITE_P(Texts, EpubCheckTest, ::testing::ValuesIn(BookTexts()),
                         [](const ::testing::TestParamInfo<TBookText>& info) { return info.param.Name; });

}  // namespace
}  // namespace vorna
