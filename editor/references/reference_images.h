#pragma once

#include "editor/pane.h"
#include "io/document_extensions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fcw {

class Editor;
struct DecodedImage;

// A reference image to trace over, shown behind the model in one orthographic pane. Its slot
// may keep the settings of an image that could not be read (a missing file): it then has no
// pixels and shows nothing, and a new image loaded into it takes those settings.
struct ReferenceImage {
    bool inUse = false;
    std::string path; // absolute
    ReferenceSettings settings;
    int pixelWidth = 0; // the decoded pixels (at most kReferenceFitSide a side); 0 when missing
    int pixelHeight = 0;
    std::vector<std::uint32_t> argb; // 0xAARRGGBB, rows top to bottom

    bool loaded() const { return !argb.empty(); }
};

// One slot per orthographic direction: 正面, 右側面, 上面 (ReferenceDirection's order).
using ReferenceImages = std::array<ReferenceImage, kReferenceDirections>;

// The limits of a reference image: files larger than kMaxReferenceFileBytes and images over
// kMaxReferenceSide pixels a side or kMaxReferenceDecodedBytes decoded are refused; larger
// than kReferenceFitSide a side they are scaled down to it, keeping their width in model units.
inline constexpr int kMaxReferenceSide = 16384;
inline constexpr std::uint64_t kMaxReferenceDecodedBytes = std::uint64_t{256} << 20;
inline constexpr std::uint64_t kMaxReferenceFileBytes = std::uint64_t{256} << 20;
inline constexpr int kReferenceFitSide = 4096;

// The slot of an orthographic pane; nothing for 自由視点.
std::optional<std::size_t> referenceSlot(PaneKind kind);
// The slot of the active pane.
std::optional<std::size_t> activeReferenceSlot(const Editor& editor);

// Scales a picture larger than `side` pixels a side down to fit, keeping its aspect; each
// pixel the mean of those it covers.
void shrinkToFit(DecodedImage& image, int side);

// Reads the picture at `path` into `slot`. A file that is not a regular one, is too large, or
// cannot be decoded gets a message naming it and leaves the slot as it was. A new image starts
// centred on the pane's origin, one image pixel per model unit, 50 % opaque, shown and
// unlocked (also when it replaces an image); in a slot that kept a missing image's settings it
// takes those instead. Marks the document modified. Does not repaint.
bool loadReferenceImage(Editor& editor, std::size_t slot, const std::string& path);

// Empties a slot (marking the document modified when it held anything).
void removeReferenceImage(Editor& editor, std::size_t slot);

// The block records that keep the references in a document saved at `documentPath` (paths
// relative to its folder, and absolute); none when no slot is in use.
std::vector<ExtensionRecord> referenceRecords(const Editor& editor,
                                              const std::string& documentPath);

// Takes the references of a document opened from `documentPath` (every slot replaced; a
// document without them has none). Images that cannot be read are named in one message, and
// their slots keep their settings; a damaged block gets a message and no references.
void takeReferences(Editor& editor, const ExtensionRead& block, const std::string& documentPath);

} // namespace fcw
