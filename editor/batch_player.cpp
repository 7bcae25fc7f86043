#include "editor/batch_player.h"

#include "editor/commands.h"
#include "editor/document_commands.h"
#include "editor/profile.h"
#include "editor/state_dump.h"
#include "editor/keyboard.h"
#include "editor/mouse_tools.h"
#include "editor/navigation.h"
#include "editor/scene_frame.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <unistd.h>

namespace fcw {

namespace {

std::string escapeLineBreaks(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out;
}

bool parseInt(const std::string& text, int& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end;
}

} // namespace

int acceleratorCommand(const std::string& key, bool ctrl, bool shift) {
    if (shift) {
        return 0;
    }
    if (!ctrl) {
        return key == "Delete" || key == "delete" ? 32848 : 0;
    }
    if (key.size() != 1) {
        return 0;
    }
    switch (key[0] | 0x20) { // letters in either case
    case 'a':
        return 32930;
    case 'c':
        return 32846;
    case 'n':
        return 57600;
    case 'o':
        return 57601;
    case 's':
        return 57603;
    case 'v':
        return 32847;
    case 'x':
        return 32845;
    case 'z':
        return 32799;
    default:
        return 0;
    }
}

std::string executableDirectory() {
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) {
        return "./";
    }
    buffer.resize(static_cast<std::size_t>(n));
    const auto slash = buffer.find_last_of('/');
    return slash == std::string::npos ? "./" : buffer.substr(0, slash + 1);
}

// ---- HeadlessHost ----

void HeadlessHost::repaint() {
    if (editor_ != nullptr) {
        prepareFrame(*editor_);
    }
}

void HeadlessHost::beep() {
    out_ << "beep\n";
}

std::optional<ScriptAnswer> HeadlessHost::nextAnswer() {
    if (answers_.empty()) {
        return std::nullopt;
    }
    ScriptAnswer a = std::move(answers_.front());
    answers_.pop_front();
    return a;
}

void HeadlessHost::wrongKind(const char* what) {
    if (!scriptError_) {
        scriptError_ = std::string("the queued answer does not fit the ") + what;
    }
}

MessageResult HeadlessHost::messageBox(const std::string& text, MessageButtons buttons,
                                       MessageIcon) {
    out_ << "message " << escapeLineBreaks(text) << '\n';
    if (buttons == MessageButtons::Ok) {
        return MessageResult::Ok; // informational: takes no answer
    }
    const bool yesNo = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
    const auto answer = nextAnswer();
    if (!answer) {
        return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Cancel;
    }
    switch (answer->kind) {
    case ScriptAnswer::Kind::Ok:
        return yesNo ? MessageResult::Yes : MessageResult::Ok;
    case ScriptAnswer::Kind::No:
        if (yesNo) {
            return MessageResult::No;
        }
        break;
    case ScriptAnswer::Kind::Cancel:
        if (buttons != MessageButtons::YesNo) {
            return MessageResult::Cancel;
        }
        break;
    default:
        break;
    }
    wrongKind("question box");
    return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Cancel;
}

bool HeadlessHost::setControl(Dialog& dialog, const ScriptAnswer::Step& step) {
    if (!dialog.hasControl(step.id)) {
        if (!scriptError_) {
            scriptError_ = "dialog " + std::to_string(dialog.resourceId()) + " has no control " +
                           std::to_string(step.id);
        }
        return false;
    }
    dialog.setValue(step.id, step.value);
    if (const auto refusal = dialog.controlEdited(step.id)) {
        reportRefusal(*refusal);
    }
    return true;
}

void HeadlessHost::reportRefusal(const std::string& message) {
    // What the window shows over the dialog. A refused button press or field leaves the
    // dialog open for the script's next step; after a refused OK the window would keep it open,
    // but a script cannot type again, so the callers cancel.
    out_ << "message " << escapeLineBreaks(message) << '\n';
}

