// Random sequences of user events against the editor without a window, checking the editor's
// invariants after every event. Each sequence is reproducible from its seed:
//
//   FCW_STATE_FUZZ_SEED=N            replay sequence N alone (with every event printed)
//   FCW_STATE_FUZZ_SEED=N FCW_STATE_FUZZ_COUNT=M   run sequences N .. N+M-1
//   FCW_STATE_FUZZ_COUNT=M           run sequences 0 .. M-1
//   FCW_STATE_FUZZ_KEEP_GOING=1      report every failing sequence, not only the first
//
// The events are those the window sends: clicks and drags in every tool, right clicks with a
// popup choice, the wheel, keys with Ctrl and Shift (accelerators go to their commands), every
// command of the command table, view resizes, documents opened and saved (valid and damaged),
// text and DXF imports, copy and paste through a work file. Dialogs, question boxes, file
// dialogs and popups are answered at random by the host, with garbage typed into the controls.

#include "tests/app/editor_invariants.h"

#include "app/batch_player.h"
#include "app/commands.h"
#include "app/document_commands.h"
#include "app/editor.h"
#include "app/menus.h"
#include "app/text_commands.h"
#include "interact/keyboard.h"
#include "interact/mouse_tools.h"
#include "io/native_document.h"
#include "io/text_export.h"
#include "io/work_file.h"
#include "render/canvas.h"
#include "render/navigation.h"
#include "render/scene_frame.h"
#include "render/scene_painter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>

