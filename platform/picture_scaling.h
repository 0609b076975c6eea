#pragma once

#include "geometry.h"
#include "picture.h"
#include "resource_store.h"

namespace flurb::platform {

// The picture as a device with that pixel ratio shows it, `size` device pixels where the frame's
// edges fall: the rendering the store keeps under the picture's name at the ratio, cut to size
// (its edges round up), or the rendering at the next larger scale reduced. Only above the largest
// rendering is anything enlarged.
Picture pictureForDevice(const Picture& picture, const ResourceStore& renderings, double ratio,
                         PixelSize size);

// Each new pixel is the average of the area of the source that it covers, every source pixel
// weighted by its share of that area: a proper filter for reducing.
Picture resampled(const Picture& source, PixelSize size);

}  // namespace flurb::platform
