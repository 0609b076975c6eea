// Draws the client area the real window must show, and compares screenshots of it:
//
//   render-expected [--dpi 96] --frame L,R,T,B [--start A] [--keys 57,73] --out expected.png
//   render-expected [--dpi 96] --frame L,R,T,B [--start A] [--keys ...] --compare shot.png
//                   [--diff d.png]
//   render-expected [--dpi 96] --frame L,R,T,B [--keys ...] --identify shot.png
//   render-expected [--dpi 96] --picture B --locate shot.png
//   render-expected [--dpi 96] --frame L,R,T,B [--start A] --place X,Y,W,H
//
// --dpi is the screen's resolution in device pixels (192 draws two device pixels to each logical
// one, as Xft.dpi 192 or QT_SCALE_FACTOR=2 make Qt do), --frame the window manager's frame
// extents as _NET_FRAME_EXTENTS lists them (in device pixels). --identify names the start letter
// whose card matches the screenshot exactly. --locate prints "left,top,width,height" of the
// letter's picture where it stands in the screenshot pixel for pixel, as drawn at that resolution
// (its edges rounded down). --place takes the primary screen's
// place and size in the desktop (device pixels) and prints where start-up puts the window and
// its first card: "client W H", "outer X Y" (the frame's corner), "picture X Y W H" (the start
// letter's picture in the client area). Exit status: 0 when the image was
// written, matches or was found, 1 when it does not match or was not found, 2 for a bad command
// line.

#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QStringList>

#include "expected_card.h"
#include "image_difference.h"
#include "platform/picture.h"
#include "platform/picture_scaling.h"
#include "platform/qt/render.h"
#include "resources/letter_picture_store.h"
#include "support/start_place.h"

