#include "program_icon.h"

#include <QResource>

namespace flurb::resources {

QByteArrayView programIconFile() {
  const QResource icon(QStringLiteral(":/flurb/flurb-cards.ico"));
  if (!icon.isValid() || icon.compressionAlgorithm() != QResource::NoCompression) {
    return {};
  }
  return {icon.data(), icon.size()};
}

}  // namespace flurb::resources
