#include "editor/batch/batch_player.h"
#include "editor/batch/state_dump.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fcw {
namespace {

struct PlayResult {
    int status = 0;
    std::string out;
    std::string err;
};

PlayResult play(const std::string& script) {
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    std::istringstream in(script);
    PlayResult r;
    r.status = player.run(in);
    r.out = out.str();
    r.err = err.str();
    return r;
}

const std::string kExample = std::string(FCW_EXAMPLES_DIR) + "/tetrahedron.fcw";

TEST(BatchPlayer, StartsLikeAFreshProgram) {
    const PlayResult r = play("dump\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "{\"lastIndex\":-1,\"undoDepth\":0,\"toolMode\":\"DrawTriangle\",\"editPhase\":0,"
              "\"currentColour\":0,\"modified\":false,\"selectionCount\":0,\"selection\":[],"
              "\"camera\":{\"verticalAxisAngle\":0,\"horizontalAxisAngle\":0,\"zoom\":1,"
              "\"originOffsetX\":0,\"originOffsetY\":0,\"depth\":0,\"centreX\":400,"
              "\"centreY\":300},\"triangles\":[]}\n");
}

TEST(BatchPlayer, OpensCommandsAndDumpsTheModel) {
    const PlayResult r =
        play("size 641 480\nopen \"" + kExample + "\"\ncommand 32829\ncommand 32803\ndump view\n");
    ASSERT_EQ(r.status, 0) << r.err;
    // The first file vertex (0, 100, +0) is store (x -0, y 0, z -100).
    EXPECT_NE(r.out.find("\"triangles\":[{\"colour\":255,\"v\":[[-0,0,-100],"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"zoom\":2,"), std::string::npos);
    EXPECT_NE(r.out.find("\"centreX\":320,"), std::string::npos); // repainted after the zoom
    EXPECT_NE(r.out.find("\"toolMode\":\"RangeMove\""), std::string::npos);
    EXPECT_NE(r.out.find("\"viewTriangles\":[{"), std::string::npos);
    EXPECT_NE(r.out.find("\"lastIndex\":3"), std::string::npos);
}

TEST(BatchPlayer, ScriptErrorsNameTheLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"dump\nfrobnicate\n", "line 2: unknown verb 'frobnicate'\n"},
        {"size 10\n", "line 1: usage: size W H\n"},
        {"size -1 5\n", "line 1: size needs two whole numbers from 0 to 16384\n"},
        {"command 99999\n", "line 1: command 99999 is not handled\n"},
        {"command abc\n", "line 1: bad command id 'abc'\n"},
        {"open \"unterminated\n", "line 1: unterminated quote\n"},
        {"answer maybe\n", "line 1: unknown answer kind 'maybe'\n"},
        {"answer ok 1100\n",
         "line 1: answer ok expects CONTROL=VALUE, press=BUTTON or page=N, not '1100'\n"},
        {"dump everything\n", "line 1: usage: dump [view]\n"},
        {"# comment only\n\nanswer choose 5\ncommand 57604\n",
         "line 4: the queued answer does not fit the file dialog\n"},
    };
    for (const auto& [script, error] : cases) {
        const PlayResult r = play(script);
        EXPECT_EQ(r.status, 2) << script;
        EXPECT_EQ(r.err, error) << script;
    }
}

TEST(BatchPlayer, FileMenuThroughQueuedAnswers) {
    const std::string dir = std::filesystem::temp_directory_path() / "fcw-batch-test";
    std::filesystem::create_directories(dir);
    const std::string copy = dir + "/copy.fcw";
    const PlayResult r =
        play("open \"" + kExample + "\"\nanswer file \"" + copy +
             "\"\ncommand 57604\nnew\ndump\nanswer cancel\ncommand 57601\ndump\n"
             "answer file \"" +
             copy + "\"\ncommand 57601\ncommand 32799\ndump\nopen /nonexistent.fcw\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) {
        all.push_back(line);
    }
    ASSERT_EQ(all.size(), 4u) << r.out;
    EXPECT_NE(all[0].find("\"lastIndex\":-1"), std::string::npos);
    EXPECT_NE(all[1].find("\"lastIndex\":-1"), std::string::npos); // open cancelled
    EXPECT_NE(all[2].find("\"lastIndex\":3"), std::string::npos);  // undo after open: nothing
    EXPECT_EQ(all[3].rfind("message /nonexistent.fcw\\nこのﾌｧｲﾙが見つかりません。", 0), 0u);
    std::filesystem::remove_all(dir);
}

TEST(BatchPlayer, ProfileVerbReadsSettingsAsStartUpDoes) {
    const std::string path = std::filesystem::temp_directory_path() / "fcw-batch-profile.ini";
    std::ofstream(path) << "[表示]\n明るさ=5000\n[図形]\n緯線=12\n";
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    ASSERT_FALSE(player.runLine("profile " + path));
    EXPECT_EQ(player.editor().session.view.brightness, 0.5);
    EXPECT_EQ(player.editor().services.settings.sphereLongitudeLines, 12);
    EXPECT_EQ(player.editor().services.settings.sphereLatitudeLines, 10);
    EXPECT_EQ(player.editor().services.paths.profilePath, path);
    std::filesystem::remove(path);
}

// A dialog with one edit box that must hold a number and a button that doubles it.
class NumberDialog : public Dialog {
  public:
    NumberDialog() : Dialog(313) { setValue(1100, "1"); }
    ButtonPress pressButton(int button) override {
        if (button != 1094) {
            return ButtonPress::unknown();
        }
        setValue(1100, std::to_string(std::stoi(value(1100)) * 2));
        return ButtonPress::done();
    }
    std::optional<std::string> validate() override {
        if (value(1100).empty() ||
            value(1100).find_first_not_of("0123456789") != std::string::npos) {
            return "数字を入力してください。";
        }
        return std::nullopt;
    }
};

