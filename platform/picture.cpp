#include "picture.h"

#include "dib.h"
#include "runtime_error.h"

namespace flurb::platform {

Picture LoadResPicture(const ResourceStore& store, QStringView name, std::int16_t kind) {
  const std::string quotedName = "\"" + name.toString().toStdString() + "\"";
  if (kind != kBitmapResource) {
    throw RuntimeError("resource " + quotedName + " was asked for as an unknown kind");
  }
  const std::optional<QByteArray> bytes = store.findBitmap(name);
  if (!bytes) {
    throw RuntimeError("no picture named " + quotedName);
  }
  std::optional<QImage> image = decodeDib(*bytes);
  if (!image) {
    throw RuntimeError("the picture " + quotedName + " is damaged");
  }
  return Picture(std::move(*image));
}

}  // namespace flurb::platform
