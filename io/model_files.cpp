#include "io/model_files.h"

#include "io/atomic_file.h"
#include "io/interchange.h"
#include "io/native_document.h"
#include "io/reduction.h"
#include "io/text_export.h"
#include "io/text_import.h"
#include "model/mesh_store.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace fcw {

namespace {

enum class Kind { Native, Keyword, Dxf, Foreign, Unknown };

Kind kindOf(const std::string& path) {
    const std::string ext = lowerExtension(path);
    if (ext == "fcw") {
        return Kind::Native;
    }
    if (ext == "tx1" || ext == "tx2" || ext == "txt") {
        return Kind::Keyword;
    }
    if (ext == "dxf") {
        return Kind::Dxf;
    }
    return foreignFormatOf(path) == ForeignFormat::Unknown ? Kind::Unknown : Kind::Foreign;
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

ModelFileRead failed(std::string why) {
    ModelFileRead r;
    r.error = std::move(why);
    return r;
}

ModelFileRead readNative(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!readFileStart(path, kMaxDocumentBytes, bytes)) {
        return failed("ファイルを開けません");
    }
    DecodedDocument doc;
    if (decodeDocument(bytes, doc) != DecodeError::None) {
        return failed("ファイルが壊れています");
    }
    ModelFileRead r;
    r.triangles = std::move(doc.triangles);
    return r;
}

ModelFileRead readText(const std::string& path, Kind kind, double scale) {
    std::vector<std::uint8_t> bytes;
    // Three thousand triangles of keyword text take well under this.
    if (const FileResult f = readWholeFile(path, bytes, kMaxForeignFileBytes); !f) {
        return failed(f.error == FileError::TooLarge ? "ファイルが大きすぎます"
                                                     : "ファイルを開けません");
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::optional<ImportedModel> m =
        kind == Kind::Dxf ? readDxfModel(text, scale) : readTextModel(text, scale);
    if (!m) {
        return failed("ファイルタイプを識別できませんでした");
    }
    if (m->refusal) {
        return failed(*m->refusal);
    }
    ModelFileRead r;
    r.triangles = m->triangles;
    return r;
}

std::string encodeText(const std::string& path, std::span<const TriangleCore> triangles,
                       double scale) {
    std::vector<Triangle> full(triangles.size());
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        full[i].assign(triangles[i]);
    }
    TextExportOptions options;
    options.scale = scale;
    const std::string name = nameOf(path);
    options.title = name.substr(0, name.find_last_of('.'));
    const std::string ext = lowerExtension(path);
    if (ext == "tx1") {
        return writeTextType1(full, options);
    }
    if (ext == "tx2") {
        return writeTextType2(full, options);
    }
    return writeDxf(full, options);
}

} // namespace

ModelFileRead readModelFile(const std::string& path, double scale, Colour defaultColour) {
    switch (kindOf(path)) {
    case Kind::Native:
        return readNative(path);
    case Kind::Keyword:
    case Kind::Dxf:
        return readText(path, kindOf(path), scale);
    case Kind::Foreign: {
        ForeignRead f = readForeignModel(path, scale, defaultColour);
        ModelFileRead r;
        r.triangles = std::move(f.triangles);
        r.dropped = f.dropped;
        r.error = std::move(f.error);
        return r;
    }
    case Kind::Unknown:
        break;
    }
    return failed("この拡張子の形式は読めません");
}

bool writeModelFile(const std::string& path, std::span<const TriangleCore> triangles, double scale,
                    std::string* error) {
    const Kind kind = kindOf(path);
    if (kind == Kind::Foreign || kind == Kind::Unknown) {
        return writeForeignModel(path, triangles, scale, error);
    }
    if (triangles.size() > static_cast<std::size_t>(kMaxTriangles)) {
        if (error) {
            *error = "三角形が多すぎます";
        }
        return false;
    }
    std::vector<std::uint8_t> bytes;
    if (kind == Kind::Native) {
        std::vector<Triangle> full(triangles.size());
        for (std::size_t i = 0; i < triangles.size(); ++i) {
            full[i].assign(triangles[i]);
        }
        bytes = encodeDocument(full, static_cast<int>(triangles.size()) - 1);
    } else {
        const std::string text = encodeText(path, triangles, scale);
        bytes.assign(text.begin(), text.end());
    }
    if (!writeFileAtomically(path, bytes)) {
        if (error) {
            *error = "書き込めません";
        }
        return false;
    }
    return true;
}

std::size_t reduceToCapacity(std::vector<TriangleCore>& triangles) {
    const std::size_t before = triangles.size();
    if (before <= static_cast<std::size_t>(kMaxTriangles)) {
        return 0;
    }
    triangles = reduceTriangles(triangles, static_cast<std::size_t>(kMaxTriangles));
    if (triangles.size() > static_cast<std::size_t>(kMaxTriangles)) {
        triangles.resize(static_cast<std::size_t>(kMaxTriangles)); // the store holds no more
    }
    return before;
}

void fitToSize(std::vector<TriangleCore>& triangles, double size) {
    std::array<double, 3> lo;
    std::array<double, 3> hi;
    lo.fill(std::numeric_limits<double>::infinity());
    hi.fill(-std::numeric_limits<double>::infinity());
    for (const TriangleCore& t : triangles) {
        for (const auto& v : t.v) {
            for (std::size_t a = 0; a < 3; ++a) {
                lo[a] = std::min(lo[a], v[a]);
                hi[a] = std::max(hi[a], v[a]);
            }
        }
    }
    const double extent = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
    if (!(extent > 0.0) || !std::isfinite(extent)) {
        return;
    }
    const double k = size / extent;
    for (TriangleCore& t : triangles) {
        for (auto& v : t.v) {
            for (std::size_t a = 0; a < 3; ++a) {
                const double centre = lo[a] + (hi[a] - lo[a]) / 2.0;
                v[a] = centre + (v[a] - centre) * k;
            }
        }
    }
}

std::optional<std::string> convertModelFile(const std::string& in, const std::string& out,
                                            std::optional<double> fit) {
    if (kindOf(out) == Kind::Unknown || foreignFormatOf(out) == ForeignFormat::ReadOnly) {
        return out + ": この拡張子の形式には書き出せません";
    }
    ModelFileRead r = readModelFile(in, 1.0, colourOf(192, 192, 192));
    if (!r.error.empty()) {
        return in + ": " + r.error;
    }
    reduceToCapacity(r.triangles);
    if (fit) {
        fitToSize(r.triangles, *fit);
    }
    if (r.triangles.empty()) {
        return in + ": 書き出す三角形がありません";
    }
    std::string error;
    if (!writeModelFile(out, r.triangles, 1.0, &error)) {
        return out + ": " + error;
    }
    return std::nullopt;
}

} // namespace fcw
