// Raster images: icons, preview images.
#pragma once

#include "plugin/host/filename.h"

#include <cstdint>

class HostBitmap {
public:
    virtual ~HostBitmap() = default;
    // Loads an image file (TIFF or PNG); false when it cannot be read as an image.
    virtual bool load(const HostFilename& file) = 0;
    virtual int32_t width() const = 0;
    virtual int32_t height() const = 0;
    // Scales this image into `target`'s size; `intensity` 256 keeps brightness.
    virtual void scaleInto(HostBitmap& target, int32_t intensity, bool smooth) const = 0;
};
