#pragma once

#include <map>

#include <QByteArray>
#include <QColor>
#include <QImage>

#include "platform/picture.h"

namespace flurb::testing {

// The stored bitmap layout of an image: a 40-byte header, then bottom-up 24-bit rows padded to
// four bytes.
QByteArray storedBitmap(const QImage& image);

// A store of plain pictures in the letter pictures' sizes (405 pixels wide for "I" and "J", 450
// for the rest), each one colour, so that tests can tell a picture's pixels from everything else.
class SyntheticPictureStore final : public platform::ResourceStore {
 public:
  static constexpr int kHeight = 293;
  static QColor colourOf(QChar letter);

  SyntheticPictureStore();
  std::optional<QByteArray> findBitmap(QStringView name) const override;

 private:
  std::map<QChar, QByteArray> entries_;
};

}  // namespace flurb::testing
