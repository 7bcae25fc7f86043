// Feeds arbitrary bytes to the native document reader, then opens them as File ▸ Open does and
// works with whatever model came out.

#include "tests/fuzz/fuzz_support.h"

#include "io/native_document.h"

#include <cmath>

using namespace fcw;

namespace {

bool sameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Same colour and the same nine coordinates (NaN equal to NaN).
bool sameCoreNaNAlike(const TriangleCore& a, const TriangleCore& b) {
    if (a.colour != b.colour) {
        return false;
    }
    for (std::size_t k = 0; k < 3; ++k) {
        for (std::size_t c = 0; c < 3; ++c) {
            if (!sameValue(a.v[k][c], b.v[k][c])) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    DecodedDocument doc;
    const DecodeError error = decodeDocument(bytes, doc);
    if (error == DecodeError::None) {
        fuzz::check(doc.lastIndex >= -1 && doc.lastIndex < kMaxTriangles, "decoded bad count");
        fuzz::check(doc.triangles.size() == static_cast<std::size_t>(doc.lastIndex + 1),
                    "triangle list does not match the count");

        // What was read goes back out as the same values: saving an opened document loses
        // nothing.
        std::vector<Triangle> model(doc.triangles.size());
        for (std::size_t i = 0; i < doc.triangles.size(); ++i) {
            model[i].assign(doc.triangles[i]);
        }
        const std::vector<std::uint8_t> again = encodeDocument(model, doc.lastIndex);
        DecodedDocument back;
        fuzz::check(decodeDocument(again, back) == DecodeError::None,
                    "re-encoded document refused");
        fuzz::check(back.triangles.size() == doc.triangles.size(), "re-encoded count differs");
        for (std::size_t i = 0; i < doc.triangles.size(); ++i) {
            fuzz::check(sameCoreNaNAlike(back.triangles[i], doc.triangles[i]),
                        "a save changed a triangle");
        }
    }
    if (!fuzz::goesDeep(bytes)) {
        return 0;
    }

    const std::string path = fuzz::scratchPath("doc.fcw");
    fuzz::putFile(path, bytes);
    fuzz::QuietPlayer& q = fuzz::resetPlayer();
    q.run("open " + path);
    const Editor& e = q.editor();
    if (error != DecodeError::None) {
        fuzz::check(e.document.store.lastIndex == -1, "a refused document changed the model");
        fuzz::check(q.out.str().find("message ") != std::string::npos || size == 0,
                    "a refused document was not reported");
        return 0;
    }
    fuzz::check(e.document.store.lastIndex == doc.lastIndex, "the opened model has another count");
    // The editor holds what the reader read.
    for (std::size_t i = 0; i < doc.triangles.size(); ++i) {
        fuzz::check(sameCoreNaNAlike(e.document.store.modelTriangles[i].core(), doc.triangles[i]),
                    "the opened model holds another triangle");
    }
    fuzz::lookAround(q);
    return 0;
}
