#pragma once

#include <span>
#include <string_view>

namespace fcw {

class Editor;

// One command of the menus, toolbar, accelerators and popups, identified by its resource id.
// Texts are the user interface's own: menu text, status-bar prompt, tooltip and the shortcut
// shown in the menu. A null isChecked means the item is never checked; a null isEnabled means
// it is always enabled.
struct Command {
    int id;
    std::string_view menuText;
    std::string_view prompt;
    std::string_view tip;
    std::string_view shortcut;
    void (*handler)(Editor&);
    bool (*isChecked)(const Editor&);
    bool (*isEnabled)(const Editor&);
};

std::span<const Command> commandTable();
const Command* findCommand(int id);

// The about box: the program's picture, name and version, and OK.
inline constexpr int kAboutDialog = 100;

enum class DispatchResult { Done, Disabled, Unknown };

// Runs a command as its menu item would: nothing happens when its enable rule says no.
DispatchResult dispatchCommand(Editor& editor, int id);

namespace command_id {
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kUndo = 32799;
inline constexpr int kToolRangeMove = 32803;
inline constexpr int kToolDrawTriangle = 32801;
inline constexpr int kToolErase = 32802;
inline constexpr int kToolSphere = 32807;
inline constexpr int kToolPaint = 32804;
inline constexpr int kToolOriginMove = 32825;
inline constexpr int kToolZoom = 32824;
inline constexpr int kResetOrigin = 32835;
inline constexpr int kAbout = 57664;
} // namespace command_id

} // namespace fcw
