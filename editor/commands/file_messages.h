#pragma once

#include "io/atomic_file.h"

#include <string>

namespace fcw {

class Editor;

enum class FileAccess { Reading, Writing };

// `pattern` with its "%1" replaced by `name`.
std::string withName(const std::string& pattern, const std::string& name);

// Tells the user why reading or writing `path` failed, in the program's standard file-error
// texts.
void reportFileError(Editor& editor, const FileResult& result, const std::string& path,
                     FileAccess access);

} // namespace fcw
