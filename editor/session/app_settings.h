#pragma once

#include "editor/interface_text.h"
#include "render/view_options.h"

#include <cstdint>
#include <optional>
#include <string>

namespace fcw {

class Editor;
class Profile;

// The persisted settings that are not display options (those live in ViewOptions).
struct AppSettings {
    std::int8_t sphereLongitudeLines = 10; // meridians of the sphere tool
    std::int8_t sphereLatitudeLines = 10;  // latitude lines of the sphere tool
    std::int8_t angleStep = 45;            // keyboard rotation step, degrees
    double importScale = 1.0;              // factor on coordinates read from text and DXF
    double exportScale = 1.0;              // factor on coordinates written to text and DXF
    std::int32_t defaultTextFormat = 0;    // 0 DXF, 1 text type 1, 2 text type 2
    std::int32_t exportColour = 1;         // write colours in text export
    // The interface language the profile asks for at the next start (the settings sheet's
    // choice). Kept in a section of its own, apart from the eleven.
    InterfaceLanguage interfaceLanguage = InterfaceLanguage::Japanese;
};

// The language entry: section "Language", key "interface", "ja" or "en". A missing entry, or
// one that names no language of the interface, reads as Japanese.
InterfaceLanguage readLanguageChoice(const Profile& profile);
// Stores the choice. A profile without the entry gets none for Japanese, so the files of users
// who never chose stay as they were.
void writeLanguageChoice(Profile& profile, InterfaceLanguage language);

// The language a start shows: the command line's --lang when given, else the choice of the
// profile at `profilePath`; Japanese without either, whatever the locale.
InterfaceLanguage startupLanguage(std::optional<InterfaceLanguage> commandLine,
                                  const std::string& profilePath);

// Reads the eleven settings in start-up order; a missing entry gives its default. Values are
// used as read: ranges are enforced only by the settings sheet. Also clears
// ViewOptions::depthNormalDisplay, which start-up does between the display and text keys.
void readSettings(const Profile& profile, AppSettings& settings, ViewOptions& view);

// A decimal setting in the profile's units of 0.0001, truncated toward zero. The truncation
// applies to the decimal value: the value is first rounded to nine decimals, so that binary
// rounding cannot cost a unit (0.57 is held as 0.56999...; it is stored as 5700, not 5699),
// while a fifth decimal is still dropped (0.12345 gives 1234). The result is the 32 bits the
// reader takes as unsigned, so every value a profile can hold reads back unchanged.
std::int32_t settingUnits(double value);

// Writes the eleven entries in write-back order. Decimal settings are stored by
// settingUnits. Does not save the profile file; the caller does.
void writeSettings(Profile& profile, const AppSettings& settings, const ViewOptions& view);

// Start-up: the eleven settings and the recent-file list from the profile at
// editor.services.paths.profilePath, and the palette kept beside it. Without a readable profile
// everything keeps its default.
void readStartupProfile(Editor& editor);

} // namespace fcw
