// Animated GIF through giflib, with one palette for every frame so that no frame's colours
// shift against the next one's. When all frames together hold at most 255 colours the palette
// is exactly those colours; otherwise giflib's median-cut quantiser chooses it from a histogram
// of every frame, and one refinement step moves each entry to the mean of the colours it
// stands for. A transparent pixel gets an index of its own that no opaque colour maps to.

#include "io/animation_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <map>
#include <unordered_map>

namespace fcw {

namespace {

constexpr std::size_t kMaxExactColours = 255;
constexpr std::size_t kHistogramBins = 1u << 15; // 5 bits a channel, as the quantiser uses
constexpr std::size_t kQuantiserSamples = 1u << 16;

std::uint32_t rgbOf(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
}

std::size_t binOf(std::uint32_t rgb) {
    return ((rgb >> 19) & 0x1F) << 10 | ((rgb >> 11) & 0x1F) << 5 | ((rgb >> 3) & 0x1F);
}

// Every opaque colour of the frames: exactly while there are few, and as a histogram with the
// sum of the colours in each bin (for their mean).
struct ColourStudy {
    std::map<std::uint32_t, int> exact; // colour -> palette index, while <= 255 colours
    bool exactOverflowed = false;
    bool anyTransparent = false;
    struct Bin {
        std::uint64_t count = 0;
        std::array<std::uint64_t, 3> sum{};
    };
    std::vector<Bin> bins = std::vector<Bin>(kHistogramBins);

