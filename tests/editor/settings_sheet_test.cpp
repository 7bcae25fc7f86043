#include "editor/dialogs/settings_sheet.h"
#include "editor/session/app_settings.h"
#include "editor/session/profile.h"
#include "script_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fcw {
namespace {

class SettingsSheetTest : public testing::ScriptTest {
  protected:
    std::filesystem::path dir;

    void SetUp() override {
        char pattern[] = "/tmp/fcw-sheet-XXXXXX";
        dir = ::mkdtemp(pattern);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string profilePath() const { return (dir / "FacetCraftwerk.ini").string(); }

    // Opens the sheet with a queued answer and returns what the player printed.
    std::string sheet(const std::string& answer) {
        out.str("");
        run(answer);
        run("command 32798");
        return out.str();
    }
};

TEST_F(SettingsSheetTest, OkWithoutChangesKeepsSettingsButNormalisesSnapAndGrid) {
    e.session.snap.vertexSnap[1] = true;
    e.session.snap.gridSnap[1] = true; // both: comes back as grid
    e.session.snap.vertexSnap[3] = true;
    e.session.view.grid = GridSpacing::Twenty;
    e.session.interaction.arrowDepthMode = true;
    e.services.settings.angleStep = 30;
    e.services.settings.sphereLongitudeLines = 7;
    e.services.settings.sphereLatitudeLines = 9;
    e.services.settings.importScale = 2.5;
    e.services.settings.exportScale = 0.001;
    e.services.settings.defaultTextFormat = 2;
    e.services.settings.exportColour = 0;
    e.session.view.brightness = 0.35;
    e.session.view.emphasisMode = 3;
    e.session.view.statusFixed = 0;
    e.session.view.statusVisible = 0;
    e.session.view.depthNormalDisplay = 1;
    e.session.interaction.statusCorner = StatusCorner::BottomRight;

    EXPECT_EQ(sheet("answer ok"), "sheet 設定ダイアログ\n");

    EXPECT_FALSE(e.session.snap.vertexSnap[1]);
    EXPECT_TRUE(e.session.snap.gridSnap[1]);
    EXPECT_TRUE(e.session.snap.vertexSnap[3]);
    EXPECT_FALSE(e.session.snap.gridSnap[3]);
    EXPECT_FALSE(e.session.snap.vertexSnap[2] || e.session.snap.gridSnap[2]);
    EXPECT_EQ(e.session.view.grid, GridSpacing::Twenty);
    EXPECT_TRUE(e.session.interaction.arrowDepthMode);
    EXPECT_EQ(e.services.settings.angleStep, 30);
    EXPECT_EQ(e.services.settings.sphereLongitudeLines, 7);
    EXPECT_EQ(e.services.settings.sphereLatitudeLines, 9);
    EXPECT_EQ(e.services.settings.importScale, 2.5);
    EXPECT_EQ(e.services.settings.exportScale, 0.001);
    EXPECT_EQ(e.services.settings.defaultTextFormat, 2);
    EXPECT_EQ(e.services.settings.exportColour, 0);
    EXPECT_EQ(e.session.view.brightness, 0.35);
    EXPECT_EQ(e.session.view.emphasisMode, 3);
    EXPECT_EQ(e.session.view.statusFixed, 0);
    EXPECT_EQ(e.session.view.statusVisible, 0);
    EXPECT_EQ(e.session.view.depthNormalDisplay, 1);
    EXPECT_EQ(e.session.interaction.statusCorner,
              StatusCorner::BottomRight); // not fixed: the box stays where it went

    // The toolbar button runs the same sheet; with no answer it is cancelled unchanged.
    out.str("");
    run("command 32819");
    EXPECT_EQ(out.str(), "sheet 設定ダイアログ\n");
    EXPECT_EQ(e.session.view.grid, GridSpacing::Twenty);
}

TEST_F(SettingsSheetTest, CancelKeepsPagesThatWereLeftAndDropsTheOpenOne) {
    sheet("answer cancel page=1 1063=5 1008=7 page=2 1050=30 1111=0");
    EXPECT_EQ(e.services.settings.sphereLongitudeLines, 5);
    EXPECT_EQ(e.services.settings.sphereLatitudeLines, 7);
    EXPECT_EQ(e.services.settings.angleStep, 45);
    EXPECT_EQ(e.session.view.statusFixed, 1);

    // Coming back to a page shows what it handed over.
    sheet("answer ok page=1 page=0 page=1");
    EXPECT_EQ(e.services.settings.sphereLongitudeLines, 5);
}

TEST_F(SettingsSheetTest, EveryPageWritesBackItsControls) {
    e.session.interaction.statusCorner = StatusCorner::BottomRight;
    e.session.view.statusFixed = 0;
    sheet("answer ok 1046=1 1044=0 1048=1 1047=0 1054=0 1052=1 1038=1 1039=0 "
          "page=2 1022=1 1021=0 1050=45.9 1008=0.25 1111=1 1110=0 1112=1 1116=1 1118=0 "
          "page=3 1113=0 1008=0.5 1063=100 1115=1 1114=0");
    EXPECT_TRUE(e.session.snap.gridSnap[1]);
    EXPECT_FALSE(e.session.snap.vertexSnap[1]);
    EXPECT_TRUE(e.session.snap.vertexSnap[2]);
    EXPECT_FALSE(e.session.snap.vertexSnap[3] || e.session.snap.gridSnap[3]);
    EXPECT_EQ(e.session.view.grid, GridSpacing::Forty);
    EXPECT_TRUE(e.session.interaction.arrowDepthMode);
    EXPECT_EQ(e.services.settings.angleStep, 45);
    EXPECT_EQ(e.session.view.brightness, 0.25);
    EXPECT_EQ(e.session.view.statusFixed, 1);
    EXPECT_EQ(e.session.interaction.statusCorner, StatusCorner::TopLeft); // fixed: back home
    EXPECT_EQ(e.session.view.statusVisible, 0);
    EXPECT_EQ(e.session.view.depthNormalDisplay, 1);
    EXPECT_EQ(e.session.view.emphasisMode, 0);
    EXPECT_EQ(e.services.settings.exportColour, 0);
    EXPECT_EQ(e.services.settings.importScale, 0.5);
    EXPECT_EQ(e.services.settings.exportScale, 100.0);
    EXPECT_EQ(e.services.settings.defaultTextFormat, 1);

    // A radio group left with nothing checked keeps its value; "無し" clears the grid.
    sheet("answer ok 1038=0 1045=0");
    EXPECT_EQ(e.session.view.grid, GridSpacing::Forty);
    sheet("answer ok 1039=1 1038=0");
    EXPECT_FALSE(e.session.view.anyGridSpacing());
}

TEST_F(SettingsSheetTest, CheckingARadioButtonUnchecksItsGroup) {
    // As in the window's button groups: a script need not uncheck the sibling itself, and the
    // first checked button of a group no longer wins over the one the script chose.
    sheet("answer ok page=3 1115=1");
    EXPECT_EQ(e.services.settings.defaultTextFormat, 1);
    sheet("answer ok page=3 1036=1");
    EXPECT_EQ(e.services.settings.defaultTextFormat, 2);
    // The same id on another page belongs to that page's group only.
    EXPECT_FALSE(e.session.view.anyGridSpacing());
    sheet("answer ok 1038=1");
    EXPECT_EQ(e.session.view.grid, GridSpacing::Forty);
    EXPECT_EQ(e.services.settings.defaultTextFormat, 2);
}

TEST_F(SettingsSheetTest, BoundsAreCheckedWhenLeavingAPageAndOnOk) {
    struct Case {
        const char* answer;
        const char* message; // nullptr = accepted
    };
    const Case cases[] = {
        {"answer ok page=2 1050=90.0", nullptr},
        {"answer ok page=2 1050=90.5", "0 から 90 までの数字を入力してください。"},
        {"answer ok page=2 1050=0", nullptr},
        {"answer ok page=2 1050=-0.1", "0 から 90 までの数字を入力してください。"},
        {"answer ok page=2 1008=1", nullptr},
        {"answer ok page=2 1008=1.01", "0 から 1 までの数字を入力してください。"},
        {"answer ok page=2 1008=nan", "0 から 1 までの数字を入力してください。"},
        {"answer ok page=2 1008=x", "数字を入力してください。"},
        {"answer ok page=2 1008=", "数字を入力してください。"},
        {"answer ok page=2 1008=0.5x", "数字を入力してください。"},
        {"answer ok page=1 1063=3 1008=4", nullptr},
        {"answer ok page=1 1063=32 1008=32", nullptr},
        {"answer ok page=1 1063=2", "3 から 32 までの整数を入力してください。"},
        {"answer ok page=1 1008=3", "4 から 32 までの整数を入力してください。"},
        {"answer ok page=1 1008=33", "4 から 32 までの整数を入力してください。"},
        {"answer ok page=1 1008=99999999999999999999", "4 から 32 までの整数を入力してください。"},
        {"answer ok page=1 1008=4.5", "数字を入力してください。"},
        {"answer ok page=1 \"1008= 12 \"", nullptr},
        {"answer ok page=3 1008=0.0001 1063=10000", nullptr},
        {"answer ok page=3 1008=0.00009", "0.0001 から 10000 までの数字を入力してください。"},
        {"answer ok page=3 1063=10001", "0.0001 から 10000 までの数字を入力してください。"},
        {"answer ok page=3 1063=inf", "0.0001 から 10000 までの数字を入力してください。"},
    };
    for (const Case& c : cases) {
        const std::string printed = sheet(c.answer);
        const std::string expected = std::string("sheet 設定ダイアログ\n") +
                                     (c.message ? "message " + std::string(c.message) + "\n" : "");
        EXPECT_EQ(printed, expected) << c.answer;
    }

    // A refusal while leaving a page keeps the user there: the sheet is cancelled on page 1,
    // with the values taken before the refused one.
    e.services.settings.angleStep = 45;
    EXPECT_EQ(sheet("answer ok page=1 1063=20 1008=3 page=2 1050=10"),
              "sheet 設定ダイアログ\nmessage 4 から 32 までの整数を入力してください。\n");
    EXPECT_EQ(e.services.settings.sphereLongitudeLines, 20);
    EXPECT_EQ(e.services.settings.sphereLatitudeLines, 12); // from the last accepted case
    EXPECT_EQ(e.services.settings.angleStep, 45);
}

TEST_F(SettingsSheetTest, ScriptErrorsNameTheControlOrPage) {
    run("answer ok page=4");
    EXPECT_EQ(player.runLine("command 32798"), "the sheet has no page 4");
    run("answer ok 1063=5"); // 1063 is on pages 1 and 3, not on page 0
    EXPECT_EQ(player.runLine("command 32798"), "dialog 315 has no control 1063");
    run("answer ok press=1");
    EXPECT_EQ(player.runLine("command 32798"), "the sheet has no button 1");
    EXPECT_EQ(player.runLine("answer ok page=x"), "bad page number 'x'");
}

TEST_F(SettingsSheetTest, TheProfileGetsTheElevenEntriesAndAFreshStartReadsThem) {
    {
        std::ofstream seed(profilePath());
        seed << "; kept\n[Recent File List]\nFile1=/home/a.fcw\n[表示]\n明るさ=1234\n";
    }
    run("profile " + profilePath());
    sheet("answer ok page=1 1063=12 1008=20 page=2 1050=15 1008=0.57 1110=0 1116=1 1118=0 "
          "page=3 1113=0 1008=2.5 1063=0.001 1036=1 1114=0");

    std::ifstream in(profilePath());
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "; kept\n[Recent File List]\nFile1=/home/a.fcw\n"
                          "[表示]\n明るさ=5700\nステータス表示=0\nステータス固定=1\n強調=0\n"
                          "\n[図形]\n緯線=12\n経線=20\n"
                          "\n[操作]\n角度=15\n"
                          "\n[テキストファイル]\nin=25000\nout=10\nkind=2\ncolor=0\n");

