// The palette panel's commands through the batch player: reading each kind of file, refusals
// that keep the palette, writing, the model's colours, swatch picks and the typed colour, and
// the palette kept beside the settings from one start to the next.

#include "editor/commands/palette_commands.h"
#include "script_fixture.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <utility>

namespace fcw {
namespace {

class PaletteCommands : public testing::ScriptTest {
  protected:
    testing::TempFolder folder{"fcw-palette"};

    std::string write(const std::string& name, const std::string& text) {
        const std::string path = folder.path(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string readBack(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void load(const std::string& path) {
        run({("answer file \"" + path + "\"").c_str(), "command 33045"});
    }
    std::vector<Colour> colours() const {
        std::vector<Colour> list;
        for (const PaletteColour& c : e.services.palette.colours) {
            list.push_back(c.colour);
        }
        return list;
    }
    std::string output() { return std::exchange(out, std::ostringstream()).str(); }
};

TEST_F(PaletteCommands, ALoadTellsWhatItSkippedAndARefusalKeepsThePalette) {
    run("dump");
    EXPECT_EQ(output().find("\"palette\""), std::string::npos); // no palette, no key
    load(write("a.gpl", "GIMP Palette\n255 0 0 Red\n300 0 0\n1 2\n0 0 255 Blue\n"));
    EXPECT_EQ(colours(), (std::vector<Colour>{0x0000FF, 0xFF0000}));
    EXPECT_EQ(e.services.palette.name, "a");
    EXPECT_NE(output().find("message 範囲外の値か読めない書式の 2 行"), std::string::npos);
    run("dump");
    EXPECT_NE(output().find("\"currentColour\":0,\"palette\":[255,16711680],"), std::string::npos);

    const std::string refusals[] = {write("empty.hex", "# only\nnothing here\n"),
                                    write("cut.ase", std::string("ASEF\0\1\0\0\0\0\0\1\0\1", 14)),
                                    write("none.txt", "; comments\n"), folder.path("missing.gpl"),
                                    write("x.pal", "ff0000\n")};
    for (const std::string& path : refusals) {
        load(path);
        EXPECT_EQ(colours(), (std::vector<Colour>{0x0000FF, 0xFF0000})) << path;
        EXPECT_NE(output().find("message " + path), std::string::npos) << path;
    }
    load(folder.path("empty.hex"));
    EXPECT_NE(output().find("パレットに色がありません。"), std::string::npos);
}

TEST_F(PaletteCommands, SwatchPicturesComeThroughTheHostsDecoder) {
    player.setImageDecoder([](const std::string&, std::size_t max) {
        EXPECT_EQ(max, kMaxSwatchPixels);
        return DecodedImage{3, 1, {0xFFFF0000, 0xFFFF0000, 0xFF00FF00}, {}};
    });
    const std::string png = write("s.png", "not decoded here");
    load(png);
    EXPECT_EQ(colours(), (std::vector<Colour>{0x0000FF, 0x00FF00}));
    player.setImageDecoder({}); // a host without a decoder refuses, and the palette stays
    load(png);
    EXPECT_EQ(colours(), (std::vector<Colour>{0x0000FF, 0x00FF00}));
    EXPECT_NE(output().find("この環境では画像を読み込めません"), std::string::npos);
}

TEST_F(PaletteCommands, ExportWritesGplOrHexByTheNameAndNeedsColours) {
    run("command 33046");
    EXPECT_EQ(output(), "disabled 33046\n");
    load(write("in.hex", "ff0000\n00ff00\n"));
    run({("answer file " + folder.path("out.hex")).c_str(), "command 33046",
         ("answer file " + folder.path("out")).c_str(), "command 33046"});
    EXPECT_EQ(readBack(folder.path("out.hex")), "ff0000\n00ff00\n");
    EXPECT_EQ(readBack(folder.path("out.gpl")),
              "GIMP Palette\nName: in\nColumns: 16\n#\n255   0   0\n  0 255   0\n");
    e.services.writeFaults.failAfterBytes = 3; // a failed write leaves the old file whole
    run({("answer file " + folder.path("out.hex")).c_str(), "command 33046"});
    EXPECT_EQ(readBack(folder.path("out.hex")), "ff0000\n00ff00\n");
    EXPECT_NE(output().find("message "), std::string::npos);
}

TEST_F(PaletteCommands, TheModelsColoursInOrderOfFirstUse) {
    run("command 33047");
    EXPECT_EQ(output(), "disabled 33047\n");
    run({"open " FCW_EXAMPLES_DIR "/showcase.fcw", "command 33047"});
    std::vector<Colour> expected;
    for (int i = 0; i <= e.document.store.lastIndex; ++i) {
        const Colour c = e.document.store.modelTriangles[static_cast<std::size_t>(i)].colour;
        if (std::find(expected.begin(), expected.end(), c) == expected.end()) {
            expected.push_back(c);
        }
    }
    ASSERT_GT(expected.size(), 1u);
    EXPECT_EQ(colours(), expected);
    EXPECT_FALSE(e.document.modified); // the palette is not the document
}

TEST_F(PaletteCommands, PicksAndTypedColoursBecomeTheCurrentColourWithThePaintTool) {
    load(write("p.hex", "ff0000\n0000ff\n"));
    run("palette pick 1");
    EXPECT_EQ(e.session.interaction.currentColour, 0xFF0000u);
    EXPECT_EQ(e.session.interaction.toolMode, ToolMode::Paint);
    EXPECT_TRUE(player.runLine("palette pick 2"));
    EXPECT_TRUE(player.runLine("palette pick -1"));
    EXPECT_TRUE(player.runLine("palette take 1"));
    run("command 32801");
    EXPECT_TRUE(takeTypedColour(e, "#00ff80"));
    EXPECT_EQ(e.session.interaction.currentColour, 0x80FF00u);
    EXPECT_EQ(e.session.interaction.toolMode, ToolMode::Paint);
    EXPECT_FALSE(takeTypedColour(e, "green"));
    EXPECT_EQ(e.session.interaction.currentColour, 0x80FF00u);
    EXPECT_NE(output().find("message 色は #RRGGBB の形で入力してください。"), std::string::npos);
}

TEST_F(PaletteCommands, ThePaletteIsKeptBesideTheSettingsForTheNextStart) {
    const std::string profile = write("FacetCraftwerk.ini", "");
    run(("profile " + profile).c_str()); // no palette kept yet
    EXPECT_TRUE(e.services.palette.colours.empty());
    load(write("k.gpl", "GIMP Palette\nName: Kept\n1 2 3 one\n"));
    EXPECT_EQ(palettePathBeside(profile), folder.path("palette.gpl"));

    std::ostringstream out2, err2;
    BatchPlayer next(out2, err2);
    ASSERT_FALSE(next.runLine("profile " + profile));
    EXPECT_EQ(next.editor().services.palette, e.services.palette);
    EXPECT_EQ(next.editor().services.palette.name, "Kept");
    ASSERT_FALSE(next.runLine("dump"));
    EXPECT_NE(out2.str().find("\"palette\":[197121]"), std::string::npos);
}

} // namespace
} // namespace fcw
