// Feeds arbitrary scripts to the batch player: every line is split as the player splits it and
// then run, going on after script errors so that one bad line does not hide the rest.
//
// Scripts name files. The process works in its own scratch folder, every '/' of a line is
// replaced by '_' before it runs (so every path the script names is a plain name inside that
// folder), and the folder is emptied after each input.

#include "tests/fuzz/fuzz_support.h"

#include <algorithm>

using namespace fcw;

namespace {

constexpr int kMaxLines = 300;
// Past this the depth buffer of a paint would cost more memory than a fuzz run should spend;
// the player itself accepts views up to 16384 x 16384.
constexpr long long kMaxPaintedPixels = 2000LL * 2000LL;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (::chdir(fuzz::scratchDir().c_str()) != 0) {
        fuzz::fail("cannot enter the scratch folder");
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string script(fuzz::asText(data, size));
    std::replace(script.begin(), script.end(), '/', '_');

    {
        fuzz::QuietPlayer& q = fuzz::resetPlayer();
        q.editor().services.paths.workFilePath = "work.tmp";
        std::size_t start = 0;
        for (int n = 0; n < kMaxLines && start <= script.size(); ++n) {
            std::size_t end = script.find('\n', start);
            if (end == std::string::npos) {
                end = script.size();
            }
            const std::string line = script.substr(start, end - start);
            start = end + 1;

            const auto words = splitScriptLine(line);
            const auto problem = q.player.runLine(line);
            // An unterminated quote is the only way splitting fails, and the player says so.
            fuzz::check(words.has_value() || problem.has_value(), "an unsplittable line ran");
            const Editor& e = q.editor();
            fuzz::check(e.document.store.lastIndex >= -1 &&
                            e.document.store.lastIndex < kTriangleSlots,
                        "lastIndex out of range after '" + line + "'");
        }
        const Rect& c = q.editor().pane().camera.clientRect;
        const long long pixels = static_cast<long long>(c.right - c.left) * (c.bottom - c.top);
        if (pixels <= kMaxPaintedPixels && fuzz::goesDeep(fuzz::asText(data, size))) {
            fuzz::paintEveryWay(q.editor());
        }
    }
    fuzz::clearScratch();
    return 0;
}
