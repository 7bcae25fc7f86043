#pragma once

#include "render/view_options.h"

#include <cstdint>

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
};

// Reads the eleven settings in start-up order; a missing entry gives its default. Values are
// used as read: ranges are enforced only by the settings sheet. Also clears
// ViewOptions::depthNormalDisplay, which start-up does between the display and text keys.
void readSettings(const Profile& profile, AppSettings& settings, ViewOptions& view);

// Writes the eleven entries in write-back order. Decimal settings are stored times 10000,
// truncated toward zero. Does not save the profile file; the caller does.
void writeSettings(Profile& profile, const AppSettings& settings, const ViewOptions& view);

// Start-up: the eleven settings and the recent-file list from the profile at
// editor.paths.profilePath. Without a readable profile everything keeps its default.
void readStartupProfile(Editor& editor);

} // namespace fcw
