#include "io/three_mf_package.h"

namespace fcw {

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50u;
constexpr std::uint32_t kCentralHeader = 0x02014b50u;
constexpr std::uint32_t kEndRecord = 0x06054b50u;
constexpr std::uint32_t kZip64EndRecord = 0x06064b50u;
constexpr std::uint32_t kZip64Locator = 0x07064b50u;
constexpr std::uint32_t kTooLargeFor32 = 0xFFFFFFFFu;
// lib3mf stamps its parts with date 0, which is no date (month 0); 1980-01-01 is the earliest
// date a zip entry can carry.
constexpr std::uint16_t kFirstDosDay = (1 << 5) | 1;

std::uint64_t readLe(std::span<const std::uint8_t> b, std::uint64_t at, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[static_cast<std::size_t>(at) + static_cast<std::size_t>(i)];
    return v;
}

void writeLe(std::vector<std::uint8_t>& out, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// True when [at, at + length) lies inside b.
bool inside(std::span<const std::uint8_t> b, std::uint64_t at, std::uint64_t length) {
    return at <= b.size() && length <= b.size() - at;
}

struct Directory {
    std::uint64_t entries = 0;
    std::uint64_t offset = 0;
};

// Finds the end record (the comment after it is at most 64 KiB) and, when it points on to a
// zip64 end record, takes the count and offset from there.
std::optional<Directory> findDirectory(std::span<const std::uint8_t> b) {
    constexpr std::size_t kEndSize = 22;
    if (b.size() < kEndSize)
        return std::nullopt;
    std::size_t end = b.size() - kEndSize;
    const std::size_t lowest = end > 65535 ? end - 65535 : 0;
    while (readLe(b, end, 4) != kEndRecord) {
        if (end == lowest)
            return std::nullopt;
        --end;
    }
    Directory d{readLe(b, end + 10, 2), readLe(b, end + 16, 4)};
    if (end >= 20 && readLe(b, end - 20, 4) == kZip64Locator) {
        const std::uint64_t record = readLe(b, end - 12, 8);
        if (!inside(b, record, 56) || readLe(b, record, 4) != kZip64EndRecord)
            return std::nullopt;
        d = {readLe(b, record + 32, 8), readLe(b, record + 48, 8)};
    }
    return d;
}

// The zip64 extra field holds, in this order, each of the three values whose classic field
// is all ones.
bool resolveZip64(std::span<const std::uint8_t> b, std::uint64_t extra, std::uint64_t extraEnd,
                  ZipEntry& e) {
    std::uint64_t* wanted[3] = {&e.size, &e.compressedSize, &e.localOffset};
    while (extra + 4 <= extraEnd) {
        const std::uint64_t id = readLe(b, extra, 2);
        const std::uint64_t length = readLe(b, extra + 2, 2);
        if (extra + 4 + length > extraEnd)
            return false;
        if (id == 1) {
            std::uint64_t at = extra + 4;
            for (std::uint64_t* value : wanted) {
                if (*value != kTooLargeFor32)
                    continue;
                if (at + 8 > extra + 4 + length)
                    return false;
                *value = readLe(b, at, 8);
                at += 8;
            }
            return true;
        }
        extra += 4 + length;
    }
    return e.size != kTooLargeFor32 && e.compressedSize != kTooLargeFor32 &&
           e.localOffset != kTooLargeFor32;
}

} // namespace

std::optional<std::vector<ZipEntry>> zipEntries(std::span<const std::uint8_t> b) {
    const std::optional<Directory> d = findDirectory(b);
    if (!d)
        return std::nullopt;
    std::vector<ZipEntry> entries;
    std::uint64_t at = d->offset;
    for (std::uint64_t n = 0; n < d->entries; ++n) {
        if (!inside(b, at, 46) || readLe(b, at, 4) != kCentralHeader)
            return std::nullopt;
        ZipEntry e;
        e.flags = static_cast<std::uint16_t>(readLe(b, at + 8, 2));
        e.method = static_cast<std::uint16_t>(readLe(b, at + 10, 2));
        e.time = static_cast<std::uint16_t>(readLe(b, at + 12, 2));
        e.date = static_cast<std::uint16_t>(readLe(b, at + 14, 2));
        e.crc = static_cast<std::uint32_t>(readLe(b, at + 16, 4));
        e.compressedSize = readLe(b, at + 20, 4);
        e.size = readLe(b, at + 24, 4);
        e.localOffset = readLe(b, at + 42, 4);
        const std::uint64_t nameLength = readLe(b, at + 28, 2);
        const std::uint64_t extraLength = readLe(b, at + 30, 2);
        const std::uint64_t commentLength = readLe(b, at + 32, 2);
        if (!inside(b, at + 46, nameLength + extraLength + commentLength))
            return std::nullopt;
        e.name.assign(reinterpret_cast<const char*>(b.data() + at + 46), nameLength);
        const std::uint64_t extra = at + 46 + nameLength;
        if (!resolveZip64(b, extra, extra + extraLength, e))
            return std::nullopt;
        entries.push_back(std::move(e));
        at = extra + extraLength + commentLength;
    }
    return entries;
}

std::optional<std::uint64_t> zipUnpackedSize(std::span<const std::uint8_t> zip) {
    const auto entries = zipEntries(zip);
    if (!entries)
        return std::nullopt;
    std::uint64_t total = 0;
    for (const ZipEntry& e : *entries)
        total = e.size > UINT64_MAX - total ? UINT64_MAX : total + e.size;
    return total;
}

std::optional<std::vector<std::uint8_t>> classicZip(std::span<const std::uint8_t> zip) {
    const auto entries = zipEntries(zip);
    if (!entries || entries->size() >= 0xFFFF)
        return std::nullopt;
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> directory;
    for (const ZipEntry& e : *entries) {
        const std::uint64_t at = e.localOffset;
        if (!inside(zip, at, 30) || readLe(zip, at, 4) != kLocalHeader)
            return std::nullopt;
        const std::uint64_t data = at + 30 + readLe(zip, at + 26, 2) + readLe(zip, at + 28, 2);
        if (!inside(zip, data, e.compressedSize) || e.compressedSize >= kTooLargeFor32 ||
            e.size >= kTooLargeFor32 || out.size() >= kTooLargeFor32)
            return std::nullopt;
        // Sizes and checksum go into the local header, so no data descriptor follows.
        const auto flags = static_cast<std::uint16_t>(e.flags & ~0x8u);
        const std::uint64_t localOffset = out.size();
        for (std::vector<std::uint8_t>* header : {&out, &directory}) {
            const bool central = header == &directory;
            writeLe(*header, central ? kCentralHeader : kLocalHeader, 4);
            if (central)
                writeLe(*header, 20, 2); // made by: version 2.0
            writeLe(*header, 20, 2);     // needed: version 2.0 (deflate)
            writeLe(*header, flags, 2);
            writeLe(*header, e.method, 2);
            writeLe(*header, e.time, 2);
            writeLe(*header, e.date == 0 ? kFirstDosDay : e.date, 2);
            writeLe(*header, e.crc, 4);
            writeLe(*header, e.compressedSize, 4);
            writeLe(*header, e.size, 4);
            writeLe(*header, e.name.size(), 2);
            writeLe(*header, 0, 2); // no extra field
            if (central) {
                writeLe(*header, 0, 6); // comment length, disk, internal attributes
                writeLe(*header, 0, 4); // external attributes
                writeLe(*header, localOffset, 4);
            }
            header->insert(header->end(), e.name.begin(), e.name.end());
        }
        out.insert(out.end(), zip.begin() + static_cast<std::ptrdiff_t>(data),
                   zip.begin() + static_cast<std::ptrdiff_t>(data + e.compressedSize));
    }
    if (out.size() >= kTooLargeFor32)
        return std::nullopt;
    const std::uint64_t directoryOffset = out.size();
    out.insert(out.end(), directory.begin(), directory.end());
    writeLe(out, kEndRecord, 4);
    writeLe(out, 0, 4); // this disk, the directory's disk
    writeLe(out, entries->size(), 2);
    writeLe(out, entries->size(), 2);
    writeLe(out, directory.size(), 4);
    writeLe(out, directoryOffset, 4);
    writeLe(out, 0, 2); // no comment
    return out;
}

} // namespace fcw
