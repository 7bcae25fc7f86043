#pragma once

#include <string_view>
#include <vector>

namespace fcw {

// A menu as data: the window builds its menu bar and popups from these trees, and every
// command item dispatches through the command table by id.
struct MenuItem {
    enum class Kind { Command, Separator, Submenu, RecentFiles };
    Kind kind = Kind::Command;
    int id = 0; // command id for Command items
    // Submenu title (Japanese, marked for the catalogue under "Menu"), or the command's text
    // override ("" = table).
    std::string_view text;
    std::vector<MenuItem> items; // Submenu children
};

// Main menu 128: ファイル, 編集, 設定, 表示, 加工, ヘルプ.
const std::vector<MenuItem>& mainMenu();
// Popup 306, on a triangle.
const MenuItem& trianglePopup();
// Popup 310, on a selection or empty space.
const MenuItem& selectionPopup();
// The toolbar, left to right; id 0 is a separator.
const std::vector<int>& toolbarButtons();

// The command ids a menu sends, depth first, the recent-file item as all of its entries.
std::vector<int> commandIdsOf(const MenuItem& menu);

} // namespace fcw
