// Feeds arbitrary bytes to the reader of the block after a native document's triangle records
// and to the records of the reference images and of live symmetry, and checks that what they
// accept writes back the same.

#include "tests/fuzz/fuzz_support.h"

#include "io/document_extensions.h"

#include <algorithm>

using namespace fcw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const ExtensionRead read = readExtensionBlock(bytes);
    if (read.status == ExtensionRead::Status::Read) {
        fuzz::check(read.end <= bytes.size(), "the block ends past its bytes");
        const std::vector<std::uint8_t> again = encodeExtensionBlock(read.records);
        // An empty block writes as no block at all.
        fuzz::check(read.records.empty() || (again.size() == read.end &&
                                             std::equal(again.begin(), again.end(), bytes.begin())),
                    "the block does not write back as it was read");
    }
    // The payload reader on its own, whatever the block held.
    if (const auto entries = decodeReferences(bytes)) {
        fuzz::check(entries->size() <= kReferenceDirections, "more entries than directions");
        fuzz::check(encodeReferences(*entries) ==
                        std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
                    "the references do not write back as they were read");
    }
    for (const ExtensionRecord& r : read.records) {
        if (r.tag == kReferenceTag && r.version == kReferenceVersion) {
            (void)decodeReferences(r.payload);
        }
        if (r.tag == kSymmetryTag && r.version == kSymmetryVersion) {
            if (const auto plane = decodeSymmetryPlane(r.payload)) {
                fuzz::check(encodeSymmetryPlane(*plane) == r.payload,
                            "the symmetry plane does not write back as it was read");
            }
        }
    }
    return 0;
}
