#include "io/assimp_reader.h"

#include "io/atomic_file.h"
#include "model/numeric.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <array>
#include <charconv>
#include <cstring>
#include <new>
#include <sys/stat.h>

namespace fcw {

namespace {

constexpr unsigned kImportSteps =
    aiProcess_Triangulate | aiProcess_PreTransformVertices | aiProcess_ValidateDataStructure;

struct LinearColour {
    double r = 1.0;
    double g = 1.0;
    double b = 1.0;
};

// What one mesh's faces take their colour from.
struct MeshColouring {
    bool hasMaterialColour = false;
    LinearColour material;
    bool linearCorners = false; // glTF's COLOR_0: linear, multiplied by the base colour
};

MeshColouring colouringOf(const aiScene& scene, const aiMesh& mesh, ForeignFormat format) {
    MeshColouring c;
    const bool gltf = format == ForeignFormat::Glb || format == ForeignFormat::Gltf;
    c.linearCorners = gltf;
    // A PLY file's colours are its vertex properties; the library gives every PLY file a
    // white stand-in material, which says nothing.
    if (mesh.mMaterialIndex >= scene.mNumMaterials || format == ForeignFormat::Ply) {
        return c;
    }
    const aiMaterial& m = *scene.mMaterials[mesh.mMaterialIndex];
    aiString name;
    if (m.Get(AI_MATKEY_NAME, name) == aiReturn_SUCCESS &&
        std::strcmp(name.C_Str(), AI_DEFAULT_MATERIAL_NAME) == 0) {
        return c; // the library's stand-in for a file without materials
    }
    aiColor4D colour;
    const bool found = gltf ? m.Get(AI_MATKEY_BASE_COLOR, colour) == aiReturn_SUCCESS
                            : m.Get(AI_MATKEY_COLOR_DIFFUSE, colour) == aiReturn_SUCCESS;
    if (found) {
        c.hasMaterialColour = true;
        c.material = {colour.r, colour.g, colour.b};
    }
    return c;
}

std::uint8_t byteFromUnit(double v) {
    if (!(v > 0.0)) {
        return 0;
    }
    return v >= 1.0 ? 255 : static_cast<std::uint8_t>(std::lround(v * 255.0));
}

Colour faceColour(const aiMesh& mesh, const aiFace& face, const MeshColouring& c,
                  Colour defaultColour) {
    if (mesh.HasVertexColors(0)) {
        double sum[3] = {0.0, 0.0, 0.0};
        for (unsigned k = 0; k < 3; ++k) {
            const aiColor4D& v = mesh.mColors[0][face.mIndices[k]];
            sum[0] += v.r;
            sum[1] += v.g;
            sum[2] += v.b;
        }
        const double r = sum[0] / 3.0;
        const double g = sum[1] / 3.0;
        const double b = sum[2] / 3.0;
        if (c.linearCorners) {
            const LinearColour base = c.hasMaterialColour ? c.material : LinearColour{};
            return colourOf(srgbByteFromLinear(base.r * r), srgbByteFromLinear(base.g * g),
                            srgbByteFromLinear(base.b * b));
        }
        return colourOf(byteFromUnit(r), byteFromUnit(g), byteFromUnit(b));
    }
    if (c.hasMaterialColour) {
        return colourOf(srgbByteFromLinear(c.material.r), srgbByteFromLinear(c.material.g),
                        srgbByteFromLinear(c.material.b));
    }
    return defaultColour;
}

bool storable(const TriangleCore& t) {
    for (const auto& v : t.v) {
        for (double c : v) {
            if (!isStorableCoordinate(c)) {
                return false;
            }
        }
    }
    return true;
}

// A face of zero area (two corners equal, or all three on a line) shows nothing.
bool degenerate(const TriangleCore& t) {
    const Vec3 n = faceNormal({t.v[0], t.v[1], t.v[2]});
    return n[0] == 0.0 && n[1] == 0.0 && n[2] == 0.0;
}

ForeignRead sceneTriangles(const aiScene& scene, ForeignFormat format, double scale,
                           Colour defaultColour) {
    ForeignRead out;
    std::uint64_t faces = 0;
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
        faces += scene.mMeshes[m]->mNumFaces;
    }
    if (faces > kMaxForeignFaces) {
        out.error = "面が多すぎます（" + std::to_string(faces) + " 面、上限 1000 万面）";
        return out;
    }
    out.triangles.reserve(static_cast<std::size_t>(faces));
    const ExternalFrame frame = frameOf(format);
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[m];
        const MeshColouring colouring = colouringOf(scene, mesh, format);
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            bool usable = face.mNumIndices == 3;
            for (unsigned k = 0; usable && k < 3; ++k) {
                usable = face.mIndices[k] < mesh.mNumVertices;
            }
            if (!usable) {
                ++out.dropped;
                continue;
            }
            ExternalTriangle e;
            for (unsigned k = 0; k < 3; ++k) {
                const aiVector3D& p = mesh.mVertices[face.mIndices[k]];
                e.corner[k] = {p.x * scale, p.y * scale, p.z * scale};
            }
            e.colour = faceColour(mesh, face, colouring, defaultColour);
            const TriangleCore t = triangleFromExternal(frame, e);
            if (!storable(t) || degenerate(t)) {
                ++out.dropped;
                continue;
            }
            out.triangles.push_back(t);
        }
    }
    if (out.triangles.empty()) {
        out.error = "三角形の面が含まれていません";
    }
    return out;
}