namespace fcw {
namespace {

namespace fs = std::filesystem;
using Rng = std::mt19937_64;

int uniform(Rng& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}
bool chance(Rng& rng, double p) {
    return std::bernoulli_distribution(p)(rng);
}
template <typename T> const T& pick(Rng& rng, const std::vector<T>& items) {
    return items[static_cast<std::size_t>(uniform(rng, 0, static_cast<int>(items.size()) - 1))];
}

// ---- models and files ----

double coordinate(Rng& rng) {
    switch (uniform(rng, 0, 9)) {
    case 0:
        return 0.0;
    case 1:
        return uniform(rng, -20, 20) * 5.0; // on the grids
    case 2:
        return std::uniform_real_distribution<double>(-3000.0, 3000.0)(rng);
    default:
        return std::uniform_real_distribution<double>(-250.0, 250.0)(rng);
    }
}

std::vector<TriangleCore> randomTriangles(Rng& rng, int count) {
    std::vector<TriangleCore> out(static_cast<std::size_t>(count));
    for (TriangleCore& t : out) {
        t.colour = static_cast<Colour>(rng() & 0xFFFFFFu);
        for (auto& v : t.v) {
            v = {coordinate(rng), coordinate(rng), coordinate(rng)};
        }
        if (chance(rng, 0.05)) {
            t.v[2] = t.v[uniform(rng, 0, 1)]; // degenerate: a repeated corner
        }
    }
    return out;
}

int randomModelSize(Rng& rng) {
    const int r = uniform(rng, 0, 99);
    if (r < 20) {
        return 0;
    }
    if (r < 80) {
        return uniform(rng, 1, 12);
    }
    if (r < 96) {
        return uniform(rng, 13, 120);
    }
    if (r < 98) {
        return uniform(rng, 2960, 2998);
    }
    return uniform(rng, 2999, 3000); // at the limit: every growing edit must refuse
}

std::vector<Triangle> toTriangles(const std::vector<TriangleCore>& cores) {
    std::vector<Triangle> out(cores.size());
    for (std::size_t i = 0; i < cores.size(); ++i) {
        out[i].assign(cores[i]);
        out[i].computePolar();
        out[i].computeNormal();
    }
    return out;
}

void writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> asBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// Files the sequences open and import, made once from a fixed seed. A sequence may save over
// one of them (File ▸ Save writes back to the opened document), so each is put back before
// every sequence when its size or time stamp changed.
class FilePool {
public:
    explicit FilePool(const fs::path& dir) : dir_(dir) {
        Rng rng(20240601);
        for (int count : {0, 1, 3, 10, 50, 2999, 3000}) {
            const auto tris = toTriangles(randomTriangles(rng, count));
            add("doc" + std::to_string(count) + ".fcw",
                encodeDocument(tris, static_cast<int>(tris.size()) - 1));
        }
        const auto small = toTriangles(randomTriangles(rng, 6));
        const auto valid = encodeDocument(small, 5);
        // Damaged documents: truncated at several points, bit flips, and bad counts.
        for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{10}, std::size_t{22},
                                std::size_t{23}, valid.size() - 1, valid.size() - 76}) {
            add("cut" + std::to_string(cut) + ".fcw",
                std::vector<std::uint8_t>(valid.begin(), valid.begin() + static_cast<long>(cut)));
        }
        for (int n = 0; n < 6; ++n) {
            auto flipped = valid;
            for (int k = 0; k < 1 + n; ++k) {
                flipped[rng() % flipped.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
            }
            add("flip" + std::to_string(n) + ".fcw", flipped);
        }
        const std::size_t countAt = 1 + std::strlen(kDocumentHeader);
        for (std::uint16_t count : {std::uint16_t{3000}, std::uint16_t{0x7FFF},
                                    std::uint16_t{0x8000}, std::uint16_t{0xFFFE},
                                    std::uint16_t{2999}, std::uint16_t{6}}) {
            auto bad = valid;
            bad[countAt] = static_cast<std::uint8_t>(count & 0xFF);
            bad[countAt + 1] = static_cast<std::uint8_t>(count >> 8);
            add("count" + std::to_string(count) + ".fcw", bad);
        }
        {
            auto longHeader = valid;
            longHeader[0] = 0xFF; // a 16-bit length follows, pointing past the end
            add("header.fcw", longHeader);
        }
        // Text and DXF in all three formats, some at the slot limit, plus garbage.
        for (int count : {1, 5, 40, 2999, 3000, 3001, 3005}) {
            const auto tris = toTriangles(randomTriangles(rng, count));
            TextExportOptions options;
            options.title = "pool";
            const std::string tag = std::to_string(count);
            add("t1_" + tag + ".tx1", asBytes(writeTextType1(tris, options)));
            add("t2_" + tag + ".tx2", asBytes(writeTextType2(tris, options)));
            add("d_" + tag + ".dxf", asBytes(writeDxf(tris, options)));
            if (count == 5) {
                const std::string dxf = writeDxf(tris, options);
                for (std::size_t cut : {dxf.size() / 3, dxf.size() / 2, dxf.size() - 7}) {
                    add("dcut" + std::to_string(cut) + ".dxf", asBytes(dxf.substr(0, cut)));
                }
                const std::string t1 = writeTextType1(tris, options);
                add("t1cut.tx1", asBytes(t1.substr(0, t1.size() / 2)));
                std::string mangled = writeTextType2(tris, options);
                for (int k = 0; k < 20; ++k) {
                    mangled[rng() % mangled.size()] = "-.0123456789eE \r\nx"[rng() % 18];
                }
                add("t2bad.tx2", asBytes(mangled));
            }
        }
        add("empty.txt", {});
        add("garbage.dxf", asBytes("0\nSECTION\n2\nENTITIES\n0\n3DFACE\n10\n1e400\n20\n-\n30\n"
                                   "..\n11\n99999999999999999999999\n0\nEOF\n"));
        std::vector<std::uint8_t> noise(3000);
        for (auto& b : noise) {
            b = static_cast<std::uint8_t>(rng());
        }
        add("noise.dxf", noise);
        add("noise.fcw", noise);
        add("noise.tx1", noise);
        fs::create_directories(dir_ / "folder.fcw");
        paths_.push_back((dir_ / "folder.fcw").string());
        paths_.push_back((dir_ / "missing.fcw").string());
        paths_.push_back((dir_ / "missing.dxf").string());
    }

