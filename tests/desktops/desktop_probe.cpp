// Reads a screenshot of a whole desktop and finds the card window in it, whatever the desktop
// drew around it and at whatever scale:
//
//   desktop-probe window SHOT.png          -> "X Y WIDTH HEIGHT" of the client area
//   desktop-probe dots SHOT.png X Y W H    -> how many blue dots stand in that rectangle
//
// The client area is the largest region of pure white (the window's background, which no desktop
// tested here uses for its own frames or backgrounds); a dot is a region of pure blue. Exit status
// 1 when no window is found, 2 for a bad command line.

#include <cstdio>
#include <optional>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QRect>
#include <QStringList>

namespace {

constexpr int kFound = 0;
constexpr int kNotFound = 1;
constexpr int kBadCommandLine = 2;
constexpr QRgb kWhite = 0xffffffU;
constexpr QRgb kBlue = 0x0000ffU;
// Smaller regions are glyph counters or stray pixels, not a window or a dot.
constexpr int kSmallestWindowSide = 100;
constexpr int kSmallestDotArea = 200;

struct Region {
  QRect bounds;
  long long area = 0;
};

QRgb colourAt(const QImage& image, int x, int y) {
  return image.pixel(x, y) & 0xffffffU;
}

// Every 4-connected region of the colour inside the rectangle.
std::vector<Region> regionsOf(const QImage& image, const QRect& within, QRgb colour) {
  std::vector<Region> regions;
  std::vector<bool> seen(static_cast<std::size_t>(within.width()) *
                         static_cast<std::size_t>(within.height()));
  const auto index = [&](int x, int y) {
    return static_cast<std::size_t>(y - within.top()) * static_cast<std::size_t>(within.width()) +
           static_cast<std::size_t>(x - within.left());
  };
  std::vector<QPoint> pending;
  for (int y = within.top(); y <= within.bottom(); ++y) {
    for (int x = within.left(); x <= within.right(); ++x) {
      if (seen[index(x, y)] || colourAt(image, x, y) != colour) {
        continue;
      }
      Region region{QRect(x, y, 1, 1), 0};
      seen[index(x, y)] = true;
      pending.emplace_back(x, y);
      while (!pending.empty()) {
        const QPoint point = pending.back();
        pending.pop_back();
        ++region.area;
        region.bounds |= QRect(point, QSize(1, 1));
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
          const QPoint next = point + step;
          if (within.contains(next) && !seen[index(next.x(), next.y())] &&
              colourAt(image, next.x(), next.y()) == colour) {
            seen[index(next.x(), next.y())] = true;
            pending.push_back(next);
          }
        }
      }
      regions.push_back(region);
    }
  }
  return regions;
}

std::optional<QRect> clientArea(const QImage& shot) {
  std::optional<Region> largest;
  for (const Region& region : regionsOf(shot, shot.rect(), kWhite)) {
    if (region.bounds.width() >= kSmallestWindowSide &&
        region.bounds.height() >= kSmallestWindowSide &&
        (!largest || region.area > largest->area)) {
      largest = region;
    }
  }
  if (!largest) {
    return std::nullopt;
  }
  return largest->bounds;
}

int countDots(const QImage& shot, const QRect& area) {
  int dots = 0;
  for (const Region& region : regionsOf(shot, area & shot.rect(), kBlue)) {
    if (region.area >= kSmallestDotArea) {
      ++dots;
    }
  }
  return dots;
}

std::optional<QImage> load(const QString& path) {
  QImage image(path);
  if (image.isNull()) {
    std::fprintf(stderr, "desktop-probe: cannot read %s\n", qPrintable(path));
    return std::nullopt;
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

std::optional<QRect> rectangle(const QStringList& numbers) {
  std::vector<int> values;
  for (const QString& text : numbers) {
    bool isNumber = false;
    values.push_back(text.toInt(&isNumber));
    if (!isNumber) {
      return std::nullopt;
    }
  }
  return QRect(values.at(0), values.at(1), values.at(2), values.at(3));
}

}  // namespace

int main(int argc, char** argv) {
  const QGuiApplication application(argc, argv);
  const QStringList arguments = QGuiApplication::arguments().mid(1);
  constexpr qsizetype kWindowArguments = 2;
  constexpr qsizetype kDotsArguments = 6;
  if (arguments.size() == kWindowArguments && arguments.at(0) == u"window") {
    const auto shot = load(arguments.at(1));
    const auto area = shot ? clientArea(*shot) : std::nullopt;
    if (!area) {
      return kNotFound;
    }
    std::printf("%d %d %d %d\n", area->x(), area->y(), area->width(), area->height());
    return kFound;
  }
  if (arguments.size() == kDotsArguments && arguments.at(0) == u"dots") {
    const auto shot = load(arguments.at(1));
    const auto area = rectangle(arguments.mid(2));
    if (!shot || !area) {
      return kBadCommandLine;
    }
    std::printf("%d\n", countDots(*shot, *area));
    return kFound;
  }
  std::fputs("usage: desktop-probe window SHOT.png | dots SHOT.png X Y WIDTH HEIGHT\n", stderr);
  return kBadCommandLine;
}