    void add(std::span<const std::uint8_t> rgba) {
        std::uint32_t last = std::numeric_limits<std::uint32_t>::max();
        for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
            if (rgba[i + 3] < 128) {
                anyTransparent = true;
                continue;
            }
            const std::uint32_t rgb = rgbOf(&rgba[i]);
            Bin& bin = bins[binOf(rgb)];
            ++bin.count;
            bin.sum[0] += rgba[i];
            bin.sum[1] += rgba[i + 1];
            bin.sum[2] += rgba[i + 2];
            if (rgb == last || exactOverflowed) {
                continue;
            }
            last = rgb;
            exact.emplace(rgb, 0);
            if (exact.size() > kMaxExactColours) {
                exactOverflowed = true;
                exact.clear();
            }
        }
    }
};

struct Palette {
    std::vector<std::uint32_t> colours; // opaque colours, RGB
    int transparentIndex = NO_TRANSPARENT_COLOR;
};

int distance2(std::uint32_t a, std::uint32_t b) {
    const int dr = static_cast<int>((a >> 16) & 0xFF) - static_cast<int>((b >> 16) & 0xFF);
    const int dg = static_cast<int>((a >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF);
    const int db = static_cast<int>(a & 0xFF) - static_cast<int>(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

int nearest(const std::vector<std::uint32_t>& colours, std::uint32_t rgb) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const int d = distance2(colours[i], rgb);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::uint32_t binMean(const ColourStudy::Bin& bin) {
    auto mean = [&](int c) {
        return static_cast<std::uint32_t>((bin.sum[c] + bin.count / 2) / bin.count);
    };
    return mean(0) << 16 | mean(1) << 8 | mean(2);
}

// giflib's median cut over a sample in which each bin's mean colour appears in proportion to
// its share of the pixels (at least once), then each entry moved to the weighted mean of the
// bins nearest to it.
std::vector<std::uint32_t> quantise(const ColourStudy& study, int maxColours) {
    std::uint64_t total = 0;
    for (const auto& bin : study.bins) {
        total += bin.count;
    }
    std::array<std::vector<GifByteType>, 3> channels;
    for (std::size_t b = 0; b < study.bins.size() && total > 0; ++b) {
        const auto& bin = study.bins[b];
        if (bin.count == 0) {
            continue;
        }
        const std::uint32_t rgb = binMean(bin);
        const std::uint64_t copies =
            std::max<std::uint64_t>(1, bin.count * kQuantiserSamples / total);
        for (std::uint64_t k = 0; k < copies; ++k) {
            channels[0].push_back(static_cast<GifByteType>(rgb >> 16));
            channels[1].push_back(static_cast<GifByteType>(rgb >> 8));
            channels[2].push_back(static_cast<GifByteType>(rgb));
        }
    }
    const auto samples = static_cast<unsigned>(channels[0].size());
    std::vector<GifByteType> indices(samples);
    std::vector<GifColorType> map(256);
    int size = maxColours;
    if (samples == 0 ||
        GifQuantizeBuffer(samples, 1, &size, channels[0].data(), channels[1].data(),
                          channels[2].data(), indices.data(), map.data()) != GIF_OK) {
        return {};
    }
    std::vector<std::uint32_t> colours;
    for (int i = 0; i < size; ++i) {
        colours.push_back(static_cast<std::uint32_t>(map[static_cast<std::size_t>(i)].Red) << 16 |
                          static_cast<std::uint32_t>(map[static_cast<std::size_t>(i)].Green) << 8 |
                          map[static_cast<std::size_t>(i)].Blue);
    }
    std::vector<ColourStudy::Bin> refined(colours.size());
    for (const auto& bin : study.bins) {
        if (bin.count != 0) {
            auto& r = refined[static_cast<std::size_t>(nearest(colours, binMean(bin)))];
            r.count += bin.count;
            for (int c = 0; c < 3; ++c) {
                r.sum[static_cast<std::size_t>(c)] += bin.sum[static_cast<std::size_t>(c)];
            }
        }
    }
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (refined[i].count != 0) {
            colours[i] = binMean(refined[i]);
        }
    }
    return colours;
}

Palette choosePalette(ColourStudy& study) {
    Palette palette;
    const int opaqueSlots = study.anyTransparent ? 255 : 256;
    if (!study.exactOverflowed) {
        for (auto& [rgb, index] : study.exact) {
            index = static_cast<int>(palette.colours.size());
            palette.colours.push_back(rgb);
        }
    } else {
        palette.colours = quantise(study, opaqueSlots);
    }
    if (palette.colours.empty()) {
        palette.colours.push_back(0); // an all-transparent animation still needs a colour
    }
    if (study.anyTransparent) {
        palette.transparentIndex = static_cast<int>(palette.colours.size());
    }
    return palette;
}

int writeToVector(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

class GifEncoder : public AnimationEncoder {
  public:
    explicit GifEncoder(const AnimationSettings& s) : settings_(s) {}
    ~GifEncoder() override {
        if (gif_ != nullptr) {
            EGifCloseFile(gif_, nullptr);
        }
    }
    bool studiesFrames() const override { return true; }
    void study(std::span<const std::uint8_t> rgba) override { study_.add(rgba); }
    bool add(std::span<const std::uint8_t> rgba) override;
    std::vector<std::uint8_t> finish() override;

  private:
    bool start();
    bool failed(const char* what) {
        error_ = std::string("GIF: ") + what;
        return false;
    }
    GifByteType indexOf(const std::uint8_t* pixel);

    AnimationSettings settings_;
    ColourStudy study_;
    Palette palette_;
    std::unordered_map<std::uint32_t, GifByteType> mapped_; // colour -> index, filled as met
    std::vector<std::uint8_t> file_;
    GifFileType* gif_ = nullptr;
    int framesAdded_ = 0;
};

bool GifEncoder::start() {
    palette_ = choosePalette(study_);
    study_ = ColourStudy{}; // its histogram is no longer needed
    for (std::size_t i = 0; i < palette_.colours.size(); ++i) {
        mapped_[palette_.colours[i]] = static_cast<GifByteType>(i);
    }
    const int used = static_cast<int>(palette_.colours.size()) + (palette_.transparentIndex >= 0);
    const int mapSize = 1 << std::max(1, GifBitSize(used));
    std::vector<GifColorType> entries(static_cast<std::size_t>(mapSize), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette_.colours.size(); ++i) {
        const std::uint32_t rgb = palette_.colours[i];
        entries[i] = {static_cast<GifByteType>(rgb >> 16), static_cast<GifByteType>(rgb >> 8),
                      static_cast<GifByteType>(rgb)};
    }
    int error = 0;
    gif_ = EGifOpen(&file_, writeToVector, &error);
    if (gif_ == nullptr) {
        return failed("cannot start the file");
    }
    EGifSetGifVersion(gif_, true);
    ColorMapObject* map = GifMakeMapObject(mapSize, entries.data());
    const int described =
        map == nullptr ? GIF_ERROR
                       : EGifPutScreenDesc(gif_, settings_.width, settings_.height, 8, 0, map);
    GifFreeMapObject(map);
    if (described != GIF_OK) {
        return failed("cannot write the screen descriptor");
    }
    // The application extension that makes the animation loop forever (a count of 0).
    const GifByteType loop[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") != GIF_OK ||
        EGifPutExtensionBlock(gif_, 3, loop) != GIF_OK || EGifPutExtensionTrailer(gif_) != GIF_OK) {
        return failed("cannot write the loop extension");
    }
    return true;
}

GifByteType GifEncoder::indexOf(const std::uint8_t* pixel) {
    if (pixel[3] < 128) {
        return static_cast<GifByteType>(palette_.transparentIndex);
    }
    const std::uint32_t rgb = rgbOf(pixel);
    const auto it = mapped_.find(rgb);
    if (it != mapped_.end()) {
        return it->second;
    }
    const auto index = static_cast<GifByteType>(nearest(palette_.colours, rgb));
    mapped_.emplace(rgb, index);
    return index;
}

bool GifEncoder::add(std::span<const std::uint8_t> rgba) {
    if (gif_ == nullptr && !start()) {
        return false;
    }
    GraphicsControlBlock control{};
    // A frame with transparent pixels is cleared before the next one is drawn, or the previous
    // frame would show through them.
    control.DisposalMode = palette_.transparentIndex >= 0 ? DISPOSE_BACKGROUND : DISPOSE_DO_NOT;
    control.DelayTime = gifDelayHundredths(settings_.delayMs);
    control.TransparentColor = palette_.transparentIndex;
    GifByteType extension[4];
    const auto length = static_cast<int>(EGifGCBToExtension(&control, extension));
    if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, length, extension) != GIF_OK ||
        EGifPutImageDesc(gif_, 0, 0, settings_.width, settings_.height, false, nullptr) != GIF_OK) {
        return failed("cannot write a frame");
    }
    std::vector<GifPixelType> line(static_cast<std::size_t>(settings_.width));
    const std::uint8_t* pixel = rgba.data();
    std::uint32_t lastRgba = 0;
    GifByteType lastIndex = indexOf(pixel);
    std::memcpy(&lastRgba, pixel, 4);
    for (int y = 0; y < settings_.height; ++y) {
        for (auto& index : line) {
            std::uint32_t value = 0;
            std::memcpy(&value, pixel, 4);
            if (value != lastRgba) { // flat colour comes in runs: look each run up once
                lastRgba = value;
                lastIndex = indexOf(pixel);
            }
            index = lastIndex;
            pixel += 4;
        }
        if (EGifPutLine(gif_, line.data(), settings_.width) != GIF_OK) {
            return failed("cannot write a frame's pixels");
        }
    }
    ++framesAdded_;
    return true;
}

std::vector<std::uint8_t> GifEncoder::finish() {
    if (gif_ == nullptr || framesAdded_ != settings_.frames) {
        failed("the animation is missing frames");
        return {};
    }
    GifFileType* gif = gif_;
    gif_ = nullptr;
    if (EGifCloseFile(gif, nullptr) != GIF_OK) {
        failed("cannot finish the file");
        return {};
    }
    return std::move(file_);
}

} // namespace

int gifDelayHundredths(int delayMs) {
    return std::max(2, (delayMs + 5) / 10);
}

std::unique_ptr<AnimationEncoder> makeGifEncoder(const AnimationSettings& settings) {
    return std::make_unique<GifEncoder>(settings);
}

} // namespace fcw
