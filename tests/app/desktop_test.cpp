// The window on a Linux desktop: its place on a small screen and between runs, files dropped
// on it, the toolkit's own texts in Japanese, numeric fields that select their text, and Redo
// from the menu and its keys.

#include "app/main_window.h"
#include "app/modal_wait.h"
#include "app/translations.h"
#include "app/window_placement.h"
#include "editor/commands/commands.h"
#include "editor/view/panes.h"
#include "test_host.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace fcw {
namespace {

using namespace command_id;

struct TempDir {
    std::filesystem::path path;
    TempDir() {
        char pattern[] = "/tmp/fcw-desktop-XXXXXX";
        path = ::mkdtemp(pattern);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    QString file(const char* name) const { return QString::fromStdString((path / name).string()); }
};

struct Window {
    QtHost host;
    Editor editor{host};
    MainWindow window{editor, host};
    Window() { host.attach(&window, window.view()); }
    ~Window() { editor.document.modified = false; } // no save prompt while closing
};

TEST(WindowPlacement, TheFirstWindowFitsASmallScreenAndIsCentredOnIt) {
    // A 1366 x 768 laptop screen under a 32-pixel panel.
    const QRect laptop(0, 32, 1366, 736);
    const QRect fitted = firstWindowGeometry(laptop);
    EXPECT_EQ(fitted.size(), QSize(1000, 688));
    EXPECT_TRUE(laptop.contains(fitted));
    EXPECT_EQ(fitted.center().x(), laptop.center().x());
    // A large screen gets the preferred size; a second screen to the right is honoured.
    const QRect large(1920, 0, 2560, 1400);
    EXPECT_EQ(firstWindowGeometry(large).size(), QSize(kPreferredWidth, kPreferredHeight));
    EXPECT_TRUE(large.contains(firstWindowGeometry(large)));

    // The offscreen platform's screen is 800 x 600: the window opens inside it.
    Window w;
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
    const QRect screen = w.window.screen()->availableGeometry();
    EXPECT_LE(w.window.width(), screen.width());
    EXPECT_LE(w.window.height(), screen.height());
}

TEST(WindowPlacement, LaterStartsComeBackWhereTheLastOneEndedButNotOffScreen) {
    TempDir dir;
    const QString state = dir.file("window.ini");
    {
        Window first;
        first.window.setStateFile(state);
        first.window.restorePlacement(); // nothing kept yet: fitted
        first.window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&first.window));
        first.window.setGeometry(40, 50, 500, 400);
        QApplication::processEvents();
        EXPECT_EQ(first.editor.session.paneLayout, PaneLayout::Single); // the start's layout
        setPaneLayout(first.editor, PaneLayout::Quad);
        setActivePane(first.editor, pane_index::kTop);
        first.window.close();
    }
    ASSERT_TRUE(QFileInfo::exists(state));
    {
        Window second;
        second.window.setStateFile(state);
        second.window.restorePlacement();
        EXPECT_EQ(second.window.size(), QSize(500, 400));
        EXPECT_EQ(second.window.geometry().topLeft(), QPoint(40, 50));
        // The layout and the active pane come back beside the placement.
        EXPECT_EQ(second.editor.session.paneLayout, PaneLayout::Quad);
        EXPECT_EQ(second.editor.session.activePane, pane_index::kTop);
        // The next run's screen lost the place: the window is put back on it.
        second.window.setGeometry(5000, 4000, 500, 400);
        saveWindowPlacement(second.window, state);
    }
    Window third;
    third.window.setStateFile(state);
    third.window.restorePlacement();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(third.window.geometry()))
        << third.window.x() << "," << third.window.y();
}

// Sends a drop of `path` on the window, as a file manager would.
void dropOn(MainWindow& window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
}

