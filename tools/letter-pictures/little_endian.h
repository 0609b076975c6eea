#pragma once

#include <cstdint>

#include <QByteArray>

namespace flurb::art {

inline void appendU16(QByteArray& bytes, std::uint16_t value) {
  bytes.append(static_cast<char>(value & 0xFFU));
  bytes.append(static_cast<char>(value >> 8U));
}

inline void appendU32(QByteArray& bytes, std::uint32_t value) {
  appendU16(bytes, static_cast<std::uint16_t>(value & 0xFFFFU));
  appendU16(bytes, static_cast<std::uint16_t>(value >> 16U));
}

// The information header shared by the stored pictures and the icon image: no compression, no
// resolution, and as many colours as the bit depth implies.
inline void appendInfoHeader(QByteArray& bytes, std::uint32_t width, std::uint32_t height,
                             std::uint16_t bitsPerPixel) {
  constexpr std::uint32_t kInfoHeaderSize = 40;
  appendU32(bytes, kInfoHeaderSize);
  appendU32(bytes, width);
  appendU32(bytes, height);
  appendU16(bytes, 1);  // planes
  appendU16(bytes, bitsPerPixel);
  appendU32(bytes, 0);  // compression: none
  appendU32(bytes, 0);  // size of the pixels: implied by the sizes
  appendU32(bytes, 0);  // horizontal pixels per metre
  appendU32(bytes, 0);  // vertical pixels per metre
  appendU32(bytes, 0);  // colours used: all the bit depth allows
  appendU32(bytes, 0);  // important colours: all
}

}  // namespace flurb::art
