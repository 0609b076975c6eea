#include <algorithm>
#include <cstdlib>
#include <optional>

#include <gtest/gtest.h>
#include <QFile>
#include <QString>
#include <QStringList>

#include "artwork.h"
#include "letter_picture.h"
#include "platform/dib.h"
#include "platform/qt/render.h"
#include "resources/letter_picture_store.h"

namespace flurb::resources {
namespace {

// Rendering may differ by a rounding step between processors; a picture not rebuilt after its
// drawing changed differs by far more.
constexpr int kChannelTolerance = 8;

QByteArray readArt(const QString& relativePath) {
  QFile file(QStringLiteral(FLURB_ART_DIR "/") + relativePath);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int largestChannelDifference(const QImage& a, const QImage& b) {
  int largest = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
    }
  }
  return largest;
}

TEST(LetterPictureSources, EveryStoredPictureIsItsDrawingRendered) {
  const QStringList lines = QString::fromUtf8(readArt("letters.txt")).split('\n');
  QString lettersSeen;
  const LetterPictureStore store;
  for (const QString& line : lines) {
    const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
    if (fields.size() != 2 || fields[0].startsWith('#')) {
      continue;
    }
    const QString& letter = fields[0];
    lettersSeen += letter;
    const std::optional<art::Artwork> artwork = art::Artwork::fromSvg(readArt(fields[1]));
    ASSERT_TRUE(artwork.has_value()) << fields[1].toStdString();
    const std::optional<platform::Picture> decoded =
        platform::decodeDib(store.findBitmap(letter.toStdU16String())->view());
    ASSERT_TRUE(decoded.has_value()) << letter.toStdString();
    const std::optional<QImage> stored = platform::qt::imageOver(*decoded);
    const QImage rendered = art::renderLetterPicture(*artwork, stored->width());
    ASSERT_EQ(rendered.size(), stored->size()) << letter.toStdString();
    EXPECT_LE(largestChannelDifference(rendered, *stored), kChannelTolerance)
        << letter.toStdString() << ": run tools/build-letter-pictures.sh";
  }
  EXPECT_EQ(lettersSeen, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

}  // namespace
}  // namespace flurb::resources
