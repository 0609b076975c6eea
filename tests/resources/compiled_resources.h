#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace flurb::resources {

// One resource of a compiled resource file (.res) whose type and name are numbers.
struct CompiledResource {
  std::uint16_t type;
  std::uint16_t name;
  std::uint16_t language;
  QByteArray data;
};

// The resources of a .res file, or nothing if it is malformed or names anything by string.
std::optional<std::vector<CompiledResource>> readCompiledResources(QByteArrayView file);

// A node of a version record: its key, its value (UTF-16 text without the terminator, or
// bytes) and its children.
struct VersionNode {
  QString key;
  bool isText = false;
  QByteArray value;
  std::vector<VersionNode> children;

  QString text() const;
  const VersionNode* child(const QString& childKey) const;
};

// The version record's tree, or nothing if its lengths do not hold together.
std::optional<VersionNode> readVersionRecord(QByteArrayView data);

}  // namespace flurb::resources