    BatchPlayer fresh(out, err);
    ASSERT_FALSE(fresh.runLine("profile " + profilePath()));
    const Editor& f = fresh.editor();
    EXPECT_EQ(f.services.settings.sphereLongitudeLines, 12);
    EXPECT_EQ(f.services.settings.sphereLatitudeLines, 20);
    EXPECT_EQ(f.services.settings.angleStep, 15);
    EXPECT_DOUBLE_EQ(f.session.view.brightness, 0.57); // not 0.5699: binary rounding costs no unit
    EXPECT_EQ(f.session.view.statusVisible, 0);
    EXPECT_EQ(f.session.view.emphasisMode, 0);
    EXPECT_EQ(f.services.settings.importScale, 2.5);
    EXPECT_DOUBLE_EQ(f.services.settings.exportScale, 0.001);
    EXPECT_EQ(f.services.settings.defaultTextFormat, 2);
    EXPECT_EQ(f.services.settings.exportColour, 0);
}

TEST_F(SettingsSheetTest, TheLanguageChoiceGoesToASectionOfItsOwnForTheNextStart) {
    {
        std::ofstream seed(profilePath());
        seed << "[表示]\n明るさ=1234\n";
    }
    run("profile " + profilePath());
    sheet("answer ok page=2 1131=1");
    EXPECT_EQ(e.services.settings.interfaceLanguage, InterfaceLanguage::English);
    Profile written;
    ASSERT_TRUE(written.load(profilePath()));
    EXPECT_EQ(written.getString("Language", "interface"), "en");
    EXPECT_EQ(written.getInt("表示", "明るさ", 0), 1234u); // the eleven keep their places
    EXPECT_EQ(startupLanguage(std::nullopt, profilePath()), InterfaceLanguage::English);

    // The running interface stays as it is; the next start reads the choice, which the sheet
    // shows, and choosing Japanese writes that back.
    EXPECT_EQ(player.host().language(), InterfaceLanguage::Japanese);
    BatchPlayer fresh(out, err);
    ASSERT_FALSE(fresh.runLine("profile " + profilePath()));
    EXPECT_EQ(settingsSheetValues(fresh.editor()).language, 1);
    sheet("answer ok page=2 1130=1");
    EXPECT_EQ(startupLanguage(std::nullopt, profilePath()), InterfaceLanguage::Japanese);
}

TEST_F(SettingsSheetTest, AFailedProfileWriteIsReportedAndLeavesTheFile) {
    {
        std::ofstream seed(profilePath());
        seed << "[図形]\n緯線=8\n";
    }
    run("profile " + profilePath());
    e.services.writeFaults.failAfterBytes = 5;
    const std::string printed = sheet("answer ok page=1 1063=30");
    EXPECT_NE(printed.find("message 出力先のﾃﾞｨｽｸ ﾄﾞﾗｲﾌﾞの空き容量が不足しています。"),
              std::string::npos)
        << printed;
    EXPECT_EQ(e.services.settings.sphereLongitudeLines, 30); // the session still uses it
    std::ifstream in(profilePath());
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "[図形]\n緯線=8\n");
}

} // namespace
} // namespace fcw
