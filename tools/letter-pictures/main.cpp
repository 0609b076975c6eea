// Turns the kept SVG sources into the program's stored pictures and icons:
//   flurb-letter-art picture <svg> <width> <out> [<scale>]
//                                                       a letter picture, 293 pixels high, or
//                                                       its rendering at a larger scale
//   flurb-letter-art icon <svg> <out.ico> <out-image> [#rrggbb=#rrggbb ...]
//                                                       the 32 x 32, 16-colour program icon
//   flurb-letter-art desktop-icon <svg> <side> <out.png> [<ink share>]
//                                                       a larger icon for the desktop; a smaller
//                                                       share of ink keeps the drawing inside
//                                                       the circle a launcher may cut it to
#include <cstdio>
#include <optional>

#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <QStringList>

#include "artwork.h"
#include "icon_image.h"
#include "letter_picture.h"
#include "stored_bitmap.h"

namespace {

using flurb::art::Artwork;

constexpr qreal kIconInkSide = 30;
constexpr int kIconOversampling = 8;
constexpr qreal kDesktopIconInkShare = 0.84;
const QColor kIconBackground(0, 0, 255);

std::optional<QByteArray> readFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
    return std::nullopt;
  }
  return file.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

std::optional<Artwork> loadArtwork(const QString& path, const QStringList& recolourings = {}) {
  std::optional<QByteArray> svg = readFile(path);
  if (!svg) {
    return std::nullopt;
  }
  for (const QString& recolouring : recolourings) {
    const QStringList fromTo = recolouring.split('=');
    if (fromTo.size() != 2) {
      std::fprintf(stderr, "a recolouring reads #rrggbb=#rrggbb, not %s\n",
                   qPrintable(recolouring));
      return std::nullopt;
    }
    svg->replace(fromTo[0].toLatin1(), fromTo[1].toLatin1());
  }
  std::optional<Artwork> artwork = Artwork::fromSvg(*svg);
  if (!artwork) {
    std::fprintf(stderr, "%s is no drawing that can be rendered\n", qPrintable(path));
  }
  return artwork;
}

int makePicture(const QStringList& args) {
  bool widthOk = false;
  const int width = args.value(1).toInt(&widthOk);
  bool scaleOk = false;
  const double scale = args.value(3, QStringLiteral("1")).toDouble(&scaleOk);
  if (args.size() < 3 || args.size() > 4 || !widthOk || width <= 0 || !scaleOk || scale < 1) {
    std::fprintf(stderr, "usage: picture <svg> <width> <out> [<scale>]\n");
    return 2;
  }
  const std::optional<Artwork> artwork = loadArtwork(args[0]);
  if (!artwork) {
    return 1;
  }
  const QImage picture = flurb::art::renderLetterPicture(*artwork, width, scale);
  return writeFile(args[2], flurb::art::encodeStoredBitmap(picture)) ? 0 : 1;
}

// The drawing's own colours are mapped onto palette colours first, so that the shrinking only has
// to choose between them.
int makeIcon(const QStringList& args) {
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: icon <svg> <out.ico> <out-image> [#rrggbb=#rrggbb ...]\n");
    return 2;
  }
  const std::optional<Artwork> artwork = loadArtwork(args[0], args.mid(3));
  if (!artwork) {
    return 1;
  }
  constexpr int kSide = flurb::art::kIconSide * kIconOversampling;
  const QImage drawn =
      artwork->render(QSize(kSide, kSide), kIconBackground, kIconInkSide * kIconOversampling,
                      kIconInkSide * kIconOversampling);
  const QByteArray image =
      flurb::art::encodeIconImage(flurb::art::shrinkOntoStandardPalette(drawn, kIconOversampling));
  return writeFile(args[1], flurb::art::encodeIconFile(image)) && writeFile(args[2], image) ? 0 : 1;
}

int makeDesktopIcon(const QStringList& args) {
  bool sideOk = false;
  const int side = args.value(1).toInt(&sideOk);
  bool shareOk = false;
  const double inkShare = args.value(3).toDouble(&shareOk);
  if (args.size() < 3 || args.size() > 4 || !sideOk || side <= 0 ||
      (args.size() == 4 && (!shareOk || inkShare <= 0 || inkShare > 1))) {
    std::fprintf(stderr, "usage: desktop-icon <svg> <side> <out.png> [<ink share>]\n");
    return 2;
  }
  const std::optional<Artwork> artwork = loadArtwork(args[0]);
  if (!artwork) {
    return 1;
  }
  const qreal ink = side * (args.size() == 4 ? inkShare : kDesktopIconInkShare);
  const QImage icon = artwork->render(QSize(side, side), kIconBackground, ink, ink);
  if (!icon.save(args[2], "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(args[2]));
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) {
    args.append(QString::fromLocal8Bit(argv[i]));
  }
  const QString command = args.isEmpty() ? QString() : args.takeFirst();
  if (command == "picture") {
    return makePicture(args);
  }
  if (command == "icon") {
    return makeIcon(args);
  }
  if (command == "desktop-icon") {
    return makeDesktopIcon(args);
  }
  std::fprintf(stderr, "usage: flurb-letter-art picture|icon|desktop-icon ...\n");
  return 2;
}
