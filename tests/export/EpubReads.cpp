// The book read back through libzip, its text, and the epubcheck runs.
#include "EpubReads.h"

#include <sys/wait.h>
#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace vorna::testing {

std::vector<TZipEntry> ReadZip(const std::string& zipped) {
  std::vector<TZipEntry> entries;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(zipped.data(), zipped.size(), 0, &error);
  zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
  if (!archive) {
    if (source) zip_source_free(source);
    zip_error_fini(&error);
    return entries;
  }
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
    TZipEntry entry{stat.name, std::string(stat.size, '\0'), stat.comp_method == ZIP_CM_STORE};
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
    if (file) {
      zip_fread(file, entry.Bytes.data(), entry.Bytes.size());
      zip_fclose(file);
    }
    entries.push_back(std::move(entry));
  }
  zip_close(archive);
  zip_error_fini(&error);
  return entries;
}

std::string ZipFileEntry(const std::string& path, const std::string& name) {
  std::ifstream in(path, std::ios::binary);
  const std::string zipped((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (const TZipEntry& entry : ReadZip(zipped))
    if (entry.Name == name) return entry.Bytes;
  return {};
}

std::string XhtmlText(const std::string& xhtml) {
  std::string text;
  for (size_t i = 0; i < xhtml.size();) {
    if (xhtml.compare(i, 4, "<!--") == 0) {
      const size_t end = xhtml.find("-->", i + 4);
      i = end == std::string::npos ? xhtml.size() : end + 3;
    } else if (xhtml[i] == '<') {
      const size_t end = xhtml.find('>', i);
      i = end == std::string::npos ? xhtml.size() : end + 1;
    } else {
      text += xhtml[i++];
    }
  }
  return text;
}

int Occurrences(const std::string& text, const std::string& needle) {
  int count = 0;
  for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
    ++count;
  return count;
}

std::string EpubcheckProgram() {
  std::unique_ptr<FILE, int (*)(FILE*)> found(popen("command -v epubcheck 2>/dev/null", "r"), pclose);
  if (!found) return {};
  char path[4096] = {};
  if (!std::fgets(path, sizeof path, found.get())) return {};
  std::string program = path;
  while (!program.empty() && (program.back() == '\n' || program.back() == '\r')) program.pop_back();
  return program;
}

int RunEpubcheck(const std::string& path, std::string& report) {
  // Debian's program is the jar itself, run through binfmt_misc where that
  // is set up; java runs it everywhere.
  const std::string jar = std::filesystem::canonical(EpubcheckProgram()).string();
  const std::string command = "java -jar '" + jar + "' '" + path + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char piece[4096];
  size_t got = 0;
  while ((got = std::fread(piece, 1, sizeof piece, pipe)) > 0) report.append(piece, got);
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vorna::testing
