#include "editor/references/reference_images.h"

#include "editor/commands/file_messages.h"
#include "editor/editor.h"
#include "editor/interface_text.h"

#include <algorithm>
#include <filesystem>

namespace fcw {

namespace fs = std::filesystem;

namespace {

constexpr char kNotRegularFile[] = FCW_TR_NOOP("Message", "通常のファイルではありません");
constexpr char kFileTooLarge[] = FCW_TR_NOOP("Message", "ファイルが大きすぎます");
constexpr char kFileMissing[] = FCW_TR_NOOP("Message", "ファイルが見つかりません");
constexpr char kDamagedReferences[] =
    FCW_TR_NOOP("Message", "このファイルの下絵の情報が壊れているため、下絵なしで開きました。");

// Why `path` cannot be a reference image before it is decoded: missing, not a regular file
// (a device, a pipe, a folder) or too large a file. Nothing when it may be decoded.
const char* refusalOf(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        return kFileMissing;
    }
    if (!fs::is_regular_file(status)) {
        return kNotRegularFile;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kMaxReferenceFileBytes) {
        return kFileTooLarge;
    }
    return nullptr;
}

// The decoded picture, or the reason (in the host's language) it is refused.
std::optional<DecodedImage> decode(Editor& editor, const std::string& path, std::string& why) {
    if (const char* refusal = refusalOf(path)) {
        why = editor.host.translate(text_context::kMessage, refusal);
        return std::nullopt;
    }
    DecodedImage image =
        editor.host.decodeReferenceImage(path, kMaxReferenceSide, kMaxReferenceDecodedBytes);
    if (!image.error.empty() || image.width <= 0 || image.height <= 0 ||
        image.argb.size() !=
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        why = editor.host.translate(text_context::kMessage,
                                    image.error.empty() ? kNoPictureDecoder : image.error);
        return std::nullopt;
    }
    return image;
}

std::string cannotRead(const Editor& editor, const std::string& path, const std::string& why) {
    return fillIn(editor.host.translate(text_context::kMessage, kCannotRead), {path, why});
}

// Puts the decoded pixels in the slot. Only a slot that kept a missing image's settings keeps
// them; an empty slot, or one whose image is replaced, takes the settings of a new image.
void fill(ReferenceImage& slot, const std::string& path, DecodedImage image) {
    if (!slot.inUse || slot.loaded()) {
        slot.settings = ReferenceSettings{};
        slot.settings.width = image.width; // one image pixel per model unit
    }
    shrinkToFit(image, kReferenceFitSide);
    slot.inUse = true;
    slot.path = path;
    slot.pixelWidth = image.width;
    slot.pixelHeight = image.height;
    slot.argb = std::move(image.argb);
}

std::string absoluteOf(const std::string& path) {
    std::error_code ec;
    const fs::path a = fs::absolute(path, ec);
    return ec ? path : a.lexically_normal().string();
}

// Where an entry's image is looked for: beside the document first (its folder may have been
// moved or copied with the images), then at its absolute path.
std::string resolve(const ReferenceEntry& e, const std::string& documentPath) {
    if (!e.relativePath.empty() && !documentPath.empty()) {
        const fs::path beside =
            (fs::path(absoluteOf(documentPath)).parent_path() / e.relativePath).lexically_normal();
        std::error_code ec;
        if (fs::exists(beside, ec) || !fs::exists(e.absolutePath, ec)) {
            return beside.string();
        }
    }
    return e.absolutePath;
}

} // namespace

std::optional<std::size_t> referenceSlot(PaneKind kind) {
    switch (kind) {
    case PaneKind::Front:
        return static_cast<std::size_t>(ReferenceDirection::Front);
    case PaneKind::Right:
        return static_cast<std::size_t>(ReferenceDirection::Right);
    case PaneKind::Top:
        return static_cast<std::size_t>(ReferenceDirection::Top);
    case PaneKind::Free:
        break;
    }
    return std::nullopt;
}

std::optional<std::size_t> activeReferenceSlot(const Editor& editor) {
    return referenceSlot(editor.pane().kind);
}

