// The picture writers, read back through real decoders: Qt's image reader for GIF and for PNG
// (each animated PNG frame rebuilt as a PNG of its own), libwebp's demuxer for WebP.

#include "io/animation_writer.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>
#include <webp/demux.h>
#include <zlib.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace fcw {
namespace {

constexpr int kW = 20;
constexpr int kH = 16;

using Pixels = std::vector<std::uint8_t>;

// Frame k: a transparent left column, an opaque black second column (black must stay opaque),
// and the rest in colours that change from frame to frame; `spread` colours in all.
Pixels frame(int k, int spread) {
    Pixels p(static_cast<std::size_t>(kW * kH * 4));
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            std::uint8_t* px = &p[static_cast<std::size_t>((y * kW + x) * 4)];
            if (x == 0) {
                continue; // all zero: transparent
            }
            const int c = x == 1 ? 0 : (k * 37 + y * kW + x) % spread;
            px[0] = static_cast<std::uint8_t>(x == 1 ? 0 : 40 + c * 7 % 200);
            px[1] = static_cast<std::uint8_t>(x == 1 ? 0 : c * 13 % 256);
            px[2] = static_cast<std::uint8_t>(x == 1 ? 0 : 255 - c % 256);
            px[3] = 255;
        }
    }
    return p;
}

std::vector<std::uint8_t> encode(AnimationFormat format, const std::vector<Pixels>& frames,
                                 int delayMs) {
    auto encoder = makeAnimationEncoder(format, {kW, kH, static_cast<int>(frames.size()), delayMs});
    if (encoder->studiesFrames()) {
        for (const Pixels& f : frames) {
            encoder->study(f);
        }
    }
    for (const Pixels& f : frames) {
        EXPECT_TRUE(encoder->add(f)) << encoder->error();
    }
    return encoder->finish();
}

QByteArray bytes(const std::vector<std::uint8_t>& v) {
    return {reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size())};
}

// The largest difference of any channel between a decoded picture and the frame; alpha must
// agree exactly at every pixel (opaque stays opaque, transparent stays transparent).
int worstError(const QImage& decoded, const Pixels& expected) {
    const QImage rgba = decoded.convertToFormat(QImage::Format_RGBA8888);
    EXPECT_EQ(rgba.width(), kW);
    EXPECT_EQ(rgba.height(), kH);
    int worst = 0;
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const std::uint8_t* got = rgba.constScanLine(y) + x * 4;
            const std::uint8_t* want = &expected[static_cast<std::size_t>((y * kW + x) * 4)];
            EXPECT_EQ(got[3] >= 128, want[3] >= 128) << "alpha at " << x << "," << y;
            if (want[3] >= 128) {
                for (int c = 0; c < 3; ++c) {
                    worst = std::max(worst, std::abs(int(got[c]) - int(want[c])));
                }
            }
        }
    }
    return worst;
}

TEST(AnimationWriter, GifFramesDelayLoopAndPalette) {
    // 200 colours together fit one exact palette; 3000 need the quantiser.
    for (const int spread : {200, 3000}) {
        const std::vector<Pixels> frames = {frame(0, spread), frame(1, spread), frame(2, spread)};
        QByteArray file = bytes(encode(AnimationFormat::Gif, frames, 70));
        QBuffer buffer(&file);
        QImageReader reader(&buffer, "gif");
        ASSERT_TRUE(reader.supportsAnimation());
        EXPECT_EQ(reader.imageCount(), 3);
        EXPECT_EQ(reader.loopCount(), -1) << "loops forever";
        for (const Pixels& f : frames) {
            const QImage image = reader.read();
            ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
            EXPECT_EQ(reader.nextImageDelay(), 70);
            const int error = worstError(image, f);
            if (spread <= 255) {
                EXPECT_EQ(error, 0) << "an exact palette";
            } else {
                EXPECT_LE(error, 48) << "a fair quantisation";
            }
        }
    }
}

TEST(AnimationWriter, GifDelayIsInHundredthsOfAtLeastTwo) {
    const std::array<std::array<int, 2>, 5> cases{
        {{10, 2}, {24, 2}, {60, 6}, {65, 7}, {10000, 1000}}};
    for (const auto& [ms, hundredths] : cases) {
        EXPECT_EQ(gifDelayHundredths(ms), hundredths) << ms;
    }
}

// The chunks of a PNG file: type and data.
std::vector<std::pair<std::string, QByteArray>> chunks(const QByteArray& file) {
    std::vector<std::pair<std::string, QByteArray>> out;
    auto be32 = [&](qsizetype at) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[at])) << 24 |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[at + 1])) << 16 |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[at + 2])) << 8 |
               static_cast<std::uint8_t>(file[at + 3]);
    };
    for (qsizetype at = 8; at + 12 <= file.size();) {
        const auto length = static_cast<qsizetype>(be32(at));
        out.emplace_back(file.mid(at + 4, 4).toStdString(), file.mid(at + 8, length));
        at += 12 + length;
    }
    return out;
}

