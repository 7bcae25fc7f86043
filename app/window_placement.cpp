#include "app/window_placement.h"

#include "editor/view/panes.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>

#include <algorithm>

namespace fcw {

namespace {

constexpr char kGeometryKey[] = "window/geometry";
constexpr char kPaneLayoutKey[] = "window/paneLayout";
constexpr char kActivePaneKey[] = "window/activePane";
// Room for the window manager's frame and title bar around the client area.
constexpr int kFrameMargin = 48;

// True when at least a grip of the title bar lies on some screen.
bool reachable(const QRect& frame) {
    const QRect titleBar(frame.left(), frame.top(), frame.width(), 32);
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersected(titleBar).width() >= 64) {
            return true;
        }
    }
    return false;
}

} // namespace

QRect firstWindowGeometry(const QRect& available) {
    const int width = std::max(320, std::min(kPreferredWidth, available.width() - kFrameMargin));
    const int height = std::max(240, std::min(kPreferredHeight, available.height() - kFrameMargin));
    QRect rect(0, 0, width, height);
    rect.moveCenter(available.center());
    return rect;
}

void restoreWindowPlacement(QMainWindow& window, const QString& stateFile) {
    if (!stateFile.isEmpty()) {
        const QSettings state(stateFile, QSettings::IniFormat);
        const QByteArray geometry = state.value(kGeometryKey).toByteArray();
        // restoreGeometry already moves a window whose screen is gone onto the nearest one;
        // the check below covers a position that is still partly outside.
        if (!geometry.isEmpty() && window.restoreGeometry(geometry) &&
            (window.windowState().testFlag(Qt::WindowMaximized) ||
             reachable(window.frameGeometry()))) {
            return;
        }
    }
    const QScreen* screen =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        window.setGeometry(firstWindowGeometry(screen->availableGeometry()));
    } else {
        window.resize(kPreferredWidth, kPreferredHeight);
    }
}

void saveWindowPlacement(const QMainWindow& window, const QString& stateFile) {
    if (stateFile.isEmpty()) {
        return;
    }
    QSettings state(stateFile, QSettings::IniFormat);
    state.setValue(kGeometryKey, window.saveGeometry());
    state.sync();
}

void restorePaneLayout(Editor& editor, const QString& stateFile) {
    if (stateFile.isEmpty()) {
        return;
    }
    const QSettings state(stateFile, QSettings::IniFormat);
    const QString active = state.value(kActivePaneKey).toString();
    for (std::size_t i = 0; i < editor.session.panes.size(); ++i) {
        if (active == QLatin1String(paneName(editor.session.panes[i].kind))) {
            setActivePane(editor, i);
        }
    }
    if (state.value(kPaneLayoutKey).toString() == QLatin1String("quad")) {
        setPaneLayout(editor, PaneLayout::Quad);
    }
}

void savePaneLayout(const Editor& editor, const QString& stateFile) {
    if (stateFile.isEmpty()) {
        return;
    }
    QSettings state(stateFile, QSettings::IniFormat);
    state.setValue(
        kPaneLayoutKey,
        QLatin1String(editor.session.paneLayout == PaneLayout::Quad ? "quad" : "single"));
    state.setValue(kActivePaneKey, QLatin1String(paneName(editor.pane().kind)));
    state.sync();
}

} // namespace fcw
