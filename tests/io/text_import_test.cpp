#include "editor/batch/batch_player.h"
#include "editor/commands/text_commands.h"
#include "io/text_export.h"
#include "io/text_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

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
    expectSameCoordinates(readDxfModel(lfOnly, 1.0)->triangles, 1.0);
}

TEST(TextImport, DxfColoursComeBackQuantised) {
    TextExportOptions options;
    options.title = "t";
    const ImportedModel m = readDxfModel(writeDxf(sample(), options), 1.0).value();
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
    const ImportedModel m = readDxfModel(dxf, 1.0).value();
    ASSERT_EQ(m.triangles.size(), 3u);
    EXPECT_EQ(m.triangles[0].colour, 0x000000FFu);
    EXPECT_EQ(m.triangles[0].v[1][1], 1.0); // corner 2 (file X 1) in store y
    EXPECT_EQ(m.triangles[0].v[2][1], 2.0);
    // The quadrilateral: 1-2-3 and 4-1-3, both of the face's colour (none here: 0).
    EXPECT_EQ(m.triangles[2].v[0][2], -1.0); // corner 4 (Y 1) in store z
    EXPECT_EQ(m.triangles[2].v[2][1], 1.0);
}

// The store holds 3000 triangles: a file of exactly 3000 reads whole, and one with more stops
// at 3000 with its reader's message, in each format and for each way a file adds a triangle.
TEST(TextImport, LimitsKeepTheCompleteTrianglesRead) {
    auto type1 = [](int n) {
        std::string text = "FacetCraftwerk_Text_Type_1\n";
        for (int i = 0; i < n; ++i) {
            text += "T[0].color=0xff;\nP=1;\nP=2;\nP=3;\nP=4;\nP=5;\nP=6;\nP=7;\nP=8;\nP=9;\n";
        }
        return text;
    };
    auto type2 = [](int points, int colours) {
        std::string text = "FacetCraftwerk_Text_Type_2\n";
        for (int i = 0; i < 9 * points; ++i) {
            text += "P[0].x=" + std::to_string(i % 9) + ";\n";
        }
        for (int i = 0; i < colours; ++i) {
            text += "T[0].color=0xff;\n";
        }
        return text;
    };
    auto dxf = [](int n, bool quadrilaterals) {
        std::string text;
        for (int i = 0; i < n; ++i) {
            text += "0\n3DFACE\n10\n1\n20\n2\n30\n3\n11\n4\n21\n5\n31\n6\n12\n7\n22\n8\n32\n9\n";
            if (quadrilaterals) {
                text += "13\n9\n23\n9\n33\n9\n";
            }
        }
        return text;
    };
    constexpr char kType1[] = "ポリゴンの数が多すぎて全てを入力できません。";
    constexpr char kType2Points[] =
        "ポリゴンの数が多すぎて全てを入力できません。色情報は失われます";
    constexpr char kTotal[] = "ポリゴンの数が大きすぎて全てを入力できません。";
    struct Case {
        const char* name;
        std::optional<ImportedModel> full;
        std::optional<ImportedModel> over;
        const char* message;
    };
    const Case cases[] = {
        // "P=" lines are not points: the keyword must follow the first character.
        {"type 1", readTextModel(type1(3000), 1.0), readTextModel(type1(3002), 1.0), kType1},
        {"type 2 points", readTextModel(type2(3000, 0), 1.0), readTextModel(type2(3001, 0), 1.0),
         kType2Points},
        {"type 2 colours", readTextModel(type2(3000, 3000), 1.0),
         readTextModel(type2(3000, 3001), 1.0), kTotal},
        {"DXF", readDxfModel(dxf(3000, false), 1.0), readDxfModel(dxf(3002, false), 1.0), kTotal},
        {"DXF quadrilaterals", readDxfModel(dxf(1500, true), 1.0),
         readDxfModel(dxf(1501, true), 1.0), kTotal},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.full && c.over) << c.name;
        EXPECT_EQ(c.full->triangles.size(), 3000u) << c.name;
        EXPECT_FALSE(c.full->message) << c.name;
        EXPECT_EQ(c.over->triangles.size(), 3000u) << c.name;
        EXPECT_EQ(c.over->message, std::optional<std::string>(c.message)) << c.name;
    }
    EXPECT_EQ(cases[3].over->triangles[2999].v[2][0], -9.0);
}

