#include "gzip.h"

#include <algorithm>
#include <limits>

#define ZLIB_CONST
#include <zlib.h>

namespace flurb::platform::win32 {
namespace {

// Window bits that take the gzip wrapper only, not zlib's own.
constexpr int kGzipWrapper = 16 + MAX_WBITS;
constexpr std::size_t kChunk = std::size_t{1} << 18U;

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
  if (packed.size() > std::numeric_limits<uInt>::max()) {
    return std::nullopt;
  }
  Inflater inflater;
  if (!inflater.ready()) {
    return std::nullopt;
  }
  z_stream& stream = inflater.stream();
  stream.next_in = packed.data();
  stream.avail_in = static_cast<uInt>(packed.size());
  std::vector<std::uint8_t> unpacked;
  int status = Z_OK;
  while (status == Z_OK && unpacked.size() < limit) {
    const std::size_t done = unpacked.size();
    const std::size_t room = std::min(kChunk, limit - done);
    unpacked.resize(done + room);
    stream.next_out = unpacked.data() + done;
    stream.avail_out = static_cast<uInt>(room);
    status = inflate(&stream, Z_NO_FLUSH);
    unpacked.resize(done + room - stream.avail_out);
  }
  if (status != Z_STREAM_END || stream.avail_in != 0) {
    return std::nullopt;
  }
  return unpacked;
}

}  // namespace flurb::platform::win32
