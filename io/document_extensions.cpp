#include "io/document_extensions.h"

#include "io/byte_order.h"
#include "model/numeric.h"

#include <algorithm>
#include <cstring>

namespace fcw {

namespace {

constexpr std::size_t kMagicBytes = 4;
constexpr std::size_t kBlockHeaderBytes = kMagicBytes + 2 + 4;

// A bounds-checked cursor over a byte range.
class Cursor {
  public:
    explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t left() const { return bytes_.size() - pos_; }
    std::size_t pos() const { return pos_; }
    template <typename T> bool read(T& value) {
        if (left() < sizeof(T)) {
            return false;
        }
        value = getBytes<T>(bytes_.data() + pos_);
        pos_ += sizeof(T);
        return true;
    }
    bool take(std::size_t n, std::span<const std::uint8_t>& out) {
        if (left() < n) {
            return false;
        }
        out = bytes_.subspan(pos_, n);
        pos_ += n;
        return true;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

void putPath(std::vector<std::uint8_t>& out, const std::string& path) {
    const std::size_t n = std::min(path.size(), kMaxReferencePathBytes);
    putBytes<std::uint16_t>(out, static_cast<std::uint16_t>(n));
    out.insert(out.end(), path.begin(), path.begin() + static_cast<std::ptrdiff_t>(n));
}

bool readPath(Cursor& in, std::string& path) {
    std::uint16_t n = 0;
    std::span<const std::uint8_t> bytes;
    if (!in.read(n) || n > kMaxReferencePathBytes || !in.take(n, bytes) ||
        std::find(bytes.begin(), bytes.end(), std::uint8_t{0}) != bytes.end()) {
        return false;
    }
    path.assign(bytes.begin(), bytes.end());
    return true;
}

bool readEntry(Cursor& in, ReferenceEntry& e) {
    std::uint8_t direction = 0;
    std::uint8_t opacity = 0;
    std::uint8_t flags = 0;
    ReferenceSettings& s = e.settings;
    if (!in.read(direction) || !in.read(s.across) || !in.read(s.up) || !in.read(s.width) ||
        !in.read(opacity) || !in.read(flags) || !readPath(in, e.relativePath) ||
        !readPath(in, e.absolutePath)) {
        return false;
    }
    if (direction >= kReferenceDirections || !isStorableCoordinate(s.across) ||
        !isStorableCoordinate(s.up) || !isStorableCoordinate(s.width) || !(s.width > 0) ||
        opacity > 100 || (flags & ~3u) != 0 || e.absolutePath.empty()) {
        return false;
    }
    e.direction = static_cast<ReferenceDirection>(direction);
    s.opacity = opacity;
    s.shown = (flags & 1u) != 0;
    s.locked = (flags & 2u) != 0;
    return true;
}

} // namespace

std::vector<std::uint8_t> encodeExtensionBlock(std::span<const ExtensionRecord> records) {
    std::vector<std::uint8_t> out;
    if (records.empty()) {
        return out;
    }
    std::vector<std::uint8_t> body;
    for (const ExtensionRecord& r : records) {
        putBytes<std::uint32_t>(body, r.tag);
        putBytes<std::uint16_t>(body, r.version);
        putBytes<std::uint32_t>(body, static_cast<std::uint32_t>(r.payload.size()));
        body.insert(body.end(), r.payload.begin(), r.payload.end());
    }
    out.insert(out.end(), kExtensionMagic, kExtensionMagic + kMagicBytes);
    putBytes<std::uint16_t>(out, kExtensionBlockVersion);
    putBytes<std::uint32_t>(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

ExtensionRead readExtensionBlock(std::span<const std::uint8_t> bytes) {
    ExtensionRead result;
    if (bytes.size() < kMagicBytes ||
        std::memcmp(bytes.data(), kExtensionMagic, kMagicBytes) != 0) {
        return result; // no block: a plain document (or a recovery copy's trailer)
    }
    result.status = ExtensionRead::Status::Damaged;
    Cursor in(bytes.subspan(kMagicBytes));
    std::uint16_t version = 0;
    std::uint32_t length = 0;
    std::span<const std::uint8_t> body;
    if (!in.read(version) || version != kExtensionBlockVersion || !in.read(length) ||
        !in.take(length, body)) {
        return result;
    }
    Cursor records(body);
    std::vector<ExtensionRecord> out;
    while (records.left() > 0) {
        ExtensionRecord r;
        std::uint32_t size = 0;
        std::span<const std::uint8_t> payload;
        if (!records.read(r.tag) || !records.read(r.version) || !records.read(size) ||
            !records.take(size, payload)) {
            return result;
        }
        r.payload.assign(payload.begin(), payload.end());
        out.push_back(std::move(r));
    }
    result.status = ExtensionRead::Status::Read;
    result.records = std::move(out);
    result.end = kBlockHeaderBytes + body.size();
    return result;
}

const ExtensionRecord* findExtension(const ExtensionRead& read, std::uint32_t tag,
                                     std::uint16_t version) {
    for (const ExtensionRecord& r : read.records) {
        if (r.tag == tag && r.version == version) {
            return &r;
        }
    }
    return nullptr;
}

std::vector<std::uint8_t> encodeReferences(std::span<const ReferenceEntry> entries) {
    std::vector<std::uint8_t> out;
    out.push_back(static_cast<std::uint8_t>(entries.size()));
    for (const ReferenceEntry& e : entries) {
        const ReferenceSettings& s = e.settings;
        out.push_back(static_cast<std::uint8_t>(e.direction));
        putBytes<double>(out, s.across);
        putBytes<double>(out, s.up);
        putBytes<double>(out, s.width);
        out.push_back(static_cast<std::uint8_t>(std::clamp(s.opacity, 0, 100)));
        out.push_back(static_cast<std::uint8_t>((s.shown ? 1u : 0u) | (s.locked ? 2u : 0u)));
        putPath(out, e.relativePath);
        putPath(out, e.absolutePath);
    }
    return out;
}

std::optional<std::vector<ReferenceEntry>> decodeReferences(std::span<const std::uint8_t> payload) {
    Cursor in(payload);
    std::uint8_t count = 0;
    if (!in.read(count) || count > kReferenceDirections) {
        return std::nullopt;
    }
    std::vector<ReferenceEntry> out(count);
    bool seen[kReferenceDirections] = {};
    for (ReferenceEntry& e : out) {
        if (!readEntry(in, e) || seen[static_cast<std::size_t>(e.direction)]) {
            return std::nullopt;
        }
        seen[static_cast<std::size_t>(e.direction)] = true;
    }
    if (in.left() != 0) {
        return std::nullopt;
    }
    return out;
}

std::vector<std::uint8_t> encodeSymmetryPlane(std::uint8_t plane) {
    return {plane};
}

std::optional<std::uint8_t> decodeSymmetryPlane(std::span<const std::uint8_t> payload) {
    if (payload.size() != 1 || payload[0] > kLastSymmetryPlane) {
        return std::nullopt;
    }
    return payload[0];
}

} // namespace fcw
