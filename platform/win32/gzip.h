#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace flurb::platform::win32 {

// Unpacks one gzip member (as `gzip -n` writes it) of at most `limit` bytes. Bytes that are no
// such member, fail its check sum, stop short, run on past its end or unpack to more than the
// limit give nothing.
std::optional<std::vector<std::uint8_t>> gunzip(std::span<const std::uint8_t> packed,
                                                std::size_t limit);

}  // namespace flurb::platform::win32
