#pragma once

#include "model/mesh_store.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fcw {

// The native document: a length-prefixed header text, a signed 16-bit last index and 76 bytes
// per triangle, little-endian. Each record holds, for v[0..2], (y, -z, -x) as doubles (so the
// file's second axis grows upward and its third away from the viewer), then the colour.
inline constexpr char kDocumentHeader[] = "FacetCraftwerk_V.1.0";
inline constexpr std::size_t kRecordBytes = 76;
// Openers read at most this much of a file: room for a header text far longer than any writer
// uses and 3000 records (228,000 bytes). What follows the last record is ignored anyway, so a
// huge file costs no more memory than a full model.
inline constexpr std::size_t kMaxDocumentBytes = std::size_t{1} << 20;

// Encodes modelTriangles[0 .. lastToWrite] (nothing after the count when lastToWrite < 0).
std::vector<std::uint8_t> encodeDocument(const std::vector<Triangle>& triangles, int lastToWrite);

// Appends one 76-byte record. Shared with the work file.
void appendRecord(std::vector<std::uint8_t>& out, const Triangle& t);
// Reads one record from exactly 76 bytes into store axes.
TriangleCore readRecord(const std::uint8_t* bytes);

struct DecodedDocument {
    std::int16_t lastIndex = -1;
    std::vector<TriangleCore> triangles; // lastIndex + 1 entries
    std::size_t recordsEnd = 0;          // the offset just after the last record
};

enum class DecodeError {
    None,
    Truncated, // the file ends inside the header, count or a record
    BadCount,  // last index above 2999 or below -1
    NotFinite, // a coordinate is NaN, infinite or past kCoordinateLimit: no model holds one
};

// Decodes a whole document. The header text is read by the string-length rules of the format
// (one byte; 0xFF + 16 bits; 0xFF 0xFFFF + 32 bits; 0xFFFE after 0xFF marks UTF-16) and its
// contents are not checked. Bytes after the last record are left to readExtensionBlock
// (io/document_extensions.h), from recordsEnd on. A coordinate that
// may not be stored (NotFinite) leaves `out` empty, with lastIndex -1; the other errors leave it
// as it was.
DecodeError decodeDocument(std::span<const std::uint8_t> bytes, DecodedDocument& out);

} // namespace fcw
