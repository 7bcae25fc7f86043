#include "editor/commands/picture_export.h"

#include "io/model_files.h"
#include "model/split_range.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace fcw {

namespace {

// Frames kept in memory between a GIF's two passes up to this many bytes; past it the second
// pass paints them again, so memory stays bounded whatever the size and count.
constexpr std::size_t kKeptFrameBytes = std::size_t{256} << 20;

std::optional<long> wholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::strtol(text.c_str(), nullptr, 10);
}

std::optional<double> finiteNumber(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno != 0 || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string inRange(const char* option, const std::string& value, long low, long high) {
    return std::string(option) + " needs a whole number from " + std::to_string(low) + " to " +
           std::to_string(high) + ", not '" + value + "'";
}

std::optional<std::string> readSize(const std::string& value, PictureLook& look) {
    const auto x = value.find('x');
    const auto w = x == std::string::npos ? std::nullopt : wholeNumber(value.substr(0, x));
    const auto h = x == std::string::npos ? std::nullopt : wholeNumber(value.substr(x + 1));
    if (!w || !h || *w < kMinPictureSide || *w > kMaxPictureSide || *h < kMinPictureSide ||
        *h > kMaxPictureSide) {
        return "--size needs WxH, each side from " + std::to_string(kMinPictureSide) + " to " +
               std::to_string(kMaxPictureSide) + ", not '" + value + "'";
    }
    look.width = static_cast<int>(*w);
    look.height = static_cast<int>(*h);
    return std::nullopt;
}

std::optional<std::string> readTurn(const std::string& value, PictureLook& look) {
    const auto comma = value.find(',');
    const auto v = comma == std::string::npos ? std::nullopt : finiteNumber(value.substr(0, comma));
    const auto h =
        comma == std::string::npos ? std::nullopt : finiteNumber(value.substr(comma + 1));
    if (!v || !h || std::abs(*v) > 1e6 || std::abs(*h) > 1e6) {
        return "--turn needs V,H in degrees, not '" + value + "'";
    }
    look.verticalDegrees = *v;
    look.horizontalDegrees = *h;
    return std::nullopt;
}

std::optional<std::string> readBackground(const std::string& value, PictureLook& look) {
    if (value == "transparent") {
        look.background.reset();
        return std::nullopt;
    }
    const std::string hex = !value.empty() && value[0] == '#' ? value.substr(1) : value;
    if (hex.size() != 6 || !std::all_of(hex.begin(), hex.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
        })) {
        return "--background needs transparent or RRGGBB, not '" + value + "'";
    }
    const auto rgb = static_cast<std::uint32_t>(std::strtoul(hex.c_str(), nullptr, 16));
    look.background = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return std::nullopt;
}

std::optional<std::string> readOption(const std::string& option, const std::string& value,
                                      PictureRequest& r) {
    if (option == "--size") {
        return readSize(value, r.look);
    }
    if (option == "--turn") {
        return readTurn(value, r.look);
    }
    if (option == "--background") {
        return readBackground(value, r.look);
    }
    const auto n = wholeNumber(value);
    if (option == "--frames" && r.turntable) {
        if (!n || *n < kMinTurntableFrames || *n > kMaxTurntableFrames) {
            return inRange("--frames", value, kMinTurntableFrames, kMaxTurntableFrames);
        }
        r.animation.frames = static_cast<int>(*n);
        return std::nullopt;
    }
    if (option == "--delay" && r.turntable) {
        if (!n || *n < kMinFrameDelayMs || *n > kMaxFrameDelayMs) {
            return inRange("--delay", value, kMinFrameDelayMs, kMaxFrameDelayMs);
        }
        r.animation.delayMs = static_cast<int>(*n);
        return std::nullopt;
    }
    return "unknown option '" + option + "' for " + (r.turntable ? "--turntable" : "--render");
}

PictureArguments refused(std::string why) {
    return {std::nullopt, std::move(why)};
}

} // namespace

const char* pictureUsage() {
    return "usage: facetcraftwerk --render IN OUT.png [--size WxH] [--turn V,H] "
           "[--background transparent|RRGGBB]\n"
           "       facetcraftwerk --turntable IN OUT.gif|OUT.png|OUT.webp [--frames N] "
           "[--size WxH] [--delay MS] [--turn V,H] [--background transparent|RRGGBB]\n";
}

PictureArguments parsePictureArguments(std::span<const std::string> arguments) {
    PictureRequest r;
    r.turntable = !arguments.empty() && arguments[0] == "--turntable";
    if (r.turntable) {
        r.look.width = 512;
        r.look.height = 512;
    }
    const char* form = r.turntable ? "--turntable" : "--render";
    if (arguments.size() < 3 || arguments[1].rfind("--", 0) == 0 ||
        arguments[2].rfind("--", 0) == 0) {
        return refused(std::string(form) + " needs IN and OUT");
    }
    r.in = arguments[1];
    r.out = arguments[2];
    for (std::size_t i = 3; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) {
            return refused(arguments[i].rfind("--", 0) == 0
                               ? arguments[i] + " needs a value"
                               : "unexpected argument '" + arguments[i] + "'");
        }
        if (auto problem = readOption(arguments[i], arguments[i + 1], r)) {
            return refused(*problem);
        }
    }
    const auto format = animationFormatFor(r.out);
    if (!format || (!r.turntable && *format != AnimationFormat::Apng)) {
        return refused(r.out + ": " + form + " writes " +
                       (r.turntable ? ".gif, .png or .webp" : ".png") + " files");
    }
    return {std::move(r), {}};
}

