#pragma once

#include "platform/colour.h"

namespace flurb::platform::win32 {

// The system colours as the desktop's own colour scheme gives them.
class DesktopColours final : public SystemColours {
 public:
  Rgb systemColour(std::uint32_t index) const override;
};

}  // namespace flurb::platform::win32
