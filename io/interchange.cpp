#include "io/interchange.h"

#include "io/assimp_reader.h"
#include "io/atomic_file.h"
#include "io/gltf_writer.h"
#include "io/isolated_read.h"
#include "io/mesh_writers.h"
#include "io/three_mf.h"
#include "model/translatable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace fcw {

namespace {

struct ExtensionRow {
    std::string_view extension;
    ForeignFormat format;
};

// What the import library reads besides the formats written here.
constexpr ExtensionRow kExtensions[] = {
    {"glb", ForeignFormat::Glb},          {"gltf", ForeignFormat::Gltf},
    {"obj", ForeignFormat::Obj},          {"stl", ForeignFormat::Stl},
    {"ply", ForeignFormat::Ply},          {"3mf", ForeignFormat::ThreeMf},
    {"dae", ForeignFormat::ReadOnly},     {"fbx", ForeignFormat::ReadOnly},
    {"3ds", ForeignFormat::ReadOnly},     {"off", ForeignFormat::ReadOnly},
    {"blend", ForeignFormat::ReadOnly},   {"x", ForeignFormat::ReadOnly},
    {"lwo", ForeignFormat::ReadOnly},     {"ase", ForeignFormat::ReadOnly},
    {"ac", ForeignFormat::ReadOnly},      {"ms3d", ForeignFormat::ReadOnly},
    {"x3d", ForeignFormat::ReadOnly},     {"amf", ForeignFormat::ReadOnly},
    {"irrmesh", ForeignFormat::ReadOnly}, {"md2", ForeignFormat::ReadOnly},
    {"nff", ForeignFormat::ReadOnly},     {"raw", ForeignFormat::ReadOnly},
};

std::string mtlPathFor(const std::string& objPath) {
    const std::size_t slash = objPath.find_last_of('/');
    const std::size_t dot = objPath.find_last_of('.');
    const bool hasDot = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasDot ? objPath.substr(0, dot) : objPath) + ".mtl";
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool writeBytes(const std::string& path, std::span<const std::uint8_t> bytes, std::string* error) {
    if (const FileResult r = writeFileAtomically(path, bytes); !r) {
        if (error) {
            *error = "書き込めません（" + fileNameOf(path) + "）";
        }
        return false;
    }
    return true;
}

// glTF, STL and PLY store 32-bit floats: a coordinate past their range would be written as an
// infinity, which no reader takes.
bool fitsInFloats(std::span<const ExternalTriangle> triangles) {
    for (const ExternalTriangle& t : triangles) {
        for (const Vec3& c : t.corner) {
            for (double x : c) {
                if (!(std::abs(x) <= static_cast<double>(std::numeric_limits<float>::max()))) {
                    return false;
                }
            }
        }
    }
    return true;
}

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace

std::string lowerExtension(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    std::string ext(name.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return ext;
}

ForeignFormat foreignFormatOf(std::string_view path) {
    const std::string ext = lowerExtension(path);
    for (const ExtensionRow& row : kExtensions) {
        if (row.extension == ext) {
            return row.format;
        }
    }
    return ForeignFormat::Unknown;
}

ExternalFrame frameOf(ForeignFormat format) {
    switch (format) {
    case ForeignFormat::Stl:
    case ForeignFormat::Ply:
    case ForeignFormat::ThreeMf:
        return ExternalFrame::ZUp;
    default:
        return ExternalFrame::YUp;
    }
}

std::vector<ExternalTriangle>
externalTriangles(ExternalFrame frame, std::span<const TriangleCore> triangles, double scale) {
    std::vector<ExternalTriangle> out;
    out.reserve(triangles.size());
    for (const TriangleCore& t : triangles) {
        ExternalTriangle e = triangleToExternal(frame, t);
        for (Vec3& c : e.corner) {
            for (double& x : c) {
                x *= scale;
            }
        }
        out.push_back(e);
    }
    return out;
}

std::vector<ColourGroup> groupByColour(std::span<const ExternalTriangle> triangles) {
    std::vector<ColourGroup> groups;
    std::unordered_map<Colour, std::size_t> index;
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const Colour c = triangles[i].colour & 0x00ffffffu; // the top byte carries no colour
        const auto [it, added] = index.emplace(c, groups.size());
        if (added) {
            groups.push_back({c, {}});
        }
        groups[it->second].members.push_back(i);
    }
    return groups;
}

Vec3 writtenNormal(const ExternalTriangle& t) {
    const Vec3 n = unitOrZero(faceNormal(t.corner));
    if (n[0] == 0.0 && n[1] == 0.0 && n[2] == 0.0) {
        return {0.0, 0.0, 1.0};
    }
    return n;
}

ForeignRead readForeignModel(const std::string& path, double scale, Colour defaultColour) {
    const ForeignFormat format = foreignFormatOf(path);
    if (format == ForeignFormat::Unknown) {
        ForeignRead out;
        out.error = FCW_TR_NOOP("Message", "この拡張子の形式は読めません");
        return out;
    }
    // The formats that name sibling files (an OBJ's .mtl, a glTF's .bin) find them beside it.
    IsolationLimits limits;
    const std::size_t slash = path.find_last_of('/');
    limits.readableFolder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    return readInChildProcess(
        [&] { return readForeignModelInProcess(path, format, scale, defaultColour); }, limits);
}

ForeignRead readForeignModelInProcess(const std::string& path, ForeignFormat format, double scale,
                                      Colour defaultColour) {
    if (format == ForeignFormat::ThreeMf) {
        ThreeMfRead r = readThreeMf(path, scale);
        ForeignRead out;
        out.triangles = std::move(r.triangles);
        out.dropped = r.dropped;
        out.error = std::move(r.error);
        if (out.error.empty() && out.triangles.empty()) {
            out.error = FCW_TR_NOOP("Message", "三角形の面が含まれていません");
        }
        return out;
    }
    return readWithImportLibrary(path, format, scale, defaultColour);
}

bool writeForeignModel(const std::string& path, std::span<const TriangleCore> triangles,
                       double scale, std::string* error) {
    const ForeignFormat format = foreignFormatOf(path);
    auto fail = [&](const char* why) {
        if (error) {
            *error = why;
        }
        return false;
    };
    if (!isWritable(format)) {
        return fail(FCW_TR_NOOP("Message", "この拡張子の形式には書き出せません"));
    }
    if (triangles.empty()) {
        return fail(FCW_TR_NOOP("Message", "書き出す三角形がありません"));
    }
    if (format == ForeignFormat::ThreeMf) {
        const std::vector<TriangleCore> copy(triangles.begin(), triangles.end());
        return writeThreeMf(path, copy, scale, error);
    }
    const std::vector<ExternalTriangle> ext = externalTriangles(frameOf(format), triangles, scale);
    if (format != ForeignFormat::Obj && !fitsInFloats(ext)) {
        return fail(FCW_TR_NOOP("Message", "座標が大きすぎてこの形式では書き出せません"));
    }
    switch (format) {
    case ForeignFormat::Glb:
        return writeBytes(path, encodeGlb(ext), error);
    case ForeignFormat::Gltf:
        return writeBytes(path, bytesOf(encodeGltfText(ext)), error);
    case ForeignFormat::Stl:
        return writeBytes(path, encodeStl(ext), error);
    case ForeignFormat::Ply:
        return writeBytes(path, encodePly(ext), error);
    case ForeignFormat::Obj: {
        const std::string mtlPath = mtlPathFor(path);
        const ObjFiles files = encodeObj(ext, fileNameOf(mtlPath));
        // The materials first: an OBJ that is there always finds its .mtl.
        return writeBytes(mtlPath, bytesOf(files.mtl), error) &&
               writeBytes(path, bytesOf(files.obj), error);
    }
    default:
        return fail(FCW_TR_NOOP("Message", "この拡張子の形式には書き出せません"));
    }
}

} // namespace fcw
