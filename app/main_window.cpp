#include "app/main_window.h"

#include "app/lock_keys.h"
#include "app/palette_panel.h"
#include "app/toolbar_icons.h"
#include "app/translations.h"
#include "app/window_placement.h"
#include "editor/commands/commands.h"
#include "editor/commands/document_commands.h"
#include "editor/commands/dropped_files.h"
#include "editor/commands/menus.h"
#include "editor/session/default_paths.h"
#include "editor/session/recent_files.h"
#include "editor/session/recovery.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace fcw {

MainWindow::MainWindow(Editor& editor, QtHost& host) : editor_(editor), host_(host) {
    setWindowIcon(QIcon(applicationPicture(64)));
    // The desktop matches the window to its entry and icon by this id (Wayland's app id).
    QGuiApplication::setDesktopFileName(QStringLiteral(FCW_APP_ID));
    view_ = new ViewWidget(editor, this);
    view_->setAfterInput([this] { refreshCommandStates(); });
    setCentralWidget(view_);
    buildMenus();
    buildToolbar();
    palettePanel_ = new PalettePanel(
        editor, [this](int id) { runCommand(id); },
        [this] {
            view_->update();
            refreshCommandStates();
        },
        this);
    addDockWidget(Qt::RightDockWidgetArea, palettePanel_);
    palettePanel_->hide();
    // The message pane says "ﾚﾃﾞｨ" whenever no prompt is shown.
    const QString ready = interfaceText("Status", QT_TRANSLATE_NOOP("Status", "ﾚﾃﾞｨ"));
    QObject::connect(statusBar(), &QStatusBar::messageChanged, this,
                     [this, ready](const QString& text) {
                         if (text.isEmpty()) {
                             statusBar()->showMessage(ready);
                         }
                     });
    statusBar()->showMessage(ready);
    // The lock-key panes, named by their Japanese texts; CAP, NUM and SCRL read the same in
    // every language.
    const char* names[4] = {QT_TRANSLATE_NOOP("Status", "ｶﾅ"), "CAP", "NUM", "SCRL"};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromUtf8(names[i]));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
        indicators_[i] = label;
    }
    // The lock keys can change while another window has the keyboard, so they are polled.
    auto* lockTimer = new QTimer(this);
    QObject::connect(lockTimer, &QTimer::timeout, this, [this] { updateIndicators(); });
    lockTimer->start(250);
    // The recovery copy follows the edits (it decides itself whether a write is due).
    auto* recoveryTimer = new QTimer(this);
    QObject::connect(recoveryTimer, &QTimer::timeout, this,
                     [this] { recoveryTick(editor_, wallClockMs()); });
    recoveryTimer->start(500);
    updateIndicators();
    addAccelerators();
    setAcceptDrops(true);
    restorePlacement(); // no state file yet: fitted to the screen
    updateTitle();
    refreshCommandStates();
}

void MainWindow::updateIndicators() {
    const LockKey keys[4] = {LockKey::Kana, LockKey::Caps, LockKey::Num, LockKey::Scroll};
    for (int i = 0; i < 4; ++i) {
        const QString name = indicators_[i]->objectName();
        indicators_[i]->setText(isLockKeyOn(keys[i]) ? interfaceText("Status", name.toStdString())
                                                     : QString());
    }
}

void MainWindow::showAbout() {
    QDialog about(this);
    about.setWindowTitle(QStringLiteral("About FacetCraftwerk")); // English in both interfaces
    auto* layout = new QHBoxLayout(&about);
    auto* picture = new QLabel(&about);
    picture->setPixmap(applicationPicture(32));
    picture->setAlignment(Qt::AlignTop);
    layout->addWidget(picture);
    auto* column = new QVBoxLayout;
    column->addWidget(new QLabel(QStringLiteral("FacetCraftwerk Version 1.0"), &about));
    column->addWidget(new QLabel(
        interfaceText("Dialog", QT_TRANSLATE_NOOP("Dialog", "三角形ポリゴンのモデラー")), &about));
    layout->addLayout(column);
    auto* ok = new QPushButton(QStringLiteral("OK"), &about);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &about, &QDialog::accept);
    auto* right = new QVBoxLayout;
    right->addWidget(ok);
    right->addStretch();
    layout->addLayout(right);
    about.setFixedSize(about.sizeHint());
    about.exec();
}

