// FacetCraftwerk: the program's entry point. The command line (app/command_line.h) chooses the
// form: `--batch SCRIPT` runs a script of editor actions without a window (SCRIPT "-" reads
// standard input); `--convert IN OUT [--fit SIZE]` converts a model file from one format to
// another, also without a window; `--render` and `--turntable` write pictures of a model, also
// without a window (app/picture_export_cli.h); `--help` and `--version` print; otherwise
// `[--lang ja|en] [FILE]` opens the window, in the language named or else the one the profile
// holds (Japanese by default).

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/picture_export_cli.h"
#include "app/translations.h"
#include "app/view_picture.h"
#include "editor/batch/batch_player.h"
#include "editor/commands/document_commands.h"
#include "editor/commands/dropped_files.h"
#include "editor/commands/picture_export.h"
#include "editor/session/app_settings.h"
#include "editor/session/recovery.h"
#include "editor/view/frame_step.h"
#include "io/atomic_file.h"
#include "io/model_files.h"
#include "render/qt_canvas.h"
#include "render/qt_picture.h"
#include "render/qt_vector_state.h"
#include "render/scene_painter.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace {

// Clears the vector state Qt's drawing leaves behind (see clearUpperVectorState) before every
// event is delivered, so no handler of the editor runs its arithmetic under the penalty.
class VectorStateGuard : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        fcw::clearUpperVectorState();
        return QObject::eventFilter(watched, event);
    }
};

// Exit 0 on success, else 2 with the reason on one line of standard error.
int runConvert(const fcw::CommandLine& line) {
    std::optional<double> fit;
    if (const fcw::GivenOption* option = line.option("--fit")) {
        const char* text = option->values[0].c_str();
        char* end = nullptr;
        const double size = std::strtod(text, &end);
        if (end == text || *end != '\0' || !(size > 0.0) || !std::isfinite(size)) {
            std::cerr << "--fit needs a positive size, not '" << text << "'\n";
            return 2;
        }
        fit = size;
    }
    if (auto problem = fcw::convertModelFile(line.operands[0], line.operands[1], fit)) {
        std::replace(problem->begin(), problem->end(), '\n', ' ');
        std::cerr << *problem << '\n';
        return 2;
    }
    return 0;
}

// Paints the scene at the view's client size and writes it as a PNG file.
std::optional<std::string> renderToPng(fcw::Editor& editor, const std::string& path) {
    fcw::ViewPicture picture;
    picture.paint(editor, 1.0);
    const fcw::QtCanvas& canvas = picture.canvas();
    // Encoded in memory, then written like every other file: a failed write leaves any
    // previous picture of that name whole.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !canvas.image().save(&buffer, "PNG")) {
        return "cannot encode the picture for '" + path + "'";
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(png.constData());
    if (!fcw::writeFileAtomically(path, {bytes, static_cast<std::size_t>(png.size())},
                                  editor.services.writeFaults)) {
        return "cannot write '" + path + "'";
    }
    return std::nullopt;
}

// The window's repaint without a window, for the bench verbs: the frame step, then the scene
// into one canvas kept from paint to paint at the client size.
fcw::PaintView batchPainter() {
    auto picture = std::make_shared<fcw::ViewPicture>();
    return [picture](fcw::Editor& editor) { picture->paint(editor, 1.0); };
}

int runBatch(int argc, char** argv, const std::string& scriptPath) {
    // Text needs the font machinery of a GUI application, but no screen.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    fcw::clearUpperVectorState(); // the toolkit's start-up leaves it set
    fcw::BatchPlayer player(std::cout, std::cerr);
    player.setRenderer(renderToPng);
    player.setCatalogueLoader(fcw::loadCatalogue);
    player.setPainter(batchPainter());
    player.host().setPictureRasteriser(fcw::rasterisePicture);
    player.setImageDecoder(fcw::decodePictureFile);
    player.setReferenceDecoder(fcw::decodeReferencePictureFile);
    if (scriptPath == "-") {
        return player.run(std::cin);
    }
    std::ifstream script(scriptPath);
    if (!script) {
        std::cerr << "cannot open script '" << scriptPath << "'\n";
        return 2;
    }
    return player.run(script);
}

// The editor window: settings from the profile, an empty document (or the file named on the
// command line), then the event loop.
int runWindow(int argc, char** argv, const fcw::CommandLine& line,
              std::optional<fcw::InterfaceLanguage> language) {
    QApplication app(argc, argv);
    VectorStateGuard guard;
    app.installEventFilter(&guard);
    fcw::clearUpperVectorState(); // the toolkit's start-up leaves it set
    const char* document = line.operands.empty() ? nullptr : line.operands[0].c_str();
    const fcw::EditorPaths paths = fcw::defaultPaths();
    // Chosen before the window and its host exist: the host speaks one language for the run.
    const fcw::InterfaceLanguage shown = fcw::startupLanguage(language, paths.profilePath);
    fcw::installInterfaceTranslations(app, shown);
    fcw::QtHost host(shown);
    fcw::Editor editor(host);
    editor.services.paths = paths;
    fcw::readStartupProfile(editor);
    fcw::MainWindow window(editor, host);
    host.attach(&window, window.view());
    const std::string stateFolder = fcw::defaultStateFolder();
    if (!stateFolder.empty()) {
        window.setStateFile(QString::fromStdString(stateFolder + "/window.ini"));
        window.restorePlacement();
    }
    if (document != nullptr && !fcw::openStartupFile(editor, document)) {
        return 1; // the reason was shown
    }
    window.show();
    // Copies left by a crash are offered over the window, once it is up.
    QTimer::singleShot(0, &window, [&editor, &stateFolder] {
        startRecovery(editor, stateFolder, fcw::wallClockMs());
    });
    return app.exec();
}

// A wrong command line: one line on standard error, exit status 2.
int refuse(const std::string& message) {
    std::cerr << "facetcraftwerk: " << message << '\n';
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const auto parsed = fcw::parseCommandLine(argc, argv);
    if (const auto* error = std::get_if<fcw::CommandLineError>(&parsed)) {
        return refuse(error->message);
    }
    const auto& line = std::get<fcw::CommandLine>(parsed);
    switch (line.form) {
    case fcw::CommandForm::Help:
        std::cout << fcw::usageText();
        return 0;
    case fcw::CommandForm::Version:
        std::cout << fcw::versionText() << '\n';
        return 0;
    case fcw::CommandForm::Batch:
        return runBatch(argc, argv, line.operands[0]);
    case fcw::CommandForm::Convert:
        return runConvert(line);
    case fcw::CommandForm::Render:
    case fcw::CommandForm::Turntable:
        return fcw::runPictureCommand(argc, argv);
    case fcw::CommandForm::Window:
        break;
    }
    std::optional<fcw::InterfaceLanguage> language;
    if (const fcw::GivenOption* lang = line.option("--lang")) {
        language = fcw::parseLanguageName(lang->values[0]);
        if (!language) {
            return refuse("--lang takes ja or en, not '" + lang->values[0] + "'");
        }
    }
    return runWindow(argc, argv, line, language);
}
