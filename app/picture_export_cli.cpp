#include "app/picture_export_cli.h"

#include "editor/commands/picture_export.h"
#include "render/qt_picture.h"
#include "render/qt_vector_state.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace fcw {

int runPictureCommand(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const PictureArguments parsed = parsePictureArguments(arguments);
    if (!parsed.request) {
        std::cerr << parsed.error << '\n';
        return 2;
    }
    clearUpperVectorState();
    std::optional<std::string> problem;
    try {
        problem = runPictureRequest(*parsed.request, rasterisePicture);
    } catch (const std::exception& e) { // memory or threads ran out: say so, write nothing
        problem = parsed.request->out + ": " + e.what();
    }
    if (problem) {
        std::replace(problem->begin(), problem->end(), '\n', ' ');
        std::cerr << *problem << '\n';
        return 2;
    }
    return 0;
}

} // namespace fcw
