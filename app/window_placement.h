#pragma once

#include "editor/editor.h"

#include <QRect>
#include <QString>

class QMainWindow;

namespace fcw {

// The size the window asks for on a large enough screen.
inline constexpr int kPreferredWidth = 1000;
inline constexpr int kPreferredHeight = 750;

// The first window: the preferred size, shrunk to fit the screen's free area (the desktop
// minus its panels) with a margin for the frame, and centred on it.
QRect firstWindowGeometry(const QRect& available);

// Puts the window where it was at the end of the last run (size, position, maximised), as
// kept in `stateFile`; the first time, or when the file holds nothing usable, as
// firstWindowGeometry on the screen the window opens on. A position that lies off every screen
// today (a screen was removed) is brought back onto one.
void restoreWindowPlacement(QMainWindow& window, const QString& stateFile);

// Keeps the window's size, position and maximised state in `stateFile` for the next run.
void saveWindowPlacement(const QMainWindow& window, const QString& stateFile);

// The pane layout and the active pane, kept beside the window's placement (the cameras are
// not kept). What the file lacks or cannot name leaves the start's single layout with
// 自由視点 active.
void restorePaneLayout(Editor& editor, const QString& stateFile);
void savePaneLayout(const Editor& editor, const QString& stateFile);

} // namespace fcw
