// Draws the client area the real Windows window must show, through the same GDI canvas, and
// compares screenshots of it (as binary PPM files):
//
//   render-card --frame L,R,T,B [--dpi 96] [--start A] [--keys 57,73] --out expected.ppm
//   render-card --frame L,R,T,B [--start A] [--keys ...] --compare shot.ppm [--diff d.ppm]
//   render-card --frame L,R,T,B [--keys ...] --identify shot.ppm
//   render-card --frame L,R,T,B [--dpi 96] [--start A] --place X,Y,W,H
//
// --frame is the window's frame in pixels, which decides where pictures are centred; --dpi the
// screen's resolution (96 unless given). --identify
// names the start letter whose card matches the screenshot exactly; --place prints where start-up
// puts the window and its first card on a primary screen at that place and size. Exit status: 0
// when the image was written or matches, 1 when it does not match, 2 for a bad command line.
#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cards/card_window.h"
#include "cards/key_dispatch.h"
#include "cards/letter_card.h"
#include "dib_surface.h"
#include "platform/drawing.h"
#include "platform/win32/desktop_colours.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/module_resources.h"
#include "ppm.h"
#include "support/start_place.h"

namespace {

using flurb::platform::Picture;

constexpr int kMatches = 0;
constexpr int kDiffers = 1;
constexpr int kBadCommandLine = 2;
constexpr std::int16_t kNoShift = 0;

struct History {
  std::int16_t startLetter = 'A';
  std::vector<std::int16_t> keyCodes;
  double devicePixelRatio = 1;
};

std::optional<std::vector<int>> integerList(const std::string& text) {
  std::vector<int> values;
  std::istringstream items(text);
  std::string item;
  while (std::getline(items, item, ',')) {
    try {
      std::size_t used = 0;
      values.push_back(std::stoi(item, &used));
      if (used != item.size()) {
        return std::nullopt;
      }
    } catch (const std::exception&) {
      return std::nullopt;
    }
  }
  return values;
}

Picture render(const History& history, const flurb::platform::FrameExtents& frame,
               const flurb::platform::ResourceStore& pictures) {
  flurb::cards::CardWindow window(history.devicePixelRatio);
  window.setFrameExtents(frame);
  // Start-up ends on exactly the state a letter card leaves in a fresh window.
  flurb::cards::showLetterCard(window, pictures, history.startLetter);
  for (const std::int16_t keyCode : history.keyCodes) {
    flurb::cards::onKeyDown(window, pictures, keyCode, kNoShift);
  }
  const flurb::platform::PixelSize size = window.clientPixels();
  const flurb::platform::win32::DibSurface surface(size.width, size.height);
  flurb::platform::win32::GdiCanvas canvas(surface.dc());
  paintWindow(canvas, window, flurb::platform::win32::DesktopColours());
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) {
      pixels.push_back(surface.pixel(x, y));
    }
  }
  return {size.width, size.height, std::move(pixels)};
}

// The number of differing pixels (every pixel when the sizes differ), and a copy of the shot with
// them in red.
long long differences(const Picture& expected, const Picture& shot,
                      std::vector<std::uint32_t>& marked) {
  if (expected.width() != shot.width() || expected.height() != shot.height()) {
    return static_cast<long long>(shot.pixels().size()) + 1;
  }
  constexpr std::uint32_t kRed = 0xFF0000;
  marked.assign(shot.pixels().begin(), shot.pixels().end());
  long long count = 0;
  for (std::size_t i = 0; i < marked.size(); ++i) {
    if (expected.pixels()[i] != shot.pixels()[i]) {
      marked[i] = kRed;
      ++count;
    }
  }
  return count;
}

int usage(const char* problem) {
  std::fprintf(
      stderr,
      "render-card: %s\nusage: render-card --frame L,R,T,B [--dpi N] [--start A] [--keys c,...] "
      "(--out F.ppm | --compare F.ppm [--diff D.ppm] | --identify F.ppm | --place X,Y,W,H)\n",
      problem);
  return kBadCommandLine;
}

}  // namespace