// Lines are the same however the text is cut into pieces, a CR LF split between two pieces
// included, and a line without an end is handed over at the length limit, cut there, without
// holding the rest.
TEST(TextImport, LineSplitterGivesTheSameLinesForAnyPieces) {
    const std::string longLine(LineSplitter::kMaxLineBytes + 5000, 'x');
    const std::string text = "a\r\nb\rc\n\n\r\r\nd" + std::string("\n") + longLine + "\ne\r";
    const std::vector<std::string> want = {
        "a", "b", "c", "", "", "", "d", longLine.substr(0, LineSplitter::kMaxLineBytes), "e"};
    for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7},
                                    std::size_t{4096}, text.size()}) {
        LineSplitter splitter;
        std::vector<std::string> got;
        auto take = [&](std::string_view line) {
            got.emplace_back(line);
            return true;
        };
        for (std::size_t at = 0; at < text.size(); at += piece) {
            ASSERT_TRUE(splitter.feed(std::string_view(text).substr(at, piece), take));
        }
        splitter.finish(take);
        EXPECT_EQ(got, want) << piece;
    }

    // A reader that has seen enough stops the splitter at once.
    LineSplitter splitter;
    int calls = 0;
    EXPECT_FALSE(splitter.feed("1\n2\n3\n", [&](std::string_view) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
    // Nothing but an endless line: handed over once, at the limit.
    LineSplitter endless;
    calls = 0;
    const std::string zeros(3 * LineSplitter::kMaxLineBytes, '\0');
    EXPECT_TRUE(endless.feed(zeros, [&](std::string_view line) {
        EXPECT_EQ(line.size(), LineSplitter::kMaxLineBytes);
        return ++calls > 0;
    }));
    EXPECT_EQ(calls, 1);
}

// Group codes and values come in pairs of lines; a stray blank line before the file or between
// entities (or any line that is not a whole number where a code is due) no longer shifts every
// pair after it. A file without a single 3DFACE is no DXF model at all.
TEST(TextImport, DxfFindsItsPairsAgainAfterStrayLines) {
    const std::string face = "0\n3DFACE\n8\n0\n62\n4\n10\n1\n20\n2\n30\n3\n11\n4\n21\n5\n31\n6\n"
                             "12\n7\n22\n8\n32\n9\n13\n1\n23\n2\n33\n3\n";
    const std::string padded = "  0\n3DFACE\n 010\n1\n 020\n2\n 030\n3\n 11\n4\n 21\n5\n 31\n6\n"
                               " 12\n7\n 22\n8\n 32\n9\n";
    for (const std::string& text :
         {"\n0\nSECTION\n2\nENTITIES\n" + face + "\n" + face + "\n\n" + padded + "0\nENDSEC\n",
          "\r\n\r\n" + face + "  \n" + face + padded + "\n0\nEOF\n"}) {
        const auto m = readDxfModel(text, 1.0);
        ASSERT_TRUE(m);
        ASSERT_EQ(m->triangles.size(), 3u);
        for (const TriangleCore& t : m->triangles) {
            EXPECT_EQ(t.v[0], (std::array<double, 3>{-3.0, 1.0, -2.0}));
            EXPECT_EQ(t.v[2], (std::array<double, 3>{-9.0, 7.0, -8.0}));
        }
        EXPECT_EQ(m->triangles[0].colour, 0x000000FFu);
        EXPECT_EQ(m->triangles[2].colour, 0u);
    }

    for (const char* none : {"", "\n\n\n", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n1\n0\nENDSEC\n",
                             "FacetCraftwerk_Text_Type_1\nT[0].color=0xff;\n"}) {
        EXPECT_FALSE(readDxfModel(none, 1.0)) << none;
    }
}

// A value that is no finite number in store units (hundreds of digits, or a large number times
// the import scale) refuses the whole file in every format, wherever it comes.
TEST(TextImport, NonFiniteValuesRefuseTheFile) {
    const std::string huge(400, '9');
    // 1e99: within the coordinate limit until scaled.
    const std::string large = "1" + std::string(99, '0');
    TextExportOptions options;
    options.title = "t";
    const std::string type1 = writeTextType1(sample(), options);
    const std::string type2 = writeTextType2(sample(), options);
    const std::string dxf = writeDxf(sample(), options);
    auto replaced = [](std::string text, const std::string& what, const std::string& with) {
        return text.replace(text.rfind(what), what.size(), with);
    };
    struct Case {
        std::optional<ImportedModel> model;
        const char* name;
    };
    const Case cases[] = {
        {readTextModel(replaced(type1, "=5.000000;", "=" + huge + ";"), 1.0), "type 1"},
        {readTextModel(replaced(type2, "=5.000000;", "=-" + huge + ";"), 1.0), "type 2"},
        {readDxfModel(replaced(dxf, "\r\n5.000000\r\n", "\r\n" + huge + "\r\n"), 1.0), "DXF"},
        {readTextModel(replaced(type1, "=5.000000;", "=" + large + ";"), 10000.0), "scaled"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.model) << c.name;
        EXPECT_EQ(c.model->refusal,
                  std::optional<std::string>("座標の値が大きすぎて入力できません。"))
            << c.name;
    }
    const auto fine = readTextModel(replaced(type1, "=5.000000;", "=" + large + ";"), 1.0);
    ASSERT_TRUE(fine);
    EXPECT_FALSE(fine->refusal);
    EXPECT_EQ(fine->triangles.size(), 2u);
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
    for (const std::string& line :
         {std::string("answer cancel"), std::string("answer file \"\""), bad, missing}) {
        ASSERT_FALSE(player.runLine(line));
        ASSERT_FALSE(player.runLine("command 32892"));
        EXPECT_EQ(e.document.store.lastIndex, 0) << line;
    }
    EXPECT_NE(out.str().find("message ファイルタイプを識別できませんでした\n"), std::string::npos);
    const int depth = e.undoDepth();
    ASSERT_FALSE(player.runLine("answer file \"" + (dir / "good.tx2").string() + "\""));
    ASSERT_FALSE(player.runLine("command 32892"));
    EXPECT_EQ(e.document.store.lastIndex, 1);
    EXPECT_EQ(e.undoDepth(), depth + 1);
    ASSERT_FALSE(player.runLine("command 32799"));
    EXPECT_EQ(e.document.store.lastIndex, 0);
    EXPECT_EQ(e.document.store.modelTriangles[0].v[1].y, 100.0);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace fcw
