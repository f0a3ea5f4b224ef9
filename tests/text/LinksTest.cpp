// URL and mail detection and link texts.
#include "text/Links.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace vorna {
namespace {

using testing::Sj;

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
  EXPECT_EQ(LinkText(line, 10, static_cast<TLinkKind>(7)), "");
  EXPECT_EQ(MailTarget("MailTo:taro@example.jp"), "MailTo:taro@example.jp");
  EXPECT_EQ(MailTarget("taro@example.jp"), "mailto:taro@example.jp");
}

}  // namespace
}  // namespace vorna