PictureResult writeStillPicture(std::span<const TriangleCore> triangles, const PictureLook& look,
                                const std::string& path, const FrameRasteriser& rasterise,
                                const WriteFaults& faults) {
    PictureScene scene(triangles);
    const std::vector<std::uint8_t> pixels = rasterise(scene.still(look));
    const std::vector<std::uint8_t> png = encodePng(look.width, look.height, pixels);
    if (png.empty()) {
        return {false, "cannot encode the picture for '" + path + "'"};
    }
    if (!writeFileAtomically(path, png, faults)) {
        return {false, "cannot write '" + path + "'"};
    }
    return {};
}

namespace {

// Paints the turntable's frames two at a time, one on each thread, and hands them on in order.
class FramePainter {
  public:
    FramePainter(std::span<const TriangleCore> triangles, const PictureLook& look, int frames,
                 const FrameRasteriser& rasterise)
        : scenes_{std::make_unique<PictureScene>(triangles),
                  std::make_unique<PictureScene>(triangles)},
          look_(look), frames_(frames), rasterise_(rasterise) {}

    // Calls use(k, pixels) for k = 0 .. frames - 1 in order; stops when use returns false.
    bool paintAll(const std::function<bool(int, std::vector<std::uint8_t>&)>& use) {
        for (int k = 0; k < frames_; k += 2) {
            std::array<std::vector<std::uint8_t>, 2> painted;
            shareWithHelper(k + 1 < frames_, [&](int worker) {
                const int frame = k + worker;
                if (frame < frames_) {
                    auto& scene = *scenes_[static_cast<std::size_t>(worker)];
                    painted[static_cast<std::size_t>(worker)] =
                        rasterise_(scene.turntable(look_, frame, frames_));
                }
            });
            for (int w = 0; w < 2 && k + w < frames_; ++w) {
                if (!use(k + w, painted[static_cast<std::size_t>(w)])) {
                    return false;
                }
            }
        }
        return true;
    }

  private:
    std::array<std::unique_ptr<PictureScene>, 2> scenes_;
    PictureLook look_;
    int frames_;
    const FrameRasteriser& rasterise_;
};

} // namespace

PictureResult writeTurntable(std::span<const TriangleCore> triangles, const PictureLook& look,
                             const TurntableSettings& animation, const std::string& path,
                             const FrameRasteriser& rasterise, const PictureProgress& progress,
                             const WriteFaults& faults) {
    const auto format = animationFormatFor(path);
    if (!format) {
        return {false, path + ": not a .gif, .png or .webp file"};
    }
    const int n = animation.frames;
    auto encoder = makeAnimationEncoder(
        *format, AnimationSettings{look.width, look.height, n, animation.delayMs});
    FramePainter painter(triangles, look, n, rasterise);
    const std::size_t frameBytes = static_cast<std::size_t>(look.width) * look.height * 4;
    const bool twoPasses = encoder->studiesFrames();
    const bool keep = twoPasses && frameBytes * static_cast<std::size_t>(n) <= kKeptFrameBytes;
    const int total = twoPasses ? 2 * n : n; // a GIF's frames pass twice: study, then add
    int done = 0;
    auto step = [&] { return !progress || progress(++done, total); };
    std::vector<std::vector<std::uint8_t>> kept;
    bool failed = false;
    auto add = [&](int, std::vector<std::uint8_t>& pixels) {
        failed = !encoder->add(pixels);
        return !failed && step();
    };
    bool finished = true;
    if (twoPasses) {
        finished = painter.paintAll([&](int, std::vector<std::uint8_t>& pixels) {
            encoder->study(pixels);
            if (keep) {
                kept.push_back(std::move(pixels));
            }
            return step();
        });
    }
    if (finished && keep) {
        for (std::size_t k = 0; k < kept.size() && finished; ++k) {
            finished = add(static_cast<int>(k), kept[k]);
            kept[k] = {};
        }
    } else if (finished) {
        finished = painter.paintAll(add);
    }
    if (failed) {
        return {false, path + ": " + encoder->error()};
    }
    if (!finished) {
        return {true, std::nullopt};
    }
    const std::vector<std::uint8_t> file = encoder->finish();
    if (file.empty()) {
        return {false, path + ": " + encoder->error()};
    }
    if (!writeFileAtomically(path, file, faults)) {
        return {false, "cannot write '" + path + "'"};
    }
    return {};
}

std::optional<std::string> runPictureRequest(const PictureRequest& request,
                                             const FrameRasteriser& rasterise) {
    ModelFileRead model = readModelFile(request.in, 1.0, 0x00C0C0C0);
    if (!model.error.empty()) {
        return request.in + ": " + model.error;
    }
    reduceToCapacity(model.triangles);
    const PictureResult result =
        request.turntable
            ? writeTurntable(model.triangles, request.look, request.animation, request.out,
                             rasterise)
            : writeStillPicture(model.triangles, request.look, request.out, rasterise);
    return result.error;
}

} // namespace fcw
