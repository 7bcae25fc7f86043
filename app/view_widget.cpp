#include "app/view_widget.h"

#include "app/device_frame.h"
#include "editor/tools/mouse_tools.h"
#include "editor/view/frame_step.h"
#include "editor/view/keyboard.h"
#include "editor/view/navigation.h"
#include "editor/view/panes.h"
#include "render/qt_canvas.h"
#include "render/scene_painter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace fcw {

PixelPoint pixelPointOf(const QPointF& p) {
    return {static_cast<std::int32_t>(p.x()), static_cast<std::int32_t>(p.y())};
}

namespace {

unsigned flagsOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    unsigned f = 0;
    f |= (buttons & Qt::LeftButton) ? mouse_flags::kLeft : 0u;
    f |= (buttons & Qt::RightButton) ? mouse_flags::kRight : 0u;
    f |= (buttons & Qt::MiddleButton) ? mouse_flags::kMiddle : 0u;
    f |= (modifiers & Qt::ShiftModifier) ? mouse_flags::kShift : 0u;
    f |= (modifiers & Qt::ControlModifier) ? mouse_flags::kControl : 0u;
    return f;
}

Key keyOf(const QKeyEvent* event) {
    const bool keypad = (event->modifiers() & Qt::KeypadModifier) != 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Enter;
    case Qt::Key_Space:
        return Key::Space;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_PageUp:
        return Key::PageUp;
    case Qt::Key_PageDown:
        return Key::PageDown;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_End:
        return Key::End;
    default:
        break;
    }
    if (keypad && event->key() >= Qt::Key_1 && event->key() <= Qt::Key_9) {
        return static_cast<Key>(static_cast<int>(Key::Numpad1) + (event->key() - Qt::Key_1));
    }
    return Key::Other;
}

} // namespace

ViewWidget::ViewWidget(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage ViewWidget::paintScenePicture(Editor& editor) {
    ViewPicture picture;
    picture.paint(editor, 1.0);
    return picture.canvas().image();
}

QImage ViewWidget::paintScenePictureScaled(Editor& editor, double scale) {
    ViewPicture picture;
    picture.paint(editor, scale);
    editor.services.depthRenderer.resize(editor.pane().camera.clientRect); // the screen's again
    return picture.canvas().image();
}

void ViewWidget::printView(Editor& editor, QPrinter& printer, double screenDpi) {
    QPainter painter(&printer);
    const QRect page = painter.viewport(); // device pixels
    const PixelPoint view = viewSize(editor);
    const double w = std::max(view.x, 1);
    const double h = std::max(view.y, 1);
    // At most 40 million pixels (160 MB), whatever the printer's resolution.
    constexpr double kMaxPixels = 40e6;
    const double scale =
        std::min({printer.resolution() / std::max(screenDpi, 1.0), page.width() / w,
                  page.height() / h, std::sqrt(kMaxPixels / (w * h))});
    const QImage picture = paintScenePictureScaled(editor, std::max(scale, 0.01));
    painter.drawImage(page.topLeft(), picture);
}

void ViewWidget::paintBackBuffer() {
    // Read at every paint: the toolkit reports no change of screen, so a window moved to a
    // screen of another scale is painted at the new one the next time.
    const double ratio = devicePixelRatioF();
    QtCanvas& canvas = picture_.canvas();
    // The canvas draws in the picture's own pixels (its QPainter too); the picture is shown at
    // the window's size, one picture pixel to a device pixel.
    canvas.mutableImage().setDevicePixelRatio(1.0);
    picture_.paint(editor_, ratio);
    paintScheduled_ = false;
    picture_.canvas().mutableImage().setDevicePixelRatio(ratio);
}

void ViewWidget::paintNow() {
    paintBackBuffer();
    showBackBuffer();
}

void ViewWidget::schedulePaint() {
    recordFrame(editor_, editor_.pane());
    paintScheduled_ = true;
    update();
}

void ViewWidget::paintPending() {
    if (paintScheduled_) {
        paintBackBuffer();
    }
}

void ViewWidget::showBackBuffer() {
    backBufferCurrent_ = true;
    repaint();
    backBufferCurrent_ = false;
}

void ViewWidget::paintEvent(QPaintEvent*) {
    // A platform paint (exposure, a dialog closing) draws the current state: the frame step
    // runs before every paint.
    if (!backBufferCurrent_) {
        layOutPanes(editor_, width(), height());
        paintBackBuffer();
    }
    QPainter(this).drawImage(0, 0, picture_.canvas().image());
}

void ViewWidget::resizeEvent(QResizeEvent*) {
    resizeView(editor_, width(), height());
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
    const unsigned flags = flagsOf(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton) {
        onLeftButtonDown(editor_, flags, pressInPane(editor_, pixelPointOf(event->position())));
    } else if (event->button() == Qt::RightButton) {
        onRightButtonDown(editor_, flags, pressInPane(editor_, pixelPointOf(event->position())));
    } else if (event->button() == Qt::MiddleButton) {
        // The middle-button pan moves the pane it starts in, as the wheel zooms the one under
        // the pointer.
        pressInPane(editor_, pixelPointOf(event->position()));
    }
    inputHandled();
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
    onMouseMove(editor_, flagsOf(event->buttons(), event->modifiers()),
                inActivePane(editor_, pixelPointOf(event->position())));
    inputHandled();
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        onLeftButtonUp(editor_, flagsOf(event->buttons(), event->modifiers()),
                       inActivePane(editor_, pixelPointOf(event->position())));
    }
    inputHandled();
}

void ViewWidget::wheelEvent(QWheelEvent* event) {
    pressInPane(editor_, pixelPointOf(event->position())); // the pane under the pointer
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

} // namespace fcw