TEST(DroppedFiles, ADocumentOpensAndATextFileIsImported) {
    Window w;
    const std::string examples = FCW_EXAMPLES_DIR;
    dropOn(w.window, QString::fromStdString(examples + "/tetrahedron.fcw"));
    EXPECT_EQ(w.editor.document.path, examples + "/tetrahedron.fcw");
    EXPECT_EQ(w.editor.document.store.count(), 4);
    EXPECT_FALSE(w.editor.document.modified);

    TempDir dir;
    {
        std::ofstream text((dir.path / "one.txt").string());
        text << "FacetCraftwerk_Text_Type_1\nT[0].color=0xff;\n";
        for (int i = 1; i <= 9; ++i) {
            text << "P=" << i << ";\n";
        }
    }
    dropOn(w.window, dir.file("one.txt"));
    // Imported into the open document, whose name stays; an undo step like the command's.
    EXPECT_EQ(w.editor.document.path, examples + "/tetrahedron.fcw");
    EXPECT_TRUE(w.editor.document.modified);
    EXPECT_EQ(w.editor.undoDepth(), 1);
    EXPECT_EQ(w.editor.document.store.count(), 1);
}

TEST(ToolkitTexts, StandardButtonsSpeakJapanese) {
    ASSERT_TRUE(
        installInterfaceTranslations(*QCoreApplication::instance(), InterfaceLanguage::Japanese));
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
}

using testing::whenModal;

TEST(NumericFields, TypingReplacesTheValueShownInTheField) {
    Window w;
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
    testing::appendTriangle(w.editor, {0, 0, 0}, {0, 40, 0}, {0, 0, 40}, 1);
    w.editor.document.selection.selectTriangles(w.editor.document.store, 0, 0);
    QString typed;
    whenModal([&](QWidget* dialog) {
        auto* number = dialog->findChildren<QLineEdit*>().front();
        number->setText(QStringLiteral("0"));
        number->clearFocus();
        QTest::mouseClick(number, Qt::LeftButton); // the focus comes with a click
        // The focus arrives once the dialog is active, which a loaded machine may deliver late.
        EXPECT_TRUE(QTest::qWaitFor(
            [number] { return number->selectedText() == QStringLiteral("0"); }, 5000));
        QTest::keyClicks(number, QStringLiteral("-5"));
        typed = number->text();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    w.window.runCommand(kMoveVertically);
    EXPECT_EQ(typed, QStringLiteral("-5"));
}

TEST(RedoInTheWindow, TheEditMenuItemAndBothKeysRedoAfterAnUndo) {
    Window w;
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
    w.window.activateWindow();
    for (Colour c = 1; c <= 2; ++c) {
        w.editor.takeSnapshot();
        testing::appendTriangle(w.editor, {0, 0, 0}, {0, 40, 0}, {0, 0, 40}, c);
        w.editor.countEdit();
    }
    w.window.refreshCommandStates();
    QMenu* edit = w.window.menuBar()->actions()[1]->menu();
    emit edit->aboutToShow();
    QAction* redo = edit->actions()[1];
    EXPECT_EQ(redo->text(), QStringLiteral("やり直し(&R)"));
    EXPECT_EQ(redo->statusTip(), QStringLiteral("直前に元に戻した動作をやり直す"));
    EXPECT_EQ(redo->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                   QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    EXPECT_FALSE(redo->isEnabled());
    w.window.view()->setFocus();
    QTest::keyClick(w.window.view(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(w.window.view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.editor.document.store.count(), 0);
    EXPECT_TRUE(redo->isEnabled());
    QTest::keyClick(w.window.view(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(w.editor.document.store.count(), 1);
    QTest::keyClick(w.window.view(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.editor.document.store.count(), 2);
    EXPECT_FALSE(redo->isEnabled());
}

TEST(RecoveryLocks, TheWindowTakesOverAStaleLockButNotALiveOne) {
    TempDir dir;
    const std::string lock = (dir.path / "recovery-1.lock").string();
    std::ofstream(lock) << "2147483600\nfacetcraftwerk\n\n";
    QtHost first;
    EXPECT_TRUE(first.tryLockFile(lock));
    QtHost second;
    EXPECT_FALSE(second.tryLockFile(lock)); // this process runs
    first.releaseLockFile(lock);
    EXPECT_FALSE(std::filesystem::exists(lock));
    EXPECT_TRUE(second.tryLockFile(lock));
}

} // namespace
} // namespace fcw

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
