#include "editor/interchange_commands.h"

#include "editor/editor.h"
#include "editor/file_messages.h"
#include "editor/operation.h"
#include "io/interchange.h"
#include "io/model_files.h"

#include <cstdio>
#include <vector>

namespace fcw {

namespace {

constexpr char kNoFileName[] = "ファイル名が指定されませんでした";
constexpr char kCannotRead[] = "%1\nこのファイルを読み込めません: ";
constexpr char kCannotWrite[] = "%1\nこのファイルに書き出せません: ";
constexpr char kReduceQuestion[] = "%1\nこのファイルには三角形が %2 個あります（上限 3000 "
                                   "個）。\n3000 個以下に減らして読み込みますか?";

struct FormatFilter {
    const char* text;
    const char* suffix;
};

constexpr FormatFilter kWritable[] = {
    {"glTF バイナリ(*.glb)", "glb"}, {"glTF(*.gltf)", "gltf"}, {"Wavefront OBJ(*.obj)", "obj"},
    {"STL(*.stl)", "stl"},           {"PLY(*.ply)", "ply"},    {"3MF(*.3mf)", "3mf"},
};

std::string withCount(std::string text, std::size_t count) {
    const auto at = text.find("%2");
    if (at != std::string::npos) {
        text.replace(at, 2, std::to_string(count));
    }
    return text;
}

void tell(Editor& editor, const std::string& text) {
    editor.host.messageBox(text, MessageButtons::Ok, MessageIcon::Warning);
}

std::string scaleText(double scale) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", scale);
    return text;
}

} // namespace

std::string exportDialogTitle(double exportScale) {
    return "形式を指定して書き出し（STL と 3MF では 1 単位が " + scaleText(exportScale) +
           " mm になります）";
}

bool importForeignFile(Editor& editor, const std::string& path, OverCapacity overCapacity) {
    endOperation(editor); // as every import does, whether or not the file can be read
    if (foreignFormatOf(path) == ForeignFormat::Unknown) {
        tell(editor, withName(kCannotRead, path) + "この拡張子の形式は読めません");
        return false;
    }
    ForeignRead r =
        readForeignModel(path, editor.settings.importScale, editor.interaction.currentColour);
    if (!r.error.empty()) {
        tell(editor, withName(kCannotRead, path) + r.error);
        return false;
    }
    const std::size_t found = r.triangles.size();
    if (found > static_cast<std::size_t>(kMaxTriangles) && overCapacity == OverCapacity::Ask &&
        editor.host.messageBox(withCount(withName(kReduceQuestion, path), found),
                               MessageButtons::YesNo,
                               MessageIcon::Question) != MessageResult::Yes) {
        return false;
    }
    reduceToCapacity(r.triangles);

    editor.takeSnapshot();
    replaceModel(editor, r.triangles);
    editor.countEdit();
    editor.repaint();
    std::string status = std::to_string(r.triangles.size()) + " 個の三角形を読み込みました";
    if (found != r.triangles.size()) {
        status += "（" + std::to_string(found) + " 個から減らしました）";
    }
    if (r.dropped > 0) {
        status += "。点・線・面積のない面・不正な座標の面 " + std::to_string(r.dropped) +
                  " 個を除きました";
    }
    editor.host.showStatusMessage(status);
    return true;
}

void importForeign(Editor& editor) {
    FileDialogRequest request;
    request.title = "形式を指定して読み込み";
    request.filters = {"3D モデル(*.glb *.gltf *.obj *.stl *.ply *.3mf *.dae *.fbx *.3ds *.off)"};
    for (const FormatFilter& f : kWritable) {
        request.filters.push_back(f.text);
    }
    request.filters.push_back("全て(*.*)");
    const auto choice = editor.host.chooseOpenFile(request);
    if (!choice) {
        return;
    }
    if (choice->path.empty()) {
        tell(editor, kNoFileName);
        return;
    }
    importForeignFile(editor, choice->path, OverCapacity::Ask);
}

bool exportForeignFile(Editor& editor, const std::string& path) {
    // Like Save, only the finished triangles: a half-drawn one or a sphere's slot stays out.
    int count = editor.store.count();
    if (provisionalSlot(editor) >= 0 && count > 0) {
        --count;
    }
    std::vector<TriangleCore> triangles;
    triangles.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        triangles.push_back(editor.store.modelTriangles[static_cast<std::size_t>(i)].core());
    }
    std::string error;
    if (!writeForeignModel(path, triangles, editor.settings.exportScale, &error)) {
        tell(editor, withName(kCannotWrite, path) + error);
        return false;
    }
    return true;
}

void exportForeign(Editor& editor) {
    FileDialogRequest request;
    request.title = exportDialogTitle(editor.settings.exportScale);
    for (const FormatFilter& f : kWritable) {
        request.filters.push_back(f.text);
    }
    request.defaultSuffix = kWritable[0].suffix;
    const auto choice = editor.host.chooseSaveFile(request);
    if (!choice) {
        return;
    }
    if (choice->path.empty()) {
        tell(editor, kNoFileName);
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
