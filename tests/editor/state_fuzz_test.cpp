// Random sequences of user events against the editor without a window, checking the editor's
// invariants after every event. Each sequence is reproducible from its seed:
//
//   FCW_STATE_FUZZ_SEED=N            replay sequence N alone (with every event printed)
//   FCW_STATE_FUZZ_SEED=N FCW_STATE_FUZZ_COUNT=M   run sequences N .. N+M-1
//   FCW_STATE_FUZZ_COUNT=M           run sequences 0 .. M-1
//   FCW_STATE_FUZZ_KEEP_GOING=1      report every failing sequence, not only the first
//
// The events are those the window sends: clicks and drags in every tool (in the quad layout
// across its panes), right clicks with a
// popup choice, the wheel, keys with Ctrl and Shift (accelerators go to their commands), every
// command of the command table, view resizes, documents opened and saved (valid and damaged),
// text and DXF imports, copy and paste through a work file; half the sequences turn live
// symmetry on at the start. Dialogs, question boxes, file dialogs and popups are answered at
// random by the host, with garbage typed into the controls.

#include "tests/editor/editor_invariants.h"
#include "tests/editor/state_fuzz_events.h"
#include "tests/editor/state_fuzz_files.h"
#include "tests/editor/state_fuzz_host.h"

#include "editor/batch/batch_player.h"
#include "editor/commands/commands.h"
#include "editor/commands/document_commands.h"
#include "editor/commands/interchange_commands.h"
#include "editor/commands/text_commands.h"
#include "editor/editor.h"
#include "editor/session/profile.h"
#include "editor/tools/mouse_tools.h"
#include "editor/tools/operation.h"
#include "editor/view/keyboard.h"
#include "editor/view/navigation.h"
#include "editor/view/panes.h"
#include "io/work_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace fcw {
namespace {

namespace fs = std::filesystem;
using namespace testing::fuzz;

struct Sequence {
    Rng rng;
    FuzzHost host;
    Editor editor;
    const FilePool* pool;
    const std::vector<std::string>* savePaths;
    bool allowFullSlots = false;
    // What the event ended with: a command's id, kEndedByFileOrUndo for an open, import, New
    // or Undo, 0 for anything else (a mouse event or a key after the command).
    int lastAction = 0;
    static constexpr int kEndedByFileOrUndo = -1;
    // Whether the event's foreign import or export succeeded, and the model, undo depth and
    // history serial just before it (after the operation in progress ended); else empty.
    std::optional<bool> foreignDone;
    std::vector<TriangleCore> foreignModel;
    std::pair<int, std::uint64_t> foreignHistory;

    void beforeForeign() {
        endOperation(editor); // as the import does first, whether or not the file can be read
        foreignModel = testing::modelCores(editor);
        foreignHistory = {editor.undoDepth(), editor.historySerial()};
    }

    Sequence(std::uint64_t seed, const FilePool& openFrom, const std::vector<std::string>& saveTo,
             const std::string& workFile)
        : rng(seed), host(rng, openFrom, saveTo), editor(host), pool(&openFrom),
          savePaths(&saveTo) {
        host.attach(editor);
        editor.services.paths.workFilePath = workFile;
        resizeView(editor, 800, 600);
        editor.repaint();
    }

