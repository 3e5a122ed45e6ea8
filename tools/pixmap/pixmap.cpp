// Build-time host tool: turns a text pixel map into a 16-colour .ico or .bmp file.
//   pixmap ico MAP OUT.ico [HELD]    every image of the map becomes one size of the icon
//   pixmap bmp MAP OUT.bmp           the map holds one image without transparent pixels
// A map names its colours ("colour C RRGGBB" or "colour C transparent", RRGGBB one of the 16
// standard colours), optionally its button areas ("button C left|middle|right": white when up,
// red when held) and then its images: each starts with a line "pixels", followed by one text
// row per pixel row, top first. Lines starting with '#' and empty lines are skipped anywhere.
// HELD is the set of held buttons (1 left, 2 middle, 4 right), 0 when left out.
// The output depends on nothing but the input, byte for byte. Errors name the file and line,
// take one line, and end the tool with code 1.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The 16 standard colours of a 4-bit picture, in palette order.
const uint32_t Palette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xc0c0c0,
    0x808080, 0xff0000, 0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff,
};
const int Transparent = -1;
const uint32_t ButtonUp = 0xffffff;
const uint32_t ButtonHeld = 0xff0000;
// An icon directory stores sizes in one byte (0 meaning 256).
const int MaxSide = 256;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<int> pixels;   // palette index per pixel, top row first, or Transparent
    std::string where;         // the "pixels" line that starts it, for messages
};

[[noreturn]] void Fail(const std::string &where, const std::string &what)
{
    std::fprintf(stderr, "pixmap: %s: %s\n", where.c_str(), what.c_str());
    std::exit(1);
}

int PaletteIndex(uint32_t rgb)
{
    for (int i = 0; i < 16; ++i)
        if (Palette[i] == rgb)
            return i;
    return Transparent;
}

int ParseColour(const std::string &value, const std::string &where)
{
    if (value == "transparent")
        return Transparent;
    if (value.size() != 6 || value.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        Fail(where, "a colour is RRGGBB in hex or 'transparent', not '" + value + "'");
    int index = PaletteIndex(static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 16)));
    if (index == Transparent)
        Fail(where, "colour " + value + " is not one of the 16 standard colours");
    return index;
}

std::vector<Image> ReadMap(const std::string &path, unsigned held)
{
    std::ifstream in(path);
    if (!in)
        Fail(path, "cannot open the map");
    std::map<char, int> colours;
    std::vector<Image> images;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        std::string where = path + ":" + std::to_string(lineNo);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (line == "pixels") {
            images.push_back(Image());
            images.back().where = where;
            continue;
        }
        std::istringstream words(line);
        std::string kind, ch, value, extra;
        words >> kind >> ch >> value >> extra;
        bool declaration = kind == "colour" || kind == "button";
        if (declaration && !images.empty())
            Fail(where, "colours and buttons are declared before the first 'pixels'");
        if (declaration && (ch.size() != 1 || ch[0] == '#' || value.empty() || !extra.empty()))
            Fail(where, "expected '" + kind + " C VALUE' with C one character other than '#'");
        if (declaration && colours.count(ch[0]))
            Fail(where, std::string("character '") + ch[0] + "' is declared twice");
        if (kind == "colour") {
            colours[ch[0]] = ParseColour(value, where);
        } else if (kind == "button") {
            unsigned bit = value == "left" ? 1 : value == "middle" ? 2 : value == "right" ? 4 : 0;
            if (!bit)
                Fail(where, "a button is left, middle or right");
            colours[ch[0]] = PaletteIndex(held & bit ? ButtonHeld : ButtonUp);
        } else if (images.empty()) {
            Fail(where, "expected 'colour C RRGGBB|transparent', 'button C left|middle|right' or 'pixels'");
        } else {
            Image &image = images.back();
            if (image.width == 0)
                image.width = static_cast<int>(line.size());
            if (static_cast<int>(line.size()) != image.width)
                Fail(where, "row is " + std::to_string(line.size()) + " pixels wide, the image " +
                                std::to_string(image.width));
            for (char c : line) {
                auto found = colours.find(c);
                if (found == colours.end())
                    Fail(where, std::string("character '") + c + "' has no colour");
                image.pixels.push_back(found->second);
            }
            ++image.height;
        }
    }
    if (images.empty())
        Fail(path, "the map has no 'pixels' section");
    for (const Image &image : images) {
        if (image.height == 0)
            Fail(image.where, "an image without rows");
        if (image.width > MaxSide || image.height > MaxSide)
            Fail(image.where, "an image is at most 256 by 256 pixels");
    }
    return images;
}

