// Adobe swatch exchange files: "ASEF", a version (two 16-bit numbers), a 32-bit block count,
// then the blocks, each a 16-bit kind, a 32-bit length and that many bytes. All numbers are
// big-endian. A colour entry holds its name (a 16-bit count of UTF-16 units, the terminating
// zero included, then the units), the colour model's four letters, its values as 32-bit floats
// and a 16-bit colour type (global, spot or normal, which a palette does not need).

#include "io/palette_collector.h"
#include "io/palette_files.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>

namespace fcw {

namespace {

constexpr std::uint16_t kColourEntry = 0x0001;

constexpr char kTruncated[] = FCW_TR_NOOP("Message", "ファイルが途中で終わっています");
constexpr char kBlockPastEnd[] =
    FCW_TR_NOOP("Message", "ブロックの長さがファイルの終わりを越えています");

// A reader over bytes that knows how many remain; every get checks first.
class BigEndianBytes {
  public:
    explicit BigEndianBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t remaining() const { return bytes_.size(); }
    std::uint16_t u16() {
        const std::uint16_t v = static_cast<std::uint16_t>(bytes_[0] << 8 | bytes_[1]);
        bytes_ = bytes_.subspan(2);
        return v;
    }
    std::uint32_t u32() {
        const std::uint32_t v = static_cast<std::uint32_t>(bytes_[0]) << 24 |
                                static_cast<std::uint32_t>(bytes_[1]) << 16 |
                                static_cast<std::uint32_t>(bytes_[2]) << 8 | bytes_[3];
        bytes_ = bytes_.subspan(4);
        return v;
    }
    float f32() { return std::bit_cast<float>(u32()); }
    std::span<const std::uint8_t> take(std::size_t n) {
        const auto out = bytes_.first(n);
        bytes_ = bytes_.subspan(n);
        return out;
    }

  private:
    std::span<const std::uint8_t> bytes_;
};

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16BE units up to the first zero, as UTF-8; a lone surrogate becomes U+FFFD.
std::string utf8FromUtf16(BigEndianBytes units, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t code = units.u16();
        if (code == 0) {
            break;
        }
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < count) {
            BigEndianBytes peek = units;
            const std::uint32_t low = peek.u16();
            if (low >= 0xDC00 && low < 0xE000) {
                units = peek;
                ++i;
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            }
        }
        if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;
        }
        appendUtf8(out, code);
    }
    return out;
}

// sRGB's transfer curve on a linear value, clamped to [0, 1], as 0..255.
int srgbByte(double linear) {
    linear = std::clamp(linear, 0.0, 1.0);
    const double encoded =
        linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    return static_cast<int>(std::lround(encoded * 255.0));
}

int unitByte(double value) {
    return static_cast<int>(std::lround(value * 255.0));
}

// CIE L*a*b* (L 0..100, D50 white, as the files use) to sRGB; colours outside sRGB are clamped.
Colour labToSrgb(double l, double a, double b) {
    const double fy = (l + 16.0) / 116.0;
    const double fx = fy + a / 500.0;
    const double fz = fy - b / 200.0;
    auto inverse = [](double t) {
        constexpr double kDelta = 6.0 / 29.0;
        return t > kDelta ? t * t * t : 3.0 * kDelta * kDelta * (t - 4.0 / 29.0);
    };
    const double x = 0.96422 * inverse(fx);
    const double y = inverse(fy);
    const double z = 0.82521 * inverse(fz);
    // XYZ (D50) to linear sRGB, with the Bradford adaptation to sRGB's D65 white folded in.
    return rgbColour(srgbByte(3.1338561 * x - 1.6168667 * y - 0.4906146 * z),
                     srgbByte(-0.9787684 * x + 1.9161415 * y + 0.0334540 * z),
                     srgbByte(0.0719453 * x - 0.2289914 * y + 1.4052427 * z));
}

// The colour of one entry's values, or nothing when a value is out of range or the model is
// unknown.
std::optional<Colour> entryColour(std::string_view model, BigEndianBytes& values) {
    struct Model {
        std::string_view name;
        std::size_t count;
    };
    constexpr Model kModels[] = {{"RGB ", 3}, {"CMYK", 4}, {"LAB ", 3}, {"Gray", 1}};
    const Model* m = nullptr;
    for (const Model& candidate : kModels) {
        if (candidate.name == model) {
            m = &candidate;
        }
    }
    if (m == nullptr || values.remaining() < 4 * m->count) {
        return std::nullopt;
    }
    std::array<double, 4> v{};
    for (std::size_t i = 0; i < m->count; ++i) {
        v[i] = values.f32();
        if (!std::isfinite(v[i])) {
            return std::nullopt;
        }
    }
    if (model == "LAB ") {
        return labToSrgb(v[0] * 100.0, v[1], v[2]);
    }
    if (std::any_of(v.begin(), v.end(), [](double x) { return x < 0.0 || x > 1.0; })) {
        return std::nullopt;
    }
    if (model == "RGB ") {
        return rgbColour(unitByte(v[0]), unitByte(v[1]), unitByte(v[2]));
    }
    if (model == "CMYK") {
        const double k = 1.0 - v[3];
        return rgbColour(unitByte((1.0 - v[0]) * k), unitByte((1.0 - v[1]) * k),
                         unitByte((1.0 - v[2]) * k));
    }
    const int grey = unitByte(v[0]);
    return rgbColour(grey, grey, grey);
}

void readColourEntry(BigEndianBytes block, PaletteCollector& out) {
    if (block.remaining() < 2) {
        out.skip();
        return;
    }
    const std::size_t units = block.u16();
    if (block.remaining() < 2 * units + 4) {
        out.skip();
        return;
    }
    const std::string name = utf8FromUtf16(BigEndianBytes(block.take(2 * units)), units);
    const auto modelBytes = block.take(4);
    const std::string_view model(reinterpret_cast<const char*>(modelBytes.data()), 4);
    if (const auto colour = entryColour(model, block)) {
        out.add(*colour, name);
    } else {
        out.skip();
    }
}

} // namespace

PaletteRead readAsePalette(std::span<const std::uint8_t> bytes) {
    PaletteCollector out;
    BigEndianBytes in(bytes);
    if (bytes.size() < 4 || std::memcmp(bytes.data(), "ASEF", 4) != 0) {
        return std::move(out).finish(
            FCW_TR_NOOP("Message", "ASE ファイルの見出し（ASEF）がありません"));
    }
    if (bytes.size() < 12) {
        return std::move(out).finish(kTruncated);
    }
    in.take(8); // the signature and the version, which every reader of the blocks can take
    const std::uint32_t blocks = in.u32();
    // Each block needs six bytes at least, so the count cannot make the loop outrun the file.
    for (std::uint32_t i = 0; i < blocks; ++i) {
        if (in.remaining() < 6) {
            return std::move(out).finish(kTruncated);
        }
        const std::uint16_t kind = in.u16();
        const std::uint32_t length = in.u32();
        if (length > in.remaining()) {
            return std::move(out).finish(kBlockPastEnd);
        }
        const BigEndianBytes block(in.take(length));
        if (kind == kColourEntry) {
            readColourEntry(block, out);
        }
    }
    return std::move(out).finish();
}

} // namespace fcw
