// The window on Qt's offscreen platform: menus, toolbar, accelerators, command states, the
// wheel, resizing, the settings sheet and the save prompt.

#include "app/main_window.h"
#include "app/modal_wait.h"
#include "app/palette_panel.h"
#include "app/toolbar_icons.h"
#include "editor/batch/batch_player.h"
#include "editor/commands/commands.h"
#include "editor/commands/document_commands.h"
#include "editor/commands/menus.h"
#include "editor/session/app_settings.h"
#include "editor/session/profile.h"
#include "editor/view/panes.h"
#include "test_host.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace fcw {
namespace {

using namespace command_id;

class MainWindowTest : public ::testing::Test {
  protected:
    QtHost host;
    Editor editor{host};
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        window = std::make_unique<MainWindow>(editor, host);
        host.attach(window.get(), window->view());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QApplication::processEvents();
    }
    void TearDown() override {
        editor.document.modified = false; // no save prompt while closing
        window.reset();
    }

    QAction* toolbarAction(int id) {
        for (QAction* a : window->toolbar()->actions()) {
            if (!a->isSeparator() && a->data().toInt() == id) {
                return a;
            }
        }
        return nullptr;
    }

    // Runs `act` on the next modal widget once it is shown (message box or dialog).
    static void whenModal(std::function<void(QWidget*)> act) { testing::whenModal(std::move(act)); }
};

// In the quad layout a middle-button drag pans the pane it starts in, which becomes active.
TEST_F(MainWindowTest, MiddleButtonPansThePaneItStartsIn) {
    window->runCommand(kQuadLayout);
    ASSERT_EQ(editor.session.activePane, pane_index::kFree);
    const Camera before = editor.session.panes[pane_index::kTop].camera;
    QWidget* view = window->view();
    const QPoint start(view->width() / 4, view->height() / 4); // inside 上面, top left
    QTest::mousePress(view, Qt::MiddleButton, {}, start);
    for (const QPoint step : {QPoint(1, 1), QPoint(30, 20)}) {
        const QPointF at(start + step);
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton,
                         Qt::MiddleButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    QTest::mouseRelease(view, Qt::MiddleButton, {}, start + QPoint(30, 20));
    EXPECT_EQ(editor.session.activePane, pane_index::kTop);
    const Camera& after = editor.session.panes[pane_index::kTop].camera;
    EXPECT_NE(after.originOffsetX, before.originOffsetX);
    EXPECT_NE(after.originOffsetY, before.originOffsetY);
}

// Compares a built menu with its data: titles, command ids, texts from the command table,
// separators, all in order.
void expectMenuMatches(QMenu* menu, const MenuItem& data, const std::string& path) {
    emit menu->aboutToShow(); // rebuilt with live states as when it opens
    const QList<QAction*> actions = menu->actions();
    std::size_t i = 0;
    for (const MenuItem& item : data.items) {
        ASSERT_LT(static_cast<qsizetype>(i), actions.size()) << path;
        QAction* a = actions[static_cast<qsizetype>(i)];
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            EXPECT_TRUE(a->isSeparator()) << path << " item " << i;
            break;
        case MenuItem::Kind::Submenu:
            ASSERT_NE(a->menu(), nullptr) << path << " item " << i;
            EXPECT_EQ(a->text().toStdString(), std::string(item.text)) << path;
            expectMenuMatches(a->menu(), item, path + " > " + std::string(item.text));
            break;
        case MenuItem::Kind::RecentFiles:
            EXPECT_EQ(a->text(), QStringLiteral("最近使ったﾌｧｲﾙ")) << path;
            EXPECT_FALSE(a->isEnabled());
            break;
        case MenuItem::Kind::Command: {
            EXPECT_EQ(a->data().toInt(), item.id) << path << " item " << i;
            const Command* c = findCommand(item.id);
            if (c != nullptr && !c->menuText.empty()) {
                EXPECT_EQ(a->text().toStdString(), std::string(c->menuText)) << path;
            }
            break;
        }
        }
        ++i;
    }
    EXPECT_EQ(static_cast<qsizetype>(i), actions.size()) << path << " has extra items";
}

