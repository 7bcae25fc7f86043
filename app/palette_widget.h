#pragma once

#include "editor/editor.h"
#include "editor/host.h"

#include <QDialog>

namespace fcw {

// The palette: 125 swatches; a click on one chooses it and closes.
class PaletteWidget : public QDialog {
  public:
    PaletteWidget(QWidget* parent, Dialog& model);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    Dialog& model_;
    PixelPoint hover_{-1000, -1000};
};

} // namespace fcw
