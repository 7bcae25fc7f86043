#include "editor/session/recovery.h"

#include "editor/commands/document_commands.h"
#include "editor/commands/file_messages.h"
#include "editor/document_block.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "io/atomic_file.h"
#include "io/native_document.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace fcw {

namespace {

constexpr char kTrailerMark[] = "\nFacetCraftwerk recovery\n";
constexpr char kCopyPrefix[] = "recovery-";
constexpr char kAsidePrefix[] = "aside-";
constexpr int kMaxSlots = 1000;

constexpr char kRecoveryQuestion[] =
    FCW_TR_NOOP("Message", "前回、保存されないまま終了した変更が残っています。\n\n"
                           "文書: %1\n最後の変更: %2\n\n"
                           "この変更を開きますか?\n"
                           "（いいえを選ぶと、日付を付けた名前で %3 に残します。）");
constexpr char kDamagedCopy[] = FCW_TR_NOOP("Message", "%1\n予期しないﾌｧｲﾙ形式です。");

// '%' and line breaks escaped, so a path stays on its line of the trailer.
std::string escapeLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '%') {
            out += "%25";
        } else if (c == '\n') {
            out += "%0A";
        } else if (c == '\r') {
            out += "%0D";
        } else {
            out += c;
        }
    }
    return out;
}

std::string unescapeLine(const std::string& text) {
    static constexpr std::pair<const char*, char> kEscapes[] = {
        {"%25", '%'}, {"%0A", '\n'}, {"%0D", '\r'}};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto* escape =
            std::find_if(std::begin(kEscapes), std::end(kEscapes),
                         [&](const auto& e) { return text.compare(i, 3, e.first) == 0; });
        if (escape != std::end(kEscapes)) {
            out += escape->second;
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// `pattern` with "%1", "%2" and "%3" replaced by the three texts, in one pass (a path that
// holds "%2" stays as it is).
std::string withNames(const std::string& pattern, const std::string& first,
                      const std::string& second, const std::string& third) {
    const std::string* texts[] = {&first, &second, &third};
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '3') {
            out += *texts[pattern[i + 1] - '1'];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

// "2026/12/09 10:15:30" in local time.
std::string localTimeText(std::int64_t ms, const char* format) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) {
        return "?";
    }
    char text[64] = {};
    std::strftime(text, sizeof text, format, &local);
    return text;
}

struct FoundCopy {
    std::string copyPath;
    std::string lockPath;
    bool readable = false;
    DecodedDocument model;
    ExtensionRead extensions; // the block after the records
    std::string documentPath; // empty for an untitled document
    std::int64_t editedMs = 0;
};

std::int64_t modificationMs(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return 0;
    }
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
}

// Reads the copy and its trailer; `readable` stays false for a damaged one.
void readCopy(FoundCopy& found) {
    found.editedMs = modificationMs(found.copyPath);
    std::vector<std::uint8_t> bytes;
    if (!readFileStart(found.copyPath, kMaxDocumentBytes, bytes) ||
        decodeDocument(bytes, found.model) != DecodeError::None) {
        return;
    }
    found.extensions = readExtensionBlock(std::span(bytes).subspan(found.model.recordsEnd));
    const std::string text(bytes.begin(), bytes.end());
    const auto mark = text.rfind(kTrailerMark);
    if (mark == std::string::npos) {
        return; // a copy always carries its trailer: the end of it is missing
    }
    std::size_t at = mark + sizeof kTrailerMark - 1;
    bool sawEdited = false;
    while (at < text.size()) {
        const auto end = text.find('\n', at);
        const std::string line = text.substr(at, end == std::string::npos ? end : end - at);
        if (line.rfind("path=", 0) == 0) {
            found.documentPath = unescapeLine(line.substr(5));
        } else if (line.rfind("edited=", 0) == 0) {
            char* stop = nullptr;
            found.editedMs = std::strtoll(line.c_str() + 7, &stop, 10);
            sawEdited = *stop == '\0';
        }
        if (end == std::string::npos) {
            break;
        }
        at = end + 1;
    }
    found.readable = sawEdited;
}

