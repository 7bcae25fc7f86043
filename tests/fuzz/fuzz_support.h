#pragma once

// Pieces shared by the fuzz targets: a canvas that draws nothing (so a paint runs every step of
// the painter but the pixels), a scratch folder for the files a target has to put on disk, and
// the checks that stop the run when the program breaks one of its own rules.

#include "editor/batch/batch_player.h"
#include "editor/editor.h"
#include "editor/view/frame_step.h"
#include "render/canvas.h"
#include "render/scene_painter.h"
#include "tests/null_canvas.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fcw::fuzz {

// Stops the run with a message; libFuzzer saves the input that got here.
[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

inline void check(bool ok, const std::string& what) {
    if (!ok) {
        fail(what);
    }
}

// A folder of this process's own, made on first use and removed at exit. In /dev/shm when
// there is one, so that the files a target writes for every input cost no disk traffic.
inline const std::string& scratchDir() {
    // Never destroyed: the exit handler that removes the folder needs the name.
    static const std::string* const dir = [] {
        auto* made = new std::string(
            (std::filesystem::is_directory("/dev/shm") && ::access("/dev/shm", W_OK) == 0
                 ? std::string("/dev/shm")
                 : std::filesystem::temp_directory_path().string()) +
            "/fcw_fuzz_XXXXXX");
        if (::mkdtemp(made->data()) == nullptr) {
            fail("cannot make a scratch folder");
        }
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchDir(), ignored);
        });
        return made;
    }();
    return *dir;
}

inline std::string scratchPath(const std::string& name) {
    return scratchDir() + "/" + name;
}

// Empties the scratch folder (files and folders a script may have made).
inline void clearScratch() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(scratchDir(), ignored)) {
        std::filesystem::remove_all(entry.path(), ignored);
    }
}

// Puts bytes in a file plainly (no fsync: the file is thrown away after this input).
inline void putFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        fail("cannot write " + path);
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        fail("cannot write " + path);
    }
    std::fclose(f);
}

// Paints the view in every frame mode, and through the depth buffer, at the current size.
inline void paintEveryWay(Editor& editor) {
    const Rect& c = editor.pane().camera.clientRect;
    const ViewOptions saved = editor.session.view;
    for (std::int8_t mode = 0; mode <= 3; ++mode) {
        editor.session.view.frameMode = static_cast<FrameMode>(mode);
        editor.session.view.depthNormalDisplay = 0;
        testing::NullCanvas canvas(c.right - c.left, c.bottom - c.top);
        paintScene(stepFrame(editor), canvas);
    }
    editor.session.view.frameMode = FrameMode::Filled;
    editor.session.view.depthNormalDisplay = 1;
    testing::NullCanvas canvas(c.right - c.left, c.bottom - c.top);
    paintScene(stepFrame(editor), canvas);
    editor.session.view = saved;
}

// A batch player whose output is collected and then dropped, with its work file in the
// scratch folder instead of beside the fuzz executable.
struct QuietPlayer {
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player{out, err};

    QuietPlayer() { player.editor().services.paths.workFilePath = scratchPath("work.tmp"); }
    Editor& editor() { return player.editor(); }
    // Runs lines the target composed itself: a script error there is the target's mistake.
    void run(const std::string& line) {
        if (const auto problem = player.runLine(line)) {
            fail("'" + line + "': " + *problem);
        }
    }
};

// Every member of the editor, so that a new one is not forgotten by resetPlayer below: this
// fails to compile when the editor grows, and the new member has to be reset there too.
static_assert(sizeof(Editor) == 1856,
              "Editor changed: reset the new member in resetPlayer, then update the size");

