#include "io/three_mf.h"

#include "io/atomic_file.h"
#include "io/frames.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fcw {
namespace {

class ThreeMf : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return folder_.path(name); }
    void writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    testing::TempFolder folder_{"fcw_three_mf"};
};

TriangleCore triangle(Colour c, Vec3 a, Vec3 b, Vec3 d) {
    TriangleCore t;
    t.colour = c;
    t.v = {a, b, d};
    return t;
}

// Three colours (one used twice), one triangle facing away, one crossing all three axes.
std::vector<TriangleCore> sampleModel() {
    const Colour red = colourOf(255, 0, 0);
    const Colour odd = colourOf(1, 128, 254);
    const Colour grey = colourOf(77, 77, 77);
    return {
        triangle(red, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}),
        triangle(odd, {5, 0, 0}, {5, 0, 10}, {5, 10, 0}), // faces away
        triangle(red, {-3.25, -7.5, 2.125}, {4.5, 6.0, -1.0}, {1.0, -2.0, -9.75}),
        triangle(grey, {0, 10, 0}, {0, 10, 10}, {0, 0, 10}),
    };
}

void expectSameTriangles(const std::vector<TriangleCore>& got,
                         const std::vector<TriangleCore>& want, double factor) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].colour, want[i].colour) << i;
        for (std::size_t k = 0; k < 3; ++k)
            for (std::size_t a = 0; a < 3; ++a)
                EXPECT_NEAR(got[i].v[k][a], want[i].v[k][a] * factor, 1e-4) << i << " " << k;
        EXPECT_EQ(faceNormal(got[i].v)[0] > 0, faceNormal(want[i].v)[0] > 0) << i;
    }
}

// The model part of a package, through the unzip tool; empty when it is not installed.
std::string modelXml(const std::string& file) {
    std::string xml;
    const std::string command = "unzip -p '" + file + "' 3D/3dmodel.model 2>/dev/null";
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            xml.append(buffer, n);
        ::pclose(pipe);
    }
    return xml;
}

std::size_t occurrences(const std::string& text, const std::string& word) {
    std::size_t n = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++n;
    return n;
}

TEST_F(ThreeMf, RoundTripKeepsCornersColoursAndFacing) {
    const auto model = sampleModel();
    std::string error;
    ASSERT_TRUE(writeThreeMf(path("m.3mf"), model, 1.0, &error)) << error;
    const ThreeMfRead back = readThreeMf(path("m.3mf"), 1.0);
    EXPECT_EQ(back.error, "");
    EXPECT_EQ(back.dropped, 0u);
    expectSameTriangles(back.triangles, model, 1.0);

    const std::string xml = modelXml(path("m.3mf"));
    if (xml.empty())
        GTEST_SKIP() << "unzip not available to look inside the package";
    EXPECT_NE(xml.find("unit=\"millimeter\""), std::string::npos);
    EXPECT_EQ(occurrences(xml, "<base "), 3u); // one material per distinct colour
    EXPECT_NE(xml.find("displaycolor=\"#0180FEFF\""), std::string::npos); // opaque
    EXPECT_EQ(occurrences(xml, "<object "), 1u);
    EXPECT_EQ(occurrences(xml, "<vertex "), 10u); // corners at equal positions are shared
}

TEST_F(ThreeMf, ScaleMultipliesBothWays) {
    const auto model = sampleModel();
    ASSERT_TRUE(writeThreeMf(path("m.3mf"), model, 2.5, nullptr));
    // The file holds millimetres = 2.5 x store units; reading multiplies by its own scale.
    expectSameTriangles(readThreeMf(path("m.3mf"), 1.0).triangles, model, 2.5);
    expectSameTriangles(readThreeMf(path("m.3mf"), 0.4).triangles, model, 1.0);
    // The Z-up frame: store (x, y, z) is file (y, -x, -z), so the first triangle's corner
    // (0, 10, 0) is at file x = 25 mm.
    const std::string xml = modelXml(path("m.3mf"));
    if (!xml.empty()) {
        EXPECT_NE(xml.find("x=\"25.000000\" y=\"0\" z=\"0\""), std::string::npos) << xml;
    }
}

