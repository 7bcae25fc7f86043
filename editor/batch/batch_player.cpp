#include "editor/batch/batch_player.h"

#include "editor/batch/state_dump.h"
#include "editor/commands/commands.h"
#include "editor/commands/document_commands.h"
#include "editor/commands/dropped_files.h"
#include "editor/commands/interchange_commands.h"
#include "editor/commands/palette_commands.h"
#include "editor/session/default_paths.h"
#include "editor/session/profile.h"
#include "editor/session/recent_files.h"
#include "editor/session/recovery.h"
#include "editor/tools/mouse_tools.h"
#include "editor/view/frame_step.h"
#include "editor/view/keyboard.h"
#include "editor/view/navigation.h"
#include "editor/view/panes.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <ostream>
#include <unistd.h>

namespace fcw {

namespace {

bool parseInt(const std::string& text, int& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end;
}

} // namespace

int acceleratorCommand(const std::string& key, bool ctrl, bool shift) {
    return commandForKey(key, {.ctrl = ctrl, .shift = shift});
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
                                   id,
                                   {}});
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
    e.services.paths.programDirectory = executableDirectory();
    e.services.paths.workFilePath = defaultWorkFilePath(e.services.paths.programDirectory);
    // Start like a fresh program: defaults, an empty document, an 800 x 600 view, first paint.
    resizeView(e, 800, 600);
    e.repaint();
}

BatchPlayer::~BatchPlayer() {
    stopRecovery(*editor_);
}

// ---- the verbs ----

