// FacetCraftwerk: the program's entry point. `--batch SCRIPT` runs a script of editor actions
// without a window (SCRIPT "-" reads standard input); `--convert IN OUT [--fit SIZE]` converts a
// model file from one format to another, also without a window; otherwise
// `[--lang ja|en] [FILE]` opens the window, in the language named or else the one the profile
// holds (Japanese by default).

#include "app/main_window.h"
#include "app/translations.h"
#include "editor/app_settings.h"
#include "editor/batch_player.h"
#include "editor/document_commands.h"
#include "editor/dropped_files.h"
#include "editor/frame_step.h"
#include "editor/recovery.h"
#include "io/atomic_file.h"
#include "io/model_files.h"
#include "render/qt_canvas.h"
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
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>

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

int usage() {
    std::cerr << "usage: facetcraftwerk [--lang ja|en] [FILE]\n"
                 "       facetcraftwerk --batch SCRIPT   (SCRIPT may be - for standard input)\n"
                 "       facetcraftwerk --convert IN OUT [--fit SIZE]\n";
    return 2;
}

// Exit 0 on success, else 2 with the reason on one line of standard error.
int runConvert(int argc, char** argv) {
    std::optional<double> fit;
    if (argc == 6 && std::strcmp(argv[4], "--fit") == 0) {
        char* end = nullptr;
        const double size = std::strtod(argv[5], &end);
        if (end == argv[5] || *end != '\0' || !(size > 0.0) || !std::isfinite(size)) {
            std::cerr << "--fit needs a positive size, not '" << argv[5] << "'\n";
            return 2;
        }
        fit = size;
    } else if (argc != 4) {
        return usage();
    }
    if (auto problem = fcw::convertModelFile(argv[2], argv[3], fit)) {
        std::replace(problem->begin(), problem->end(), '\n', ' ');
        std::cerr << *problem << '\n';
        return 2;
    }
    return 0;
}

// Paints the scene at the view's client size and writes it as a PNG file.
std::optional<std::string> renderToPng(fcw::Editor& editor, const std::string& path) {
    const fcw::SceneFrame frame = fcw::stepFrame(editor);
    fcw::QtCanvas canvas(frame.client.right, frame.client.bottom);
    fcw::paintScene(frame, canvas);
    // Encoded in memory, then written like every other file: a failed write leaves any
    // previous picture of that name whole.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !canvas.image().save(&buffer, "PNG")) {
        return "cannot encode the picture for '" + path + "'";
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(png.constData());
    if (!fcw::writeFileAtomically(path, {bytes, static_cast<std::size_t>(png.size())},
                                  editor.writeFaults)) {
        return "cannot write '" + path + "'";
    }
    return std::nullopt;
}

// The window's repaint without a window, for the bench verbs: the frame step, then the scene
// into one canvas kept from paint to paint at the client size.
fcw::PaintView batchPainter() {
    auto canvas = std::make_shared<fcw::QtCanvas>(1, 1);
    return [canvas](fcw::Editor& editor) {
        const fcw::SceneFrame frame = fcw::stepFrame(editor);
        const int w = std::max(frame.client.right, 1);
        const int h = std::max(frame.client.bottom, 1);
        if (canvas->width() != w || canvas->height() != h) {
            *canvas = fcw::QtCanvas(w, h);
        }
        fcw::paintScene(frame, *canvas);
    };
}

int runBatch(int argc, char** argv) {
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
    player.setImageDecoder(fcw::decodePictureFile);
    if (std::strcmp(argv[2], "-") == 0) {
        return player.run(std::cin);
    }
    std::ifstream script(argv[2]);
    if (!script) {
        std::cerr << "cannot open script '" << argv[2] << "'\n";
        return 2;
    }
    return player.run(script);
}

// The window's command line, once the toolkit has taken its own options out.
struct WindowArguments {
    std::optional<fcw::InterfaceLanguage> language; // --lang, if given
    const char* document = nullptr;
};

std::optional<WindowArguments> readWindowArguments(int argc, char** argv) {
    WindowArguments out;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--lang") == 0) {
            out.language = i + 1 < argc ? fcw::parseLanguageName(argv[i + 1]) : std::nullopt;
            if (!out.language) {
                return std::nullopt;
            }
            ++i;
        } else if (out.document == nullptr) {
            out.document = argv[i]; // later names are ignored, as they always were
        }
    }
    return out;
}

// The editor window: settings from the profile, an empty document (or the file named on the
// command line), then the event loop.
int runWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    VectorStateGuard guard;
    app.installEventFilter(&guard);
    fcw::clearUpperVectorState(); // the toolkit's start-up leaves it set
    const auto arguments = readWindowArguments(argc, argv);
    if (!arguments) {
        return usage();
    }
    const char* document = arguments->document;
    const fcw::EditorPaths paths = fcw::defaultPaths();
    // Chosen before the window and its host exist: the host speaks one language for the run.
    const fcw::InterfaceLanguage shown =
        fcw::startupLanguage(arguments->language, paths.profilePath);
    fcw::installInterfaceTranslations(app, shown);
    fcw::QtHost host(shown);
    fcw::Editor editor(host);
    editor.paths = paths;
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

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--batch") == 0) {
        if (argc != 3) {
            return usage();
        }
        return runBatch(argc, argv);
    }
    if (argc >= 2 && std::strcmp(argv[1], "--convert") == 0) {
        return runConvert(argc, argv);
    }
    return runWindow(argc, argv);
}
