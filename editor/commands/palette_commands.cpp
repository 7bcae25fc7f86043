#include "editor/commands/palette_commands.h"

#include "editor/commands/file_messages.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/tools/operation.h"

#include <filesystem>
#include <vector>

namespace fcw {

namespace {

using text_context::kMessage;

// %1 the most a palette holds, %2 how many were left out.
constexpr char kLeftOver[] = FCW_TR_NOOP(
    "Message",
    "パレットは %1 色までです。最初の %1 色を取り込み、残りの %2 色は入れませんでした。");
constexpr char kSkipped[] =
    FCW_TR_NOOP("Message", "範囲外の値か読めない書式の %1 行（項目）を飛ばしました。");
constexpr char kNoModelColour[] = FCW_TR_NOOP("Message", "モデルに三角形がありません。");
constexpr char kNotAColour[] = FCW_TR_NOOP("Message", "色は #RRGGBB の形で入力してください。");
constexpr char kKeptUnreadable[] =
    FCW_TR_NOOP("Status", "保存されていたパレットを読み込めません: %1");
constexpr char kPaletteFileName[] = "palette.gpl";

struct PaletteFilter {
    const char* text;
    const char* suffix;
    PaletteFormat format;
};
constexpr PaletteFilter kWritable[] = {
    {FCW_TR_NOOP("Files", "GIMP パレット(*.gpl)"), "gpl", PaletteFormat::Gpl},
    {FCW_TR_NOOP("Files", "16 進カラーコード(*.hex)"), "hex", PaletteFormat::Hex},
};

void tell(Editor& editor, const std::string& text, MessageIcon icon = MessageIcon::Warning) {
    editor.host.messageBox(text, MessageButtons::Ok, icon);
}

std::string cannotRead(const Editor& editor, const std::string& path, const std::string& reason) {
    return fillIn(editor.host.translate(kMessage, kCannotRead),
                  {path, editor.host.translate(kMessage, reason)});
}

// One message for everything a read left out, or none when it left nothing out.
void tellLeftOut(Editor& editor, const PaletteRead& read) {
    std::string text;
    if (read.leftOver > 0) {
        text = fillIn(editor.host.translate(kMessage, kLeftOver),
                      {std::to_string(kMaxPaletteColours), std::to_string(read.leftOver)});
    }
    if (read.skipped > 0) {
        text += (text.empty() ? "" : "\n") +
                fillIn(editor.host.translate(kMessage, kSkipped), {std::to_string(read.skipped)});
    }
    if (!text.empty()) {
        tell(editor, text, MessageIcon::Information);
    }
}

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Writes the palette where it is kept between runs. Without a settings file nothing is kept.
void keepPalette(Editor& editor) {
    if (editor.services.paths.profilePath.empty()) {
        return;
    }
    const std::string path = palettePathBeside(editor.services.paths.profilePath);
    std::error_code ignored; // a folder that cannot be made shows as the write's failure
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    if (const FileResult r = writeFileAtomically(
            path, bytesOf(writeGplPalette(editor.services.palette)), editor.services.writeFaults);
        !r) {
        reportFileError(editor, r, path, FileAccess::Writing);
    }
}

void setPalette(Editor& editor, Palette palette) {
    editor.services.palette = std::move(palette);
    keepPalette(editor);
    editor.host.paletteChanged();
}

// The file's name without its folder and extension.
std::string stemOf(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

// The palette in the file at `path`, read as its extension says.
PaletteRead readPaletteFile(Editor& editor, const std::string& path, FileResult& fileResult) {
    const PaletteFormat format = paletteFormatOf(path);
    std::vector<std::uint8_t> bytes;
    if (format == PaletteFormat::Png) {
        // A missing or unreadable file is told as for every other format; the toolkit's
        // decoder would only say that it could not decode it.
        fileResult = readFileStart(path, 8, bytes);
        if (!fileResult) {
            return {};
        }
        const DecodedImage image = editor.host.decodeImage(path, kMaxSwatchPixels);
        if (!image.error.empty()) {
            PaletteRead refused;
            refused.error = image.error;
            return refused;
        }
        return paletteFromPixels(image.argb);
    }
    if (format != PaletteFormat::Unknown) {
        fileResult = readWholeFile(path, bytes, kMaxPaletteFileBytes);
    }
    return readPaletteBytes(format, bytes);
}

} // namespace

std::string palettePathBeside(const std::string& profilePath) {
    return (std::filesystem::path(profilePath).parent_path() / kPaletteFileName).string();
}

bool loadPaletteFile(Editor& editor, const std::string& path) {
    if (paletteFormatOf(path) == PaletteFormat::Unknown) {
        tell(editor, cannotRead(editor, path, kUnknownExtension));
        return false;
    }
    FileResult fileResult;
    PaletteRead read = readPaletteFile(editor, path, fileResult);
    if (!fileResult) {
        reportFileError(editor, fileResult, path, FileAccess::Reading);
        return false;
    }
    if (!read.error.empty()) {
        tell(editor, cannotRead(editor, path, read.error));
        return false;
    }
    if (read.palette.name.empty()) {
        read.palette.name = stemOf(path);
    }
    setPalette(editor, std::move(read.palette));
    tellLeftOut(editor, read);
    return true;
}

bool exportPaletteFile(Editor& editor, const std::string& path) {
    if (editor.services.palette.colours.empty()) {
        tell(editor, editor.host.translate(kMessage, kPaletteEmpty));
        return false;
    }
    const std::string text = paletteFormatOf(path) == PaletteFormat::Hex
                                 ? writeHexPalette(editor.services.palette)
                                 : writeGplPalette(editor.services.palette);
    if (const FileResult r = writeFileAtomically(path, bytesOf(text), editor.services.writeFaults);
        !r) {
        reportFileError(editor, r, path, FileAccess::Writing);
        return false;
    }
    return true;
}

void loadPalette(Editor& editor) {
    const Host& host = editor.host;
    FileDialogRequest request;
    request.title =
        host.translate(text_context::kFiles, FCW_TR_NOOP("Files", "パレットを読み込む"));
    request.filters = {
        host.translate(text_context::kFiles,
                       FCW_TR_NOOP("Files", "パレット(*.gpl *.hex *.txt *.ase *.png)")),
        host.translate(text_context::kFiles, FCW_TR_NOOP("Files", "全て(*.*)"))};
    const auto choice = editor.host.chooseOpenFile(request);
    if (!choice) {
        return;
    }
    if (choice->path.empty()) {
        tell(editor, editor.host.translate(kMessage, kNoFileName));
        return;
    }
    loadPaletteFile(editor, choice->path);
}

void exportPalette(Editor& editor) {
    const Host& host = editor.host;
    FileDialogRequest request;
    request.title =
        host.translate(text_context::kFiles, FCW_TR_NOOP("Files", "パレットを書き出す"));
    for (const PaletteFilter& f : kWritable) {
        request.filters.push_back(host.translate(text_context::kFiles, f.text));
    }
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
    const PaletteFormat format = paletteFormatOf(path);
    if (format != PaletteFormat::Gpl && format != PaletteFormat::Hex && choice->filterIndex >= 0 &&
        choice->filterIndex < static_cast<int>(std::size(kWritable))) {
        path += std::string(".") + kWritable[choice->filterIndex].suffix;
    }
    exportPaletteFile(editor, path);
}

void paletteFromModel(Editor& editor) {
    // The finished triangles only: a half-drawn one or a sphere's slot is not the model's yet.
    int count = editor.document.store.count();
    if (provisionalSlot(editor) >= 0 && count > 0) {
        --count;
    }
    std::vector<Colour> colours;
    colours.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        colours.push_back(editor.document.store.modelTriangles[static_cast<std::size_t>(i)].colour);
    }
    PaletteRead read = paletteFromColours(colours);
    if (!read.error.empty()) {
        tell(editor, editor.host.translate(kMessage, kNoModelColour));
        return;
    }
    read.palette.name = stemOf(editor.document.displayName());
    setPalette(editor, std::move(read.palette));
    tellLeftOut(editor, read);
}

bool pickPaletteColour(Editor& editor, std::size_t index) {
    if (index >= editor.services.palette.colours.size()) {
        return false;
    }
    editor.session.interaction.currentColour = editor.services.palette.colours[index].colour;
    selectPaintTool(editor);
    return true;
}

bool takeTypedColour(Editor& editor, std::string_view text) {
    const auto colour = parseHexColour(text);
    if (!colour) {
        tell(editor, editor.host.translate(kMessage, kNotAColour));
        return false;
    }
    editor.session.interaction.currentColour = *colour;
    selectPaintTool(editor);
    return true;
}

void readKeptPalette(Editor& editor) {
    if (editor.services.paths.profilePath.empty()) {
        return;
    }
    const std::string path = palettePathBeside(editor.services.paths.profilePath);
    std::vector<std::uint8_t> bytes;
    const FileResult r = readWholeFile(path, bytes, kMaxPaletteFileBytes);
    if (r.error == FileError::NotFound) {
        return; // none kept yet
    }
    PaletteRead read = r ? readPaletteBytes(PaletteFormat::Gpl, bytes) : PaletteRead{};
    if (!r || !read.error.empty()) {
        editor.host.showStatusMessage(
            fillIn(editor.host.translate(text_context::kStatus, kKeptUnreadable), {path}));
        return;
    }
    editor.services.palette = std::move(read.palette);
    editor.host.paletteChanged();
}

} // namespace fcw
