#include <array>
#include <cstdint>

#include <gtest/gtest.h>
#include <QImage>

#include "resources/program_icon.h"
#include "stored_bytes.h"

namespace flurb::resources {
namespace {

constexpr qsizetype kFileSize = 766;
constexpr qsizetype kImageOffset = 22;
constexpr qsizetype kImageSize = 744;
constexpr qsizetype kPaletteOffset = kImageOffset + 40;
constexpr qsizetype kColourOffset = kPaletteOffset + qsizetype{16} * 4;
constexpr qsizetype kMaskOffset = kColourOffset + qsizetype{32} * 16;
constexpr int kBlue = 12;

struct Field {
  const char* name;
  qsizetype offset;
  int bytes;
  std::uint32_t value;
};

class ProgramIconFile : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(icon.size(), kFileSize); }

  static void expectFields(QByteArrayView bytes, std::initializer_list<Field> fields) {
    for (const Field& field : fields) {
      const std::uint32_t value = field.bytes == 1 ? static_cast<std::uint8_t>(bytes[field.offset])
                                  : field.bytes == 2 ? readU16(bytes, field.offset)
                                                     : readU32(bytes, field.offset);
      EXPECT_EQ(value, field.value) << field.name;
    }
  }

  // The palette index of a pixel, counted from the top left: rows are stored bottom-up, two
  // pixels a byte with the left one in the high half.
  int storedIndex(int x, int y) const {
    const qsizetype row = kColourOffset + qsizetype{31 - y} * 16;
    const auto byte = static_cast<std::uint8_t>(icon[row + x / 2]);
    return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
  }

  QByteArrayView icon = programIconFile();
};

TEST_F(ProgramIconFile, HasOneDirectoryEntryForThe744ByteImage) {
  expectFields(icon, {
                         {"reserved", 0, 2, 0},
                         {"type: icon", 2, 2, 1},
                         {"image count", 4, 2, 1},
                         {"width", 6, 1, 32},
                         {"height", 7, 1, 32},
                         {"colour count", 8, 1, 16},
                         {"entry reserved", 9, 1, 0},
                         {"planes", 10, 2, 1},
                         {"bits per pixel", 12, 2, 4},
                         {"image bytes", 14, 4, kImageSize},
                         {"image offset", 18, 4, kImageOffset},
                     });
}

TEST_F(ProgramIconFile, ImageHeaderCountsColourImageAndMaskInItsHeight) {
  expectFields(icon.sliced(kImageOffset), {
                                              {"header size", 0, 4, 40},
                                              {"width", 4, 4, 32},
                                              {"height", 8, 4, 64},
                                              {"planes", 12, 2, 1},
                                              {"bits per pixel", 14, 2, 4},
                                              {"compression", 16, 4, 0},
                                              {"image size", 20, 4, 0},
                                              {"horizontal resolution", 24, 4, 0},
                                              {"vertical resolution", 28, 4, 0},
                                              {"colours used", 32, 4, 0},
                                              {"important colours", 36, 4, 0},
                                          });
}

TEST_F(ProgramIconFile, PaletteIsTheStandardSixteenColoursInOrder) {
  const std::array<QRgb, 16> standard = {
      qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
      qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
      qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
      qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
  };
  for (std::size_t i = 0; i < standard.size(); ++i) {
    const qsizetype entry = kPaletteOffset + static_cast<qsizetype>(i) * 4;
    const QRgb stored =
        qRgb(static_cast<std::uint8_t>(icon[entry + 2]), static_cast<std::uint8_t>(icon[entry + 1]),
             static_cast<std::uint8_t>(icon[entry]));
    EXPECT_EQ(stored, standard[i]) << "entry " << i;
    EXPECT_EQ(icon[entry + 3], '\0') << "entry " << i;
  }
}

TEST_F(ProgramIconFile, MaskLeavesEveryPixelOpaque) {
  const QByteArrayView mask = icon.sliced(kMaskOffset);
  ASSERT_EQ(mask.size(), 32 * 4);
  EXPECT_EQ(mask.count('\0'), mask.size());
}

TEST_F(ProgramIconFile, ShowsAYellowAndBlackBeeWithGreyWingsOnBlue) {
  std::array<int, 16> counts{};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      ++counts[static_cast<std::size_t>(storedIndex(x, y))];
    }
  }
  for (const auto& [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) {
    EXPECT_EQ(storedIndex(x, y), kBlue) << x << ", " << y;
  }
  EXPECT_GT(counts[kBlue], 32 * 32 / 3) << "the background";
  EXPECT_GT(counts[11], 40) << "yellow";
  EXPECT_GT(counts[0], 40) << "black";
  EXPECT_GT(counts[7], 20) << "light grey";
  EXPECT_EQ(counts[0] + counts[7] + counts[11] + counts[kBlue], 32 * 32) << "no other colours";
  // Wings above the body: the top half holds the grey.
  int greyAtTop = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 32; ++x) {
      greyAtTop += storedIndex(x, y) == 7 ? 1 : 0;
    }
  }
  EXPECT_EQ(greyAtTop, counts[7]);
}

TEST_F(ProgramIconFile, QtDecodesItToTheStoredPixels) {
  const QImage decoded = QImage::fromData(icon, "ICO");
  ASSERT_EQ(decoded.size(), QSize(32, 32));
  const QImage palette = decoded.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const qsizetype entry = kPaletteOffset + qsizetype{storedIndex(x, y)} * 4;
      const QRgb expected =
          qRgb(static_cast<std::uint8_t>(icon[entry + 2]),
               static_cast<std::uint8_t>(icon[entry + 1]), static_cast<std::uint8_t>(icon[entry]));
      ASSERT_EQ(palette.pixel(x, y), expected) << x << ", " << y;
    }
  }
  EXPECT_EQ(decoded.pixel(0, 0), qRgb(0, 0, 255));
}

}  // namespace
}  // namespace flurb::resources
