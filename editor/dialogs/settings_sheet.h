#pragma once

#include "editor/host.h"
#include "model/translatable.h"

#include <array>
#include <optional>
#include <span>
#include <string>

namespace fcw {

class Editor;

// What the settings sheet's pages hold between the user's edits and the write-back.
struct SettingsSheetValues {
    // サーチ: per click 0 no snap, 1 vertex, 2 grid; grid 0 none, 1..4 = spacing 5, 10, 20, 40.
    int firstPointMode = 0;
    int secondPointMode = 0;
    int thirdPointMode = 0;
    int gridIndex = 0;
    // 図形
    int longitudeLines = 10;
    int latitudeLines = 10;
    // 表示と操作: arrows 0 = depth and rotation, 1 = rotation only.
    int arrowIndex = 1;
    double rotationStep = 45;
    double brightness = 0.8;
    int statusFixed = 1;
    int statusShown = 1;
    int depthDisplay = 0;
    int emphasis = 2;
    // テキストファイル: output kind 0 DXF, 1 text type 1, 2 text type 2.
    int colourOutput = 1;
    double inputScale = 1;
    double outputScale = 1;
    int outputKind = 0;
    // 言語 / Language: 0 Japanese, 1 English; the profile's choice for the next start.
    int language = 0;
};

// The page values for the editor's current settings. A click with both snap flags shows grid;
// several spacing flags show the largest.
SettingsSheetValues settingsSheetValues(const Editor& editor);

// Puts page values into the editor's state (the rotation step truncated to whole degrees;
// checking "表示位置固定" puts the status box back in its home corner).
void applySettingsSheetValues(Editor& editor, const SettingsSheetValues& values);

// One control of a settings page, in the order the page takes its values in.
struct SheetControl {
    enum class Kind { Radio, Check, IntEdit, RealEdit };
    int page;
    int id;
    Kind kind;
    const char* label;                      // the button's text, or the label before an edit
    const char* group;                      // the group box around it, "" for none
    const char* hint;                       // text after an edit: its range
    const char* unit;                       // text after the hint
    int SettingsSheetValues::*intField;     // Radio (the group's index), Check, IntEdit
    double SettingsSheetValues::*realField; // RealEdit
    double minimum;                         // IntEdit, RealEdit
    double maximum;
};

inline constexpr int kSettingsPageCount = 4;
// The language choice on the 表示と操作 page: its group box and its two radio buttons.
inline constexpr char kLanguageGroup[] = "言語 / Language";
inline constexpr int kLanguageJapanese = 1130;
inline constexpr int kLanguageEnglish = 1131;
inline constexpr char kSettingsCaption[] = FCW_TR_NOOP("Settings", "設定ダイアログ");
std::span<const SheetControl> settingsSheetControls();
// Resource id and title of page 0..3.
int settingsPageResource(int page);
const char* settingsPageTitle(int page);

class SettingsSheet;

// One page: its controls' texts, taken from and given back to the sheet's values.
class SettingsPage : public Dialog {
  public:
    SettingsPage(int page, SettingsSheetValues& values);

    // Shows the values in the controls.
    void load();
    // Takes the controls' values in, control by control in page order. The first one refused
    // stops the exchange with its message; values taken before it are kept, the refused one
    // never is. A radio group with no button checked keeps its value.
    std::optional<std::string> store();
    bool hasControl(int control) const override;
    std::vector<int> radioGroup(int control) const override;

  private:
    int page_;
    SettingsSheetValues& values_;
};

// "設定ダイアログ": the four pages サーチ, 図形, 表示と操作 and テキストファイル, OK and Cancel.
class SettingsSheet : public PropertySheet {
  public:
    explicit SettingsSheet(const SettingsSheetValues& initial);

    std::string caption() const override;
    int pageCount() const override { return kSettingsPageCount; }
    Dialog& page(int index) override;
    std::string pageTitle(int index) const override;
    int activePage() const override { return active_; }
    std::optional<std::string> setActivePage(int index) override;
    std::optional<std::string> acceptActivePage() override;

    const SettingsSheetValues& values() const { return values_; }
    // The pages word their refusals in the host's language too.
    void setTextHost(const Host* host) override;

  private:
    SettingsSheetValues values_;
    std::array<SettingsPage, kSettingsPageCount> pages_;
    int active_ = 0;
};

// Commands 32798 and 32819: runs the sheet, then, after OK and Cancel alike, puts the values
// its pages hold into the editor, writes the persisted ones to the profile and repaints.
void runSettingsSheet(Editor& editor);

} // namespace fcw
