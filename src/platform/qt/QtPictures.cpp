// JPEG decoding with libjpeg called directly (header, start, scanlines,
// finish, destroy) into a bitmap. Corrupt or truncated data is an error.
#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include <QImage>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtServices.h"

namespace vorna::qt {
namespace {

struct TJpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* error = reinterpret_cast<TJpegError*>(info->err);
  (*info->err->format_message)(info, error->Message);
  std::longjmp(error->Jump, 1);
}

// Warnings (premature end of data, corrupt segments) are counted and make the
// picture fail afterwards; nothing is printed.
void EmitMessage(j_common_ptr info, int level) {
  if (level < 0) {
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    if (info->err->num_warnings++ == 0) (*info->err->format_message)(info, error->Message);
  }
}

// Decodes into `image` (declared by the caller, so the jump skips no
// destructor); returns an empty message on success.
std::string Decode(const unsigned char* data, size_t size, QImage& image, std::vector<unsigned char>& row) {
  jpeg_decompress_struct info{};
  TJpegError error{};
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = ErrorExit;
  error.Manager.emit_message = EmitMessage;
  if (setjmp(error.Jump)) {
    jpeg_destroy_decompress(&info);
    return error.Message[0] ? error.Message : "JPEG error";
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const int64_t pixels = static_cast<int64_t>(info.output_width) * info.output_height;
  if (info.output_components != 3 || pixels <= 0 || pixels > kMaxBitmapPixels) {
    jpeg_destroy_decompress(&info);
    return "unsupported JPEG size or colour format";
  }
  image =
      QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB32);
  if (image.isNull()) {
    jpeg_destroy_decompress(&info);
    return "out of memory";
  }
  row.resize(static_cast<size_t>(info.output_width) * 3);
  while (info.output_scanline < info.output_height) {
    int y = static_cast<int>(info.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (unsigned x = 0; x < info.output_width; ++x)
      out[x] = qRgb(row[x * 3], row[x * 3 + 1], row[x * 3 + 2]);
  }
  jpeg_finish_decompress(&info);
  long warnings = error.Manager.num_warnings;
  jpeg_destroy_decompress(&info);
  if (warnings > 0) return error.Message[0] ? error.Message : "corrupt JPEG data";
  return {};
}

}  // namespace

std::unique_ptr<TBitmap> TQtPictureLoader::LoadJpeg(std::string_view bytes) {
  if (bytes.empty()) throw EPictureError("empty JPEG data");
  QImage image;
  std::vector<unsigned char> row;
  std::string message =
      Decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), image, row);
  if (!message.empty()) throw EPictureError(message);
  auto bitmap = std::make_unique<TQtBitmap>(0, 0);
  bitmap->SetImage(image);
  return bitmap;
}

std::unique_ptr<TBitmap> TQtPictureLoader::LoadJpegFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EPictureError("cannot open " + path);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return LoadJpeg(bytes);
}

}  // namespace vorna::qt
