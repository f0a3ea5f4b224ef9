// Opening links, mail addresses and files through the shell.
#include "view/LinkOpeners.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/Shell.h"
#include "text/Links.h"

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

TEST(LinkOpeners, OpenDocument) {
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
