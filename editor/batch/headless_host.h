#pragma once

#include "editor/host.h"
#include "editor/session/pid_lock.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fcw {

class Editor;

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
    std::string path;        // File
    int choice = 0;          // Choose
    int x = 0;               // Click
    int y = 0;
};

// The platform without a window: output goes to a stream, dialogs take queued answers. A
// dialog with no queued answer is cancelled; a popup with none is dismissed.
class HeadlessHost : public Host {
  public:
    explicit HeadlessHost(std::ostream& out) : out_(out) {}

    void attach(Editor& editor) override { editor_ = &editor; }
    void queue(ScriptAnswer answer) { answers_.push_back(std::move(answer)); }
    // Set when a queued answer did not fit the dialog that took it; the player reports it.
    std::optional<std::string> takeScriptError() { return std::exchange(scriptError_, {}); }
    void setShiftDown(bool down) { shiftDown_ = down; }
    // Shows the interface in `language` through `translator` (none: Japanese, as at the start).
    void setLanguage(InterfaceLanguage language, Translator translator) {
        language_ = language;
        translator_ = std::move(translator);
    }

    std::string translate(const char* context, std::string_view source) const override;
    InterfaceLanguage language() const override { return language_; }

    // The pixel depth the next paints report for the back buffer (batch verb pixelformat).
    void setBackBufferBitsPerPixel(int bits) { backBufferBits_ = bits; }
    // While set, repaint() paints the pixels with it as the window does (the bench verbs);
    // otherwise a repaint runs only the frame step.
    void setPainter(std::function<void(Editor&)> painter) { painter_ = std::move(painter); }

    // What paints the picture exports' frames (the program's Qt canvas); none in tests.
    void setPictureRasteriser(FrameRasteriser rasteriser) { rasteriser_ = std::move(rasteriser); }
    FrameRasteriser pictureRasteriser() const override { return rasteriser_; }

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
    int backBufferBitsPerPixel() const override { return backBufferBits_; }
    void setMouseCapture(bool) override {}
    void showProgressText(const std::string&, PixelPoint) override {}
    void documentStateChanged() override {}
    // "status TEXT".
    void showStatusMessage(const std::string& text) override;
    // Exit offers a modified document for saving, as the window does; unless the user
    // cancels, the player stops after the line.
    void quitApplication() override;
    bool quitRequested() const { return quitRequested_; }
    bool isToolbarVisible() const override { return toolbarVisible_; }
    void toggleToolbar() override { toolbarVisible_ = !toolbarVisible_; }
    // Without a printer these only say that they ran: "page setup", "print".
    void pageSetup() override;
    void print() override;
    // "help PATH" when the page exists.
    bool showHelp(const std::string& path) override;
    bool isPalettePanelVisible() const override { return palettePanelVisible_; }
    void togglePalettePanel() override { palettePanelVisible_ = !palettePanelVisible_; }
    // Pictures are decoded by `decoder` (the program supplies the toolkit's); without one
    // every picture is refused.
    using ImageDecoder = std::function<DecodedImage(const std::string&, std::size_t)>;
    void setImageDecoder(ImageDecoder decoder) { decoder_ = std::move(decoder); }
    DecodedImage decodeImage(const std::string& path, std::size_t maxPixels) override {
        return decoder_ ? decoder_(path, maxPixels) : Host::decodeImage(path, maxPixels);
    }
    // Reference images are decoded by `decoder` (the program supplies the toolkit's); without
    // one every picture is refused.
    using ReferenceDecoder = std::function<DecodedImage(const std::string&, int, std::uint64_t)>;
    void setReferenceDecoder(ReferenceDecoder decoder) { referenceDecoder_ = std::move(decoder); }
    DecodedImage decodeReferenceImage(const std::string& path, int maxSide,
                                      std::uint64_t maxBytes) override {
        return referenceDecoder_ ? referenceDecoder_(path, maxSide, maxBytes)
                                 : Host::decodeReferenceImage(path, maxSide, maxBytes);
    }
    bool tryLockFile(const std::string& path) override { return locks_.tryLock(path); }
    void releaseLockFile(const std::string& path) override { locks_.release(path); }

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
    int backBufferBits_ = 32;
    std::function<void(Editor&)> painter_;
    FrameRasteriser rasteriser_;
    bool toolbarVisible_ = true;
    bool quitRequested_ = false;
    bool palettePanelVisible_ = false;
    ImageDecoder decoder_;
    ReferenceDecoder referenceDecoder_;
    PidLocks locks_;
    InterfaceLanguage language_ = InterfaceLanguage::Japanese;
    Translator translator_;
};

} // namespace fcw
