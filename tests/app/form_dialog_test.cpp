// The window's dialogs built from the control table: a refused entry is shown over the dialog,
// which stays open with what the user typed.

#include "app/main_window.h"
#include "test_host.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace fcw {
namespace {

// Runs `act` on the next modal widget once it is shown.
void whenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start(10);
}

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
    editor.selection.selectTriangles(editor.store, 0, 0);
    const Triangle before = editor.store.viewTriangles[0];

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
    EXPECT_EQ(editor.store.viewTriangles[0].v[1].y, before.v[1].y);
    EXPECT_EQ(editor.undoDepth(), 0);
    window.reset();
}

} // namespace
} // namespace fcw
