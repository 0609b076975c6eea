#pragma once

#include <cstdint>
#include <span>

namespace flurb::platform {

// Turns one row of a 24-bit bitmap, three bytes a pixel in blue, green, red order, into opaque
// 0xFFRRGGBB pixels. Reads exactly 3 × row.size() bytes from `source`.
void decodeRow(const std::uint8_t* source, std::span<std::uint32_t> row);

// The same with ordinary instructions only: what decodeRow does on a processor without vector
// shuffles, and the reference it is tested against.
void decodeRowPortably(const std::uint8_t* source, std::span<std::uint32_t> row);

}  // namespace flurb::platform