    // A mouse event at `p` in the active pane's pixels. In the quad layout it is now and then
    // moved into another pane; it reaches the editor as the window sends it, in view pixels
    // (a press makes the pane under it active unless an operation is under way).
    void mouse(const char* what, unsigned flags, PixelPoint p) {
        host.shift = (flags & mouse_flags::kShift) != 0;
        lastAction = 0;
        const std::string verb(what);
        const std::size_t paneBefore = editor.session.activePane;
        const bool busyBefore = operationPending(editor) || toolPhaseActive(editor);
        if (editor.session.paneLayout == PaneLayout::Quad) {
            const bool elsewhere = chance(rng, 0.25);
            const Pane& in =
                elsewhere
                    ? editor.session
                          .panes[static_cast<std::size_t>(uniform(rng, 0, pane_index::kCount - 1))]
                    : editor.pane();
            const PixelPoint view{p.x + in.origin.x, p.y + in.origin.y};
            p = verb == "down" || verb == "rdown" ? pressInPane(editor, view)
                                                  : inActivePane(editor, view);
        }
        if (verb == "down") {
            onLeftButtonDown(editor, flags | mouse_flags::kLeft, p);
        } else if (verb == "move") {
            onMouseMove(editor, flags, p);
        } else if (verb == "up") {
            onLeftButtonUp(editor, flags, p);
        } else {
            onRightButtonDown(editor, flags | mouse_flags::kRight, p);
        }
        host.shift = false;
        if (busyBefore && (operationPending(editor) || toolPhaseActive(editor)) &&
            editor.session.activePane != paneBefore) {
            spannedPanes = true;
        }
    }
    // Set when an operation under way went on in another pane than the one it began in.
    bool spannedPanes = false;

    void command(int id) {
        if (id >= command_id::kRecentFile1 && id <= command_id::kRecentFile4) {
            host.fileOpened = true; // reads a document, as an open dialog's choice does
        }
        lastAction = id;
        ++coverage().commands[id][static_cast<std::size_t>(dispatchCommand(editor, id))];
    }

