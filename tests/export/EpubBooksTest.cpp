// Books of small texts: chapters at the top-level headings, the navigation
// and package documents, the writing direction, the container's layout, and
// the bad inputs that must still give a valid book or a clear refusal.
#include <gtest/gtest.h>

#include <regex>

#include "EpubReads.h"
#include "PlatformDoubles.h"
#include "TempFolders.h"
#include "TestSupport.h"
#include "document/EditLists.h"
#include "export/EpubBooks.h"
#include "export/EpubContainers.h"
#include "platform/Files.h"

namespace vorna {
namespace {

using testing::Sj;

struct EpubBooksTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};

  TEpubBook Book(std::string_view utf8, TEpubOptions options = {}) {
    list.SetText(Sj(utf8));
    options.Modified = 1700000000;
    return BuildEpubBook(list, options);
  }
  static const std::string& File(const TEpubBook& book, const std::string& path) {
    for (const TEpubFile& f : book.Files)
      if (f.Path == path) return f.Bytes;
    static const std::string none;
    ADD_FAILURE() << "no " << path;
    return none;
  }
  static std::vector<std::string> Paths(const TEpubBook& book) {
    std::vector<std::string> paths;
    for (const TEpubFile& f : book.Files) paths.push_back(f.Path);
    return paths;
  }
  // The lines of `xhtml` between <body> and </body>.
  static std::string Body(const std::string& xhtml) {
    const size_t begin = xhtml.find("<body>\n") + 7;
    return xhtml.substr(begin, xhtml.find("</body>") - begin);
  }
};

TEST_F(EpubBooksTest, ChaptersAtTopLevelHeadingsWithTheirNavigation) {
  const TEpubBook book = Book(
      "題名\r\n著者\r\n\r\n［＃大見出し］第一章［＃大見出し終わり］\r\n本文《ほんぶん》\r\n"
      "［＃中見出し］節［＃中見出し終わり］\r\n\r\n第二章\r\n［＃「第二章」は大見出し］\r\n終わり\r\n○場面");
  EXPECT_EQ(Paths(book),
            (std::vector<std::string>{"mimetype", "META-INF/container.xml", "EPUB/package.opf",
                                      "EPUB/nav.xhtml", "EPUB/style.css", "EPUB/chapter-001.xhtml",
                                      "EPUB/chapter-002.xhtml", "EPUB/chapter-003.xhtml"}));
  EXPECT_EQ(book.Title, "題名");
  EXPECT_EQ(book.Author, "著者");
  EXPECT_EQ(book.Rubies, 1);
  EXPECT_EQ(Body(File(book, "EPUB/chapter-001.xhtml")), "<p>題名</p>\n<p>著者</p>\n<p><br/></p>\n");
  EXPECT_EQ(Body(File(book, "EPUB/chapter-002.xhtml")),
            "<h1 id=\"heading-1\"><!--［＃大見出し］-->第一章<!--［＃大見出し終わり］--></h1>\n"
            "<p><ruby>本文<rt>ほんぶん</rt></ruby></p>\n"
            "<h2 id=\"heading-2\"><!--［＃中見出し］-->節<!--［＃中見出し終わり］--></h2>\n<p><br/></p>\n");
  // Named on the line before: the chapter starts with the named line. A line
  // a heading mark begins stays a paragraph.
  EXPECT_EQ(Body(File(book, "EPUB/chapter-003.xhtml")),
            "<h1 id=\"heading-3\">第二章</h1>\n<p><!--［＃「第二章」は大見出し］--><br/></p>\n<p>終わり</p>\n"
            "<p id=\"heading-4\">○場面</p>\n");
  const std::string& nav = File(book, "EPUB/nav.xhtml");
  EXPECT_NE(nav.find("<ol>\n<li><a href=\"chapter-001.xhtml\">題名</a></li>\n"
                     "<li><a href=\"chapter-002.xhtml#heading-1\">第一章</a>\n"
                     "<ol>\n<li><a href=\"chapter-002.xhtml#heading-2\">節</a></li>\n</ol>\n</li>\n"
                     "<li><a href=\"chapter-003.xhtml#heading-3\">第二章</a>\n"
                     "<ol>\n<li><a href=\"chapter-003.xhtml#heading-4\">○場面</a></li>\n</ol>\n</li>\n</ol>"),
            std::string::npos)
      << nav;
}