    // Puts back any file a sequence changed.
    void restore() {
        for (Entry& f : files_) {
            std::error_code ec;
            const auto size = fs::file_size(f.path, ec);
            const auto time = fs::last_write_time(f.path, ec);
            if (ec || size != f.bytes.size() || time != f.time) {
                fs::remove_all(f.path, ec);
                writeBytes(f.path, f.bytes);
                f.time = fs::last_write_time(f.path);
            }
        }
        std::error_code ec;
        fs::remove(dir_ / "missing.fcw", ec);
        fs::remove(dir_ / "missing.dxf", ec);
    }

    // A file to open: one of the 3000-triangle ones now and then, a small one mostly (large
    // models make every later event of a sequence slow).
    const std::string& pickOpenPath(Rng& rng) const {
        return chance(rng, 0.04) ? pick(rng, largePaths_) : pick(rng, paths_);
    }

private:
    struct Entry {
        fs::path path;
        std::vector<std::uint8_t> bytes;
        fs::file_time_type time;
    };
    void add(const std::string& name, std::vector<std::uint8_t> bytes) {
        Entry e{dir_ / name, std::move(bytes), {}};
        writeBytes(e.path, e.bytes);
        e.time = fs::last_write_time(e.path);
        (e.bytes.size() > 100000 ? largePaths_ : paths_).push_back(e.path.string());
        files_.push_back(std::move(e));
    }

    fs::path dir_;
    std::vector<Entry> files_;
    std::vector<std::string> paths_;
    std::vector<std::string> largePaths_;
};

// What the sequences reached, printed with FCW_STATE_FUZZ_STATS=1 to see that the events get
// where they should (commands that run rather than stay disabled, refusals at the limit).
struct Coverage {
    std::map<int, std::array<int, 3>> commands; // id -> Done, Disabled, Unknown
    std::map<int, int> dialogs;                 // resource id -> times shown
    int largestModel = -1;

