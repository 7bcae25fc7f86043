#include "editor/dialogs/settings_sheet.h"

#include "editor/commands/file_messages.h"
#include "editor/dialogs/dialog_number.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/session/app_settings.h"
#include "editor/session/profile.h"
#include "editor/view/frame_step.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string_view>

namespace fcw {

namespace {

using V = SettingsSheetValues;
using K = SheetControl::Kind;

constexpr SheetControl radio(int page, int id, const char* label, const char* group,
                             int V::*field) {
    return {page, id, K::Radio, label, group, "", "", field, nullptr, 0, 0};
}
constexpr SheetControl check(int page, int id, const char* label, const char* group,
                             int V::*field) {
    return {page, id, K::Check, label, group, "", "", field, nullptr, 0, 0};
}
constexpr SheetControl intEdit(int page, int id, const char* label, const char* group,
                               const char* hint, int V::*field, int low, int high) {
    return {page, id,    K::IntEdit, label,       group,       hint,
            "",   field, nullptr,    double(low), double(high)};
}
constexpr SheetControl realEdit(int page, int id, const char* label, const char* group,
                                const char* hint, const char* unit, double V::*field, double low,
                                double high) {
    return {page, id, K::RealEdit, label, group, hint, unit, nullptr, field, low, high};
}

constexpr SheetControl kControls[] = {
    // サーチ
    radio(0, 1044, FCW_TR_NOOP("Settings", "キャンセル"), FCW_TR_NOOP("Settings", "第一点"),
          &V::firstPointMode),
    radio(0, 1045, FCW_TR_NOOP("Settings", "頂点"), FCW_TR_NOOP("Settings", "第一点"),
          &V::firstPointMode),
    radio(0, 1046, FCW_TR_NOOP("Settings", "グリッド"), FCW_TR_NOOP("Settings", "第一点"),
          &V::firstPointMode),
    radio(0, 1047, FCW_TR_NOOP("Settings", "キャンセル"), FCW_TR_NOOP("Settings", "第二点"),
          &V::secondPointMode),
    radio(0, 1048, FCW_TR_NOOP("Settings", "頂点"), FCW_TR_NOOP("Settings", "第二点"),
          &V::secondPointMode),
    radio(0, 1049, FCW_TR_NOOP("Settings", "グリッド"), FCW_TR_NOOP("Settings", "第二点"),
          &V::secondPointMode),
    radio(0, 1052, FCW_TR_NOOP("Settings", "キャンセル"), FCW_TR_NOOP("Settings", "第三点"),
          &V::thirdPointMode),
    radio(0, 1053, FCW_TR_NOOP("Settings", "頂点"), FCW_TR_NOOP("Settings", "第三点"),
          &V::thirdPointMode),
    radio(0, 1054, FCW_TR_NOOP("Settings", "グリッド"), FCW_TR_NOOP("Settings", "第三点"),
          &V::thirdPointMode),
    radio(0, 1039, FCW_TR_NOOP("Settings", "無し"), FCW_TR_NOOP("Settings", "グリッド間隔"),
          &V::gridIndex),
    radio(0, 1040, FCW_TR_NOOP("Settings", "５"), FCW_TR_NOOP("Settings", "グリッド間隔"),
          &V::gridIndex),
    radio(0, 1036, "10", FCW_TR_NOOP("Settings", "グリッド間隔"), &V::gridIndex),
    radio(0, 1037, FCW_TR_NOOP("Settings", "２０"), FCW_TR_NOOP("Settings", "グリッド間隔"),
          &V::gridIndex),
    radio(0, 1038, FCW_TR_NOOP("Settings", "４０"), FCW_TR_NOOP("Settings", "グリッド間隔"),
          &V::gridIndex),
    // 図形
    intEdit(1, 1063, FCW_TR_NOOP("Settings", "経線の数"), FCW_TR_NOOP("Settings", "球の分割数"),
            "3 to 32", &V::longitudeLines, 3, 32),
    intEdit(1, 1008, FCW_TR_NOOP("Settings", "緯線の数"), FCW_TR_NOOP("Settings", "球の分割数"),
            "4 to 32", &V::latitudeLines, 4, 32),
    // 表示と操作
    radio(2, 1022, FCW_TR_NOOP("Settings", "回転と奥行き"),
          FCW_TR_NOOP("Settings", "矢印キーの設定"), &V::arrowIndex),
    radio(2, 1021, FCW_TR_NOOP("Settings", "回転"), FCW_TR_NOOP("Settings", "矢印キーの設定"),
          &V::arrowIndex),
    realEdit(2, 1050, "", FCW_TR_NOOP("Settings", "角度の変化"), "0 to 90",
             FCW_TR_NOOP("Settings", "度"), &V::rotationStep, 0, 90),
    realEdit(2, 1008, "", FCW_TR_NOOP("Settings", "明るさの変化"), " 0 to 1", "", &V::brightness, 0,
             1),
    check(2, 1111, FCW_TR_NOOP("Settings", "表示位置固定"),
          FCW_TR_NOOP("Settings", "ステータスウィンド"), &V::statusFixed),
    check(2, 1110, FCW_TR_NOOP("Settings", "表示"), FCW_TR_NOOP("Settings", "ステータスウィンド"),
          &V::statusShown),
    check(2, 1112, FCW_TR_NOOP("Settings", "奥行き正規表示"),
          FCW_TR_NOOP("Settings", "ポリゴンの奥行き表示"), &V::depthDisplay),
    radio(2, 1116, FCW_TR_NOOP("Settings", "強調しない"), FCW_TR_NOOP("Settings", "頂点の強調表示"),
          &V::emphasis),
    radio(2, 1117, FCW_TR_NOOP("Settings", "奥行きと等しいとき"),
          FCW_TR_NOOP("Settings", "頂点の強調表示"), &V::emphasis),
    radio(2, 1118, FCW_TR_NOOP("Settings", "表向きの三角形の点"),
          FCW_TR_NOOP("Settings", "頂点の強調表示"), &V::emphasis),
    radio(2, 1037, FCW_TR_NOOP("Settings", "すべての点"), FCW_TR_NOOP("Settings", "頂点の強調表示"),
          &V::emphasis),
    // テキストファイル
    check(3, 1113, FCW_TR_NOOP("Settings", "色の出力"), "", &V::colourOutput),
    realEdit(3, 1008, FCW_TR_NOOP("Settings", "入力"), FCW_TR_NOOP("Settings", "倍率"), "", "",
             &V::inputScale, 0.0001, 10000),
    realEdit(3, 1063, FCW_TR_NOOP("Settings", "出力"), FCW_TR_NOOP("Settings", "倍率"), "", "",
             &V::outputScale, 0.0001, 10000),
    radio(3, 1114, "DXF", FCW_TR_NOOP("Settings", "初期出力"), &V::outputKind),
    radio(3, 1115, "T.P.x", FCW_TR_NOOP("Settings", "初期出力"), &V::outputKind),
    radio(3, 1036, "T_P", FCW_TR_NOOP("Settings", "初期出力"), &V::outputKind),
    // The interface language, read at the next start. Its texts name each language in its
    // own words, the same in every interface, so they are not in the catalogue.
    radio(2, kLanguageJapanese, "日本語", kLanguageGroup, &V::language),
    radio(2, kLanguageEnglish, "English", kLanguageGroup, &V::language),
};

constexpr int kPageResources[kSettingsPageCount] = {315, 106, 316, 317};
constexpr const char* kPageTitles[kSettingsPageCount] = {
    FCW_TR_NOOP("Settings", "サーチ"), FCW_TR_NOOP("Settings", "図形"),
    FCW_TR_NOOP("Settings", "表示と操作"), FCW_TR_NOOP("Settings", "テキストファイル")};

std::string formatReal(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return buffer;
}

std::optional<std::string> takeInt(const Worded& page, const SheetControl& c,
                                   const std::string& text, V& values) {
    const auto v = parseDialogInteger(text);
    if (!v) {
        return page.text(text_context::kMessage, kNotANumberMessage);
    }
    if (*v < c.minimum || *v > c.maximum) {
        return integerRangeMessage(static_cast<long long>(c.minimum),
                                   static_cast<long long>(c.maximum),
                                   page.text(text_context::kMessage, kIntegerRangeMessage));
    }
    values.*c.intField = static_cast<int>(*v);
    return std::nullopt;
}

std::optional<std::string> takeReal(const Worded& page, const SheetControl& c,
                                    const std::string& text, V& values) {
    const auto v = parseDialogNumber(text);
    if (!v) {
        return page.text(text_context::kMessage, kNotANumberMessage);
    }
    if (!(*v >= c.minimum && *v <= c.maximum)) {
        return numberRangeMessage(c.minimum, c.maximum,
                                  page.text(text_context::kMessage, kNumberRangeMessage));
    }
    values.*c.realField = *v;
    return std::nullopt;
}

// The position of a radio button within its group.
int radioIndex(const SheetControl& c) {
    int index = 0;
    for (const SheetControl& other : kControls) {
        if (&other == &c) {
            break;
        }
        if (other.page == c.page && other.kind == K::Radio && other.intField == c.intField) {
            ++index;
        }
    }
    return index;
}

bool firstOfGroup(const SheetControl& c) {
    return radioIndex(c) == 0;
}

} // namespace

std::span<const SheetControl> settingsSheetControls() {
    return kControls;
}

int settingsPageResource(int page) {
    return page >= 0 && page < kSettingsPageCount ? kPageResources[page] : 0;
}

const char* settingsPageTitle(int page) {
    return page >= 0 && page < kSettingsPageCount ? kPageTitles[page] : "";
}

SettingsSheetValues settingsSheetValues(const Editor& e) {
    V v;
    int* modes[3] = {&v.firstPointMode, &v.secondPointMode, &v.thirdPointMode};
    for (int p = 1; p <= 3; ++p) {
        int mode = 0;
        if (e.session.snap.vertexSnap[static_cast<std::size_t>(p)]) {
            mode = 1;
        }
        if (e.session.snap.gridSnap[static_cast<std::size_t>(p)]) {
            mode = 2;
        }
        *modes[p - 1] = mode;
    }
    constexpr GridSpacing kSpacings[] = {GridSpacing::None, GridSpacing::Five, GridSpacing::Ten,
                                         GridSpacing::Twenty, GridSpacing::Forty};
    v.gridIndex = static_cast<int>(
        std::find(std::begin(kSpacings), std::end(kSpacings), e.session.view.grid) -
        std::begin(kSpacings));
    v.arrowIndex = e.session.interaction.arrowDepthMode ? 0 : 1;
    v.rotationStep = e.services.settings.angleStep;
    v.brightness = e.session.view.brightness;
    v.statusFixed = e.session.view.statusFixed != 0 ? 1 : 0;
    v.statusShown = e.session.view.statusVisible != 0 ? 1 : 0;
    v.depthDisplay = e.session.view.depthNormalDisplay != 0 ? 1 : 0;
    v.emphasis = e.session.view.emphasisMode;
    v.longitudeLines = e.services.settings.sphereLongitudeLines;
    v.latitudeLines = e.services.settings.sphereLatitudeLines;
    v.colourOutput = e.services.settings.exportColour != 0 ? 1 : 0;
    v.inputScale = e.services.settings.importScale;
    v.outputScale = e.services.settings.exportScale;
    v.outputKind = e.services.settings.defaultTextFormat;
    v.language = e.services.settings.interfaceLanguage == InterfaceLanguage::English ? 1 : 0;
    return v;
}

void applySettingsSheetValues(Editor& e, const SettingsSheetValues& v) {
    e.services.settings.angleStep = static_cast<std::int8_t>(std::trunc(v.rotationStep));
    ViewOptions& view = e.session.view;
    constexpr GridSpacing kChoices[] = {GridSpacing::None, GridSpacing::Five, GridSpacing::Ten,
                                        GridSpacing::Twenty, GridSpacing::Forty};
    view.grid = v.gridIndex >= 1 && v.gridIndex <= 4 ? kChoices[v.gridIndex] : GridSpacing::None;
    if (v.arrowIndex == 0 || v.arrowIndex == 1) {
        e.session.interaction.arrowDepthMode = v.arrowIndex == 0;
    }
    const int modes[3] = {v.firstPointMode, v.secondPointMode, v.thirdPointMode};
    for (std::size_t p = 1; p <= 3; ++p) {
        const int mode = modes[p - 1];
        if (mode >= 0 && mode <= 2) {
            e.session.snap.vertexSnap[p] = mode == 1;
            e.session.snap.gridSnap[p] = mode == 2;
        }
    }
    view.statusFixed = v.statusFixed != 0 ? 1 : 0;
    if (view.statusFixed != 0) {
        e.session.interaction.statusCorner = StatusCorner::TopLeft;
    }
    view.statusVisible = v.statusShown != 0 ? 1 : 0;
    view.depthNormalDisplay = v.depthDisplay != 0 ? 1 : 0;
    view.brightness = v.brightness;
    e.services.settings.sphereLatitudeLines = static_cast<std::int8_t>(v.latitudeLines);
    e.services.settings.sphereLongitudeLines = static_cast<std::int8_t>(v.longitudeLines);
    view.emphasisMode = v.emphasis;
    e.services.settings.importScale = v.inputScale;
    e.services.settings.exportScale = v.outputScale;
    e.services.settings.defaultTextFormat = v.outputKind;
    e.services.settings.exportColour = v.colourOutput;
    if (v.language == 0 || v.language == 1) {
        e.services.settings.interfaceLanguage =
            v.language == 1 ? InterfaceLanguage::English : InterfaceLanguage::Japanese;
    }
}

// ---- pages ----

SettingsPage::SettingsPage(int page, SettingsSheetValues& values)
    : Dialog(settingsPageResource(page)), page_(page), values_(values) {
    load();
}

bool SettingsPage::hasControl(int control) const {
    for (const SheetControl& c : kControls) {
        if (c.page == page_ && c.id == control) {
            return true;
        }
    }
    return false;
}

std::vector<int> SettingsPage::radioGroup(int control) const {
    const SheetControl* own = nullptr;
    for (const SheetControl& c : kControls) {
        if (c.page == page_ && c.id == control && c.kind == SheetControl::Kind::Radio) {
            own = &c;
        }
    }
    std::vector<int> group;
    if (own == nullptr) {
        return group;
    }
    for (const SheetControl& c : kControls) {
        if (c.page == page_ && c.kind == SheetControl::Kind::Radio &&
            std::string_view(c.group) == own->group) {
            group.push_back(c.id);
        }
    }
    return group;
}

void SettingsPage::load() {
    for (const SheetControl& c : kControls) {
        if (c.page != page_) {
            continue;
        }
        switch (c.kind) {
        case K::Radio:
            setValue(c.id, values_.*c.intField == radioIndex(c) ? "1" : "0");
            break;
        case K::Check:
            setValue(c.id, values_.*c.intField != 0 ? "1" : "0");
            break;
        case K::IntEdit:
            setValue(c.id, std::to_string(values_.*c.intField));
            break;
        case K::RealEdit:
            setValue(c.id, formatReal(values_.*c.realField));
            break;
        }
    }
}

std::optional<std::string> SettingsPage::store() {
    for (const SheetControl& c : kControls) {
        if (c.page != page_) {
            continue;
        }
        switch (c.kind) {
        case K::Radio:
            if (firstOfGroup(c)) {
                // The first checked button of the group gives its index.
                for (const SheetControl& member : kControls) {
                    if (member.page == page_ && member.kind == K::Radio &&
                        member.intField == c.intField && value(member.id) == "1") {
                        values_.*c.intField = radioIndex(member);
                        break;
                    }
                }
            }
            break;
        case K::Check:
            values_.*c.intField = value(c.id) == "1" ? 1 : 0;
            break;
        case K::IntEdit:
            if (auto refused = takeInt(*this, c, value(c.id), values_)) {
                return refused;
            }
            break;
        case K::RealEdit:
            if (auto refused = takeReal(*this, c, value(c.id), values_)) {
                return refused;
            }
            break;
        }
    }
    return std::nullopt;
}

// ---- the sheet ----

SettingsSheet::SettingsSheet(const SettingsSheetValues& initial)
    : values_(initial), pages_{SettingsPage(0, values_), SettingsPage(1, values_),
                               SettingsPage(2, values_), SettingsPage(3, values_)} {}

std::string SettingsSheet::caption() const {
    return text(text_context::kSettings, kSettingsCaption);
}

std::string SettingsSheet::pageTitle(int index) const {
    return text(text_context::kSettings, settingsPageTitle(index));
}

void SettingsSheet::setTextHost(const Host* host) {
    PropertySheet::setTextHost(host);
    for (SettingsPage& page : pages_) {
        page.setTextHost(host);
    }
}

Dialog& SettingsSheet::page(int index) {
    return pages_[static_cast<std::size_t>(index)];
}

std::optional<std::string> SettingsSheet::setActivePage(int index) {
    if (index < 0 || index >= kSettingsPageCount || index == active_) {
        return std::nullopt;
    }
    if (auto refused = pages_[static_cast<std::size_t>(active_)].store()) {
        return refused;
    }
    active_ = index;
    pages_[static_cast<std::size_t>(active_)].load();
    return std::nullopt;
}

std::optional<std::string> SettingsSheet::acceptActivePage() {
    return pages_[static_cast<std::size_t>(active_)].store();
}

void runSettingsSheet(Editor& editor) {
    SettingsSheet sheet(settingsSheetValues(editor));
    // OK and Cancel both end in the write-back: a page that was left has already handed its
    // values over, and those stay.
    editor.host.runPropertySheet(sheet);
    applySettingsSheetValues(editor, sheet.values());

    const std::string& path = editor.services.paths.profilePath;
    if (!path.empty()) {
        Profile profile;
        // An unreadable profile is reported rather than overwritten: it holds entries (the
        // recent files) that this write would lose.
        if (const FileResult read = profile.load(path); !read) {
            reportFileError(editor, read, path, FileAccess::Reading);
        } else {
            writeSettings(profile, editor.services.settings, editor.session.view);
            writeLanguageChoice(profile, editor.services.settings.interfaceLanguage);
            if (const FileResult written = profile.save(path, editor.services.writeFaults);
                !written) {
                reportFileError(editor, written, path, FileAccess::Writing);
            }
        }
    }
    settleDepthDisplay(editor);
    editor.repaint();
}

} // namespace fcw
