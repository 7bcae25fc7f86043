#pragma once

#include "editor/interface_text.h"
#include "io/atomic_file.h"
#include "model/triangle.h"
#include "render/camera.h"
#include "render/picture_scene.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fcw {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageResult { Ok, Cancel, Yes, No };

// What a push button of a dialog did.
struct ButtonPress {
    bool known = false; // false: the dialog has no button with that id
    // Set when the press was refused (an edit box held no number): the dialog changed
    // nothing; the host shows the message and the dialog stays open.
    std::optional<std::string> refusal;

    static ButtonPress unknown() { return {}; }
    static ButtonPress done() { return {true, std::nullopt}; }
    static ButtonPress refused(std::string message) { return {true, std::move(message)}; }
};

class Host;
class Editor;

// A dialog or sheet words some texts itself (its caption, its refusals of an entry). They come
// in the language of the host that shows it: the host hands itself over before it runs the
// dialog. Without a host (tests) the texts stay Japanese.
class Worded {
  public:
    virtual ~Worded() = default;
    virtual void setTextHost(const Host* host) { textHost_ = host; }
    // `source` under `context` in the host's language.
    std::string text(const char* context, std::string_view source) const;

  protected:
    Worded() = default;

  private:
    const Host* textHost_ = nullptr;
};

// A modal dialog as the logic sees it: a resource id and the values of its controls by
// control id (edit boxes their text, check and radio buttons "0" or "1"). The host shows it,
// lets the user change the values and press buttons, and returns whether it closed with OK.
class Dialog : public Worded {
  public:
    explicit Dialog(int resourceId) : resourceId_(resourceId) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    int resourceId() const { return resourceId_; }

    std::string value(int control) const {
        const auto it = values_.find(control);
        return it == values_.end() ? std::string() : it->second;
    }
    void setValue(int control, std::string text) { values_[control] = std::move(text); }
    const std::map<int, std::string>& values() const { return values_; }

    // The user finished editing a control (its edit box lost the focus). Returns a message
    // for the host to show when the dialog refused the entry (and kept what it held).
    virtual std::optional<std::string> controlEdited(int /*control*/) { return std::nullopt; }
    // True when the control is one this dialog has.
    virtual bool hasControl(int control) const { return values_.count(control) != 0; }
    // The radio buttons of the control's group, itself included; empty for a control that is
    // not a radio button. Checking one button of a group unchecks the others.
    virtual std::vector<int> radioGroup(int /*control*/) const { return {}; }
    // A push button other than OK and Cancel was pressed.
    virtual ButtonPress pressButton(int /*button*/) { return ButtonPress::unknown(); }
    // A click at dialog coordinates (the palette). Returns true when the click closes the
    // dialog with OK.
    virtual bool clickAt(int /*x*/, int /*y*/) { return false; }
    // Called on OK: an error text to show (and keep the dialog open), or nothing to accept.
    virtual std::optional<std::string> validate() { return std::nullopt; }

  private:
    int resourceId_;
    std::map<int, std::string> values_;
};

// A modal property sheet as the logic sees it: pages shown as tabs, OK and Cancel. Each page is
// a Dialog whose control values the host shows and edits. Leaving a page, and pressing OK, takes
// the page's values in and checks them; a refused value keeps the user on the page.
class PropertySheet : public Worded {
  public:
    virtual std::string caption() const = 0;
    virtual int pageCount() const = 0;
    virtual Dialog& page(int index) = 0;
    virtual std::string pageTitle(int index) const = 0;
    virtual int activePage() const = 0;
    // Takes in and checks the active page, then shows page `index`. On refusal returns the
    // message and stays.
    virtual std::optional<std::string> setActivePage(int index) = 0;
    // Takes in and checks the active page for OK. On refusal returns the message; the sheet
    // stays open.
    virtual std::optional<std::string> acceptActivePage() = 0;
};

struct FileDialogRequest {
    std::string title;
    // Filters as "display name (*.ext1 *.ext2)", first one preselected.
    std::vector<std::string> filters;
    int selectedFilter = 0;
    std::string defaultSuffix; // without the dot, added when the user typed none
    std::string initialPath;
};

// A decoded picture: `width` x `height` pixels as 0xAARRGGBB, rows top to bottom. When it could
// not be read, `error` says why (a Japanese text marked for translation) and there are no pixels.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
    std::string error;
};

inline constexpr char kNoPictureDecoder[] =
    FCW_TR_NOOP("Message", "この環境では画像を読み込めません");

struct FileChoice {
    std::string path;
    int filterIndex = 0; // the filter selected when the dialog closed
};

// Everything the editing logic asks of the platform. The window implements it with Qt; the
// batch player implements it without a window; tests script it.
class Host {
  public:
    virtual ~Host() = default;

    // The interface text for `source`, a Japanese text marked FCW_TR_NOOP(context, source), in
    // the language this host shows; the source itself for Japanese, or when the catalogue has
    // no entry. Everything the logic words for the user passes through here.
    virtual std::string translate(const char* /*context*/, std::string_view source) const {
        return std::string(source);
    }