// The copies "recovery-N.fcw" in the folder.
std::vector<FoundCopy> listCopies(const std::string& folder) {
    std::vector<FoundCopy> out;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kCopyPrefix, 0) != 0 || entry.path().extension() != ".fcw") {
            continue;
        }
        FoundCopy found;
        found.copyPath = entry.path().string();
        found.lockPath = (entry.path().parent_path() / entry.path().stem()).string() + ".lock";
        out.push_back(std::move(found));
    }
    return out;
}

// Renames the copy "aside-YYYYMMDD-HHMMSS.fcw" (a number added when that name is taken), then
// removes all but the newest kKeptAsideCopies of those.
void setAside(const std::string& folder, const FoundCopy& copy) {
    const std::string stem =
        std::string(kAsidePrefix) + localTimeText(copy.editedMs, "%Y%m%d-%H%M%S");
    std::error_code ec;
    std::string target = folder + "/" + stem + ".fcw";
    for (int n = 2; fs::exists(target, ec) && n < kMaxSlots; ++n) {
        target = folder + "/" + stem + "-" + std::to_string(n) + ".fcw";
    }
    fs::rename(copy.copyPath, target, ec);
    std::vector<std::string> aside;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kAsidePrefix, 0) == 0 && entry.path().extension() == ".fcw") {
            aside.push_back(entry.path().string());
        }
    }
    // The names sort by date; a numbered one of the same second sorts after its first.
    std::sort(aside.begin(), aside.end());
    for (std::size_t i = 0; i + kKeptAsideCopies < aside.size(); ++i) {
        fs::remove(aside[i], ec);
    }
}

// Opens the copy as the modified document it was. False when the user kept the current one.
bool reopenCopy(Editor& editor, const FoundCopy& copy) {
    if (!saveModifiedIfAsked(editor)) {
        return false;
    }
    replaceModel(editor, copy.model.triangles);
    editor.document.undo.clear();
    editor.document.path = copy.documentPath;
    takeDocumentRecords(editor, copy.extensions, copy.documentPath);
    editor.document.modified = true;
    editor.host.documentStateChanged();
    editor.repaint();
    return true;
}

void removeCopy(Editor& editor, const FoundCopy& copy) {
    std::error_code ec;
    fs::remove(copy.copyPath, ec);
    editor.host.releaseLockFile(copy.lockPath);
}

// Asks about every copy whose instance is gone, newest first, until one is opened.
void offerCopies(Editor& editor, const std::string& folder) {
    std::vector<FoundCopy> stale;
    for (FoundCopy& found : listCopies(folder)) {
        if (editor.host.tryLockFile(found.lockPath)) { // its instance is gone: ours now
            readCopy(found);
            stale.push_back(std::move(found));
        }
    }
    std::sort(stale.begin(), stale.end(),
              [](const FoundCopy& a, const FoundCopy& b) { return a.editedMs > b.editedMs; });
    bool opened = false;
    for (const FoundCopy& copy : stale) {
        if (opened) {
            editor.host.releaseLockFile(copy.lockPath); // offered at the next start
            continue;
        }
        if (!copy.readable) {
            editor.host.messageBox(
                withName(editor.host.translate(text_context::kMessage, kDamagedCopy),
                         copy.copyPath),
                MessageButtons::Ok, MessageIcon::Warning);
            setAside(folder, copy);
            editor.host.releaseLockFile(copy.lockPath);
            continue;
        }
        const std::string question = withNames(
            editor.host.translate(text_context::kMessage, kRecoveryQuestion),
            copy.documentPath.empty() ? editor.host.translate(text_context::kMessage, kUntitledName)
                                      : copy.documentPath,
            localTimeText(copy.editedMs, "%Y/%m/%d %H:%M:%S"), folder);
        const MessageResult answer =
            editor.host.messageBox(question, MessageButtons::YesNo, MessageIcon::Question);
        if (answer == MessageResult::Yes && reopenCopy(editor, copy)) {
            removeCopy(editor, copy);
            opened = true;
        } else if (answer == MessageResult::Yes) {
            editor.host.releaseLockFile(copy.lockPath); // kept the current document: later
        } else {
            setAside(folder, copy);
            editor.host.releaseLockFile(copy.lockPath);
        }
    }
}

