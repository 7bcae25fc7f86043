// Feeds arbitrary bytes to the copy/paste work file reader, then pastes them (twice, so that
// large clips meet the triangle limit), works with the pasted selection and copies it back.

#include "tests/fuzz/fuzz_support.h"

#include "editor/commands/clipboard_commands.h"
#include "io/work_file.h"

using namespace fcw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto clip = decodeWorkFile(bytes);
    if (clip) {
        fuzz::check(clip->size() <= static_cast<std::size_t>(kMaxTriangles),
                    "the work file reader kept more than the limit");
    }
    if (!fuzz::goesDeep(bytes)) {
        return 0;
    }

    fuzz::QuietPlayer& q = fuzz::resetPlayer();
    Editor& e = q.editor();
    fuzz::putFile(e.services.paths.workFilePath, bytes);
    // Paste as the menu item does, without asking whether it is enabled: another running copy
    // may have rewritten the file since the menu was drawn.
    pasteWorkFile(e);
    const int pasted = e.document.store.count();
    fuzz::check(pasted == (clip ? static_cast<int>(clip->size()) : 0),
                "the paste does not hold the work file's triangles");
    if (!clip) {
        fuzz::check(q.out.str().find("message ") != std::string::npos,
                    "a broken work file was not reported");
    }
    pasteWorkFile(e);
    fuzz::check(e.document.store.count() == 2 * pasted ||
                    (pasted > kMaxTriangles / 2 && e.document.store.count() == pasted),
                "a second paste went wrong");

    fuzz::lookAround(q);
    if (e.document.store.count() > 0) {
        // Everything is selected now: copying writes every triangle back out.
        q.run("command 32846");
        std::vector<std::uint8_t> written;
        fuzz::check(static_cast<bool>(readWholeFile(e.services.paths.workFilePath, written)),
                    "the copy wrote no work file");
        const auto back = decodeWorkFile(written);
        fuzz::check(back && static_cast<int>(back->size()) == e.document.store.count(),
                    "the copy does not hold every selected triangle");
    }
    return 0;
}
