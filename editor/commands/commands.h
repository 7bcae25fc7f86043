#pragma once

#include "editor/command_ids.h"
#include "editor/dialog_ids.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace fcw {

class Editor;

// One command of the menus, toolbar, accelerators and popups, identified by its resource id.
// Texts are the user interface's own, in Japanese (marked for the catalogue): menu text, status-bar
// prompt, tooltip and the shortcut shown in the menu. A null isChecked means the item is never
// checked; a null isEnabled means it is always enabled.
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

enum class DispatchResult { Done, Disabled, Unknown };

// Runs a command as its menu item would: nothing happens when its enable rule says no.
DispatchResult dispatchCommand(Editor& editor, int id);

// The text a menu item shows: the table's menu text, except for the recent files, which show
// "&N path" from the editor's list (the first one "最近使ったﾌｧｲﾙ" while the list is empty).
// In the host's language, as the prompt and tip below.
std::string menuTextOf(const Editor& editor, const Command& command);
// The status-bar prompt and the toolbar tip in the host's language; empty where the table has
// none.
std::string promptOf(const Editor& editor, const Command& command);
std::string tipOf(const Editor& editor, const Command& command);

// The help page: beside the program in the build tree, in the documentation folder once
// installed.
inline constexpr char kHelpFileName[] = "FacetCraftwerk.html";
// The English page, found the same way, for the English interface.
inline constexpr char kEnglishHelpFileName[] = "FacetCraftwerk_en.html";

// ---- accelerators, read from the table's shortcut column ----

struct KeyModifiers {
    bool ctrl = false;
    bool shift = false;
    friend constexpr bool operator==(KeyModifiers, KeyModifiers) = default;
};

// A key with its modifiers. `key` is an upper-case letter "A" .. "Z", "Delete" or a function
// key "F1" .. "F12".
struct KeyChord {
    std::string_view key;
    KeyModifiers modifiers;
    friend constexpr bool operator==(KeyChord, KeyChord) = default;
};

struct Accelerator {
    int commandId;
    KeyChord chord;
};

// Reads a shortcut as the table writes it: "Ctrl+Z", "Ctrl+Shift+A", "del" (the Delete key),
// "F1".
// Nothing for text that names no key the accelerators use.
constexpr std::optional<KeyChord> parseShortcut(std::string_view text) {
    KeyModifiers modifiers;
    for (;;) {
        if (text.starts_with("Ctrl+")) {
            modifiers.ctrl = true;
            text.remove_prefix(5);
        } else if (text.starts_with("Shift+")) {
            modifiers.shift = true;
            text.remove_prefix(6);
        } else {
            break;
        }
    }
    if (text == "del" || text == "Delete") {
        return KeyChord{"Delete", modifiers};
    }
    if (text.size() == 1 &&
        ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= '0' && text[0] <= '9'))) {
        return KeyChord{text, modifiers};
    }
    const bool function =
        (text.size() == 2 && text[0] == 'F' && text[1] >= '1' && text[1] <= '9') ||
        (text.size() == 3 && text[0] == 'F' && text[1] == '1' && text[2] >= '0' && text[2] <= '2');
    if (function) {
        return KeyChord{text, modifiers};
    }
    return std::nullopt;
}

// Every command with a shortcut, in id order, then the second keys of the commands that have
// two (Redo: Ctrl+Y, then Ctrl+Shift+Z).
std::span<const Accelerator> acceleratorTable();
// The accelerator that sends `commandId` (the one its menu item shows), or null.
const Accelerator* acceleratorFor(int commandId);
// The command a key sends with exactly these modifiers, or 0. The key name is compared
// without regard to case ("z", "Z"; "delete", "Delete").
int commandForKey(std::string_view keyName, KeyModifiers modifiers);
// "Ctrl+Shift+Z": the chord in the form key-sequence parsers read.
std::string shortcutText(const KeyChord& chord);

} // namespace fcw
