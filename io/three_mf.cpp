#include "io/three_mf.h"

#include "io/atomic_file.h"
#include "io/frames.h"
#include "io/three_mf_package.h"
#include "model/numeric.h"
#include "model/translatable.h"

#include <Model/COM/NMR_DLLInterfaces.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>

namespace fcw {

namespace {

constexpr char kNothingToWrite[] = FCW_TR_NOOP("Message", "書き出す三角形がありません。");
constexpr char kCoordinateTooLarge[] =
    FCW_TR_NOOP("Message", "座標の値が大きすぎて3MFファイルに書き出せません。");
constexpr char kCannotBuild[] = FCW_TR_NOOP("Message", "3MFファイルを作れませんでした。");
constexpr char kFolderMissing[] = FCW_TR_NOOP("Message", "保存先のフォルダがありません。");
constexpr char kWriteDenied[] =
    FCW_TR_NOOP("Message", "ファイルに書き込めません（アクセスが拒否されました）。");
constexpr char kDiskFull[] = FCW_TR_NOOP("Message", "ディスクの空き容量が足りません。");
constexpr char kWriteFailed[] = FCW_TR_NOOP("Message", "ファイルに書き込めませんでした。");
constexpr char kNotFound[] = FCW_TR_NOOP("Message", "ファイルが見つかりません。");
constexpr char kReadDenied[] =
    FCW_TR_NOOP("Message", "ファイルを開けません（アクセスが拒否されました）。");
constexpr char kFileTooLarge[] = FCW_TR_NOOP("Message", "ファイルが大きすぎます（256 MB まで）。");
constexpr char kReadFailed[] = FCW_TR_NOOP("Message", "ファイルを読めませんでした。");
constexpr char kDamaged[] =
    FCW_TR_NOOP("Message", "3MFファイルとして読めません（壊れているか、3MFではありません）。");
constexpr char kUnpackedTooLarge[] = FCW_TR_NOOP("Message", "3MFファイルの中身が大きすぎます。");
constexpr char kTooManyTriangles[] = FCW_TR_NOOP("Message", "三角形が多すぎます（1000万まで）。");
constexpr char kNoTriangles[] = FCW_TR_NOOP("Message", "三角形が含まれていません。");
constexpr char kBadScale[] = FCW_TR_NOOP("Message", "倍率が正しくありません。");
constexpr char kTooManyPlacements[] =
    FCW_TR_NOOP("Message", "3MFファイルの部品の配置が多すぎます。");

// A scale of zero would collapse every triangle and a negative one would mirror the model
// (turning every facing around), so only positive finite scales are taken.
bool usableScale(double scale) {
    return std::isfinite(scale) && scale > 0.0;
}

// Triangles without any colour property in the file.
constexpr Colour kUncolouredGrey = 0xC0C0C0u;
// Component trees deeper than this are not followed (lib3mf refuses cycles; this bounds the
// work of a legitimately deep one).
constexpr int kMaxComponentDepth = 32;
// Objects placed, counting every build item and component: components that each place the
// one below many times multiply, and even empty meshes must not make the walk endless.
constexpr std::size_t kMaxPlacements = 100'000;

// Every handle lib3mf returns is released through lib3mf_release.
struct Release {
    void operator()(NMR::PLib3MFBase* p) const { NMR::lib3mf_release(p); }
};
using Handle = std::unique_ptr<NMR::PLib3MFBase, Release>;

bool ok(LIB3MFRESULT result) {
    return result == 0;
}

// A failed lib3mf call inside the writer or reader: unwinds to the single catch of each.
struct Lib3mfFailure {};

void check(LIB3MFRESULT result) {
    if (!ok(result))
        throw Lib3mfFailure{};
}

// ---- writing ----

// A vertex as lib3mf prints it: a float with six decimals (whole nanometres in millimetres).
// Two corners with the same printed text are one vertex, so a triangle that collapses in the
// text is seen, and left out, before it is written.
using PrintedPoint = std::array<std::int64_t, 3>;
// Whole nanometres below 1e12 mm; beyond, where a float has no fraction left to print, the
// float's own bits, tagged so they cannot meet a nanometre count.
std::int64_t printedKey(float f) {
    if (std::fabs(f) < 1e12f)
        return std::llround(static_cast<double>(f) * 1e6);
    return (std::int64_t{1} << 62) | std::bit_cast<std::uint32_t>(f);
}

struct PrintedPointHash {
    std::size_t operator()(const PrintedPoint& p) const {
        std::size_t h = 0;
        for (const std::int64_t c : p)
            h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(c);
        return h;
    }
};

struct Mesh {
    std::vector<NMR::MODELMESHVERTEX> vertices;
    std::vector<NMR::MODELMESHTRIANGLE> triangles;
    std::vector<Colour> colours; // per triangle
};

// A scaled file coordinate in single precision, or nothing when it does not fit.
std::optional<float> fileCoordinate(double storeValue, double scale) {
    const double v = storeValue * scale;
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
        return std::nullopt;
    const float f = static_cast<float>(v);
    return f == 0.0f ? 0.0f : f; // no "-0" in the file
}

// The indexed mesh in the file's frame; nothing when a coordinate is out of range.
std::optional<Mesh> indexedMesh(const std::vector<TriangleCore>& triangles, double scale) {
    Mesh mesh;
    std::unordered_map<PrintedPoint, std::uint32_t, PrintedPointHash> index;
    for (const TriangleCore& t : triangles) {
        const ExternalTriangle e = triangleToExternal(ExternalFrame::ZUp, t);
        NMR::MODELMESHTRIANGLE out{};
        for (std::size_t k = 0; k < 3; ++k) {
            NMR::MODELMESHVERTEX vertex{};
            PrintedPoint printed{};
            for (std::size_t a = 0; a < 3; ++a) {
                const auto f = fileCoordinate(e.corner[k][a], scale);
                if (!f)
                    return std::nullopt;
                vertex.m_fPosition[a] = *f;
                printed[a] = printedKey(*f);
            }
            const auto [it, added] =
                index.try_emplace(printed, static_cast<std::uint32_t>(mesh.vertices.size()));
            if (added)
                mesh.vertices.push_back(vertex);
            out.m_nIndices[k] = it->second;
        }
        const auto* v = out.m_nIndices;
        if (v[0] == v[1] || v[1] == v[2] || v[0] == v[2])
            continue; // readers reject a triangle that names a vertex twice
        mesh.triangles.push_back(out);
        mesh.colours.push_back(t.colour);
    }
    return mesh;
}

std::string materialName(Colour c) {
    char name[8];
    std::snprintf(name, sizeof name, "#%02X%02X%02X", redOf(c), greenOf(c), blueOf(c));
    return name;
}

// Builds the model and returns the package's bytes.
std::vector<std::uint8_t> packageBytes(const Mesh& mesh) {
    NMR::PLib3MFModel* rawModel = nullptr;
    check(NMR::lib3mf_createmodel(&rawModel));
    const Handle model(rawModel);
    check(NMR::lib3mf_model_setunit(model.get(), NMR::MODELUNIT_MILLIMETER));

    NMR::PLib3MFModelBaseMaterial* rawMaterials = nullptr;
    check(NMR::lib3mf_model_addbasematerialgroup(model.get(), &rawMaterials));
    const Handle materials(rawMaterials);
    DWORD groupId = 0;
    check(NMR::lib3mf_resource_getresourceid(materials.get(), &groupId));
    std::map<Colour, DWORD> materialOf;
    for (const Colour c : mesh.colours) {
        if (materialOf.contains(c))
            continue;
        DWORD at = 0;
        const std::string name = materialName(c);
        check(NMR::lib3mf_basematerial_addmaterialutf8(materials.get(), name.c_str(), redOf(c),
                                                       greenOf(c), blueOf(c), &at));
        // Adding leaves the display colour's alpha at 0 (fully transparent); setting the colour
        // again makes it opaque.
        check(NMR::lib3mf_basematerial_setdisplaycolorrgb(materials.get(), at, redOf(c), greenOf(c),
                                                          blueOf(c)));
        materialOf.emplace(c, at);
    }

    NMR::PLib3MFModelMeshObject* rawObject = nullptr;
    check(NMR::lib3mf_model_addmeshobject(model.get(), &rawObject));
    const Handle object(rawObject);
    check(NMR::lib3mf_object_setnameutf8(object.get(), "FacetCraftwerk"));
    check(NMR::lib3mf_object_settype(object.get(), NMR::MODELOBJECTTYPE_MODEL));
    auto vertices = mesh.vertices;
    auto triangles = mesh.triangles;
    check(NMR::lib3mf_meshobject_setgeometry(object.get(), vertices.data(),
                                             static_cast<DWORD>(vertices.size()), triangles.data(),
                                             static_cast<DWORD>(triangles.size())));
    NMR::PLib3MFPropertyHandler* rawProperties = nullptr;
    check(NMR::lib3mf_meshobject_createpropertyhandler(object.get(), &rawProperties));
    const Handle properties(rawProperties);
    for (std::size_t i = 0; i < mesh.colours.size(); ++i)
        check(NMR::lib3mf_propertyhandler_setbasematerial(properties.get(), static_cast<DWORD>(i),
                                                          groupId, materialOf.at(mesh.colours[i])));
    // A mesh with per-triangle properties needs an object-level default as well.
    NMR::PLib3MFDefaultPropertyHandler* rawDefault = nullptr;
    check(NMR::lib3mf_object_createdefaultpropertyhandler(object.get(), &rawDefault));
    const Handle defaults(rawDefault);
    check(NMR::lib3mf_defaultpropertyhandler_setbasematerial(defaults.get(), groupId,
                                                             materialOf.at(mesh.colours[0])));

    NMR::PLib3MFModelBuildItem* rawItem = nullptr;
    check(NMR::lib3mf_model_addbuilditem(model.get(), object.get(), nullptr, &rawItem));
    const Handle item(rawItem);

    NMR::PLib3MFModelWriter* rawWriter = nullptr;
    check(NMR::lib3mf_model_querywriter(model.get(), "3mf", &rawWriter));
    const Handle writer(rawWriter);
    ULONG64 size = 0;
    check(NMR::lib3mf_writer_getstreamsize(writer.get(), &size));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    check(NMR::lib3mf_writer_writetobuffer(writer.get(), bytes.data(), size));
    // The same parts without zip64 records, which many 3MF importers cannot read.
    return classicZip(bytes).value_or(std::move(bytes));
}

const char* writeMessage(FileError e) {
    switch (e) {
    case FileError::NotFound:
        return kFolderMissing;
    case FileError::AccessDenied:
        return kWriteDenied;
    case FileError::DiskFull:
        return kDiskFull;
    default:
        return kWriteFailed;
    }
}

const char* readMessage(FileError e) {
    switch (e) {
    case FileError::NotFound:
        return kNotFound;
    case FileError::AccessDenied:
        return kReadDenied;
    case FileError::TooLarge:
        return kFileTooLarge;
    default:
        return kReadFailed;
    }
}

// ---- reading ----

// Row-major 3 x 4: p' = m[i][0] x + m[i][1] y + m[i][2] z + m[i][3], as lib3mf lays out
// MODELTRANSFORM (its fourth column is the translation).
using Transform = std::array<std::array<double, 4>, 3>;

Transform fromModel(const NMR::MODELTRANSFORM& t) {
    Transform m{};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 4; ++j)
            m[i][j] = t.m_fFields[i][j];
    return m;
}

Vec3 apply(const Transform& m, const Vec3& p) {
    Vec3 q{};
    for (std::size_t i = 0; i < 3; ++i)
        q[i] = m[i][0] * p[0] + m[i][1] * p[1] + m[i][2] * p[2] + m[i][3];
    return q;
}

// The transform that applies `inner`, then `outer`.
Transform compose(const Transform& outer, const Transform& inner) {
    Transform m{};
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 4; ++j) {
            double v = j == 3 ? outer[i][3] : 0.0;
            for (std::size_t k = 0; k < 3; ++k)
                v += outer[i][k] * inner[k][j];
            m[i][j] = v;
        }
    }
    return m;
}

