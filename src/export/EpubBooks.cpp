// Building the files of an EPUB book: chapters cut at the top-level headings,
// the navigation document, the package document and the style sheet.
#include "export/EpubBooks.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>

#include "document/EditLists.h"
#include "document/Headings.h"
#include "export/NotationMarkups.h"
#include "export/XmlTexts.h"
#include "text/Cp932.h"

namespace vorna {
namespace {

constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// Head of an XHTML file of the book, up to <body>.
std::string XhtmlHead(const std::string& titleXml, bool epubNamespace) {
  std::string out = kXmlDeclaration;
  out += "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\"";
  if (epubNamespace) out += " xmlns:epub=\"http://www.idpf.org/2007/ops\"";
  out += " xml:lang=\"ja\" lang=\"ja\">\n<head>\n<meta charset=\"UTF-8\"/>\n<title>";
  out += titleXml;
  out += "</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>\n</head>\n<body>\n";
  return out;
}

// "chapter-001.xhtml": numbered from 1, as wide as the last number and at least three digits.
std::string ChapterFileName(int chapter, int chapters) {
  std::string number = std::to_string(chapter + 1);
  const size_t digits = std::max<size_t>(3, std::to_string(chapters).size());
  if (number.size() < digits) number.insert(0, digits - number.size(), '0');
  return "chapter-" + number + ".xhtml";
}

std::string Utf8Xml(const std::string& utf8) {
  std::string out;
  AppendXmlTextUtf8(out, utf8);
  return out;
}

std::string Timestamp(std::time_t when) {
  if (when == 0) when = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&when, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

std::string StyleSheet(bool vertical) {
  std::string css = "@charset \"UTF-8\";\n";
  css += vertical ? "html { writing-mode: vertical-rl; -webkit-writing-mode: vertical-rl; "
                    "-epub-writing-mode: vertical-rl; }\n"
                  : "html { writing-mode: horizontal-tb; -webkit-writing-mode: horizontal-tb; "
                    "-epub-writing-mode: horizontal-tb; }\n";
  css +=
      "body { font-family: serif; line-height: 1.8; }\n"
      "p, h1, h2, h3 { margin: 0; }\n"
      "h1 { font-size: 1.6em; }\nh2 { font-size: 1.4em; }\nh3 { font-size: 1.2em; }\n"
      "nav ol { list-style-type: none; }\n"
      "rt { text-emphasis-style: none; -webkit-text-emphasis-style: none; -epub-text-emphasis-style: none; "
      "text-decoration: none; }\n";
  // The marks of the emphasis kinds, in the order of their numbers.
  const char* marks[] = {"filled sesame", "open circle",        "filled circle",        "filled triangle",
                         "open triangle", "open double-circle", "filled double-circle", "open sesame"};
  for (int kind = 0; kind < 8; ++kind) {
    const std::string m = marks[kind];
    css += std::string(".") + EmphasisClassName(kind) + " { text-emphasis-style: " + m +
           "; -webkit-text-emphasis-style: " + m + "; -epub-text-emphasis-style: " + m + "; }\n";
  }
  const std::string side = vertical ? "right" : "under";
  css += std::string(".") + EmphasisClassName(8) +
         " { text-decoration: underline; text-underline-position: " + side + "; }\n";
  css += std::string(".") + EmphasisClassName(9) +
         " { text-decoration: underline double; text-underline-position: " + side + "; }\n";
  if (vertical)
    css +=
        ".upright { text-combine-upright: all; -webkit-text-combine: horizontal; "
        "-epub-text-combine: horizontal; }\n";
  return css;
}

std::string ContainerXml() {
  return std::string(kXmlDeclaration) +
         "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
         "<rootfiles>\n<rootfile full-path=\"EPUB/package.opf\" "
         "media-type=\"application/oebps-package+xml\"/>\n"
         "</rootfiles>\n</container>\n";
}

// One chapter: its first line and the heading its file is titled with (-1: the book's title).
struct TChapter {
  int FirstLine = 0;
  int Heading = -1;
};

class TBookWriter {
 public:
  TBookWriter(const TEditList& list, const TEpubOptions& options) : FList(list), FOptions(options) {}

  TEpubBook Write() {
    const TBookTitle found = DocumentTitle(FList);
    FBook.Title = FOptions.Title && !FOptions.Title->empty() ? *FOptions.Title
                  : !found.Title.empty()                     ? found.Title
                                                             : "無題";
    FBook.Author = FOptions.Author ? *FOptions.Author : found.Author;
    FBook.Identifier = FOptions.Identifier.empty() ? NewUuidUrn() : FOptions.Identifier;
    FHeadings = FindHeadings(FList, 0, FList.Count() - 1);
    FBook.Headings = static_cast<int>(FHeadings.size());
    FindParents();
    CutChapters();
    FBook.Chapters = static_cast<int>(FChapters.size());

    FBook.Files.push_back({"mimetype", "application/epub+zip"});
    FBook.Files.push_back({"META-INF/container.xml", ContainerXml()});
    FBook.Files.push_back({"EPUB/package.opf", Package()});
    FBook.Files.push_back({"EPUB/nav.xhtml", Navigation()});
    FBook.Files.push_back({"EPUB/style.css", StyleSheet(FOptions.Vertical)});
    for (size_t c = 0; c < FChapters.size(); ++c)
      FBook.Files.push_back({"EPUB/" + FileName(static_cast<int>(c)), Chapter(c)});
    return std::move(FBook);
  }

 private:
  // The nearest earlier heading of a higher rank (a smaller level), as the outline nests them.
  void FindParents() {
    std::vector<int> open;  // the chain of the last heading's ancestors and itself
    for (size_t i = 0; i < FHeadings.size(); ++i) {
      while (!open.empty() && FHeadings[static_cast<size_t>(open.back())].Level >= FHeadings[i].Level)
        open.pop_back();
      FParents.push_back(open.empty() ? -1 : open.back());
      open.push_back(static_cast<int>(i));
    }
  }

  void CutChapters() {
    for (size_t i = 0; i < FHeadings.size(); ++i) {
      if (FParents[i] >= 0) continue;
      const int first = std::min(FHeadings[i].Line, FHeadings[i].SourceLine);
      if (FChapters.empty() || first > FChapters.back().FirstLine)
        FChapters.push_back({first, static_cast<int>(i)});
    }
    if (FChapters.empty() || FChapters.front().FirstLine > 0) FChapters.insert(FChapters.begin(), {0, -1});
    FHeadingChapter.resize(FHeadings.size());
    for (size_t i = 0; i < FHeadings.size(); ++i) FHeadingChapter[i] = ChapterOfLine(FHeadings[i].Line);
    // The first heading on a line gives it its id, the highest rank its element.
    for (size_t i = 0; i < FHeadings.size(); ++i) {
      const auto [at, added] =
          FLineHeadings.try_emplace(FHeadings[i].Line, TLineHeading{static_cast<int>(i), 0});
      at->second.Level = added ? FHeadings[i].Level : std::min(at->second.Level, FHeadings[i].Level);
    }
  }

  int ChapterOfLine(int line) const {
    const auto after = std::upper_bound(FChapters.begin(), FChapters.end(), line,
                                        [](int l, const TChapter& c) { return l < c.FirstLine; });
    return static_cast<int>(after - FChapters.begin()) - 1;
  }

  std::string FileName(int chapter) const {
    return ChapterFileName(chapter, static_cast<int>(FChapters.size()));
  }

  // The id of the element of the heading's line.
  std::string HeadingId(size_t heading) const {
    return "heading-" + std::to_string(FLineHeadings.at(FHeadings[heading].Line).First + 1);
  }

  std::string HeadingHref(size_t heading) const {
    return FileName(FHeadingChapter[heading]) + "#" + HeadingId(heading);
  }

  std::string Chapter(size_t c) {
    const TChapter& chapter = FChapters[c];
    const int end = c + 1 < FChapters.size() ? FChapters[c + 1].FirstLine : FList.Count();
    const std::string title = chapter.Heading >= 0
                                  ? XmlText(FHeadings[static_cast<size_t>(chapter.Heading)].Title)
                                  : Utf8Xml(FBook.Title);
    std::string out = XhtmlHead(title, false);
    for (int line = chapter.FirstLine; line < end; ++line) {
      const TLineMarkup markup = LineMarkup(FList.Get(line), FOptions.Vertical);
      FBook.Rubies += markup.Rubies;
      FBook.Emphases += markup.Emphases;
      const auto heading = FLineHeadings.find(line);
      const char* tag = "p";
      if (heading != FLineHeadings.end()) {
        // A line a heading mark begins is prose as often as a heading: it stays a paragraph.
        static constexpr const char* kHeadingTags[] = {"h1", "h2", "h3"};
        if (heading->second.Level < hlMarked) tag = kHeadingTags[std::clamp(heading->second.Level, 1, 3) - 1];
        out += '<';
        out += tag;
        out += " id=\"" + HeadingId(static_cast<size_t>(heading->second.First)) + "\">";
      } else {
        out += "<p>";
      }
      out += markup.Xhtml;
      if (!markup.HasText) out += "<br/>";
      out += "</";
      out += tag;
      out += ">\n";
    }
    out += "</body>\n</html>\n";
    return out;
  }

  void NavEntry(std::string& out, size_t heading, const std::vector<std::vector<size_t>>& children) const {
    out += "<li><a href=\"" + HeadingHref(heading) + "\">" + XmlText(FHeadings[heading].Title) + "</a>";
    if (!children[heading].empty()) {
      out += "\n<ol>\n";
      for (size_t child : children[heading]) NavEntry(out, child, children);
      out += "</ol>\n";
    }
    out += "</li>\n";
  }

  std::string Navigation() const {
    std::string out = XhtmlHead("目次", true);
    out += "<nav epub:type=\"toc\" id=\"toc\">\n<h1>目次</h1>\n<ol>\n";
    if (FChapters.front().Heading < 0)
      out += "<li><a href=\"" + FileName(0) + "\">" + Utf8Xml(FBook.Title) + "</a></li>\n";
    std::vector<std::vector<size_t>> children(FHeadings.size());
    for (size_t i = 0; i < FHeadings.size(); ++i)
      if (FParents[i] >= 0) children[static_cast<size_t>(FParents[i])].push_back(i);
    for (size_t i = 0; i < FHeadings.size(); ++i)
      if (FParents[i] < 0) NavEntry(out, i, children);
    out += "</ol>\n</nav>\n</body>\n</html>\n";
    return out;
  }

  std::string Package() const {
    std::string out = kXmlDeclaration;
    out +=
        "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" unique-identifier=\"book-id\" "
        "xml:lang=\"ja\">\n<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n";
    out += "<dc:identifier id=\"book-id\">" + Utf8Xml(FBook.Identifier) + "</dc:identifier>\n";
    out += "<dc:title>" + Utf8Xml(FBook.Title) + "</dc:title>\n";
    if (!FBook.Author.empty()) out += "<dc:creator>" + Utf8Xml(FBook.Author) + "</dc:creator>\n";
    out += "<dc:language>ja</dc:language>\n";
    out += "<meta property=\"dcterms:modified\">" + Timestamp(FOptions.Modified) + "</meta>\n";
    out += "</metadata>\n<manifest>\n";
    out += "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" properties=\"nav\"/>\n";
    out += "<item id=\"style\" href=\"style.css\" media-type=\"text/css\"/>\n";
    for (size_t c = 0; c < FChapters.size(); ++c)
      out += "<item id=\"chapter-" + std::to_string(c + 1) + "\" href=\"" + FileName(static_cast<int>(c)) +
             "\" media-type=\"application/xhtml+xml\"/>\n";
    out += "</manifest>\n<spine page-progression-direction=\"";
    out += FOptions.Vertical ? "rtl" : "ltr";
    out += "\">\n";
    for (size_t c = 0; c < FChapters.size(); ++c)
      out += "<itemref idref=\"chapter-" + std::to_string(c + 1) + "\"/>\n";
    out += "</spine>\n</package>\n";
    return out;
  }

  const TEditList& FList;
  const TEpubOptions& FOptions;
  TEpubBook FBook;
  std::vector<THeading> FHeadings;
  std::vector<int> FParents;
  std::vector<TChapter> FChapters;
  std::vector<int> FHeadingChapter;
  struct TLineHeading {
    int First = 0;  // the heading that gives the line its id
    int Level = 0;  // the highest rank of the line's headings
  };
  std::map<int, TLineHeading> FLineHeadings;
};

}  // namespace

TBookTitle DocumentTitle(const TEditList& list) {
  TBookTitle title;
  if (list.Count() > 0) title.Title = Utf8FromCp932(HeadingTitle(list.Get(0)));
  if (list.Count() > 1) title.Author = Utf8FromCp932(HeadingTitle(list.Get(1)));
  return title;
}

TEpubBook BuildEpubBook(const TEditList& list, const TEpubOptions& options) {
  return TBookWriter(list, options).Write();
}

std::string NewUuidUrn() {
  std::random_device device;
  unsigned char bytes[16];
  for (size_t i = 0; i < sizeof bytes; i += 4) {
    const unsigned value = device();
    for (size_t k = 0; k < 4; ++k) bytes[i + k] = static_cast<unsigned char>(value >> (8 * k));
  }
  bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40);  // version 4
  bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);  // the RFC 4122 variant
  char text[48];
  std::snprintf(text, sizeof text,
                "urn:uuid:%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", bytes[0],
                bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8], bytes[9],
                bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
  return text;
}

}  // namespace vorna
