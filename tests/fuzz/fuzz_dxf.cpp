// Feeds arbitrary text to the DXF reader and imports it into an editor.

#include "tests/fuzz/fuzz_support.h"

using namespace fcw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::importAndUse(fuzz::asText(data, size), "in.dxf");
    return 0;
}