    void print(std::ostream& out) const {
        out << "largest lastIndex " << largestModel << "\ndialogs:";
        for (const auto& [id, n] : dialogs) {
            out << ' ' << id << 'x' << n;
        }
        out << "\ncommands (done/disabled/unknown):";
        for (const auto& [id, n] : commands) {
            out << ' ' << id << ':' << n[0] << '/' << n[1] << '/' << n[2];
        }
        out << '\n';
    }
};
Coverage& coverage() {
    static Coverage c;
    return c;
}

// ---- the platform ----

// A canvas that draws nothing: paints run every step of the painter but the pixels.
class NullCanvas : public Canvas {
public:
    NullCanvas(std::int32_t w, std::int32_t h) : w_(w), h_(h) {}
    std::int32_t width() const override { return w_; }
    std::int32_t height() const override { return h_; }
    void setPen(const Pen&) override {}
    void setBrush(const Brush&) override {}
    void setClip(const Rect*) override {}
    void line(PixelPoint, PixelPoint) override {}
    void invertLine(PixelPoint, PixelPoint) override {}
    void polyline(std::span<const PixelPoint>) override {}
    void polygon(std::span<const PixelPoint>) override {}
    void rectangle(const Rect&) override {}
    void roundRect(const Rect&, int, int) override {}
    void ellipse(const Rect&) override {}
    void fillRect(const Rect&, Colour) override {}
    void frameRect(const Rect&, Colour) override {}
    void invertSnapMarker(std::int32_t, std::int32_t) override {}
    void text(std::int32_t, std::int32_t, const std::string&) override {}
    void replaceWithPixels(std::span<const std::uint8_t>, std::int32_t, std::int32_t,
                           std::size_t, int) override {}

private:
    std::int32_t w_;
    std::int32_t h_;
};

std::string randomControlText(Rng& rng) {
    static const std::vector<std::string> kOdd = {
        "",      "-",     ".",      "abc",   "1e400", "-1e400", "nan",   "inf",   "-inf",
        "1,5",   " 12",   "12 ",    "0x10",  "１２",  "1e-320", "+7",    "--3",   "99999999999",
        "-0",    "3.5.1", "100000", "-100000", "100001", "1e5",  "2147483648", "-2147483649"};
    switch (uniform(rng, 0, 5)) {
    case 0:
        return pick(rng, kOdd);
    case 1:
        return std::to_string(uniform(rng, -5, 130));
    case 2: {
        std::ostringstream s;
        s << std::uniform_real_distribution<double>(-400.0, 400.0)(rng);
        return s.str();
    }
    case 3:
        return std::to_string(uniform(rng, 0, 1));
    case 4:
        return std::to_string(uniform(rng, -100000, 100000));
    default:
        return std::string(static_cast<std::size_t>(uniform(rng, 1, 300)), "9.-a"[rng() % 4]);
    }
}

std::vector<int> commandItems(const MenuItem& menu) {
    std::vector<int> ids;
    for (const MenuItem& item : menu.items) {
        if (item.kind == MenuItem::Kind::Command) {
            ids.push_back(item.id);
        } else if (item.kind == MenuItem::Kind::Submenu) {
            const auto sub = commandItems(item);
            ids.insert(ids.end(), sub.begin(), sub.end());
        }
    }
    return ids;
}

std::vector<int> tableIds() {
    std::vector<int> ids;
    for (const Command& c : commandTable()) {
        ids.push_back(c.id);
    }
    return ids;
}

// Answers everything the logic asks at random and paints like the window (sometimes fully,
// through a canvas that draws nothing). Every paint checks the draw order.
class FuzzHost : public Host {
public:
    FuzzHost(Rng& rng, const FilePool& pool, const std::vector<std::string>& savePaths)
        : rng_(rng), pool_(pool), savePaths_(savePaths),
          triangleMenu_(commandItems(trianglePopup())),
          selectionMenu_(commandItems(selectionPopup())), table_(tableIds()) {}

    void attach(Editor& editor) { editor_ = &editor; }
    std::optional<std::string> takeProblem() { return std::exchange(problem_, {}); }
    bool shift = false;
    std::string notes; // what the host answered during the current event
    bool fileOpened = false; // an open dialog chose a file during the current event
    int dialogsShown = 0;
    bool tooManyShown = false;