// Takes the first free slot: its lock can be had and no copy is left in it.
bool takeSlot(Editor& editor, const std::string& folder) {
    RecoveryState& r = editor.services.recovery;
    std::error_code ec;
    for (int n = 1; n < kMaxSlots; ++n) {
        const std::string base = folder + "/" + kCopyPrefix + std::to_string(n);
        if (!editor.host.tryLockFile(base + ".lock")) {
            continue;
        }
        if (fs::exists(base + ".fcw", ec)) {
            editor.host.releaseLockFile(base + ".lock"); // a copy still to be offered
            continue;
        }
        r.copyPath = base + ".fcw";
        r.lockPath = base + ".lock";
        return true;
    }
    return false;
}

void removeOwnCopy(Editor& editor) {
    RecoveryState& r = editor.services.recovery;
    if (r.copyOnDisk) {
        std::error_code ec;
        fs::remove(r.copyPath, ec);
        r.copyOnDisk = false;
    }
    r.writtenSerial = 0;
}

void writeCopy(Editor& editor, std::int64_t nowMs) {
    RecoveryState& r = editor.services.recovery;
    // The model as a save would write it: a triangle being drawn is not part of it.
    const int held = provisionalSlot(editor);
    const int last =
        held >= 0 ? editor.document.store.lastIndex - 1 : editor.document.store.lastIndex;
    std::vector<std::uint8_t> bytes = encodeDocument(editor.document.store.modelTriangles, last);
    const std::vector<std::uint8_t> block =
        encodeExtensionBlock(documentRecords(editor, editor.document.path));
    bytes.insert(bytes.end(), block.begin(), block.end());
    const std::string trailer =
        std::string(kTrailerMark) + "path=" + escapeLine(editor.document.path) +
        "\nedited=" + std::to_string(r.lastEditMs != 0 ? r.lastEditMs : nowMs) + "\n";
    bytes.insert(bytes.end(), trailer.begin(), trailer.end());
    r.lastWriteMs = nowMs;
    if (writeFileAtomically(r.copyPath, bytes, editor.services.writeFaults)) {
        r.copyOnDisk = true;
        r.writtenSerial = editor.changeSerial();
    }
    // A failed write is tried again after the interval; the user is not interrupted for it.
}

void noteEdits(RecoveryState& r, const Editor& editor, std::int64_t nowMs) {
    if (r.seenSerial != editor.changeSerial()) {
        r.seenSerial = editor.changeSerial();
        r.lastEditMs = nowMs;
    }
}

} // namespace

std::string defaultStateFolder() {
    const char* xdg = std::getenv("XDG_STATE_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return std::string(xdg) + "/FacetCraftwerk";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.local/state/FacetCraftwerk";
    }
    return {};
}

bool startRecovery(Editor& editor, const std::string& folder, std::int64_t nowMs) {
    stopRecovery(editor);
    if (folder.empty()) {
        return true;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) {
        return false;
    }
    offerCopies(editor, folder);
    if (!takeSlot(editor, folder)) {
        return false;
    }
    RecoveryState& r = editor.services.recovery;
    r.folder = folder;
    r.seenSerial = editor.changeSerial();
    r.lastEditMs = nowMs;
    r.lastWriteMs = 0;
    return true;
}

void recoveryTick(Editor& editor, std::int64_t nowMs) {
    RecoveryState& r = editor.services.recovery;
    if (r.folder.empty()) {
        return;
    }
    noteEdits(r, editor, nowMs);
    if (!editor.document.modified) {
        removeOwnCopy(editor);
        return;
    }
    const bool changed = !r.copyOnDisk || r.writtenSerial != editor.changeSerial();
    const bool intervalPassed = r.lastWriteMs == 0 || nowMs - r.lastWriteMs >= kRecoveryIntervalMs;
    if (changed && intervalPassed) {
        writeCopy(editor, nowMs);
    }
}

void writeRecoveryCopyNow(Editor& editor, std::int64_t nowMs) {
    RecoveryState& r = editor.services.recovery;
    if (r.folder.empty()) {
        return;
    }
    noteEdits(r, editor, nowMs);
    if (editor.document.modified) {
        writeCopy(editor, nowMs);
    } else {
        removeOwnCopy(editor);
    }
}

void stopRecovery(Editor& editor) {
    RecoveryState& r = editor.services.recovery;
    if (r.folder.empty()) {
        return;
    }
    removeOwnCopy(editor);
    editor.host.releaseLockFile(r.lockPath);
    r = RecoveryState{};
}

void abandonRecovery(Editor& editor) {
    editor.services.recovery = RecoveryState{};
}

std::int64_t wallClockMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace fcw
