#include "tools/icongen/PngWriter.h"

#include <zlib.h>

#include <fstream>

namespace icongen {

namespace {

    void put32be(std::vector<uint8_t> &out, uint32_t v)
    {
        for (int i = 3; i >= 0; --i)
            out.push_back(uint8_t((v >> (8 * i)) & 0xFF));
    }

    void chunk(std::vector<uint8_t> &out, const char type[5], const std::vector<uint8_t> &data)
    {
        put32be(out, uint32_t(data.size()));
        const size_t typeAt = out.size();
        out.insert(out.end(), type, type + 4);
        out.insert(out.end(), data.begin(), data.end());
        const uLong crc = crc32(0, out.data() + typeAt, uInt(out.size() - typeAt));
        put32be(out, uint32_t(crc));
    }

} // namespace

bool writePng(const std::string &path, int width, int height, const std::vector<uint8_t> &rgba)
{
    if (width <= 0 || height <= 0 || rgba.size() != size_t(width) * size_t(height) * 4)
        return false;

    // Every row starts with filter type 0; the icons are small, so plain rows compress well enough.
    std::vector<uint8_t> raw;
    raw.reserve(size_t(height) * (size_t(width) * 4 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        const auto row = rgba.begin() + std::ptrdiff_t(size_t(y) * size_t(width) * 4);
        raw.insert(raw.end(), row, row + width * 4);
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), Z_BEST_COMPRESSION)
        != Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<uint8_t> header;
    put32be(header, uint32_t(width));
    put32be(header, uint32_t(height));
    header.insert(
        header.end(), { 8, 6, 0, 0, 0 }); // 8 bits, RGBA, deflate, no filter set, no interlace

    std::vector<uint8_t> out = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", {});

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(out.data()), std::streamsize(out.size()));
    return bool(file);
}

} // namespace icongen
