// EUC-JP codes <-> Unicode through glibc iconv's "EUC-JP" table, built once
// into lookup tables.
#pragma once

#include <cstdint>
#include <string>

namespace vorna {

// The length (1 to 3) of the EUC-JP character at b[0..n) and its code point in
// `cp`; 0 when the bytes start no defined code, or one whose code point
// encodes to other bytes (so a file of valid codes comes back byte for byte).
// A sequence that needs more bytes than n gives -1.
int DecodeEucJpAt(const unsigned char* b, size_t n, char32_t& cp);

// Appends the EUC-JP bytes of `cp`; false when EUC-JP cannot hold it.
bool AppendEucJp(std::string& out, char32_t cp);

}  // namespace vorna
