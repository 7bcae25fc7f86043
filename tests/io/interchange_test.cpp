#include "io/assimp_reader.h"
#include "io/interchange.h"
#include "io/mesh_writers.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fcw {
namespace {

const Colour kDefault = colourOf(1, 2, 3);

TriangleCore tri(Colour c, Vec3 a, Vec3 b, Vec3 d) {
    TriangleCore t;
    t.colour = c;
    t.v = {a, b, d};
    return t;
}

// Several colours (two triangles share one), one facing away, one crossing every axis.
std::vector<TriangleCore> sampleModel() {
    return {
        tri(colourOf(255, 0, 0), {0, 0, 0}, {0, 10, 0}, {0, 0, 10}),   // faces the viewer
        tri(colourOf(0, 128, 255), {5, 0, 0}, {5, 0, 10}, {5, 10, 0}), // faces away
        tri(colourOf(255, 0, 0), {1, -20, 3}, {2, 20, -3}, {-3, 5, 30.5}),
        tri(colourOf(17, 34, 250), {-7.25, -8.5, -9.75}, {12.125, 3.5, -1}, {4, -6, 11.0625}),
        tri(colourOf(1, 254, 7), {100, 200, 300}, {101, 200, 300}, {100, 201.5, 299}),
    };
}

double facing(const TriangleCore& t) {
    return faceNormal({t.v[0], t.v[1], t.v[2]})[0];
}

bool sameCorners(const TriangleCore& a, const TriangleCore& b, double tolerance) {
    for (std::size_t k = 0; k < 3; ++k) {
        for (std::size_t c = 0; c < 3; ++c) {
            if (!(std::abs(a.v[k][c] - b.v[k][c]) <= tolerance)) {
                return false;
            }
        }
    }
    return true;
}

// Each original triangle is found among the read ones with its corners in the same order (so
// the same facing) and, where the format carries colours, its colour.
void expectSameModel(const std::vector<TriangleCore>& original,
                     const std::vector<TriangleCore>& read, double scale, bool colours) {
    ASSERT_EQ(read.size(), original.size());
    for (const TriangleCore& o : original) {
        TriangleCore scaled = o;
        for (auto& v : scaled.v) {
            for (double& c : v) {
                c *= scale;
            }
        }
        const auto it = std::find_if(read.begin(), read.end(), [&](const TriangleCore& r) {
            return sameCorners(scaled, r, 1e-4 * std::max(1.0, scale));
        });
        ASSERT_NE(it, read.end()) << "triangle of colour " << std::hex << o.colour;
        EXPECT_EQ(it->colour, colours ? o.colour : kDefault);
        EXPECT_EQ(facing(*it) > 0, facing(o) > 0);
    }
}

class Interchange : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return folder_.path(name); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
    }
    testing::TempFolder folder_{"fcw_interchange"};
};

TEST_F(Interchange, EveryWrittenFormatReadsBackTriangleByTriangle) {
    const std::vector<TriangleCore> model = sampleModel();
    struct Case {
        const char* name;
        bool colours;
    };
    for (const Case c : {Case{"m.glb", true}, Case{"m.GLTF", true}, Case{"m.obj", true},
                         Case{"m.stl", false}, Case{"m.Ply", true}, Case{"m.3MF", true}}) {
        SCOPED_TRACE(c.name);
        std::string error;
        ASSERT_TRUE(writeForeignModel(path(c.name), model, 2.0, &error)) << error;
        const ForeignRead r = readForeignModel(path(c.name), 0.5, kDefault);
        ASSERT_EQ(r.error, "");
        EXPECT_EQ(r.dropped, 0u);
        expectSameModel(model, r.triangles, 1.0, c.colours);
    }
}

