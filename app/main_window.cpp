#include "app/main_window.h"

#include "app/form_dialogs.h"
#include "app/lock_keys.h"
#include "app/qt_input.h"
#include "app/qt_settings_sheet.h"
#include "app/toolbar_icons.h"
#include "editor/batch_player.h"
#include "editor/commands.h"
#include "editor/default_paths.h"
#include "editor/document_commands.h"
#include "editor/frame_step.h"
#include "editor/keyboard.h"
#include "editor/menus.h"
#include "editor/mouse_tools.h"
#include "editor/navigation.h"
#include "editor/palette_dialog.h"
#include "editor/recent_files.h"
#include "editor/transform_dialogs.h"
#include "render/palette.h"
#include "render/qt_canvas.h"
#include "render/scene_painter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
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

#include <map>

namespace fcw {

namespace {

constexpr const char* kTooManyText = "ポリゴンが多すぎます。これ以上ポリゴンを作れません。";

QString filterString(const FileDialogRequest& r) {
    QStringList parts;
    for (const std::string& f : r.filters) {
        parts << QString::fromStdString(f);
    }
    return parts.join(QStringLiteral(";;"));
}

} // namespace

// ---- ViewWidget ----

ViewWidget::ViewWidget(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage ViewWidget::paintScenePicture(Editor& editor) {
    const SceneFrame frame = stepFrame(editor);
    QtCanvas canvas(std::max(frame.client.right, 1), std::max(frame.client.bottom, 1));
    paintScene(frame, canvas);
    return canvas.image();
}

void ViewWidget::paintNow() {
    image_ = paintScenePicture(editor_);
    repaint();
}

void ViewWidget::paintEvent(QPaintEvent*) {
    if (image_.size() != size()) {
        editor_.camera.clientRect = {0, 0, width(), height()};
        image_ = paintScenePicture(editor_);
    }
    QPainter(this).drawImage(0, 0, image_);
}

void ViewWidget::resizeEvent(QResizeEvent*) {
    resizeView(editor_, width(), height());
    image_ = QImage(); // the next paint event paints the new size
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
    const unsigned flags = flagsOf(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton) {
        onLeftButtonDown(editor_, flags, pointOf(event->position()));
    } else if (event->button() == Qt::RightButton) {
        onRightButtonDown(editor_, flags, pointOf(event->position()));
    }
    inputHandled();
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
    onMouseMove(editor_, flagsOf(event->buttons(), event->modifiers()), pointOf(event->position()));
    inputHandled();
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        onLeftButtonUp(editor_, flagsOf(event->buttons(), event->modifiers()),
                       pointOf(event->position()));
    }
    inputHandled();
}

void ViewWidget::wheelEvent(QWheelEvent* event) {
    wheelZoom(editor_, event->angleDelta().y());
    inputHandled();
}

void ViewWidget::keyPressEvent(QKeyEvent* event) {
    onKeyDown(editor_, keyOf(event), (event->modifiers() & Qt::ControlModifier) != 0);
    inputHandled();
}

void ViewWidget::inputHandled() {
    if (afterInput_) {
        afterInput_();
    }
}

// ---- QtHost ----

void QtHost::repaint() {
    if (view_ != nullptr) {
        view_->paintNow();
    }
    if (window_ != nullptr) {
        window_->refreshCommandStates(); // whatever changed the picture may change the rules
    }
}

void QtHost::beep() {
    QApplication::beep();
}

MessageResult QtHost::messageBox(const std::string& text, MessageButtons buttons,
                                 MessageIcon icon) {
    QMessageBox box(window_);
    box.setWindowTitle(QStringLiteral("FacetCraftwerk"));
    box.setText(QString::fromStdString(text));
    box.setIcon(icon == MessageIcon::Question  ? QMessageBox::Question
                : icon == MessageIcon::Error   ? QMessageBox::Critical
                : icon == MessageIcon::Warning ? QMessageBox::Warning
                                               : QMessageBox::Information);
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    if (auto* b = box.button(QMessageBox::Yes)) {
        b->setText(QStringLiteral("はい(&Y)"));
    }
    if (auto* b = box.button(QMessageBox::No)) {
        b->setText(QStringLiteral("いいえ(&N)"));
    }
    if (auto* b = box.button(QMessageBox::Cancel)) {
        b->setText(QStringLiteral("キャンセル"));
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Ok:
        return MessageResult::Ok;
    default:
        return MessageResult::Cancel;
    }
}

bool QtHost::runDialog(Dialog& dialog) {
    switch (dialog.resourceId()) {
    case kAboutDialog:
        window_->showAbout();
        return true;
    case kTooManyPolygonsDialog:
        QMessageBox::warning(window_, QStringLiteral("warning"), QString::fromUtf8(kTooManyText));
        return true;
    case kPaletteDialog: {
        return runPaletteDialog(window_, dialog);
    }
    default:
        return runFormDialog(window_, dialog);
    }
}

bool QtHost::runPropertySheet(PropertySheet& sheet) {
    return execSettingsSheet(window_, sheet);
}

int QtHost::popupMenu(int menuId, PixelPoint clientPoint) {
    QMenu menu(window_);
    window_->fillMenu(&menu, menuId == kTrianglePopupMenu ? trianglePopup() : selectionPopup());
    QAction* chosen = menu.exec(view_->mapToGlobal(QPoint(clientPoint.x, clientPoint.y)));
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

std::optional<FileChoice> QtHost::chooseOpenFile(const FileDialogRequest& request) {
    const QString path = QFileDialog::getOpenFileName(
        window_, QString(), QString::fromStdString(request.initialPath), filterString(request));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return FileChoice{path.toStdString(), 0};
}

std::optional<FileChoice> QtHost::chooseSaveFile(const FileDialogRequest& request) {
    QFileDialog dialog(window_, QString(), QString::fromStdString(request.initialPath),
                       filterString(request));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return FileChoice{dialog.selectedFiles().front().toStdString(), 0};
}

void QtHost::setPointerPosition(PixelPoint clientPoint) {
    QCursor::setPos(view_->mapToGlobal(QPoint(clientPoint.x, clientPoint.y)));
}

bool QtHost::isShiftDown() const {
    return (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) != 0;
}

void QtHost::showProgressText(const std::string& text, PixelPoint at) {
    QImage& image = view_->backBuffer();
    if (image.isNull()) {
        return;
    }
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawText(at.x, at.y + painter.fontMetrics().ascent(), QString::fromStdString(text));
    painter.end();
    view_->repaint();
}

void QtHost::documentStateChanged() {
    if (window_ != nullptr) {
        window_->updateTitle();
    }
}

void QtHost::quitApplication() {
    window_->close(); // the close event offers a modified document for saving
}

bool QtHost::isToolbarVisible() const {
    return window_ != nullptr && window_->toolbar() != nullptr && !window_->toolbar()->isHidden();
}

void QtHost::toggleToolbar() {
    QToolBar* toolbar = window_->toolbar();
    toolbar->setVisible(toolbar->isHidden());
}

void QtHost::pageSetup() {
    window_->pageSetup();
}

void QtHost::print() {
    window_->print();
}

bool QtHost::showHelp(const std::string& path) {
    // The desktop's viewer shows the page.
    const QString help = QString::fromStdString(path);
    return QFileInfo::exists(help) && QDesktopServices::openUrl(QUrl::fromLocalFile(help));
}

// ---- MainWindow ----

MainWindow::MainWindow(Editor& editor, QtHost& host) : editor_(editor), host_(host) {
    setWindowIcon(QIcon(applicationPicture(64)));
    view_ = new ViewWidget(editor, this);
    view_->setAfterInput([this] { refreshCommandStates(); });
    setCentralWidget(view_);
    buildMenus();
    buildToolbar();
    // The message pane says "ﾚﾃﾞｨ" whenever no prompt is shown.
    QObject::connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty()) {
            statusBar()->showMessage(QStringLiteral("ﾚﾃﾞｨ"));
        }
    });
    statusBar()->showMessage(QStringLiteral("ﾚﾃﾞｨ"));
    const char* names[4] = {"ｶﾅ", "CAP", "NUM", "SCRL"};
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
    updateIndicators();
    addAccelerators();
    resize(1000, 750);
    updateTitle();
    refreshCommandStates();
}