namespace {

using flurb::e2e::CardHistory;
using flurb::platform::FrameExtents;

constexpr int kMatches = 0;
constexpr int kDiffers = 1;
constexpr int kBadCommandLine = 2;
constexpr std::int16_t kFirstLetter = 'A';
constexpr std::int16_t kLastLetter = 'Z';
constexpr double kLogicalDotsPerInch = 96;

std::optional<std::vector<int>> integerList(const QString& text) {
  std::vector<int> values;
  if (text.isEmpty()) {
    return values;
  }
  for (const QString& item : text.split(QLatin1Char(','))) {
    bool isNumber = false;
    const int value = item.trimmed().toInt(&isNumber);
    if (!isNumber) {
      return std::nullopt;
    }
    values.push_back(value);
  }
  return values;
}

std::optional<FrameExtents> frameExtents(const QString& text) {
  const auto values = integerList(text);
  constexpr std::size_t kSides = 4;
  if (!values || values->size() != kSides) {
    return std::nullopt;
  }
  return FrameExtents{values->at(0), values->at(1), values->at(2), values->at(3)};
}

std::optional<std::vector<std::int16_t>> keyCodes(const QString& text) {
  const auto values = integerList(text);
  if (!values) {
    return std::nullopt;
  }
  std::vector<std::int16_t> codes;
  for (const int value : *values) {
    if (value < INT16_MIN || value > INT16_MAX) {
      return std::nullopt;
    }
    codes.push_back(static_cast<std::int16_t>(value));
  }
  return codes;
}

std::optional<std::int16_t> startLetter(const QString& text) {
  if (text.size() != 1 || text.at(0) < QLatin1Char('A') || text.at(0) > QLatin1Char('Z')) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(text.at(0).unicode());
}

std::optional<double> dotsPerInch(const QString& text) {
  bool isNumber = false;
  const double dpi = text.toDouble(&isNumber);
  if (!isNumber || dpi <= 0) {
    return std::nullopt;
  }
  return dpi;
}

std::optional<flurb::platform::PixelRect> screenRect(const QString& text) {
  const auto values = integerList(text);
  constexpr std::size_t kFields = 4;
  if (!values || values->size() != kFields || values->at(2) <= 0 || values->at(3) <= 0) {
    return std::nullopt;
  }
  return flurb::platform::PixelRect{values->at(0), values->at(1), values->at(2), values->at(3)};
}

int usage(const QCommandLineParser& parser, const char* problem) {
  std::fprintf(stderr, "render-expected: %s\n\n%s", problem, qPrintable(parser.helpText()));
  return kBadCommandLine;
}

std::optional<QImage> screenshot(const QString& path) {
  const QImage image(path);
  if (image.isNull()) {
    std::fprintf(stderr, "render-expected: cannot read the screenshot %s\n", qPrintable(path));
    return std::nullopt;
  }
  return image;
}

int compare(const QImage& expected, const QString& shotPath, const QString& diffPath) {
  const auto shot = screenshot(shotPath);
  if (!shot) {
    return kBadCommandLine;
  }
  const flurb::e2e::ImageDifference difference = flurb::e2e::compareImages(expected, *shot);
  if (difference.differingPixels == 0) {
    return kMatches;
  }
  std::printf("%lld pixels differ\n", difference.differingPixels);
  if (!diffPath.isEmpty()) {
    difference.marked.save(diffPath);
  }
  return kDiffers;
}

// Prints the one start letter whose card is exactly the screenshot, or the closest one.
int identify(CardHistory history, double devicePixelRatio, const FrameExtents& frame,
             const flurb::platform::ResourceStore& pictures, const QString& shotPath) {
  const auto shot = screenshot(shotPath);
  if (!shot) {
    return kBadCommandLine;
  }
  std::optional<long long> fewestDifferences;
  std::int16_t closest = kFirstLetter;
  for (std::int16_t letter = kFirstLetter; letter <= kLastLetter; ++letter) {
    history.startLetter = letter;
    const auto difference = flurb::e2e::compareImages(
        flurb::e2e::expectedClientArea(history, devicePixelRatio, frame, pictures), *shot);
    if (difference.differingPixels == 0) {
      std::printf("%c\n", letter);
      return kMatches;
    }
    if (!fewestDifferences || difference.differingPixels < *fewestDifferences) {
      fewestDifferences = difference.differingPixels;
      closest = letter;
    }
  }
  std::printf("no letter card matches; closest %c with %lld pixels differing\n", closest,
              fewestDifferences.value_or(0));
  return kDiffers;
}

// Prints where the letter's picture stands in the screenshot, pixel for pixel.
int locate(std::int16_t letter, double devicePixelRatio,
           const flurb::platform::ResourceStore& pictures, const QString& shotPath) {
  const auto shot = screenshot(shotPath);
  if (!shot) {
    return kBadCommandLine;
  }
  const std::u16string name(1, static_cast<char16_t>(letter));
  const flurb::platform::Picture logical =
      flurb::platform::loadResPicture(pictures, name, flurb::platform::kBitmapResource);
  const auto devicePixels = [&](int logicalPixels) {
    return static_cast<int>(logicalPixels * devicePixelRatio);
  };
  const QImage picture = flurb::platform::qt::toQImage(
      devicePixelRatio == 1 ? logical
                            : flurb::platform::pictureForDevice(
                                  logical, devicePixelRatio,
                                  {devicePixels(logical.width()), devicePixels(logical.height())}));
  const auto corner = flurb::e2e::locateImage(picture, *shot);
  if (!corner) {
    std::printf("not found\n");
    return kDiffers;
  }
  std::printf("%d,%d,%d,%d\n", corner->x(), corner->y(), picture.width(), picture.height());
  return kMatches;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const QGuiApplication application(argc, argv);

  QCommandLineParser parser;
  parser.addHelpOption();
  const QCommandLineOption dpiOption("dpi", "The screen's dots per inch (default 96).", "dpi",
                                     "96");
  const QCommandLineOption frameOption("frame", "Frame extents: left,right,top,bottom.", "L,R,T,B");
  const QCommandLineOption startOption("start", "The start card's letter (default A).", "letter",
                                       "A");
  const QCommandLineOption keysOption("keys", "Key codes given after the start, in order.",
                                      "codes");
  const QCommandLineOption outOption("out", "Write the expected client area here.", "png");
  const QCommandLineOption compareOption("compare", "Compare a client-area screenshot.", "png");
  const QCommandLineOption diffOption("diff", "With --compare: mark the differences here.", "png");
  const QCommandLineOption identifyOption("identify", "Name the start letter of a screenshot.",
                                          "png");
  const QCommandLineOption pictureOption("picture", "The letter picture to --locate.", "letter");
  const QCommandLineOption locateOption("locate", "Find the --picture in a screenshot.", "png");
  const QCommandLineOption placeOption(
      "place", "Print where start-up puts the window on this primary screen.", "X,Y,W,H");
  parser.addOptions({dpiOption, frameOption, startOption, keysOption, outOption, compareOption,
                     diffOption, identifyOption, pictureOption, locateOption, placeOption});
  parser.process(application);

  const flurb::resources::LetterPictureStore pictures;
  const auto dpi = dotsPerInch(parser.value(dpiOption));
  if (!dpi) {
    return usage(parser, "--dpi needs a positive number");
  }
  const double devicePixelRatio = *dpi / kLogicalDotsPerInch;
  if (parser.isSet(locateOption)) {
    const auto letter = startLetter(parser.value(pictureOption));
    if (!letter) {
      return usage(parser, "--locate needs --picture with one capital letter");
    }
    return locate(*letter, devicePixelRatio, pictures, parser.value(locateOption));
  }

  const auto frame = frameExtents(parser.value(frameOption));
  const auto keys = keyCodes(parser.value(keysOption));
  const auto start = startLetter(parser.value(startOption));
  if (!frame) {
    return usage(parser, "--frame needs four whole numbers");
  }
  if (!keys) {
    return usage(parser, "--keys needs 16-bit key codes separated by commas");
  }
  if (!start) {
    return usage(parser, "--start needs one capital letter");
  }

  const CardHistory history{*start, *keys};
  try {
    if (parser.isSet(placeOption)) {
      const auto screen = screenRect(parser.value(placeOption));
      if (!screen) {
        return usage(parser, "--place needs the screen's x, y, width and height");
      }
      const auto place =
          flurb::testing::startPlace(*start, devicePixelRatio, *frame, *screen, pictures,
                                     flurb::testing::Placement::kThroughLogicalPixels);
      std::fputs(flurb::testing::describe(place).c_str(), stdout);
      return kMatches;
    }
    if (parser.isSet(identifyOption)) {
      return identify(history, devicePixelRatio, *frame, pictures, parser.value(identifyOption));
    }
    const QImage expected =
        flurb::e2e::expectedClientArea(history, devicePixelRatio, *frame, pictures);
    if (parser.isSet(compareOption)) {
      return compare(expected, parser.value(compareOption), parser.value(diffOption));
    }
    if (parser.isSet(outOption)) {
      return expected.save(parser.value(outOption)) ? kMatches : kBadCommandLine;
    }
  } catch (const std::exception& error) {
    // The model raises run-time errors as the program does, e.g. for a picture it cannot load.
    std::fprintf(stderr, "render-expected: %s\n", error.what());
    return kBadCommandLine;
  }
  return usage(parser, "say what to do: --out, --compare, --identify or --place");
}
