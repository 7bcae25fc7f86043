#include "io/assimp_reader.h"

#include "io/atomic_file.h"
#include "model/numeric.h"
#include "model/translatable.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <array>
#include <charconv>
#include <cstring>
#include <new>
#include <optional>
#include <sys/stat.h>

namespace fcw {

namespace {

// Reading checks the scene's structure (indices in range and the like); the triangulation
// runs after primitiveTypesFromFaces has set each mesh's primitive types from
// its faces: the library's triangulation stops the program (an assertion) on a mesh whose
// declared types say polygons when it holds none, as a damaged PLY face of no corners does.
constexpr unsigned kReadSteps = aiProcess_ValidateDataStructure;
constexpr unsigned kTriangleSteps = aiProcess_Triangulate;

void primitiveTypesFromFaces(aiScene& scene) {
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
        aiMesh& mesh = *scene.mMeshes[m];
        unsigned types = 0;
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const unsigned n = mesh.mFaces[f].mNumIndices;
            if (n == 1) {
                types |= aiPrimitiveType_POINT;
            } else if (n == 2) {
                types |= aiPrimitiveType_LINE;
            } else if (n == 3) {
                types |= aiPrimitiveType_TRIANGLE;
            } else if (n > 3) {
                types |= aiPrimitiveType_POLYGON;
            }
        }
        // A mesh of faces without corners has no type; the triangulation takes "no type" as
        // "look at the faces" and stops on those too, so it is given one it skips.
        mesh.mPrimitiveTypes = types != 0 ? types : unsigned{aiPrimitiveType_POINT};
    }
}

// The scene of a read that went through, turned into triangles; nullptr when either failed.
const aiScene* triangulated(Assimp::Importer& importer, const aiScene* read) {
    if (read == nullptr) {
        return nullptr;
    }
    // The importer owns the scene and its own steps change it in place, as this does.
    primitiveTypesFromFaces(const_cast<aiScene&>(*read));
    return importer.ApplyPostProcessing(kTriangleSteps);
}

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

// Walks the node tree, placing each mesh a node names by the node's transform (a mesh named by
// several nodes appears once for each). A mirroring transform turns the faces over, so their
// corner order is reversed back. The walk stops at kMaxForeignFaces faces and a depth no sane
// file reaches, so a hostile tree cannot exhaust memory or the stack.
class SceneWalk {
  public:
    SceneWalk(const aiScene& scene, ForeignFormat format, double scale, Colour defaultColour)
        : scene_(scene), format_(format), frame_(frameOf(format)), scale_(scale),
          defaultColour_(defaultColour) {}

    ForeignRead run() {
        if (scene_.mRootNode != nullptr) {
            visit(*scene_.mRootNode, aiMatrix4x4(), 0);
        }
        if (out_.error.empty() && out_.triangles.empty()) {
            out_.error = FCW_TR_NOOP("Message", "三角形の面が含まれていません");
        }
        if (!out_.error.empty()) {
            out_.triangles.clear();
        }
        return std::move(out_);
    }

  private:
    static constexpr int kMaxDepth = 256;

    void visit(const aiNode& node, const aiMatrix4x4& parent, int depth) {
        if (!out_.error.empty()) {
            return;
        }
        if (depth > kMaxDepth) {
            out_.error = FCW_TR_NOOP("Message", "ノードの階層が深すぎます");
            return;
        }
        const aiMatrix4x4 place = parent * node.mTransformation;
        for (unsigned i = 0; i < node.mNumMeshes && out_.error.empty(); ++i) {
            if (node.mMeshes[i] < scene_.mNumMeshes) {
                addMesh(*scene_.mMeshes[node.mMeshes[i]], place);
            }
        }
        for (unsigned c = 0; c < node.mNumChildren; ++c) {
            if (node.mChildren[c] != nullptr) {
                visit(*node.mChildren[c], place, depth + 1);
            }
        }
    }