TEST_F(ThreeMf, WriteRefusesWhatCannotBeWrittenAndKeepsTheOldFile) {
    ASSERT_TRUE(writeThreeMf(path("m.3mf"), sampleModel(), 1.0, nullptr));
    const auto before = std::filesystem::file_size(path("m.3mf"));
    std::string error;
    EXPECT_FALSE(writeThreeMf(path("m.3mf"), {}, 1.0, &error));
    EXPECT_FALSE(error.empty());
    auto huge = sampleModel();
    huge[2].v[1][0] = 1e60; // beyond single precision
    error.clear();
    EXPECT_FALSE(writeThreeMf(path("m.3mf"), huge, 1.0, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(writeThreeMf(path("m.3mf"), sampleModel(), 1e300, &error));
    for (const double scale : {0.0, -1.0, std::nan("")}) {
        EXPECT_FALSE(writeThreeMf(path("m.3mf"), sampleModel(), scale, nullptr)) << scale;
        EXPECT_TRUE(readThreeMf(path("m.3mf"), scale).triangles.empty()) << scale; // no mirror
    }
    EXPECT_EQ(std::filesystem::file_size(path("m.3mf")), before);
    EXPECT_EQ(readThreeMf(path("m.3mf"), 1.0).triangles.size(), 4u);

    error.clear();
    EXPECT_FALSE(writeThreeMf(path("no/such/folder/m.3mf"), sampleModel(), 1.0, &error));
    EXPECT_FALSE(error.empty());
}

// A triangle that names one corner twice, or whose corners differ by less than the file's
// six decimals of a millimetre, would be one a 3MF reader rejects.
TEST_F(ThreeMf, WriteLeavesOutTrianglesThatCollapse) {
    auto model = sampleModel();
    model.push_back(triangle(0, {1, 1, 1}, {1, 1, 1}, {2, 2, 2}));
    model.push_back(triangle(0, {3, 3, 3}, {3, 3 + 2e-7, 3}, {3, 3, 3 + 4e-7}));
    model.push_back(triangle(0, {3, 3, 3}, {3, 3 + 2e-6, 3}, {3, 3, 3 + 4e-6})); // kept
    ASSERT_TRUE(writeThreeMf(path("m.3mf"), model, 1.0, nullptr));
    const ThreeMfRead r = readThreeMf(path("m.3mf"), 1.0);
    EXPECT_EQ(r.triangles.size(), 5u);
    EXPECT_EQ(r.dropped, 0u);
}

// A package made by hand (tests/io/data/three_mf_features/, zipped): inch units, build item
// and component transforms, colour groups, the object's default material and a degenerate
// triangle.
TEST_F(ThreeMf, ReadsUnitsTransformsColourGroupsAndDefaults) {
    const ThreeMfRead r = readThreeMf(FCW_TEST_DATA_DIR "/three_mf_features.3mf", 1.0);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.dropped, 1u);
    ASSERT_EQ(r.triangles.size(), 5u);
    const std::vector<Colour> colours{colourOf(0x10, 0x80, 0x80), colourOf(255, 0, 0),
                                      colourOf(10, 20, 30), colourOf(255, 255, 255), 0xC0C0C0u};
    for (std::size_t i = 0; i < colours.size(); ++i)
        EXPECT_EQ(r.triangles[i].colour, colours[i]) << i;
    // Item 1: 2 p + (10, 0, 0) inches. The first triangle's file corners (0,0,0), (0,1,0),
    // (1,0,0) become 25.4 * ((10,0,0), (10,2,0), (12,0,0)); in store axes (-y, x, -z),
    // corner order reversed back.
    const auto mm = [](double inches) { return inches * 25.4; };
    const TriangleCore& first = r.triangles[0];
    EXPECT_NEAR(first.v[0][1], mm(10), 1e-4);
    EXPECT_NEAR(first.v[1][1], mm(12), 1e-4);
    EXPECT_NEAR(first.v[2][0], mm(-2), 1e-4);
    EXPECT_NEAR(first.v[2][1], mm(10), 1e-4);
    // Item 2 rotates (x, y) to (-y, x) in its component, lifts by 3 and shifts y by 5: file
    // corners (0,5,3), (0,6,3), (-1,5,3).
    const TriangleCore& last = r.triangles[4];
    const std::array<Vec3, 3> file{{{0, 5, 3}, {-1, 5, 3}, {0, 6, 3}}}; // reversed order
    for (std::size_t k = 0; k < 3; ++k) {
        const Vec3 want = pointFromExternal(ExternalFrame::ZUp, file[k]);
        for (std::size_t a = 0; a < 3; ++a)
            EXPECT_NEAR(last.v[k][a], mm(want[a]), 1e-4) << k << " " << a;
    }
}

// The sample model as this program writes it, taken through the assimp command (assimp 5.2:
// 3MF to OBJ, OBJ to 3MF): another writer's layout (no object default, "3D/3DModel.model",
// lower-case colours) reads back to the same corners and facing. That exporter names the
// first colour for every triangle, so all four come back red.
TEST_F(ThreeMf, ReadsAPackageWrittenByAnotherTool) {
    const ThreeMfRead r = readThreeMf(FCW_TEST_DATA_DIR "/three_mf_written_by_assimp.3mf", 1.0);
    ASSERT_EQ(r.error, "");
    auto want = sampleModel();
    for (auto& t : want)
        t.colour = colourOf(255, 0, 0);
    expectSameTriangles(r.triangles, want, 1.0);
}

// Six levels of components, each placing the one below ten times: a million placements of
// one triangle from a file of a kilobyte, refused instead of walked.
TEST_F(ThreeMf, RefusesComponentTreesThatMultiplyWithoutEnd) {
    const ThreeMfRead r = readThreeMf(FCW_TEST_DATA_DIR "/three_mf_nested_components.3mf", 1.0);
    EXPECT_EQ(r.error, "3MFファイルの部品の配置が多すぎます。");
    EXPECT_TRUE(r.triangles.empty());
}

TEST_F(ThreeMf, DamagedAndHostileFilesAreRefusedCleanly) {
    ASSERT_TRUE(writeThreeMf(path("m.3mf"), sampleModel(), 1.0, nullptr));
    std::vector<std::uint8_t> good;
    ASSERT_TRUE(readWholeFile(path("m.3mf"), good));

    const auto refused = [&](const std::string& file) {
        const ThreeMfRead r = readThreeMf(file, 1.0);
        return !r.error.empty() && r.triangles.empty();
    };
    EXPECT_TRUE(refused(path("missing.3mf")));
    EXPECT_TRUE(refused(folder_.dir())); // a folder
    writeBytes("empty.3mf", {});
    EXPECT_TRUE(refused(path("empty.3mf")));
    writeBytes("text.3mf", {'s', 'o', 'l', 'i', 'd', ' ', 'x'});
    EXPECT_TRUE(refused(path("text.3mf")));
    for (std::size_t n = 1; n < good.size(); n += 7) {
        writeBytes("cut.3mf", {good.begin(), good.begin() + static_cast<long>(n)});
        EXPECT_TRUE(refused(path("cut.3mf"))) << n;
    }
    // Flipped bytes anywhere: refused or read, never a crash or a half result.
    for (std::size_t at = 0; at < good.size(); at += 5) {
        auto bad = good;
        bad[at] ^= 0x5A;
        writeBytes("flip.3mf", bad);
        const ThreeMfRead r = readThreeMf(path("flip.3mf"), 1.0);
        EXPECT_NE(r.error.empty(), r.triangles.empty()) << at;
    }
}

// Little-endian fields appended to a byte list.
struct Bytes {
    std::vector<std::uint8_t> b;
    Bytes& le(std::uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
};

// A central directory of one entry announcing 3 GiB, in the classic fields or in zip64
// records: refused before anything is inflated.
std::vector<std::uint8_t> announcedBomb(bool zip64) {
    Bytes z;
    const std::uint64_t size = 3ull << 30;
    z.le(0x02014b50u, 4).le(45, 2).le(45, 2).le(0, 2).le(8, 2).le(0, 4).le(0, 4).le(100, 4);
    z.le(zip64 ? 0xFFFFFFFFu : size, 4).le(1, 2).le(zip64 ? 12 : 0, 2).le(0, 2).le(0, 2);
    z.le(0, 2).le(0, 4).le(0, 4).le('m', 1);
    if (zip64)
        z.le(1, 2).le(8, 2).le(size, 8);
    const std::uint64_t directorySize = z.b.size();
    if (zip64) {
        const std::uint64_t record = z.b.size();
        z.le(0x06064b50u, 4).le(44, 8).le(45, 2).le(45, 2).le(0, 4).le(0, 4);
        z.le(1, 8).le(1, 8).le(directorySize, 8).le(0, 8);
        z.le(0x07064b50u, 4).le(0, 4).le(record, 8).le(1, 4);
    }
    z.le(0x06054b50u, 4).le(0, 4).le(zip64 ? 0xFFFF : 1, 2).le(zip64 ? 0xFFFF : 1, 2);
    z.le(directorySize, 4).le(zip64 ? 0xFFFFFFFFu : 0, 4).le(0, 2);
    return z.b;
}

TEST_F(ThreeMf, RefusesPackagesThatUnpackTooLarge) {
    for (const bool zip64 : {false, true}) {
        writeBytes("bomb.3mf", announcedBomb(zip64));
        const ThreeMfRead r = readThreeMf(path("bomb.3mf"), 1.0);
        EXPECT_EQ(r.error, "3MFファイルの中身が大きすぎます。") << zip64;
    }
}

// lib3mf writes zip64 records into every package; the file on disk is a classic zip, which an
// independent reader (the assimp command, when installed) opens with the written facets.
TEST_F(ThreeMf, WrittenPackageIsAClassicZipOtherReadersOpen) {
    ASSERT_TRUE(writeThreeMf(path("m.3mf"), sampleModel(), 1.0, nullptr));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(path("m.3mf"), bytes));
    const std::uint8_t zip64End[] = {0x50, 0x4b, 0x06, 0x06};
    EXPECT_EQ(std::search(bytes.begin(), bytes.end(), std::begin(zip64End), std::end(zip64End)),
              bytes.end());
    const std::string command = "assimp info '" + path("m.3mf") + "' 2>&1";
    std::string report;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            report.append(buffer, n);
        if (::pclose(pipe) != 0 && report.find("not found") != std::string::npos)
            GTEST_SKIP() << "assimp not installed";
    }
    EXPECT_NE(report.find("Faces:              4"), std::string::npos) << report;
}

} // namespace
} // namespace fcw
