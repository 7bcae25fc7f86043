#pragma once

class QLineEdit;

namespace fcw {

// Makes a numeric field select its whole text whenever it gets the focus (by click, Tab or
// when its dialog opens), so typing replaces the value instead of joining it ("0-5" for "-5").
void selectAllOnFocus(QLineEdit* edit);

} // namespace fcw
