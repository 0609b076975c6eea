// Writes the program's 16-colour icon as a PNG: the desktop's icon theme takes no .ico files, and
// PNG keeps every pixel as it is.
#include <cstdio>

#include <QImage>
#include <QString>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <icon.ico> <icon.png>\n", argv[0]);
    return 2;
  }
  const QString source = QString::fromLocal8Bit(argv[1]);
  const QString target = QString::fromLocal8Bit(argv[2]);
  const QImage icon(source, "ICO");
  if (icon.isNull()) {
    std::fprintf(stderr, "cannot read the icon %s\n", qPrintable(source));
    return 1;
  }
  if (!icon.save(target, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
    return 1;
  }
  return 0;
}