int main(int argc, char** argv) {
  // Lines end in "\n" alone: the shell reads the answer.
  _setmode(_fileno(stdout), _O_BINARY);
  std::map<std::string, std::string> options;
  for (int index = 1; index + 1 < argc; index += 2) {
    const std::string name = argv[index];
    if (name.rfind("--", 0) != 0) {
      return usage("options come as --name value");
    }
    options[name.substr(2)] = argv[index + 1];
  }
  const auto frameValues = integerList(options["frame"]);
  if (!frameValues || frameValues->size() != 4) {
    return usage("--frame needs four whole numbers");
  }
  const flurb::platform::FrameExtents frame{frameValues->at(0), frameValues->at(1),
                                            frameValues->at(2), frameValues->at(3)};
  History history;
  const std::string start = options.contains("start") ? options["start"] : "A";
  if (start.size() != 1 || start[0] < 'A' || start[0] > 'Z') {
    return usage("--start needs one capital letter");
  }
  history.startLetter = static_cast<std::int16_t>(static_cast<unsigned char>(start[0]));
  if (options.contains("dpi")) {
    const auto dpi = integerList(options["dpi"]);
    if (!dpi || dpi->size() != 1 || dpi->front() <= 0) {
      return usage("--dpi needs a positive whole number");
    }
    constexpr double kLogicalDotsPerInch = 96;
    history.devicePixelRatio = dpi->front() / kLogicalDotsPerInch;
  }
  const auto keys = integerList(options["keys"]);
  if (!keys) {
    return usage("--keys needs key codes separated by commas");
  }
  for (const int key : *keys) {
    history.keyCodes.push_back(static_cast<std::int16_t>(key));
  }

  const flurb::platform::win32::ModuleResources pictures(GetModuleHandleW(nullptr));
  std::vector<std::uint32_t> marked;
  try {
    if (options.contains("place")) {
      const auto screen = integerList(options["place"]);
      if (!screen || screen->size() != 4) {
        return usage("--place needs the screen's x, y, width and height");
      }
      const flurb::testing::StartPlace place =
          flurb::testing::startPlace(history.startLetter, history.devicePixelRatio, frame,
                                     {screen->at(0), screen->at(1), screen->at(2), screen->at(3)},
                                     pictures, flurb::testing::Placement::kInDevicePixels);
      std::fputs(flurb::testing::describe(place).c_str(), stdout);
      return kMatches;
    }
    if (options.contains("out")) {
      return flurb::windows_tests::writePpm(options["out"], render(history, frame, pictures))
                 ? kMatches
                 : kBadCommandLine;
    }
    const std::string shotPath =
        options.contains("compare") ? options["compare"] : options["identify"];
    const auto shot = flurb::windows_tests::readPpm(shotPath);
    if (!shot) {
      return usage("cannot read the screenshot");
    }
    if (options.contains("compare")) {
      const long long count = differences(render(history, frame, pictures), *shot, marked);
      if (count == 0) {
        return kMatches;
      }
      std::printf("%lld pixels differ\n", count);
      if (options.contains("diff") && !marked.empty()) {
        flurb::windows_tests::writePpm(options["diff"],
                                       Picture(shot->width(), shot->height(), marked));
      }
      return kDiffers;
    }
    if (options.contains("identify")) {
      std::optional<long long> fewest;
      std::int16_t closest = 'A';
      for (std::int16_t letter = 'A'; letter <= 'Z'; ++letter) {
        history.startLetter = letter;
        const long long count = differences(render(history, frame, pictures), *shot, marked);
        if (count == 0) {
          std::printf("%c\n", static_cast<char>(letter));
          return kMatches;
        }
        if (!fewest || count < *fewest) {
          fewest = count;
          closest = letter;
        }
      }
      std::printf("no letter card matches; closest %c with %lld pixels differing\n",
                  static_cast<char>(closest), fewest.value_or(0));
      return kDiffers;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "render-card: %s\n", error.what());
    return kBadCommandLine;
  }
  return usage("say what to do: --out, --compare, --identify or --place");
}
