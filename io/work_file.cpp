#include "io/work_file.h"

#include "io/byte_order.h"
#include "model/mesh_store.h"
#include "model/numeric.h"

#include <cmath>
#include <cstring>

namespace fcw {

namespace {

constexpr std::size_t kHeaderLength = sizeof(kWorkFileHeader) - 1;
constexpr std::size_t kRecord = 76;

} // namespace

std::vector<std::uint8_t> encodeWorkFile(std::span<const TriangleCore> triangles) {
    std::vector<std::uint8_t> out;
    out.reserve(1 + kHeaderLength + 2 + kRecord * triangles.size());
    out.push_back(static_cast<std::uint8_t>(kHeaderLength));
    out.insert(out.end(), kWorkFileHeader, kWorkFileHeader + kHeaderLength);
    putBytes<std::int16_t>(out, static_cast<std::int16_t>(triangles.size()));
    for (const TriangleCore& t : triangles) {
        putBytes<std::uint32_t>(out, t.colour);
        for (const auto& v : t.v) {
            putBytes<double>(out, v[0]);
            putBytes<double>(out, v[1]);
            putBytes<double>(out, v[2]);
        }
    }
    return out;
}

std::optional<int> workFileCount(std::span<const std::uint8_t> start, std::uint64_t fileSize) {
    if (start.size() < kWorkFileHeaderBytes || start[0] != kHeaderLength ||
        std::memcmp(start.data() + 1, kWorkFileHeader, kHeaderLength) != 0) {
        return std::nullopt;
    }
    const auto count = getBytes<std::int16_t>(start.data() + 1 + kHeaderLength);
    if (count < 0 || count > kMaxTriangles ||
        fileSize < kWorkFileHeaderBytes + kRecord * static_cast<std::uint64_t>(count)) {
        return std::nullopt;
    }
    return count;
}

std::optional<std::vector<TriangleCore>> decodeWorkFile(std::span<const std::uint8_t> bytes) {
    const std::optional<int> count = workFileCount(bytes, bytes.size());
    if (!count) {
        return std::nullopt;
    }
    std::vector<TriangleCore> out(static_cast<std::size_t>(*count));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::uint8_t* p = bytes.data() + kWorkFileHeaderBytes + kRecord * i;
        out[i].colour = getBytes<std::uint32_t>(p);
        for (std::size_t k = 0; k < 3; ++k) {
            out[i].v[k] = {getBytes<double>(p + 4 + 24 * k), getBytes<double>(p + 12 + 24 * k),
                           getBytes<double>(p + 20 + 24 * k)};
            for (const double c : out[i].v[k]) {
                if (!isStorableCoordinate(c)) {
                    return std::nullopt;
                }
            }
        }
    }
    return out;
}

} // namespace fcw