    // One event; returns its description.
    std::string step() {
        Editor& e = editor;
        lastAction = 0;
        const int kind = uniform(rng, 0, 99);
        if (kind < 16) { // a click
            const PixelPoint p = randomPoint(rng, e);
            const unsigned flags = randomModifiers(rng);
            mouse("down", flags, p);
            mouse("up", flags, p);
            return "click " + pointText(p) + " flags " + std::to_string(flags);
        }
        if (kind < 34) { // a drag, sometimes without its release
            const PixelPoint from = randomPoint(rng, e);
            const unsigned flags = randomModifiers(rng);
            std::string text = "drag " + pointText(from);
            mouse("down", flags, from);
            const int moves = uniform(rng, 1, 4);
            PixelPoint to = from;
            for (int i = 0; i < moves; ++i) {
                to = randomPoint(rng, e);
                mouse("move", flags | mouse_flags::kLeft, to);
                text += " " + pointText(to);
            }
            if (chance(rng, 0.9)) {
                mouse("up", flags, to);
            } else {
                text += " (no release)";
            }
            return text + " flags " + std::to_string(flags);
        }
        if (kind < 37) { // a middle-button pan, or a plain move
            const PixelPoint p = randomPoint(rng, e);
            const bool middle = chance(rng, 0.5);
            mouse("move", middle ? mouse_flags::kMiddle : 0u, p);
            return std::string(middle ? "middle drag " : "move ") + pointText(p);
        }
        if (kind < 43) { // a right click (popup answered by the host)
            const PixelPoint p = randomPoint(rng, e);
            mouse("rdown", 0, p);
            return "right click " + pointText(p);
        }
        if (kind < 45) {
            const int notches = chance(rng, 0.9) ? uniform(rng, -4, 4) : uniform(rng, -1000, 1000);
            const PixelPoint p = randomPoint(rng, e);
            wheelZoom(e, 120 * notches);
            return "wheel " + std::to_string(notches) + " " + pointText(p);
        }
        if (kind < 55) { // a key
            static const std::vector<std::string> kKeys = {
                "Left",  "Up",    "Right", "Down",   "PageUp", "PageDown", "Home", "End",  "Num0",
                "Num1",  "Num2",  "Num3",  "Num4",   "Num5",   "Num6",     "Num7", "Num8", "Num9",
                "Space", "Space", "Enter", "Escape", "Delete", "A",        "C",    "N",    "O",
                "S",     "V",     "X",     "Z",      "Z",      "F1",       "Q",    "Y"};
            const std::string& name = pick(rng, kKeys);
            const bool ctrl = chance(rng, 0.4);
            const bool shift = chance(rng, 0.1);
            if (const int id = acceleratorCommand(name, ctrl, shift); id != 0) {
                command(id);
            } else if (const auto key = keyFromName(name)) {
                lastAction = 0;
                onKeyDown(e, *key, ctrl);
            }
            return "key " + name + (ctrl ? " ctrl" : "") + (shift ? " shift" : "");
        }
        if (kind < 61) {
            const int id = pick(rng, toolIds());
            command(id);
            return "tool " + std::to_string(id);
        }
        if (kind < 63) { // select everything with the rubber band, ready for the commands
            command(command_id::kToolRangeMove);
            const Rect& c = e.pane().camera.clientRect;
            mouse("down", 0, {c.left + 1, c.top + 1});
            mouse("up", 0, {c.right - 1, c.bottom - 1});
            return "rubber band over the view";
        }
        if (kind < 83) {
            // Most commands act on a selection: often make one first (a band or Select All).
            std::string text;
            if (e.document.selection.empty() && chance(rng, 0.6)) {
                if (chance(rng, 0.5)) {
                    const PixelPoint from = randomPoint(rng, e);
                    const PixelPoint to = randomPoint(rng, e);
                    command(command_id::kToolRangeMove);
                    mouse("down", 0, from);
                    mouse("up", 0, to);
                    text = "rubber band " + pointText(from) + "-" + pointText(to) + ", then ";
                } else {
                    command(command_id::kSelectAll);
                    text = "select all, then ";
                }
            }
            const auto table = commandTable();
            const int id =
                table[static_cast<std::size_t>(uniform(rng, 0, static_cast<int>(table.size()) - 1))]
                    .id;
            command(id);
            return text + "command " + std::to_string(id);
        }
        if (kind < 86) {
            // Mostly window-sized; now and then a large view (slow under the sanitizers).
            const bool large = chance(rng, 0.1);
            const int w = chance(rng, 0.1) ? 0 : uniform(rng, 1, large ? 2500 : 900);
            const int h = chance(rng, 0.1) ? 0 : uniform(rng, 1, large ? 1600 : 700);
            resizeView(e, w, h);
            e.repaint();
            return "size " + std::to_string(w) + " " + std::to_string(h);
        }
        if (kind < 91) {
            const std::string& path = openPath();
            openDocumentFile(e, path);
            lastAction = kEndedByFileOrUndo;
            e.repaint();
            host.fileOpened = true;
            return "open " + path;
        }
        if (kind < 95 && chance(rng, 0.3)) { // as the batch player's import: no question
            const std::string& path = pool->pickImportPath(rng);
            beforeForeign();
            foreignDone = importForeignFile(e, path, OverCapacity::Reduce);
            lastAction = kEndedByFileOrUndo;
            e.repaint();
            host.fileOpened = true;
            return "import foreign " + path;
        }
        if (kind < 95) {
            const std::string& path = openPath();
            readTextFile(e, path);
            lastAction = kEndedByFileOrUndo;
            e.repaint();
            host.fileOpened = true;
            return "import " + path;
        }
        if (kind < 97 && chance(rng, 0.3)) {
            static const std::vector<std::string> kExtensions = {"glb", "gltf", "obj", "stl",
                                                                 "ply", "3mf",  "fbx"};
            const fs::path path =
                fs::path(pick(rng, *savePaths)).parent_path() / ("x." + pick(rng, kExtensions));
            beforeForeign();
            foreignDone = exportForeignFile(e, path.string());
            return "export " + path.string();
        }
        if (kind < 97) {
            const std::string& path = pick(rng, *savePaths);
            saveDocumentFile(e, path);
            return "save " + path;
        }
        if (kind < 98) {
            newDocument(e);
            lastAction = kEndedByFileOrUndo;
            e.repaint();
            return "new";
        }
        if (chance(rng, 0.3)) {
            // Settings read from a hand-edited profile, as at start-up: the values are used as
            // read, only the settings sheet checks their ranges.
            static const char* const kEntries[][2] = {{"図形", "緯線"},
                                                      {"図形", "経線"},
                                                      {"表示", "明るさ"},
                                                      {"操作", "角度"},
                                                      {"表示", "ステータス表示"},
                                                      {"表示", "ステータス固定"},
                                                      {"表示", "強調"},
                                                      {"テキストファイル", "in"},
                                                      {"テキストファイル", "out"},
                                                      {"テキストファイル", "kind"},
                                                      {"テキストファイル", "color"}};
            std::string text;
            for (const auto& [section, key] : kEntries) {
                if (chance(rng, 0.5)) {
                    static const std::vector<std::string> kValues = {
                        "0",   "1",    "-1",         "3",          "127",         "128",
                        "255", "-128", "4294967295", "2147483647", "-2147483648", "99999999999",
                        "abc", ""};
                    const std::string value = chance(rng, 0.5)
                                                  ? pick(rng, kValues)
                                                  : std::to_string(uniform(rng, -50, 300));
                    text += std::string("[") + section + "]\n" + key + "=" + value + "\n";
                }
            }
            Profile profile;
            profile.parse(text);
            readSettings(profile, e.services.settings, e.session.view);
            e.repaint();
            return "profile {" + text + "}";
        }
        // Ctrl+Z, now and then Ctrl+Y
        if (chance(rng, 0.3)) {
            command(command_id::kRedo);
            return "redo";
        }
        command(command_id::kUndo);
        return "undo";
    }

