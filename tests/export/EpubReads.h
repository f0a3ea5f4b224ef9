// Reading a zipped book back for the tests: its entries through libzip, the
// text of its XHTML without markup, and epubcheck where it is installed.
#pragma once

#include <string>
#include <vector>

namespace vorna::testing {

struct TZipEntry {
  std::string Name;
  std::string Bytes;
  bool Stored = false;  // no compression
};

// The entries of a ZIP file in their order; empty when it does not open.
std::vector<TZipEntry> ReadZip(const std::string& zipped);

// The bytes of entry `name` of the ZIP file at `path`; empty when absent.
std::string ZipFileEntry(const std::string& path, const std::string& name);

// What XHTML shows as text: comments and tags removed, entities left as they are.
std::string XhtmlText(const std::string& xhtml);

// The number of times `needle` occurs in `text`.
int Occurrences(const std::string& text, const std::string& needle);

// The path of the epubcheck program, empty when it is not installed.
std::string EpubcheckProgram();

// Runs epubcheck (its jar, with java) on `path`: its exit status, and its
// output in `report`.
int RunEpubcheck(const std::string& path, std::string& report);

}  // namespace vorna::testing
