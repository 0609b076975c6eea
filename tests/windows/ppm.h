#pragma once

#include <filesystem>
#include <optional>

#include "platform/picture.h"

namespace flurb::windows_tests {

// Binary portable pixmaps ("P6", 8 bits a channel): what ImageMagick turns a screenshot into,
// and as plain to write.
std::optional<platform::Picture> readPpm(const std::filesystem::path& path);
bool writePpm(const std::filesystem::path& path, const platform::Picture& picture);

}  // namespace flurb::windows_tests
