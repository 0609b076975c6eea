#include "picture_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "dib.h"

namespace flurb::platform {
namespace {

constexpr double kSameScale = 1e-9;

struct Share {
  int source;
  float weight;
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
        shares[static_cast<std::size_t>(target)].push_back(
            {source, static_cast<float>(covered / step)});
      }
    }
  }
  return shares;
}

struct Sum {
  float red = 0;
  float green = 0;
  float blue = 0;

  void add(std::uint32_t pixel, float weight) {
    red += static_cast<float>((pixel >> 16U) & 0xFFU) * weight;
    green += static_cast<float>((pixel >> 8U) & 0xFFU) * weight;
    blue += static_cast<float>(pixel & 0xFFU) * weight;
  }
  void add(const Sum& other, float weight) {
    red += other.red * weight;
    green += other.green * weight;
    blue += other.blue * weight;
  }
  std::uint32_t pixel() const {
    const auto byte = [](float value) {
      return static_cast<std::uint32_t>(std::clamp(value + 0.5F, 0.0F, 255.0F));
    };
    constexpr std::uint32_t kOpaque = 0xFF000000U;
    return kOpaque | (byte(red) << 16U) | (byte(green) << 8U) | byte(blue);
  }
};

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

// Enlarged a whole number of times each way, every new pixel lies inside one source pixel and is
// that pixel: what averaging gives, without its sums. The browser's first card at ratio 2, drawn
// before the renderings are in, waits on this.
std::optional<Picture> repeated(const Picture& source, PixelSize size) {
  if (source.width() <= 0 || source.height() <= 0 || size.width < source.width() ||
      size.height < source.height() || size.width % source.width() != 0 ||
      size.height % source.height() != 0) {
    return std::nullopt;
  }
  const auto across = static_cast<std::size_t>(size.width / source.width());
  const auto down = static_cast<std::size_t>(size.height / source.height());
  const auto width = static_cast<std::size_t>(size.width);
  const auto sourceWidth = static_cast<std::size_t>(source.width());
  const std::span<const std::uint32_t> pixels = source.pixels();
  std::vector<std::uint32_t> result(width * static_cast<std::size_t>(size.height));
  std::uint32_t* target = result.data();
  for (std::size_t y = 0; y < static_cast<std::size_t>(source.height()); ++y) {
    const std::uint32_t* rowStart = target;
    for (const std::uint32_t pixel : pixels.subspan(y * sourceWidth, sourceWidth)) {
      target = std::fill_n(target, across, pixel);
    }
    for (std::size_t copy = 1; copy < down; ++copy) {
      target = std::copy(rowStart, rowStart + width, target);
    }
  }
  return Picture{size.width, size.height, std::move(result)};
}

}  // namespace

Picture resampled(const Picture& source, PixelSize size) {
  if (auto enlarged = repeated(source, size)) {
    return std::move(*enlarged);
  }
  const auto across = sharesAlong(source.width(), size.width);
  const auto down = sharesAlong(source.height(), size.height);
  const auto sourceWidth = static_cast<std::size_t>(source.width());
  const auto width = static_cast<std::size_t>(size.width);
  const std::span<const std::uint32_t> pixels = source.pixels();
  // Across first: each source row narrowed to the new width.
  std::vector<Sum> narrowed(width * static_cast<std::size_t>(source.height()));
  for (std::size_t y = 0; y < static_cast<std::size_t>(source.height()); ++y) {
    const std::span<const std::uint32_t> row = pixels.subspan(y * sourceWidth, sourceWidth);
    for (std::size_t x = 0; x < width; ++x) {
      Sum& sum = narrowed[y * width + x];
      for (const Share& share : across[x]) {
        sum.add(row[static_cast<std::size_t>(share.source)], share.weight);
      }
    }
  }
  std::vector<std::uint32_t> result(width * static_cast<std::size_t>(size.height));
  for (std::size_t y = 0; y < static_cast<std::size_t>(size.height); ++y) {
    for (std::size_t x = 0; x < width; ++x) {
      Sum sum;
      for (const Share& share : down[y]) {
        sum.add(narrowed[static_cast<std::size_t>(share.source) * width + x], share.weight);
      }
      result[y * width + x] = sum.pixel();
    }
  }
  return {size.width, size.height, std::move(result)};
}

Picture pictureForDevice(const Picture& picture, const ResourceStore& renderings, double ratio,
                         PixelSize size) {
  if (size.width <= 0 || size.height <= 0) {
    return {0, 0, std::vector<std::uint32_t>{}};
  }
  std::optional<Picture> rendering;
  double scale = 1;
  if (!picture.resourceName().empty() && ratio > 1) {
    // A rendering that does not decode leaves the picture itself, enlarged: still the card.
    if (auto found = renderings.findRendering(picture.resourceName(), ratio)) {
      rendering = decodeDib(found->bytes.view());
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