// A PNG of one frame: the file's signature and IHDR, then the frame's data as IDAT, and IEND.
QImage decodeFramePng(const QByteArray& file, const QByteArray& data) {
    QByteArray png = file.left(8 + 25); // signature and IHDR chunk
    auto put32 = [&](std::uint32_t v) {
        for (int s = 24; s >= 0; s -= 8) {
            png.append(static_cast<char>((v >> s) & 0xFF));
        }
    };
    auto chunk = [&](const char* type, const QByteArray& body) {
        put32(static_cast<std::uint32_t>(body.size()));
        const QByteArray typed = QByteArray(type) + body;
        png.append(typed);
        put32(static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()),
                                               static_cast<uInt>(typed.size()))));
    };
    chunk("IDAT", data);
    chunk("IEND", {});
    return QImage::fromData(png, "PNG");
}

TEST(AnimationWriter, AnimatedPngChunksAndFrames) {
    const std::vector<Pixels> frames = {frame(0, 3000), frame(1, 3000), frame(2, 3000)};
    const QByteArray file = bytes(encode(AnimationFormat::Apng, frames, 70));
    const QImage first = QImage::fromData(file, "PNG");
    EXPECT_EQ(worstError(first, frames[0]), 0) << "plain readers show the first frame";
    std::vector<QByteArray> data;
    int controls = 0;
    for (const auto& [type, body] : chunks(file)) {
        if (type == "acTL") {
            EXPECT_EQ(body.toHex().toStdString(), "0000000300000000") << "3 frames, forever";
        } else if (type == "fcTL") {
            ++controls;
            EXPECT_EQ(body.mid(20, 4).toHex().toStdString(), "004603e8") << "70 / 1000 s";
        } else if (type == "IDAT") {
            data.push_back(body);
        } else if (type == "fdAT") {
            data.push_back(body.mid(4)); // after the sequence number
        }
    }
    EXPECT_EQ(controls, 3);
    ASSERT_EQ(data.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(worstError(decodeFramePng(file, data[k]), frames[k]), 0) << "frame " << k;
    }
}

TEST(AnimationWriter, LosslessWebpFramesTimingAndLoop) {
    const std::vector<Pixels> frames = {frame(0, 3000), frame(1, 3000), frame(2, 3000)};
    const std::vector<std::uint8_t> file = encode(AnimationFormat::Webp, frames, 70);
    const WebPData data{file.data(), file.size()};
    WebPAnimDecoderOptions options;
    ASSERT_TRUE(WebPAnimDecoderOptionsInit(&options));
    options.color_mode = MODE_RGBA;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    ASSERT_NE(decoder, nullptr);
    WebPAnimInfo info;
    ASSERT_TRUE(WebPAnimDecoderGetInfo(decoder, &info));
    EXPECT_EQ(info.frame_count, 3u);
    EXPECT_EQ(info.loop_count, 0u) << "forever";
    for (std::size_t k = 0; k < 3; ++k) {
        std::uint8_t* pixels = nullptr;
        int timestamp = 0;
        ASSERT_TRUE(WebPAnimDecoderGetNext(decoder, &pixels, &timestamp));
        EXPECT_EQ(timestamp, 70 * static_cast<int>(k + 1)) << "each frame ends 70 ms later";
        const QImage image(pixels, kW, kH, kW * 4, QImage::Format_RGBA8888);
        EXPECT_EQ(worstError(image, frames[k]), 0) << "lossless, frame " << k;
    }
    WebPAnimDecoderDelete(decoder);
}

TEST(AnimationWriter, StillPngKeepsAlphaAndTheFormatComesFromTheExtension) {
    const Pixels f = frame(0, 3000);
    const QByteArray file = bytes(encodePng(kW, kH, f));
    EXPECT_EQ(worstError(QImage::fromData(file, "PNG"), f), 0);
    EXPECT_EQ(animationFormatFor("a/b.GIF"), AnimationFormat::Gif);
    EXPECT_EQ(animationFormatFor("b.png"), AnimationFormat::Apng);
    EXPECT_EQ(animationFormatFor("b.webp"), AnimationFormat::Webp);
    EXPECT_EQ(animationFormatFor("a.gif/b"), std::nullopt);
    EXPECT_EQ(animationFormatFor("b.jpg"), std::nullopt);
}

} // namespace
} // namespace fcw
