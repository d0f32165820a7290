// Turns a text pixel map into a classic 32 x 32 ICO/CUR file, and draws enlarged previews of
// such files. Plain C++ so it builds and runs before (and without) any Qt plugin.
//
//   icongen <map.txt> <out.ico|out.cur>
//   icongen --preview <in.ico|in.cur> <out.ppm> [scale]
//   icongen --png <in.ico> <out.png> [scale]      icon theme picture, enlarged by repeating pixels
//   icongen <map.txt> <out.png> [scale]           the same from a png map of its own size
//
// The pixel map format is described in PixelMap.h.

#include "tools/icongen/PixelMap.h"
#include "tools/icongen/PngWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

using icongen::invertingPixel;
using icongen::mapSide;
using icongen::PixelMap;
using icongen::transparentPixel;

constexpr int dirSize = 6;
constexpr int entrySize = 16;
constexpr int infoSize = 40;
constexpr int maskRowBytes = mapSide / 8;

struct Rgb
{
    uint8_t r, g, b;
};

// Standard VGA order; the files must carry exactly these.
constexpr std::array<Rgb, 16> palette16 = { {
    { 0x00, 0x00, 0x00 },
    { 0x80, 0x00, 0x00 },
    { 0x00, 0x80, 0x00 },
    { 0x80, 0x80, 0x00 },
    { 0x00, 0x00, 0x80 },
    { 0x80, 0x00, 0x80 },
    { 0x00, 0x80, 0x80 },
    { 0xC0, 0xC0, 0xC0 },
    { 0x80, 0x80, 0x80 },
    { 0xFF, 0x00, 0x00 },
    { 0x00, 0xFF, 0x00 },
    { 0xFF, 0xFF, 0x00 },
    { 0x00, 0x00, 0xFF },
    { 0xFF, 0x00, 0xFF },
    { 0x00, 0xFF, 0xFF },
    { 0xFF, 0xFF, 0xFF },
} };
constexpr std::array<Rgb, 2> palette2 = { { { 0x00, 0x00, 0x00 }, { 0xFF, 0xFF, 0xFF } } };

std::vector<Rgb> paletteOf(int bpp)
{
    if (bpp == 4)
        return { palette16.begin(), palette16.end() };
    return { palette2.begin(), palette2.end() };
}

[[noreturn]] void fail(const std::string &where, const std::string &message)
{
    std::cerr << "icongen: " << where << ": " << message << '\n';
    std::exit(1);
}

void put16(std::vector<uint8_t> &out, int v)
{
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t((v >> 8) & 0xFF));
}

void put32(std::vector<uint8_t> &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t((v >> (8 * i)) & 0xFF));
}

int xorRowBytes(int bpp)
{
    return mapSide * bpp / 8;
}

std::vector<uint8_t> encode(const PixelMap &map)
{
    const int colors = 1 << map.bpp;
    const int imageBytes = infoSize + colors * 4 + (xorRowBytes(map.bpp) + maskRowBytes) * mapSide;
    // Invert wants an all-ones colour index; transparency wants index 0 (black).
    const int white = colors - 1;

    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, map.cursor ? 2 : 1);
    put16(out, 1);

    out.push_back(mapSide);
    out.push_back(mapSide);
    out.push_back(uint8_t(colors));
    out.push_back(0);
    put16(out, map.cursor ? map.hotX : 1); // planes for ICO, hot spot for CUR
    put16(out, map.cursor ? map.hotY : map.bpp);
    put32(out, uint32_t(imageBytes));
    put32(out, dirSize + entrySize);

    put32(out, infoSize);
    put32(out, mapSide);
    put32(out, mapSide * 2); // XOR bitmap plus AND mask
    put16(out, 1);
    put16(out, map.bpp);
    put32(out, 0);
    put32(out, uint32_t((xorRowBytes(map.bpp) + maskRowBytes) * mapSide));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);

    for (int i = 0; i < colors; ++i) {
        const Rgb c = map.bpp == 4 ? palette16[i] : palette2[i];
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }

    for (int y = mapSide - 1; y >= 0; --y) { // bottom-up
        std::vector<uint8_t> bits(xorRowBytes(map.bpp), 0);
        for (int x = 0; x < mapSide; ++x) {
            int v = map.pixels[y][x];
            v = v == transparentPixel ? 0 : v == invertingPixel ? white : v;
            const int bit = x * map.bpp;
            bits[bit / 8] |= uint8_t(v << (8 - map.bpp - bit % 8));
        }
        out.insert(out.end(), bits.begin(), bits.end());
    }
    for (int y = mapSide - 1; y >= 0; --y) {
        uint32_t mask = 0;
        for (int x = 0; x < mapSide; ++x) {
            if (map.pixels[y][x] < 0)
                mask |= 1u << (31 - x);
        }
        for (int i = 3; i >= 0; --i)
            out.push_back(uint8_t((mask >> (8 * i)) & 0xFF));
    }

    const size_t expected = dirSize + entrySize + size_t(imageBytes);
    if (out.size() != expected)
        fail("encode", "internal size mismatch");
    return out;
}

