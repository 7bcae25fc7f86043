#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fcw {

// Pictures out. Pixels come in as rows of 8-bit RGBA with straight (not premultiplied) alpha,
// width * 4 bytes a row and no padding; a pixel whose alpha is below 128 counts as transparent
// where a format knows only opaque and transparent (GIF).

enum class AnimationFormat { Gif, Apng, Webp };

// The format an animation's path names by its extension (any case): .gif, .png, .webp.
std::optional<AnimationFormat> animationFormatFor(const std::string& path);

struct AnimationSettings {
    int width = 0;
    int height = 0;
    int frames = 0;   // how many frames add() will be given
    int delayMs = 60; // between frames; GIF keeps hundredths of a second, at least 2
};

// One animation, frame by frame, looping forever. The file is built in memory and handed
// over whole, so the caller writes it like every other file.
class AnimationEncoder {
  public:
    virtual ~AnimationEncoder() = default;
    // True when every frame must pass study() before the first add(): GIF chooses one palette
    // for all frames, so they cannot flicker between palettes.
    virtual bool studiesFrames() const { return false; }
    virtual void study(std::span<const std::uint8_t> /*rgba*/) {}
    // Appends the next frame; false (see error()) when the encoder failed.
    virtual bool add(std::span<const std::uint8_t> rgba) = 0;
    // The whole file once every frame was added; empty (see error()) on failure.
    virtual std::vector<std::uint8_t> finish() = 0;
    const std::string& error() const { return error_; }

  protected:
    std::string error_;
};

std::unique_ptr<AnimationEncoder> makeAnimationEncoder(AnimationFormat format,
                                                       const AnimationSettings& settings);

// A still PNG picture with its alpha, written with zlib.
std::vector<std::uint8_t> encodePng(int width, int height, std::span<const std::uint8_t> rgba);

// The animation encoders, for makeAnimationEncoder and the tests.
std::unique_ptr<AnimationEncoder> makeGifEncoder(const AnimationSettings& settings);
std::unique_ptr<AnimationEncoder> makeApngEncoder(const AnimationSettings& settings);
std::unique_ptr<AnimationEncoder> makeWebpEncoder(const AnimationSettings& settings);

// GIF's frame delay: hundredths of a second, rounded, at least 2 (browsers stretch shorter
// delays, often to 10, so a GIF never asks for less than 2).
int gifDelayHundredths(int delayMs);

} // namespace fcw