    void addMesh(const aiMesh& mesh, const aiMatrix4x4& place) {
        faces_ += mesh.mNumFaces;
        if (faces_ > kMaxForeignFaces) {
            out_.error = FCW_TR_NOOP("Message", "面が多すぎます（上限 1000 万面）");
            return;
        }
        const bool mirrored = place.Determinant() < 0;
        const MeshColouring colouring = colouringOf(scene_, mesh, format_);
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            bool usable = face.mNumIndices == 3;
            for (unsigned k = 0; usable && k < 3; ++k) {
                usable = face.mIndices[k] < mesh.mNumVertices;
            }
            if (!usable) {
                ++out_.dropped;
                continue;
            }
            ExternalTriangle e;
            for (unsigned k = 0; k < 3; ++k) {
                const aiVector3D p = place * mesh.mVertices[face.mIndices[k]];
                e.corner[mirrored && k > 0 ? 3 - k : k] = {p.x * scale_, p.y * scale_,
                                                           p.z * scale_};
            }
            e.colour = faceColour(mesh, face, colouring, defaultColour_);
            const TriangleCore t = triangleFromExternal(frame_, e);
            if (!storable(t) || degenerate(t)) {
                ++out_.dropped;
                continue;
            }
            out_.triangles.push_back(t);
        }
    }

    const aiScene& scene_;
    ForeignFormat format_;
    ExternalFrame frame_;
    double scale_;
    Colour defaultColour_;
    std::uint64_t faces_ = 0;
    ForeignRead out_;
};

ForeignRead finish(const aiScene* scene, const Assimp::Importer& importer, ForeignFormat format,
                   double scale, Colour defaultColour) {
    if (scene == nullptr) {
        ForeignRead out;
        const char* reason = importer.GetErrorString();
        out.error =
            std::string("読み込めません（") + (reason && *reason ? reason : "不明な形式") + "）";
        return out;
    }
    return SceneWalk(*scene, format, scale, defaultColour).run();
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

// The library's PLY reader never returns from a header without an end_header line of its
// own, so such a file is refused here. Headers are a few hundred bytes; kHeaderWindow is far more.
constexpr std::size_t kHeaderWindow = 64 * 1024;

// True when a line of its own says end_header (the reader looks for nothing else).
bool plyHeaderEnds(std::string_view text) {
    for (std::size_t at = text.find("\nend_header"); at != std::string_view::npos;
         at = text.find("\nend_header", at + 1)) {
        const std::size_t after = at + 11;
        if (after < text.size() && (text[after] == '\n' || text[after] == '\r')) {
            return true;
        }
    }
    return false;
}

// Refusals that need no parsing: a PLY header that does not end, a face count past the limit.
std::optional<ForeignRead> refusedBeforeParsing(std::span<const std::uint8_t> start,
                                                ForeignFormat format) {
    const std::string_view text(reinterpret_cast<const char*>(start.data()), start.size());
    ForeignRead out;
    if (format == ForeignFormat::Ply && !plyHeaderEnds(text)) {
        out.error = FCW_TR_NOOP("Message", "PLY のヘッダーが end_header で終わっていません");
        return out;
    }
    if (const std::uint64_t n = announcedFaceCount(start, format); n > kMaxForeignFaces) {
        out.error = "面が多すぎます（" + std::to_string(n) + " 面、上限 1000 万面）";
        return out;
    }
    return std::nullopt;
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
        out.error = FCW_TR_NOOP("Message", "ファイルが大きすぎます（上限 256 MB）");
        return out;
    }
    std::vector<std::uint8_t> start;
    if (!readFileStart(path, kHeaderWindow, start)) {
        ForeignRead out;
        out.error = FCW_TR_NOOP("Message", "ファイルを開けません");
        return out;
    }
    if (auto refused = refusedBeforeParsing(start, format)) {
        return *refused;
    }
    try {
        Assimp::Importer importer;
        const aiScene* scene = triangulated(importer, importer.ReadFile(path, kReadSteps));
        return finish(scene, importer, format, scale, defaultColour);
    } catch (const std::bad_alloc&) {
        ForeignRead out;
        out.error = FCW_TR_NOOP("Message", "メモリが足りません");
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
        out.error = FCW_TR_NOOP("Message", "ファイルが大きすぎます（上限 256 MB）");
        return out;
    }
    if (auto refused =
            refusedBeforeParsing(bytes.first(std::min(bytes.size(), kHeaderWindow)), format)) {
        return *refused;
    }
    try {
        Assimp::Importer importer;
        const std::string hint(extension);
        const aiScene* scene =
            triangulated(importer, importer.ReadFileFromMemory(bytes.data(), bytes.size(),
                                                               kReadSteps, hint.c_str()));
        return finish(scene, importer, format, scale, defaultColour);
    } catch (const std::exception& e) {
        ForeignRead out;
        out.error = std::string("読み込めません（") + e.what() + "）";
        return out;
    }
}

} // namespace fcw
