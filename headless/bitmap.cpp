#include "headless/bitmap.h"

#include <png.h>
#include <tiffio.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace headless {

namespace {

bool hasSignature(const std::string& path, const unsigned char* signature, std::size_t length) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    unsigned char head[8] = {};
    return f && std::fread(head, 1, length, f.get()) == length &&
           std::memcmp(head, signature, length) == 0;
}

// libtiff reports every problem through handlers; the host's console belongs to the plug-in,
// so they stay silent and the caller sees only the failed load.
void silentTiffHandler(const char*, const char*, va_list) {}

bool loadTiff(const std::string& path, int32_t& width, int32_t& height,
              std::vector<uint8_t>& rgba) {
    TIFFSetErrorHandler(silentTiffHandler);
    TIFFSetWarningHandler(silentTiffHandler);
    std::unique_ptr<TIFF, void (*)(TIFF*)> tif(TIFFOpen(path.c_str(), "r"), &TIFFClose);
    if (!tif) {
        return false;
    }
    uint32_t w = 0, h = 0;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &h);
    if (w == 0 || h == 0 || w > 16384 || h > 16384) {
        return false;
    }
    std::vector<uint32_t> raster(std::size_t(w) * h);
    if (!TIFFReadRGBAImageOriented(tif.get(), w, h, raster.data(), ORIENTATION_TOPLEFT, 0)) {
        return false;
    }
    rgba.resize(raster.size() * 4);
    for (std::size_t i = 0; i < raster.size(); ++i) {
        rgba[4 * i + 0] = uint8_t(TIFFGetR(raster[i]));
        rgba[4 * i + 1] = uint8_t(TIFFGetG(raster[i]));
        rgba[4 * i + 2] = uint8_t(TIFFGetB(raster[i]));
        rgba[4 * i + 3] = uint8_t(TIFFGetA(raster[i]));
    }
    width = int32_t(w);
    height = int32_t(h);
    return true;
}

bool loadPng(const std::string& path, int32_t& width, int32_t& height, std::vector<uint8_t>& rgba) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return false;
    }
    if (image.width == 0 || image.height == 0 || image.width > 16384 || image.height > 16384) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    width = int32_t(image.width);
    height = int32_t(image.height);
    rgba = std::move(pixels);
    return true;
}

} // namespace

bool HBitmap::load(const HostFilename& file) {
    return !file.empty() && loadNative(toNative_ ? toNative_(file) : file.text());
}

bool HBitmap::loadNative(const std::string& path) {
    static const unsigned char kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    static const unsigned char kTiffLittle[] = {'I', 'I', 42, 0};
    static const unsigned char kTiffBig[] = {'M', 'M', 0, 42};
    int32_t w = 0, h = 0;
    std::vector<uint8_t> pixels;
    bool ok = false;
    if (hasSignature(path, kPng, sizeof kPng)) {
        ok = loadPng(path, w, h, pixels);
    } else if (hasSignature(path, kTiffLittle, sizeof kTiffLittle) ||
               hasSignature(path, kTiffBig, sizeof kTiffBig)) {
        ok = loadTiff(path, w, h, pixels);
    }
    if (ok) {
        setImage(w, h, std::move(pixels));
    }
    return ok;
}

void HBitmap::setImage(int32_t width, int32_t height, std::vector<uint8_t> rgba) {
    width_ = width;
    height_ = height;
    rgba_ = std::move(rgba);
}

void HBitmap::scaleInto(HostBitmap& target, int32_t intensity, bool smooth) const {
    auto* out = dynamic_cast<HBitmap*>(&target);
    if (out == nullptr || width_ == 0 || height_ == 0 || out->width_ == 0 || out->height_ == 0) {
        return;
    }
    std::vector<uint8_t> pixels(std::size_t(out->width_) * out->height_ * 4);
    for (int32_t y = 0; y < out->height_; ++y) {
        for (int32_t x = 0; x < out->width_; ++x) {
            const double sx = (x + 0.5) * width_ / out->width_ - 0.5;
            const double sy = (y + 0.5) * height_ / out->height_ - 0.5;
            for (int c = 0; c < 4; ++c) {
                double value;
                if (smooth) {
                    const int x0 = std::clamp(int(sx), 0, width_ - 1);
                    const int y0 = std::clamp(int(sy), 0, height_ - 1);
                    const int x1 = std::min(x0 + 1, width_ - 1);
                    const int y1 = std::min(y0 + 1, height_ - 1);
                    const double fx = std::clamp(sx - x0, 0.0, 1.0);
                    const double fy = std::clamp(sy - y0, 0.0, 1.0);
                    auto at = [&](int px, int py) {
                        return double(rgba_[(std::size_t(py) * width_ + px) * 4 + c]);
                    };
                    value = (at(x0, y0) * (1 - fx) + at(x1, y0) * fx) * (1 - fy) +
                            (at(x0, y1) * (1 - fx) + at(x1, y1) * fx) * fy;
                } else {
                    const int px = std::clamp(int(sx + 0.5), 0, width_ - 1);
                    const int py = std::clamp(int(sy + 0.5), 0, height_ - 1);
                    value = rgba_[(std::size_t(py) * width_ + px) * 4 + c];
                }
                if (c < 3) {
                    value = value * intensity / 256.0;
                }
                pixels[(std::size_t(y) * out->width_ + x) * 4 + c] =
                    uint8_t(std::clamp(value + 0.5, 0.0, 255.0));
            }
        }
    }
    out->rgba_ = std::move(pixels);
}

} // namespace headless