// A player as fresh as a new one. Building a player maps megabytes of fixed-size arrays
// (store, undo slots, depth buffer), which would dominate every run; this copies a pristine
// one over a reused one instead. Inputs queue at most kMaxQueuedAnswers answers.
inline constexpr int kMaxQueuedAnswers = 512;
inline QuietPlayer& resetPlayer() {
    static QuietPlayer* const pristine = new QuietPlayer;
    static QuietPlayer* const player = new QuietPlayer;
    const Editor& from = pristine->editor();
    Editor& to = player->editor();
    // The document, part by part: the store is copied whole, the undo history by its counts.
    to.document.store = from.document.store;
    to.document.selection = from.document.selection;
    // A slot's records past the count saved with it are never read back, so the counts make
    // the history as empty as a new one without copying megabytes of records.
    static_assert(sizeof(UndoHistory) == 104, "UndoHistory changed: reset the new member here");
    const UndoHistory& undo = from.document.undo;
    to.document.undo.serial = undo.serial;
    to.document.undo.counts = undo.counts;
    to.document.undo.undoDepth = undo.undoDepth;
    to.document.undo.redoCounts = undo.redoCounts;
    to.document.undo.redoDepth = undo.redoDepth;
    to.document.path = from.document.path;
    to.document.modified = from.document.modified;
    to.document.references = from.document.references;
    to.document.settingChanges = from.document.settingChanges;
    to.document.symmetry = from.document.symmetry;
    to.session = from.session;
    // Every paint and every resize clears the picture and the depth buffer, so the renderer
    // only needs the size and pixel layout of a new one; its buffers stay.
    const Services& fromServices = from.services;
    Services& toServices = to.services;
    DepthBufferRenderer& renderer = toServices.depthRenderer;
    if (renderer.width() != fromServices.depthRenderer.width() ||
        renderer.height() != fromServices.depthRenderer.height()) {
        renderer.resize(from.pane().camera.clientRect);
    }
    if (renderer.bitsPerPixel() != fromServices.depthRenderer.bitsPerPixel()) {
        renderer = fromServices.depthRenderer;
    }
    toServices.paths = fromServices.paths;
    toServices.settings = fromServices.settings;
    toServices.recentFiles = fromServices.recentFiles;
    toServices.recovery = fromServices.recovery;
    toServices.palette = fromServices.palette;
    toServices.unconfinedReadNoted = fromServices.unconfinedReadNoted;
    toServices.writeFaults = fromServices.writeFaults;
    HeadlessHost& host = player->player.host();
    if (host.isPalettePanelVisible()) {
        host.togglePalettePanel();
    }
    // Answers the previous input queued but no dialog took: a popup takes each.
    for (int n = 0; n < kMaxQueuedAnswers; ++n) {
        host.popupMenu(0, {});
    }
    host.setShiftDown(false);
    host.takeScriptError();
    player->out.str({});
    player->err.str({});
    return *player;
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Reading an input and checking what the reader promises takes microseconds; loading the model
// into an editor and using it takes milliseconds. So every input is read and checked, and one in
// kDeepShare also goes through the editor. The choice is a hash of the input, so a saved input
// replays the same way; FCW_FUZZ_DEEP=1 sends every input through the editor (for replaying a
// corpus or a finding in full).
inline constexpr std::uint32_t kDeepShare = 64;
// Writing a model read from an input back out in every format, and reading that again, costs
// more than reading it: one input in kExportShare does it (every deep one among them).
inline constexpr std::uint32_t kExportShare = 8;
static_assert(kDeepShare % kExportShare == 0);

inline bool deepEverywhere() {
    static const bool always = [] {
        const char* value = std::getenv("FCW_FUZZ_DEEP");
        return value != nullptr && std::string_view(value) == "1";
    }();
    return always;
}
inline std::uint32_t inputHash(std::span<const std::uint8_t> bytes) {
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const std::uint8_t b : bytes) {
        hash = (hash ^ b) * 16777619u;
    }
    return hash;
}
inline std::span<const std::uint8_t> asBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}
inline bool goesDeep(std::span<const std::uint8_t> bytes) {
    return deepEverywhere() || inputHash(bytes) % kDeepShare == 0;
}
inline bool checksExports(std::string_view text) {
    return deepEverywhere() || inputHash(asBytes(text)) % kExportShare == 0;
}
inline bool goesDeep(std::string_view text) {
    return goesDeep(asBytes(text));
}

} // namespace fcw::fuzz

