#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fcw {

// The zip container of a 3MF package, looked at from outside lib3mf: what the parts unpack to
// (checked before lib3mf inflates anything) and a classic rewrite of lib3mf's output.

struct ZipEntry {
    std::string name;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint16_t time = 0;
    std::uint16_t date = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0; // unpacked
    std::uint64_t localOffset = 0;
};

// The central directory's entries, zip64 fields resolved. Nothing when no consistent central
// directory is found.
std::optional<std::vector<ZipEntry>> zipEntries(std::span<const std::uint8_t> zip);

// The sum of the entries' unpacked sizes (saturating), as the central directory announces them.
std::optional<std::uint64_t> zipUnpackedSize(std::span<const std::uint8_t> zip);

// The same entries (compressed data copied unchanged) in a classic zip without zip64 records.
// lib3mf writes zip64 records for every package, however small, and zip readers without zip64
// support (among them common 3MF importers) refuse such files. Nothing when an entry does not
// fit the classic fields or the archive cannot be parsed.
std::optional<std::vector<std::uint8_t>> classicZip(std::span<const std::uint8_t> zip);

} // namespace fcw
