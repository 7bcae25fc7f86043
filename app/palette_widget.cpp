#include "app/palette_widget.h"

#include "app/view_widget.h"
#include "render/palette.h"
#include "render/qt_canvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace fcw {

PaletteWidget::PaletteWidget(QWidget* parent, Dialog& model) : QDialog(parent), model_(model) {
    setFixedSize(400, 500);
    setMouseTracking(true);
}

void PaletteWidget::paintEvent(QPaintEvent*) {
    QtCanvas canvas(400, 500);
    drawPalette(canvas, hover_);
    QPainter(this).drawImage(0, 0, canvas.image());
}

void PaletteWidget::mouseMoveEvent(QMouseEvent* e) {
    hover_ = pixelPointOf(e->position());
    update();
}

void PaletteWidget::mousePressEvent(QMouseEvent* e) {
    const PixelPoint p = pixelPointOf(e->position());
    hover_ = p; // the chosen swatch is drawn enlarged as the dialog closes
    repaint();
    if (model_.clickAt(p.x, p.y)) {
        accept();
    }
}

} // namespace fcw
