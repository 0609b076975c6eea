#include "ppm.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace flurb::windows_tests {
namespace {

constexpr int kMaxValue = 255;
constexpr int kLargestSide = 1 << 14;

}  // namespace

std::optional<platform::Picture> readPpm(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::string magic;
  int width = 0;
  int height = 0;
  int maxValue = 0;
  file >> magic >> width >> height >> maxValue;
  if (!file || magic != "P6" || maxValue != kMaxValue || width <= 0 || height <= 0 ||
      width > kLargestSide || height > kLargestSide) {
    return std::nullopt;
  }
  file.get();  // the one white-space character before the pixels
  const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<char> bytes(count * 3);
  if (!file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    return std::nullopt;
  }
  std::vector<std::uint32_t> pixels(count);
  for (std::size_t i = 0; i < count; ++i) {
    const auto channel = [&](std::size_t offset) {
      return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[3 * i + offset]));
    };
    pixels[i] = (channel(0) << 16U) | (channel(1) << 8U) | channel(2);
  }
  return platform::Picture(width, height, std::move(pixels));
}

bool writePpm(const std::filesystem::path& path, const platform::Picture& picture) {
  std::ofstream file(path, std::ios::binary);
  file << "P6\n" << picture.width() << ' ' << picture.height() << '\n' << kMaxValue << '\n';
  for (const std::uint32_t pixel : picture.pixels()) {
    const char rgb[] = {static_cast<char>((pixel >> 16U) & 0xFFU),
                        static_cast<char>((pixel >> 8U) & 0xFFU), static_cast<char>(pixel & 0xFFU)};
    file.write(rgb, sizeof(rgb));
  }
  return static_cast<bool>(file);
}

}  // namespace flurb::windows_tests
