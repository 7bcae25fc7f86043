// PNG and animated PNG, written chunk by chunk with zlib: Debian's PNG library writes no
// animation chunks (acTL, fcTL, fdAT), and a still is the same chunks without them.

#include "io/animation_writer.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace fcw {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

// Length, type, data and the CRC over type and data.
void chunk(std::vector<std::uint8_t>& out, const char* type, std::span<const std::uint8_t> data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    put32(out, static_cast<std::uint32_t>(crc));
}

void header(std::vector<std::uint8_t>& out, int width, int height) {
    out.insert(out.end(), kSignature.begin(), kSignature.end());
    std::vector<std::uint8_t> ihdr;
    put32(ihdr, static_cast<std::uint32_t>(width));
    put32(ihdr, static_cast<std::uint32_t>(height));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, adaptive, no interlace
    chunk(out, "IHDR", ihdr);
}

// The rows filtered for deflate and compressed. Each row gets the filter (none, left or up)
// whose output has the smallest sum of magnitudes, the usual cheap estimate of what
// compresses best; flat colour areas become runs of zeros under either of the last two.
std::vector<std::uint8_t> compressedRows(int width, int height,
                                         std::span<const std::uint8_t> rgba) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    std::vector<std::uint8_t> filtered(static_cast<std::size_t>(height) * (rowBytes + 1));
    std::array<std::vector<std::uint8_t>, 3> trial;
    for (auto& t : trial) {
        t.resize(rowBytes);
    }
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = rgba.data() + static_cast<std::size_t>(y) * rowBytes;
        const std::uint8_t* up = y > 0 ? row - rowBytes : nullptr;
        std::array<std::uint64_t, 3> cost{};
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const std::uint8_t left = i >= 4 ? row[i - 4] : 0;
            const std::uint8_t above = up != nullptr ? up[i] : 0;
            const std::uint8_t values[3] = {row[i], static_cast<std::uint8_t>(row[i] - left),
                                            static_cast<std::uint8_t>(row[i] - above)};
            for (std::size_t f = 0; f < 3; ++f) {
                trial[f][i] = values[f];
                cost[f] +=
                    static_cast<std::uint64_t>(std::abs(static_cast<std::int8_t>(values[f])));
            }
        }
        const auto best =
            static_cast<std::size_t>(std::min_element(cost.begin(), cost.end()) - cost.begin());
        std::uint8_t* out = filtered.data() + static_cast<std::size_t>(y) * (rowBytes + 1);
        out[0] = static_cast<std::uint8_t>(best);
        std::memcpy(out + 1, trial[best].data(), rowBytes);
    }
    uLongf size = compressBound(static_cast<uLong>(filtered.size()));
    std::vector<std::uint8_t> compressed(size);
    if (compress2(compressed.data(), &size, filtered.data(), static_cast<uLong>(filtered.size()),
                  6) != Z_OK) {
        return {};
    }
    compressed.resize(size);
    return compressed;
}

class ApngEncoder : public AnimationEncoder {
  public:
    explicit ApngEncoder(const AnimationSettings& s) : settings_(s) {
        header(file_, s.width, s.height);
        std::vector<std::uint8_t> actl;
        put32(actl, static_cast<std::uint32_t>(s.frames));
        put32(actl, 0); // plays: 0 loops forever
        chunk(file_, "acTL", actl);
    }

    bool add(std::span<const std::uint8_t> rgba) override {
        const std::vector<std::uint8_t> data =
            compressedRows(settings_.width, settings_.height, rgba);
        if (data.empty()) {
            error_ = "cannot compress a frame";
            return false;
        }
        std::vector<std::uint8_t> fctl;
        put32(fctl, sequence_++);
        put32(fctl, static_cast<std::uint32_t>(settings_.width));
        put32(fctl, static_cast<std::uint32_t>(settings_.height));
        put32(fctl, 0); // x offset
        put32(fctl, 0); // y offset
        put16(fctl, static_cast<std::uint16_t>(std::clamp(settings_.delayMs, 0, 65535)));
        put16(fctl, 1000); // the delay is in milliseconds
        // Each frame replaces the whole picture, its transparent pixels included: no disposal
        // to undo, and the source blend so nothing of the previous frame shows through.
        fctl.push_back(0);
        fctl.push_back(0);
        chunk(file_, "fcTL", fctl);
        if (framesAdded_++ == 0) {
            chunk(file_, "IDAT", data); // the first frame is the picture plain readers show
            return true;
        }
        std::vector<std::uint8_t> fdat;
        fdat.reserve(data.size() + 4);
        put32(fdat, sequence_++);
        fdat.insert(fdat.end(), data.begin(), data.end());
        chunk(file_, "fdAT", fdat);
        return true;
    }

    std::vector<std::uint8_t> finish() override {
        if (framesAdded_ != settings_.frames) {
            error_ = "the animation is missing frames";
            return {};
        }
        chunk(file_, "IEND", {});
        return std::move(file_);
    }

  private:
    AnimationSettings settings_;
    std::vector<std::uint8_t> file_;
    std::uint32_t sequence_ = 0;
    int framesAdded_ = 0;
};

} // namespace

std::vector<std::uint8_t> encodePng(int width, int height, std::span<const std::uint8_t> rgba) {
    const std::vector<std::uint8_t> data = compressedRows(width, height, rgba);
    if (data.empty()) {
        return {};
    }
    std::vector<std::uint8_t> file;
    header(file, width, height);
    chunk(file, "IDAT", data);
    chunk(file, "IEND", {});
    return file;
}

std::unique_ptr<AnimationEncoder> makeApngEncoder(const AnimationSettings& settings) {
    return std::make_unique<ApngEncoder>(settings);
}

} // namespace fcw
