// The files the demo document refers to: small textures drawn here, written as PNG images with
// libpng, and a material file for its include material.
#include "headless/demo.h"

#include "headless/host.h"

#include <png.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace headless {

namespace {

constexpr int kSize = 32;

struct Rgb {
    uint8_t r, g, b;
};

// A kSize x kSize RGB image whose pixels `paint` gives, as PNG file bytes; empty on failure.
std::string pngImage(const std::function<Rgb(int x, int y)>& paint) {
    std::vector<uint8_t> pixels;
    pixels.reserve(std::size_t(kSize) * kSize * 3);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const Rgb c = paint(x, y);
            pixels.insert(pixels.end(), {c.r, c.g, c.b});
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kSize;
    image.height = kSize;
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr)) {
        return {};
    }
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr)) {
        return {};
    }
    bytes.resize(size);
    return bytes;
}

// Rows of bricks, every other row shifted by half a brick, in mortar lines.
bool isMortar(int x, int y) {
    const int row = y / 8;
    const int shifted = x + (row % 2) * 8;
    return y % 8 == 7 || shifted % 16 == 15;
}

Rgb brick(int x, int y) {
    if (isMortar(x, y)) {
        return {200, 195, 185};
    }
    const uint8_t shade = uint8_t(140 + (x * 7 + y * 13) % 30);
    return {shade, uint8_t(shade / 3), uint8_t(shade / 4)};
}

// Mortar lies deeper than the bricks.
Rgb brickBump(int x, int y) {
    const uint8_t height = isMortar(x, y) ? 40 : 220;
    return {height, height, height};
}

Rgb marble(int x, int y) {
    const double vein = std::sin((x + 2.0 * y) * 0.35 + 3.0 * std::sin(y * 0.2));
    const uint8_t v = uint8_t(235 - 90 * vein * vein * vein * vein);
    return {v, v, uint8_t(v > 10 ? v - 10 : 0)};
}

// An open round aperture with three dust specks on it.
Rgb obstacleMap(int x, int y) {
    const double dx = x - 15.5, dy = y - 15.5;
    const bool open = dx * dx + dy * dy < 14.0 * 14.0;
    const bool speck = (x == 10 && y == 12) || (x == 20 && y == 9) || (x == 17 && y == 22);
    const uint8_t v = open && !speck ? 255 : 0;
    return {v, v, v};
}

constexpr const char* kGoldMaterial =
    "<?xml version=\"1.0\" ?>\n"
    "<scenedata>\n"
    "    <material>\n"
    "        <name>Gold</name>\n"
    "        <phong>\n"
    "            <nk_data>nkdata/Au.nk</nk_data>\n"
    "            <ior>1.000000</ior>\n"
    "            <diffuse_albedo>\n"
    "                <constant>\n"
    "                    <rgb>\n"
    "                        <rgb>1.000000 0.766000 0.336000</rgb>\n"
    "                        <gamma>2.200000</gamma>\n"
    "                    </rgb>\n"
    "                </constant>\n"
    "            </diffuse_albedo>\n"
    "            <exponent>\n"
    "                <constant>2000.000000</constant>\n"
    "            </exponent>\n"
    "        </phong>\n"
    "    </material>\n"
    "</scenedata>\n";

} // namespace

bool writeDemoFiles(HeadlessHost& host, const HostFilename& folder, std::string& error) {
    const HostFilename textures = folder + "tex";
    if (!host.createDirectory(textures)) {
        error = "cannot make the folder " + host.nativePath(textures);
        return false;
    }
    const struct {
        const char* name;
        std::function<Rgb(int, int)> paint;
    } images[] = {
        {DemoFile::kBrick, brick},
        {DemoFile::kBrickBump, brickBump},
        {DemoFile::kMarble, marble},
        {DemoFile::kObstacleMap, obstacleMap},
    };
    for (const auto& image : images) {
        const std::string bytes = pngImage(image.paint);
        const HostFilename file = folder + image.name;
        if (bytes.empty() || !host.writeFile(file, bytes)) {
            error = "cannot write " + host.nativePath(file);
            return false;
        }
    }
    const HostFilename gold = folder + DemoFile::kGold;
    if (!host.writeFile(gold, kGoldMaterial)) {
        error = "cannot write " + host.nativePath(gold);
        return false;
    }
    return true;
}

} // namespace headless
