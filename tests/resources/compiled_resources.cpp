#include "compiled_resources.h"

#include "stored_bytes.h"

namespace flurb::resources {
namespace {

constexpr qsizetype alignTo4(qsizetype offset) {
  return (offset + 3) / 4 * 4;
}

// A numeric identifier: 0xFFFF followed by the number.
std::optional<std::uint16_t> readOrdinal(QByteArrayView bytes, qsizetype offset) {
  if (offset + 4 > bytes.size() || readU16(bytes, offset) != 0xFFFFU) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(readU16(bytes, offset + 2));
}

// A NUL-terminated UTF-16 string starting at `offset`; `end` gets the offset after the NUL.
std::optional<QString> readUtf16(QByteArrayView bytes, qsizetype offset, qsizetype& end) {
  QString text;
  for (qsizetype at = offset; at + 2 <= bytes.size(); at += 2) {
    const auto unit = static_cast<char16_t>(readU16(bytes, at));
    if (unit == 0) {
      end = at + 2;
      return text;
    }
    text.append(QChar(unit));
  }
  return std::nullopt;
}

std::optional<VersionNode> readNode(QByteArrayView bytes) {
  constexpr qsizetype kFixedPart = 6;
  if (bytes.size() < kFixedPart) {
    return std::nullopt;
  }
  const qsizetype length = readU16(bytes, 0);
  const qsizetype valueLength = readU16(bytes, 2);
  const bool isText = readU16(bytes, 4) == 1;
  if (length < kFixedPart || length > bytes.size()) {
    return std::nullopt;
  }
  const QByteArrayView node = bytes.first(length);
  qsizetype at = 0;
  std::optional<QString> key = readUtf16(node, kFixedPart, at);
  if (!key) {
    return std::nullopt;
  }
  at = alignTo4(at);
  // Text values count UTF-16 units with the terminator; binary ones count bytes.
  const qsizetype valueBytes = isText ? valueLength * 2 : valueLength;
  if (at + valueBytes > node.size()) {
    return std::nullopt;
  }
  VersionNode result{*key, isText, node.sliced(at, valueBytes).toByteArray(), {}};
  if (isText && result.value.endsWith(QByteArray(2, '\0'))) {
    result.value.chop(2);
  }
  at = alignTo4(at + valueBytes);
  while (at < node.size()) {
    std::optional<VersionNode> child = readNode(node.sliced(at));
    if (!child) {
      return std::nullopt;
    }
    at = alignTo4(at + readU16(node, at));
    result.children.push_back(std::move(*child));
  }
  return result;
}

}  // namespace

QString VersionNode::text() const {
  return QString(reinterpret_cast<const QChar*>(value.constData()), value.size() / 2);
}

const VersionNode* VersionNode::child(const QString& childKey) const {
  for (const VersionNode& node : children) {
    if (node.key == childKey) {
      return &node;
    }
  }
  return nullptr;
}

std::optional<std::vector<CompiledResource>> readCompiledResources(QByteArrayView file) {
  std::vector<CompiledResource> resources;
  qsizetype at = 0;
  while (at < file.size()) {
    if (at + 8 > file.size()) {
      return std::nullopt;
    }
    const qsizetype dataSize = readU32(file, at);
    const qsizetype headerSize = readU32(file, at + 4);
    const std::optional<std::uint16_t> type = readOrdinal(file, at + 8);
    const std::optional<std::uint16_t> name = readOrdinal(file, at + 12);
    // Type, name, then data version (4), memory flags (2), language (2), version and
    // characteristics (4 each).
    constexpr qsizetype kLanguageOffset = 16 + 4 + 2;
    if (!type || !name || headerSize != 32 || at + headerSize + dataSize > file.size()) {
      return std::nullopt;
    }
    const auto language = static_cast<std::uint16_t>(readU16(file, at + kLanguageOffset));
    // The file opens with an empty entry that only marks it as 32-bit.
    if (*type != 0) {
      resources.push_back(
          {*type, *name, language, file.sliced(at + headerSize, dataSize).toByteArray()});
    }
    at = alignTo4(at + headerSize + dataSize);
  }
  return resources;
}

std::optional<VersionNode> readVersionRecord(QByteArrayView data) {
  return readNode(data);
}

}  // namespace flurb::resources
