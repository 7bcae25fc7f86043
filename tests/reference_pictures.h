#pragma once

#include "editor/host.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace fcw::testing {

// A picture format for tests without the toolkit: the text "PIC W H AARRGGBB" (hexadecimal),
// a W x H picture of one colour; the top-left pixel is black so that a test can see which way
// round the picture is drawn. Anything else is not a picture.
inline void writePicture(const std::string& path, int w, int h, std::uint32_t argb) {
    char text[64];
    std::snprintf(text, sizeof text, "PIC %d %d %08X", w, h, static_cast<unsigned>(argb));
    std::ofstream(path) << text;
}

inline DecodedImage decodeTestPicture(const std::string& path, int maxSide,
                                      std::uint64_t maxBytes) {
    std::ifstream in(path);
    std::string tag;
    int w = 0;
    int h = 0;
    std::uint32_t argb = 0;
    if (!(in >> tag >> w >> h >> std::hex >> argb) || tag != "PIC" || w <= 0 || h <= 0) {
        return {0, 0, {}, "画像として読めません"};
    }
    if (w > maxSide || h > maxSide || 4ull * w * h > maxBytes) {
        return {0, 0, {}, "画像が大きすぎます"};
    }
    DecodedImage image{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, argb), {}};
    image.argb[0] = 0xFF000000;
    return image;
}

} // namespace fcw::testing
