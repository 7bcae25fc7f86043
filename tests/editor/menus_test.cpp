#include "editor/commands/commands.h"
#include "editor/commands/menus.h"
#include "editor/session/default_paths.h"
#include "editor/session/recent_files.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

namespace fcw {
namespace {

using namespace command_id;

std::vector<int> menuAndToolbarIds() {
    std::vector<int> ids;
    for (const MenuItem& top : mainMenu()) {
        const auto inner = commandIdsOf(top);
        ids.insert(ids.end(), inner.begin(), inner.end());
    }
    for (const MenuItem* popup : {&trianglePopup(), &selectionPopup()}) {
        const auto inner = commandIdsOf(*popup);
        ids.insert(ids.end(), inner.begin(), inner.end());
    }
    for (int id : toolbarButtons()) {
        if (id != 0) {
            ids.push_back(id);
        }
    }
    return ids;
}

TEST(Menus, EveryItemReachesAHandler) {
    const std::vector<int> ids = menuAndToolbarIds();
    EXPECT_GT(ids.size(), 150u);
    for (int id : ids) {
        const Command* c = findCommand(id);
        ASSERT_NE(c, nullptr) << id;
        EXPECT_NE(c->handler, nullptr) << id;
    }
    EXPECT_EQ(toolbarButtons().size(), 42u);
}

TEST(Menus, EveryCommandIsReachableFromAMenuTheToolbarOrAKey) {
    const std::vector<int> ids = menuAndToolbarIds();
    const std::set<int> reachable(ids.begin(), ids.end());
    for (const Command& c : commandTable()) {
        const bool byKey = acceleratorFor(c.id) != nullptr;
        if (c.id == kPrintSetup) {
            EXPECT_FALSE(reachable.count(c.id) != 0 || byKey); // scripts only
            continue;
        }
        EXPECT_TRUE(reachable.count(c.id) != 0 || byKey) << c.id;
    }
    // Print has no menu item: Ctrl+P is its only way in.
    EXPECT_EQ(reachable.count(kPrint), 0u);
    ASSERT_NE(acceleratorFor(kPrint), nullptr);
}

TEST(Menus, RecentFileItemStandsForAllFourEntries) {
    const std::vector<int> file = commandIdsOf(mainMenu()[0]);
    const std::vector<int> expected = {
        kFileNew,     kFileOpen,      kFileSave,      kFileSaveAs,    kExportText,
        kImportText,  kImportForeign, kExportForeign, kExportPicture, kExportTurntable,
        kRecentFile1, kRecentFile2,   kRecentFile3,   kRecentFile4,   kExit};
    EXPECT_EQ(file, expected);
}

TEST(CommandTable, WindowCommandsCarryTheirTextsAndPrompts) {
    struct Expected {
        int id;
        const char* menuText;
        const char* prompt;
    };
    const Expected rows[] = {
        {kExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示"},
        {kToolbar, "ﾂｰﾙ ﾊﾞｰ(&T)", "ﾂｰﾙ ﾊﾞｰの表示/非表示"},
        {kPrintSetup, "", "ﾌﾟﾘﾝﾀおよびﾌﾟﾘﾝﾀ ｵﾌﾟｼｮﾝの変更"},
        {kPrint, "", "作業中のﾌｧｲﾙを印刷"},
        {kHelp, "ヘルプ", ""},
        {kRecentFile1, "最近使ったﾌｧｲﾙ", "指定のﾌｧｲﾙを開く"},
        {kRecentFile4, "", "指定のﾌｧｲﾙを開く"},
    };
    for (const Expected& e : rows) {
        const Command* c = findCommand(e.id);
        ASSERT_NE(c, nullptr) << e.id;
        EXPECT_EQ(c->menuText, e.menuText) << e.id;
        EXPECT_EQ(c->prompt, e.prompt) << e.id;
    }
}

TEST(CommandTable, RecentFilesShowTheirPathsAndOpenOnlyWhatIsListed) {
    testing::FakeHost host;
    Editor e(host);
    const Command& first = *findCommand(kRecentFile1);
    const Command& second = *findCommand(kRecentFile2);
    EXPECT_EQ(menuTextOf(e, first), "最近使ったﾌｧｲﾙ");
    EXPECT_EQ(dispatchCommand(e, kRecentFile1), DispatchResult::Disabled);
    e.services.recentFiles = {"/nowhere/a.fcw"};
    EXPECT_EQ(menuTextOf(e, first), "&1 /nowhere/a.fcw");
    EXPECT_EQ(menuTextOf(e, second), "");
    EXPECT_EQ(dispatchCommand(e, kRecentFile2), DispatchResult::Disabled);
    EXPECT_EQ(dispatchCommand(e, kRecentFile1), DispatchResult::Done);
    ASSERT_EQ(host.messages.size(), 1u); // the missing file is reported
    EXPECT_EQ(host.messages[0].rfind("/nowhere/a.fcw\n", 0), 0u);
    EXPECT_EQ(menuTextOf(e, *findCommand(kUndo)), "元に戻す(&U)");
}

TEST(CommandTable, WindowCommandsGoThroughTheHost) {
    testing::FakeHost host;
    Editor e(host);
    EXPECT_EQ(dispatchCommand(e, kExit), DispatchResult::Done);
    EXPECT_EQ(host.quits, 1);

    const Command& toolbar = *findCommand(kToolbar);
    ASSERT_NE(toolbar.isChecked, nullptr);
    EXPECT_TRUE(toolbar.isChecked(e));
    dispatchCommand(e, kToolbar);
    EXPECT_FALSE(toolbar.isChecked(e));
    dispatchCommand(e, kToolbar);
    EXPECT_TRUE(host.toolbarVisible);

    dispatchCommand(e, kPrint);
    dispatchCommand(e, kPrintSetup);
    EXPECT_EQ(host.prints, 1);
    EXPECT_EQ(host.pageSetups, 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST(CommandTable, HelpOpensThePageOrSaysWhetherItIsMissingOrNoViewerStarted) {
    char pattern[] = "/tmp/fcw-help-XXXXXX";
    const std::filesystem::path root = ::mkdtemp(pattern);
    const std::string bin = (root / "bin").string() + "/";
    const std::string doc = (root / "share/doc/facetcraftwerk").string() + "/";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(doc);
    testing::FakeHost host;
    Editor e(host);
    e.services.paths.programDirectory = bin;
    dispatchCommand(e, kHelp);
    EXPECT_TRUE(host.helpPages.empty()); // nothing to show: the viewer is not started
    EXPECT_EQ(host.messages,
              std::vector<std::string>{bin + "FacetCraftwerk.html\nこのﾌｧｲﾙが見つかりません。"});

    // Installed: the documentation folder beside bin/.
    host.messages.clear();
    std::ofstream(doc + "FacetCraftwerk.html") << "<html></html>\n";
    dispatchCommand(e, kHelp);
    EXPECT_EQ(host.helpPages, std::vector<std::string>{bin + "../share/doc/facetcraftwerk/" +
                                                       "FacetCraftwerk.html"});
    EXPECT_TRUE(host.messages.empty());
    // The build tree: the page beside the program comes first.
    std::ofstream(bin + "FacetCraftwerk.html") << "<html></html>\n";
    host.helpAvailable = false; // and no viewer starts
    dispatchCommand(e, kHelp);
    EXPECT_EQ(host.helpPages.back(), bin + "FacetCraftwerk.html");
    EXPECT_EQ(host.messages,
              std::vector<std::string>{bin + "FacetCraftwerk.html\n" +
                                       "このﾌｧｲﾙを表示するﾌﾟﾛｸﾞﾗﾑを起動できませんでした。"});
    EXPECT_EQ(commandForKey("F1", {}), kHelp);

    // The English interface takes the English page where there is one, else the Japanese one.
    EXPECT_EQ(helpPagePath(bin, InterfaceLanguage::English), bin + "FacetCraftwerk.html");
    std::ofstream(doc + "FacetCraftwerk_en.html") << "<html></html>\n";
    EXPECT_EQ(helpPagePath(bin, InterfaceLanguage::English),
              bin + "../share/doc/facetcraftwerk/FacetCraftwerk_en.html");
    EXPECT_EQ(helpPagePath(bin, InterfaceLanguage::Japanese), bin + "FacetCraftwerk.html");
    std::filesystem::remove_all(root);
}

TEST(Accelerators, RedoHasTwoKeysAndIsGreyedUntilAnUndo) {
    EXPECT_EQ(commandForKey("Y", {.ctrl = true}), kRedo);
    EXPECT_EQ(commandForKey("Z", {.ctrl = true, .shift = true}), kRedo);
    ASSERT_NE(acceleratorFor(kRedo), nullptr); // the menu shows the first: Ctrl+Y
    EXPECT_EQ(shortcutText(acceleratorFor(kRedo)->chord), "Ctrl+Y");
    const Command& redo = *findCommand(kRedo);
    EXPECT_EQ(redo.prompt, "直前に元に戻した動作をやり直す");

    testing::FakeHost host;
    Editor e(host);
    EXPECT_EQ(dispatchCommand(e, kRedo), DispatchResult::Disabled);
    e.takeSnapshot();
    testing::appendTriangle(e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 3);
    e.countEdit();
    EXPECT_EQ(dispatchCommand(e, kRedo), DispatchResult::Disabled);
    dispatchCommand(e, kUndo);
    EXPECT_EQ(e.document.store.count(), 0);
    EXPECT_EQ(dispatchCommand(e, kRedo), DispatchResult::Done);
    EXPECT_EQ(e.document.store.count(), 1);
    EXPECT_EQ(dispatchCommand(e, kRedo), DispatchResult::Disabled);
}

TEST(Accelerators, KeysFindTheirCommandsFromTheShortcutColumn) {
    EXPECT_EQ(commandForKey("Z", {.ctrl = true}), kUndo);
    EXPECT_EQ(commandForKey("z", {.ctrl = true}), kUndo);
    EXPECT_EQ(commandForKey("A", {.ctrl = true}), kSelectAll);
    EXPECT_EQ(commandForKey("Delete", {}), kDelete);
    EXPECT_EQ(commandForKey("delete", {}), kDelete);
    EXPECT_EQ(commandForKey("P", {.ctrl = true}), kPrint);
    EXPECT_EQ(commandForKey("X", {.ctrl = true}), kCut);
    EXPECT_EQ(commandForKey("C", {.ctrl = true}), kCopy);
    EXPECT_EQ(commandForKey("V", {.ctrl = true}), kPaste);
    EXPECT_EQ(commandForKey("N", {.ctrl = true}), kFileNew);
    EXPECT_EQ(commandForKey("O", {.ctrl = true}), kFileOpen);
    EXPECT_EQ(commandForKey("S", {.ctrl = true}), kFileSave);
    // Modifiers must match exactly.
    EXPECT_EQ(commandForKey("Z", {}), 0);
    EXPECT_EQ(commandForKey("Z", {.shift = true}), 0);
    EXPECT_EQ(commandForKey("Z", {.ctrl = true, .shift = true}), kRedo); // not Undo
    EXPECT_EQ(commandForKey("Delete", {.ctrl = true}), 0);
    EXPECT_EQ(commandForKey("Delete", {.shift = true}), 0);
    EXPECT_EQ(commandForKey("Q", {.ctrl = true}), 0);
    EXPECT_EQ(commandForKey("", {.ctrl = true}), 0);
    EXPECT_EQ(commandForKey("3", {.ctrl = true}), kTopPane);
    EXPECT_EQ(commandForKey("3", {}), 0);
    EXPECT_EQ(commandForKey("Del", {}), 0);    // "del" is how the table writes it, not a key name
    EXPECT_EQ(acceleratorTable().size(), 18u); // sixteen commands, and Redo with two keys
}

TEST(Accelerators, ShortcutsParseAndPrintBack) {
    EXPECT_EQ(parseShortcut("Ctrl+Z"), (KeyChord{"Z", {.ctrl = true}}));
    EXPECT_EQ(parseShortcut("del"), (KeyChord{"Delete", {}}));
    EXPECT_EQ(parseShortcut("Ctrl+Shift+P"), (KeyChord{"P", {.ctrl = true, .shift = true}}));
    EXPECT_FALSE(parseShortcut(""));
    EXPECT_FALSE(parseShortcut("Ctrl+"));
    EXPECT_FALSE(parseShortcut("Ctrl+z"));
    EXPECT_FALSE(parseShortcut("Alt+F4"));
    EXPECT_EQ(shortcutText({"Delete", {}}), "Delete");
    EXPECT_EQ(shortcutText({"P", {.ctrl = true, .shift = true}}), "Ctrl+Shift+P");
    for (const Accelerator& a : acceleratorTable()) {
        const Command* c = findCommand(a.commandId);
        ASSERT_NE(c, nullptr);
        // A command's first key is its shortcut column; a second one (Redo's Ctrl+Shift+Z)
        // follows the table's own keys.
        if (acceleratorFor(a.commandId) == &a) {
            EXPECT_EQ(parseShortcut(c->shortcut), a.chord) << a.commandId;
        } else {
            EXPECT_EQ(a.commandId, kRedo);
            EXPECT_LT(acceleratorFor(a.commandId), &a);
        }
        EXPECT_EQ(parseShortcut(shortcutText(a.chord)), a.chord) << a.commandId;
        EXPECT_EQ(commandForKey(a.chord.key, a.chord.modifiers), a.commandId);
    }
    EXPECT_EQ(acceleratorFor(kExit), nullptr);
}

} // namespace
} // namespace fcw
