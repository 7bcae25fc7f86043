// Feeds arbitrary bytes to the import library's reader: the first byte picks the format the
// rest is read as. Whatever the bytes, the reader must return (no crash, no hang, memory
// bounded) with either triangles a model may hold or a reason, never both empty.

#include "io/assimp_reader.h"
#include "model/numeric.h"
#include "tests/fuzz/fuzz_support.h"

using namespace fcw;

namespace {

// The formats written here and OFF. The Collada reader of the system's library is left out: it
// dereferences a null pointer on some damaged files (found by this target), which no check
// before or after the parse can contain.
constexpr const char* kFormats[] = {"glb", "gltf", "obj", "stl", "ply", "off"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const char* format = kFormats[data[0] % std::size(kFormats)];
    const ForeignRead r = readWithImportLibrary(std::span<const std::uint8_t>(data + 1, size - 1),
                                                format, 1.0, colourOf(10, 20, 30));
    fuzz::check(r.triangles.empty() != r.error.empty(), "either triangles or a reason");
    for (const TriangleCore& t : r.triangles) {
        for (const auto& v : t.v) {
            for (double c : v) {
                fuzz::check(isStorableCoordinate(c), "a coordinate no model may hold");
            }
        }
        fuzz::check((t.colour >> 24) == 0, "a colour with a top byte");
    }
    return 0;
}
