// Feeds arbitrary text to the type 1 keyword reader (the header line is supplied when the
// input lacks it, so that every input reaches the body parser) and imports it into an editor.

#include "tests/fuzz/fuzz_support.h"

using namespace fcw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::string_view kHeader = "FacetCraftwerk_Text_Type_1";
    std::string content(fuzz::asText(data, size));
    if (!content.starts_with(kHeader)) {
        content = std::string(kHeader) + "\r\n" + content;
    }
    fuzz::importAndUse(content, "in.tx1");
    return 0;
}
