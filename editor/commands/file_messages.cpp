#include "editor/commands/file_messages.h"

#include "editor/editor.h"
#include "editor/interface_text.h"

namespace fcw {

namespace {

constexpr char kNotFound[] = FCW_TR_NOOP(
    "Message", "%1\nこのﾌｧｲﾙが見つかりません。\nﾊﾟｽとﾌｧｲﾙ名が正しいかどうか確認してださい。");
constexpr char kAccessDenied[] = FCW_TR_NOOP("Message", "%1 にアクセスできません。");
constexpr char kDiskFull[] =
    FCW_TR_NOOP("Message", "出力先のﾃﾞｨｽｸ ﾄﾞﾗｲﾌﾞの空き容量が不足しています。");
constexpr char kTooLarge[] = FCW_TR_NOOP("Message", "%1 は大きすぎて読み込めません。");
constexpr char kReadError[] =
    FCW_TR_NOOP("Message", "%1 の読み込み中に予期しないエラーが発生しました。");
constexpr char kWriteError[] =
    FCW_TR_NOOP("Message", "%1 の保存中に予期しないエラーが発生しました。");

} // namespace

std::string withName(const std::string& pattern, const std::string& name) {
    std::string text = pattern;
    const auto at = text.find("%1");
    if (at != std::string::npos) {
        text.replace(at, 2, name);
    }
    return text;
}

void reportFileError(Editor& editor, const FileResult& result, const std::string& path,
                     FileAccess access) {
    const char* pattern = access == FileAccess::Writing ? kWriteError : kReadError;
    switch (result.error) {
    case FileError::NotFound:
        pattern = kNotFound;
        break;
    case FileError::AccessDenied:
        pattern = kAccessDenied;
        break;
    case FileError::DiskFull:
        pattern = kDiskFull;
        break;
    case FileError::TooLarge:
        pattern = kTooLarge;
        break;
    case FileError::None:
    case FileError::Other:
        break;
    }
    editor.host.messageBox(withName(editor.host.translate(text_context::kMessage, pattern), path),
                           MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace fcw