TEST_F(EpubBooksTest, PackageNamesTheBookAndItsDirection) {
  TEpubOptions options;
  options.Title = "A/B & <C>";
  options.Author = "";
  TEpubBook book = Book("一行目\r\n二行目", options);
  const std::string& package = File(book, "EPUB/package.opf");
  EXPECT_NE(package.find("<dc:title>A/B &amp; &lt;C&gt;</dc:title>"), std::string::npos);
  EXPECT_EQ(package.find("<dc:creator>"), std::string::npos);  // given empty: none
  EXPECT_NE(package.find("<meta property=\"dcterms:modified\">2023-11-14T22:13:20Z</meta>"),
            std::string::npos);
  EXPECT_NE(package.find("<spine page-progression-direction=\"rtl\">"), std::string::npos);
  EXPECT_NE(File(book, "EPUB/style.css").find("writing-mode: vertical-rl"), std::string::npos);
  EXPECT_EQ(FileNameForTitle("A/B & <C>"), "A／B & <C>");
  EXPECT_EQ(FileNameForTitle("..\x01/"), "_／");
  EXPECT_EQ(FileNameForTitle(""), "book");

  options.Vertical = false;
  book = Book("一行目で12", options);
  EXPECT_NE(File(book, "EPUB/package.opf").find("page-progression-direction=\"ltr\""), std::string::npos);
  EXPECT_NE(File(book, "EPUB/style.css").find("writing-mode: horizontal-tb"), std::string::npos);
  EXPECT_EQ(File(book, "EPUB/style.css").find("vertical-rl"), std::string::npos);
  EXPECT_EQ(Body(File(book, "EPUB/chapter-001.xhtml")), "<p>一行目で12</p>\n");

  const std::regex uuid("urn:uuid:[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}");
  const std::string a = NewUuidUrn(), b = NewUuidUrn();
  EXPECT_TRUE(std::regex_match(a, uuid)) << a;
  EXPECT_NE(a, b);
}

TEST_F(EpubBooksTest, BadInputsGiveAWholeBook) {
  // An empty document: one chapter of one empty line, titled "無題".
  TEpubBook book = Book("");
  EXPECT_EQ(book.Title, "無題");
  EXPECT_EQ(Body(File(book, "EPUB/chapter-001.xhtml")), "<p><br/></p>\n");
  EXPECT_NE(File(book, "EPUB/nav.xhtml").find("<li><a href=\"chapter-001.xhtml\">無題</a></li>"),
            std::string::npos);
  // A heading annotation naming text found nowhere: the heading on its own line, kept.
  book = Book("本文\r\n［＃「幻」は大見出し］");
  EXPECT_EQ(Body(File(book, "EPUB/chapter-002.xhtml")),
            "<h1 id=\"heading-1\"><!--［＃「幻」は大見出し］--><br/></h1>\n");
  // Unclosed and nested notation and markup characters stay text, escaped.
  book = Book("《開いた\r\n［＃閉じない\r\n｜A《B《C》》\r\n&<>");
  EXPECT_EQ(
      Body(File(book, "EPUB/chapter-001.xhtml")),
      "<p>《開いた</p>\n<p>［＃閉じない</p>\n<p><ruby>A《B<rt>C</rt></ruby>》</p>\n<p>&amp;&lt;&gt;</p>\n");
}

TEST_F(EpubBooksTest, ContainerStoresTheMediaTypeFirst) {
  const TEpubBook book = Book("本文《ほんぶん》");
  const std::string zipped = ZipEpubBook(book);
  // The local header of the first entry: no extra field, then "mimetype" and its bytes.
  ASSERT_GT(zipped.size(), 58u);
  EXPECT_EQ(zipped.substr(0, 4), std::string("PK\x03\x04", 4));
  EXPECT_EQ(zipped.substr(8, 2), std::string("\0\0", 2));         // stored
  EXPECT_EQ(zipped.substr(26, 4), std::string("\x08\0\0\0", 4));  // name length 8, no extra field
  EXPECT_EQ(zipped.substr(30, 28), "mimetypeapplication/epub+zip");
  const std::vector<testing::TZipEntry> entries = testing::ReadZip(zipped);
  ASSERT_EQ(entries.size(), book.Files.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].Name, book.Files[i].Path);
    EXPECT_EQ(entries[i].Bytes, book.Files[i].Bytes);
    EXPECT_EQ(entries[i].Stored, i == 0) << entries[i].Name;
  }
  EXPECT_EQ(ZipEpubBook(book), zipped);  // the same book gives the same bytes
}

TEST_F(EpubBooksTest, OutputsThatCannotBeWrittenAreRefusedAndLeaveNothing) {
  testing::TTempFolder folder;
  const std::string text = folder.Path("a.txt");
  testing::WriteBytes(text, "abc");
  std::string reason;
  EXPECT_FALSE(CheckEpubOutput(folder.Path().string(), text, reason));
  EXPECT_EQ(reason, "is a folder");
  EXPECT_FALSE(CheckEpubOutput(text, text, reason));
  EXPECT_EQ(reason, "is the text file itself");
  const std::string missing = folder.Path("no-folder/b.epub");
  EXPECT_FALSE(CheckEpubOutput(missing, text, reason));
  EXPECT_NE(reason.find("cannot be written"), std::string::npos);
  EXPECT_THROW(WriteEpubFile(missing, "zip"), EFileError);
  EXPECT_TRUE(CheckEpubOutput(folder.Path("b.epub"), text, reason));
  // A book written over an old one replaces it whole; nothing else is left in the folder.
  testing::WriteBytes(folder.Path("b.epub"), "old");
  WriteEpubFile(folder.Path("b.epub"), "new book");
  EXPECT_EQ(testing::ReadBytes(folder.Path("b.epub")), "new book");
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder.Path()))
    entries += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(entries, 2);
}

}  // namespace
}  // namespace vorna