double millimetresPerUnit(DWORD unit) {
    switch (unit) {
    case NMR::MODELUNIT_MICROMETER:
        return 0.001;
    case NMR::MODELUNIT_CENTIMETER:
        return 10.0;
    case NMR::MODELUNIT_INCH:
        return 25.4;
    case NMR::MODELUNIT_FOOT:
        return 304.8;
    case NMR::MODELUNIT_METER:
        return 1000.0;
    default:
        return 1.0;
    }
}

Colour fromSrgb(const NMR::MODELMESHCOLOR_SRGB& c) {
    return colourOf(c.m_Red, c.m_Green, c.m_Blue);
}

// Walks the build of one parsed model into store triangles.
class ModelWalker {
  public:
    ModelWalker(NMR::PLib3MFModel* model, double scale, ThreeMfRead& out)
        : model_(model), out_(out) {
        DWORD unit = NMR::MODELUNIT_MILLIMETER;
        check(NMR::lib3mf_model_getunit(model_, &unit));
        factor_ = millimetresPerUnit(unit) * scale;
    }

    // False, with out.error set, when the model is refused.
    bool walkBuild() {
        NMR::PLib3MFModelBuildItemIterator* rawItems = nullptr;
        check(NMR::lib3mf_model_getbuilditems(model_, &rawItems));
        const Handle items(rawItems);
        BOOL more = 0;
        while (ok(NMR::lib3mf_builditemiterator_movenext(items.get(), &more)) && more) {
            NMR::PLib3MFModelBuildItem* rawItem = nullptr;
            check(NMR::lib3mf_builditemiterator_getcurrent(items.get(), &rawItem));
            const Handle item(rawItem);
            NMR::PLib3MFModelObjectResource* rawObject = nullptr;
            check(NMR::lib3mf_builditem_getobjectresource(item.get(), &rawObject));
            const Handle object(rawObject);
            NMR::MODELTRANSFORM t{};
            check(NMR::lib3mf_builditem_getobjecttransform(item.get(), &t));
            if (!walkObject(object.get(), fromModel(t), 0))
                return false;
        }
        return true;
    }

