// Finding the windows of a text where two given bytes stand a fixed distance
// apart: the first step of a substring search, sixteen windows a step with
// SSE2 (the x86-64 baseline) and one at a time elsewhere.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorna {

// Byte `First` at a window's start and byte `Second` `Distance` bytes later.
struct TBytePair {
  unsigned char First = 0;
  unsigned char Second = 0;
  size_t Distance = 1;  // >= 1
};

// Whether the `size` bytes at a and b (1..32) are equal, with one branch
// however they differ: two loads of each side that overlap for sizes
// between the powers of two.
inline bool SameShortBytes(const char* a, const char* b, size_t size) {
  const auto differ = [&]<class T>(T, size_t at) {
    T x, y;
    std::memcpy(&x, a + at, sizeof x);
    std::memcpy(&y, b + at, sizeof y);
    return x ^ y;
  };
  if (size >= 16)
    return (differ(uint64_t{}, 0) | differ(uint64_t{}, 8) | differ(uint64_t{}, size - 16) |
            differ(uint64_t{}, size - 8)) == 0;
  if (size >= 8) return (differ(uint64_t{}, 0) | differ(uint64_t{}, size - 8)) == 0;
  if (size >= 4) return (differ(uint32_t{}, 0) | differ(uint32_t{}, size - 4)) == 0;
  if (size >= 2) return (differ(uint16_t{}, 0) | differ(uint16_t{}, size - 2)) == 0;
  return a[0] == b[0];
}

// Calls accept(window) for every window start in [from, to - Distance) whose
// bytes match `pair`, in ascending order, until accept returns true; returns
// that window, or nullptr. Reads no byte outside [from, to); accept may read
// any byte of the range.
template <class F>
const char* FindBytePair(const char* from, const char* to, const TBytePair& pair, F&& accept) {
  const size_t distance = pair.Distance;
  if (to - from <= static_cast<std::ptrdiff_t>(distance)) return nullptr;
  const auto* p = reinterpret_cast<const unsigned char*>(from);
  const auto* end = reinterpret_cast<const unsigned char*>(to);
  const auto* lastStart = end - distance;  // one past the last window start
#if defined(__SSE2__)
  const __m128i first = _mm_set1_epi8(static_cast<char>(pair.First));
  const __m128i second = _mm_set1_epi8(static_cast<char>(pair.Second));
  const auto hits16 = [&](const unsigned char* at) {
    const __m128i a = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), first);
    const __m128i b =
        _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at + distance)), second);
    return static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(a, b)));
  };
  const auto visit = [&](const unsigned char* base, uint64_t hits) -> const char* {
    for (; hits != 0; hits &= hits - 1) {
      const char* window = reinterpret_cast<const char*>(base + std::countr_zero(hits));
      if (accept(window)) return window;
    }
    return nullptr;
  };
  // 64 windows before any branch on a hit: most blocks of text have none.
  for (; lastStart - p >= 64; p += 64) {
    const uint64_t hits = hits16(p) | uint64_t{hits16(p + 16)} << 16 | uint64_t{hits16(p + 32)} << 32 |
                          uint64_t{hits16(p + 48)} << 48;
    if (hits != 0)
      if (const char* found = visit(p, hits)) return found;
  }
  if (p == lastStart) return nullptr;
  if (lastStart - reinterpret_cast<const unsigned char*>(from) >= 16) {
    // The last 1..63 windows as one mask from four loads that may overlap
    // (a window's bit lands at the same place from either), with no loop
    // whose exit depends on the length: lines end at every length.
    const size_t left = static_cast<size_t>(lastStart - p);
    const size_t span = left >= 16 ? left : 16;
    const unsigned char* base = lastStart - span;  // p, or 16 windows back
    const size_t o1 = span - 16 < 16 ? span - 16 : 16, o2 = span - 16 < 32 ? span - 16 : 32, o3 = span - 16;
    const uint64_t hits = hits16(base) | uint64_t{hits16(base + o1)} << o1 |
                          uint64_t{hits16(base + o2)} << o2 | uint64_t{hits16(base + o3)} << o3;
    return visit(p, hits >> (span - left));
  }
#endif
  for (; p < lastStart; ++p)
    if (p[0] == pair.First && p[distance] == pair.Second && accept(reinterpret_cast<const char*>(p)))
      return reinterpret_cast<const char*>(p);
  return nullptr;
}

}  // namespace vorna
