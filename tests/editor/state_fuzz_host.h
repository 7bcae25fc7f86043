#pragma once

#include "tests/editor/editor_invariants.h"
#include "tests/editor/state_fuzz_files.h"

#include "editor/commands/commands.h"
#include "editor/commands/menus.h"
#include "editor/editor.h"
#include "editor/host.h"
#include "editor/tools/mouse_tools.h"
#include "editor/view/frame_step.h"
#include "render/canvas.h"
#include "render/scene_painter.h"
#include "tests/null_canvas.h"

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace fcw::testing::fuzz {

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
inline Coverage& coverage() {
    static Coverage c;
    return c;
}

inline std::string randomControlText(Rng& rng) {
    static const std::vector<std::string> kOdd = {
        "",        "-",      ".",   "abc",         "1e400",      "-1e400", "nan",
        "inf",     "-inf",   "1,5", " 12",         "12 ",        "0x10",   "１２",
        "1e-320",  "+7",     "--3", "99999999999", "-0",         "3.5.1",  "100000",
        "-100000", "100001", "1e5", "2147483648",  "-2147483649"};
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

inline std::vector<int> commandItems(const MenuItem& menu) {
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

inline std::vector<int> tableIds() {
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
    std::string notes;       // what the host answered during the current event
    bool fileOpened = false; // an open dialog chose a file during the current event
    int dialogsShown = 0;
    bool tooManyShown = false;

    void repaint() override {
        if (editor_ == nullptr) {
            return;
        }
        Editor& e = *editor_;
        const SceneFrame frame = stepFrame(e);
        if (chance(rng_, 0.1)) {
            const Rect& c = e.pane().camera.clientRect;
            testing::NullCanvas canvas(c.right - c.left, c.bottom - c.top);
            paintScene(frame, canvas);
        }
        if (!problem_) {
            if (auto bad = checkDrawOrder(e)) {
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
        notes += " {open " + std::filesystem::path(path).filename().string() + "}";
        return FileChoice{path, 0};
    }
    std::optional<FileChoice> chooseSaveFile(const FileDialogRequest&) override {
        if (chance(rng_, 0.1)) {
            return std::nullopt;
        }
        const std::string& path = pick(rng_, savePaths_);
        notes += " {save " + std::filesystem::path(path).filename().string() + "}";
        return FileChoice{path, uniform(rng_, 0, 2)};
    }
    // Reference images: any regular file is a small picture of random size, now and then none.
    DecodedImage decodeReferenceImage(const std::string&, int, std::uint64_t) override {
        if (chance(rng_, 0.2)) {
            return {0, 0, {}, "画像として読めません"};
        }
        const int w = uniform(rng_, 1, 64);
        const int h = uniform(rng_, 1, 64);
        return {w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w * h), 0x80FF0000u), {}};
    }
    void setPointerPosition(PixelPoint) override {}
    bool isShiftDown() const override { return shift; }
    void setMouseCapture(bool) override {}
    void showProgressText(const std::string&, PixelPoint) override {}
    void documentStateChanged() override {}
    void quitApplication() override {} // the program keeps running, as after Cancel
    bool isToolbarVisible() const override { return toolbarVisible_; }
    void toggleToolbar() override { toolbarVisible_ = !toolbarVisible_; }
    void pageSetup() override {}
    void print() override { repaint(); } // the window paints the scene for the printer
    bool showHelp(const std::string&) override { return chance(rng_, 0.5); }

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
    bool toolbarVisible_ = true;
};

} // namespace fcw::testing::fuzz