  private:
    bool walkObject(NMR::PLib3MFModelObjectResource* object, const Transform& m, int depth) {
        if (++placements_ > kMaxPlacements) {
            out_.error = kTooManyPlacements;
            return false;
        }
        BOOL isMesh = 0;
        check(NMR::lib3mf_object_ismeshobject(object, &isMesh));
        if (isMesh)
            return walkMesh(object, m);
        BOOL isComponents = 0;
        check(NMR::lib3mf_object_iscomponentsobject(object, &isComponents));
        if (!isComponents || depth >= kMaxComponentDepth)
            return true;
        DWORD count = 0;
        check(NMR::lib3mf_componentsobject_getcomponentcount(object, &count));
        for (DWORD i = 0; i < count; ++i) {
            NMR::PLib3MFModelComponent* rawComponent = nullptr;
            check(NMR::lib3mf_componentsobject_getcomponent(object, i, &rawComponent));
            const Handle component(rawComponent);
            NMR::PLib3MFModelObjectResource* rawChild = nullptr;
            check(NMR::lib3mf_component_getobjectresource(component.get(), &rawChild));
            const Handle child(rawChild);
            NMR::MODELTRANSFORM t{};
            check(NMR::lib3mf_component_gettransform(component.get(), &t));
            if (!walkObject(child.get(), compose(m, fromModel(t)), depth + 1))
                return false;
        }
        return true;
    }

