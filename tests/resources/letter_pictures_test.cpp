#include <algorithm>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/dib.h"
#include "platform/dib_rows.h"
#include "platform/qt/render.h"
#include "platform/resource_store.h"
#include "platform/runtime_error.h"
#include "resources/letter_picture_store.h"
#include "stored_bytes.h"
#include "support/rendering_cases.h"

namespace flurb::resources {
namespace {

using platform::kBitmapResource;
using platform::loadResPicture;
using platform::Picture;
using platform::RuntimeError;
using platform::qt::imageOver;

constexpr int kHeight = 293;

struct Letter {
  char capital;
  int width;
};

// GoogleTest calls it by this name.
// NOLINTNEXTLINE(readability-identifier-naming)
void PrintTo(const Letter& letter, std::ostream* out) {
  *out << letter.capital << " (" << letter.width << " wide)";
}

class EveryLetter : public ::testing::TestWithParam<Letter> {
 protected:
  static std::u16string capital() { return {static_cast<char16_t>(GetParam().capital)}; }
  static std::u16string small() { return {static_cast<char16_t>(GetParam().capital - 'A' + 'a')}; }
  LetterPictureStore store;
};

TEST_P(EveryLetter, LoadsAtItsSizeUnderEitherCase) {
  const Picture fromSmall = loadResPicture(store, small(), kBitmapResource);
  const Picture fromCapital = loadResPicture(store, capital(), kBitmapResource);
  EXPECT_EQ(fromSmall.width(), GetParam().width);
  EXPECT_EQ(fromSmall.height(), kHeight);
  EXPECT_TRUE(std::ranges::equal(fromSmall.pixels(), fromCapital.pixels()));
}

TEST_P(EveryLetter, IsStoredAsUncompressed24BitBottomUpRows) {
  const std::optional<platform::StoredBytes> found = store.findBitmap(capital());
  ASSERT_TRUE(found.has_value());
  const std::optional<QByteArray> entry = toByteArray(found->view());
  const qsizetype rowBytes = (qsizetype{GetParam().width} * 3 + 3) / 4 * 4;
  ASSERT_EQ(entry->size(), 40 + kHeight * rowBytes + 4);
  EXPECT_EQ(readU32(*entry, 0), 40U);
  EXPECT_EQ(readU32(*entry, 4), static_cast<std::uint32_t>(GetParam().width));
  EXPECT_EQ(readU32(*entry, 8), static_cast<std::uint32_t>(kHeight));  // positive: bottom-up
  EXPECT_EQ(readU16(*entry, 14), 24U);
  EXPECT_EQ(readU32(*entry, 16), 0U);
  EXPECT_EQ(QByteArrayView(*entry).last(4), QByteArrayView("\0\0\0\0", 4));
  EXPECT_EQ(store.findBitmap(small()), found);
}

TEST_P(EveryLetter, IsOpaqueWithAPureWhiteBorder) {
  const QImage image = imageOver(loadResPicture(store, capital(), kBitmapResource)).copy();
  ASSERT_FALSE(image.hasAlphaChannel());
  const QRgb white = qRgb(255, 255, 255);
  for (int x = 0; x < image.width(); ++x) {
    ASSERT_EQ(image.pixel(x, 0), white) << "top, x = " << x;
    ASSERT_EQ(image.pixel(x, image.height() - 1), white) << "bottom, x = " << x;
  }
  for (int y = 0; y < image.height(); ++y) {
    ASSERT_EQ(image.pixel(0, y), white) << "left, y = " << y;
    ASSERT_EQ(image.pixel(image.width() - 1, y), white) << "right, y = " << y;
  }
}

INSTANTIATE_TEST_SUITE_P(LetterPictures, EveryLetter,
                         ::testing::Values(Letter{'A', 450}, Letter{'B', 450}, Letter{'C', 450},
                                           Letter{'D', 450}, Letter{'E', 450}, Letter{'F', 450},
                                           Letter{'G', 450}, Letter{'H', 450}, Letter{'I', 405},
                                           Letter{'J', 405}, Letter{'K', 450}, Letter{'L', 450},
                                           Letter{'M', 450}, Letter{'N', 450}, Letter{'O', 450},
                                           Letter{'P', 450}, Letter{'Q', 450}, Letter{'R', 450},
                                           Letter{'S', 450}, Letter{'T', 450}, Letter{'U', 450},
                                           Letter{'V', 450}, Letter{'W', 450}, Letter{'X', 450},
                                           Letter{'Y', 450}, Letter{'Z', 450}),
                         [](const ::testing::TestParamInfo<Letter>& letter) {
                           return std::string(1, letter.param.capital);
                         });

TEST(LetterPictureRenderings, StandAtEveryScaleDesktopsOffer) {
  const LetterPictureStore store;
  for (const auto& [ratio, scale, width, height] : flurb::testing::kKiteRenderings) {
    const std::optional<platform::Rendering> rendering = store.findRendering(u"k", ratio);
    ASSERT_TRUE(rendering.has_value()) << ratio;
    EXPECT_EQ(rendering->scale, scale);
    const std::optional<Picture> picture = platform::decodeDib(rendering->bytes.view());
    ASSERT_TRUE(picture.has_value()) << ratio;
    EXPECT_EQ(picture->width(), width) << ratio;
    EXPECT_EQ(picture->height(), height) << ratio;
  }
  EXPECT_FALSE(store.findRendering(u"1", 2).has_value());
}

TEST(LetterPictureNames, OnlySingleAsciiLettersFindAPicture) {
  const LetterPictureStore store;
  const QStringList unknownNames = {
      "",
      "1",
      "aa",
      "AA",
      "a ",
      " a",
      "../A",
      "A/",
      "a/b",
      "../x",
      "A.dib",
      "@",
      "[",
      "`",
      "{",
      "\u00c4",
      "\u017f",  // long s, which Unicode folds to "s"
      "\u212a",  // Kelvin sign, which Unicode folds to "k"
      "\uff21",  // fullwidth A
      QString(QChar(u'a' + 0x100)),
  };
  for (const QString& name : unknownNames) {
    const std::u16string asked = name.toStdU16String();
    EXPECT_FALSE(store.findBitmap(asked).has_value()) << name.toStdString();
    EXPECT_THROW(loadResPicture(store, asked, kBitmapResource), RuntimeError) << name.toStdString();
  }
}

// A store that answers every name with the same bytes, to feed damaged entries to the loader.
class OneEntryStore final : public platform::ResourceStore {
 public:
  explicit OneEntryStore(QByteArray bytes) : bytes_(std::move(bytes)) {}
  std::optional<platform::StoredBytes> findBitmap(std::u16string_view /*name*/) const override {
    ++looks;
    return toBytes(bytes_);
  }