TEST(BatchPlayer, DialogAnswersSetControlsPressButtonsAndValidate) {
    std::ostringstream out;
    HeadlessHost host(out);
    NumberDialog unanswered;
    EXPECT_FALSE(host.runDialog(unanswered));

    ScriptAnswer ok;
    ok.kind = ScriptAnswer::Kind::Ok;
    ok.steps = {{ScriptAnswer::Step::Kind::Set, 1100, "21"},
                {ScriptAnswer::Step::Kind::Press, 1094, ""}};
    host.queue(ok);
    NumberDialog pressed;
    EXPECT_TRUE(host.runDialog(pressed));
    EXPECT_EQ(pressed.value(1100), "42");

    ScriptAnswer bad;
    bad.kind = ScriptAnswer::Kind::Ok;
    bad.steps = {{ScriptAnswer::Step::Kind::Set, 1100, "x"}};
    host.queue(bad);
    NumberDialog refused;
    EXPECT_FALSE(host.runDialog(refused));

    ScriptAnswer unknown;
    unknown.kind = ScriptAnswer::Kind::Ok;
    unknown.steps = {{ScriptAnswer::Step::Kind::Set, 9999, "1"}};
    host.queue(unknown);
    NumberDialog wrong;
    EXPECT_FALSE(host.runDialog(wrong));
    EXPECT_EQ(host.takeScriptError(), "dialog 313 has no control 9999");
    EXPECT_EQ(out.str(), "dialog 313\ndialog 313\ndialog 313\nmessage 数字を入力してください。\n"
                         "dialog 313\n");
}

TEST(BatchPlayer, WindowCommandsRunFromScripts) {
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    ASSERT_FALSE(player.runLine("command 59392"));
    EXPECT_FALSE(player.host().isToolbarVisible());
    ASSERT_FALSE(player.runLine("command 59392"));
    EXPECT_TRUE(player.host().isToolbarVisible());
    ASSERT_FALSE(player.runLine("command 57607"));
    ASSERT_FALSE(player.runLine("command 57606"));
    ASSERT_FALSE(player.runLine("key p ctrl")); // Ctrl+P prints, as in the window
    ASSERT_FALSE(player.runLine("key P ctrl shift"));
    EXPECT_EQ(out.str(), "print\npage setup\nprint\n");
}

TEST(BatchPlayer, HelpSaysWhenItsPageIsMissing) {
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    const std::string dir = std::filesystem::temp_directory_path() / "fcw-batch-help/";
    std::filesystem::create_directories(dir);
    player.editor().services.paths.programDirectory = dir;
    ASSERT_FALSE(player.runLine("command 32894"));
    EXPECT_EQ(out.str(), "message " + dir + "FacetCraftwerk.html\\nこのﾌｧｲﾙが見つかりません。\n");
    std::ofstream(dir + "FacetCraftwerk.html") << "<html></html>\n";
    out.str("");
    ASSERT_FALSE(player.runLine("command 32894"));
    EXPECT_EQ(out.str(), "help " + dir + "FacetCraftwerk.html\n");
    std::filesystem::remove_all(dir);
}

TEST(BatchPlayer, ExitEndsTheScriptAfterTheSavePrompt) {
    PlayResult r = play("command 57665\ndump\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    // A modified document is offered for saving; Cancel keeps the script running.
    r = play("down 400 300\ndown 500 300\ndown 400 400\nanswer cancel\ncommand 57665\n"
             "answer no\ncommand 57665\nsize frobnicate\n");
    EXPECT_EQ(r.status, 0) << r.err; // No: the program ends without saving, before line 8
    EXPECT_EQ(r.out,
              "message 無題 への変更を保存しますか?\nmessage 無題 への変更を保存しますか?\n");
}

TEST(BatchPlayer, RecentFilesReopenWhatWasOpened) {
    const PlayResult r =
        play("command 57616\nopen \"" + kExample + "\"\nnew\ncommand 57617\ncommand 57616\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) {
        all.push_back(line);
    }
    ASSERT_EQ(all.size(), 3u) << r.out;
    EXPECT_EQ(all[0], "disabled 57616"); // nothing opened yet
    EXPECT_EQ(all[1], "disabled 57617");
    EXPECT_NE(all[2].find("\"lastIndex\":3"), std::string::npos);
}

TEST(StateDump, NumbersReadBackExactly) {
    EXPECT_EQ(formatNumber(-0.0), "-0");
    EXPECT_EQ(formatNumber(0.1), "0.10000000000000001");
    EXPECT_EQ(formatNumber(std::nan("")), "NaN");
    EXPECT_EQ(formatNumber(-INFINITY), "-Infinity");
    EXPECT_EQ(formatNumber(1e300), "1.0000000000000001e+300");
    for (double d : {1.0 / 3.0, -123456.789, 1e-300, 2.5}) {
        EXPECT_EQ(std::stod(formatNumber(d)), d);
    }
}

TEST(StateDump, ScriptLinesSplitOnBlanksWithQuotesAndComments) {
    EXPECT_EQ(*splitScriptLine("open \"my file.fcw\"  # the model"),
              (std::vector<std::string>{"open", "my file.fcw"}));
    EXPECT_EQ(*splitScriptLine("answer ok 1100=\"#5\"\t1092=1\r"),
              (std::vector<std::string>{"answer", "ok", "1100=#5", "1092=1"}));
    EXPECT_TRUE(splitScriptLine("   ")->empty());
    EXPECT_FALSE(splitScriptLine("open \"x"));
}

} // namespace
} // namespace fcw