    bool walkMesh(NMR::PLib3MFModelMeshObject* mesh, const Transform& m) {
        DWORD vertexCount = 0;
        DWORD triangleCount = 0;
        check(NMR::lib3mf_meshobject_getvertexcount(mesh, &vertexCount));
        check(NMR::lib3mf_meshobject_gettrianglecount(mesh, &triangleCount));
        if (triangleCount > kMaxThreeMfTriangles - out_.triangles.size() - out_.dropped) {
            out_.error = kTooManyTriangles;
            return false;
        }
        std::vector<NMR::MODELMESHVERTEX> vertices(vertexCount);
        std::vector<NMR::MODELMESHTRIANGLE> triangles(triangleCount);
        if (vertexCount > 0)
            check(NMR::lib3mf_meshobject_getvertices(mesh, vertices.data(), vertexCount, nullptr));
        if (triangleCount > 0)
            check(NMR::lib3mf_meshobject_gettriangleindices(mesh, triangles.data(), triangleCount,
                                                            nullptr));
        NMR::PLib3MFPropertyHandler* rawProperties = nullptr;
        check(NMR::lib3mf_meshobject_createpropertyhandler(mesh, &rawProperties));
        const Handle properties(rawProperties);
        const Colour fallback = objectColour(mesh);
        for (DWORD i = 0; i < triangleCount; ++i) {
            ExternalTriangle e;
            bool valid = true;
            for (std::size_t k = 0; k < 3; ++k) {
                const DWORD v = triangles[i].m_nIndices[k];
                if (v >= vertexCount) {
                    valid = false;
                    break;
                }
                const auto& f = vertices[v].m_fPosition;
                e.corner[k] = apply(m, {f[0], f[1], f[2]});
            }
            e.colour = triangleColour(properties.get(), i, fallback);
            keep(e, valid);
        }
        return true;
    }