namespace {

using Words = std::vector<std::string>;
using Problem = std::optional<std::string>;

// What a verb works on.
struct Script {
    Editor& editor;
    HeadlessHost& host;
    std::ostream& out;
    const BatchPlayer::RenderToFile& renderer;
    const BatchPlayer::LoadCatalogue& loadCatalogue;
    const PaintView& painter;
};

// A command as its menu item sends it; a greyed one is reported, not an error.
void sendCommand(Script& s, int id) {
    if (dispatchCommand(s.editor, id) == DispatchResult::Disabled) {
        s.out << "disabled " << id << '\n';
    }
}

Problem verbSize(Script& s, const Words& w) {
    int width = 0;
    int height = 0;
    if (!parseInt(w[1], width) || !parseInt(w[2], height) || width < 0 || height < 0 ||
        width > 16384 || height > 16384) {
        return "size needs two whole numbers from 0 to 16384";
    }
    resizeView(s.editor, width, height);
    s.editor.repaint();
    return std::nullopt;
}

Problem verbProfile(Script& s, const Words& w) {
    Profile profile;
    if (const FileResult r = profile.load(w[1]); !r) {
        return "cannot read profile '" + w[1] + "'";
    }
    readSettings(profile, s.editor.services.settings, s.editor.session.view);
    s.editor.services.settings.interfaceLanguage = readLanguageChoice(profile);
    s.editor.services.recentFiles = readRecentFiles(profile);
    s.editor.services.paths.profilePath = w[1];
    readKeptPalette(s.editor);
    return std::nullopt;
}

Problem verbWorkFile(Script& s, const Words& w) {
    s.editor.services.paths.workFilePath = w[1];
    return std::nullopt;
}

Problem verbNew(Script& s, const Words&) {
    Editor& e = s.editor;
    newDocument(e);
    e.document.path.clear();
    e.setModified(false);
    e.repaint();
    return std::nullopt;
}

Problem verbOpen(Script& s, const Words& w) {
    openDocumentFile(s.editor, w[1]);
    s.editor.repaint();
    return std::nullopt;
}

Problem verbDrop(Script& s, const Words& w) {
    openDroppedFile(s.editor, w[1]);
    s.editor.repaint();
    return std::nullopt;
}

// The foreign formats, as File ▸ Import and Export do without their dialogs; a file of more
// triangles than the store holds is reduced without asking.
Problem verbImport(Script& s, const Words& w) {
    importForeignFile(s.editor, w[1], OverCapacity::Reduce);
    return std::nullopt;
}

Problem verbExport(Script& s, const Words& w) {
    exportForeignFile(s.editor, w[1]);
    return std::nullopt;
}

Problem verbSave(Script& s, const Words& w) {
    saveDocumentFile(s.editor, w[1]);
    return std::nullopt;
}

Problem verbCommand(Script& s, const Words& w) {
    int id = 0;
    if (!parseInt(w[1], id)) {
        return "bad command id '" + w[1] + "'";
    }
    switch (dispatchCommand(s.editor, id)) {
    case DispatchResult::Unknown:
        return "command " + w[1] + " is not handled";
    case DispatchResult::Disabled:
        s.out << "disabled " << id << '\n';
        break;
    case DispatchResult::Done:
        break;
    }
    return std::nullopt;
}

Problem verbAnswer(Script& s, const Words& w) {
    ScriptAnswer answer;
    if (auto bad = parseAnswer(w, answer)) {
        return bad;
    }
    s.host.queue(std::move(answer));
    return std::nullopt;
}

Problem verbRender(Script& s, const Words& w) {
    if (!s.renderer) {
        return "render is not available in this build";
    }
    return s.renderer(s.editor, w[1]);
}

// The pixel depth the back buffer reports from now on; the depth-buffer display supports 16,
// 24 and 32 bits and refuses any other.
Problem verbPixelFormat(Script& s, const Words& w) {
    int bits = 0;
    if (!parseInt(w[1], bits)) {
        return "pixelformat needs a whole number of bits per pixel (16, 24 or 32)";
    }
    s.host.setBackBufferBitsPerPixel(bits);
    settleDepthDisplay(s.editor);
    return std::nullopt;
}

Problem verbBench(Script& s, const Words& w) {
    return runBench(s.editor, s.host, s.out, s.painter, w);
}

// down, move, up, rdown: X Y, then the buttons and keys held.
Problem verbMouse(Script& s, const Words& w) {
    const std::string& verb = w[0];
    int x = 0;
    int y = 0;
    if (w.size() < 3 || !parseInt(w[1], x) || !parseInt(w[2], y)) {
        return verb + " needs X Y, then any of left, middle, right, shift, control";
    }
    unsigned flags = verb == "down"    ? mouse_flags::kLeft
                     : verb == "rdown" ? mouse_flags::kRight
                                       : 0u;
    for (std::size_t i = 3; i < w.size(); ++i) {
        static constexpr std::pair<const char*, unsigned> kFlags[] = {
            {"left", mouse_flags::kLeft},       {"middle", mouse_flags::kMiddle},
            {"right", mouse_flags::kRight},     {"shift", mouse_flags::kShift},
            {"control", mouse_flags::kControl}, {"ctrl", mouse_flags::kControl}};
        const auto* flag = std::find_if(std::begin(kFlags), std::end(kFlags),
                                        [&](const auto& f) { return w[i] == f.first; });
        if (flag == std::end(kFlags)) {
            return "unknown mouse flag '" + w[i] + "'";
        }
        flags |= flag->second;
    }
    s.host.setShiftDown((flags & mouse_flags::kShift) != 0);
    // As the window's: a press makes the pane under it active; the tool works in its pixels.
    const PixelPoint point = verb == "down" || verb == "rdown" ? pressInPane(s.editor, {x, y})
                                                               : inActivePane(s.editor, {x, y});
    if (verb == "down") {
        onLeftButtonDown(s.editor, flags, point);
    } else if (verb == "move") {
        onMouseMove(s.editor, flags, point);
    } else if (verb == "up") {
        onLeftButtonUp(s.editor, flags, point);
    } else {
        onRightButtonDown(s.editor, flags, point);
    }
    s.host.setShiftDown(false);
    return std::nullopt;
}

Problem verbWheel(Script& s, const Words& w) {
    int notches = 0;
    int x = 0;
    int y = 0;
    if (w.size() != 4 || !parseInt(w[1], notches) || !parseInt(w[2], x) || !parseInt(w[3], y) ||
        notches < -1000 || notches > 1000) {
        return "usage: wheel NOTCHES X Y (positive away from the user)";
    }
    pressInPane(s.editor, {x, y}); // the wheel zooms the pane under the pointer
    wheelZoom(s.editor, 120 * notches);
    return std::nullopt;
}

Problem verbKey(Script& s, const Words& w) {
    constexpr char kUsage[] = "usage: key NAME [ctrl] [shift]";
    if (w.size() < 2) {
        return kUsage;
    }
    KeyModifiers modifiers;
    for (std::size_t i = 2; i < w.size(); ++i) {
        if (w[i] == "ctrl") {
            modifiers.ctrl = true;
        } else if (w[i] == "shift") {
            modifiers.shift = true;
        } else {
            return kUsage;
        }
    }
    const auto key = keyFromName(w[1]);
    if (!key) {
        return "unknown key '" + w[1] + "'";
    }
    // Keys of the accelerator table go to their commands, as in the window.
    if (const int id = commandForKey(w[1], modifiers); id != 0) {
        sendCommand(s, id);
    } else {
        onKeyDown(s.editor, *key, modifiers.ctrl);
    }
    return std::nullopt;
}

Problem verbDump(Script& s, const Words& w) {
    if (w.size() > 2 || (w.size() == 2 && w[1] != "view")) {
        return "usage: dump [view]";
    }
    s.out << dumpState(s.editor, w.size() == 2) << '\n';
    return std::nullopt;
}

// palette pick N: a click on swatch N (from 0) of the palette panel.
Problem verbPalette(Script& s, const Words& w) {
    int index = 0;
    if (w.size() != 3 || w[1] != "pick" || !parseInt(w[2], index)) {
        return "usage: palette pick N";
    }
    if (index < 0 || !pickPaletteColour(s.editor, static_cast<std::size_t>(index))) {
        return "palette pick " + w[2] + ": the palette holds " +
               std::to_string(s.editor.services.palette.colours.size()) + " colours";
    }
    return std::nullopt;
}

// recovery folder PATH | recovery write | recovery crash
Problem verbRecovery(Script& s, const Words& w) {
    constexpr char kUsage[] = "usage: recovery folder PATH, recovery write or recovery crash";
    if (w.size() == 3 && w[1] == "folder") {
        if (!startRecovery(s.editor, w[2], wallClockMs())) {
            return "cannot keep recovery copies in '" + w[2] + "'";
        }
        return std::nullopt;
    }
    if (w.size() != 2) {
        return kUsage;
    }
    if (w[1] == "write") {
        writeRecoveryCopyNow(s.editor, wallClockMs());
    } else if (w[1] == "crash") {
        abandonRecovery(s.editor);
    } else {
        return kUsage;
    }
    return std::nullopt;
}

// lang ja | lang en: the language of the script's dialogs and messages from here on. The dump
// and the player's own lines stay as they are.
Problem verbLang(Script& s, const Words& w) {
    const auto language = parseLanguageName(w[1]);
    if (!language) {
        return "lang needs ja or en, not '" + w[1] + "'";
    }
    if (*language == InterfaceLanguage::Japanese) {
        s.host.setLanguage(*language, nullptr);
        return std::nullopt;
    }
    std::optional<Translator> catalogue;
    if (s.loadCatalogue) {
        catalogue = s.loadCatalogue(*language);
    }
    if (!catalogue) {
        return "no catalogue for '" + w[1] + "' in this build";
    }
    s.host.setLanguage(*language, std::move(*catalogue));
    return std::nullopt;
}

constexpr int kAnyArguments = -1; // the verb checks its own arguments

struct Verb {
    std::string_view name;
    int arguments;          // the words after the verb, or kAnyArguments
    std::string_view usage; // shown when the count is wrong
    Problem (*run)(Script&, const Words&);
};

constexpr Verb kVerbs[] = {
    {"size", 2, "size W H", verbSize},
    {"profile", 1, "profile PATH", verbProfile},
    {"workfile", 1, "workfile PATH", verbWorkFile},
    {"new", 0, "new", verbNew},
    {"open", 1, "open PATH", verbOpen},
    {"save", 1, "save PATH", verbSave},
    {"drop", 1, "drop PATH", verbDrop},
    {"import", 1, "import PATH", verbImport},
    {"export", 1, "export PATH", verbExport},
    {"command", 1, "command ID", verbCommand},
    {"answer", kAnyArguments, "", verbAnswer},
    {"render", 1, "render PATH", verbRender},
    {"down", kAnyArguments, "", verbMouse},
    {"move", kAnyArguments, "", verbMouse},
    {"up", kAnyArguments, "", verbMouse},
    {"rdown", kAnyArguments, "", verbMouse},
    {"wheel", kAnyArguments, "", verbWheel},
    {"key", kAnyArguments, "", verbKey},
    {"dump", kAnyArguments, "", verbDump},
    {"recovery", kAnyArguments, "", verbRecovery},
    {"lang", 1, "lang ja|en", verbLang},
    {"pixelformat", 1, "pixelformat BITS", verbPixelFormat},
    {"bench", kAnyArguments, "", verbBench},
    {"palette", kAnyArguments, "", verbPalette},
};

} // namespace

std::optional<std::string> BatchPlayer::runLine(const std::string& line) {
    const auto split = splitScriptLine(line);
    if (!split) {
        return "unterminated quote";
    }
    const Words& w = *split;
    if (w.empty()) {
        return std::nullopt;
    }
    const auto* verb = std::find_if(std::begin(kVerbs), std::end(kVerbs),
                                    [&](const Verb& v) { return v.name == w[0]; });
    if (verb == std::end(kVerbs)) {
        return "unknown verb '" + w[0] + "'";
    }
    if (verb->arguments != kAnyArguments &&
        w.size() != static_cast<std::size_t>(verb->arguments) + 1) {
        return "usage: " + std::string(verb->usage);
    }
    Script script{*editor_, host_, out_, renderer_, loadCatalogue_, painter_};
    if (auto problem = verb->run(script, w)) {
        return problem;
    }
    return host_.takeScriptError();
}

int BatchPlayer::run(std::istream& script) {
    std::string line;
    int number = 0;
    while (!host_.quitRequested() && std::getline(script, line)) {
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
