#include "editor/batch/batch_player.h"
#include "io/text_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace fcw {
namespace {

std::vector<Triangle> oneTriangle(Colour colour) {
    Triangle t;
    t.setVertex(0, Point3(0, 0, 0));
    t.setVertex(1, Point3(1, 2, 3));
    t.setVertex(2, Point3(-1.5, 0.25, 1e6));
    t.setColour(colour);
    return {t};
}

TEST(TextExport, TypeOneByteForByte) {
    TextExportOptions options;
    const std::string text = writeTextType1(oneTriangle(0xFF), options);
    EXPECT_EQ(text, "FacetCraftwerk_Text_Type_1\r\n"
                    "T[0].color=0xff;\r\n"
                    "T[0].P[0].x=0.000000;\r\nT[0].P[0].y=-0.000000;\r\nT[0].P[0].z=-0.000000;\r\n"
                    "T[0].P[1].x=2.000000;\r\nT[0].P[1].y=-3.000000;\r\nT[0].P[1].z=-1.000000;\r\n"
                    "T[0].P[2].x=0.250000;\r\nT[0].P[2].y=-1000000.000000;\r\n"
                    "T[0].P[2].z=1.500000;\r\n"
                    "\r\n");
    EXPECT_EQ(writeTextType1({}, options), "FacetCraftwerk_Text_Type_1\r\n");
}

TEST(TextExport, TypeTwoListsPointsThenTriangles) {
    TextExportOptions options;
    options.scale = 2.0;
    options.writeColours = false;
    const std::string text = writeTextType2(oneTriangle(0xFF), options);
    EXPECT_NE(text.find("P[1].x=4.000000;\r\nP[1].y=-6.000000;\r\nP[1].z=-2.000000;\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("P[2].z=3.000000;\r\n\r\nT[0].TP[0]=0;\r\nT[0].TP[1]=1;\r\n"
                        "T[0].TP[2]=2;\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("color"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\nT[0].TP[2]=2;\r\n")); // no empty line at the end
    EXPECT_EQ(writeTextType2({}, options), "FacetCraftwerk_Text_Type_2\r\n\r\n");
}

TEST(TextExport, DxfFramesThreeDFacesWithTheFirstCornerRepeated) {
    TextExportOptions options;
    options.title = "model";
    const std::string text = writeDxf(oneTriangle(0x003F3F3F), options);
    EXPECT_EQ(text.substr(0, 44), "0\r\nSECTION\r\n2\r\nENTITIES\r\n999\r\nmodel\r\n0\r\n3DFA");
    EXPECT_NE(text.find("3DFACE\r\n8\r\nmodel\r\n62\r\n31\r\n10\r\n0.000000\r\n20\r\n-0.000000"),
              std::string::npos);
    EXPECT_NE(text.find("13\r\n0.000000\r\n23\r\n-0.000000\r\n33\r\n-0.000000\r\n0\r\nENDSEC"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n"));
    EXPECT_EQ(dxfColourNumber(0x00FFFFFF), 124);
    EXPECT_EQ(dxfColourNumber(0x000000FF), 4);
    EXPECT_EQ(dxfColourNumber(0), 0);
    EXPECT_EQ(writeDxf({}, options),
              "0\r\nSECTION\r\n2\r\nENTITIES\r\n999\r\nmodel\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n");
}

TEST(TextExport, CommandChoosesTheFormatByExactExtension) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "fcw-export";
    std::filesystem::create_directories(dir);
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    player.editor().services.settings.defaultTextFormat = 1;
    auto read = [](const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    for (const char* name : {"a.dxf", "b.DXF", "c.tx2"}) {
        ASSERT_FALSE(player.runLine(std::string("answer file \"") + (dir / name).string() + "\""));
        ASSERT_FALSE(player.runLine("command 32841"));
    }
    EXPECT_EQ(read(dir / "a.dxf").substr(0, 3), "0\r\n");
    EXPECT_EQ(read(dir / "b.DXF"), "FacetCraftwerk_Text_Type_1\r\n"); // capitals: the default
    EXPECT_EQ(read(dir / "c.tx2"), "FacetCraftwerk_Text_Type_2\r\n\r\n");
    ASSERT_FALSE(player.runLine("answer file \"\""));
    ASSERT_FALSE(player.runLine("command 32841"));
    ASSERT_FALSE(player.runLine("answer file \"" + (dir / "missing" / "x.tx1").string() + "\""));
    ASSERT_FALSE(player.runLine("command 32841"));
    EXPECT_EQ(out.str().rfind("message ファイル名が指定されませんでした\nmessage /", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace fcw