// The desktop matches the window to its entry and icon by the id they are installed under.
TEST_F(MainWindowTest, TellsTheDesktopTheApplicationId) {
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral(FCW_APP_ID));
}

TEST_F(MainWindowTest, MenusFollowTheirDataWithTextsShortcutsAndStates) {
    const QList<QAction*> top = window->menuBar()->actions();
    const auto& data = mainMenu();
    ASSERT_EQ(static_cast<std::size_t>(top.size()), data.size());
    for (std::size_t m = 0; m < data.size(); ++m) {
        QAction* a = top[static_cast<qsizetype>(m)];
        EXPECT_EQ(a->text().toStdString(), std::string(data[m].text));
        expectMenuMatches(a->menu(), data[m], std::string(data[m].text));
    }
    // Spot checks of what a user sees.
    QMenu* file = top[0]->menu();
    EXPECT_EQ(top[0]->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
    EXPECT_EQ(file->actions()[0]->text(), QStringLiteral("新規作成(&N)"));
    EXPECT_EQ(file->actions()[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(file->actions().back()->text(), QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));
    QMenu* help = top.back()->menu();
    EXPECT_EQ(help->actions().back()->text(),
              QStringLiteral("FacetCraftwerk のﾊﾞｰｼﾞｮﾝ情報(&A)..."));

    // Check marks follow the state each time a menu opens.
    QMenu* view = top[3]->menu();
    auto toolbarItem = [&] {
        emit view->aboutToShow();
        for (QAction* a : view->actions()) {
            if (a->data().toInt() == kToolbar) {
                return a;
            }
        }
        return static_cast<QAction*>(nullptr);
    };
    ASSERT_NE(toolbarItem(), nullptr);
    EXPECT_TRUE(toolbarItem()->isChecked());
    window->runCommand(kToolbar);
    EXPECT_FALSE(window->toolbar()->isVisible());
    EXPECT_FALSE(toolbarItem()->isChecked());
    window->runCommand(kToolbar);
    EXPECT_TRUE(toolbarItem()->isChecked());
}

TEST_F(MainWindowTest, WindowCommandsShowTheirPromptsAndCtrlPPrints) {
    QMenu* file = window->menuBar()->actions()[0]->menu();
    QMenu* view = window->menuBar()->actions()[3]->menu();
    emit file->aboutToShow();
    emit view->aboutToShow();
    auto item = [](QMenu* menu, int id) {
        for (QAction* a : menu->actions()) {
            if (a->data().toInt() == id) {
                return a;
            }
        }
        return static_cast<QAction*>(nullptr);
    };
    const std::pair<QAction*, QString> prompts[] = {
        {item(file, kExit), QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示")},
        {item(file, kRecentFile1), QStringLiteral("指定のﾌｧｲﾙを開く")},
        {item(view, kToolbar), QStringLiteral("ﾂｰﾙ ﾊﾞｰの表示/非表示")},
    };
    for (const auto& [action, prompt] : prompts) {
        ASSERT_NE(action, nullptr) << prompt.toStdString();
        EXPECT_EQ(action->statusTip(), prompt);
        // Hovering the item puts its prompt in the message pane.
        action->showStatusText(window.get());
        EXPECT_EQ(window->statusBar()->currentMessage(), prompt);
    }
    EXPECT_FALSE(item(file, kRecentFile1)->isEnabled()); // no recent files yet

    // Ctrl+P has no menu item; the window carries it, from the print command's row.
    QAction* printKey = nullptr;
    for (QAction* a : window->actions()) {
        if (a->data().toInt() == kPrint) {
            printKey = a;
        }
    }
    ASSERT_NE(printKey, nullptr);
    EXPECT_EQ(printKey->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    bool printDialogShown = false;
    whenModal([&](QWidget* modal) {
        printDialogShown = true;
        qobject_cast<QDialog*>(modal)->reject();
    });
    window->view()->setFocus();
    QTest::keyClick(window->view(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(printDialogShown);
    // Menu items keep their own shortcuts; the window adds no second, ambiguous one.
    for (QAction* a : window->actions()) {
        EXPECT_EQ(a->data().toInt(), kPrint) << a->data().toInt();
    }
    QMenu* edit = window->menuBar()->actions()[1]->menu();
    emit edit->aboutToShow();
    EXPECT_EQ(item(edit, kDelete)->shortcut(), QKeySequence(QStringLiteral("Delete")));
}

TEST_F(MainWindowTest, RecentFilesFillTheFileMenuAndReopen) {
    const std::string path = std::string(FCW_EXAMPLES_DIR) + "/tetrahedron.fcw";
    editor.services.recentFiles = {path, "/nowhere/b.fcw"};
    QMenu* file = window->menuBar()->actions()[0]->menu();
    emit file->aboutToShow();
    const QList<QAction*> actions = file->actions();
    // After New, Open, Save, Save As, the two text and the two 3D-format items, the picture and
    // the animation, and a separator.
    ASSERT_GE(actions.size(), 13);
    EXPECT_EQ(actions[11]->text(), QStringLiteral("&1 ") + QString::fromStdString(path));
    EXPECT_EQ(actions[11]->data().toInt(), kRecentFile1);
    EXPECT_EQ(actions[12]->text(), QStringLiteral("&2 /nowhere/b.fcw"));
    EXPECT_TRUE(actions[12]->isEnabled());
    window->runCommand(kRecentFile1);
    EXPECT_EQ(editor.document.store.lastIndex, 3);
    EXPECT_EQ(editor.document.path, path);
}

TEST_F(MainWindowTest, ToolbarHasItsEntriesInOrderWithTips) {
    const QList<QAction*> actions = window->toolbar()->actions();
    const auto& ids = toolbarButtons();
    ASSERT_EQ(static_cast<std::size_t>(actions.size()), ids.size());
    ASSERT_EQ(ids.size(), 42u);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        QAction* a = actions[static_cast<qsizetype>(i)];
        EXPECT_EQ(a->isSeparator(), ids[i] == 0) << i;
        if (ids[i] != 0) {
            EXPECT_EQ(a->data().toInt(), ids[i]);
            EXPECT_FALSE(a->icon().isNull()) << ids[i];
        }
    }
    const std::pair<int, const char*> tips[] = {{kFileNew, "新規ﾌｧｲﾙ"},
                                                {kFileOpen, "開く"},
                                                {kFileSave, "保存"},
                                                {kAbout, "ﾊﾞｰｼﾞｮﾝ情報"},
                                                {kToolbarSettings, "設定ダイアログを表示"},
                                                {kToolbarGrid5, "間隔５のグリッドを表示"},
                                                {kSphereQuadSplit, ""},
                                                {kSelectHiddenVertices, ""}};
    for (const auto& [id, tip] : tips) {
        ASSERT_NE(toolbarAction(id), nullptr) << id;
        EXPECT_EQ(toolbarAction(id)->toolTip().toStdString(), tip) << id;
    }
    // Hovering a button shows the command's prompt, as its menu item does.
    EXPECT_EQ(toolbarAction(kFileNew)->statusTip(), QStringLiteral("新規にﾌｧｲﾙを作成"));
}

TEST(ToolbarIcons, EveryButtonHasAPictureOfItsOwn) {
    std::vector<QImage> seen;
    for (int id : toolbarButtons()) {
        if (id == 0) {
            continue;
        }
        const QImage image = toolbarIcon(id, QStringLiteral("X")).pixmap(15, 15).toImage();
        ASSERT_EQ(image.size(), QSize(15, 15)) << id;
        // Not the letter fallback: that picture would not depend on the id.
        EXPECT_NE(image, toolbarIcon(99999, QStringLiteral("X")).pixmap(15, 15).toImage()) << id;
        for (const QImage& other : seen) {
            EXPECT_NE(image, other) << id << " looks like another button";
        }
        seen.push_back(image);
    }
    EXPECT_EQ(seen.size(), 31u);
}

TEST_F(MainWindowTest, FrameModeButtonsBehaveAsRadioButtonsAndSphereSplitFollowsTheTool) {
    const int modes[] = {kShowFacesWithoutEdges, kShowFacesWithEdges, kShowColouredFrame,
                         kShowFrame};
    for (int pressed : modes) {
        toolbarAction(pressed)->trigger();
        toolbarAction(pressed)->trigger(); // pressing the checked one keeps it checked
        for (int id : modes) {
            EXPECT_EQ(toolbarAction(id)->isChecked(), id == pressed) << pressed << " " << id;
        }
    }
    EXPECT_EQ(editor.session.view.frameMode,
              FrameMode::Outline); // kShowFrame, pressed last, is the plain outline
    EXPECT_FALSE(toolbarAction(kSphereQuadSplit)->isEnabled());
    toolbarAction(kToolSphere)->trigger();
    EXPECT_TRUE(toolbarAction(kSphereQuadSplit)->isEnabled());
    EXPECT_TRUE(toolbarAction(kToolSphere)->isChecked());
    toolbarAction(kToolRangeMove)->trigger();
    EXPECT_FALSE(toolbarAction(kSphereQuadSplit)->isEnabled());
    EXPECT_FALSE(toolbarAction(kToolSphere)->isChecked());
}

TEST_F(MainWindowTest, AcceleratorsReachTheirCommands) {
    window->view()->setFocus();
    testing::appendTriangle(editor, {0, 0, 0}, {0, 50, 0}, {0, 0, 50}, 7);
    editor.takeSnapshot();
    editor.document.store.modelTriangles[0].setColour(9);
    editor.countEdit();
    editor.refreshModelToView();
    QTest::keyClick(window->view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.document.store.modelTriangles[0].colour, 7u); // undone
    QTest::keyClick(window->view(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor.document.selection.count(), 3);
    EXPECT_TRUE(
        toolbarAction(kToolRangeMove)->isChecked()); // select all switched to the range tool
}

TEST_F(MainWindowTest, ZoomFromTheMenuAndTheWheelKeepTheirLimits) {
    window->runCommand(kZoomDivide10); // ÷１０
    EXPECT_DOUBLE_EQ(editor.pane().camera.zoom, 0.1);
    window->runCommand(kZoomTimes10); // ×１０
    EXPECT_DOUBLE_EQ(editor.pane().camera.zoom, 10.0);
    auto wheel = [&](int notches) {
        const QPointF at(100, 100);
        QWheelEvent event(at, window->view()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window->view(), &event);
    };
    wheel(3);
    EXPECT_DOUBLE_EQ(editor.pane().camera.zoom, 10.0);
    for (int i = 0; i < 200; ++i) {
        wheel(-1);
    }
    EXPECT_NEAR(editor.pane().camera.zoom, 0.2, 1e-9);
    wheel(1);
    EXPECT_NEAR(editor.pane().camera.zoom, 0.3, 1e-9);
}

// With "表示位置固定" off the status box jumps to the other corner when the pointer comes onto
// it. The batch player runs the same frame step as the window, so both see the box where the
// last paint put it.
TEST_F(MainWindowTest, TheStatusBoxDodgesThePointerAsInTheBatchPlayer) {
    window->view()->resize(640, 480);
    QApplication::processEvents();
    ASSERT_EQ(editor.pane().camera.clientRect.right, 640);
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player(out, err);
    ASSERT_FALSE(player.runLine("size 640 480"));
    Editor& batch = player.editor();
    editor.session.view.statusFixed = 0;
    batch.session.view.statusFixed = 0;
    window->view()->repaint();
    const QPoint moves[] = {{10, 10}, {300, 200}, {10, 10}, {600, 450}, {620, 470}, {20, 20}};
    for (const QPoint& at : moves) {
        QMouseEvent event(QEvent::MouseMove, QPointF(at), window->view()->mapToGlobal(QPointF(at)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window->view(), &event);
        ASSERT_FALSE(
            player.runLine("move " + std::to_string(at.x()) + " " + std::to_string(at.y())));
        EXPECT_EQ(batch.session.interaction.statusCorner, editor.session.interaction.statusCorner)
            << at.x() << "," << at.y();
        EXPECT_EQ(batch.pane().lastPaint.statusBoxRect, editor.pane().lastPaint.statusBoxRect)
            << at.x() << "," << at.y();
    }
    // 10,10 flips to the bottom right; 600,450 onto it flips back; 20,20 flips again.
    EXPECT_EQ(editor.session.interaction.statusCorner, StatusCorner::BottomRight);
}

TEST_F(MainWindowTest, ResizingKeepsTheGrabBoxAtItsOffsetFromTheCentre) {
    window->view()->resize(600, 400);
    QApplication::processEvents();
    ASSERT_EQ(editor.pane().camera.clientRect.right, 600);
    editor.pane().lastPaint.centreBox = {295, 195, 305, 205};
    editor.session.tools.range.grabBox = {300, 180, 320,
                                          200}; // 10 right of and 10 above the centre
    window->view()->resize(801, 501);
    QApplication::processEvents();
    EXPECT_EQ(editor.pane().camera.clientRect.right, 801);
    const Rect& grab = editor.session.tools.range.grabBox;
    EXPECT_EQ((grab.left + grab.right) / 2, 400 + 10);
    EXPECT_EQ((grab.top + grab.bottom) / 2, 250 - 10);
    // The back buffer is repainted at the new size.
    window->view()->repaint();
    EXPECT_EQ(window->view()->backBuffer().size(), QSize(801, 501));
}

// A platform paint (a dialog closing over the view) shows the current state, not the last
// picture: the frame step runs before it.
TEST_F(MainWindowTest, APlatformRepaintDrawsTheCurrentState) {
    window->view()->resize(200, 150);
    QApplication::processEvents();
    window->view()->repaint();
    const QPoint swatch(105, 80); // the status box's current-colour swatch
    ASSERT_EQ(window->view()->backBuffer().pixel(swatch), qRgb(0, 0, 0));
    editor.session.interaction.currentColour = 0x000000FF; // changed without a repaint of its own
    window->view()->repaint();
    EXPECT_EQ(window->view()->backBuffer().pixel(swatch), qRgb(255, 0, 0));
}

TEST_F(MainWindowTest, StatusBarShowsReadyAndTheTitleNamesTheDocument) {
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("ﾚﾃﾞｨ"));
    window->statusBar()->showMessage(QStringLiteral("三角形のポリゴンを描く"));
    window->statusBar()->clearMessage();
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("ﾚﾃﾞｨ"));
    // The title carries the modified mark's placeholder; the window system is shown it
    // replaced: "*" while there are unsaved changes, nothing otherwise.
    EXPECT_EQ(window->windowTitle(), QStringLiteral("無題[*] - FacetCraftwerk"));
    EXPECT_EQ(window->windowHandle()->title(), QStringLiteral("無題 - FacetCraftwerk"));
    editor.document.path = "/tmp/some/model.fcw";
    window->updateTitle();
    EXPECT_EQ(window->windowHandle()->title(), QStringLiteral("model.fcw - FacetCraftwerk"));
    // Any counted edit marks it, Undo and Redo too; a save takes the mark away.
    editor.takeSnapshot();
    testing::appendTriangle(editor, {0, 0, 0}, {0, 40, 0}, {0, 0, 40}, 1);
    editor.countEdit();
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->windowHandle()->title(), QStringLiteral("model.fcw* - FacetCraftwerk"));
    char pattern[] = "/tmp/fcw-title-XXXXXX";
    const std::filesystem::path dir = ::mkdtemp(pattern);
    ASSERT_TRUE(saveDocumentFile(editor, (dir / "saved.fcw").string()));
    EXPECT_EQ(window->windowHandle()->title(), QStringLiteral("saved.fcw - FacetCraftwerk"));
    window->runCommand(kUndo);
    EXPECT_EQ(window->windowHandle()->title(), QStringLiteral("saved.fcw* - FacetCraftwerk"));
    std::filesystem::remove_all(dir);
}

TEST_F(MainWindowTest, ClosingAModifiedDocumentAsksFirst) {
    editor.setModified(true);
    QString asked;
    whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        asked = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(window->close());
    EXPECT_EQ(asked, QStringLiteral("無題 への変更を保存しますか?"));
    EXPECT_TRUE(window->isVisible());

    whenModal([](QWidget* modal) {
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::No)->click();
    });
    EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, SettingsSheetSwitchesPagesAndRefusesBadValues) {
    editor.services.settings.sphereLongitudeLines = 10;
    QString refusal;
    whenModal([&](QWidget* modal) {
        auto* tabs = modal->findChild<QTabWidget*>();
        ASSERT_NE(tabs, nullptr);
        ASSERT_EQ(tabs->count(), 4);
        EXPECT_EQ(tabs->tabText(3), QStringLiteral("テキストファイル"));
        tabs->setCurrentIndex(1);
        QWidget* shape = tabs->widget(1);
        shape->findChild<QLineEdit*>(QStringLiteral("control1063"))->setText(QStringLiteral("12"));
        shape->findChild<QLineEdit*>(QStringLiteral("control1008"))->setText(QStringLiteral("3"));
        // Leaving the page is refused with the bounds; the message box is answered first.
        whenModal([&](QWidget* box) {
            refusal = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->accept();
        });
        tabs->setCurrentIndex(2);
        EXPECT_EQ(tabs->currentIndex(), 1);
        shape->findChild<QLineEdit*>(QStringLiteral("control1008"))->setText(QStringLiteral("16"));
        tabs->setCurrentIndex(2);
        EXPECT_EQ(tabs->currentIndex(), 2);
        modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    window->runCommand(kSettings);
    EXPECT_EQ(refusal, QStringLiteral("4 から 32 までの整数を入力してください。"));
    // Cancelled on page 2: page 1 was left, so its values stay.
    EXPECT_EQ(editor.services.settings.sphereLongitudeLines, 12);
    EXPECT_EQ(editor.services.settings.sphereLatitudeLines, 16);
}

TEST_F(MainWindowTest, ThePalettePanelShowsFromTheViewMenuAndPicksColours) {
    PalettePanel* panel = window->palettePanel();
    EXPECT_TRUE(panel->isHidden());
    window->runCommand(kPalettePanel);
    EXPECT_TRUE(host.isPalettePanelVisible());
    editor.services.palette = {"", {{0x0000FF, "Red"}, {0xFF0000, "Blue"}}};
    host.paletteChanged();
    SwatchGrid* grid = panel->grid();
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->swatchRect(1).center());
    EXPECT_EQ(editor.session.interaction.currentColour, 0xFF0000u);
    EXPECT_EQ(editor.session.interaction.toolMode, ToolMode::Paint);
    QTest::keyClicks(panel->field(), "#00ff00");
    QTest::keyClick(panel->field(), Qt::Key_Return);
    EXPECT_EQ(editor.session.interaction.currentColour, 0x00FF00u);
    EXPECT_TRUE(panel->field()->text().isEmpty());
    window->runCommand(kPalettePanel);
    EXPECT_FALSE(host.isPalettePanelVisible());
}

TEST(StartupProfile, SettingsComeFromTheProfileOrKeepTheirDefaults) {
    testing::FakeHost host;
    Editor e(host);
    char pattern[] = "/tmp/fcw-start-XXXXXX";
    const std::filesystem::path dir = ::mkdtemp(pattern);
    e.services.paths.profilePath = (dir / "FacetCraftwerk.ini").string();
    readStartupProfile(e); // no file: defaults
    EXPECT_EQ(e.services.settings.sphereLongitudeLines, 10);
    EXPECT_DOUBLE_EQ(e.session.view.brightness, 0.8);
    EXPECT_EQ(e.session.view.emphasisMode, 2);
    {
        std::ofstream f(e.services.paths.profilePath);
        f << "[図形]\n緯線=6\n経線=12\n[表示]\n明るさ=5000\n強調=1\n[操作]\n角度=30\n"
             "[テキストファイル]\nkind=1\n[Recent File List]\nFile1=/a.fcw\n";
    }
    readStartupProfile(e);
    EXPECT_EQ(e.services.settings.sphereLongitudeLines, 6);
    EXPECT_EQ(e.services.settings.sphereLatitudeLines, 12);
    EXPECT_DOUBLE_EQ(e.session.view.brightness, 0.5);
    EXPECT_EQ(e.session.view.emphasisMode, 1);
    EXPECT_EQ(e.services.settings.angleStep, 30);
    EXPECT_EQ(e.services.settings.defaultTextFormat, 1);
    EXPECT_EQ(e.services.recentFiles, std::vector<std::string>{"/a.fcw"});
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace fcw

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
