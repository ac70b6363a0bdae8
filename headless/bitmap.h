// Bitmaps of the headless host: TIFF and PNG images read with libtiff and libpng.
#pragma once

#include "plugin/host/bitmap.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace headless {

class HBitmap final : public HostBitmap {
public:
    // `toNative` maps the Windows path text a plug-in passes to a path of this machine.
    explicit HBitmap(std::function<std::string(const HostFilename&)> toNative)
        : toNative_(std::move(toNative)) {}

    bool load(const HostFilename& file) override;
    int32_t width() const override { return width_; }
    int32_t height() const override { return height_; }
    void scaleInto(HostBitmap& target, int32_t intensity, bool smooth) const override;

    bool loadNative(const std::string& path);
    // Pixels as RGBA, rows top to bottom.
    const std::vector<uint8_t>& rgba() const { return rgba_; }
    void setImage(int32_t width, int32_t height, std::vector<uint8_t> rgba);

private:
    std::function<std::string(const HostFilename&)> toNative_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint8_t> rgba_;
};

} // namespace headless
