#pragma once

#include "model/translatable.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace fcw {

// The interface's languages. Japanese is the source of every text and the default under any
// locale; English comes from the catalogue translations/facetcraftwerk_en.ts.
enum class InterfaceLanguage { Japanese, English };

// "ja" and "en" (the command line's --lang, the batch verb lang, the profile's entry); nothing
// for any other text.
std::optional<InterfaceLanguage> parseLanguageName(std::string_view name);
const char* languageName(InterfaceLanguage language);

// Looks a marked text up: the text shown for `source` (the Japanese text as marked) under
// `context`, or the source itself when the catalogue has none.
using Translator = std::function<std::string(const char* context, std::string_view source)>;

// The catalogue's contexts, one per kind of text; each text is marked with the same name
// (FCW_TR_NOOP("Message", ...)) that its user looks it up with.
namespace text_context {
inline constexpr char kMenu[] = "Menu";         // submenu titles
inline constexpr char kCommand[] = "Command";   // menu item texts
inline constexpr char kPrompt[] = "Prompt";     // status-bar prompts
inline constexpr char kTip[] = "Tip";           // toolbar tips
inline constexpr char kMessage[] = "Message";   // message boxes and refusals
inline constexpr char kDialog[] = "Dialog";     // dialog captions, labels and notes
inline constexpr char kSettings[] = "Settings"; // the settings sheet
inline constexpr char kStatus[] = "Status";     // status bar, status box, progress line
inline constexpr char kFiles[] = "Files";       // file dialog titles and filters
} // namespace text_context

// Fills "%1" … "%9" in `pattern` with `args` in one pass, so a path that holds "%2" stays as
// it is. A placeholder without an argument is left in place.
std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace fcw