    const std::string& openPath() { return pool->pickOpenPath(rng); }
};

struct FuzzFixture {
    fs::path dir;
    std::unique_ptr<FilePool> pool;
    std::vector<std::string> savePaths;
    std::string workFile;

    FuzzFixture() {
        char pattern[] = "/tmp/fcw-state-fuzz-XXXXXX";
        dir = ::mkdtemp(pattern);
        fs::create_directories(dir / "in");
        fs::create_directories(dir / "out");
        pool = std::make_unique<FilePool>(dir / "in");
        for (const char* name : {"a.fcw", "b.fcw", "c.dxf", "d.tx1", "e.tx2", "f.txt", "g"}) {
            savePaths.push_back((dir / "out" / name).string());
        }
        workFile = (dir / "out" / "work.tmp").string();
    }
    ~FuzzFixture() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void resetFiles() {
        pool->restore();
        std::error_code ec;
        fs::remove_all(dir / "out", ec);
        fs::create_directories(dir / "out");
    }
};

std::optional<std::uint64_t> envNumber(const char* name) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return std::nullopt;
    }
    return std::strtoull(text, nullptr, 10);
}

// The starting model of a sequence, often something to paste, and sometimes settings that
// make spheres large. Returns the model's size.
int setUpSequence(FuzzFixture& f, Sequence& seq) {
    Editor& e = seq.editor;
    const int size = randomModelSize(seq.rng);
    replaceModel(e, randomTriangles(seq.rng, size));
    if (chance(seq.rng, 0.5)) {
        dispatchCommand(e, command_id::kSymmetry); // the question is answered at random
    }
    e.repaint();
    // Often something to paste already: a small clip, now and then one that reaches the limit
    // or a damaged one.
    if (const int r = uniform(seq.rng, 0, 19); r < 10) {
        const int clipSize = r < 8 ? uniform(seq.rng, 1, 20) : uniform(seq.rng, 2500, 3000);
        auto bytes = encodeWorkFile(randomTriangles(seq.rng, clipSize));
        if (r == 9 && chance(seq.rng, 0.5)) {
            bytes.resize(bytes.size() - static_cast<std::size_t>(uniform(seq.rng, 1, 100)));
        }
        writeBytes(f.workFile, bytes);
    }
    if (chance(seq.rng, 0.3)) { // the quad layout, with any pane active
        dispatchCommand(e, command_id::kQuadLayout);
        dispatchCommand(e, uniform(seq.rng, command_id::kFrontPane, command_id::kFreePane));
    }
    if (chance(seq.rng, 0.2)) {
        e.services.settings.sphereLongitudeLines =
            static_cast<std::int8_t>(uniform(seq.rng, 3, 60));
        e.services.settings.sphereLatitudeLines = static_cast<std::int8_t>(uniform(seq.rng, 3, 60));
    }
    return size;
}

