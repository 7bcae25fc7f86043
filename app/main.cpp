// FacetCraftwerk: the program's entry point. `--batch SCRIPT` runs a script of editor actions
// without a window (SCRIPT "-" reads standard input).

#include "app/batch_player.h"

#include <cstring>
#include <fstream>
#include <iostream>

namespace {

int usage() {
    std::cerr << "usage: facetcraftwerk --batch SCRIPT   (SCRIPT may be - for standard input)\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--batch") == 0) {
        fcw::BatchPlayer player(std::cout, std::cerr);
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
    std::cerr << "The editor window is not part of this build yet.\n";
    return usage();
}
