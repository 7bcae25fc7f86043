#pragma once

#include <string>
#include <vector>

namespace fcw {

class Editor;
class Profile;

inline constexpr int kRecentFileCount = 4;

// The recent-file list kept in the profile's "Recent File List" section (File1 .. File4).
std::vector<std::string> readRecentFiles(const Profile& profile);

// Puts `path`, made absolute and canonical (links resolved), first in the editor's list (at
// most four, no duplicates) and, when the editor has a profile, writes the list there. A name
// the profile cannot hold as it is (one with a line break) is left out of the list. A failed
// write is not an error worth a message: the list is a convenience.
void rememberRecentFile(Editor& editor, const std::string& path);

// Opens recent file `index` (0-based) as File ▸ Open would, after the save prompt.
void openRecentFile(Editor& editor, int index);

} // namespace fcw