void Put16(std::string &out, unsigned v) { out += char(v & 0xff); out += char((v >> 8) & 0xff); }
void Put32(std::string &out, uint32_t v) { Put16(out, v & 0xffff); Put16(out, v >> 16); }

int ColourStride(const Image &image) { return (image.width * 4 + 31) / 32 * 4; }
int MaskStride(const Image &image) { return (image.width + 31) / 32 * 4; }

// Header and palette of a 4-bit picture; an icon image gives its height doubled (colour + mask).
void PutInfo(std::string &out, const Image &image, int height, uint32_t imageSize)
{
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(image.width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 16);
    Put32(out, 0);
    for (uint32_t rgb : Palette)
        Put32(out, rgb);   // stored as blue, green, red, 0
}

// 4-bit colour rows, bottom-up, padded to 4 bytes; transparent pixels are black.
std::string ColourRows(const Image &image)
{
    std::string out;
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(ColourStride(image), '\0');
        for (int x = 0; x < image.width; ++x) {
            int p = image.pixels[y * image.width + x];
            int index = p == Transparent ? 0 : p;
            row[x / 2] = char(row[x / 2] | (x % 2 ? index : index << 4));
        }
        out += row;
    }
    return out;
}

// 1-bit mask rows, set where the icon is transparent, bottom-up, padded to 4 bytes.
std::string MaskRows(const Image &image)
{
    std::string out;
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(MaskStride(image), '\0');
        for (int x = 0; x < image.width; ++x)
            if (image.pixels[y * image.width + x] == Transparent)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        out += row;
    }
    return out;
}

std::string EncodeIco(const std::vector<Image> &images)
{
    std::vector<std::string> blobs;
    for (const Image &image : images) {
        std::string blob;
        std::string pixels = ColourRows(image) + MaskRows(image);
        PutInfo(blob, image, image.height * 2, static_cast<uint32_t>(pixels.size()));
        blobs.push_back(blob + pixels);
    }
    std::string file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, static_cast<unsigned>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        file += char(images[i].width % 256);
        file += char(images[i].height % 256);
        file += char(16);   // colours
        file += char(0);
        Put16(file, 1);
        Put16(file, 4);
        Put32(file, static_cast<uint32_t>(blobs[i].size()));
        Put32(file, offset);
        offset += static_cast<uint32_t>(blobs[i].size());
    }
    for (const std::string &blob : blobs)
        file += blob;
    return file;
}

std::string EncodeBmp(const Image &image)
{
    std::string pixels = ColourRows(image);
    std::string head;
    PutInfo(head, image, image.height, static_cast<uint32_t>(pixels.size()));
    uint32_t offset = 14 + static_cast<uint32_t>(head.size());
    std::string file = "BM";
    Put32(file, offset + static_cast<uint32_t>(pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    return file + head + pixels;
}

}  // namespace

int main(int argc, char **argv)
{
    std::string kind = argc > 1 ? argv[1] : "";
    if (argc < 4 || argc > 5 || (kind != "ico" && kind != "bmp"))
        Fail("usage", "pixmap ico MAP OUT.ico [HELD] | pixmap bmp MAP OUT.bmp");
    unsigned held = 0;
    if (argc == 5) {
        std::string text = argv[4];
        if (kind != "ico" || text.size() != 1 || text[0] < '0' || text[0] > '7')
            Fail("HELD", "is 0 to 7 (1 left, 2 middle, 4 right), for icons only");
        held = static_cast<unsigned>(text[0] - '0');
    }
    std::vector<Image> images = ReadMap(argv[2], held);
    std::string file;
    if (kind == "ico") {
        file = EncodeIco(images);
    } else {
        if (images.size() != 1)
            Fail(argv[2], "a bitmap holds exactly one image");
        for (int p : images[0].pixels)
            if (p == Transparent)
                Fail(images[0].where, "a bitmap has no transparent pixels");
        file = EncodeBmp(images[0]);
    }
    std::ofstream out(argv[3], std::ios::binary);
    if (!out.write(file.data(), static_cast<std::streamsize>(file.size())))
        Fail(argv[3], "cannot write");
    return 0;
}
