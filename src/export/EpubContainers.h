// The EPUB container: the book's files zipped by libzip, and writing it to a
// file so that a failure never leaves a partial book behind.
#pragma once

#include <stdexcept>
#include <string>

namespace vorna {

struct TEpubBook;

// libzip refused to make the container; what() says why.
class EEpubError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The bytes of a ZIP file holding the book's files in their order: the first
// ("mimetype") stored uncompressed, the others deflated, all with ASCII names
// and no extra fields. Built in memory. Throws EEpubError.
std::string ZipEpubBook(const TEpubBook& book);

// Whether a book can be written at `output` (a native path) for the text file
// `input`: false with `reason` (UTF-8) when it names a folder, the text file
// itself, or a place where no new file can be made. Leaves nothing behind.
bool CheckEpubOutput(const std::string& output, const std::string& input, std::string& reason);

// Writes `zipped` to `output` through a temporary beside it that is renamed
// into place when complete (platform/FileSaves.h), so a failure leaves the
// old file or none. Throws EFileError.
void WriteEpubFile(const std::string& output, const std::string& zipped);

// A file name (without folder or extension) made from a book's title (UTF-8):
// "/" and control characters become "／" and "_", a leading "." is dropped,
// a long one is cut to 200 bytes, and an empty result is "book".
std::string FileNameForTitle(const std::string& title);

}  // namespace vorna
