#include "tools/icongen/PixelMap.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace icongen {

namespace {

    std::nullopt_t failed(std::string &error, const std::string &where, const std::string &message)
    {
        error = where + ": " + message;
        return std::nullopt;
    }

    std::string trimRight(std::string s)
    {
        while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t'))
            s.pop_back();
        return s;
    }

} // namespace

std::optional<PixelMap> readPixelMap(const std::string &path, std::string &error)
{
    std::ifstream in(path);
    if (!in)
        return failed(error, path, "cannot open");

    PixelMap map;
    std::map<char, int> legend;
    enum class Section { Header, Legend, Pixels } section = Section::Header;
    bool sawType = false;
    bool sawHotSpot = false;
    int row = 0;
    int lineNo = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNo;
        const std::string where = path + ":" + std::to_string(lineNo);
        line = trimRight(line);
        if (section == Section::Pixels) {
            const std::string side = std::to_string(map.size);
            if (line.empty() && row == map.size)
                continue;
            if (row == map.size)
                return failed(error, where, "more than " + side + " pixel rows");
            if (line.size() != std::size_t(map.size))
                return failed(error, where, "pixel row must be exactly " + side + " characters");
            for (int x = 0; x < map.size; ++x) {
                const auto it = legend.find(line[x]);
                if (it == legend.end())
                    return failed(error, where,
                        std::string("character '") + line[x] + "' is not in the legend");
                map.pixels[row][x] = it->second;
            }
            ++row;
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;

        std::istringstream words(line);
        if (section == Section::Legend && line[0] != ' ' && line != "pixels")
            return failed(error, where, "legend lines are indented; end the legend with 'pixels'");
        if (section == Section::Legend && line[0] == ' ') {
            std::string key, value;
            words >> key >> value;
            if (key.size() != 1 || key[0] == '#')
                return failed(error, where, "legend key must be one character other than '#'");
            int v = 0;
            if (value == "transparent")
                v = transparentPixel;
            else if (value == "invert")
                v = invertingPixel;
            else {
                char *end = nullptr;
                v = int(std::strtol(value.c_str(), &end, 10));
                if (value.empty() || *end || v < 0 || v >= (1 << map.bpp))
                    return failed(
                        error, where, "value must be a palette index, 'transparent' or 'invert'");
            }
            if (!legend.emplace(key[0], v).second)
                return failed(error, where, "legend key used twice");
            continue;
        }

        std::string keyword;
        words >> keyword;
        if (keyword == "type") {
            std::string type;
            words >> type;
            if (type != "ico" && type != "cur" && type != "png")
                return failed(error, where, "type must be ico, cur or png");
            map.cursor = type == "cur";
            map.png = type == "png";
            sawType = true;
        } else if (keyword == "size") {
            words >> map.size;
            if (map.size != 16 && map.size != 24 && map.size != mapSide)
                return failed(error, where, "size must be 16, 24 or 32");
        } else if (keyword == "bpp") {
            words >> map.bpp;
            if (map.bpp != 1 && map.bpp != 4)
                return failed(error, where, "bpp must be 1 or 4");
        } else if (keyword == "hotspot") {
            if (!(words >> map.hotX >> map.hotY) || map.hotX < 0 || map.hotY < 0
                || map.hotX >= mapSide || map.hotY >= mapSide)
                return failed(error, where, "hotspot needs x and y inside the image");
            sawHotSpot = true;
        } else if (keyword == "legend") {
            // Declared, not defaulted: the test compares it with the file's type.
            if (!sawType)
                return failed(error, where, "type must come before the legend");
            if (map.bpp == 0)
                return failed(error, where, "bpp must come before the legend");
            section = Section::Legend;
        } else if (keyword == "pixels") {
            if (section != Section::Legend)
                return failed(error, where, "'pixels' must follow the legend");
            section = Section::Pixels;
        } else {
            return failed(error, where, "unknown keyword '" + keyword + "'");
        }
    }
    if (map.size != mapSide && !map.png)
        return failed(error, path, "an ico or cur image is 32 pixels square");
    if (row != map.size)
        return failed(error, path,
            "expected " + std::to_string(map.size) + " pixel rows, found " + std::to_string(row));
    if (map.cursor != sawHotSpot)
        return failed(
            error, path, map.cursor ? "a cursor needs a hotspot" : "an icon has no hotspot");
    return map;
}

} // namespace icongen
