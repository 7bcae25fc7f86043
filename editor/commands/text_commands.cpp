#include "editor/commands/text_commands.h"

#include "editor/commands/file_messages.h"
#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/tools/operation.h"
#include "io/text_export.h"
#include "io/text_import.h"

#include <optional>
#include <span>
#include <string_view>

namespace fcw {

namespace {

constexpr char kUnknownType[] = FCW_TR_NOOP("Message", "ファイルタイプを識別できませんでした");

std::string fileName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string extensionOf(const std::string& path) {
    const std::string name = fileName(path);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string titleOf(const std::string& path) {
    const std::string name = fileName(path);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

void warn(Editor& editor, std::string_view message) {
    editor.host.messageBox(editor.host.translate(text_context::kMessage, message),
                           MessageButtons::Ok, MessageIcon::Warning);
}

FileDialogRequest exportDialog(const Host& host, int defaultFormat) {
    FileDialogRequest r;
    const std::string dxf = "DXF(*.dxf)";
    const std::string type1 =
        host.translate(text_context::kFiles, FCW_TR_NOOP("Files", "テキスト(1)(*.tx1)"));
    const std::string type2 =
        host.translate(text_context::kFiles, FCW_TR_NOOP("Files", "テキスト(2)(*.tx2)"));
    const std::string all = host.translate(text_context::kFiles, FCW_TR_NOOP("Files", "全て(*.*)"));
    switch (defaultFormat) {
    case 0:
        r.defaultSuffix = "dxf";
        r.filters = {dxf, type1, type2, all};
        break;
    case 1:
        r.defaultSuffix = "tx1";
        r.filters = {type1, type2, dxf, all};
        break;
    case 2:
        r.defaultSuffix = "tx2";
        r.filters = {type2, type1, dxf, all};
        break;
    default:
        break;
    }
    return r;
}

} // namespace

bool writeTextFile(Editor& editor, const std::string& path) {
    int format = editor.services.settings.defaultTextFormat;
    const std::string ext = extensionOf(path);
    if (ext == "dxf") {
        format = 0;
    } else if (ext == "tx1") {
        format = 1;
    } else if (ext == "tx2") {
        format = 2;
    }
    TextExportOptions options;
    options.scale = editor.services.settings.exportScale;
    options.writeColours = editor.services.settings.exportColour != 0;
    options.title = titleOf(path);
    // A half-drawn triangle or a sphere's rectangle holds the last slot: like Save, export
    // only the finished triangles. The drawing goes on.
    int count = editor.document.store.count();
    if (provisionalSlot(editor) >= 0 && count > 0) {
        --count;
    }
    const std::span<const Triangle> triangles(editor.document.store.modelTriangles.data(),
                                              static_cast<std::size_t>(count));
    std::string text; // a format outside 0..2 leaves an empty file
    switch (format) {
    case 0:
        text = writeDxf(triangles, options);
        break;
    case 1:
        text = writeTextType1(triangles, options);
        break;
    case 2:
        text = writeTextType2(triangles, options);
        break;
    default:
        break;
    }
    const FileResult r =
        writeFileAtomically(path,
                            std::span<const std::uint8_t>(
                                reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                            editor.services.writeFaults);
    if (!r) {
        reportFileError(editor, r, path, FileAccess::Writing);
        return false;
    }
    return true;
}

bool readTextFile(Editor& editor, const std::string& path) {
    EditTransaction edit(editor); // ends the operation as Open does, read or not
    const std::string ext = extensionOf(path);
    ModelReader reader(ext == "dxf" || ext == "DXF" ? ModelReader::Format::Dxf
                                                    : ModelReader::Format::Keyword,
                       editor.services.settings.importScale);
    // Line by line, so memory holds the triangles kept and one line whatever the file's length,
    // and reading ends where the reader stops (at a limit, say).
    LineSplitter splitter;
    bool more = true;
    auto take = [&](std::string_view line) { return more = reader.line(line); };
    const FileResult r = readFileInChunks(path, [&](std::span<const std::uint8_t> chunk) {
        return splitter.feed(
            std::string_view(reinterpret_cast<const char*>(chunk.data()), chunk.size()), take);
    });
    if (!r) {
        reportFileError(editor, r, path, FileAccess::Reading);
        return false;
    }
    if (more) {
        splitter.finish(take);
    }
    const std::optional<ImportedModel> model = reader.finish();
    if (!model) {
        warn(editor, kUnknownType);
        return false;
    }
    if (model->refusal) {
        warn(editor, *model->refusal);
        return false;
    }
    if (model->message) {
        warn(editor, *model->message);
    }

    edit.goAhead();
    replaceModel(editor, model->triangles);
    edit.commit();
    editor.repaint();
    return true;
}

void importTextFile(Editor& editor) {
    const auto choice = editor.host.chooseOpenFile(
        exportDialog(editor.host, editor.services.settings.defaultTextFormat));
    if (!choice) {
        return;
    }
    if (choice->path.empty()) {
        warn(editor, kNoFileName);
        return;
    }
    readTextFile(editor, choice->path);
}

void exportTextFile(Editor& editor) {
    const auto choice = editor.host.chooseSaveFile(
        exportDialog(editor.host, editor.services.settings.defaultTextFormat));
    if (!choice) {
        return;
    }
    if (choice->path.empty()) {
        warn(editor, kNoFileName);
        return;
    }
    writeTextFile(editor, choice->path);
}

} // namespace fcw
