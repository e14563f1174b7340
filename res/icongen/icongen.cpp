// Draws Scrivlet's icon artwork and writes it as .ico files.
//   icongen <folder for the four chrome icons> <folder for scrivlet.ico>
// Every image uses the 16 standard VGA colours with a transparency mask, so the
// glyphs keep a dark outline and a light body and stay legible on any of the
// note's background colours.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

enum : int {
    kClear = -1, kBlack = 0, kMaroon = 1, kNavy = 4, kTeal = 6, kSilver = 7, kGray = 8,
    kRed = 9, kYellow = 11, kBlue = 12, kWhite = 15
};

const std::uint8_t kVga[16][3] = {  // R, G, B
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

struct Canvas {
    int size;
    std::vector<int> px;
    explicit Canvas(int s) : size(s), px(static_cast<size_t>(s * s), kClear) {}
    void Set(int x, int y, int c) {
        if (x >= 0 && y >= 0 && x < size && y < size) px[static_cast<size_t>(y * size + x)] = c;
    }
    int At(int x, int y) const { return px[static_cast<size_t>(y * size + x)]; }
    void Fill(int l, int t, int r, int b, int c) {  // inclusive bounds
        for (int y = t; y <= b; ++y)
            for (int x = l; x <= r; ++x) Set(x, y, c);
    }
    void Frame(int l, int t, int r, int b, int c) {
        for (int x = l; x <= r; ++x) { Set(x, t, c); Set(x, b, c); }
        for (int y = t; y <= b; ++y) { Set(l, y, c); Set(r, y, c); }
    }
};

// A notepad: yellow sheet, dark binding with rings, ruled lines.
Canvas DrawNotepad(int s) {
    Canvas c(s);
    const int l = s / 8, r = s - 1 - s / 8, t = s / 16, b = s - 1 - s / 16;
    const int bind = t + (s >= 24 ? s / 5 : 3);
    c.Fill(l, t, r, b, kYellow);
    c.Fill(l, t, r, bind, kNavy);
    for (int x = l + 2; x < r - 1; x += (s >= 24 ? 4 : 3)) c.Set(x, bind, kSilver);
    for (int y = bind + (s >= 24 ? 4 : 3); y < b - 1; y += (s >= 24 ? 4 : 3))
        for (int x = l + 2; x <= r - 2; ++x) c.Set(x, y, kGray);
    c.Frame(l, t, r, b, kBlack);
    return c;
}

Canvas DrawClose(int s) {
    Canvas c(s);
    c.Fill(1, 1, s - 2, s - 2, kRed);
    c.Frame(1, 1, s - 2, s - 2, kMaroon);
    for (int i = 4; i <= s - 5; ++i) {
        c.Set(i, i, kWhite); c.Set(i + 1, i, kWhite);
        c.Set(s - 1 - i, i, kWhite); c.Set(s - 2 - i, i, kWhite);
    }
    return c;
}

Canvas DrawMin(int s) {
    Canvas c(s);
    c.Fill(1, 1, s - 2, s - 2, kTeal);
    c.Frame(1, 1, s - 2, s - 2, kNavy);
    c.Fill(4, s - 6, s - 5, s - 5, kWhite);
    c.Frame(3, s - 7, s - 4, s - 4, kBlack);
    return c;
}

// Three diagonals of raised dots towards the bottom-right corner.
Canvas DrawSizeGrip(int s) {
    Canvas c(s);
    for (int y = 0; y + 2 < s; y += 4)
        for (int x = 0; x + 2 < s; x += 4)
            if (x + y >= s - 4) {
                c.Set(x, y, kWhite);
                c.Set(x + 1, y, kSilver); c.Set(x, y + 1, kSilver);
                c.Set(x + 1, y + 1, kGray);
                c.Set(x + 2, y + 1, kBlack); c.Set(x + 1, y + 2, kBlack); c.Set(x + 2, y + 2, kBlack);
            }
    return c;
}

void Put16(std::vector<std::uint8_t>& v, unsigned n) {
    v.push_back(static_cast<std::uint8_t>(n & 0xFF));
    v.push_back(static_cast<std::uint8_t>((n >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& v, unsigned n) {
    Put16(v, n & 0xFFFF);
    Put16(v, n >> 16);
}

// One DIB image of an icon resource: header, palette, colour bits, AND mask.
std::vector<std::uint8_t> EncodeImage(const Canvas& c, int bpp) {
    const int s = c.size;
    const int xorStride = ((s * bpp + 31) / 32) * 4;
    const int andStride = ((s + 31) / 32) * 4;
    const int colours = 1 << bpp;
    std::vector<std::uint8_t> v;
    Put32(v, 40); Put32(v, static_cast<unsigned>(s)); Put32(v, static_cast<unsigned>(2 * s));
    Put16(v, 1); Put16(v, static_cast<unsigned>(bpp)); Put32(v, 0);
    Put32(v, static_cast<unsigned>((xorStride + andStride) * s));
    Put32(v, 0); Put32(v, 0); Put32(v, 0); Put32(v, 0);
    for (int i = 0; i < colours; ++i) {
        const std::uint8_t* rgb = kVga[i < 16 ? i : 0];
        v.push_back(rgb[2]); v.push_back(rgb[1]); v.push_back(rgb[0]); v.push_back(0);
    }
    for (int y = s - 1; y >= 0; --y) {  // bottom-up rows
        std::vector<std::uint8_t> row(static_cast<size_t>(xorStride), 0);
        for (int x = 0; x < s; ++x) {
            const int p = c.At(x, y) < 0 ? 0 : c.At(x, y);
            if (bpp == 4) row[static_cast<size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 ? p : p << 4);
            else row[static_cast<size_t>(x)] = static_cast<std::uint8_t>(p);
        }
        v.insert(v.end(), row.begin(), row.end());
    }
    for (int y = s - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<size_t>(andStride), 0);
        for (int x = 0; x < s; ++x)
            if (c.At(x, y) < 0) row[static_cast<size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        v.insert(v.end(), row.begin(), row.end());
    }
    return v;
}

struct Image { Canvas canvas; int bpp; };

bool WriteIco(const std::string& path, const std::vector<Image>& images) {
    std::vector<std::uint8_t> head, body;
    Put16(head, 0); Put16(head, 1); Put16(head, static_cast<unsigned>(images.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
    for (const Image& im : images) {
        std::vector<std::uint8_t> data = EncodeImage(im.canvas, im.bpp);
        head.push_back(static_cast<std::uint8_t>(im.canvas.size));
        head.push_back(static_cast<std::uint8_t>(im.canvas.size));
        head.push_back(static_cast<std::uint8_t>(im.bpp == 4 ? 16 : 0));
        head.push_back(0);
        Put16(head, 1); Put16(head, static_cast<unsigned>(im.bpp));
        Put32(head, static_cast<unsigned>(data.size())); Put32(head, offset);
        offset += static_cast<unsigned>(data.size());
        body.insert(body.end(), data.begin(), data.end());
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(head.size()));
    out.write(reinterpret_cast<const char*>(body.data()), static_cast<std::streamsize>(body.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: icongen <chrome icon folder> <resource folder>\n");
        return 2;
    }
    const std::string chrome = std::string(argv[1]) + "/", res = std::string(argv[2]) + "/";
    const bool ok = WriteIco(chrome + "note.ico", {{DrawNotepad(16), 4}}) &&
                    WriteIco(chrome + "sizegrip.ico", {{DrawSizeGrip(12), 4}}) &&
                    WriteIco(chrome + "close.ico", {{DrawClose(16), 4}}) &&
                    WriteIco(chrome + "min.ico", {{DrawMin(16), 4}}) &&
                    WriteIco(res + "scrivlet.ico", {{DrawNotepad(16), 4}, {DrawNotepad(24), 4},
                                                    {DrawNotepad(32), 4}, {DrawNotepad(48), 8}});
    if (!ok) std::fprintf(stderr, "icongen: could not write the icon files\n");
    return ok ? 0 : 1;
}
