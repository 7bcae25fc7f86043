#include "app/qt_input.h"

#include "editor/mouse_tools.h"

#include <QKeyEvent>

namespace fcw {

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

PixelPoint pointOf(const QPointF& p) {
    return {static_cast<std::int32_t>(p.x()), static_cast<std::int32_t>(p.y())};
}

} // namespace fcw
