#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>

namespace flurb::resources {

inline QByteArray toByteArray(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

inline std::vector<std::uint8_t> toBytes(QByteArrayView bytes) {
  const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.data());
  return {first, first + bytes.size()};
}

// Little-endian fields of stored bytes, for tests that check or damage them.
inline std::uint32_t readU16(QByteArrayView bytes, qsizetype offset) {
  return static_cast<std::uint8_t>(bytes[offset]) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + 1]) << 8U);
}

inline std::uint32_t readU32(QByteArrayView bytes, qsizetype offset) {
  return readU16(bytes, offset) | (readU16(bytes, offset + 2) << 16U);
}

inline void writeU16(QByteArray& bytes, qsizetype offset, std::uint32_t value) {
  bytes[offset] = static_cast<char>(value & 0xFFU);
  bytes[offset + 1] = static_cast<char>((value >> 8U) & 0xFFU);
}

inline void writeU32(QByteArray& bytes, qsizetype offset, std::uint32_t value) {
  writeU16(bytes, offset, value & 0xFFFFU);
  writeU16(bytes, offset + 2, value >> 16U);
}

}  // namespace flurb::resources
