#include "editor/batch/headless_host.h"

#include "editor/commands/document_commands.h"
#include "editor/view/frame_step.h"

#include <filesystem>
#include <ostream>

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

} // namespace

std::string HeadlessHost::translate(const char* context, std::string_view source) const {
    return translator_ ? translator_(context, source) : std::string(source);
}

void HeadlessHost::repaint() {
    if (editor_ != nullptr && painter_) {
        painter_(*editor_);
    } else if (editor_ != nullptr) {
        // Everything a paint works out, without the pixels: the state after it is the
        // window's.
        stepFrame(*editor_);
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

void HeadlessHost::showStatusMessage(const std::string& text) {
    out_ << "status " << escapeLineBreaks(text) << '\n';
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
    // Checking a radio button unchecks its siblings, as in the window's button groups.
    if (step.value == "1") {
        for (const int sibling : dialog.radioGroup(step.id)) {
            if (sibling != step.id) {
                dialog.setValue(sibling, "0");
            }
        }
    }
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
    dialog.setTextHost(this);
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
    sheet.setTextHost(this);
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

void HeadlessHost::quitApplication() {
    if (editor_ == nullptr || saveModifiedIfAsked(*editor_)) {
        quitRequested_ = true;
    }
}

void HeadlessHost::pageSetup() {
    out_ << "page setup\n";
}

void HeadlessHost::print() {
    out_ << "print\n";
}

bool HeadlessHost::showHelp(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    out_ << "help " << path << '\n';
    return true;
}

} // namespace fcw
