#pragma once

#include "editor/editor.h"

#include <QDockWidget>

#include <functional>

class QLineEdit;

namespace fcw {

class SwatchGrid;

// The palette panel docked beside the view: the editor's palette as swatches (a click makes
// one the current colour and picks the Paint tool), a field that takes #RRGGBB, and buttons for
// reading, writing and making a palette. It shows the editor's palette and keeps nothing of
// its own.
class PalettePanel : public QDockWidget {
  public:
    // `runCommand` sends a command as its menu item does; `afterInput` runs after a swatch
    // click or a typed colour (the window repaints and updates its command states).
    PalettePanel(Editor& editor, std::function<void(int)> runCommand,
                 std::function<void()> afterInput, QWidget* parent);
    // Shows the editor's palette again (after it changed).
    void showPalette();
    SwatchGrid* grid() { return grid_; }
    QLineEdit* field() { return field_; }

  private:
    Editor& editor_;
    std::function<void()> afterInput_;
    SwatchGrid* grid_ = nullptr;
    QLineEdit* field_ = nullptr;
};

// The swatches, 16 to a row, each kSwatchPixels square, in palette order.
class SwatchGrid : public QWidget {
  public:
    static constexpr int kColumns = 16;
    static constexpr int kSwatchPixels = 14;
    SwatchGrid(Editor& editor, std::function<void(std::size_t)> onPick, QWidget* parent);
    // The swatch under a point of the widget, or -1.
    int swatchAt(QPoint point) const;
    QRect swatchRect(std::size_t index) const;
    void showPalette();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    Editor& editor_;
    std::function<void(std::size_t)> onPick_;
};

} // namespace fcw
