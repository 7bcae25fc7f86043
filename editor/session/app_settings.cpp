#include "editor/session/app_settings.h"

#include "editor/commands/palette_commands.h"
#include "editor/editor.h"
#include "editor/session/profile.h"
#include "editor/session/recent_files.h"
#include "model/numeric.h"

#include <cmath>

namespace fcw {

namespace {

constexpr char kShape[] = "図形";
constexpr char kDisplay[] = "表示";
constexpr char kOperation[] = "操作";
constexpr char kTextFile[] = "テキストファイル";
constexpr char kLanguageSection[] = "Language";
constexpr char kLanguageKey[] = "interface";

// Decimal settings are stored as unsigned integers in units of 0.0001.
double readDecimal(const Profile& p, const char* section, const char* key, std::uint32_t def) {
    return static_cast<double>(p.getInt(section, key, def)) * 0.0001;
}

std::int32_t readInt(const Profile& p, const char* section, const char* key, std::int32_t def) {
    return static_cast<std::int32_t>(p.getInt(section, key, static_cast<std::uint32_t>(def)));
}

std::int8_t readByte(const Profile& p, const char* section, const char* key, std::int32_t def) {
    return static_cast<std::int8_t>(readInt(p, section, key, def));
}

} // namespace

void readSettings(const Profile& profile, AppSettings& settings, ViewOptions& view) {
    // The meridian count is kept under "緯線" and the latitude count under "経線"; reading and
    // writing use the same pairing, so values survive a restart.
    settings.sphereLongitudeLines = readByte(profile, kShape, "緯線", 10);
    settings.sphereLatitudeLines = readByte(profile, kShape, "経線", 10);
    view.brightness = readDecimal(profile, kDisplay, "明るさ", 8000);
    settings.angleStep = readByte(profile, kOperation, "角度", 45);
    view.statusVisible = readInt(profile, kDisplay, "ステータス表示", 1);
    view.statusFixed = readInt(profile, kDisplay, "ステータス固定", 1);
    view.emphasisMode = readInt(profile, kDisplay, "強調", 2);
    view.depthNormalDisplay = 0;
    settings.importScale = readDecimal(profile, kTextFile, "in", 10000);
    settings.exportScale = readDecimal(profile, kTextFile, "out", 10000);
    settings.defaultTextFormat = readInt(profile, kTextFile, "kind", 0);
    settings.exportColour = readInt(profile, kTextFile, "color", 1);
}

std::int32_t settingUnits(double value) {
    // The reader takes the stored number's 32 bits as unsigned, so the units are written as
    // those same 32 bits (wrapping, not saturating): every value a profile can hold, up to
    // 429496.7295, reads back unchanged after a write-back.
    auto wrapped = [](std::int64_t units) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(units));
    };
    const double nanos = std::round(value * 1e9); // the value to nine decimals
    if (nanos > -9.0e18 && nanos < 9.0e18) {
        return wrapped(static_cast<std::int64_t>(nanos) / 100000); // division truncates
    }
    // Past some 9e9 the binary error is far below a unit; NaN ends in truncToInt32.
    const double units = std::trunc(value * 10000.0);
    if (!(units > -9.0e18 && units < 9.0e18)) {
        return truncToInt32(units);
    }
    return wrapped(static_cast<std::int64_t>(units));
}

void writeSettings(Profile& profile, const AppSettings& settings, const ViewOptions& view) {
    const auto scaled = settingUnits;
    profile.setInt(kShape, "緯線", settings.sphereLongitudeLines);
    profile.setInt(kShape, "経線", settings.sphereLatitudeLines);
    profile.setInt(kDisplay, "明るさ", scaled(view.brightness));
    profile.setInt(kDisplay, "ステータス表示", view.statusVisible);
    profile.setInt(kDisplay, "ステータス固定", view.statusFixed);
    profile.setInt(kDisplay, "強調", view.emphasisMode);
    profile.setInt(kOperation, "角度", settings.angleStep);
    profile.setInt(kTextFile, "in", scaled(settings.importScale));
    profile.setInt(kTextFile, "out", scaled(settings.exportScale));
    profile.setInt(kTextFile, "kind", settings.defaultTextFormat);
    profile.setInt(kTextFile, "color", settings.exportColour);
}

InterfaceLanguage readLanguageChoice(const Profile& profile) {
    const auto name = profile.getString(kLanguageSection, kLanguageKey);
    return parseLanguageName(name.value_or("ja")).value_or(InterfaceLanguage::Japanese);
}

void writeLanguageChoice(Profile& profile, InterfaceLanguage language) {
    if (language == InterfaceLanguage::Japanese &&
        !profile.getString(kLanguageSection, kLanguageKey)) {
        return;
    }
    profile.setString(kLanguageSection, kLanguageKey, languageName(language));
}

InterfaceLanguage startupLanguage(std::optional<InterfaceLanguage> commandLine,
                                  const std::string& profilePath) {
    if (commandLine) {
        return *commandLine;
    }
    Profile profile;
    if (profilePath.empty() || !profile.load(profilePath)) {
        return InterfaceLanguage::Japanese;
    }
    return readLanguageChoice(profile);
}

void readStartupProfile(Editor& editor) {
    readKeptPalette(editor);
    Profile profile;
    if (editor.services.paths.profilePath.empty() ||
        !profile.load(editor.services.paths.profilePath)) {
        return;
    }
    readSettings(profile, editor.services.settings, editor.session.view);
    editor.services.settings.interfaceLanguage = readLanguageChoice(profile);
    editor.services.recentFiles = readRecentFiles(profile);
}

} // namespace fcw
