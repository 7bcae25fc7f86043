#include "editor/commands/picture_commands.h"

#include "editor/commands/file_messages.h"
#include "editor/commands/picture_export.h"
#include "editor/dialogs/dialog_number.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/tools/operation.h"
#include "editor/view/frame_step.h"

#include <exception>
#include <iterator>
#include <vector>

namespace fcw {

namespace {

using text_context::kMessage;

constexpr char kCannotWritePicture[] =
    FCW_TR_NOOP("Message", "%1\nこの画像を書き出せませんでした。");
constexpr char kNoPainter[] = FCW_TR_NOOP("Message", "ここでは画像を描けません。");
constexpr char kProgressTitle[] = FCW_TR_NOOP("Dialog", "回転アニメーションを書き出しています...");

struct PictureFilter {
    const char* text;
    const char* suffix;
};
constexpr PictureFilter kAnimationFilters[] = {
    {FCW_TR_NOOP("Files", "GIF アニメーション(*.gif)"), "gif"},
    {FCW_TR_NOOP("Files", "APNG アニメーション(*.png)"), "png"},
    {FCW_TR_NOOP("Files", "WebP アニメーション(*.webp)"), "webp"},
};

struct Limit {
    int control;
    int low;
    int high;
};
constexpr Limit kLimits[] = {
    {TurntableDialog::kFrames, kMinTurntableFrames, kMaxTurntableFrames},
    {TurntableDialog::kWidth, kMinPictureSide, kMaxPictureSide},
    {TurntableDialog::kHeight, kMinPictureSide, kMaxPictureSide},
    {TurntableDialog::kDelay, kMinFrameDelayMs, kMaxFrameDelayMs},
};

void tell(Editor& editor, const std::string& text) {
    editor.host.messageBox(text, MessageButtons::Ok, MessageIcon::Warning);
}

// The file the user chose, with the extension of the chosen filter when the name has none of
// `filters`; nothing when the dialog was cancelled or named no file (which is said).
template <std::size_t N>
std::optional<std::string> chooseTarget(Editor& editor, const PictureFilter (&filters)[N],
                                        const char* title) {
    FileDialogRequest request;
    request.title = editor.host.translate(text_context::kCommand, title);
    for (const PictureFilter& f : filters) {
        request.filters.push_back(editor.host.translate(text_context::kFiles, f.text));
    }
    request.defaultSuffix = filters[0].suffix;
    const auto choice = editor.host.chooseSaveFile(request);
    if (!choice) {
        return std::nullopt;
    }
    if (choice->path.empty()) {
        tell(editor, editor.host.translate(kMessage, kNoFileName));
        return std::nullopt;
    }
    std::string path = choice->path;
    const auto format = animationFormatFor(path);
    const bool known = N == 1 ? format == AnimationFormat::Apng : format.has_value();
    if (!known && choice->filterIndex >= 0 && choice->filterIndex < static_cast<int>(N)) {
        path += std::string(".") + filters[choice->filterIndex].suffix;
    }
    return path;
}

// The finished triangles, as a save writes them: a half-drawn one or a sphere's slot stays out.
std::vector<TriangleCore> finishedTriangles(const Editor& editor) {
    int count = editor.document.store.count();
    if (provisionalSlot(editor) >= 0 && count > 0) {
        --count;
    }
    std::vector<TriangleCore> out;
    for (int i = 0; i < count; ++i) {
        out.push_back(editor.document.store.modelTriangles[static_cast<std::size_t>(i)].core());
    }
    return out;
}

void reportFailure(Editor& editor, const std::string& path) {
    tell(editor, fillIn(editor.host.translate(kMessage, kCannotWritePicture), {path}));
}

} // namespace

TurntableDialog::TurntableDialog() : Dialog(kTurntableDialog) {
    setValue(kFrames, "36");
    setValue(kWidth, "512");
    setValue(kHeight, "512");
    setValue(kDelay, "60");
    setValue(kTransparent, "1");
}

std::optional<std::string> TurntableDialog::validate() {
    for (const Limit& limit : kLimits) {
        const auto v = parseDialogInteger(value(limit.control));
        if (!v) {
            return text(kMessage, kNotANumberMessage);
        }
        if (*v < limit.low || *v > limit.high) {
            return integerRangeMessage(limit.low, limit.high, text(kMessage, kIntegerRangeMessage));
        }
    }
    return std::nullopt;
}

int TurntableDialog::number(int control) const {
    return static_cast<int>(parseDialogInteger(value(control)).value_or(0));
}

void exportViewPicture(Editor& editor) {
    static constexpr PictureFilter kPng[] = {{FCW_TR_NOOP("Files", "PNG 画像(*.png)"), "png"}};
    const FrameRasteriser rasterise = editor.host.pictureRasteriser();
    if (!rasterise) {
        tell(editor, editor.host.translate(kMessage, kNoPainter));
        return;
    }
    const auto path =
        chooseTarget(editor, kPng, FCW_TR_NOOP("Command", "画像として書き出し(&G)..."));
    if (!path) {
        return;
    }
    SceneFrame frame = stepFrame(editor);
    frame.status.reset();
    frame.reference.reset(); // the picture is of the model only
    frame.highlight.reset();
    frame.vertexMarkers.clear();
    frame.selectionMarkers.clear();
    frame.snapMarkers.clear();
    frame.sphereBox.reset();
    frame.rubberLine.clear();
    frame.rubberBand.reset();
    frame.moveBoxes.reset();
    const int width = frame.client.right - frame.client.left;
    const int height = frame.client.bottom - frame.client.top;
    const std::vector<std::uint8_t> png = width > 0 && height > 0
                                              ? encodePng(width, height, rasterise(frame))
                                              : std::vector<std::uint8_t>{};
    if (png.empty() || !writeFileAtomically(*path, png, editor.services.writeFaults)) {
        reportFailure(editor, *path);
    }
}

void exportTurntable(Editor& editor) {
    const FrameRasteriser rasterise = editor.host.pictureRasteriser();
    if (!rasterise) {
        tell(editor, editor.host.translate(kMessage, kNoPainter));
        return;
    }
    TurntableDialog dialog;
    dialog.setTextHost(&editor.host);
    if (!editor.host.runDialog(dialog)) {
        return;
    }
    const auto path = chooseTarget(editor, kAnimationFilters,
                                   FCW_TR_NOOP("Command", "回転アニメーションの書き出し(&A)..."));
    if (!path) {
        return;
    }
    PictureLook look;
    look.width = dialog.number(TurntableDialog::kWidth);
    look.height = dialog.number(TurntableDialog::kHeight);
    look.verticalDegrees = angleInDegrees(editor.pane().camera.verticalAxisAngle);
    look.horizontalDegrees = angleInDegrees(editor.pane().camera.horizontalAxisAngle);
    if (dialog.value(TurntableDialog::kTransparent) != "1") {
        look.background = 0x00FFFFFF;
    }
    const TurntableSettings animation{dialog.number(TurntableDialog::kFrames),
                                      dialog.number(TurntableDialog::kDelay)};
    const std::string title = editor.host.translate(text_context::kDialog, kProgressTitle);
    Host& host = editor.host;
    PictureResult result;
    try {
        result = writeTurntable(
            finishedTriangles(editor), look, animation, *path, rasterise,
            [&](int done, int total) { return host.showProgress(title, done, total); },
            editor.services.writeFaults);
    } catch (const std::exception& e) { // memory ran out for a large picture: nothing written
        result.error = e.what();
    }
    host.endProgress();
    if (result.error) {
        reportFailure(editor, *path);
    }
}

} // namespace fcw
