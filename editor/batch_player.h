#pragma once

#include "editor/editor.h"
#include "editor/host.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fcw {

// A reply queued by the script's `answer` verb for the next dialog, file dialog, question box
// or popup menu.
struct ScriptAnswer {
    enum class Kind { Ok, Cancel, No, File, Choose, Click };
    // What the user does in a dialog before OK or Cancel, in order.
    struct Step {
        enum class Kind { Set, Press, Page };
        Kind kind;
        int id; // control, button or page
        std::string value;
    };
    Kind kind = Kind::Cancel;
    std::vector<Step> steps; // Ok and Cancel
    std::string path;                                  // File
    int choice = 0;                                    // Choose
    int x = 0;                                         // Click
    int y = 0;
};

// The platform without a window: output goes to a stream, dialogs take queued answers. A
// dialog with no queued answer is cancelled; a popup with none is dismissed.
class HeadlessHost : public Host {
public:
    explicit HeadlessHost(std::ostream& out) : out_(out) {}

    void attach(Editor& editor) { editor_ = &editor; }
    void queue(ScriptAnswer answer) { answers_.push_back(std::move(answer)); }
    // Set when a queued answer did not fit the dialog that took it; the player reports it.
    std::optional<std::string> takeScriptError() { return std::exchange(scriptError_, {}); }
    void setShiftDown(bool down) { shiftDown_ = down; }

    void repaint() override;
    void beep() override;
    MessageResult messageBox(const std::string& text, MessageButtons buttons,
                             MessageIcon icon) override;
    bool runDialog(Dialog& dialog) override;
    bool runPropertySheet(PropertySheet& sheet) override;
    int popupMenu(int menuId, PixelPoint clientPoint) override;
    std::optional<FileChoice> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<FileChoice> chooseSaveFile(const FileDialogRequest& request) override;
    void setPointerPosition(PixelPoint) override {}
    bool isShiftDown() const override { return shiftDown_; }
    void setMouseCapture(bool) override {}
    void showProgressText(const std::string&, PixelPoint) override {}
    void documentStateChanged() override {}

private:
    std::optional<ScriptAnswer> nextAnswer();
    std::optional<FileChoice> chooseFile();
    void wrongKind(const char* what);
    // Sets a control; false (with the script error noted) when the dialog has none such.
    bool setControl(Dialog& dialog, const ScriptAnswer::Step& step);
    void reportRefusal(const std::string& message);

    std::ostream& out_;
    Editor* editor_ = nullptr;
    std::deque<ScriptAnswer> answers_;
    std::optional<std::string> scriptError_;
    bool shiftDown_ = false;
};

// Runs a script of editor actions, one verb per line, against a fresh editor without a window.
// Returns 0 when every line ran, 2 at the first script error (reported on `err` as
// "line N: what is wrong").
class BatchPlayer {
public:
    // Paints the scene at the current client size and writes it to a PNG file; returns an
    // error text on failure. Supplied by the program, which has the drawing surface.
    using RenderToFile = std::function<std::optional<std::string>(Editor&, const std::string&)>;

    BatchPlayer(std::ostream& out, std::ostream& err);

    void setRenderer(RenderToFile renderer) { renderer_ = std::move(renderer); }

    int run(std::istream& script);
    // Runs one line; returns an error text for a script error.
    std::optional<std::string> runLine(const std::string& line);

    Editor& editor() { return *editor_; }
    HeadlessHost& host() { return host_; }

private:
    std::ostream& out_;
    std::ostream& err_;
    HeadlessHost host_;
    std::unique_ptr<Editor> editor_;
    RenderToFile renderer_;
};

// Splits a script line into words: blanks separate, double quotes group (and are removed),
// '#' outside quotes starts a comment. Returns nothing for an unterminated quote.
std::optional<std::vector<std::string>> splitScriptLine(const std::string& line);

// The command an accelerator key sends (Ctrl+A, C, N, O, S, V, X, Z and Delete), or 0.
int acceleratorCommand(const std::string& key, bool ctrl, bool shift);

// Default locations derived from the running executable.
std::string executableDirectory();

} // namespace fcw