bool HeadlessHost::runDialog(Dialog& dialog) {
    out_ << "dialog " << dialog.resourceId() << '\n';
    const auto answer = nextAnswer();
    if (!answer || answer->kind == ScriptAnswer::Kind::Cancel) {
        return false;
    }
    if (answer->kind == ScriptAnswer::Kind::Click) {
        return dialog.clickAt(answer->x, answer->y);
    }
    if (answer->kind != ScriptAnswer::Kind::Ok) {
        wrongKind("dialog");
        return false;
    }
    for (const ScriptAnswer::Step& step : answer->steps) {
        switch (step.kind) {
        case ScriptAnswer::Step::Kind::Set:
            if (!setControl(dialog, step)) {
                return false;
            }
            break;
        case ScriptAnswer::Step::Kind::Press: {
            const ButtonPress press = dialog.pressButton(step.id);
            if (!press.known) {
                if (!scriptError_) {
                    scriptError_ = "dialog " + std::to_string(dialog.resourceId()) +
                                   " has no button " + std::to_string(step.id);
                }
                return false;
            }
            if (press.refusal) {
                reportRefusal(*press.refusal);
            }
            break;
        }
        case ScriptAnswer::Step::Kind::Page:
            if (!scriptError_) {
                scriptError_ = "dialog " + std::to_string(dialog.resourceId()) + " has no pages";
            }
            return false;
        }
    }
    if (const auto problem = dialog.validate()) {
        reportRefusal(*problem);
        return false;
    }
    return true;
}

bool HeadlessHost::runPropertySheet(PropertySheet& sheet) {
    out_ << "sheet " << sheet.caption() << '\n';
    const auto answer = nextAnswer();
    if (!answer) {
        return false;
    }
    if (answer->kind != ScriptAnswer::Kind::Ok && answer->kind != ScriptAnswer::Kind::Cancel) {
        wrongKind("property sheet");
        return false;
    }
    for (const ScriptAnswer::Step& step : answer->steps) {
        switch (step.kind) {
        case ScriptAnswer::Step::Kind::Set:
            if (!setControl(sheet.page(sheet.activePage()), step)) {
                return false;
            }
            break;
        case ScriptAnswer::Step::Kind::Page:
            if (step.id < 0 || step.id >= sheet.pageCount()) {
                if (!scriptError_) {
                    scriptError_ = "the sheet has no page " + std::to_string(step.id);
                }
                return false;
            }
            if (const auto problem = sheet.setActivePage(step.id)) {
                reportRefusal(*problem);
                return false;
            }
            break;
        case ScriptAnswer::Step::Kind::Press:
            if (!scriptError_) {
                scriptError_ = "the sheet has no button " + std::to_string(step.id);
            }
            return false;
        }
    }
    if (answer->kind == ScriptAnswer::Kind::Cancel) {
        return false;
    }
    if (const auto problem = sheet.acceptActivePage()) {
        reportRefusal(*problem);
        return false;
    }
    return true;
}

int HeadlessHost::popupMenu(int, PixelPoint) {
    const auto answer = nextAnswer();
    if (!answer) {
        return 0;
    }
    if (answer->kind == ScriptAnswer::Kind::Choose) {
        return answer->choice;
    }
    if (answer->kind != ScriptAnswer::Kind::Cancel) {
        wrongKind("popup menu");
    }
    return 0;
}

std::optional<FileChoice> HeadlessHost::chooseFile() {
    const auto answer = nextAnswer();
    if (!answer) {
        return std::nullopt;
    }
    if (answer->kind == ScriptAnswer::Kind::File) {
        return FileChoice{answer->path, 0};
    }
    if (answer->kind != ScriptAnswer::Kind::Cancel) {
        wrongKind("file dialog");
    }
    return std::nullopt;
}

std::optional<FileChoice> HeadlessHost::chooseOpenFile(const FileDialogRequest&) {
    return chooseFile();
}

std::optional<FileChoice> HeadlessHost::chooseSaveFile(const FileDialogRequest&) {
    return chooseFile();
}

// ---- script parsing ----

