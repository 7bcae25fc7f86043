#include "app/qt_host.h"

#include "app/form_dialog.h"
#include "app/main_window.h"
#include "app/palette_panel.h"
#include "app/palette_widget.h"
#include "app/qt_settings_sheet.h"
#include "app/translations.h"
#include "app/view_widget.h"
#include "editor/commands/commands.h"
#include "editor/commands/menus.h"
#include "editor/dialogs/palette_dialog.h"
#include "editor/tools/triangle_popup.h"
#include "render/qt_picture.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLockFile>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace fcw {

namespace {

constexpr const char* kTooManyText =
    QT_TRANSLATE_NOOP("Message", "ポリゴンが多すぎます。これ以上ポリゴンを作れません。");

QString filterString(const FileDialogRequest& r) {
    QStringList parts;
    for (const std::string& f : r.filters) {
        parts << QString::fromStdString(f);
    }
    return parts.join(QStringLiteral(";;"));
}

// The extension a filter such as "STL(*.stl)" names, or "" for none or "*.*".
QString filterSuffix(const QString& filter) {
    const qsizetype star = filter.indexOf(QStringLiteral("*."));
    if (star < 0) {
        return {};
    }
    qsizetype end = star + 2;
    while (end < filter.size() && filter[end].isLetterOrNumber()) {
        ++end;
    }
    return filter.mid(star + 2, end - star - 2);
}

} // namespace

std::string QtHost::translate(const char* context, std::string_view source) const {
    return interfaceText(context, source).toStdString();
}

void QtHost::repaint() {
    if (view_ != nullptr) {
        view_->schedulePaint();
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
        b->setText(interfaceText("Dialog", QT_TRANSLATE_NOOP("Dialog", "はい(&Y)")));
    }
    if (auto* b = box.button(QMessageBox::No)) {
        b->setText(interfaceText("Dialog", QT_TRANSLATE_NOOP("Dialog", "いいえ(&N)")));
    }
    if (auto* b = box.button(QMessageBox::Cancel)) {
        b->setText(interfaceText("Dialog", QT_TRANSLATE_NOOP("Dialog", "キャンセル")));
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
        QMessageBox::warning(window_, QStringLiteral("warning"),
                             interfaceText("Message", kTooManyText));
        return true;
    case kPaletteDialog: {
        PaletteWidget palette(window_, dialog);
        return palette.exec() == QDialog::Accepted;
    }
    default:
        dialog.setTextHost(this);
        return runFormDialog(window_, dialog);
    }
}

bool QtHost::runPropertySheet(PropertySheet& sheet) {
    sheet.setTextHost(this);
    return execSettingsSheet(window_, sheet);
}

int QtHost::popupMenu(int menuId, PixelPoint clientPoint) {
    QMenu menu(window_);
    window_->fillMenu(&menu, menuId == kTrianglePopupMenu ? trianglePopup() : selectionPopup());
    QAction* chosen = menu.exec(view_->mapToGlobal(view_->fromActivePane(clientPoint)));
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

std::optional<FileChoice> QtHost::chooseOpenFile(const FileDialogRequest& request) {
    const QString path = QFileDialog::getOpenFileName(
        window_, QString::fromStdString(request.title), QString::fromStdString(request.initialPath),
        filterString(request));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return FileChoice{path.toStdString(), 0};
}

std::optional<FileChoice> QtHost::chooseSaveFile(const FileDialogRequest& request) {
    QFileDialog dialog(window_, QString::fromStdString(request.title),
                       QString::fromStdString(request.initialPath), filterString(request));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    // A name typed without an extension takes the one of the filter chosen.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        if (const QString suffix = filterSuffix(f); !suffix.isEmpty()) {
            dialog.setDefaultSuffix(suffix);
        }
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    int filterIndex = 0;
    for (std::size_t i = 0; i < request.filters.size(); ++i) {
        if (QString::fromStdString(request.filters[i]) == dialog.selectedNameFilter()) {
            filterIndex = static_cast<int>(i);
        }
    }
    return FileChoice{dialog.selectedFiles().front().toStdString(), filterIndex};
}

void QtHost::setPointerPosition(PixelPoint clientPoint) {
    QCursor::setPos(view_->mapToGlobal(view_->fromActivePane(clientPoint)));
}

bool QtHost::isShiftDown() const {
    return (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) != 0;
}

void QtHost::showProgressText(const std::string& text, PixelPoint at) {
    view_->paintPending(); // the text goes over the current picture
    QImage& image = view_->backBuffer();
    if (image.isNull()) {
        return;
    }
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawText(at.x, at.y + painter.fontMetrics().ascent(), QString::fromStdString(text));
    painter.end();
    view_->showBackBuffer();
}