namespace fcw::fuzz {

// What a user does with a model just read: turns and zooms the view, selects everything and
// nudges it, looks at the state, and paints it every way.
// The view is small: the painter's arithmetic is the same at any size, and filling 800 x 600
// pixels five times would cost more than everything else together.
inline void lookAround(QuietPlayer& q) {
    for (const char* line : {"size 96 72", "key Left", "key Up", "wheel 2 48 36", "command 32930",
                             "key Right ctrl", "key Down ctrl", "dump view"}) {
        q.run(line);
    }
    const Editor& e = q.editor();
    check(e.document.store.lastIndex >= -1 && e.document.store.lastIndex < kTriangleSlots,
          "lastIndex out of range: " + std::to_string(e.document.store.lastIndex));
    paintEveryWay(q.editor());
}

} // namespace fcw::fuzz

#include "editor/commands/text_commands.h"
#include "io/text_export.h"
#include "io/text_import.h"

namespace fcw::fuzz {

// Imports `content` from a file named `name` as Text ▸ Import does, checks that the model holds
// what the reader returned and that exporting it in every format and reading that back gives
// the same number of triangles, then works with the model.
inline void importAndUse(std::string_view content, const std::string& name) {
    const bool dxf = name.ends_with(".dxf");
    const std::optional<ImportedModel> direct =
        dxf ? readDxfModel(content, 1.0) : readTextModel(content, 1.0);
    // The largest import scale a profile can hold, for the arithmetic.
    if (dxf) {
        readDxfModel(content, 429496.7295);
    } else {
        readTextModel(content, 429496.7295);
    }

    // A model the editor takes: read, with no value refused.
    const bool usable = direct && !direct->refusal;
    if (direct) {
        check(direct->triangles.size() <= static_cast<std::size_t>(kMaxTriangles),
              "the reader kept more triangles than the store holds");
        for (const TriangleCore& t : direct->triangles) {
            for (const auto& v : t.v) {
                check(std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]),
                      "the reader kept a coordinate that is not a finite number");
            }
        }
    }
    if (usable && checksExports(content)) {
        // Exporting what was read in every format and reading that back keeps every triangle.
        std::vector<Triangle> model(direct->triangles.size());
        for (std::size_t i = 0; i < model.size(); ++i) {
            model[i].assign(direct->triangles[i]);
        }
        TextExportOptions options;
        options.title = "fuzz";
        const std::size_t expected = model.size();
        const auto type1 = readTextModel(writeTextType1(model, options), 1.0);
        check(type1 && type1->triangles.size() == expected, "type 1 export loses triangles");
        const auto type2 = readTextModel(writeTextType2(model, options), 1.0);
        check(type2 && type2->triangles.size() == expected, "type 2 export loses triangles");
        const auto dxfBack = readDxfModel(writeDxf(model, options), 1.0);
        check(expected == 0 || (dxfBack && dxfBack->triangles.size() == expected),
              "DXF export loses triangles");
    }
    if (!goesDeep(content)) {
        return;
    }

    const std::string path = scratchPath(name);
    putFile(path, asBytes(content));
    QuietPlayer& q = resetPlayer();
    Editor& e = q.editor();
    const bool read = readTextFile(e, path);
    check(read == usable, "import result differs from the reader's");
    if (!read) {
        check(e.document.store.lastIndex == -1, "a refused import changed the model");
        return;
    }
    check(e.document.store.count() == static_cast<int>(direct->triangles.size()),
          "the model does not hold what was read");
    lookAround(q);
}

} // namespace fcw::fuzz
