#include "letter_picture_store.h"

#include <array>

#include <QResource>
#include <QString>

namespace flurb::resources {
namespace {

constexpr std::array<char, 26> kStoredNames = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I',
                                               'J', 'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R',
                                               'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z'};

// Only the ASCII letters count: Unicode case folding would also let the long s or the Kelvin
// sign find a picture.
char16_t asciiUpper(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool namesMatch(QStringView requested, char stored) {
  return requested.size() == 1 && asciiUpper(requested[0].unicode()) == stored;
}

}  // namespace

std::optional<QByteArrayView> LetterPictureStore::findBitmap(QStringView name) const {
  for (const char stored : kStoredNames) {
    if (!namesMatch(name, stored)) {
      continue;
    }
    const QResource entry(QStringLiteral(":/flurb/letters/%1.dib").arg(QChar::fromLatin1(stored)));
    if (!entry.isValid()) {
      return std::nullopt;
    }
    // A compressed entry cannot be read in place; handing back no bytes makes the load report
    // the picture as damaged rather than missing.
    if (entry.compressionAlgorithm() != QResource::NoCompression) {
      return QByteArrayView();
    }
    return QByteArrayView(entry.data(), entry.size());
  }
  return std::nullopt;
}

}  // namespace flurb::resources