ForeignRead finish(const aiScene* scene, const Assimp::Importer& importer, ForeignFormat format,
                   double scale, Colour defaultColour) {
    if (scene == nullptr) {
        ForeignRead out;
        const char* reason = importer.GetErrorString();
        out.error =
            std::string("読み込めません（") + (reason && *reason ? reason : "不明な形式") + "）";
        return out;
    }
    return sceneTriangles(*scene, format, scale, defaultColour);
}

std::uint64_t plyFaceCount(std::string_view header) {
    const std::size_t at = header.find("element face ");
    if (at == std::string_view::npos) {
        return 0;
    }
    std::uint64_t n = 0;
    const char* first = header.data() + at + 13;
    const auto r = std::from_chars(first, header.data() + header.size(), n);
    return r.ec == std::errc() ? n : kMaxForeignFaces + 1; // too big to hold: too many
}

ForeignRead refusedCount(std::uint64_t announced) {
    ForeignRead out;
    out.error = "面が多すぎます（" + std::to_string(announced) + " 面、上限 1000 万面）";
    return out;
}

} // namespace

std::uint64_t announcedFaceCount(std::span<const std::uint8_t> start, ForeignFormat format) {
    if (format == ForeignFormat::Stl) {
        if (start.size() < 84 || std::memcmp(start.data(), "solid", 5) == 0) {
            return 0; // too short to count, or ASCII
        }
        return std::uint64_t{start[80]} | (std::uint64_t{start[81]} << 8) |
               (std::uint64_t{start[82]} << 16) | (std::uint64_t{start[83]} << 24);
    }
    if (format == ForeignFormat::Ply) {
        const std::string_view text(reinterpret_cast<const char*>(start.data()), start.size());
        return plyFaceCount(text.substr(0, text.find("end_header")));
    }
    return 0;
}

ForeignRead readWithImportLibrary(const std::string& path, ForeignFormat format, double scale,
                                  Colour defaultColour) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 &&
        static_cast<std::uint64_t>(info.st_size) > kMaxForeignFileBytes) {
        ForeignRead out;
        out.error = "ファイルが大きすぎます（上限 256 MB）";
        return out;
    }
    std::vector<std::uint8_t> start;
    if (!readFileStart(path, 4096, start)) {
        ForeignRead out;
        out.error = "ファイルを開けません";
        return out;
    }
    if (const std::uint64_t n = announcedFaceCount(start, format); n > kMaxForeignFaces) {
        return refusedCount(n);
    }
    try {
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(path, kImportSteps);
        return finish(scene, importer, format, scale, defaultColour);
    } catch (const std::bad_alloc&) {
        ForeignRead out;
        out.error = "メモリが足りません";
        return out;
    } catch (const std::exception& e) {
        ForeignRead out;
        out.error = std::string("読み込めません（") + e.what() + "）";
        return out;
    }
}

ForeignRead readWithImportLibrary(std::span<const std::uint8_t> bytes, std::string_view extension,
                                  double scale, Colour defaultColour) {
    const ForeignFormat format = foreignFormatOf("." + std::string(extension));
    if (bytes.size() > kMaxForeignFileBytes) {
        ForeignRead out;
        out.error = "ファイルが大きすぎます（上限 256 MB）";
        return out;
    }
    if (const std::uint64_t n =
            announcedFaceCount(bytes.first(std::min<std::size_t>(bytes.size(), 4096)), format);
        n > kMaxForeignFaces) {
        return refusedCount(n);
    }
    try {
        Assimp::Importer importer;
        const std::string hint(extension);
        const aiScene* scene =
            importer.ReadFileFromMemory(bytes.data(), bytes.size(), kImportSteps, hint.c_str());
        return finish(scene, importer, format, scale, defaultColour);
    } catch (const std::exception& e) {
        ForeignRead out;
        out.error = std::string("読み込めません（") + e.what() + "）";
        return out;
    }
}

} // namespace fcw
