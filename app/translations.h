#pragma once

class QCoreApplication;

namespace fcw {

// Loads the toolkit's own Japanese texts (standard buttons, file, print and colour dialogs),
// so they speak the language of the rest of the window whatever the user's locale. False when
// the translation file is not installed (the toolkit's English texts stay).
bool installToolkitTranslations(QCoreApplication& app);

} // namespace fcw