// What an event's checks compare with: the state just before it.
struct BeforeEvent {
    int lastIndex;
    int undoDepth;
    int redoDepth;
    std::uint64_t serial;
    bool popupMove;
    std::vector<TriangleCore> model;
};

// The rules each kind of event keeps, beyond the invariants.
std::optional<std::string> checkEvent(Sequence& seq, const BeforeEvent& before,
                                      const std::string& event) {
    Editor& e = seq.editor;
    // Between button events only commands and keys edit: a move without the left button
    // moves no vertex (the popup move, which follows the pointer, aside).
    const bool buttonlessMove = event.rfind("move ", 0) == 0 ||
                                event.rfind("middle drag ", 0) == 0 ||
                                event.rfind("wheel ", 0) == 0;
    if (buttonlessMove && !before.popupMove) {
        if (auto bad = testing::checkModelUnchanged(before.model, e)) {
            return *bad;
        }
    }
    // Undo, Open, New, import, a tool change and every command end the operation in
    // progress; "移動" is the one command that starts one.
    if (seq.lastAction != 0 && seq.lastAction != command_id::kPopupMoveTriangle) {
        if (auto bad = testing::checkNoOperationPending(e)) {
            return *bad;
        }
    }
    if (auto bad = testing::checkModifiedAfterEdit(e, before.serial)) {
        return *bad;
    }
    // A foreign import that works is one undo step and leaves the document modified; one that
    // fails, and every export, leave the model, its history and its flag as they were.
    if (seq.foreignDone) {
        const bool imported = *seq.foreignDone && event.rfind("import", 0) == 0;
        const auto [undoDepth, serial] = seq.foreignHistory;
        if (imported && (e.undoDepth() != std::min(undoDepth + 1, kUndoLevels) ||
                         !e.document.modified || e.historySerial() == serial)) {
            return std::string("a foreign import is not one undo step that modifies");
        }
        if (!imported) {
            if (auto bad = testing::checkModelUnchanged(seq.foreignModel, e)) {
                return "a failed import or an export: " + *bad;
            }
            if (e.undoDepth() != undoDepth || e.historySerial() != serial) {
                return std::string("a failed import or an export changed the history");
            }
        }
    }
    // Editing stops at 3000 triangles: only a file read (or an undo or redo back to what one
    // read) fills the spare slot.
    const bool readOrUndone =
        seq.host.fileOpened || e.undoDepth() < before.undoDepth || e.redoDepth() < before.redoDepth;
    if (e.document.store.lastIndex >= kMaxTriangles && before.lastIndex < kMaxTriangles &&
        !readOrUndone) {
        return std::string("an edit passed 3000 triangles");
    }
    if (seq.host.tooManyShown &&
        e.document.store.lastIndex > std::max(before.lastIndex, kMaxTriangles - 1)) {
        return "refused at the limit but lastIndex grew to " +
               std::to_string(e.document.store.lastIndex);
    }
    return std::nullopt;
}

