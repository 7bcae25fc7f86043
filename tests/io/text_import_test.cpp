#include "editor/batch_player.h"
#include "editor/text_commands.h"
#include "io/text_export.h"
#include "io/text_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fcw {
namespace {

std::vector<Triangle> sample() {
    std::vector<Triangle> out(2);
    out[0].setVertex(0, Point3(0, 0, 0));
    out[0].setVertex(1, Point3(1.25, 2.5, -3));
    out[0].setVertex(2, Point3(-7, 8.125, 9));
    out[0].setColour(0x00FF8040);
    out[1].setVertex(0, Point3(4, 5, 6));
    out[1].setVertex(1, Point3(7, 8, 9));
    out[1].setVertex(2, Point3(1, 0, 1));
    out[1].setColour(0x003F3F3F);
    return out;
}

void expectSameCoordinates(const std::vector<TriangleCore>& got, double factor) {
    const auto want = sample();
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_NEAR(got[i].v[k][0], want[i].v[k].x * factor, 1e-6);
            EXPECT_NEAR(got[i].v[k][1], want[i].v[k].y * factor, 1e-6);
            EXPECT_NEAR(got[i].v[k][2], want[i].v[k].z * factor, 1e-6);
        }
    }
}

TEST(TextImport, NumberParsersFollowTheirOwnRules) {
    EXPECT_EQ(parseDecimal("=12.5;"), 12.5);
    EXPECT_EQ(parseDecimal("-.5"), -0.5);
    EXPECT_EQ(parseDecimal("1-2"), -12.0);
    EXPECT_EQ(parseDecimal("1.5E+02"), 1.502);
    EXPECT_EQ(parseDecimal(""), 0.0);
    EXPECT_EQ(parseDecimal("3\r7"), 3.0);
    EXPECT_EQ(parseHex("=0xff;"), 255u);
    EXPECT_EQ(parseHex("=0xFF;"), 0u);
    EXPECT_EQ(parseHex("-1"), 0xFFFFFFFFu);
}

TEST(TextImport, BothKeywordFormatsRoundTripWithTheirScales) {
    TextExportOptions options;
    options.scale = 2.0;
    const auto one = readTextModel(writeTextType1(sample(), options), 0.5);
    ASSERT_TRUE(one);
    expectSameCoordinates(one->triangles, 1.0);
    EXPECT_EQ(one->triangles[0].colour, 0x00FF8040u);
    const auto two = readTextModel(writeTextType2(sample(), options), 1.0);
    ASSERT_TRUE(two);
    expectSameCoordinates(two->triangles, 2.0);
    EXPECT_EQ(two->triangles[1].colour, 0x003F3F3Fu);

    options.writeColours = false;
    EXPECT_TRUE(readTextModel(writeTextType1(sample(), options), 1.0)->triangles.empty());
    const auto plain = readTextModel(writeTextType2(sample(), options), 1.0);
    EXPECT_EQ(plain->triangles.size(), 2u);
    EXPECT_EQ(plain->triangles[0].colour, 0u); // not whatever a slot held before
    EXPECT_FALSE(readTextModel("Something else\r\n", 1.0));
    EXPECT_FALSE(readTextModel("", 1.0));
}

TEST(TextImport, LineEndsOfEveryKindAndCarriageReturnOnlyFiles) {
    TextExportOptions options;
    std::string text = writeTextType1(sample(), options);
    std::string crOnly;
    for (char c : text) {
        if (c != '\n') {
            crOnly += c;
        }
    }
    expectSameCoordinates(readTextModel(crOnly, 1.0)->triangles, 1.0);
    options.title = "t";
    std::string dxf = writeDxf(sample(), options);
    std::string lfOnly;
    for (char c : dxf) {
        if (c != '\r') {
            lfOnly += c;
        }
    }
    expectSameCoordinates(readDxfModel(lfOnly, 1.0).triangles, 1.0);
}

TEST(TextImport, DxfColoursComeBackQuantised) {
    TextExportOptions options;
    options.title = "t";
    const ImportedModel m = readDxfModel(writeDxf(sample(), options), 1.0);
    expectSameCoordinates(m.triangles, 1.0);
    EXPECT_EQ(m.triangles[1].colour, 0x00404040u);
    EXPECT_EQ(m.triangles[0].colour, 0x00FF8040u);
}