    // Adds the triangle in store axes, or counts it as dropped.
    void keep(const ExternalTriangle& e, bool valid) {
        TriangleCore t = triangleFromExternal(ExternalFrame::ZUp, e);
        for (auto& corner : t.v) {
            for (double& c : corner) {
                c *= factor_;
                valid = valid && isStorableCoordinate(c);
            }
        }
        const Vec3 n = faceNormal({t.v[0], t.v[1], t.v[2]});
        if (valid && n != Vec3{0.0, 0.0, 0.0} && std::isfinite(n[0] + n[1] + n[2]))
            out_.triangles.push_back(t);
        else
            ++out_.dropped;
    }

    Colour triangleColour(NMR::PLib3MFPropertyHandler* properties, DWORD i, Colour fallback) {
        NMR::eModelPropertyType type = NMR::MODELPROPERTYTYPE_NONE;
        if (!ok(NMR::lib3mf_propertyhandler_getpropertytype(properties, i, &type)))
            return fallback;
        if (type == NMR::MODELPROPERTYTYPE_BASEMATERIALS) {
            DWORD group = 0;
            DWORD index = 0;
            check(NMR::lib3mf_propertyhandler_getbasematerial(properties, i, &group, &index));
            return materialColour(group, index).value_or(fallback);
        }
        if (type == NMR::MODELPROPERTYTYPE_COLOR) {
            NMR::MODELMESH_TRIANGLECOLOR_SRGB c{};
            check(NMR::lib3mf_propertyhandler_getcolor(properties, i, &c));
            return fromSrgb(c.m_Colors[0]);
        }
        return fallback;
    }

    // The object's own pid/pindex colour, for triangles that name none.
    Colour objectColour(NMR::PLib3MFModelObjectResource* object) {
        NMR::PLib3MFDefaultPropertyHandler* rawDefault = nullptr;
        if (!ok(NMR::lib3mf_object_createdefaultpropertyhandler(object, &rawDefault)))
            return kUncolouredGrey;
        const Handle defaults(rawDefault);
        NMR::eModelPropertyType type = NMR::MODELPROPERTYTYPE_NONE;
        if (!ok(NMR::lib3mf_defaultpropertyhandler_getpropertytype(defaults.get(), &type)))
            return kUncolouredGrey;
        if (type == NMR::MODELPROPERTYTYPE_BASEMATERIALS) {
            DWORD group = 0;
            DWORD index = 0;
            check(
                NMR::lib3mf_defaultpropertyhandler_getbasematerial(defaults.get(), &group, &index));
            return materialColour(group, index).value_or(kUncolouredGrey);
        }
        if (type == NMR::MODELPROPERTYTYPE_COLOR) {
            NMR::MODELMESHCOLOR_SRGB c{};
            check(NMR::lib3mf_defaultpropertyhandler_getcolor(defaults.get(), 0, &c));
            return fromSrgb(c);
        }
        return kUncolouredGrey;
    }

