#include "dib_rows.h"

#include <bit>
#include <cstddef>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace flurb::platform {
namespace {

constexpr std::size_t kBytesPerPixel = 3;
// Set over the byte after a pixel's three, which a word read takes with it.
constexpr std::uint32_t kOpaque = 0xFF000000U;

template <typename Word>
Word wordAt(const std::uint8_t* bytes) {
  Word word = 0;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

#if defined(__x86_64__) || defined(__i386__)
// Spreads the four pixels in the low twelve bytes of `group` over four opaque words.
__attribute__((target("ssse3"))) inline void storeFourPixels(std::uint32_t* out, __m128i group) {
  // Byte indices of each pixel's blue, green and red; -1 clears the fourth byte for the or.
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(kOpaque));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                   _mm_or_si128(_mm_shuffle_epi8(group, spread), opaque));
}

// Sixteen pixels at a time from three 16-byte loads, each group of four spread by one byte
// shuffle: a third of the instructions the portable way takes. Returns how many pixels it
// decoded; it never reads past the row.
__attribute__((target("ssse3"))) std::size_t decodeBlocksWithShuffles(const std::uint8_t* source,
                                                                      std::uint32_t* row,
                                                                      std::size_t width) {
  constexpr std::size_t kBlock = 16;
  constexpr std::size_t kLoad = 16;
  std::size_t x = 0;
  for (; x + kBlock <= width; x += kBlock) {
    const std::uint8_t* bytes = source + x * kBytesPerPixel;
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + kLoad));
    const __m128i third = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 2 * kLoad));
    // The block's four groups start at its bytes 0, 12, 24 and 36.
    storeFourPixels(row + x, first);
    storeFourPixels(row + x + 4, _mm_alignr_epi8(second, first, 12));
    storeFourPixels(row + x + 8, _mm_alignr_epi8(third, second, 8));
    storeFourPixels(row + x + 12, _mm_srli_si128(third, 4));
  }
  return x;
}

bool hasShuffles() {
  static const bool kHasShuffles = __builtin_cpu_supports("ssse3") != 0;
  return kHasShuffles;
}
#endif

// A pixel's three bytes read as a little-endian word are 0x..RRGGBB, made 0xFFRRGGBB by one or.
// Four pixels come from two 64-bit words, the rest from a 32-bit word each, and the row's last
// pixel byte by byte, as the fourth byte of its word may lie beyond the bitmap; on a big-endian
// machine every pixel is read byte by byte.
void decodeRowFrom(std::size_t x, const std::uint8_t* source, std::span<std::uint32_t> row) {
  constexpr unsigned kSecondPixel = 24;
  const std::size_t width = row.size();
  if constexpr (std::endian::native == std::endian::little) {
    // The second word of four pixels ends at byte 3x + 13: inside the row while x + 5 <= width.
    for (; x + 5 <= width; x += 4) {
      const auto first = wordAt<std::uint64_t>(source + x * kBytesPerPixel);
      const auto second = wordAt<std::uint64_t>(source + (x + 2) * kBytesPerPixel);
      row[x] = static_cast<std::uint32_t>(first) | kOpaque;
      row[x + 1] = static_cast<std::uint32_t>(first >> kSecondPixel) | kOpaque;
      row[x + 2] = static_cast<std::uint32_t>(second) | kOpaque;
      row[x + 3] = static_cast<std::uint32_t>(second >> kSecondPixel) | kOpaque;
    }
    for (; x + 1 < width; ++x) {
      row[x] = wordAt<std::uint32_t>(source + x * kBytesPerPixel) | kOpaque;
    }
  }
  for (; x < width; ++x) {
    const std::uint8_t* bgr = source + x * kBytesPerPixel;
    row[x] = kOpaque | (std::uint32_t{bgr[2]} << 16U) | (std::uint32_t{bgr[1]} << 8U) | bgr[0];
  }
}

}  // namespace

void decodeRowPortably(const std::uint8_t* source, std::span<std::uint32_t> row) {
  decodeRowFrom(0, source, row);
}

void decodeRow(const std::uint8_t* source, std::span<std::uint32_t> row) {
  std::size_t done = 0;
#if defined(__x86_64__) || defined(__i386__)
  if (hasShuffles()) {
    done = decodeBlocksWithShuffles(source, row.data(), row.size());
  }
#endif
  decodeRowFrom(done, source, row);
}

}  // namespace flurb::platform