TEST(TextImport, DxfAsOtherProgramsWriteIt) {
    // Padded codes, a HEADER section, extra groups, corners in reverse order and the third
    // corner repeated as the fourth; then a true quadrilateral.
    const std::string dxf =
        "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nENTITIES\n"
        "  0\n3DFACE\n  5\n1F\n100\nAcDbFace\n  8\n0\n 62\n     4\n 70\n     0\n"
        " 13\n2.0\n 23\n0.0\n 33\n0.0\n"
        " 12\n2.0\n 22\n0.0\n 32\n0.0\n"
        " 11\n1.0\n 21\n0.0\n 31\n0.0\n"
        " 10\n0.0\n 20\n0.0\n 30\n0.0\n"
        "  0\n3DFACE\n  8\n0\n"
        " 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n1.0\n 21\n0.0\n 31\n0.0\n"
        " 12\n1.0\n 22\n1.0\n 32\n0.0\n 13\n0.0\n 23\n1.0\n 33\n0.0\n"
        "  0\nENDSEC\n  0\nEOF\n";
    const ImportedModel m = readDxfModel(dxf, 1.0);
    ASSERT_EQ(m.triangles.size(), 3u);
    EXPECT_EQ(m.triangles[0].colour, 0x000000FFu);
    EXPECT_EQ(m.triangles[0].v[1][1], 1.0); // corner 2 (file X 1) in store y
    EXPECT_EQ(m.triangles[0].v[2][1], 2.0);
    // The quadrilateral: 1-2-3 and 4-1-3, both of the face's colour (none here: 0).
    EXPECT_EQ(m.triangles[2].v[0][2], -1.0); // corner 4 (Y 1) in store z
    EXPECT_EQ(m.triangles[2].v[2][1], 1.0);
}

TEST(TextImport, LimitsKeepTheCompleteTrianglesRead) {
    std::string type1 = "FacetCraftwerk_Text_Type_1\n";
    for (int i = 0; i < 3002; ++i) {
        type1 += "T[0].color=0xff;\nP=1;\nP=2;\nP=3;\nP=4;\nP=5;\nP=6;\nP=7;\nP=8;\nP=9;\n";
    }
    // "P=" lines are not points: the keyword must follow the first character.
    const auto none = readTextModel(type1, 1.0);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->triangles.size(), 3001u);
    EXPECT_EQ(*none->message, "ポリゴンの数が多すぎて全てを入力できません。");

    std::string dxf;
    for (int i = 0; i < 3002; ++i) {
        dxf += "0\n3DFACE\n10\n1\n20\n2\n30\n3\n11\n4\n21\n5\n31\n6\n12\n7\n22\n8\n32\n9\n";
    }
    const ImportedModel m = readDxfModel(dxf, 1.0);
    EXPECT_EQ(m.triangles.size(), 3001u);
    EXPECT_EQ(*m.message, "ポリゴンの数が大きすぎて全てを入力できません。");
    EXPECT_EQ(m.triangles[3000].v[2][0], -9.0);
}

TEST(TextImport, CommandKeepsTheModelWhenImportCannotStartAndIsOneUndoStep) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "fcw-import";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "bad.tx1") << "Not a model\r\n";
    TextExportOptions options;
    std::ofstream(dir / "good.tx2", std::ios::binary) << writeTextType2(sample(), options);

    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    Editor& e = player.editor();
    for (const char* line : {"down 400 300", "down 500 300", "down 400 400"}) {
        ASSERT_FALSE(player.runLine(line));
    }
    const std::string bad = "answer file \"" + (dir / "bad.tx1").string() + "\"";
    const std::string missing = "answer file \"" + (dir / "none.tx1").string() + "\"";
    for (const std::string& line : {std::string("answer cancel"), std::string("answer file \"\""),
                                    bad, missing}) {
        ASSERT_FALSE(player.runLine(line));
        ASSERT_FALSE(player.runLine("command 32892"));
        EXPECT_EQ(e.store.lastIndex, 0) << line;
    }
    EXPECT_NE(out.str().find("message ファイルタイプを識別できませんでした\n"), std::string::npos);
    const int depth = e.undoDepth();
    ASSERT_FALSE(player.runLine("answer file \"" + (dir / "good.tx2").string() + "\""));
    ASSERT_FALSE(player.runLine("command 32892"));
    EXPECT_EQ(e.store.lastIndex, 1);
    EXPECT_EQ(e.undoDepth(), depth + 1);
    ASSERT_FALSE(player.runLine("command 32799"));
    EXPECT_EQ(e.store.lastIndex, 0);
    EXPECT_EQ(e.store.modelTriangles[0].v[1].y, 100.0);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace fcw
