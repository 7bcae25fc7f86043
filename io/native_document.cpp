#include "io/native_document.h"

#include "io/byte_order.h"
#include "model/numeric.h"

#include <cmath>

namespace fcw {

namespace {

// A bounds-checked reader over the file's bytes.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool has(std::uint64_t n) const { return n <= bytes_.size() - pos_; }
    template <typename T> bool read(T& value) {
        if (!has(sizeof(T))) {
            return false;
        }
        value = getBytes<T>(bytes_.data() + pos_);
        pos_ += sizeof(T);
        return true;
    }
    bool skip(std::uint64_t n) {
        if (!has(n)) {
            return false;
        }
        pos_ += static_cast<std::size_t>(n);
        return true;
    }
    const std::uint8_t* here() const { return bytes_.data() + pos_; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// Reads a string length: one byte below 0xFF, else 0xFF then 16 bits below 0xFFFF, else
// 0xFFFF then 32 bits. Sets `wide` when the 0xFF 0xFFFE marker announces UTF-16 text, whose
// length then follows in the same scheme.
bool readStringLength(Reader& in, std::uint64_t& length, bool& wide) {
    wide = false;
    for (int marker = 0; marker < 2; ++marker) {
        std::uint8_t b = 0;
        if (!in.read(b)) {
            return false;
        }
        if (b < 0xFF) {
            length = b;
            return true;
        }
        std::uint16_t w = 0;
        if (!in.read(w)) {
            return false;
        }
        if (w == 0xFFFE && !wide) {
            wide = true;
            continue;
        }
        if (w < 0xFFFF) {
            length = w;
            return true;
        }
        std::uint32_t d = 0;
        if (!in.read(d)) {
            return false;
        }
        length = d;
        return true;
    }
    return false; // a second UTF-16 marker
}

} // namespace

void appendRecord(std::vector<std::uint8_t>& out, const Triangle& t) {
    for (const Point3& p : t.v) {
        // Negation turns 0.0 into -0.0; the bytes keep that sign.
        putBytes<double>(out, p.y);
        putBytes<double>(out, -p.z);
        putBytes<double>(out, -p.x);
    }
    putBytes<std::uint32_t>(out, t.colour);
}

TriangleCore readRecord(const std::uint8_t* bytes) {
    TriangleCore c;
    for (std::size_t k = 0; k < 3; ++k) {
        const double a = getBytes<double>(bytes + 24 * k);
        const double b = getBytes<double>(bytes + 24 * k + 8);
        const double d = getBytes<double>(bytes + 24 * k + 16);
        c.v[k] = {d * -1.0, a, b * -1.0}; // {x, y, z}
    }
    c.colour = getBytes<std::uint32_t>(bytes + 72);
    return c;
}

std::vector<std::uint8_t> encodeDocument(const std::vector<Triangle>& triangles, int lastToWrite) {
    std::vector<std::uint8_t> out;
    const std::size_t headerLength = sizeof(kDocumentHeader) - 1;
    const int count = lastToWrite < 0 ? 0 : lastToWrite + 1;
    out.reserve(1 + headerLength + 2 + kRecordBytes * static_cast<std::size_t>(count));
    out.push_back(static_cast<std::uint8_t>(headerLength));
    out.insert(out.end(), kDocumentHeader, kDocumentHeader + headerLength);
    putBytes<std::int16_t>(out, static_cast<std::int16_t>(lastToWrite));
    for (int i = 0; i < count; ++i) {
        appendRecord(out, triangles[static_cast<std::size_t>(i)]);
    }
    return out;
}

DecodeError decodeDocument(std::span<const std::uint8_t> bytes, DecodedDocument& out) {
    Reader in(bytes);
    std::uint64_t length = 0;
    bool wide = false;
    if (!readStringLength(in, length, wide) || length > bytes.size() ||
        !in.skip(wide ? length * 2 : length)) {
        return DecodeError::Truncated;
    }
    std::int16_t last = 0;
    if (!in.read(last)) {
        return DecodeError::Truncated;
    }
    if (last < -1 || last > kMaxTriangles - 1) {
        return DecodeError::BadCount;
    }
    const auto count = static_cast<std::size_t>(last + 1);
    if (!in.has(count * kRecordBytes)) {
        return DecodeError::Truncated;
    }
    // One pass reads the records into `out` and checks every coordinate without stopping
    // early, which lets the check run as vector code; a refused file then empties `out`.
    const std::uint8_t* records = in.here();
    out.triangles.resize(count);
    bool storable = true;
    for (std::size_t i = 0; i < count; ++i) {
        const TriangleCore c = readRecord(records + i * kRecordBytes);
        for (const auto& v : c.v) {
            storable &= isStorableCoordinate(v[0]) & isStorableCoordinate(v[1]) &
                        isStorableCoordinate(v[2]);
        }
        out.triangles[i] = c;
    }
    if (!storable) {
        out = DecodedDocument{};
        return DecodeError::NotFinite;
    }
    out.lastIndex = last;
    out.recordsEnd = static_cast<std::size_t>(records - bytes.data()) + count * kRecordBytes;
    return DecodeError::None;
}

} // namespace fcw