std::vector<uint8_t> readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail(path, "cannot open");
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writeFile(const std::string &path, const std::vector<uint8_t> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        fail(path, "cannot write");
}

int get16(const std::vector<uint8_t> &b, size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

uint32_t get32(const std::vector<uint8_t> &b, size_t at)
{
    return uint32_t(get16(b, at)) | (uint32_t(get16(b, at + 2)) << 16);
}

// Reads the file back independently of the map, so the preview shows what was really written.
PixelMap decode(const std::string &path, std::vector<Rgb> &palette)
{
    const std::vector<uint8_t> b = readFile(path);
    if (b.size() < dirSize + entrySize + infoSize)
        fail(path, "too short");
    PixelMap map;
    map.cursor = get16(b, 2) == 2;
    const size_t offset = get32(b, 18);
    map.bpp = get16(b, offset + 14);
    if ((map.bpp != 1 && map.bpp != 4) || b[6] != mapSide || b[7] != mapSide)
        fail(path, "not a 32 x 32 image of 1 or 4 bpp");
    if (map.cursor) {
        map.hotX = get16(b, 10);
        map.hotY = get16(b, 12);
    }
    const int colors = 1 << map.bpp;
    const size_t xorAt = offset + infoSize + size_t(colors) * 4;
    const size_t andAt = xorAt + size_t(xorRowBytes(map.bpp)) * mapSide;
    if (b.size() < andAt + maskRowBytes * mapSide)
        fail(path, "truncated");
    palette.clear();
    for (int i = 0; i < colors; ++i) {
        const size_t p = offset + infoSize + size_t(i) * 4;
        palette.push_back({ b[p + 2], b[p + 1], b[p] });
    }
    for (int y = 0; y < mapSide; ++y) {
        const int fileRow = mapSide - 1 - y;
        for (int x = 0; x < mapSide; ++x) {
            const int bit = x * map.bpp;
            const uint8_t byte = b[xorAt + size_t(fileRow * xorRowBytes(map.bpp) + bit / 8)];
            const int index = (byte >> (8 - map.bpp - bit % 8)) & (colors - 1);
            const bool masked
                = b[andAt + size_t(fileRow * maskRowBytes + x / 8)] & (0x80 >> (x % 8));
            int v = index;
            if (masked)
                v = index == 0 ? transparentPixel : index == colors - 1 ? invertingPixel : index;
            map.pixels[y][x] = v;
        }
    }
    return map;
}

// Enlarged picture: transparent as a cool checkerboard, invert as a black/white diagonal hatch,
// the hot spot framed in orange.
void writePreview(
    const PixelMap &map, const std::vector<Rgb> &palette, const std::string &path, int scale)
{
    const int side = mapSide * scale;
    const int cell = std::max(1, scale / 2); // checker finer than a pixel, so it reads as empty
    std::vector<Rgb> img(size_t(side * side));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int px = x / scale;
            const int py = y / scale;
            const int v = map.pixels[py][px];
            Rgb c;
            if (v == transparentPixel) {
                const bool dark = (x / cell + y / cell) % 2;
                c = dark ? Rgb { 0xC8, 0xD2, 0xE0 } : Rgb { 0xE6, 0xEC, 0xF4 };
            } else if (v == invertingPixel) {
                c = ((x + y) / 2) % 2 ? Rgb { 0xFF, 0xFF, 0xFF } : Rgb { 0x30, 0x30, 0x30 };
            } else {
                c = palette[size_t(v)];
            }
            const bool onFrame = map.cursor && px == map.hotX && py == map.hotY
                && (x % scale == 0 || x % scale == scale - 1 || y % scale == 0
                    || y % scale == scale - 1);
            if (onFrame)
                c = { 0xFF, 0x8C, 0x00 };
            img[size_t(y * side + x)] = c;
        }
    }
    std::vector<uint8_t> bytes;
    const std::string header
        = "P6\n" + std::to_string(side) + " " + std::to_string(side) + "\n255\n";
    bytes.insert(bytes.end(), header.begin(), header.end());
    for (const Rgb &c : img) {
        bytes.push_back(c.r);
        bytes.push_back(c.g);
        bytes.push_back(c.b);
    }
    writeFile(path, bytes);
}