TEST_F(Interchange, EveryColourByteSurvivesGltfAndObj) {
    std::vector<TriangleCore> model;
    for (int b = 0; b < 256; ++b) {
        const auto v = static_cast<std::uint8_t>(b);
        model.push_back(tri(colourOf(v, static_cast<std::uint8_t>(255 - b), v), {0, 0, 0},
                            {0, 1.0 + b, 0}, {0, 0, 1}));
    }
    for (const char* name : {"c.glb", "c.obj", "c.ply"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(writeForeignModel(path(name), model, 1.0, nullptr));
        const ForeignRead r = readForeignModel(path(name), 1.0, kDefault);
        expectSameModel(model, r.triangles, 1.0, true);
    }
}

// A node that mirrors its mesh (glTF X, the store's y, negated) and moves it: the corners are
// placed by the node and every face still faces the way its mirror image does.
TEST_F(Interchange, NodeTransformsPlaceMeshesAndMirrorsKeepFacing) {
    const std::vector<TriangleCore> model = sampleModel();
    ASSERT_TRUE(writeForeignModel(path("m.gltf"), model, 1.0, nullptr));
    std::ifstream in(path("m.gltf"));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string plain = "\"nodes\":[{\"mesh\":0}]";
    ASSERT_NE(text.find(plain), std::string::npos);
    text.replace(text.find(plain), plain.size(),
                 "\"nodes\":[{\"mesh\":0,\"scale\":[-1,1,1],\"translation\":[0,0,4]}]");
    write("mirrored.gltf", text);
    std::vector<TriangleCore> expected = model;
    for (TriangleCore& t : expected) {
        for (auto& v : t.v) {
            v[1] = -v[1];
            v[0] += 4; // glTF +Z is the store's +x
        }
        std::swap(t.v[1], t.v[2]); // the mirror image, turned to face as the original did
    }
    const ForeignRead r = readForeignModel(path("mirrored.gltf"), 1.0, kDefault);
    ASSERT_EQ(r.error, "");
    expectSameModel(expected, r.triangles, 1.0, true);
    for (std::size_t i = 0; i < model.size(); ++i) {
        EXPECT_EQ(facing(expected[i]) > 0, facing(model[i]) > 0);
    }
}

TEST_F(Interchange, StlIsZUpWithTheViewerOnMinusY) {
    const std::vector<TriangleCore> model = {sampleModel()[0]};
    ASSERT_TRUE(writeForeignModel(path("f.stl"), model, 1.0, nullptr));
    std::ifstream in(path("f.stl"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 84u + 50u);
    EXPECT_NE(bytes.compare(0, 5, "solid"), 0);
    float f[12];
    std::memcpy(f, bytes.data() + 84, sizeof f);
    // The stored normal points at the viewer, and the corners turn the same way.
    EXPECT_FLOAT_EQ(f[1], -1.0f);
    const Vec3 n =
        faceNormal({Vec3{f[3], f[4], f[5]}, Vec3{f[6], f[7], f[8]}, Vec3{f[9], f[10], f[11]}});
    EXPECT_LT(n[1], 0.0);
}

TEST_F(Interchange, ObjKeepsOneMaterialPerColourAndFlatNormals) {
    const auto files =
        encodeObj(externalTriangles(ExternalFrame::YUp, sampleModel(), 1.0), "m.mtl");
    auto count = [](const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos;
             at = text.find(what, at + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(count(files.mtl, "newmtl "), 4u);
    EXPECT_EQ(count(files.obj, "usemtl "), 4u);
    EXPECT_EQ(count(files.obj, "\nvn "), 5u);
    EXPECT_EQ(count(files.obj, "\nv "), 15u);
}

TEST_F(Interchange, ReadsCornerColoursPointsLinesAndDegenerateFaces) {
    // OBJ "v x y z r g b" colours are sRGB bytes; a point, a line and a zero-area face are
    // dropped and counted; a quad becomes two triangles.
    write("c.obj", "v 0 0 0 1 0 0\nv 1 0 0 1 0 0\nv 0 1 0 1 0 0\nv 1 1 0 1 0 0\n"
                   "v 2 2 2 0 0 1\nf 1 2 4 3\np 1\nl 1 2\nf 1 2 2\n");
    const ForeignRead r = readForeignModel(path("c.obj"), 1.0, kDefault);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.triangles.size(), 2u);
    EXPECT_EQ(r.dropped, 3u);
    for (const TriangleCore& t : r.triangles) {
        EXPECT_EQ(t.colour, colourOf(255, 0, 0));
        EXPECT_GT(facing(t), 0.0); // counter-clockwise seen from +Z: toward the viewer
    }
}

TEST_F(Interchange, RefusesWhatItCannotUse) {
    write("e.obj", "# nothing\n");
    write("p.obj", "v 0 0 0\nv 1 0 0\np 1\nl 1 2\n");
    write("bad.glb", "glTF\x02\0\0\0garbage");
    write("x.nope", "v 0 0 0\n");
    write("n.obj", "v nan 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    // A PLY header without its end: the import library would never return from it.
    write("open.ply", "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\n0 0 0\n");
    write("inline.ply", "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x "
                        "end_header\n0\n0\n0\n");
    for (const char* name : {"e.obj", "p.obj", "bad.glb", "x.nope", "missing.stl", "n.obj",
                             "open.ply", "inline.ply"}) {
        SCOPED_TRACE(name);
        const ForeignRead r = readForeignModel(path(name), 1.0, kDefault);
        EXPECT_NE(r.error, "");
        EXPECT_TRUE(r.triangles.empty());
    }
    std::string error;
    EXPECT_FALSE(writeForeignModel(path("w.dae"), sampleModel(), 1.0, &error));
    EXPECT_NE(error, "");
    EXPECT_FALSE(writeForeignModel(path("w.glb"), {}, 1.0, &error));
    EXPECT_FALSE(std::filesystem::exists(path("w.glb")));
    // Past the range of the formats' 32-bit floats: refused, not written as infinities. OBJ
    // writes every digit and takes it.
    std::vector<TriangleCore> huge = sampleModel();
    huge[0].v[1][1] = 1e39;
    for (const char* name : {"h.glb", "h.gltf", "h.stl", "h.ply"}) {
        EXPECT_FALSE(writeForeignModel(path(name), huge, 1.0, &error)) << name;
        EXPECT_FALSE(std::filesystem::exists(path(name))) << name;
    }
    EXPECT_FALSE(writeForeignModel(path("s.stl"), sampleModel(), 1e37, &error));
    EXPECT_TRUE(writeForeignModel(path("h.obj"), huge, 1.0, &error));
}

TEST_F(Interchange, HugeAnnouncedCountsAreRefusedBeforeParsing) {
    std::string stl(84, '\0');
    stl[80] = stl[81] = stl[82] = static_cast<char>(0xff);
    stl[83] = 0x7f;
    write("huge.stl", stl);
    write("huge.ply", "ply\nformat binary_little_endian 1.0\nelement vertex 3\n"
                      "property float x\nproperty float y\nproperty float z\n"
                      "element face 99999999999999999999999\n"
                      "property list uchar int vertex_indices\nend_header\n");
    for (const char* name : {"huge.stl", "huge.ply"}) {
        SCOPED_TRACE(name);
        const ForeignRead r = readForeignModel(path(name), 1.0, kDefault);
        EXPECT_NE(r.error.find("面が多すぎます"), std::string::npos) << r.error;
    }
}

// Files written by another tool: the import library's own exporter (the glTF with COLOR_0 and
// the binary STL, both from corner_colours.ply) and small hand-checked text files.
std::string sample(const char* name) {
    return std::string(FCW_IO_SAMPLES_DIR) + "/" + name;
}

TEST(InterchangeSamples, ObjMaterialsGiveLinearKdAndFacing) {
    const ForeignRead r = readForeignModel(sample("two_materials.obj"), 1.0, kDefault);
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.triangles.size(), 3u); // the quad is two triangles
    std::size_t red = 0;
    for (const TriangleCore& t : r.triangles) {
        if (t.colour == colourOf(255, 0, 0)) {
            ++red;
            EXPECT_GT(facing(t), 0.0); // counter-clockwise seen from +Z: toward the viewer
        } else {
            EXPECT_EQ(t.colour, colourOf(0, 0, srgbByteFromLinear(0.5)));
            EXPECT_LT(facing(t), 0.0);
        }
    }
    EXPECT_EQ(red, 2u);
}

TEST(InterchangeSamples, CornerColoursInPlyStlAndGltf) {
    // Both triangles face the viewer on -Y of the Z-up frame.
    const ForeignRead ply = readForeignModel(sample("corner_colours.ply"), 1.0, kDefault);
    ASSERT_EQ(ply.triangles.size(), 2u);
    EXPECT_EQ(ply.triangles[0].colour, colourOf(200, 10, 20));
    EXPECT_EQ(ply.triangles[1].colour, colourOf(30, 40, 250));
    const ForeignRead stl = readForeignModel(sample("zup_binary.stl"), 1.0, kDefault);
    ASSERT_EQ(stl.triangles.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_GT(facing(ply.triangles[i]), 0.0);
        EXPECT_GT(facing(stl.triangles[i]), 0.0);
        EXPECT_TRUE(sameCorners(ply.triangles[i], stl.triangles[i], 1e-6));
    }
    // glTF's COLOR_0 is linear light: the exporter wrote byte / 255, read back through sRGB.
    const ForeignRead glb = readForeignModel(sample("colour_attribute.glb"), 1.0, kDefault);
    ASSERT_EQ(glb.triangles.size(), 2u);
    EXPECT_EQ(glb.triangles[0].colour,
              colourOf(srgbByteFromLinear(200 / 255.0), srgbByteFromLinear(10 / 255.0),
                       srgbByteFromLinear(20 / 255.0)));
    // PLY face colours are not carried by the import library: the faces take the default.
    const ForeignRead face = readForeignModel(sample("face_colours.ply"), 1.0, kDefault);
    ASSERT_EQ(face.triangles.size(), 2u);
    EXPECT_EQ(face.triangles[0].colour, kDefault);
}

// A modeller's own files: Blender 3.4 read a PLY of a red and a green triangle facing the
// viewer and a 0x40 0x80 0xc0 one facing away, and wrote them as glTF (corner colours as a
// linear COLOR_0, no material) and as binary STL.
TEST(InterchangeSamples, BlenderGltfAndStlKeepColoursAndFacing) {
    const ForeignRead glb = readForeignModel(sample("blender_corner_colours.glb"), 1.0, kDefault);
    const ForeignRead stl = readForeignModel(sample("blender_zup.stl"), 1.0, kDefault);
    ASSERT_EQ(glb.error, "");
    ASSERT_EQ(stl.error, "");
    ASSERT_EQ(glb.triangles.size(), 3u);
    ASSERT_EQ(stl.triangles.size(), 3u);
    for (const TriangleCore& t : glb.triangles) {
        const bool away = t.colour == colourOf(0x40, 0x80, 0xc0);
        EXPECT_TRUE(away || t.colour == colourOf(255, 0, 0) || t.colour == colourOf(0, 255, 0))
            << std::hex << t.colour;
        EXPECT_EQ(facing(t) < 0, away);
        const auto same =
            std::find_if(stl.triangles.begin(), stl.triangles.end(), [&](const TriangleCore& s) {
                return std::abs(s.v[0][1] - t.v[0][1]) < 1e-4 &&
                       std::abs(s.v[0][2] - t.v[0][2]) < 1e-4 &&
                       std::abs(s.v[0][0] - t.v[0][0]) < 1e-4;
            });
        ASSERT_NE(same, stl.triangles.end());
        EXPECT_EQ(facing(*same) < 0, away);
    }
}

TEST(InterchangeFormats, ExtensionsAreCaseInsensitive) {
    EXPECT_EQ(foreignFormatOf("/a/b.GLB"), ForeignFormat::Glb);
    EXPECT_EQ(foreignFormatOf("x.Obj"), ForeignFormat::Obj);
    EXPECT_EQ(foreignFormatOf("x.3MF"), ForeignFormat::ThreeMf);
    EXPECT_EQ(foreignFormatOf("x.dae"), ForeignFormat::ReadOnly);
    EXPECT_EQ(foreignFormatOf("dir.glb/file"), ForeignFormat::Unknown);
    EXPECT_EQ(foreignFormatOf("x.fcw"), ForeignFormat::Unknown);
    EXPECT_EQ(frameOf(ForeignFormat::Ply), ExternalFrame::ZUp);
    EXPECT_EQ(frameOf(ForeignFormat::Gltf), ExternalFrame::YUp);
}

} // namespace
} // namespace fcw
