#include "editor/session/recent_files.h"

#include "editor/commands/document_commands.h"
#include "editor/editor.h"
#include "editor/session/profile.h"

#include <algorithm>
#include <filesystem>

namespace fcw {

namespace {

constexpr char kSection[] = "Recent File List";

std::string keyFor(int i) {
    return "File" + std::to_string(i + 1);
}

// The absolute path with links, "." and ".." resolved, so that an entry reopens from any
// working folder and a file reached by two names is listed once.
std::string canonicalPath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) {
        return path;
    }
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, error);
    return (error ? absolute.lexically_normal() : canonical).string();
}

} // namespace

std::vector<std::string> readRecentFiles(const Profile& profile) {
    std::vector<std::string> files;
    for (int i = 0; i < kRecentFileCount; ++i) {
        if (const auto path = profile.getString(kSection, keyFor(i)); path && !path->empty()) {
            files.push_back(*path);
        }
    }
    return files;
}

void rememberRecentFile(Editor& editor, const std::string& openedPath) {
    const std::string path = canonicalPath(openedPath);
    if (!Profile::holdsAsValue(path)) {
        return; // a name the profile cannot hold (a line break in it) is left out of the list
    }
    auto& files = editor.services.recentFiles;
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > static_cast<std::size_t>(kRecentFileCount)) {
        files.resize(kRecentFileCount);
    }
    if (editor.services.paths.profilePath.empty()) {
        return;
    }
    Profile profile;
    if (!profile.load(editor.services.paths.profilePath)) {
        return; // an unreadable profile is left alone rather than overwritten
    }
    for (int i = 0; i < kRecentFileCount; ++i) {
        if (i < static_cast<int>(files.size())) {
            profile.setString(kSection, keyFor(i), files[static_cast<std::size_t>(i)]);
        } else {
            profile.remove(kSection, keyFor(i));
        }
    }
    profile.save(editor.services.paths.profilePath, editor.services.writeFaults);
}

void openRecentFile(Editor& editor, int index) {
    if (index < 0 || index >= static_cast<int>(editor.services.recentFiles.size())) {
        return;
    }
    const std::string path = editor.services.recentFiles[static_cast<std::size_t>(index)];
    if (!saveModifiedIfAsked(editor)) {
        return;
    }
    openDocumentFile(editor, path);
    editor.repaint();
}

} // namespace fcw
