#include "gzip.h"

#include <algorithm>
#include <limits>
#include <numeric>

#define ZLIB_CONST
#include <zlib.h>

namespace flurb::platform::win32 {
namespace {

// Window bits that take the gzip wrapper only, not zlib's own.
constexpr int kGzipWrapper = 16 + MAX_WBITS;

// Ends the inflater however the unpacking ends.
class Inflater {
 public:
  Inflater() : ready_(inflateInit2(&stream_, kGzipWrapper) == Z_OK) {}
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;
  Inflater(Inflater&&) = delete;
  Inflater& operator=(Inflater&&) = delete;
  ~Inflater() {
    if (ready_) {
      inflateEnd(&stream_);
    }
  }

  bool ready() const { return ready_; }
  z_stream& stream() { return stream_; }

 private:
  z_stream stream_{};
  bool ready_;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> gunzip(std::span<const std::uint8_t> packed,
                                                std::size_t limit) {
  constexpr std::size_t kLengthBytes = 4;
  if (packed.size() < kLengthBytes || packed.size() > std::numeric_limits<uInt>::max()) {
    return std::nullopt;
  }
  // The member ends with its unpacked length, which the unpacking checks: one buffer of that
  // size, and a byte to spare that any more would fill.
  const auto length = packed.last(kLengthBytes);
  const std::size_t claimed =
      std::accumulate(length.rbegin(), length.rend(), std::size_t{0},
                      [](std::size_t high, std::uint8_t byte) { return (high << 8U) | byte; });
  const std::size_t largestRoom = std::numeric_limits<uInt>::max();
  const std::size_t room = std::min({claimed, limit, largestRoom - 1}) + 1;
  Inflater inflater;
  if (!inflater.ready()) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> unpacked(room);
  z_stream& stream = inflater.stream();
  stream.next_in = packed.data();
  stream.avail_in = static_cast<uInt>(packed.size());
  stream.next_out = unpacked.data();
  stream.avail_out = static_cast<uInt>(room);
  if (inflate(&stream, Z_FINISH) != Z_STREAM_END || stream.avail_in != 0 || stream.avail_out == 0) {
    return std::nullopt;
  }
  unpacked.resize(room - stream.avail_out);
  return unpacked;
}

}  // namespace flurb::platform::win32
