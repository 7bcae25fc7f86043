#include "tests/editor/state_fuzz_files.h"

#include "io/interchange.h"
#include "io/native_document.h"
#include "io/text_export.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fcw::testing::fuzz {

namespace fs = std::filesystem;

namespace {

double coordinate(Rng& rng) {
    switch (uniform(rng, 0, 9)) {
    case 0:
        return 0.0;
    case 1:
        return uniform(rng, -20, 20) * 5.0; // on the grids
    case 2:
        return std::uniform_real_distribution<double>(-3000.0, 3000.0)(rng);
    default:
        return std::uniform_real_distribution<double>(-250.0, 250.0)(rng);
    }
}

std::vector<Triangle> toTriangles(const std::vector<TriangleCore>& cores) {
    std::vector<Triangle> out(cores.size());
    for (std::size_t i = 0; i < cores.size(); ++i) {
        out[i].assign(cores[i]);
        out[i].computePolar();
        out[i].computeNormal();
    }
    return out;
}

std::vector<std::uint8_t> asBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

} // namespace

std::vector<TriangleCore> randomTriangles(Rng& rng, int count) {
    std::vector<TriangleCore> out(static_cast<std::size_t>(count));
    for (TriangleCore& t : out) {
        t.colour = static_cast<Colour>(rng() & 0xFFFFFFu);
        for (auto& v : t.v) {
            v = {coordinate(rng), coordinate(rng), coordinate(rng)};
        }
        if (chance(rng, 0.05)) {
            t.v[2] = t.v[uniform(rng, 0, 1)]; // degenerate: a repeated corner
        }
    }
    return out;
}

int randomModelSize(Rng& rng) {
    const int r = uniform(rng, 0, 99);
    if (r < 20) {
        return 0;
    }
    if (r < 80) {
        return uniform(rng, 1, 12);
    }
    if (r < 96) {
        return uniform(rng, 13, 120);
    }
    if (r < 98) {
        return uniform(rng, 2960, 2998);
    }
    return uniform(rng, 2999, 3000); // at the limit: every growing edit must refuse
}

void writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

FilePool::FilePool(const fs::path& dir) : dir_(dir) {
    Rng rng(20240601);
    for (int count : {0, 1, 3, 10, 50, 2999, 3000}) {
        const auto tris = toTriangles(randomTriangles(rng, count));
        add("doc" + std::to_string(count) + ".fcw",
            encodeDocument(tris, static_cast<int>(tris.size()) - 1));
    }
    const auto small = toTriangles(randomTriangles(rng, 6));
    const auto valid = encodeDocument(small, 5);
    // Damaged documents: truncated at several points, bit flips, and bad counts.
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{10}, std::size_t{22},
                            std::size_t{23}, valid.size() - 1, valid.size() - 76}) {
        add("cut" + std::to_string(cut) + ".fcw",
            std::vector<std::uint8_t>(valid.begin(), valid.begin() + static_cast<long>(cut)));
    }
    for (int n = 0; n < 6; ++n) {
        auto flipped = valid;
        for (int k = 0; k < 1 + n; ++k) {
            flipped[rng() % flipped.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
        }
        add("flip" + std::to_string(n) + ".fcw", flipped);
    }
    const std::size_t countAt = 1 + std::strlen(kDocumentHeader);
    for (std::uint16_t count : {std::uint16_t{3000}, std::uint16_t{0x7FFF}, std::uint16_t{0x8000},
                                std::uint16_t{0xFFFE}, std::uint16_t{2999}, std::uint16_t{6}}) {
        auto bad = valid;
        bad[countAt] = static_cast<std::uint8_t>(count & 0xFF);
        bad[countAt + 1] = static_cast<std::uint8_t>(count >> 8);
        add("count" + std::to_string(count) + ".fcw", bad);
    }
    {
        auto longHeader = valid;
        longHeader[0] = 0xFF; // a 16-bit length follows, pointing past the end
        add("header.fcw", longHeader);
    }
    // Text and DXF in all three formats, some at the slot limit, plus garbage.
    for (int count : {1, 5, 40, 2999, 3000, 3001, 3005}) {
        const auto tris = toTriangles(randomTriangles(rng, count));
        TextExportOptions options;
        options.title = "pool";
        const std::string tag = std::to_string(count);
        add("t1_" + tag + ".tx1", asBytes(writeTextType1(tris, options)));
        add("t2_" + tag + ".tx2", asBytes(writeTextType2(tris, options)));
        add("d_" + tag + ".dxf", asBytes(writeDxf(tris, options)));
        if (count == 5) {
            const std::string dxf = writeDxf(tris, options);
            for (std::size_t cut : {dxf.size() / 3, dxf.size() / 2, dxf.size() - 7}) {
                add("dcut" + std::to_string(cut) + ".dxf", asBytes(dxf.substr(0, cut)));
            }
            const std::string t1 = writeTextType1(tris, options);
            add("t1cut.tx1", asBytes(t1.substr(0, t1.size() / 2)));
            std::string mangled = writeTextType2(tris, options);
            for (int k = 0; k < 20; ++k) {
                mangled[rng() % mangled.size()] = "-.0123456789eE \r\nx"[rng() % 18];
            }
            add("t2bad.tx2", asBytes(mangled));
        }
    }
    add("empty.txt", {});
    add("garbage.dxf", asBytes("0\nSECTION\n2\nENTITIES\n0\n3DFACE\n10\n1e400\n20\n-\n30\n"
                               "..\n11\n99999999999999999999999\n0\nEOF\n"));
    std::vector<std::uint8_t> noise(3000);
    for (auto& b : noise) {
        b = static_cast<std::uint8_t>(rng());
    }
    add("noise.dxf", noise);
    add("noise.fcw", noise);
    add("noise.tx1", noise);
    fs::create_directories(dir_ / "folder.fcw");
    paths_.push_back((dir_ / "folder.fcw").string());
    paths_.push_back((dir_ / "missing.fcw").string());
    paths_.push_back((dir_ / "missing.dxf").string());
    addForeignFiles(rng);
}