  mutable int looks = 0;

 private:
  QByteArray bytes_;
};

TEST(LetterPictureRows, TheLastStoredRowIsTheTopAndEveryPixelKeepsItsColour) {
  // Two rows, bottom row first, padded to four bytes; every width up to two blocks of sixteen
  // pixels and one more, so that each of the decoder's ways of reading a pixel meets every
  // position, in vector instructions and without them.
  for (int width = 1; width <= 33; ++width) {
    const qsizetype rowBytes = (qsizetype{width} * 3 + 3) / 4 * 4;
    QByteArray dib(40 + 2 * rowBytes, '\xEE');
    writeU32(dib, 0, 40);
    writeU32(dib, 4, static_cast<std::uint32_t>(width));
    writeU32(dib, 8, 2);
    writeU16(dib, 12, 1);
    writeU16(dib, 14, 24);
    writeU32(dib, 16, 0);
    writeU32(dib, 32, 0);
    const auto colourAt = [](int x, int y) { return qRgb(0x10 * y + x, 0x80 + x, 0xC0 - x); };
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < width; ++x) {
        const QRgb colour = colourAt(x, y);
        const qsizetype at = 40 + (1 - y) * rowBytes + qsizetype{x} * 3;
        dib[at] = static_cast<char>(qBlue(colour));
        dib[at + 1] = static_cast<char>(qGreen(colour));
        dib[at + 2] = static_cast<char>(qRed(colour));
      }
    }
    // The picture's own pixels, opaque as Qt takes them: the padding must not show there either.
    const Picture picture = loadResPicture(OneEntryStore(dib), u"a", kBitmapResource);
    ASSERT_EQ(QSize(picture.width(), picture.height()), QSize(width, 2));
    std::vector<std::uint32_t> portableRow(static_cast<std::size_t>(width));
    for (int y = 0; y < 2; ++y) {
      platform::decodeRowPortably(
          reinterpret_cast<const std::uint8_t*>(dib.constData()) + 40 + (1 - y) * rowBytes,
          portableRow);
      for (int x = 0; x < width; ++x) {
        EXPECT_EQ(picture.pixel(x, y), colourAt(x, y)) << width << " wide, at " << x << ", " << y;
        EXPECT_EQ(portableRow[static_cast<std::size_t>(x)], colourAt(x, y))
            << "portably, " << width << " wide, at " << x << ", " << y;
      }
    }
  }
}

