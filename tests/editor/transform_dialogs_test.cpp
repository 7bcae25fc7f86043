// The rotation, scaling and vertex-move dialog models, and how a refused entry reaches the
// user through the batch player.
#include "editor/dialogs/transform_dialogs.h"
#include "script_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace fcw {
namespace {

constexpr char kNotANumber[] = "数字を入力してください。";

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

TEST(RotateDialogModel, APresetRefusesAnAngleThatIsNoNumberAndKeepsIt) {
    for (int button : {1094, 1095, 1096, 1097, 1098}) {
        RotateDialog d;
        d.setValue(RotateDialog::kAngle, "abc");
        const ButtonPress press = d.pressButton(button);
        EXPECT_TRUE(press.known) << button;
        EXPECT_EQ(press.refusal, kNotANumber) << button;
        EXPECT_EQ(d.value(RotateDialog::kAngle), "abc") << button;
    }
    RotateDialog d;
    d.setValue(RotateDialog::kAngle, " 10 ");
    EXPECT_EQ(d.pressButton(1097).refusal, std::nullopt);
    EXPECT_EQ(d.value(RotateDialog::kAngle), "55");
    d.setValue(RotateDialog::kAngle, "inf");
    EXPECT_EQ(d.pressButton(1098).refusal, kNotANumber);
    EXPECT_EQ(d.validate(), kNotANumber);
}

TEST(ScaleDialogModel, PresetsReadEveryFactorFirst) {
    for (int button : {1102, 1103, 1104, 1106, 1107, 1108, 1109}) {
        ScaleDialog d;
        d.setValue(ScaleDialog::kDepth, "x");
        const ButtonPress press = d.pressButton(button);
        EXPECT_TRUE(press.known) << button;
        EXPECT_EQ(press.refusal, kNotANumber) << button;
        EXPECT_EQ(d.value(ScaleDialog::kVertical), "1") << button; // nothing written
        EXPECT_EQ(d.value(ScaleDialog::kDepth), "x") << button;
    }
    ScaleDialog d;
    EXPECT_FALSE(d.pressButton(1105).known); // an edit box, not a button
    EXPECT_EQ(d.pressButton(1107).refusal, std::nullopt);
    EXPECT_EQ(d.value(ScaleDialog::kHorizontal), "0.25");
}

TEST(ScaleDialogModel, ARefusedFocusLossKeepsTheFactorThatIsCopied) {
    ScaleDialog d;
    d.setValue(ScaleDialog::kHorizontal, "3");
    EXPECT_EQ(d.controlEdited(ScaleDialog::kHorizontal), std::nullopt);
    d.setValue(ScaleDialog::kVertical, "zwei");
    EXPECT_EQ(d.controlEdited(ScaleDialog::kVertical), kNotANumber);
    // The user corrects the box; the window takes every box in before a button acts.
    d.setValue(ScaleDialog::kVertical, "2");
    EXPECT_EQ(d.pressButton(1109).refusal, std::nullopt);
    for (int box : {ScaleDialog::kVertical, ScaleDialog::kHorizontal, ScaleDialog::kDepth}) {
        EXPECT_EQ(d.value(box), "3") << box;
    }
    EXPECT_EQ(d.controlEdited(1121), std::nullopt); // not a factor box
}

TEST(NumberInputDialogModel, TheNumberMustBeFinite) {
    NumberInputDialog d(true, "text", "sign");
    EXPECT_EQ(d.value(NumberInputDialog::kNumber), "0");
    EXPECT_TRUE(d.useCurrentView());
    for (const char* refused : {"", "abc", "nan", "1e999", "1 2"}) {
        d.setValue(NumberInputDialog::kNumber, refused);
        EXPECT_EQ(d.validate(), kNotANumber) << refused;
    }
    d.setValue(NumberInputDialog::kNumber, " -2.5 ");
    EXPECT_EQ(d.validate(), std::nullopt);
    EXPECT_EQ(d.number(), -2.5);
}

// A triangle at (40..80, -20..20) pixels from the origin, selected whole.
class RefusedEntries : public testing::ScriptTest {
  protected:
    void SetUp() override {
        run({"down 440 280", "down 480 280", "down 440 320", "command 32930"});
    }
    const Triangle& view() { return e.document.store.viewTriangles[0]; }
};

TEST_F(RefusedEntries, APresetOnANonNumericAngleShowsTheMessageAndRotatesNothing) {
    const Triangle before = view();
    run({"answer ok 1100=abc press=1094", "command 32888"});
    // Once for the button, once for OK, which a script cannot follow by typing again.
    EXPECT_EQ(count(out.str(), std::string("message ") + kNotANumber), 2u);
    EXPECT_EQ(view().v[0].y, before.v[0].y);
    EXPECT_EQ(view().v[0].z, before.v[0].z);
    EXPECT_EQ(e.undoDepth(), 1);

    // The dialog stays open after a refused button: a corrected angle goes ahead, and the
    // refused +45 was not added.
    run({"answer ok 1100=abc press=1097 1100=90", "command 32888"});
    EXPECT_EQ(e.undoDepth(), 2);
    EXPECT_NEAR(view().centroid.y, before.centroid.y, 1e-9);
    EXPECT_NEAR(view().v[0].y - before.centroid.y, -(before.v[0].z - before.centroid.z), 1e-9);
}

TEST_F(RefusedEntries, ANonNumericFactorIsRefusedOnFocusLossAndByThePresets) {
    const Triangle before = view();
    run({"answer ok 1009=2 1105=x press=1109", "command 32891"});
    // The focus loss, the button and OK each refuse it.
    EXPECT_EQ(count(out.str(), std::string("message ") + kNotANumber), 3u);
    EXPECT_EQ(view().v[1].y, before.v[1].y);
    EXPECT_EQ(e.undoDepth(), 1);

    // The dialog stays open after a refused box: a corrected one is copied by 1109.
    const double width = view().v[1].y - view().v[0].y;
    run({"answer ok 1105=x 1105=2 press=1109", "command 32891"});
    EXPECT_EQ(e.undoDepth(), 2);
    EXPECT_NEAR(view().v[1].y - view().v[0].y, 2 * width, 1e-9);
}

} // namespace
} // namespace fcw