void shrinkToFit(DecodedImage& image, int side) {
    const int w = image.width;
    const int h = image.height;
    if (w <= side && h <= side) {
        return;
    }
    const double scale = static_cast<double>(side) / std::max(w, h);
    const int nw = std::clamp(static_cast<int>(w * scale + 0.5), 1, side);
    const int nh = std::clamp(static_cast<int>(h * scale + 0.5), 1, side);
    std::vector<std::uint32_t> out(static_cast<std::size_t>(nw) * static_cast<std::size_t>(nh));
    for (int y = 0; y < nh; ++y) {
        const int y0 = static_cast<int>(static_cast<long long>(y) * h / nh);
        const int y1 = std::max(y0 + 1, static_cast<int>(static_cast<long long>(y + 1) * h / nh));
        for (int x = 0; x < nw; ++x) {
            const int x0 = static_cast<int>(static_cast<long long>(x) * w / nw);
            const int x1 =
                std::max(x0 + 1, static_cast<int>(static_cast<long long>(x + 1) * w / nw));
            std::uint64_t sum[4] = {};
            for (int sy = y0; sy < y1; ++sy) {
                const std::uint32_t* row = image.argb.data() + static_cast<std::size_t>(sy) * w;
                for (int sx = x0; sx < x1; ++sx) {
                    for (int c = 0; c < 4; ++c) {
                        sum[c] += (row[sx] >> (8 * c)) & 0xFF;
                    }
                }
            }
            const std::uint64_t n = static_cast<std::uint64_t>(y1 - y0) * (x1 - x0);
            std::uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c) {
                pixel |= static_cast<std::uint32_t>((sum[c] + n / 2) / n) << (8 * c);
            }
            out[static_cast<std::size_t>(y) * nw + x] = pixel;
        }
    }
    image.width = nw;
    image.height = nh;
    image.argb = std::move(out);
}

bool loadReferenceImage(Editor& editor, std::size_t slot, const std::string& path) {
    const std::string absolute = absoluteOf(path);
    std::string why;
    std::optional<DecodedImage> image = decode(editor, absolute, why);
    if (!image) {
        editor.host.messageBox(cannotRead(editor, path, why), MessageButtons::Ok,
                               MessageIcon::Warning);
        return false;
    }
    fill(editor.document.references[slot], absolute, std::move(*image));
    editor.countSettingChange();
    return true;
}

void removeReferenceImage(Editor& editor, std::size_t slot) {
    if (editor.document.references[slot].inUse) {
        editor.document.references[slot] = ReferenceImage{};
        editor.countSettingChange();
    }
}

std::vector<ExtensionRecord> referenceRecords(const Editor& editor,
                                              const std::string& documentPath) {
    std::vector<ReferenceEntry> entries;
    const fs::path folder =
        documentPath.empty() ? fs::path() : fs::path(absoluteOf(documentPath)).parent_path();
    for (std::size_t i = 0; i < kReferenceDirections; ++i) {
        const ReferenceImage& r = editor.document.references[i];
        if (!r.inUse) {
            continue;
        }
        ReferenceEntry e{static_cast<ReferenceDirection>(i), {}, r.path, r.settings};
        if (!folder.empty()) {
            e.relativePath = fs::path(r.path).lexically_relative(folder).string();
        }
        if (e.relativePath.size() > kMaxReferencePathBytes) {
            e.relativePath.clear();
        }
        entries.push_back(std::move(e));
    }
    if (entries.empty()) {
        return {};
    }
    return {ExtensionRecord{kReferenceTag, kReferenceVersion, encodeReferences(entries)}};
}

void takeReferences(Editor& editor, const ExtensionRead& block, const std::string& documentPath) {
    ReferenceImages& slots = editor.document.references;
    slots = ReferenceImages{};
    if (block.status == ExtensionRead::Status::Absent) {
        return;
    }
    const ExtensionRecord* record = findExtension(block, kReferenceTag, kReferenceVersion);
    const auto entries = record != nullptr ? decodeReferences(record->payload)
                                           : std::optional<std::vector<ReferenceEntry>>{};
    if (block.status == ExtensionRead::Status::Damaged || (record != nullptr && !entries)) {
        editor.host.messageBox(editor.host.translate(text_context::kMessage, kDamagedReferences),
                               MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    std::string unread;
    for (const ReferenceEntry& e : entries.value_or(std::vector<ReferenceEntry>{})) {
        ReferenceImage& slot = slots[static_cast<std::size_t>(e.direction)];
        slot.inUse = true;
        slot.settings = e.settings;
        slot.path = absoluteOf(resolve(e, documentPath));
        std::string why;
        if (std::optional<DecodedImage> image = decode(editor, slot.path, why)) {
            fill(slot, slot.path, std::move(*image));
        } else {
            unread += (unread.empty() ? "" : "\n") + cannotRead(editor, slot.path, why);
        }
    }
    if (!unread.empty()) {
        editor.host.messageBox(unread, MessageButtons::Ok, MessageIcon::Warning);
    }
}

} // namespace fcw
