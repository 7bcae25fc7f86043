#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fcw {

// What a native document may carry after its triangle records: a block of tagged records,
// each feature its own tag. Readers that stop after the triangle records read the model
// unchanged, and a document with no record has no block at all (it is byte for byte a plain
// document). All numbers little-endian.
//
//   block   "FCWX" | u16 block version (1) | u32 body length | body
//   body    record*
//   record  u32 tag (four ASCII characters, first in the lowest byte) | u16 record version
//           | u32 payload length | payload
//
// A reader skips a record whose tag or version it does not know. A feature adds its own tag:
// a constant below, an encoder that makes its payload and a decoder that reads it.
inline constexpr char kExtensionMagic[] = "FCWX";
inline constexpr std::uint16_t kExtensionBlockVersion = 1;

constexpr std::uint32_t extensionTag(const char (&name)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(name[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[3])) << 24;
}

// The reference images to trace over.
inline constexpr std::uint32_t kReferenceTag = extensionTag("REFI");
inline constexpr std::uint16_t kReferenceVersion = 1;

// Live symmetry's plane, present only while symmetry is on.
inline constexpr std::uint32_t kSymmetryTag = extensionTag("SYMM");
inline constexpr std::uint16_t kSymmetryVersion = 1;

struct ExtensionRecord {
    std::uint32_t tag = 0;
    std::uint16_t version = 0;
    std::vector<std::uint8_t> payload;
};

// The block holding `records` in order; nothing at all when there is none.
std::vector<std::uint8_t> encodeExtensionBlock(std::span<const ExtensionRecord> records);

struct ExtensionRead {
    enum class Status {
        Absent,  // the bytes after the records do not start a block (a plain document)
        Read,    // `records` holds every record of the block
        Damaged, // the block is cut short, too long for its bytes, or of an unknown version
    };
    Status status = Status::Absent;
    std::vector<ExtensionRecord> records;
    std::size_t end = 0; // the offset just after the block when it was read
};

// Reads the block at the start of `afterRecords` (the bytes after the last triangle record;
// anything after the block, such as a recovery copy's trailer, is left alone).
ExtensionRead readExtensionBlock(std::span<const std::uint8_t> afterRecords);

// The first record with `tag` and `version`, if any.
const ExtensionRecord* findExtension(const ExtensionRead& read, std::uint32_t tag,
                                     std::uint16_t version);

// ---- reference images ----

// The pane a reference image is traced in.
enum class ReferenceDirection : std::uint8_t { Front = 0, Right = 1, Top = 2 };
inline constexpr std::size_t kReferenceDirections = 3;

// Where and how a reference image shows, in its pane's model units: its centre along the
// pane's screen right (`across`) and up the screen (`up`), its width (the height follows the
// image's aspect), opacity in percent, shown and locked (locked: the mouse does not move it).
struct ReferenceSettings {
    double across = 0.0;
    double up = 0.0;
    double width = 1.0;
    int opacity = 50;
    bool shown = true;
    bool locked = false;
    bool operator==(const ReferenceSettings&) const = default;
};

// The longest path a reference record keeps, in bytes.
inline constexpr std::size_t kMaxReferencePathBytes = 4096;

struct ReferenceEntry {
    ReferenceDirection direction = ReferenceDirection::Front;
    std::string relativePath; // from the document's folder; empty when it has none
    std::string absolutePath;
    ReferenceSettings settings;
    bool operator==(const ReferenceEntry&) const = default;
};

// Payload of kReferenceTag version 1: u8 count, then per entry u8 direction, f64 across, f64
// up, f64 width, u8 opacity, u8 flags (1 shown, 2 locked), u16 length + UTF-8 relative path,
// u16 length + UTF-8 absolute path.
std::vector<std::uint8_t> encodeReferences(std::span<const ReferenceEntry> entries);

// The entries of a payload, or nothing when it is damaged: cut short or too long, a direction
// past 上面 or given twice, a number not finite or beyond the model's coordinate limit, a
// width not above 0, an opacity above 100, unknown flags, a path too long or holding a NUL,
// an empty absolute path.
std::optional<std::vector<ReferenceEntry>> decodeReferences(std::span<const std::uint8_t> payload);

// ---- live symmetry ----

// Payload of kSymmetryTag version 1: u8 plane (0 左右 y = 0, 1 上下 z = 0, 2 前後 x = 0).
inline constexpr std::uint8_t kLastSymmetryPlane = 2;
std::vector<std::uint8_t> encodeSymmetryPlane(std::uint8_t plane);
// The plane of a payload, or nothing when it is not one byte of a known plane.
std::optional<std::uint8_t> decodeSymmetryPlane(std::span<const std::uint8_t> payload);

} // namespace fcw