// Nearest-neighbour enlargement of the icon as decoded from the file, so the theme's pictures show
// exactly the window's pixels. An inverting pixel has no meaning outside a cursor or a GDI icon.
void writeThemePng(
    const PixelMap &map, const std::vector<Rgb> &palette, const std::string &path, int scale)
{
    const int side = map.size * scale;
    std::vector<uint8_t> rgba;
    rgba.reserve(size_t(side) * size_t(side) * 4);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int v = map.pixels[y / scale][x / scale];
            if (v == invertingPixel)
                fail(path, "an inverting pixel cannot be drawn in a PNG");
            const Rgb c = v == transparentPixel ? Rgb { 0, 0, 0 } : palette[size_t(v)];
            rgba.insert(rgba.end(), { c.r, c.g, c.b, uint8_t(v == transparentPixel ? 0 : 0xFF) });
        }
    }
    if (!icongen::writePng(path, side, side, rgba))
        fail(path, "cannot write");
}

int usage()
{
    std::cerr << "usage: icongen <map.txt> <out.ico|out.cur>\n"
                 "       icongen --preview <in.ico|in.cur> <out.ppm> [scale]\n"
                 "       icongen --png <in.ico> <out.png> [scale]\n"
                 "       icongen <map.txt> <out.png> [scale]\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 3 && (args[0] == "--preview" || args[0] == "--png")) {
        const int defaultScale = args[0] == "--png" ? 1 : 8;
        const int scale = args.size() > 3 ? std::atoi(args[3].c_str()) : defaultScale;
        if (scale < 1 || scale > 64)
            return usage();
        std::vector<Rgb> palette;
        const PixelMap map = decode(args[1], palette);
        if (args[0] == "--png")
            writeThemePng(map, palette, args[2], scale);
        else
            writePreview(map, palette, args[2], scale);
        return 0;
    }
    if (args.size() != 2 && args.size() != 3)
        return usage();
    std::string error;
    const std::optional<PixelMap> read = icongen::readPixelMap(args[0], error);
    if (!read) {
        std::cerr << "icongen: " << error << '\n';
        return 1;
    }
    const PixelMap &map = *read;
    const std::string suffix = args[1].size() >= 4 ? args[1].substr(args[1].size() - 4) : "";
    if (map.png) {
        const int scale = args.size() > 2 ? std::atoi(args[2].c_str()) : 1;
        if (suffix != ".png" || scale < 1 || scale > 64)
            return usage();
        writeThemePng(map, paletteOf(map.bpp), args[1], scale);
        return 0;
    }
    if (args.size() != 2)
        return usage();
    if (suffix != (map.cursor ? ".cur" : ".ico"))
        fail(args[1],
            map.cursor ? "a cursor map must be written to a .cur file"
                       : "an icon map must be written to a .ico file");
    writeFile(args[1], encode(map));
    return 0;
}
