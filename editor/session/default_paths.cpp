#include "editor/session/default_paths.h"

#include "editor/commands/commands.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fcw {

std::string executableDirectory() {
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) {
        return "./";
    }
    buffer.resize(static_cast<std::size_t>(n));
    const auto slash = buffer.find_last_of('/');
    return slash == std::string::npos ? "./" : buffer.substr(0, slash + 1);
}

namespace {

// $XDG_DATA_HOME when it names an absolute folder, otherwise ~/.local/share (the base
// directory rule's default); empty when neither is known.
std::string userDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.local/share";
    }
    return {};
}

} // namespace

std::string defaultWorkFilePath(const std::string& programDirectory) {
    if (::access(programDirectory.c_str(), W_OK) == 0) {
        return programDirectory + kWorkFileName;
    }
    const std::string data = userDataFolder();
    if (data.empty()) {
        return programDirectory + kWorkFileName; // nowhere better: writes will report the error
    }
    const std::string folder = data + "/FacetCraftwerk";
    std::error_code ignored; // a folder that cannot be made shows up as a failed write
    std::filesystem::create_directories(folder, ignored);
    return folder + "/" + kWorkFileName;
}

std::string helpPagePath(const std::string& programDirectory, InterfaceLanguage language) {
    auto find = [&](const char* name) {
        const std::string beside = programDirectory + name;
        const std::string installed = programDirectory + "../share/doc/facetcraftwerk/" + name;
        return !helpPageExists(beside) && helpPageExists(installed) ? installed : beside;
    };
    if (language == InterfaceLanguage::English) {
        const std::string english = find(kEnglishHelpFileName);
        if (helpPageExists(english)) {
            return english;
        }
    }
    return find(kHelpFileName);
}

bool helpPageExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

} // namespace fcw
