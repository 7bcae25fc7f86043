#pragma once

#include "editor/editor.h"
#include "editor/host.h"
#include "editor/view/frame_step.h"
#include "reference_pictures.h"

#include <deque>
#include <string>
#include <vector>

namespace fcw::testing {

// A scripted platform for unit tests: records what the logic asked for and answers from
// queues (empty queue = cancel).
class FakeHost : public Host {
  public:
    std::vector<std::string> messages;
    std::vector<int> dialogs;
    int beeps = 0;
    int repaints = 0;
    std::vector<std::string> progress;
    std::deque<MessageResult> messageAnswers;
    std::deque<std::string> fileAnswers;
    bool shift = false;

    // Runs the frame step of a paint, without the pixels, as the headless host does.
    void attach(Editor& e) override { editor_ = &e; }
    void repaint() override {
        ++repaints;
        if (editor_ != nullptr) {
            stepFrame(*editor_);
        }
    }
    void beep() override { ++beeps; }
    MessageResult messageBox(const std::string& text, MessageButtons buttons,
                             MessageIcon) override {
        messages.push_back(text);
        if (buttons == MessageButtons::Ok) {
            return MessageResult::Ok;
        }
        if (messageAnswers.empty()) {
            return MessageResult::Cancel;
        }
        const MessageResult r = messageAnswers.front();
        messageAnswers.pop_front();
        return r;
    }
    bool runDialog(Dialog& dialog) override {
        dialogs.push_back(dialog.resourceId());
        return false;
    }
    int popupMenu(int, PixelPoint) override { return 0; }
    std::optional<FileChoice> chooseOpenFile(const FileDialogRequest&) override {
        return nextFile();
    }
    std::optional<FileChoice> chooseSaveFile(const FileDialogRequest&) override {
        return nextFile();
    }
    void setPointerPosition(PixelPoint) override {}
    bool isShiftDown() const override { return shift; }
    void setMouseCapture(bool) override {}
    void showProgressText(const std::string& text, PixelPoint) override {
        progress.push_back(text);
    }
    void documentStateChanged() override {}
    void showStatusMessage(const std::string& text) override { statuses.push_back(text); }
    void quitApplication() override { ++quits; }
    DecodedImage decodeReferenceImage(const std::string& path, int maxSide,
                                      std::uint64_t maxBytes) override {
        return decodeTestPicture(path, maxSide, maxBytes);
    }
    bool isToolbarVisible() const override { return toolbarVisible; }
    void toggleToolbar() override { toolbarVisible = !toolbarVisible; }
    void pageSetup() override { ++pageSetups; }
    void print() override { ++prints; }
    bool showHelp(const std::string& path) override {
        helpPages.push_back(path);
        return helpAvailable;
    }

    int quits = 0;
    std::vector<std::string> statuses;
    bool toolbarVisible = true;
    int pageSetups = 0;
    int prints = 0;
    std::vector<std::string> helpPages; // every page asked for, shown or not
    bool helpAvailable = true;

  private:
    Editor* editor_ = nullptr;
    std::optional<FileChoice> nextFile() {
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        FileChoice c{fileAnswers.front(), 0};
        fileAnswers.pop_front();
        return c;
    }
};

// Appends a triangle to the model list with derived data, then refreshes the view list.
inline void appendTriangle(Editor& e, Point3 a, Point3 b, Point3 c, Colour colour) {
    MeshStore& s = e.document.store;
    ++s.lastIndex;
    Triangle& t = s.modelTriangles[static_cast<std::size_t>(s.lastIndex)];
    t.setVertex(0, a);
    t.setVertex(1, b);
    t.setVertex(2, c);
    t.setColour(colour);
    t.computePolar();
    t.computeNormal();
    e.refreshModelToView();
}

} // namespace fcw::testing