void FilePool::addForeignFiles(Rng& rng) {
    const std::vector<TriangleCore> small = randomTriangles(rng, 8);
    for (const char* ext : {"glb", "gltf", "obj", "stl", "ply", "3mf"}) {
        const fs::path path = dir_ / (std::string("f.") + ext);
        std::string error;
        if (!writeForeignModel(path.string(), small, 1.0, &error)) {
            throw std::runtime_error("cannot write " + path.string() + ": " + error);
        }
        std::ifstream in(path, std::ios::binary);
        const std::vector<std::uint8_t> valid{std::istreambuf_iterator<char>(in), {}};
        add(std::string("f.") + ext, valid); // kept with the others, so restore() covers it
        auto cut = valid;
        cut.resize(cut.size() / 2);
        add(std::string("fcut.") + ext, cut);
        auto flipped = valid;
        for (int k = 0; k < 4; ++k) {
            flipped[rng() % flipped.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
        }
        add(std::string("fflip.") + ext, flipped);
    }
    // An OBJ whose materials are missing.
    add("fnomtl.obj", asBytes("mtllib gone.mtl\nusemtl m\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
    const fs::path large = dir_ / "flarge.glb";
    std::string error;
    writeForeignModel(large.string(), randomTriangles(rng, 3100), 1.0, &error);
    foreignPaths_.push_back(large.string());
    for (const Entry& f : files_) {
        if (foreignFormatOf(f.path.string()) != ForeignFormat::Unknown) {
            foreignPaths_.push_back(f.path.string());
        }
    }
}

void FilePool::restore() {
    for (Entry& f : files_) {
        std::error_code ec;
        const auto size = fs::file_size(f.path, ec);
        const auto time = fs::last_write_time(f.path, ec);
        if (ec || size != f.bytes.size() || time != f.time) {
            fs::remove_all(f.path, ec);
            writeBytes(f.path, f.bytes);
            f.time = fs::last_write_time(f.path);
        }
    }
    std::error_code ec;
    fs::remove(dir_ / "missing.fcw", ec);
    fs::remove(dir_ / "missing.dxf", ec);
}

const std::string& FilePool::pickOpenPath(Rng& rng) const {
    return chance(rng, 0.04) ? pick(rng, largePaths_) : pick(rng, paths_);
}

void FilePool::add(const std::string& name, std::vector<std::uint8_t> bytes) {
    Entry e{dir_ / name, std::move(bytes), {}};
    writeBytes(e.path, e.bytes);
    e.time = fs::last_write_time(e.path);
    const bool foreign = foreignFormatOf(e.path.string()) != ForeignFormat::Unknown;
    if (!foreign) {
        (e.bytes.size() > 100000 ? largePaths_ : paths_).push_back(e.path.string());
    }
    files_.push_back(std::move(e));
}

} // namespace fcw::testing::fuzz