void QtHost::showStatusMessage(const std::string& text) {
    if (window_ != nullptr) {
        window_->statusBar()->showMessage(QString::fromStdString(text), 15000);
    }
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

bool QtHost::isPalettePanelVisible() const {
    return window_ != nullptr && window_->palettePanel() != nullptr &&
           !window_->palettePanel()->isHidden();
}

void QtHost::togglePalettePanel() {
    PalettePanel* panel = window_->palettePanel();
    panel->setVisible(panel->isHidden());
}

void QtHost::paletteChanged() {
    if (window_ != nullptr && window_->palettePanel() != nullptr) {
        window_->palettePanel()->showPalette();
    }
}

DecodedImage QtHost::decodeImage(const std::string& path, std::size_t maxPixels) {
    return decodePictureFile(path, maxPixels);
}

DecodedImage decodePictureFile(const std::string& path, std::size_t maxPixels) {
    QImageReader reader(QString::fromStdString(path), "png");
    const QSize size = reader.size(); // from the header, before any pixel is decoded
    if (size.isValid() &&
        static_cast<std::size_t>(size.width()) * static_cast<std::size_t>(size.height()) >
            maxPixels) {
        return {0, 0, {}, QT_TRANSLATE_NOOP("Message", "画像が大きすぎます（上限 100 万画素）")};
    }
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
        return {0, 0, {}, QT_TRANSLATE_NOOP("Message", "PNG 画像として読めません")};
    }
    DecodedImage out{image.width(), image.height(), {}, {}};
    out.argb.reserve(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        out.argb.insert(out.argb.end(), row, row + image.width());
    }
    return out;
}

DecodedImage QtHost::decodeReferenceImage(const std::string& path, int maxSide,
                                          std::uint64_t maxBytes) {
    return decodeReferencePictureFile(path, maxSide, maxBytes);
}

DecodedImage decodeReferencePictureFile(const std::string& path, int maxSide,
                                        std::uint64_t maxBytes) {
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    // The reader's own ceiling, in megabytes, for headers that give no size.
    reader.setAllocationLimit(static_cast<int>(maxBytes >> 20));
    auto tooLarge = [&](QSize s) {
        return s.width() > maxSide || s.height() > maxSide ||
               4 * static_cast<std::uint64_t>(s.width()) * static_cast<std::uint64_t>(s.height()) >
                   maxBytes;
    };
    constexpr const char* kTooLarge = QT_TRANSLATE_NOOP("Message", "画像が大きすぎます");
    const QSize size = reader.size(); // from the header, before any pixel is decoded
    if (size.isValid() && tooLarge(size)) {
        return {0, 0, {}, kTooLarge};
    }
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
        return {0, 0, {}, QT_TRANSLATE_NOOP("Message", "画像として読めません")};
    }
    if (tooLarge(image.size())) {
        return {0, 0, {}, kTooLarge};
    }
    DecodedImage out{image.width(), image.height(), {}, {}};
    out.argb.reserve(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        out.argb.insert(out.argb.end(), row, row + image.width());
    }
    return out;
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

QtHost::QtHost(InterfaceLanguage language) : language_(language) {}
QtHost::~QtHost() = default; // gives up the locks still held, removing their files

bool QtHost::tryLockFile(const std::string& path) {
    if (locks_.count(path) != 0) {
        return true;
    }
    auto lock = std::make_unique<QLockFile>(QString::fromStdString(path));
    // Only a lock whose process has ended is stale, however old it is: an instance left open
    // for days still owns its copy.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return false;
    }
    locks_[path] = std::move(lock);
    return true;
}

void QtHost::releaseLockFile(const std::string& path) {
    locks_.erase(path); // unlocks and removes the file
}

FrameRasteriser QtHost::pictureRasteriser() const {
    return rasterisePicture;
}

bool QtHost::showProgress(const std::string& title, int done, int total) {
    if (!progress_) {
        // The toolkit's own Cancel button, in the toolkit's language.
        progress_ = std::make_unique<QProgressDialog>(window_);
        progress_->setLabelText(QString::fromStdString(title));
        progress_->setWindowTitle(QStringLiteral("FacetCraftwerk"));
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(0);
    }
    progress_->setMaximum(total);
    progress_->setValue(done);
    QApplication::processEvents();
    return !progress_->wasCanceled();
}

void QtHost::endProgress() {
    progress_.reset();
}

} // namespace fcw