// Runs sequence `seed`; returns a failure description naming the seed and the event.
std::optional<std::string> runSequence(FuzzFixture& f, testing::InvariantChecker& checker,
                                       std::uint64_t seed, bool verbose) {
    f.resetFiles();
    Sequence seq(seed, *f.pool, f.savePaths, f.workFile);
    Editor& e = seq.editor;

    const int size = setUpSequence(f, seq);
    const int steps = chance(seq.rng, 0.1) ? uniform(seq.rng, 40, 80) : uniform(seq.rng, 8, 30);
    auto fail = [&](int index, const std::string& event, const std::string& what) {
        std::ostringstream m;
        m << "seed " << seed << " (model of " << size << "), event " << index << " [" << event
          << "]: " << what << "\n  replay: FCW_STATE_FUZZ_SEED=" << seed
          << " build-state/tests/fcw_tests --gtest_filter='StateFuzz.*'";
        return m.str();
    };
    checker.reset();
    if (auto bad = checker.check(e, false)) {
        return fail(0, "start", *bad);
    }
    int largeEventsLeft = 10; // large models are slow: a few events on them per sequence
    for (int i = 1; i <= steps && largeEventsLeft > 0; ++i) {
        if (e.document.store.lastIndex > 1000) {
            --largeEventsLeft;
        }
        seq.host.tooManyShown = false;
        seq.host.notes.clear();
        seq.host.fileOpened = false;
        seq.foreignDone.reset();
        const BeforeEvent before{
            e.document.store.lastIndex, e.undoDepth(),        e.redoDepth(),
            e.historySerial(),          popupMoveUnderWay(e), testing::modelCores(e)};
        const std::string event = seq.step() + seq.host.notes;
        // Only a text import fills the spare slot; undo may bring such a model back.
        if (seq.host.fileOpened && e.document.store.lastIndex >= kMaxTriangles) {
            seq.allowFullSlots = true;
        }
        coverage().largestModel =
            std::max<int>(coverage().largestModel, e.document.store.lastIndex);
        if (verbose) {
            std::cout << "  " << i << ": " << event << "  -> lastIndex "
                      << e.document.store.lastIndex << ", tool "
                      << toolModeName(e.session.interaction.toolMode) << ", phase "
                      << editPhaseNumber(e) << ", selection " << e.document.selection.count()
                      << ", undo " << e.undoDepth() << std::endl;
        }
        if (auto bad = seq.host.takeProblem()) {
            return fail(i, event, *bad);
        }
        if (seq.spannedPanes) {
            return fail(i, event, "an operation went on in another pane than its own");
        }
        if (auto bad = checker.check(e, seq.allowFullSlots)) {
            return fail(i, event, *bad);
        }
        if (auto bad = checkEvent(seq, before, event)) {
            return fail(i, event, *bad);
        }
    }
    return std::nullopt;
}

// Runs `count` sequences from `first`, or the seeds the environment names. Stops at the first
// failure.
void runShard(std::uint64_t first, std::uint64_t count, bool primary) {
    bool verbose = false;
    if (const auto seed = envNumber("FCW_STATE_FUZZ_SEED")) {
        if (!primary) {
            GTEST_SKIP() << "replaying FCW_STATE_FUZZ_SEED in StateFuzz.Shard0";
        }
        first = *seed;
        count = envNumber("FCW_STATE_FUZZ_COUNT").value_or(1);
        verbose = count == 1;
    } else if (const auto n = envNumber("FCW_STATE_FUZZ_COUNT")) {
        if (!primary) {
            GTEST_SKIP() << "FCW_STATE_FUZZ_COUNT runs in StateFuzz.Shard0";
        }
        first = 0;
        count = *n;
    }
    // FCW_STATE_FUZZ_KEEP_GOING=1 reports every failing sequence instead of the first.
    const bool keepGoing = envNumber("FCW_STATE_FUZZ_KEEP_GOING").value_or(0) != 0;
    // The files and the checker's buffers are made once for all shards.
    static FuzzFixture fixture;
    static testing::InvariantChecker checker;
    for (std::uint64_t seed = first; seed < first + count; ++seed) {
        if (keepGoing) {
            std::cerr << "sequence " << seed << '\n'; // names the seed of a sanitizer abort
        }
        const auto failure = runSequence(fixture, checker, seed, verbose);
        if (failure) {
            if (!keepGoing) {
                FAIL() << *failure;
            }
            ADD_FAILURE() << *failure;
        }
    }
    if (envNumber("FCW_STATE_FUZZ_STATS").value_or(0) != 0) {
        coverage().print(std::cout);
    }
}

// Four shards, so ctest can run them side by side.
constexpr std::uint64_t kPerShard = 500;

TEST(StateFuzz, Shard0) {
    runShard(0, kPerShard, true);
}
TEST(StateFuzz, Shard1) {
    runShard(kPerShard, kPerShard, false);
}
TEST(StateFuzz, Shard2) {
    runShard(2 * kPerShard, kPerShard, false);
}
TEST(StateFuzz, Shard3) {
    runShard(3 * kPerShard, kPerShard, false);
}

} // namespace
} // namespace fcw