std::optional<std::vector<std::string>> splitScriptLine(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (char c : line) {
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else {
                word += c;
            }
            continue;
        }
        if (c == '#') {
            break;
        }
        if (c == '"') {
            quoted = true;
            inWord = true;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) {
        return std::nullopt;
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

namespace {

std::optional<std::string> parseAnswer(const std::vector<std::string>& w, ScriptAnswer& a) {
    if (w.size() < 2) {
        return "answer needs a kind: ok, cancel, no, file, choose or click";
    }
    const std::string& kind = w[1];
    if (kind == "ok" || kind == "cancel") {
        a.kind = kind == "ok" ? ScriptAnswer::Kind::Ok : ScriptAnswer::Kind::Cancel;
        for (std::size_t i = 2; i < w.size(); ++i) {
            const auto eq = w[i].find('=');
            if (eq == std::string::npos) {
                return "answer " + kind + " expects CONTROL=VALUE, press=BUTTON or page=N, not '" +
                       w[i] + "'";
            }
            const std::string name = w[i].substr(0, eq);
            const std::string value = w[i].substr(eq + 1);
            if (name == "press" || name == "page") {
                int id = 0;
                if (!parseInt(value, id)) {
                    return "bad " + std::string(name == "press" ? "button id" : "page number") +
                           " '" + value + "'";
                }
                a.steps.push_back({name == "press" ? ScriptAnswer::Step::Kind::Press
                                                   : ScriptAnswer::Step::Kind::Page,
                                   id, {}});
                continue;
            }
            int control = 0;
            if (!parseInt(name, control)) {
                return "bad control id '" + name + "'";
            }
            a.steps.push_back({ScriptAnswer::Step::Kind::Set, control, value});
        }
        return std::nullopt;
    }
    if (kind == "no") {
        if (w.size() != 2) {
            return "answer no takes no arguments";
        }
        a.kind = ScriptAnswer::Kind::No;
        return std::nullopt;
    }
    if (kind == "file") {
        if (w.size() != 3) {
            return "answer file needs one path";
        }
        a.kind = ScriptAnswer::Kind::File;
        a.path = w[2];
        return std::nullopt;
    }
    if (kind == "choose") {
        if (w.size() != 3 || !parseInt(w[2], a.choice) || a.choice < 0) {
            return "answer choose needs a command id (0 = dismissed)";
        }
        a.kind = ScriptAnswer::Kind::Choose;
        return std::nullopt;
    }
    if (kind == "click") {
        if (w.size() != 4 || !parseInt(w[2], a.x) || !parseInt(w[3], a.y)) {
            return "answer click needs X Y";
        }
        a.kind = ScriptAnswer::Kind::Click;
        return std::nullopt;
    }
    return "unknown answer kind '" + kind + "'";
}

} // namespace

// ---- BatchPlayer ----

BatchPlayer::BatchPlayer(std::ostream& out, std::ostream& err)
    : out_(out), err_(err), host_(out), editor_(std::make_unique<Editor>(host_)) {
    host_.attach(*editor_);
    Editor& e = *editor_;
    e.paths.programDirectory = executableDirectory();
    e.paths.workFilePath = e.paths.programDirectory + "FacetCraftwerkTemp.tmp";
    // Start like a fresh program: defaults, an empty document, an 800 x 600 view, first paint.
    resizeView(e, 800, 600);
    e.repaint();
}

std::optional<std::string> BatchPlayer::runLine(const std::string& line) {
    const auto split = splitScriptLine(line);
    if (!split) {
        return "unterminated quote";
    }
    const std::vector<std::string>& w = *split;
    if (w.empty()) {
        return std::nullopt;
    }
    Editor& e = *editor_;
    const std::string& verb = w[0];
    auto needArgs = [&](std::size_t n, const char* usage) -> std::optional<std::string> {
        if (w.size() != n + 1) {
            return std::string("usage: ") + usage;
        }
        return std::nullopt;
    };

    if (verb == "size") {
        if (auto bad = needArgs(2, "size W H")) {
            return bad;
        }
        int width = 0;
        int height = 0;
        if (!parseInt(w[1], width) || !parseInt(w[2], height) || width < 0 || height < 0 ||
            width > 16384 || height > 16384) {
            return "size needs two whole numbers from 0 to 16384";
        }
        resizeView(e, width, height);
        e.repaint();
    } else if (verb == "profile") {
        if (auto bad = needArgs(1, "profile PATH")) {
            return bad;
        }
        Profile profile;
        if (const FileResult r = profile.load(w[1]); !r) {
            return "cannot read profile '" + w[1] + "'";
        }
        readSettings(profile, e.settings, e.view);
        e.paths.profilePath = w[1];
    } else if (verb == "workfile") {
        if (auto bad = needArgs(1, "workfile PATH")) {
            return bad;
        }
        e.paths.workFilePath = w[1];
    } else if (verb == "new") {
        if (auto bad = needArgs(0, "new")) {
            return bad;
        }
        newDocument(e);
        e.document.path.clear();
        e.setModified(false);
        e.repaint();
    } else if (verb == "open") {
        if (auto bad = needArgs(1, "open PATH")) {
            return bad;
        }
        openDocumentFile(e, w[1]);
        e.repaint();
    } else if (verb == "save") {
        if (auto bad = needArgs(1, "save PATH")) {
            return bad;
        }
        saveDocumentFile(e, w[1]);
    } else if (verb == "command") {
        if (auto bad = needArgs(1, "command ID")) {
            return bad;
        }
        int id = 0;
        if (!parseInt(w[1], id)) {
            return "bad command id '" + w[1] + "'";
        }
        switch (dispatchCommand(e, id)) {
        case DispatchResult::Unknown:
            return "command " + w[1] + " is not handled";
        case DispatchResult::Disabled:
            out_ << "disabled " << id << '\n';
            break;
        case DispatchResult::Done:
            break;
        }
    } else if (verb == "answer") {
        ScriptAnswer answer;
        if (auto bad = parseAnswer(w, answer)) {
            return bad;
        }
        host_.queue(std::move(answer));
    } else if (verb == "render") {
        if (auto bad = needArgs(1, "render PATH")) {
            return bad;
        }
        if (!renderer_) {
            return "render is not available in this build";
        }
        if (auto problem = renderer_(e, w[1])) {
            return problem;
        }
    } else if (verb == "down" || verb == "move" || verb == "up" || verb == "rdown") {
        int x = 0;
        int y = 0;
        if (w.size() < 3 || !parseInt(w[1], x) || !parseInt(w[2], y)) {
            return verb + " needs X Y, then any of left, middle, right, shift, control";
        }
        unsigned flags = 0;
        if (verb == "down") {
            flags |= mouse_flags::kLeft;
        } else if (verb == "rdown") {
            flags |= mouse_flags::kRight;
        }
        for (std::size_t i = 3; i < w.size(); ++i) {
            const std::string& f = w[i];
            if (f == "left") {
                flags |= mouse_flags::kLeft;
            } else if (f == "middle") {
                flags |= mouse_flags::kMiddle;
            } else if (f == "right") {
                flags |= mouse_flags::kRight;
            } else if (f == "shift") {
                flags |= mouse_flags::kShift;
            } else if (f == "control" || f == "ctrl") {
                flags |= mouse_flags::kControl;
            } else {
                return "unknown mouse flag '" + f + "'";
            }
        }
        host_.setShiftDown((flags & mouse_flags::kShift) != 0);
        const PixelPoint point{x, y};
        if (verb == "down") {
            onLeftButtonDown(e, flags, point);
        } else if (verb == "move") {
            onMouseMove(e, flags, point);
        } else if (verb == "up") {
            onLeftButtonUp(e, flags, point);
        } else {
            onRightButtonDown(e, flags, point);
        }
        host_.setShiftDown(false);
    } else if (verb == "wheel") {
        int notches = 0;
        int x = 0;
        int y = 0;
        if (w.size() != 4 || !parseInt(w[1], notches) || !parseInt(w[2], x) ||
            !parseInt(w[3], y) || notches < -1000 || notches > 1000) {
            return "usage: wheel NOTCHES X Y (positive away from the user)";
        }
        wheelZoom(e, 120 * notches);
    } else if (verb == "key") {
        if (w.size() < 2) {
            return "usage: key NAME [ctrl] [shift]";
        }
        bool ctrl = false;
        bool shift = false;
        for (std::size_t i = 2; i < w.size(); ++i) {
            if (w[i] == "ctrl") {
                ctrl = true;
            } else if (w[i] == "shift") {
                shift = true;
            } else {
                return "usage: key NAME [ctrl] [shift]";
            }
        }
        const auto key = keyFromName(w[1]);
        if (!key) {
            return "unknown key '" + w[1] + "'";
        }
        // Keys of the accelerator table go to their commands, as in the window.
        if (const int id = acceleratorCommand(w[1], ctrl, shift); id != 0) {
            if (dispatchCommand(e, id) == DispatchResult::Disabled) {
                out_ << "disabled " << id << '\n';
            }
        } else {
            onKeyDown(e, *key, ctrl);
        }
    } else if (verb == "dump") {
        if (w.size() > 2 || (w.size() == 2 && w[1] != "view")) {
            return "usage: dump [view]";
        }
        out_ << dumpState(e, w.size() == 2) << '\n';
    } else {
        return "unknown verb '" + verb + "'";
    }
    return host_.takeScriptError();
}

int BatchPlayer::run(std::istream& script) {
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        if (const auto problem = runLine(line)) {
            out_.flush();
            err_ << "line " << number << ": " << *problem << '\n';
            return 2;
        }
    }
    out_.flush();
    return 0;
}

} // namespace fcw
