#include "editor/commands/interchange_commands.h"

#include "editor/commands/file_messages.h"
#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/tools/operation.h"
#include "io/child_sandbox.h"
#include "io/interchange.h"
#include "io/model_files.h"

#include <cstdio>
#include <vector>

namespace fcw {

namespace {

using text_context::kMessage;

constexpr char kReduceQuestion[] =
    FCW_TR_NOOP("Message", "%1\nこのファイルには三角形が %2 個あります（上限 3000 "
                           "個）。\n3000 個以下に減らして読み込みますか?");
constexpr char kTrianglesRead[] = FCW_TR_NOOP("Status", "%1 個の三角形を読み込みました");
constexpr char kReducedFrom[] = FCW_TR_NOOP("Status", "（%1 個から減らしました）");
constexpr char kDroppedFaces[] =
    FCW_TR_NOOP("Status", "。点・線・面積のない面・不正な座標の面 %1 個を除きました");

constexpr char kUnconfined[] = FCW_TR_NOOP(
    "Status",
    "（このシステムでは読み込み用のプロセスを隔離できないため、隔離せずに読み込みました）");

struct FormatFilter {
    const char* text;
    const char* suffix;
};

constexpr FormatFilter kWritable[] = {
    {FCW_TR_NOOP("Files", "glTF バイナリ(*.glb)"), "glb"},
    {"glTF(*.gltf)", "gltf"},
    {"Wavefront OBJ(*.obj)", "obj"},
    {"STL(*.stl)", "stl"},
    {"PLY(*.ply)", "ply"},
    {"3MF(*.3mf)", "3mf"},
};

void tell(Editor& editor, const std::string& text) {
    editor.host.messageBox(text, MessageButtons::Ok, MessageIcon::Warning);
}

// `pattern` in the host's language with the path and the reason filled in (a reason the
// readers and writers word is looked up too).
std::string cannot(const Editor& editor, const char* pattern, const std::string& path,
                   const std::string& reason) {
    return fillIn(editor.host.translate(kMessage, pattern),
                  {path, editor.host.translate(kMessage, reason)});
}

std::string statusText(const Editor& editor, const char* pattern, std::size_t count) {
    return fillIn(editor.host.translate(text_context::kStatus, pattern), {std::to_string(count)});
}

std::vector<std::string> filtersOf(const Editor& editor) {
    std::vector<std::string> filters;
    for (const FormatFilter& f : kWritable) {
        filters.push_back(editor.host.translate(text_context::kFiles, f.text));
    }
    return filters;
}

std::string scaleText(double scale) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", scale);
    return text;
}

// On a kernel with neither seccomp nor Landlock the reading child runs unconfined; the first
// import of the run says so in the status line.
std::string unconfinedNote(Editor& editor) {
    const SandboxSupport support = sandboxSupport();
    if (editor.services.unconfinedReadNoted || support.syscallFilter || support.folderLimit) {
        return {};
    }
    editor.services.unconfinedReadNoted = true;
    return editor.host.translate(text_context::kStatus, kUnconfined);
}

} // namespace

std::string exportDialogTitle(double exportScale, std::string_view pattern) {
    return fillIn(pattern, {scaleText(exportScale)});
}

bool importForeignFile(Editor& editor, const std::string& path, OverCapacity overCapacity) {
    EditTransaction edit(editor); // ends the operation whether or not the file can be read
    if (foreignFormatOf(path) == ForeignFormat::Unknown) {
        tell(editor, cannot(editor, kCannotRead, path, kUnknownExtension));
        return false;
    }
    ForeignRead r = readForeignModel(path, editor.services.settings.importScale,
                                     editor.session.interaction.currentColour);
    if (!r.error.empty()) {
        if (const std::string note = unconfinedNote(editor); !note.empty()) {
            editor.host.showStatusMessage(note);
        }
        tell(editor, cannot(editor, kCannotRead, path, r.error));
        return false;
    }
    const std::size_t found = r.triangles.size();
    if (found > static_cast<std::size_t>(kMaxTriangles) && overCapacity == OverCapacity::Ask &&
        editor.host.messageBox(
            fillIn(editor.host.translate(kMessage, kReduceQuestion), {path, std::to_string(found)}),
            MessageButtons::YesNo, MessageIcon::Question) != MessageResult::Yes) {
        return false;
    }
    reduceToCapacity(r.triangles);

    edit.goAhead();
    replaceModel(editor, r.triangles);
    edit.commit();
    editor.repaint();
    std::string status = statusText(editor, kTrianglesRead, r.triangles.size());
    if (found != r.triangles.size()) {
        status += statusText(editor, kReducedFrom, found);
    }
    if (r.dropped > 0) {
        status += statusText(editor, kDroppedFaces, static_cast<std::size_t>(r.dropped));
    }
    editor.host.showStatusMessage(status + unconfinedNote(editor));
    return true;
}

void importForeign(Editor& editor) {
    FileDialogRequest request;
    const Host& host = editor.host;
    request.title =
        host.translate(text_context::kFiles, FCW_TR_NOOP("Files", "形式を指定して読み込み"));
    request.filters = {host.translate(
        text_context::kFiles,
        FCW_TR_NOOP("Files",
                    "3D モデル(*.glb *.gltf *.obj *.stl *.ply *.3mf *.dae *.fbx *.3ds *.off)"))};
    for (const std::string& f : filtersOf(editor)) {
        request.filters.push_back(f);
    }
    request.filters.push_back(
        host.translate(text_context::kFiles, FCW_TR_NOOP("Files", "全て(*.*)")));
    const auto choice = editor.host.chooseOpenFile(request);
    if (!choice) {
        return;
    }
    if (choice->path.empty()) {
        tell(editor, editor.host.translate(kMessage, kNoFileName));
        return;
    }
    importForeignFile(editor, choice->path, OverCapacity::Ask);
}

bool exportForeignFile(Editor& editor, const std::string& path) {
    // Like Save, only the finished triangles: a half-drawn one or a sphere's slot stays out.
    int count = editor.document.store.count();
    if (provisionalSlot(editor) >= 0 && count > 0) {
        --count;
    }
    std::vector<TriangleCore> triangles;
    triangles.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        triangles.push_back(
            editor.document.store.modelTriangles[static_cast<std::size_t>(i)].core());
    }
    std::string error;
    if (!writeForeignModel(path, triangles, editor.services.settings.exportScale, &error)) {
        tell(editor, cannot(editor, kCannotWrite, path, error));
        return false;
    }
    return true;
}

void exportForeign(Editor& editor) {
    FileDialogRequest request;
    request.title = exportDialogTitle(editor.services.settings.exportScale,
                                      editor.host.translate(text_context::kFiles, kExportTitle));
    request.filters = filtersOf(editor);
    request.defaultSuffix = kWritable[0].suffix;
    const auto choice = editor.host.chooseSaveFile(request);
    if (!choice) {
        return;
    }
    if (choice->path.empty()) {
        tell(editor, editor.host.translate(kMessage, kNoFileName));
        return;
    }
    std::string path = choice->path;
    // A name without a writable extension takes the one of the filter chosen.
    if (!isWritable(foreignFormatOf(path)) && choice->filterIndex >= 0 &&
        choice->filterIndex < static_cast<int>(std::size(kWritable))) {
        path += std::string(".") + kWritable[choice->filterIndex].suffix;
    }
    exportForeignFile(editor, path);
}

} // namespace fcw
