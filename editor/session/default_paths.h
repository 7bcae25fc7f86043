#pragma once

#include "editor/interface_text.h"

#include <string>

namespace fcw {

inline constexpr char kWorkFileName[] = "FacetCraftwerkTemp.tmp";

// The folder of the running executable, ending with '/' ("./" when it cannot be found).
std::string executableDirectory();

// Where the copy/paste work file lives: beside the program when its folder is writable,
// otherwise in the user's data folder ($XDG_DATA_HOME, or ~/.local/share, then
// FacetCraftwerk/), which is created. The window and the batch player share this rule, so two
// running copies of either kind find the same file.
std::string defaultWorkFilePath(const std::string& programDirectory);

// The help page: `programDirectory` + "FacetCraftwerk.html" (the build tree), else the
// installed documentation folder beside it ("../share/doc/facetcraftwerk/"); the first when
// neither exists, for the message.
// For English the English page is looked for the same way; without one the Japanese page is
// shown.
std::string helpPagePath(const std::string& programDirectory,
                         InterfaceLanguage language = InterfaceLanguage::Japanese);
bool helpPageExists(const std::string& path);

} // namespace fcw