    void repaint() override {
        if (editor_ == nullptr) {
            return;
        }
        Editor& e = *editor_;
        if (chance(rng_, 0.1)) {
            const Rect& c = e.camera.clientRect;
            NullCanvas canvas(c.right - c.left, c.bottom - c.top);
            paintScene(e, canvas);
        } else {
            prepareFrame(e);
        }
        if (!problem_) {
            if (auto bad = testing::checkDrawOrder(e)) {
                problem_ = "after a paint: " + *bad;
            }
        }
    }
    void beep() override {}
    MessageResult messageBox(const std::string&, MessageButtons buttons, MessageIcon) override {
        switch (buttons) {
        case MessageButtons::Ok:
            return MessageResult::Ok;
        case MessageButtons::OkCancel:
            return chance(rng_, 0.5) ? MessageResult::Ok : MessageResult::Cancel;
        case MessageButtons::YesNo:
            return chance(rng_, 0.5) ? MessageResult::Yes : MessageResult::No;
        case MessageButtons::YesNoCancel:
            return std::array{MessageResult::Yes, MessageResult::No,
                              MessageResult::Cancel}[static_cast<std::size_t>(uniform(rng_, 0, 2))];
        }
        return MessageResult::Cancel;
    }
    bool runDialog(Dialog& dialog) override {
        ++coverage().dialogs[dialog.resourceId()];
        ++dialogsShown;
        if (dialog.resourceId() == kTooManyPolygonsDialog) {
            tooManyShown = true;
        }
        notes += " {dialog " + std::to_string(dialog.resourceId());
        const bool ok = answerDialog(dialog);
        for (const auto& [id, value] : dialog.values()) {
            notes += " " + std::to_string(id) + "=" + value.substr(0, 20);
        }
        notes += ok ? " OK}" : " cancel}";
        return ok;
    }
    bool answerDialog(Dialog& dialog) {
        if (chance(rng_, 0.2)) {
            return false; // Cancel
        }
        if (chance(rng_, 0.3)) {
            if (dialog.clickAt(uniform(rng_, -10, 700), uniform(rng_, -10, 600))) {
                return true;
            }
        }
        const int steps = uniform(rng_, 0, 4);
        for (int i = 0; i < steps; ++i) {
            if (chance(rng_, 0.25)) {
                dialog.pressButton(uniform(rng_, 1090, 1110));
                continue;
            }
            editControl(dialog);
        }
        return !dialog.validate(); // a refused value cancels, as in the batch player
    }
    bool runPropertySheet(PropertySheet& sheet) override {
        if (chance(rng_, 0.15)) {
            return false;
        }
        const int steps = uniform(rng_, 0, 8);
        for (int i = 0; i < steps; ++i) {
            if (chance(rng_, 0.3)) {
                if (sheet.setActivePage(uniform(rng_, 0, sheet.pageCount() - 1))) {
                    return false;
                }
                continue;
            }
            editControl(sheet.page(sheet.activePage()));
        }
        if (chance(rng_, 0.15)) {
            return false;
        }
        return !sheet.acceptActivePage();
    }
    int popupMenu(int menuId, PixelPoint) override {
        const int r = uniform(rng_, 0, 9);
        int chosen = 0;
        if (r == 1) {
            chosen = pick(rng_, table_);
        } else if (r > 1) {
            chosen = pick(rng_, menuId == kTrianglePopupMenu ? triangleMenu_ : selectionMenu_);
        }
        notes += " {popup " + std::to_string(menuId) + " -> " + std::to_string(chosen) + "}";
        return chosen;
    }
    std::optional<FileChoice> chooseOpenFile(const FileDialogRequest&) override {
        if (chance(rng_, 0.1)) {
            return std::nullopt;
        }
        const std::string& path =
            chance(rng_, 0.8) ? pool_.pickOpenPath(rng_) : pick(rng_, savePaths_);
        fileOpened = true;
        notes += " {open " + fs::path(path).filename().string() + "}";
        return FileChoice{path, 0};
    }
    std::optional<FileChoice> chooseSaveFile(const FileDialogRequest&) override {
        if (chance(rng_, 0.1)) {
            return std::nullopt;
        }
        const std::string& path = pick(rng_, savePaths_);
        notes += " {save " + fs::path(path).filename().string() + "}";
        return FileChoice{path, uniform(rng_, 0, 2)};
    }
    void setPointerPosition(PixelPoint) override {}
    bool isShiftDown() const override { return shift; }
    void setMouseCapture(bool) override {}
    void highlightTriangle(const PixelPoint (&)[3], Colour) override {}
    void showProgressText(const std::string&, PixelPoint) override {}
    void documentStateChanged() override {}

private:
    void editControl(Dialog& dialog) {
        std::vector<int> controls;
        for (const auto& [id, value] : dialog.values()) {
            controls.push_back(id);
        }
        if (controls.empty()) {
            return;
        }
        const int id = pick(rng_, controls);
        if (!dialog.hasControl(id)) {
            return;
        }
        dialog.setValue(id, randomControlText(rng_));
        dialog.controlEdited(id);
    }

