#pragma once

#include "editor/interface_text.h"

#include <QString>

#include <optional>
#include <string_view>

class QCoreApplication;

namespace fcw {

// Loads the texts of the interface in `language` into the application: for Japanese the
// toolkit's own Japanese texts (standard buttons, file, print and colour dialogs), so they
// speak the language of the rest of the window whatever the user's locale; for English the
// program's English catalogue, and the toolkit keeps its own English. False when a catalogue is
// missing (the texts it would give stay Japanese, or the toolkit's English).
bool installInterfaceTranslations(QCoreApplication& app, InterfaceLanguage language);

// The program's catalogue of `language` as a translator of its own, not installed in the
// application: the batch player's `lang` verb and the tests use it. Nothing for Japanese (the
// source texts need none) or when the catalogue cannot be loaded.
std::optional<Translator> loadCatalogue(InterfaceLanguage language);

// A text the logic marked with FCW_TR_NOOP(context, source), in the installed language.
QString interfaceText(const char* context, std::string_view source);

} // namespace fcw
