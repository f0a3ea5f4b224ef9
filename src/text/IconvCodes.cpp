// One character at a time through iconv.
#include "text/IconvCodes.h"

namespace vorna {

char32_t IconvDecodeCode(iconv_t toUtf32, const unsigned char* bytes, size_t length) {
  char in[3] = {};
  for (size_t i = 0; i < length && i < sizeof in; ++i) in[i] = static_cast<char>(bytes[i]);
  char32_t out[2] = {};
  char* inp = in;
  size_t inLeft = length;
  char* outp = reinterpret_cast<char*>(out);
  size_t outLeft = sizeof(out);
  iconv(toUtf32, nullptr, nullptr, nullptr, nullptr);
  if (iconv(toUtf32, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return 0;
  return sizeof(out) - outLeft == sizeof(char32_t) ? out[0] : 0;
}

uint32_t IconvEncodeCode(iconv_t fromUtf32, char32_t cp) {
  char32_t in[1] = {cp};
  unsigned char out[4] = {};
  char* inp = reinterpret_cast<char*>(in);
  size_t inLeft = sizeof(in);
  char* outp = reinterpret_cast<char*>(out);
  size_t outLeft = sizeof(out);
  iconv(fromUtf32, nullptr, nullptr, nullptr, nullptr);
  if (iconv(fromUtf32, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return 0;
  const size_t produced = sizeof(out) - outLeft;
  if (produced > 3) return 0;
  uint32_t code = 0;
  for (size_t i = 0; i < produced; ++i) code = code << 8 | out[i];
  return code;
}

}  // namespace vorna
