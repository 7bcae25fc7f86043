// The window's dialogs built from the control table: a refused entry is shown over the dialog,
// which stays open with what the user typed.

#include "app/form_dialog.h"
#include "app/main_window.h"
#include "app/modal_wait.h"
#include "app/qt_settings_sheet.h"
#include "app/text_fit.h"
#include "editor/dialogs/settings_sheet.h"
#include "editor/dialogs/transform_dialogs.h"
#include "editor/view/keyboard.h"
#include "test_host.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace fcw {
namespace {

using testing::whenModal;

QPushButton* buttonWithText(QWidget* dialog, const QString& text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
        if (b->text() == text) {
            return b;
        }
    }
    return nullptr;
}

TEST(FormDialog, APresetOnANonNumericAngleShowsTheMessageAndKeepsTheText) {
    QtHost host;
    Editor editor{host};
    auto window = std::make_unique<MainWindow>(editor, host);
    host.attach(window.get(), window->view());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    testing::appendTriangle(editor, {0, 0, 0}, {0, 40, 0}, {0, 0, 40}, 1);
    editor.document.selection.selectTriangles(editor.document.store, 0, 0);
    const Triangle before = editor.document.store.viewTriangles[0];

    QString refusal;
    QString afterPress;
    whenModal([&](QWidget* dialog) {
        auto* angle = dialog->findChild<QLineEdit*>();
        ASSERT_NE(angle, nullptr);
        angle->setText(QStringLiteral("abc"));
        whenModal([&](QWidget* box) {
            refusal = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->accept();
        });
        QPushButton* ninety = buttonWithText(dialog, QStringLiteral("９０度"));
        ASSERT_NE(ninety, nullptr);
        ninety->click();
        afterPress = angle->text();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    window->runCommand(32888);
    EXPECT_EQ(refusal, QStringLiteral("数字を入力してください。"));
    EXPECT_EQ(afterPress, QStringLiteral("abc"));
    EXPECT_EQ(editor.document.store.viewTriangles[0].v[1].y, before.v[1].y);
    EXPECT_EQ(editor.undoDepth(), 0);
    window.reset();
}

// The Japanese texts fit as well, on a screen of 800 pixels (the offscreen one): a dialog opens
// at no more than two thirds of its screen, which once squeezed the scale dialog's row of seven
// push buttons until "変更を他の二つにも反映させる" was cut off.
TEST(FormDialog, EveryDialogAndSettingsPageShowsItsJapaneseTextsWhole) {
    testing::FakeHost host;
    Editor editor(host);
    NumberInputDialog numbers(true, "選択された点の重心が\r\n指定位置に来るように移動する",
                              "“+”が奥，“-”が手前");
    RotateDialog rotate;
    ScaleDialog scale;
    Dialog numeric(kNumericInputDialog);
    for (Dialog* d : std::initializer_list<Dialog*>{&numbers, &rotate, &scale, &numeric}) {
        const std::string what = "dialog " + std::to_string(d->resourceId());
        testing::whenModalThenClose(
            [&](QWidget* dialog) { testing::expectTextsFit(dialog, what); });
        runFormDialog(nullptr, *d);
    }
    SettingsSheet sheet(settingsSheetValues(editor));
    testing::whenModalThenClose([&](QWidget* dialog) {
        auto* tabs = dialog->findChild<QTabWidget*>();
        ASSERT_NE(tabs, nullptr);
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QApplication::processEvents();
            testing::expectTextsFit(dialog, "settings page " + std::to_string(i));
        }
    });
    execSettingsSheet(nullptr, sheet);
}

} // namespace
} // namespace fcw
