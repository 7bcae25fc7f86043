// The palette readers and writers: each text format with good and bad lines, the binary swatch
// exchange format with every colour model and its damaged files, the 256-colour limit, and the
// round trip through the files we write.

#include "io/palette_files.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

namespace fcw {
namespace {

constexpr Colour kRed = rgbColour(255, 0, 0);
constexpr Colour kGreen = rgbColour(0, 255, 0);
constexpr Colour kBlue = rgbColour(0, 0, 255);

std::vector<Colour> coloursOf(const PaletteRead& r) {
    std::vector<Colour> out;
    for (const PaletteColour& c : r.palette.colours) {
        out.push_back(c.colour);
    }
    return out;
}

struct TextCase {
    const char* what;
    PaletteFormat format;
    const char* text;
    std::vector<Colour> colours;
    int skipped;
    bool refused;
};

TEST(PaletteFiles, TextFormatsKeepGoodLinesAndCountBadOnes) {
    const TextCase cases[] = {
        {"gpl",
         PaletteFormat::Gpl,
         "GIMP Palette\nName: Tiny\nColumns: 4\n# comment\n255 0 0 Red\n  0 255   0\tGreen\n"
         "300 0 0 too red\n1 2\nx y z\n1.5 2 3\n-1 0 0\n\n0 0 255\n",
         {kRed, kGreen, kBlue},
         5,
         false},
        {"gpl with BOM and CRLF",
         PaletteFormat::Gpl,
         "\xEF\xBB\xBFGIMP Palette\r\n0 0 255\r\n",
         {kBlue},
         0,
         false},
        {"gpl without its header", PaletteFormat::Gpl, "255 0 0 Red\n", {}, 0, true},
        {"gpl with no colour", PaletteFormat::Gpl, "GIMP Palette\nName: x\n300 0 0\n", {}, 0, true},
        {"hex",
         PaletteFormat::Hex,
         "ff0000\n#00FF00\n\n12345\nzzzzzz\n#1234567\n  0000ff  \n",
         {kRed, kGreen, kBlue},
         3,
         false},
        {"empty hex", PaletteFormat::Hex, "", {}, 0, true},
        {"paint.net",
         PaletteFormat::PaintNet,
         "; paint.net Palette File\n;Colors: 3\nFFFF0000\n8000ff00\nFF00\nGG000000\n0000FF\n",
         {kRed, kGreen},
         3,
         false},
        {"paint.net of comments only", PaletteFormat::PaintNet, "; nothing\n", {}, 0, true},
    };
    for (const TextCase& c : cases) {
        const std::string_view text(c.text);
        const PaletteRead r = readPaletteBytes(
            c.format, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
        EXPECT_EQ(coloursOf(r), c.colours) << c.what;
        EXPECT_EQ(r.skipped, c.refused ? r.skipped : c.skipped) << c.what;
        EXPECT_EQ(!r.error.empty(), c.refused) << c.what;
    }
    const PaletteRead gpl = readGplPalette(cases[0].text);
    EXPECT_EQ(gpl.palette.name, "Tiny");
    EXPECT_EQ(gpl.palette.colours[0].name, "Red");
    EXPECT_EQ(gpl.palette.colours[1].name, "Green");
    EXPECT_EQ(readHexPalette("").error, kPaletteEmpty);
}

TEST(PaletteFiles, MoreThan256ColoursKeepsTheFirstAndCountsTheRest) {
    std::string hex;
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < 300; ++i) {
        char line[8];
        std::snprintf(line, sizeof line, "%06x\n", i);
        hex += line;
        pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(i));
        pixels.push_back(0xFF000000u); // repeats of black, dropped
    }
    for (const PaletteRead& r : {readHexPalette(hex), paletteFromPixels(pixels)}) {
        ASSERT_EQ(r.palette.colours.size(), kMaxPaletteColours);
        EXPECT_EQ(r.leftOver, 300 - kMaxPaletteColours);
        EXPECT_EQ(r.palette.colours[255].colour, rgbColour(0, 0, 255));
    }
}

TEST(PaletteFiles, SwatchPixelsAndModelColoursDropRepeatsAndTransparency) {
    const std::uint32_t pixels[] = {0xFFFF0000, 0xFFFF0000, 0x00000000, 0x000000FF,
                                    0xFF0000FF, 0x80FF0000, 0xFF00FF00};
    EXPECT_EQ(coloursOf(paletteFromPixels(pixels)), (std::vector<Colour>{kRed, kBlue, kGreen}));
    EXPECT_EQ(paletteFromPixels(std::span(pixels + 2, 2)).error, kPaletteEmpty);
    const Colour model[] = {kGreen, kRed, kGreen, kBlue, kRed};
    EXPECT_EQ(coloursOf(paletteFromColours(model)), (std::vector<Colour>{kGreen, kRed, kBlue}));
}

// ---- the swatch exchange format, built byte by byte ----

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v >> 16);
    put16(out, v & 0xFFFF);
}

