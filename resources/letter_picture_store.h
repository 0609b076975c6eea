#pragma once

#include <optional>

#include <QByteArrayView>
#include <QStringView>

#include "platform/picture.h"

namespace flurb::resources {

// The 26 letter pictures carried inside the program, named "A" to "Z" and found by name without
// regard to case. Each entry's bytes are read in place, where the program holds them.
class LetterPictureStore final : public platform::ResourceStore {
 public:
  std::optional<QByteArrayView> findBitmap(QStringView name) const override;
};

}  // namespace flurb::resources
