#pragma once

#include "io/atomic_file.h"
#include "model/translatable.h"

#include <string>

namespace fcw {

class Editor;

enum class FileAccess { Reading, Writing };

// The messages of the import, export and palette file commands (context "Message").
inline constexpr char kNoFileName[] = FCW_TR_NOOP("Message", "ファイル名が指定されませんでした");
// %1 the path, %2 the reason (the reader's or writer's message).
inline constexpr char kCannotRead[] =
    FCW_TR_NOOP("Message", "%1\nこのファイルを読み込めません: %2");
inline constexpr char kCannotWrite[] =
    FCW_TR_NOOP("Message", "%1\nこのファイルに書き出せません: %2");
inline constexpr char kUnknownExtension[] = FCW_TR_NOOP("Message", "この拡張子の形式は読めません");

// `pattern` with its "%1" replaced by `name`.
std::string withName(const std::string& pattern, const std::string& name);

// Tells the user why reading or writing `path` failed, in the program's standard file-error
// texts.
void reportFileError(Editor& editor, const FileResult& result, const std::string& path,
                     FileAccess access);

} // namespace fcw
