#pragma once

#include "editor/batch/batch_bench.h"
#include "editor/batch/headless_host.h"
#include "editor/editor.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fcw {

// Runs a script of editor actions, one verb per line, against a fresh editor without a window.
// Returns 0 when every line ran, 2 at the first script error (reported on `err` as
// "line N: what is wrong").
class BatchPlayer {
  public:
    // Paints the scene at the current client size and writes it to a PNG file; returns an
    // error text on failure. Supplied by the program, which has the drawing surface.
    using RenderToFile = std::function<std::optional<std::string>(Editor&, const std::string&)>;

    BatchPlayer(std::ostream& out, std::ostream& err);
    // Ends like a clean exit: a recovery copy is removed.
    ~BatchPlayer();
    BatchPlayer(const BatchPlayer&) = delete;
    BatchPlayer& operator=(const BatchPlayer&) = delete;

    // The catalogue of a language, for the verb `lang`; nothing when it cannot be loaded.
    // Supplied by the program, which has the translation machinery.
    using LoadCatalogue = std::function<std::optional<Translator>(InterfaceLanguage)>;

    void setRenderer(RenderToFile renderer) { renderer_ = std::move(renderer); }
    void setCatalogueLoader(LoadCatalogue loader) { loadCatalogue_ = std::move(loader); }
    // The window's full repaint, which the bench verbs time. Supplied by the program.
    void setPainter(PaintView painter) { painter_ = std::move(painter); }
    // Decodes swatch pictures for the palette. Supplied by the program, which has the toolkit.
    void setImageDecoder(HeadlessHost::ImageDecoder decoder) {
        host_.setImageDecoder(std::move(decoder));
    }
    // Decodes reference images, likewise.
    void setReferenceDecoder(HeadlessHost::ReferenceDecoder decoder) {
        host_.setReferenceDecoder(std::move(decoder));
    }

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
    LoadCatalogue loadCatalogue_;
    PaintView painter_;
};

// Splits a script line into words: blanks separate, double quotes group (and are removed),
// '#' outside quotes starts a comment. Returns nothing for an unterminated quote.
std::optional<std::vector<std::string>> splitScriptLine(const std::string& line);

// The command the accelerator table gives a key name with these modifiers, or 0.
int acceleratorCommand(const std::string& key, bool ctrl, bool shift);

} // namespace fcw
