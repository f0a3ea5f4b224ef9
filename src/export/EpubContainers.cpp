// Zipping the book in memory with libzip and writing it safely.
#include "export/EpubContainers.h"

#include <unistd.h>
#include <zip.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "export/EpubBooks.h"
#include "platform/FileSaves.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;

// A fixed time for every entry, so the same book zips to the same bytes.
constexpr time_t kEntryTime = 946684800;  // 2000-01-01

struct TSourceFree {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using TSource = std::unique_ptr<zip_source_t, TSourceFree>;

[[noreturn]] void Fail(const std::string& what, zip_error_t* error) {
  const std::string message = what + ": " + zip_error_strerror(error);
  zip_error_fini(error);
  throw EEpubError(message);
}

[[noreturn]] void FailArchive(const std::string& what, zip_t* archive) {
  const std::string message = what + ": " + zip_strerror(archive);
  zip_discard(archive);
  throw EEpubError(message);
}

// What the closed archive wrote into its memory source.
std::string ReadSource(zip_source_t* source) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_open(source) < 0) throw EEpubError("the container cannot be read back");
  std::string bytes;
  if (zip_source_stat(source, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) bytes.reserve(stat.size);
  char piece[1 << 16];
  zip_int64_t got = 0;
  while ((got = zip_source_read(source, piece, sizeof piece)) > 0)
    bytes.append(piece, static_cast<size_t>(got));
  zip_source_close(source);
  if (got < 0) throw EEpubError("the container cannot be read back");
  return bytes;
}

}  // namespace

std::string ZipEpubBook(const TEpubBook& book) {
  zip_error_t error;
  zip_error_init(&error);
  TSource memory(zip_source_buffer_create(nullptr, 0, 0, &error));
  if (!memory) Fail("no memory for the container", &error);
  zip_t* archive = zip_open_from_source(memory.get(), ZIP_TRUNCATE, &error);
  if (!archive) Fail("the container cannot be made", &error);
  zip_source_keep(memory.get());  // the archive takes one reference, the bytes are read after it closed
  for (size_t i = 0; i < book.Files.size(); ++i) {
    const TEpubFile& file = book.Files[i];
    zip_source_t* data = zip_source_buffer(archive, file.Bytes.data(), file.Bytes.size(), 0);
    if (!data) FailArchive(file.Path, archive);
    const zip_int64_t index = zip_file_add(archive, file.Path.c_str(), data, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(data);
      FailArchive(file.Path, archive);
    }
    const auto entry = static_cast<zip_uint64_t>(index);
    // Readers find the media type at a fixed offset: the first entry is stored.
    if (zip_set_file_compression(archive, entry, i == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) < 0 ||
        zip_file_set_mtime(archive, entry, kEntryTime, 0) < 0)
      FailArchive(file.Path, archive);
  }
  if (zip_close(archive) < 0) FailArchive("the container cannot be written", archive);
  zip_error_fini(&error);
  return ReadSource(memory.get());
}

bool CheckEpubOutput(const std::string& output, const std::string& input, std::string& reason) {
  std::error_code ec;
  const fs::path target = fs::absolute(output, ec);
  if (fs::is_directory(target, ec)) {
    reason = "is a folder";
    return false;
  }
  if (!input.empty() && fs::equivalent(target, input, ec)) {
    reason = "is the text file itself";
    return false;
  }
  int fd = -1, failure = 0;
  const std::string probe = MakeTemporaryBeside(target, fd, failure);
  if (probe.empty()) {
    reason = std::string("cannot be written (") + std::strerror(failure) + ")";
    return false;
  }
  ::close(fd);
  fs::remove(probe, ec);
  return true;
}

void WriteEpubFile(const std::string& output, const std::string& zipped) { WriteFileAtomic(output, zipped); }

std::string FileNameForTitle(const std::string& title) {
  std::string name;
  for (const char c : title) {
    if (c == '/')
      name += "／";
    else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      name += '_';
    else
      name += c;
  }
  while (!name.empty() && name.front() == '.') name.erase(0, 1);
  // Room for the extension within the usual 255-byte limit, cut before a UTF-8 lead byte.
  constexpr size_t kMaxNameBytes = 200;
  if (name.size() > kMaxNameBytes) {
    size_t cut = kMaxNameBytes;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  return name.empty() ? "book" : name;
}

}  // namespace vorna
