#include "app/lock_keys.h"

#include <QGuiApplication>

#ifdef FCW_HAVE_X11
// Xlib defines macros (None, Bool, KeyPress…) that clash with Qt's names, so it comes last and
// stays in this file.
#include <X11/XKBlib.h>
#endif

namespace fcw {

bool isLockKeyOn(LockKey key) {
#ifdef FCW_HAVE_X11
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr) {
        return false;
    }
    const char* name = key == LockKey::Kana   ? "Kana"
                       : key == LockKey::Caps ? "Caps Lock"
                       : key == LockKey::Num  ? "Num Lock"
                                              : "Scroll Lock";
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0) {
        return false; // the server has no such indicator
    }
    int on = 0;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) {
        return false;
    }
    return on != 0;
#else
    (void)key;
    return false;
#endif
}

} // namespace fcw
