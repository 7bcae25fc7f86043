#pragma once

#include "app/view_picture.h"
#include "editor/editor.h"
#include "render/qt_canvas.h"

#include <QImage>
#include <QPointF>
#include <QPrinter>
#include <QWidget>

#include <functional>

namespace fcw {

// A pointer position in whole pixels of the widget, truncated toward zero as the hit tests are.
PixelPoint pixelPointOf(const QPointF& p);

// The view: shows the painted scene and turns mouse, wheel, key and resize events into the
// editor's handlers.
class ViewWidget : public QWidget {
  public:
    ViewWidget(Editor& editor, QWidget* parent);
    // Paints the scene now into the back buffer and shows it.
    void paintNow();
    // A point in the active pane's pixels, in the widget's.
    QPoint fromActivePane(PixelPoint point) const {
        const PixelPoint o = editor_.pane().origin;
        return {point.x + o.x, point.y + o.y};
    }
    // Records the frame for input at once (recordFrame) and leaves the pixels to the next
    // paint the toolkit runs (update()), so a burst of repaints paints once.
    void schedulePaint();
    // Paints the back buffer now if a scheduled paint has not run yet (before drawing over it).
    void paintPending();
    // Shows the back buffer as it is (after drawing over it), without painting the scene.
    void showBackBuffer();
    // Runs the frame step and paints the scene at the client size (at least 1 x 1).
    static QImage paintScenePicture(Editor& editor);
    // The scene at `scale` device pixels per screen pixel, as a scaled screen shows it
    // (stepDeviceFrame): the model at scale x zoom with one-pixel edges and grid lines, the
    // overlays and the status box `scale` times their size. The camera and the state the
    // frame step keeps are the screen's again afterwards.
    static QImage paintScenePictureScaled(Editor& editor, double scale);
    // Prints the view on one page at the printer's resolution: the scene painted at the
    // printer's dots per screen pixel (screenDpi), shrunk only as far as the page needs.
    static void printView(Editor& editor, QPrinter& printer, double screenDpi);
    QImage& backBuffer() { return picture_.canvas().mutableImage(); }
    // Called after every mouse, wheel and key event has been handled.
    void setAfterInput(std::function<void()> afterInput) { afterInput_ = std::move(afterInput); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void inputHandled();
    // The frame step, then the scene into the back buffer at the widget's device pixel ratio
    // (resized to the widget's device size first).
    void paintBackBuffer();

    Editor& editor_;
    // Kept from paint to paint, so a paint allocates nothing; shown without a copy.
    ViewPicture picture_;
    bool backBufferCurrent_ = false; // set while a paint just made it, so it is shown as is
    bool paintScheduled_ = false;    // schedulePaint ran and no paint since
    std::function<void()> afterInput_;
};

} // namespace fcw