    // The language translate() gives (the help page follows it).
    virtual InterfaceLanguage language() const { return InterfaceLanguage::Japanese; }

    // The editor this host shows; the editor's constructor tells it.
    virtual void attach(Editor&) {}
    // Paint the whole view: every host runs the frame step of each paint (preparePaint), the
    // window when it paints, the hosts without a window at once.
    virtual void repaint() = 0;
    // The exclamation beep.
    virtual void beep() = 0;
    virtual MessageResult messageBox(const std::string& text, MessageButtons buttons,
                                     MessageIcon icon) = 0;
    // Runs a modal dialog; true when it closed with OK (after validate() accepted).
    virtual bool runDialog(Dialog& dialog) = 0;
    // Runs a modal property sheet; true when it closed with OK. (A host without one cancels.)
    virtual bool runPropertySheet(PropertySheet& /*sheet*/) { return false; }
    // Shows popup menu `menuId` at a client point; the chosen command id, 0 when dismissed.
    virtual int popupMenu(int menuId, PixelPoint clientPoint) = 0;
    virtual std::optional<FileChoice> chooseOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<FileChoice> chooseSaveFile(const FileDialogRequest& request) = 0;
    // Moves the pointer to a client point of the view.
    virtual void setPointerPosition(PixelPoint clientPoint) = 0;
    virtual bool isShiftDown() const = 0;
    // Bits per pixel of the view's back buffer, which the depth-buffer display renders in
    // (16, 24 and 32 are supported). The window's back buffer is a 32-bit image.
    virtual int backBufferBitsPerPixel() const { return 32; }
    virtual void setMouseCapture(bool captured) = 0;
    // Draws a progress line as plain text on the view, over the picture, at a client point.
    // The next repaint covers it.
    virtual void showProgressText(const std::string& text, PixelPoint at) = 0;
    // The document's name or modified flag changed (the window updates its title).
    virtual void documentStateChanged() = 0;
    // A line for the status bar, such as what an import read and left out.
    virtual void showStatusMessage(const std::string& /*text*/) {}

    // The window's own commands. Ends the program as closing the window does: a modified
    // document is offered for saving first, and Cancel keeps the program running.
    virtual void quitApplication() = 0;
    virtual bool isToolbarVisible() const = 0;
    virtual void toggleToolbar() = 0;
    // The printer set-up dialog, and printing the view's picture after the print dialog.
    virtual void pageSetup() = 0;
    virtual void print() = 0;
    // Shows the help page at `path`; false when it cannot (the file is missing, or no viewer
    // takes it), and the caller says so.
    virtual bool showHelp(const std::string& path) = 0;

    // ---- pictures ----
    // What paints frames into pixels for picture files; empty when this host cannot (the
    // export then says so).
    virtual FrameRasteriser pictureRasteriser() const { return {}; }
    // A long task's progress with a Cancel button: shown at the first call, updated with
    // `done` of `total` steps at each; false once the user cancelled. endProgress() closes it.
    virtual bool showProgress(const std::string& /*title*/, int /*done*/, int /*total*/) {
        return true;
    }
    virtual void endProgress() {}
    // ---- the palette panel beside the view ----
    virtual bool isPalettePanelVisible() const { return false; }
    virtual void togglePalettePanel() {}
    // The editor's palette changed: the panel shows the new one.
    virtual void paletteChanged() {}
    // Decodes the picture file at `path` (PNG), refusing one of more than `maxPixels` pixels
    // before decoding it. A host without a picture decoder refuses every file.
    virtual DecodedImage decodeImage(const std::string& /*path*/, std::size_t /*maxPixels*/) {
        return {0, 0, {}, kNoPictureDecoder};
    }
    // Decodes a reference image at `path` in any picture format the host reads (PNG, JPEG,
    // BMP, GIF's first frame, WebP, TIFF), refusing one over `maxSide` pixels a side or
    // `maxBytes` bytes decoded before decoding it. The error gives the reason only.
    virtual DecodedImage decodeReferenceImage(const std::string& /*path*/, int /*maxSide*/,
                                              std::uint64_t /*maxBytes*/) {
        return {0, 0, {}, kNoPictureDecoder};
    }

    // ---- recovery copies ----
    // Takes the lock file `path` for this instance and holds it until releaseLockFile or the
    // end of the process. A lock left by an instance that no longer runs (a stale lock) is
    // taken over. False when a running instance holds it or it cannot be made. A host without
    // locks grants every one.
    virtual bool tryLockFile(const std::string& /*path*/) { return true; }
    // Gives up a lock this instance holds and removes its file.
    virtual void releaseLockFile(const std::string& /*path*/) {}
};

inline std::string Worded::text(const char* context, std::string_view source) const {
    return textHost_ != nullptr ? textHost_->translate(context, source) : std::string(source);
}

} // namespace fcw