void MainWindow::updateTitle() {
    setWindowTitle(QString::fromStdString(shownDocumentName(editor_)) +
                   QStringLiteral("[*] - FacetCraftwerk"));
    setWindowModified(editor_.document.modified);
}

void MainWindow::restorePlacement() {
    restoreWindowPlacement(*this, stateFile_);
    restorePaneLayout(editor_, stateFile_);
}

namespace {

// The first local file among dropped ones, or empty.
QString droppedPath(const QMimeData* data) {
    if (data == nullptr) {
        return {};
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            return url.toLocalFile();
        }
    }
    return {};
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedPath(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = droppedPath(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    openDroppedFile(editor_, path.toStdString());
    editor_.repaint();
}

void MainWindow::runCommand(int id) {
    dispatchCommand(editor_, id);
    view_->update();
    refreshCommandStates();
}

void MainWindow::addAccelerators() {
    // A menu item carries its own shortcut (see addCommandAction); an accelerator whose
    // command has no item in the menu bar (Ctrl+P) belongs to the window.
    std::vector<int> inMenus;
    for (const MenuItem& top : mainMenu()) {
        const std::vector<int> ids = commandIdsOf(top);
        inMenus.insert(inMenus.end(), ids.begin(), ids.end());
    }
    for (const Accelerator& accelerator : acceleratorTable()) {
        if (std::find(inMenus.begin(), inMenus.end(), accelerator.commandId) != inMenus.end()) {
            continue;
        }
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(QString::fromStdString(shortcutText(accelerator.chord))));
        action->setData(accelerator.commandId);
        const int id = accelerator.commandId;
        QObject::connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        addAction(action);
    }
}

void MainWindow::pageSetup() {
    QPageSetupDialog setup(&printer_, this);
    setup.exec();
}

void MainWindow::print() {
    QPrintDialog dialog(&printer_, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    ViewWidget::printView(editor_, printer_, view_->logicalDpiX());
}

void MainWindow::fillMenu(QMenu* menu, const MenuItem& item) {
    for (const MenuItem& child : item.items) {
        switch (child.kind) {
        case MenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuItem::Kind::Submenu:
            fillMenu(menu->addMenu(interfaceText("Menu", child.text)), child);
            break;
        case MenuItem::Kind::RecentFiles: {
            // One item per file; with none, the first item stands greyed in their place.
            const int shown = std::max(1, static_cast<int>(editor_.services.recentFiles.size()));
            for (int i = 0; i < shown && i < kRecentFileCount; ++i) {
                addCommandAction(menu, child.id + i);
            }
            break;
        }
        case MenuItem::Kind::Command:
            addCommandAction(menu, child.id);
            break;
        }
    }
}

void MainWindow::addCommandAction(QMenu* menu, int id) {
    const Command* c = findCommand(id);
    if (c == nullptr) {
        menu->addAction(QString::number(id))->setEnabled(false);
        return;
    }
    QString text = QString::fromStdString(menuTextOf(editor_, *c));
    if (text.isEmpty()) {
        text = QString::fromStdString(tipOf(editor_, *c));
    }
    QAction* action = menu->addAction(text);
    action->setData(id);
    action->setStatusTip(QString::fromStdString(promptOf(editor_, *c)));
    action->setCheckable(c->isChecked != nullptr);
    action->setChecked(c->isChecked != nullptr && c->isChecked(editor_));
    action->setEnabled(c->isEnabled == nullptr || c->isEnabled(editor_));
    if (menu->parent() != nullptr) {
        // Every key of the command; the first is the one the menu shows.
        QList<QKeySequence> keys;
        for (const Accelerator& accelerator : acceleratorTable()) {
            if (accelerator.commandId == id) {
                keys << QKeySequence(QString::fromStdString(shortcutText(accelerator.chord)));
            }
        }
        action->setShortcuts(keys);
    }
}

void MainWindow::buildMenus() {
    for (const MenuItem& top : mainMenu()) {
        QMenu* menu = menuBar()->addMenu(interfaceText("Menu", top.text));
        // Rebuilt each time it opens, so checks and greyed items are always current.
        QObject::connect(menu, &QMenu::aboutToShow, this, [this, menu, &top] {
            menu->clear();
            fillMenu(menu, top);
        });
        fillMenu(menu, top);
        QObject::connect(menu, &QMenu::triggered, this,
                         [this](QAction* a) { runCommand(a->data().toInt()); });
    }
}

void MainWindow::buildToolbar() {
    toolbar_ = addToolBar(QStringLiteral("toolbar"));
    toolbar_->setIconSize(QSize(15, 15));
    for (int id : toolbarButtons()) {
        if (id == 0) {
            toolbar_->addSeparator();
            continue;
        }
        const Command* c = findCommand(id);
        QString tip = c ? QString::fromStdString(tipOf(editor_, *c)) : QString::number(id);
        QAction* action = toolbar_->addAction(toolbarIcon(id, tip), tip);
        action->setToolTip(tip);
        // Hovering shows the command's prompt in the status bar, as its menu item does.
        action->setStatusTip(c ? QString::fromStdString(promptOf(editor_, *c)) : QString());
        action->setData(id);
        action->setCheckable(c != nullptr && c->isChecked != nullptr);
        QObject::connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    }
}

namespace {

// Brings one action (and a submenu's actions) in line with the command's rules.
void refreshAction(QAction* action, const Editor& editor) {
    if (QMenu* sub = action->menu()) {
        for (QAction* child : sub->actions()) {
            refreshAction(child, editor);
        }
        return;
    }
    if (const Command* c = findCommand(action->data().toInt())) {
        action->setChecked(c->isChecked != nullptr && c->isChecked(editor));
        action->setEnabled(c->isEnabled == nullptr || c->isEnabled(editor));
    }
}

} // namespace

void MainWindow::refreshCommandStates() {
    // Menu items too: their shortcuts fire only while they are enabled.
    for (QAction* a : menuBar()->actions()) {
        refreshAction(a, editor_);
    }
    if (toolbar_ != nullptr) {
        for (QAction* a : toolbar_->actions()) {
            refreshAction(a, editor_);
        }
    }
    if (palettePanel_ != nullptr) {
        palettePanel_->showPalette(); // its frame follows the current colour
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (saveModifiedIfAsked(editor_)) {
        stopRecovery(editor_); // a clean exit leaves no copy behind
        saveWindowPlacement(*this, stateFile_);
        savePaneLayout(editor_, stateFile_);
        event->accept();
    } else {
        event->ignore();
    }
}

QPixmap applicationPicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // A cut gem: four facets in three shades under one outline.
    const QPointF top(16, 2), left(3, 12), right(29, 12), midLeft(11, 12), midRight(21, 12),
        bottom(16, 30);
    auto facet = [&](std::initializer_list<QPointF> corners, QColor colour) {
        p.setBrush(colour);
        p.setPen(QPen(QColor(20, 40, 90), 1));
        p.drawPolygon(QPolygonF(QList<QPointF>(corners)));
    };
    facet({top, left, midLeft}, QColor(150, 200, 255));
    facet({top, midLeft, midRight}, QColor(210, 235, 255));
    facet({top, midRight, right}, QColor(90, 150, 230));
    facet({left, bottom, midLeft}, QColor(60, 110, 200));
    facet({midLeft, bottom, midRight}, QColor(120, 170, 240));
    facet({midRight, bottom, right}, QColor(40, 80, 170));
    return pixmap;
}

EditorPaths defaultPaths() {
    EditorPaths paths;
    paths.programDirectory = executableDirectory();
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    paths.profilePath =
        (config + QStringLiteral("/FacetCraftwerk/FacetCraftwerk.ini")).toStdString();
    paths.workFilePath = defaultWorkFilePath(paths.programDirectory);
    return paths;
}

} // namespace fcw
