#include "app/picture_export_cli.h"

#include "editor/picture_export.h"
#include "render/qt_picture.h"
#include "render/qt_vector_state.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace fcw {

bool isPictureForm(const char* firstArgument) {
    return std::strcmp(firstArgument, "--render") == 0 ||
           std::strcmp(firstArgument, "--turntable") == 0;
}

int runPictureCommand(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const PictureArguments parsed = parsePictureArguments(arguments);
    if (!parsed.request) {
        std::cerr << parsed.error << '\n';
        return 2;
    }
    clearUpperVectorState();
    if (auto problem = runPictureRequest(*parsed.request, rasterisePicture)) {
        std::replace(problem->begin(), problem->end(), '\n', ' ');
        std::cerr << *problem << '\n';
        return 2;
    }
    return 0;
}

} // namespace fcw
