// Lossless animated WebP through libwebp's animation encoder.

#include "io/animation_writer.h"

#include <webp/encode.h>
#include <webp/mux.h>

namespace fcw {

namespace {

// libwebp's lossless effort, 0 (fastest) to 9 (smallest); flat-coloured frames gain little
// from more.
constexpr int kLosslessLevel = 3;

class WebpEncoder : public AnimationEncoder {
  public:
    explicit WebpEncoder(const AnimationSettings& s) : settings_(s) {
        WebPAnimEncoderOptions options;
        if (WebPAnimEncoderOptionsInit(&options) == 0) {
            return;
        }
        options.anim_params.loop_count = 0; // forever
        options.allow_mixed = 0;            // every frame lossless
        encoder_ = WebPAnimEncoderNew(s.width, s.height, &options);
    }
    ~WebpEncoder() override {
        if (encoder_ != nullptr) {
            WebPAnimEncoderDelete(encoder_);
        }
    }
    WebpEncoder(const WebpEncoder&) = delete;
    WebpEncoder& operator=(const WebpEncoder&) = delete;

    bool add(std::span<const std::uint8_t> rgba) override {
        WebPConfig config;
        if (encoder_ == nullptr || WebPConfigInit(&config) == 0 ||
            WebPConfigLosslessPreset(&config, kLosslessLevel) == 0) {
            error_ = "WebP: cannot start the encoder";
            return false;
        }
        WebPPicture picture;
        if (WebPPictureInit(&picture) == 0) {
            error_ = "WebP: cannot start a frame";
            return false;
        }
        picture.use_argb = 1;
        picture.width = settings_.width;
        picture.height = settings_.height;
        const bool added =
            WebPPictureImportRGBA(&picture, rgba.data(), settings_.width * 4) != 0 &&
            WebPAnimEncoderAdd(encoder_, &picture, timestampMs(framesAdded_), &config) != 0;
        WebPPictureFree(&picture);
        if (!added) {
            error_ = std::string("WebP: ") + WebPAnimEncoderGetError(encoder_);
            return false;
        }
        ++framesAdded_;
        return true;
    }

    std::vector<std::uint8_t> finish() override {
        if (encoder_ == nullptr || framesAdded_ != settings_.frames) {
            error_ = "WebP: the animation is missing frames";
            return {};
        }
        // The last frame's duration is the time of a frame that never comes.
        WebPData data;
        WebPDataInit(&data);
        if (WebPAnimEncoderAdd(encoder_, nullptr, timestampMs(framesAdded_), nullptr) == 0 ||
            WebPAnimEncoderAssemble(encoder_, &data) == 0) {
            error_ = std::string("WebP: ") + WebPAnimEncoderGetError(encoder_);
            return {};
        }
        std::vector<std::uint8_t> file(data.bytes, data.bytes + data.size);
        WebPDataClear(&data);
        return file;
    }

  private:
    int timestampMs(int frame) const { return frame * settings_.delayMs; }

    AnimationSettings settings_;
    WebPAnimEncoder* encoder_ = nullptr;
    int framesAdded_ = 0;
};

} // namespace

std::unique_ptr<AnimationEncoder> makeWebpEncoder(const AnimationSettings& settings) {
    return std::make_unique<WebpEncoder>(settings);
}

std::optional<AnimationFormat> animationFormatFor(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return std::nullopt;
    }
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (ext == "gif") {
        return AnimationFormat::Gif;
    }
    if (ext == "png") {
        return AnimationFormat::Apng;
    }
    if (ext == "webp") {
        return AnimationFormat::Webp;
    }
    return std::nullopt;
}

std::unique_ptr<AnimationEncoder> makeAnimationEncoder(AnimationFormat format,
                                                       const AnimationSettings& settings) {
    switch (format) {
    case AnimationFormat::Gif:
        return makeGifEncoder(settings);
    case AnimationFormat::Apng:
        return makeApngEncoder(settings);
    case AnimationFormat::Webp:
        break;
    }
    return makeWebpEncoder(settings);
}

} // namespace fcw
