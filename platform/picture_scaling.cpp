#include "picture_scaling.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "dib.h"

namespace flurb::platform {
namespace {

constexpr int kChannels = 3;
constexpr double kSameScale = 1e-9;

struct Share {
  int source;
  double weight;
};

// For each of `targetLength` pixels, the source pixels it covers and their shares of it.
std::vector<std::vector<Share>> sharesAlong(int sourceLength, int targetLength) {
  const double step = static_cast<double>(sourceLength) / targetLength;
  std::vector<std::vector<Share>> shares(static_cast<std::size_t>(targetLength));
  for (int target = 0; target < targetLength; ++target) {
    const double start = target * step;
    const double end = start + step;
    const int last = std::min(sourceLength - 1, static_cast<int>(std::ceil(end)) - 1);
    for (int source = static_cast<int>(start); source <= last; ++source) {
      const double covered = std::min<double>(end, source + 1) - std::max<double>(start, source);
      if (covered > 0) {
        shares[static_cast<std::size_t>(target)].push_back({source, covered / step});
      }
    }
  }
  return shares;
}

std::array<double, kChannels> channels(std::uint32_t pixel) {
  return {static_cast<double>((pixel >> 16U) & 0xFFU), static_cast<double>((pixel >> 8U) & 0xFFU),
          static_cast<double>(pixel & 0xFFU)};
}

std::uint32_t packed(const std::array<double, kChannels>& value) {
  std::uint32_t pixel = 0;
  for (const double channel : value) {
    pixel = (pixel << 8U) | static_cast<std::uint32_t>(std::clamp(std::lround(channel), 0L, 255L));
  }
  return pixel;
}

Picture cropped(const Picture& source, PixelSize size) {
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height));
  const auto all = source.pixels();
  for (int y = 0; y < size.height; ++y) {
    const auto row =
        all.subspan(static_cast<std::size_t>(y) * static_cast<std::size_t>(source.width()),
                    static_cast<std::size_t>(size.width));
    pixels.insert(pixels.end(), row.begin(), row.end());
  }
  return {size.width, size.height, std::move(pixels)};
}

}  // namespace

Picture resampled(const Picture& source, PixelSize size) {
  const auto across = sharesAlong(source.width(), size.width);
  const auto down = sharesAlong(source.height(), size.height);
  // Across first, into one row of sums per source row.
  std::vector<std::array<double, kChannels>> narrowed(static_cast<std::size_t>(size.width) *
                                                      static_cast<std::size_t>(source.height()));
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < size.width; ++x) {
      std::array<double, kChannels> sum{};
      for (const Share& share : across[static_cast<std::size_t>(x)]) {
        const auto value = channels(source.pixel(share.source, y));
        for (int c = 0; c < kChannels; ++c) {
          sum.at(static_cast<std::size_t>(c)) +=
              value.at(static_cast<std::size_t>(c)) * share.weight;
        }
      }
      narrowed[static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width) +
               static_cast<std::size_t>(x)] = sum;
    }
  }
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width) *
                                    static_cast<std::size_t>(size.height));
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) {
      std::array<double, kChannels> sum{};
      for (const Share& share : down[static_cast<std::size_t>(y)]) {
        const auto& value =
            narrowed[static_cast<std::size_t>(share.source) * static_cast<std::size_t>(size.width) +
                     static_cast<std::size_t>(x)];
        for (int c = 0; c < kChannels; ++c) {
          sum.at(static_cast<std::size_t>(c)) +=
              value.at(static_cast<std::size_t>(c)) * share.weight;
        }
      }
      pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width) +
             static_cast<std::size_t>(x)] = packed(sum);
    }
  }
  return {size.width, size.height, std::move(pixels)};
}

Picture pictureForDevice(const Picture& picture, double ratio, PixelSize size) {
  std::optional<Picture> rendering;
  double scale = 1;
  if (picture.store() != nullptr && ratio > 1) {
    // A rendering that does not decode leaves the picture itself, enlarged: still the card.
    if (auto found = picture.store()->findRendering(picture.name(), ratio)) {
      rendering = decodeDib(found->bytes);
      scale = found->scale;
    }
  }
  const Picture& source = rendering ? *rendering : picture;
  const bool atRatio = std::abs((rendering ? scale : 1.0) - ratio) < kSameScale;
  if (atRatio && rendering && rendering->width() == size.width &&
      rendering->height() == size.height) {
    return std::move(*rendering);
  }
  if (atRatio && source.width() >= size.width && source.height() >= size.height) {
    return cropped(source, size);
  }
  return resampled(source, size);
}

}  // namespace flurb::platform
