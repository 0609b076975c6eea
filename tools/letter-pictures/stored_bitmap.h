#pragma once

#include <QByteArray>
#include <QImage>

namespace flurb::art {

// Encodes a picture as the program stores it: a 40-byte bitmap information header, the pixels as
// 24-bit blue-green-red rows from the bottom row up, each padded to four bytes, and four zero
// bytes after the last row. Any alpha is dropped.
QByteArray encodeStoredBitmap(const QImage& image);

}  // namespace flurb::art