    // A base material's display colour, looked up once per material.
    std::optional<Colour> materialColour(DWORD group, DWORD index) {
        const auto key = std::pair(group, index);
        if (const auto found = materials_.find(key); found != materials_.end())
            return found->second;
        std::optional<Colour> colour;
        NMR::PLib3MFModelBaseMaterial* rawGroup = nullptr;
        if (ok(NMR::lib3mf_model_getbasematerialbyid(model_, group, &rawGroup))) {
            const Handle materials(rawGroup);
            BYTE r = 0, g = 0, b = 0, a = 0;
            if (ok(NMR::lib3mf_basematerial_getdisplaycolor(materials.get(), index, &r, &g, &b,
                                                            &a)))
                colour = colourOf(r, g, b);
        }
        materials_.emplace(key, colour);
        return colour;
    }

    NMR::PLib3MFModel* model_;
    ThreeMfRead& out_;
    double factor_ = 1.0; // store units per file unit
    std::size_t placements_ = 0;
    std::map<std::pair<DWORD, DWORD>, std::optional<Colour>> materials_;
};

// Reads the file into `out`; sets out.error on refusal.
void readPackage(const std::string& path, double scale, ThreeMfRead& out) {
    if (!usableScale(scale)) {
        out.error = kBadScale;
        return;
    }
    std::vector<std::uint8_t> bytes;
    const FileResult read = readWholeFile(path, bytes, kMaxThreeMfBytes);
    if (!read) {
        out.error = readMessage(read.error);
        return;
    }
    const std::optional<std::uint64_t> unpacked = zipUnpackedSize(bytes);
    if (!unpacked) {
        out.error = kDamaged;
        return;
    }
    if (*unpacked > kMaxThreeMfUnpackedBytes) {
        out.error = kUnpackedTooLarge;
        return;
    }
    NMR::PLib3MFModel* rawModel = nullptr;
    check(NMR::lib3mf_createmodel(&rawModel));
    const Handle model(rawModel);
    NMR::PLib3MFModelReader* rawReader = nullptr;
    check(NMR::lib3mf_model_queryreader(model.get(), "3mf", &rawReader));
    const Handle reader(rawReader);
    check(NMR::lib3mf_reader_setstrictmodeactive(reader.get(), 0));
    if (!ok(NMR::lib3mf_reader_readfrombuffer(reader.get(), bytes.data(), bytes.size()))) {
        out.error = kDamaged;
        return;
    }
    ModelWalker walker(model.get(), scale, out);
    if (walker.walkBuild() && out.triangles.empty())
        out.error = kNoTriangles;
}

} // namespace

bool writeThreeMf(const std::string& path, const std::vector<TriangleCore>& triangles, double scale,
                  std::string* error) {
    const char* reason = nullptr;
    try {
        const std::optional<Mesh> mesh =
            usableScale(scale) ? indexedMesh(triangles, scale) : std::nullopt;
        if (!usableScale(scale)) {
            reason = kBadScale;
        } else if (!mesh) {
            reason = kCoordinateTooLarge;
        } else if (mesh->triangles.empty()) {
            reason = kNothingToWrite;
        } else {
            const std::vector<std::uint8_t> bytes = packageBytes(*mesh);
            const FileResult written = writeFileAtomically(path, bytes);
            if (!written)
                reason = writeMessage(written.error);
        }
    } catch (...) { // a lib3mf failure or memory exhaustion
        reason = kCannotBuild;
    }
    if (reason && error)
        *error = reason;
    return reason == nullptr;
}

ThreeMfRead readThreeMf(const std::string& path, double scale) {
    ThreeMfRead out;
    try {
        readPackage(path, scale, out);
    } catch (...) { // a lib3mf failure or memory exhaustion
        out.error = kDamaged;
    }
    if (!out.error.empty()) {
        out.triangles.clear();
        out.triangles.shrink_to_fit();
        out.dropped = 0;
    }
    return out;
}

} // namespace fcw
