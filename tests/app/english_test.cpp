// The English interface as `--lang en` starts it: the English catalogue installed in the
// application, the window's menus and prompts, the batch player's `lang en`, and every dialog
// and the settings sheet at the size it opens with, where no text may be wider than its widget.

#include "app/form_dialog.h"
#include "app/main_window.h"
#include "app/qt_settings_sheet.h"
#include "app/text_fit.h"
#include "app/translations.h"
#include "editor/batch/batch_player.h"
#include "editor/commands/commands.h"
#include "editor/commands/menus.h"
#include "editor/dialogs/settings_sheet.h"
#include "editor/dialogs/transform_dialogs.h"
#include "editor/view/keyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sstream>

namespace fcw {
namespace {

using namespace command_id;

struct EnglishWindow {
    QtHost host{InterfaceLanguage::English};
    Editor editor{host};
    MainWindow window{editor, host};
    EnglishWindow() { host.attach(&window, window.view()); }
};

// Kana, kanji, Japanese punctuation and the full- and half-width forms: what an English text
// must not hold.
bool hasJapanese(const std::string& utf8) {
    for (const QChar c : QString::fromStdString(utf8)) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) ||
            (u >= 0xFF00 && u <= 0xFFEF)) {
            return true;
        }
    }
    return false;
}

// Checks that `source`'s English text exists and is English.
void expectEnglish(const std::string& source, const std::string& english, const std::string& at) {
    if (!hasJapanese(source)) {
        return; // "DXF", "3 to 32": the same in both interfaces
    }
    EXPECT_FALSE(english.empty()) << at << ": " << source;
    EXPECT_FALSE(hasJapanese(english)) << at << ": " << source << " -> " << english;
}

void expectSubmenusEnglish(const Host& host, const MenuItem& menu) {
    for (const MenuItem& item : menu.items) {
        if (item.kind == MenuItem::Kind::Submenu) {
            const std::string title(item.text);
            expectEnglish(title, host.translate(text_context::kMenu, title), "menu");
            expectSubmenusEnglish(host, item);
        }
    }
}

TEST(EnglishWindow, FileIsTheFirstMenuAndUndoKeepsCtrlZ) {
    EnglishWindow w;
    const QList<QAction*> top = w.window.menuBar()->actions();
    ASSERT_FALSE(top.isEmpty());
    EXPECT_EQ(top[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(top.back()->text(), QStringLiteral("&Help"));
    QMenu* edit = top[1]->menu();
    emit edit->aboutToShow();
    QAction* undo = edit->actions()[0];
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo"));
    EXPECT_EQ(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(undo->statusTip(), QStringLiteral("Undo the last action"));
    EXPECT_EQ(w.window.statusBar()->currentMessage(), QStringLiteral("Ready"));
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Untitled[*] - FacetCraftwerk"));
}

TEST(EnglishCatalogue, EveryCommandMenuAndSettingsTextHasAnEnglishOne) {
    std::ostringstream sink;
    HeadlessHost host(sink);
    const std::optional<Translator> english = loadCatalogue(InterfaceLanguage::English);
    ASSERT_TRUE(english);
    host.setLanguage(InterfaceLanguage::English, *english);
    Editor editor(host);
    for (const Command& c : commandTable()) {
        const std::string at = "command " + std::to_string(c.id);
        expectEnglish(std::string(c.menuText), menuTextOf(editor, c), at + " menu text");
        expectEnglish(std::string(c.prompt), promptOf(editor, c), at + " prompt");
        expectEnglish(std::string(c.tip), tipOf(editor, c), at + " tip");
    }
    for (const MenuItem& top : mainMenu()) {
        expectEnglish(std::string(top.text), host.translate(text_context::kMenu, top.text), "menu");
        expectSubmenusEnglish(host, top);
    }
    expectSubmenusEnglish(host, trianglePopup());
    expectSubmenusEnglish(host, selectionPopup());
    for (const SheetControl& c : settingsSheetControls()) {
        if (c.id == kLanguageJapanese || c.id == kLanguageEnglish) {
            continue; // each language named in its own words
        }
        for (const char* text : {c.label, c.group, c.hint, c.unit}) {
            expectEnglish(text, host.translate(text_context::kSettings, text), "settings");
        }
    }
    SettingsSheet sheet(settingsSheetValues(editor));
    sheet.setTextHost(&host);
    EXPECT_EQ(sheet.caption(), "Settings");
    EXPECT_EQ(sheet.pageTitle(3), "Text Files");
}

TEST(EnglishBatch, LangEnPrintsMessagesInEnglishAndLeavesTheDumpAsItWas) {
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    player.setCatalogueLoader(loadCatalogue);
    const std::string missing = "/nonexistent-fcw-folder/a.fcw";
    auto said = [&](const std::string& line) {
        out.str("");
        EXPECT_FALSE(player.runLine(line)) << line;
        return out.str();
    };
    EXPECT_EQ(said("open " + missing),
              "message " + missing +
                  "\\nこのﾌｧｲﾙが見つかりません。\\nﾊﾟｽとﾌｧｲﾙ名が正しいかどうか確認してださい。\n");
    const std::string dump = said("dump");
    EXPECT_EQ(said("lang en"), "");
    EXPECT_EQ(said("open " + missing),
              "message " + missing +
                  "\\nFile not found.\\nCheck that the path and file name are "
                  "correct.\n");
    EXPECT_EQ(said("dump"), dump);
    // A dialog's refusal, worded by the dialog itself.
    EXPECT_EQ(said("answer ok page=1 1008=3"), "");
    EXPECT_EQ(said("command 32798"),
              "sheet Settings\nmessage Please enter a whole number from 4 to 32.\n");
    EXPECT_EQ(said("lang ja"), "");
    EXPECT_NE(said("open " + missing).find("このﾌｧｲﾙ"), std::string::npos);
    EXPECT_TRUE(player.runLine("lang fr"));

    BatchPlayer withoutCatalogue(out, err);
    EXPECT_TRUE(withoutCatalogue.runLine("lang en"));
}

TEST(EnglishWidths, EveryDialogShowsItsTextsWhole) {
    EnglishWindow w;
    NumberInputDialog numbers(
        true,
        w.host.translate(text_context::kDialog,
                         "選択された点の重心が\r\n指定位置に来るように移動する"),
        w.host.translate(text_context::kDialog, "“+”が奥，“-”が手前"));
    RotateDialog rotate;
    ScaleDialog scale;
    Dialog numeric(kNumericInputDialog);
    for (Dialog* d : std::initializer_list<Dialog*>{&numbers, &rotate, &scale, &numeric}) {
        const std::string what = "dialog " + std::to_string(d->resourceId());
        testing::whenModalThenClose(
            [&](QWidget* dialog) { testing::expectTextsFit(dialog, what); });
        runFormDialog(&w.window, *d);
    }
}

TEST(EnglishWidths, EverySettingsPageShowsItsTextsWhole) {
    EnglishWindow w;
    SettingsSheet sheet(settingsSheetValues(w.editor));
    sheet.setTextHost(&w.host);
    testing::whenModalThenClose([&](QWidget* dialog) {
        auto* tabs = dialog->findChild<QTabWidget*>();
        ASSERT_NE(tabs, nullptr);
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QApplication::processEvents();
            testing::expectTextsFit(dialog, "settings page " + std::to_string(i));
        }
    });
    execSettingsSheet(&w.window, sheet);
}

} // namespace
} // namespace fcw

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (!fcw::installInterfaceTranslations(app, fcw::InterfaceLanguage::English)) {
        return 1; // no catalogue: nothing here could pass
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
