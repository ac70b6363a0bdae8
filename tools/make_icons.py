#!/usr/bin/env python3
"""Writes the plug-in's menu and tag icons into res/ as small uncompressed RGB TIFF images.

Each icon is a 32 x 32 pixel picture of its own colour and motif. Run it from the repository
root after changing the list; the images are committed.
"""
import struct
import sys

SIZE = 32

# file name: (base colour, accent colour, motif)
ICONS = {
    "LightTag.tif": ((250, 210, 60), (120, 80, 0), "disc"),
    "ExitPortal.tif": ((90, 160, 230), (20, 40, 90), "frame"),
    "CameraTag.tif": ((75, 0, 130), (230, 230, 230), "lens"),
    "subdivtag.tif": ((120, 200, 120), (20, 80, 20), "grid"),
    "Export.tif": ((230, 120, 40), (255, 255, 255), "arrow"),
    "About.tif": ((60, 60, 70), (240, 240, 240), "dot"),
    "ConvertMats.tif": ((200, 70, 90), (255, 230, 230), "grid"),
    "convertmats.tif": ((170, 60, 80), (255, 220, 220), "frame"),
    "instance.tif": ((70, 180, 180), (10, 60, 60), "double"),
    "MaterialHelper.tif": ((160, 110, 220), (250, 250, 250), "disc"),
}


def inside(motif, x, y):
    cx = cy = (SIZE - 1) / 2
    r2 = (x - cx) ** 2 + (y - cy) ** 2
    if motif == "disc":
        return r2 < 11 ** 2
    if motif == "frame":
        return 4 <= x < 28 and 4 <= y < 28 and not (8 <= x < 24 and 8 <= y < 24)
    if motif == "lens":
        return 6 ** 2 < r2 < 12 ** 2
    if motif == "grid":
        return x % 8 < 2 or y % 8 < 2
    if motif == "arrow":
        return (12 <= x < 20 and 6 <= y < 20) or (y >= 20 and abs(x - cx) < 27 - y)
    if motif == "dot":
        return r2 < 5 ** 2
    if motif == "double":
        return (4 <= x < 18 and 4 <= y < 18) or (14 <= x < 28 and 14 <= y < 28)
    return False


def pixels(base, accent, motif):
    out = bytearray()
    for y in range(SIZE):
        for x in range(SIZE):
            out += bytes(accent if inside(motif, x, y) else base)
    return bytes(out)


def tiff(data):
    # Little-endian baseline TIFF: header, image strip, then one IFD.
    entries = []
    strip_offset = 8
    bits_offset = strip_offset + len(data)
    ifd_offset = bits_offset + 6
    def entry(tag, typ, count, value):
        entries.append(struct.pack("<HHII", tag, typ, count, value))
    entry(256, 3, 1, SIZE)            # width
    entry(257, 3, 1, SIZE)            # height
    entry(258, 3, 3, bits_offset)     # bits per sample: 8, 8, 8
    entry(259, 3, 1, 1)               # no compression
    entry(262, 3, 1, 2)               # RGB
    entry(273, 4, 1, strip_offset)    # strip offset
    entry(277, 3, 1, 3)               # samples per pixel
    entry(278, 3, 1, SIZE)            # rows per strip
    entry(279, 4, 1, len(data))       # strip byte count
    entry(284, 3, 1, 1)               # planar configuration: chunky
    header = b"II" + struct.pack("<HI", 42, ifd_offset)
    ifd = struct.pack("<H", len(entries)) + b"".join(entries) + struct.pack("<I", 0)
    return header + data + struct.pack("<HHH", 8, 8, 8) + ifd


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else "res"
    for name, (base, accent, motif) in ICONS.items():
        with open(f"{target}/{name}", "wb") as f:
            f.write(tiff(pixels(base, accent, motif)))


if __name__ == "__main__":
    main()