QByteArray storedEntry(char capital) {
  const LetterPictureStore store;
  return toByteArray(store.findBitmap(std::u16string(1, static_cast<char16_t>(capital)))->view());
}

TEST(DamagedLetterPictures, RaiseTheRunTimeError) {
  struct Damage {
    const char* what;
    std::function<void(QByteArray&)> apply;
  };
  const qsizetype rowsEnd = 40 + qsizetype{kHeight} * 1352;
  const Damage damages[] = {
      {"empty", [](QByteArray& b) { b.clear(); }},
      {"header only", [](QByteArray& b) { b.truncate(40); }},
      {"header cut short", [](QByteArray& b) { b.truncate(39); }},
      {"last row one byte short", [&](QByteArray& b) { b.truncate(rowsEnd - 1); }},
      {"32 bits a pixel", [](QByteArray& b) { writeU16(b, 14, 32); }},
      {"8 bits a pixel", [](QByteArray& b) { writeU16(b, 14, 8); }},
      {"compressed", [](QByteArray& b) { writeU32(b, 16, 1); }},
      {"core header size", [](QByteArray& b) { writeU32(b, 0, 12); }},
      {"version 5 header size", [](QByteArray& b) { writeU32(b, 0, 124); }},
      {"two planes", [](QByteArray& b) { writeU16(b, 12, 2); }},
      {"a colour table", [](QByteArray& b) { writeU32(b, 32, 16); }},
      {"zero width", [](QByteArray& b) { writeU32(b, 4, 0); }},
      {"negative width", [](QByteArray& b) { writeU32(b, 4, 0xFFFFFE3EU); }},
      {"zero height", [](QByteArray& b) { writeU32(b, 8, 0); }},
      {"one row more than stored", [](QByteArray& b) { writeU32(b, 8, kHeight + 1); }},
      {"huge width", [](QByteArray& b) { writeU32(b, 4, 0x7FFFFFFFU); }},
  };
  const QByteArray intact = storedEntry('A');
  for (const Damage& damage : damages) {
    QByteArray bytes = intact;
    damage.apply(bytes);
    const OneEntryStore store(bytes);
    EXPECT_THROW(loadResPicture(store, u"a", kBitmapResource), RuntimeError) << damage.what;
  }
}

TEST(DamagedLetterPictures, TheTrailingZeroBytesAreNoPartOfThePicture) {
  const QByteArray intact = storedEntry('A');
  const QImage expected =
      imageOver(loadResPicture(OneEntryStore(intact), u"a", kBitmapResource)).copy();
  const OneEntryStore withoutTrailer(intact.first(intact.size() - 4));
  EXPECT_EQ(imageOver(loadResPicture(withoutTrailer, u"a", kBitmapResource)), expected);
}

// A child goes back and forth between two letters: the last two pictures loaded are shared, not
// unpacked and decoded again, and a third name pushes out the older.
TEST(RecentLetterPictures, TheLastTwoAreSharedAndEarlierOnesComeBackFromTheirRuns) {
  const OneEntryStore store(storedEntry('A'));
  const auto load = [&](std::u16string_view name) {
    return loadResPicture(store, name, kBitmapResource);
  };
  const Picture first = load(u"a");
  load(u"b");
  EXPECT_EQ(load(u"a").pixels().data(), first.pixels().data());
  EXPECT_EQ(store.looks, 2);
  load(u"c");
  load(u"d");
  const Picture again = load(u"a");
  EXPECT_NE(again.pixels().data(), first.pixels().data());
  EXPECT_TRUE(std::ranges::equal(again.pixels(), first.pixels()));
  EXPECT_EQ(again.resourceName(), u"a");
  EXPECT_EQ(store.looks, 4);
  // The runs kept are bounded: past a megabyte of them, a picture is unpacked again each time.
  std::vector<std::u16string> names;
  for (char16_t name = u'e'; name < u'e' + 100; ++name) {  // A takes 14 kB as runs
    names.emplace_back(1, name);
    load(names.back());
  }
  load(names.front());
  load(u"b");
  EXPECT_EQ(store.looks, 104);
  load(names.back());
  EXPECT_EQ(store.looks, 105);
}

}  // namespace
}  // namespace flurb::resources
