#pragma once

namespace fcw {

enum class LockKey { Kana, Caps, Num, Scroll };

// Whether the keyboard's lock is on. Known only on an X11 display; elsewhere always false.
bool isLockKeyOn(LockKey key);

} // namespace fcw
