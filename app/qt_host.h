#pragma once

#include "editor/host.h"

#include <map>
#include <memory>

class QLockFile;
class QProgressDialog;

namespace fcw {

class MainWindow;
class ViewWidget;

// The platform for the editing logic, with Qt widgets.
class QtHost : public Host {
  public:
    // Shows the interface in `language`, whose catalogue the application has installed.
    explicit QtHost(InterfaceLanguage language = InterfaceLanguage::Japanese);
    ~QtHost() override;
    void attach(MainWindow* window, ViewWidget* view) {
        window_ = window;
        view_ = view;
    }
    std::string translate(const char* context, std::string_view source) const override;
    InterfaceLanguage language() const override { return language_; }
    void repaint() override;
    void beep() override;
    MessageResult messageBox(const std::string& text, MessageButtons buttons,
                             MessageIcon icon) override;
    bool runDialog(Dialog& dialog) override;
    bool runPropertySheet(PropertySheet& sheet) override;
    int popupMenu(int menuId, PixelPoint clientPoint) override;
    std::optional<FileChoice> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<FileChoice> chooseSaveFile(const FileDialogRequest& request) override;
    void setPointerPosition(PixelPoint clientPoint) override;
    bool isShiftDown() const override;
    void setMouseCapture(bool) override {}
    void showProgressText(const std::string& text, PixelPoint at) override;
    void documentStateChanged() override;
    void showStatusMessage(const std::string& text) override;
    void quitApplication() override;
    bool isToolbarVisible() const override;
    void toggleToolbar() override;
    void pageSetup() override;
    void print() override;
    bool showHelp(const std::string& path) override;
    // The toolkit's lock files.
    bool isPalettePanelVisible() const override;
    void togglePalettePanel() override;
    void paletteChanged() override;
    DecodedImage decodeImage(const std::string& path, std::size_t maxPixels) override;
    DecodedImage decodeReferenceImage(const std::string& path, int maxSide,
                                      std::uint64_t maxBytes) override;
    bool tryLockFile(const std::string& path) override;
    void releaseLockFile(const std::string& path) override;
    FrameRasteriser pictureRasteriser() const override;
    // A modal progress dialog over the window with a Cancel button; events are processed at
    // each step so that the button answers.
    bool showProgress(const std::string& title, int done, int total) override;
    void endProgress() override;

  private:
    InterfaceLanguage language_;
    MainWindow* window_ = nullptr;
    ViewWidget* view_ = nullptr;
    std::map<std::string, std::unique_ptr<QLockFile>> locks_;
    std::unique_ptr<QProgressDialog> progress_;
};

// Decodes a PNG picture with the toolkit's reader, refusing one of more than `maxPixels` pixels
// before its pixels are decoded. The window's host and the batch player share it.
DecodedImage decodePictureFile(const std::string& path, std::size_t maxPixels);
// A reference image in any format Qt's image readers and plug-ins take (the first frame of an
// animation), refused before decoding when its header gives more than `maxSide` pixels a side
// or `maxBytes` bytes decoded.
DecodedImage decodeReferencePictureFile(const std::string& path, int maxSide,
                                        std::uint64_t maxBytes);

} // namespace fcw
