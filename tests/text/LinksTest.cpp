// URL and mail detection, link texts and opening through the shell.
#include "text/Links.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/Shell.h"

namespace vorna {
namespace {

using testing::Sj;

// Records every shell call as one line of text.
class TRecordingShell : public TShell {
 public:
  void Open(const std::string& target, const std::string& parameters, const std::string& directory) override {
    Calls.push_back("open[" + target + "][" + parameters + "][" + directory + "]");
  }
  bool StartProgram(const std::string& program, const std::vector<std::string>&) override {
    Calls.push_back("start[" + program + "]");
    return true;
  }
  void ProcessMessages() override { Calls.push_back("messages"); }
  std::vector<std::string> Calls;
};

std::vector<std::string> Texts(const std::string& line, const std::vector<TByteRange>& ranges) {
  std::vector<std::string> texts;
  for (const TByteRange& r : ranges) texts.push_back(line.substr(r.First - 1, r.Last - r.First + 1));
  return texts;
}

TEST(Links, FindUrls) {
  struct TCase {
    std::string Line;
    std::vector<std::string> Urls;
  };
  const TCase cases[] = {
      {"http://ab", {}},               // 9 bytes
      {"http://abc", {"http://abc"}},  // 10 bytes
      {"xhttp://example.jp", {}},      // the run starts before the scheme
      {"see http://a.jp/x?q=1#f, then", {"http://a.jp/x?q=1#f"}},
      {Sj("詳細はhttp://a.jp/b（参照）"), {"http://a.jp/b"}},
      {"(http://a.jp/b) [http://c.jp/d]", {"http://a.jp/b", "http://c.jp/d"}},
      // http first, then https, each in text order; never twice.
      {"https://s.jp/1 http://p.jp/2 https://s.jp/3", {"http://p.jp/2", "https://s.jp/1", "https://s.jp/3"}},
      {"http://a.jp/http://b.jp", {"http://a.jp/http://b.jp"}},
  };
  for (const TCase& c : cases) EXPECT_EQ(Texts(c.Line, FindUrls(c.Line)), c.Urls) << c.Line;
}

TEST(Links, FindMails) {
  struct TCase {
    std::string Line;
    std::vector<std::string> Mails;
  };
  const TCase cases[] = {
      {"a@b.co", {}},  // 6 bytes
      {"ab@c.jp", {"ab@c.jp"}},
      {"@abcd.jp", {}},  // nothing before "@"
      {".-x@ab.jp", {".-x@ab.jp"}},
      {"a@b@c.example", {"a@b@c.example"}},  // one run, reported once
      {Sj("宛先taro@example.jpまで"), {"taro@example.jp"}},
      {"xy@z.jp, zw@v.jp", {"xy@z.jp", "zw@v.jp"}},
  };
  for (const TCase& c : cases) EXPECT_EQ(Texts(c.Line, FindMails(c.Line)), c.Mails) << c.Line;
}

TEST(Links, LinkTextAddsMailtoOnce) {
  const std::string line = "mail taro@example.jp or see http://a.jp/x";
  EXPECT_EQ(LinkText(line, 10, lkMail), "mailto:taro@example.jp");
  EXPECT_EQ(LinkText(line, 30, lkUrl), "http://a.jp/x");
  EXPECT_EQ(LinkText(line, 5, lkMail), "");
  EXPECT_EQ(LinkText(line, 10, 7), "");
  EXPECT_EQ(MailTarget("MailTo:taro@example.jp"), "MailTo:taro@example.jp");
  EXPECT_EQ(MailTarget("taro@example.jp"), "mailto:taro@example.jp");
}

TEST(Links, OpenDocument) {
  struct TCase {
    std::string Target;
    std::vector<std::string> Calls;
  };
  const TCase cases[] = {
      {"", {}},
      {"http://a.jp/x", {"messages", "open[http://a.jp/x][][]"}},
      {"mailto:taro@example.jp", {"messages", "open[mailto:taro@example.jp][][]"}},
      {"/home/u/My Files/a.txt", {"messages", "open[\"/home/u/My Files/a.txt\"][][/home/u/My Files/]"}},
      {"\"/home/u/My Files/a.txt\"", {"messages", "open[\"/home/u/My Files/a.txt\"][][/home/u/My Files/]"}},
      {"/tmp/a b\"", {"messages", "open[/tmp/a b\"][][/tmp/]"}},
      {"/tmp/plain.txt", {"messages", "open[/tmp/plain.txt][][/tmp/]"}},
      // "ソ" ends in a backslash byte; only the real separator cuts the folder.
      {"C:\\" + Sj("ソフト") + "\\a.txt",
       {"messages", "open[C:\\" + Sj("ソフト") + "\\a.txt][][C:\\" + Sj("ソフト") + "\\]"}},
      {"C:\\" + Sj("ソ"), {"messages", "open[C:\\" + Sj("ソ") + "][][C:\\]"}},
  };
  for (const TCase& c : cases) {
    TRecordingShell shell;
    OpenDocument(shell, c.Target);
    EXPECT_EQ(shell.Calls, c.Calls) << c.Target;
  }
  TRecordingShell shell;
  OpenDocument(shell, LinkText("to taro@example.jp", 8, lkMail), "-x");
  EXPECT_EQ(shell.Calls, (std::vector<std::string>{"messages", "open[mailto:taro@example.jp][-x][]"}));
}

}  // namespace
}  // namespace vorna
