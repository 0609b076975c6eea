#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "picture.h"

namespace flurb::platform {

// Decodes a device-independent bitmap without its 14-byte file header: a 40-byte information
// header, no colour table, uncompressed 24-bit rows padded to four bytes, bottom-up for a
// positive height and top-down for a negative one. Anything else, or bytes too short for what
// the header claims, gives nothing.
std::optional<Picture> decodeDib(std::span<const std::uint8_t> bytes);

}  // namespace flurb::platform