void MainWindow::updateIndicators() {
    const LockKey keys[4] = {LockKey::Kana, LockKey::Caps, LockKey::Num, LockKey::Scroll};
    for (int i = 0; i < 4; ++i) {
        const QString name = indicators_[i]->objectName();
        indicators_[i]->setText(isLockKeyOn(keys[i]) ? name : QString());
    }
}

void MainWindow::showAbout() {
    QDialog about(this);
    about.setWindowTitle(QStringLiteral("About FacetCraftwerk"));
    auto* layout = new QHBoxLayout(&about);
    auto* picture = new QLabel(&about);
    picture->setPixmap(applicationPicture(32));
    picture->setAlignment(Qt::AlignTop);
    layout->addWidget(picture);
    auto* column = new QVBoxLayout;
    column->addWidget(new QLabel(QStringLiteral("FacetCraftwerk Version 1.0"), &about));
    column->addWidget(new QLabel(QStringLiteral("三角形ポリゴンのモデラー"), &about));
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
    setWindowTitle(QString::fromStdString(editor_.document.displayName()) +
                   QStringLiteral(" - FacetCraftwerk"));
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
    // The view's picture, scaled to fit the printable area with its proportions kept.
    const QImage picture = ViewWidget::paintScenePicture(editor_);
    QPainter painter(&printer_);
    const QRect page = painter.viewport();
    QSize size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(picture.rect());
    painter.drawImage(0, 0, picture);
}