std::vector<std::uint8_t> block(unsigned kind, const std::vector<std::uint8_t>& payload) {
    std::vector<std::uint8_t> out;
    put16(out, kind);
    put32(out, static_cast<std::uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

std::vector<std::uint8_t> entry(std::u16string name, const char* model,
                                std::initializer_list<float> values) {
    std::vector<std::uint8_t> out;
    put16(out, static_cast<unsigned>(name.size() + 1));
    for (char16_t unit : name) {
        put16(out, unit);
    }
    put16(out, 0);
    out.insert(out.end(), model, model + 4);
    for (float v : values) {
        put32(out, std::bit_cast<std::uint32_t>(v));
    }
    put16(out, 2); // a normal colour
    return block(0x0001, out);
}

std::vector<std::uint8_t> aseFile(const std::vector<std::vector<std::uint8_t>>& blocks) {
    std::vector<std::uint8_t> out = {'A', 'S', 'E', 'F', 0, 1, 0, 0};
    put32(out, static_cast<std::uint32_t>(blocks.size()));
    for (const auto& b : blocks) {
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

TEST(PaletteFiles, SwatchExchangeConvertsEachModelAndFlattensGroups) {
    const std::vector<std::uint8_t> group = {0, 2, 0, 'G', 0, 0};
    const auto file = aseFile({
        block(0xC001, group), entry(u"Red", "RGB ", {1.0f, 0.0f, 0.5f}),
        entry(u"\u8d64", "CMYK", {0.0f, 1.0f, 1.0f, 0.0f}), block(0xC002, {}),
        entry(u"white", "LAB ", {1.0f, 0.0f, 0.0f}), entry(u"mid", "LAB ", {0.5f, 0.0f, 0.0f}),
        block(0x1234, {1, 2, 3}), // a kind of block no reader knows: skipped
        entry(u"grey", "Gray", {0.5f}),
        entry(u"bad", "XYZ ", {0.1f, 0.2f, 0.3f}),  // an unknown model
        entry(u"over", "RGB ", {1.5f, 0.0f, 0.0f}), // out of range
        block(0x0001, {0, 9}),                      // a name longer than its block
    });
    const PaletteRead r = readAsePalette(file);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(coloursOf(r),
              (std::vector<Colour>{rgbColour(255, 0, 128), kRed, rgbColour(255, 255, 255),
                                   rgbColour(119, 119, 119), rgbColour(128, 128, 128)}));
    EXPECT_EQ(r.palette.colours[0].name, "Red");
    EXPECT_EQ(r.palette.colours[1].name, "\xE8\xB5\xA4"); // 赤 in UTF-8
    EXPECT_EQ(r.skipped, 3);
}

TEST(PaletteFiles, DamagedSwatchExchangeFilesAreRefusedWhole) {
    const auto good = aseFile(
        {entry(u"Red", "RGB ", {1.0f, 0.0f, 0.0f}), entry(u"Blue", "RGB ", {0.0f, 0.0f, 1.0f})});
    ASSERT_EQ(coloursOf(readAsePalette(good)), (std::vector<Colour>{kRed, kBlue}));
    for (std::size_t size = 0; size < good.size(); ++size) {
        EXPECT_NE(readAsePalette(std::span(good).first(size)).error, "") << size;
    }
    auto pastEnd = good;
    pastEnd[12 + 5] = 200; // the first block's length runs past the end
    EXPECT_NE(readAsePalette(pastEnd).error, "");
    auto moreBlocks = good;
    moreBlocks[11] = 3; // a count of three blocks where two follow
    EXPECT_NE(readAsePalette(moreBlocks).error, "");
    auto notAse = good;
    notAse[0] = 'X';
    EXPECT_NE(readAsePalette(notAse).error, "");
    EXPECT_EQ(readAsePalette(aseFile({})).error, kPaletteEmpty);
}

TEST(PaletteFiles, WrittenFilesReadBackToTheSamePalette) {
    const Palette palette{"Mine", {{kRed, "Red"}, {rgbColour(1, 2, 3), ""}, {kBlue, "Deep blue"}}};
    const PaletteRead gpl = readGplPalette(writeGplPalette(palette));
    EXPECT_EQ(gpl.palette, palette);
    EXPECT_EQ(writeGplPalette(palette), "GIMP Palette\nName: Mine\nColumns: 16\n#\n"
                                        "255   0   0\tRed\n  1   2   3\n  0   0 255\tDeep blue\n");
    EXPECT_EQ(writeHexPalette(palette), "ff0000\n010203\n0000ff\n");
    EXPECT_EQ(coloursOf(readHexPalette(writeHexPalette(palette))),
              (std::vector<Colour>{kRed, rgbColour(1, 2, 3), kBlue}));
    // A name that would break a line is blanked where it would, and trimmed.
    const Palette odd{"two\nlines", {{kRed, " a\nb\t"}}};
    EXPECT_EQ(readGplPalette(writeGplPalette(odd)).palette,
              (Palette{"two lines", {{kRed, "a b"}}}));
}

TEST(PaletteFiles, ColoursAsTextAndFormatsByExtension) {
    EXPECT_EQ(parseHexColour("#FF0000"), kRed);
    EXPECT_EQ(parseHexColour(" 00ff00 "), kGreen);
    EXPECT_EQ(parseHexColour("#ff00"), std::nullopt);
    EXPECT_EQ(parseHexColour("#gg0000"), std::nullopt);
    EXPECT_EQ(hexColourText(rgbColour(1, 171, 255)), "#01abff");
    EXPECT_EQ(paletteFormatOf("a/b.GPL"), PaletteFormat::Gpl);
    EXPECT_EQ(paletteFormatOf("x.hex"), PaletteFormat::Hex);
    EXPECT_EQ(paletteFormatOf("x.txt"), PaletteFormat::PaintNet);
    EXPECT_EQ(paletteFormatOf("x.ase"), PaletteFormat::Ase);
    EXPECT_EQ(paletteFormatOf("x.png"), PaletteFormat::Png);
    EXPECT_EQ(paletteFormatOf("dir.gpl/x"), PaletteFormat::Unknown);
}

} // namespace
} // namespace fcw
