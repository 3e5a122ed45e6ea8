// Build-time host tool: turns the text pixel maps of the tray icon into a 16-colour .ico file.
//   pixmap_to_ico OUT.ico HELD MAP...
// HELD is the set of held buttons (1 left, 2 middle, 4 right); every MAP becomes one image of
// the icon. A map names its colours ("colour CHAR RRGGBB|transparent"), its button areas
// ("button CHAR left|middle|right", white when up and red when held) and then, after "pixels",
// one text row per pixel row. Errors name the file and line and end the tool with code 1.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The 16 standard colours of a 4-bit icon, in palette order.
const uint32_t Palette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xc0c0c0,
    0x808080, 0xff0000, 0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff,
};
const int Transparent = -1;
const uint32_t ButtonUp = 0xffffff;
const uint32_t ButtonHeld = 0xff0000;

struct Image {
    int size = 0;
    std::vector<int> pixels;   // palette index per pixel, top row first, or Transparent
};

[[noreturn]] void Fail(const std::string &where, const std::string &what)
{
    std::fprintf(stderr, "pixmap_to_ico: %s: %s\n", where.c_str(), what.c_str());
    std::exit(1);
}

int PaletteIndex(uint32_t rgb, const std::string &where)
{
    for (int i = 0; i < 16; ++i)
        if (Palette[i] == rgb)
            return i;
    Fail(where, "colour is not one of the 16 standard colours");
}

Image ReadMap(const std::string &path, unsigned held)
{
    std::ifstream in(path);
    if (!in)
        Fail(path, "cannot open");
    std::map<char, int> colours;
    Image image;
    bool inPixels = false;
    std::string line;
    int lineNo = 0;
    std::vector<std::string> rows;
    while (std::getline(in, line)) {
        ++lineNo;
        std::string where = path + ":" + std::to_string(lineNo);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (inPixels) {
            rows.push_back(line);
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string kind, ch, value;
        words >> kind >> ch >> value;
        if (kind == "pixels") {
            inPixels = true;
        } else if (kind == "colour" && ch.size() == 1 && !value.empty()) {
            colours[ch[0]] = value == "transparent" ? Transparent
                                                    : PaletteIndex(std::strtoul(value.c_str(), nullptr, 16), where);
        } else if (kind == "button" && ch.size() == 1) {
            unsigned bit = value == "left" ? 1 : value == "middle" ? 2 : value == "right" ? 4 : 0;
            if (!bit)
                Fail(where, "a button is left, middle or right");
            colours[ch[0]] = PaletteIndex(held & bit ? ButtonHeld : ButtonUp, where);
        } else {
            Fail(where, "expected 'colour C RRGGBB', 'button C left|middle|right' or 'pixels'");
        }
    }
    image.size = static_cast<int>(rows.size());
    if (image.size != 16 && image.size != 32)
        Fail(path, "a map has 16 or 32 rows, this one has " + std::to_string(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) {
        std::string where = path + ": pixel row " + std::to_string(r + 1);
        if (static_cast<int>(rows[r].size()) != image.size)
            Fail(where, "row is " + std::to_string(rows[r].size()) + " wide, expected " + std::to_string(image.size));
        for (char c : rows[r]) {
            auto found = colours.find(c);
            if (found == colours.end())
                Fail(where, std::string("character '") + c + "' has no colour");
            image.pixels.push_back(found->second);
        }
    }
    return image;
}

void Put16(std::string &out, unsigned v) { out += char(v & 0xff); out += char((v >> 8) & 0xff); }
void Put32(std::string &out, uint32_t v) { Put16(out, v & 0xffff); Put16(out, v >> 16); }

// One icon image: header with doubled height, palette, 4-bit colour rows and 1-bit mask rows,
// both bottom-up and padded to 4 bytes.
std::string EncodeImage(const Image &image)
{
    int n = image.size;
    int xorStride = (n * 4 + 31) / 32 * 4;
    int andStride = (n + 31) / 32 * 4;
    std::string out;
    Put32(out, 40);
    Put32(out, n);
    Put32(out, n * 2);
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);
    Put32(out, (xorStride + andStride) * n);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 16);
    Put32(out, 0);
    for (uint32_t rgb : Palette)
        Put32(out, rgb);   // stored as blue, green, red, 0
    for (int y = n - 1; y >= 0; --y) {
        std::string row(xorStride, '\0');
        for (int x = 0; x < n; ++x) {
            int p = image.pixels[y * n + x];
            int index = p == Transparent ? 0 : p;
            row[x / 2] = char(row[x / 2] | (x % 2 ? index : index << 4));
        }
        out += row;
    }
    for (int y = n - 1; y >= 0; --y) {
        std::string row(andStride, '\0');
        for (int x = 0; x < n; ++x)
            if (image.pixels[y * n + x] == Transparent)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        out += row;
    }
    return out;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 4)
        Fail("usage", "pixmap_to_ico OUT.ico HELD MAP...");
    unsigned held = static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10));
    if (held > 7)
        Fail("HELD", "is 0 to 7 (1 left, 2 middle, 4 right)");
    std::vector<std::string> images;
    std::vector<int> sizes;
    for (int i = 3; i < argc; ++i) {
        Image image = ReadMap(argv[i], held);
        sizes.push_back(image.size);
        images.push_back(EncodeImage(image));
    }
    std::string file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, static_cast<unsigned>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        file += char(sizes[i]);
        file += char(sizes[i]);
        file += char(16);   // colours
        file += char(0);
        Put16(file, 1);
        Put16(file, 4);
        Put32(file, static_cast<uint32_t>(images[i].size()));
        Put32(file, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const std::string &image : images)
        file += image;
    std::ofstream out(argv[1], std::ios::binary);
    if (!out.write(file.data(), static_cast<std::streamsize>(file.size())))
        Fail(argv[1], "cannot write");
    return 0;
}
