// Draws the client area the real window must show, and compares screenshots of it, for every
// end-to-end test (the Linux program, the desktops, the Windows program under Wine):
//
//   render-expected [--dpi 96] --frame L,R,T,B [--start A] [--keys 57,73] --out expected.png
//   render-expected [--dpi 96] --frame L,R,T,B [--start A] [--keys ...] --compare shot.png
//                   [--diff d.png] [--soft-edges]
//   render-expected [--dpi 96] --frame L,R,T,B [--keys ...] --identify shot.png
//                   [--soft-edges]
//   render-expected [--dpi 96] --picture B --locate shot.png
//   render-expected [--dpi 96] --frame L,R,T,B [--start A] --place X,Y,W,H [--device-placement]
//   render-expected --make-references DIR
//
// --dpi is the screen's resolution in device pixels (192 draws two device pixels to each logical
// one, as Xft.dpi 192, QT_SCALE_FACTOR=2 or Windows at 192 dpi do), --frame the desktop's frame
// around the client area (in device pixels). A card that a committed reference card shows (at its
// dpi, in a frame of its sides where a picture shows) is compared with the reference; any other
// with the model's drawing. --soft-edges lets pixels within two of an edge of the text or of a dot
// differ, never in the picture, for a program whose toolkit rasterises text and circles in its own
// way (Windows' GDI under Wine). --identify names the start letter
// whose card matches the screenshot. --locate prints "left,top,width,height" of the letter's
// picture where it stands in the screenshot pixel for pixel, as drawn at that resolution (its edges
// rounded down). --place takes the primary screen's place and size in the desktop (device pixels)
// and prints where start-up puts the window and its first card: "client W H", "outer X Y" (the
// frame's corner), "picture X Y W H" (the start letter's picture in the client area); with
// --device-placement the window is placed in device pixels, as the Windows program places it, not
// through Qt's logical coordinates. --make-references draws the reference cards into DIR. Exit
// status: 0 when the image was written, matches or was found, 1 when it does not match or was not
// found, 2 for a bad command line.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include "expected_card.h"
#include "image_difference.h"
#include "platform/picture_scaling.h"
#include "platform/qt/render.h"
#include "platform/resource_store.h"
#include "resources/letter_picture_store.h"
#include "support/start_place.h"

