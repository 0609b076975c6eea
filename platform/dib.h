#pragma once

#include <optional>

#include <QByteArrayView>
#include <QImage>

namespace flurb::platform {

// Decodes a device-independent bitmap without its 14-byte file header: a 40-byte information
// header, no colour table, uncompressed 24-bit rows padded to four bytes, bottom-up for a
// positive height and top-down for a negative one. Anything else, or bytes too short for what
// the header claims, gives nothing. The result is Format_RGB32.
std::optional<QImage> decodeDib(QByteArrayView bytes);

}  // namespace flurb::platform