void MainWindow::fillMenu(QMenu* menu, const MenuItem& item) {
    for (const MenuItem& child : item.items) {
        switch (child.kind) {
        case MenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuItem::Kind::Submenu:
            fillMenu(menu->addMenu(
                         QString::fromUtf8(child.text.data(), static_cast<int>(child.text.size()))),
                     child);
            break;
        case MenuItem::Kind::RecentFiles: {
            // One item per file; with none, the first item stands greyed in their place.
            const int shown = std::max(1, static_cast<int>(editor_.recentFiles.size()));
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
        text = QString::fromUtf8(c->tip.data(), static_cast<int>(c->tip.size()));
    }
    QAction* action = menu->addAction(text);
    action->setData(id);
    action->setStatusTip(QString::fromUtf8(c->prompt.data(), static_cast<int>(c->prompt.size())));
    action->setCheckable(c->isChecked != nullptr);
    action->setChecked(c->isChecked != nullptr && c->isChecked(editor_));
    action->setEnabled(c->isEnabled == nullptr || c->isEnabled(editor_));
    if (const Accelerator* accelerator = acceleratorFor(id);
        accelerator != nullptr && menu->parent() != nullptr) {
        action->setShortcut(QKeySequence(QString::fromStdString(shortcutText(accelerator->chord))));
    }
}

void MainWindow::buildMenus() {
    for (const MenuItem& top : mainMenu()) {
        QMenu* menu = menuBar()->addMenu(
            QString::fromUtf8(top.text.data(), static_cast<int>(top.text.size())));
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
        QString tip = c ? QString::fromUtf8(c->tip.data(), static_cast<int>(c->tip.size()))
                        : QString::number(id);
        QAction* action = toolbar_->addAction(toolbarIcon(id, tip), tip);
        action->setToolTip(tip);
        // Hovering shows the command's prompt in the status bar, as its menu item does.
        action->setStatusTip(
            c ? QString::fromUtf8(c->prompt.data(), static_cast<int>(c->prompt.size()))
              : QString());
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
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (saveModifiedIfAsked(editor_)) {
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