namespace {

using flurb::e2e::CardHistory;
using flurb::e2e::ExpectedCard;
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

// How the screenshot must look after a history, and how closely.
struct Comparison {
  double devicePixelRatio = 1;
  FrameExtents frame;
  bool softEdges = false;
  const flurb::platform::ResourceStore& pictures;
};

// What the screenshot differs in from the card, and which card that was, for the message.
struct Verdict {
  flurb::e2e::ImageDifference difference;
  std::string card;
};

Verdict judge(const CardHistory& history, const Comparison& how, const QImage& shot) {
  const ExpectedCard card(history, how.devicePixelRatio, how.frame, how.pictures);
  const QImage drawn = card.image(how.pictures);
  const auto tolerated = how.softEdges ? card.softEdges(drawn) : std::vector<bool>{};
  if (const auto reference = card.referenceName()) {
    const QString path =
        QStringLiteral(FLURB_REFERENCE_CARDS_DIR "/%1.png").arg(QString::fromStdString(*reference));
    return {flurb::e2e::compareImages(QImage(path), shot, tolerated),
            "the reference card " + path.toStdString()};
  }
  return {flurb::e2e::compareImages(drawn, shot, tolerated), "the model's card"};
}

int compare(const CardHistory& history, const Comparison& how, const QString& shotPath,
            const QString& diffPath) {
  const auto shot = screenshot(shotPath);
  if (!shot) {
    return kBadCommandLine;
  }
  const Verdict verdict = judge(history, how, *shot);
  const auto& difference = verdict.difference;
  if (difference.differingPixels == 0) {
    return kMatches;
  }
  const QPoint first = difference.firstDifference;
  std::printf("%lld pixels differ from %s, the first at %d,%d\n", difference.differingPixels,
              verdict.card.c_str(), first.x(), first.y());
  if (!diffPath.isEmpty()) {
    difference.marked.save(diffPath);
  }
  return kDiffers;
}

// Prints the one start letter whose card is exactly the screenshot, or the closest one.
int identify(CardHistory history, const Comparison& how, const QString& shotPath) {
  const auto shot = screenshot(shotPath);
  if (!shot) {
    return kBadCommandLine;
  }
  std::optional<long long> fewestDifferences;
  std::int16_t closest = kFirstLetter;
  for (std::int16_t letter = kFirstLetter; letter <= kLastLetter; ++letter) {
    history.startLetter = letter;
    const long long differing = judge(history, how, *shot).difference.differingPixels;
    if (differing == 0) {
      std::printf("%c\n", letter);
      return kMatches;
    }
    if (!fewestDifferences || differing < *fewestDifferences) {
      fewestDifferences = differing;
      closest = letter;
    }
  }
  std::printf("no letter card matches; closest %c with %lld pixels differing\n", closest,
              fewestDifferences.value_or(0));
  return kDiffers;
}

int makeReferences(const QString& folder, const flurb::platform::ResourceStore& pictures) {
  for (const auto& reference : flurb::e2e::referenceCards()) {
    const ExpectedCard card(reference.history, reference.devicePixelRatio, reference.frame,
                            pictures);
    const QString path =
        folder + QStringLiteral("/%1.png").arg(QString::fromStdString(reference.name));
    if (!QDir().mkpath(QFileInfo(path).path()) || !card.image(pictures).save(path)) {
      std::fprintf(stderr, "render-expected: cannot write %s\n", qPrintable(path));
      return kBadCommandLine;
    }
  }
  return kMatches;
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
  // Where the frame's edges fall decides whether a fraction of a device pixel counts: at a ratio
  // without a rendering of its own the picture is reduced to that size, so each is tried.
  const auto sizes = [&](int logicalPixels) {
    const double device = logicalPixels * devicePixelRatio;
    return std::array<int, 2>{static_cast<int>(std::floor(device)),
                              static_cast<int>(std::ceil(device))};
  };
  const auto found = [&]() -> std::optional<QRect> {
    for (const int width : sizes(logical.width())) {
      for (const int height : sizes(logical.height())) {
        const flurb::platform::Picture shown =
            devicePixelRatio == 1 ? logical
                                  : flurb::platform::pictureForDevice(
                                        logical, pictures, devicePixelRatio, {width, height});
        const QImage picture = flurb::platform::qt::imageOver(shown);
        if (const auto corner = flurb::e2e::locateImage(picture, *shot)) {
          return QRect(*corner, picture.size());
        }
      }
    }
    return std::nullopt;
  }();
  if (!found) {
    std::printf("not found\n");
    return kDiffers;
  }
  std::printf("%d,%d,%d,%d\n", found->x(), found->y(), found->width(), found->height());
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
  const QCommandLineOption softEdgesOption(
      "soft-edges", "Let pixels near an edge of the text or of a dot differ.");
  const QCommandLineOption devicePlacementOption(
      "device-placement", "With --place: the window is placed in device pixels.");
  const QCommandLineOption referencesOption("make-references", "Draw the reference cards here.",
                                            "folder");
  parser.addOptions({dpiOption, frameOption, startOption, keysOption, outOption, compareOption,
                     diffOption, identifyOption, pictureOption, locateOption, placeOption,
                     softEdgesOption, devicePlacementOption, referencesOption});
  parser.process(application);

  const flurb::resources::LetterPictureStore pictures;
  if (parser.isSet(referencesOption)) {
    return makeReferences(parser.value(referencesOption), pictures);
  }
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
  const Comparison how{devicePixelRatio, *frame, parser.isSet(softEdgesOption), pictures};
  try {
    if (parser.isSet(placeOption)) {
      const auto screen = screenRect(parser.value(placeOption));
      if (!screen) {
        return usage(parser, "--place needs the screen's x, y, width and height");
      }
      const auto place = flurb::testing::startPlace(
          *start, devicePixelRatio, *frame, *screen, pictures,
          parser.isSet(devicePlacementOption) ? flurb::testing::Placement::kInDevicePixels
                                              : flurb::testing::Placement::kThroughLogicalPixels);
      std::fputs(flurb::testing::describe(place).c_str(), stdout);
      return kMatches;
    }
    if (parser.isSet(identifyOption)) {
      return identify(history, how, parser.value(identifyOption));
    }
    if (parser.isSet(compareOption)) {
      return compare(history, how, parser.value(compareOption), parser.value(diffOption));
    }
    if (parser.isSet(outOption)) {
      const ExpectedCard card(history, devicePixelRatio, *frame, pictures);
      return card.image(pictures).save(parser.value(outOption)) ? kMatches : kBadCommandLine;
    }
  } catch (const std::exception& error) {
    // The model raises run-time errors as the program does, e.g. for a picture it cannot load.
    std::fprintf(stderr, "render-expected: %s\n", error.what());
    return kBadCommandLine;
  }
  return usage(parser,
               "say what to do: --out, --compare, --identify, --place or --make-references");
}