    Rng& rng_;
    Editor* editor_ = nullptr;
    const FilePool& pool_;
    const std::vector<std::string>& savePaths_;
    std::vector<int> triangleMenu_;
    std::vector<int> selectionMenu_;
    std::vector<int> table_;
    std::optional<std::string> problem_;
};

// ---- the events ----

// A point in the view: mostly inside the client area, often on a projected vertex (where
// picks and snaps happen), sometimes far outside.
PixelPoint randomPoint(Rng& rng, const Editor& e) {
    const Rect& c = e.camera.clientRect;
    const int r = uniform(rng, 0, 19);
    if (r < 7 && e.store.lastIndex >= 0) {
        const Triangle& t =
            e.store.viewTriangles[static_cast<std::size_t>(uniform(rng, 0, e.store.lastIndex))];
        const Point3& p = r < 4 ? t.centroid : t.v[static_cast<std::size_t>(uniform(rng, 0, 2))];
        const double x = p.y * e.camera.zoom + e.camera.centreX;
        const double y = p.z * e.camera.zoom + e.camera.centreY;
        if (std::fabs(x) < 30000 && std::fabs(y) < 30000) {
            return {static_cast<std::int32_t>(x) + uniform(rng, -2, 2),
                    static_cast<std::int32_t>(y) + uniform(rng, -2, 2)};
        }
    }
    if (r == 19) {
        return {uniform(rng, -32768, 32767), uniform(rng, -32768, 32767)};
    }
    return {uniform(rng, c.left - 20, std::max(c.left, c.right) + 20),
            uniform(rng, c.top - 20, std::max(c.top, c.bottom) + 20)};
}

std::string pointText(PixelPoint p) {
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

unsigned randomModifiers(Rng& rng) {
    unsigned flags = 0;
    if (chance(rng, 0.2)) {
        flags |= mouse_flags::kShift;
    }
    if (chance(rng, 0.1)) {
        flags |= mouse_flags::kControl;
    }
    return flags;
}

const std::vector<int>& toolIds() {
    static const std::vector<int> ids = {32801, 32801, 32803, 32803, 32803, 32802,
                                         32807, 32804, 32825, 32824};
    return ids;
}

struct Sequence {
    Rng rng;
    FuzzHost host;
    Editor editor;
    const FilePool* pool;
    const std::vector<std::string>* savePaths;
    bool allowFullSlots = false;

    Sequence(std::uint64_t seed, const FilePool& openFrom, const std::vector<std::string>& saveTo,
             const std::string& workFile)
        : rng(seed), host(rng, openFrom, saveTo), editor(host), pool(&openFrom),
          savePaths(&saveTo) {
        host.attach(editor);
        editor.paths.workFilePath = workFile;
        resizeView(editor, 800, 600);
        editor.repaint();
    }

    void mouse(const char* what, unsigned flags, PixelPoint p) {
        host.shift = (flags & mouse_flags::kShift) != 0;
        const std::string verb(what);
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
    }

    void command(int id) {
        ++coverage().commands[id][static_cast<std::size_t>(dispatchCommand(editor, id))];
    }

    // One event; returns its description.
    std::string step() {
        Editor& e = editor;
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
                "Left",  "Up",   "Right", "Down", "PageUp", "PageDown", "Home", "End",
                "Num0",  "Num1", "Num2",  "Num3", "Num4",   "Num5",     "Num6", "Num7",
                "Num8",  "Num9", "Space", "Space", "Enter", "Escape",   "Delete", "A",
                "C",     "N",    "O",     "S",    "V",      "X",        "Z",    "Z",
                "F1",    "Q"};
            const std::string& name = pick(rng, kKeys);
            const bool ctrl = chance(rng, 0.4);
            const bool shift = chance(rng, 0.1);
            if (const int id = acceleratorCommand(name, ctrl, shift); id != 0) {
                command(id);
            } else if (const auto key = keyFromName(name)) {
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
            command(32803);
            const Rect& c = e.camera.clientRect;
            mouse("down", 0, {c.left + 1, c.top + 1});
            mouse("up", 0, {c.right - 1, c.bottom - 1});
            return "rubber band over the view";
        }
        if (kind < 83) {
            // Most commands act on a selection: often make one first, with a rubber band
            // over part of the view or with Select All.
            std::string text;
            if (e.interaction.selectionCount == 0 && chance(rng, 0.6)) {
                if (chance(rng, 0.5)) {
                    const PixelPoint from = randomPoint(rng, e);
                    const PixelPoint to = randomPoint(rng, e);
                    command(32803);
                    mouse("down", 0, from);
                    mouse("up", 0, to);
                    text = "rubber band " + pointText(from) + "-" + pointText(to) + ", then ";
                } else {
                    command(32930);
                    text = "select all, then ";
                }
            }
            const auto table = commandTable();
            const int id = table[static_cast<std::size_t>(
                                     uniform(rng, 0, static_cast<int>(table.size()) - 1))]
                               .id;
            command(id);
            return text + "command " + std::to_string(id);
        }
        if (kind < 86) {
            // Mostly window-sized; a large view now and then (its depth buffer is slow to
            // allocate under the sanitizers).
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
            e.repaint();
            allowFullSlots = allowFullSlots || e.store.lastIndex >= kMaxTriangles;
            return "open " + path;
        }
        if (kind < 95) {
            const std::string& path = openPath();
            readTextFile(e, path);
            e.repaint();
            allowFullSlots = allowFullSlots || e.store.lastIndex >= kMaxTriangles;
            return "import " + path;
        }
        if (kind < 97) {
            const std::string& path = pick(rng, *savePaths);
            saveDocumentFile(e, path);
            return "save " + path;
        }
        if (kind < 98) {
            newDocument(e);
            e.repaint();
            return "new";
        }
        // Ctrl+Z
        command(32799);
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

// Runs sequence `seed`; returns a failure description naming the seed and the event.
std::optional<std::string> runSequence(FuzzFixture& f, testing::InvariantChecker& checker,
                                       std::uint64_t seed, bool verbose) {
    f.resetFiles();
    Sequence seq(seed, *f.pool, f.savePaths, f.workFile);
    Editor& e = seq.editor;

    // The starting model, and sometimes settings that make spheres large.
    const int size = randomModelSize(seq.rng);
    replaceModel(e, randomTriangles(seq.rng, size));
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
    if (chance(seq.rng, 0.2)) {
        e.settings.sphereLongitudeLines = static_cast<std::int8_t>(uniform(seq.rng, 3, 60));
        e.settings.sphereLatitudeLines = static_cast<std::int8_t>(uniform(seq.rng, 3, 60));
    }
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
        if (e.store.lastIndex > 1000) {
            --largeEventsLeft;
        }
        seq.host.tooManyShown = false;
        const int before = e.store.lastIndex;
        seq.host.notes.clear();
        seq.host.fileOpened = false;
        const std::string event = seq.step() + seq.host.notes;
        // Only a text import fills the spare slot; undo may bring such a model back.
        if (seq.host.fileOpened && e.store.lastIndex >= kMaxTriangles) {
            seq.allowFullSlots = true;
        }
        coverage().largestModel = std::max<int>(coverage().largestModel, e.store.lastIndex);
        if (verbose) {
            std::cout << "  " << i << ": " << event << "  -> lastIndex " << e.store.lastIndex
                      << ", tool " << toolModeName(e.interaction.toolMode) << ", phase "
                      << int(e.interaction.editPhase) << ", selection "
                      << e.interaction.selectionCount << ", undo " << e.undoDepth() << std::endl;
        }
        if (auto bad = seq.host.takeProblem()) {
            return fail(i, event, *bad);
        }
        if (auto bad = checker.check(e, seq.allowFullSlots)) {
            return fail(i, event, *bad);
        }
        if (seq.host.tooManyShown && e.store.lastIndex > std::max(before, kMaxTriangles - 1)) {
            return fail(i, event,
                        "refused at the limit but lastIndex grew to " +
                            std::to_string(e.store.lastIndex));
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
