// The command line's picture forms: what they accept and what they refuse before any work.

#include "editor/commands/picture_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fcw {
namespace {

PictureArguments parse(std::vector<std::string> arguments) {
    return parsePictureArguments(arguments);
}

TEST(PictureArguments, DefaultsAndOptions) {
    const auto still = parse({"--render", "in.fcw", "out.PNG"});
    ASSERT_TRUE(still.request) << still.error;
    EXPECT_FALSE(still.request->turntable);
    EXPECT_EQ(still.request->look.width, 800);
    EXPECT_EQ(still.request->look.height, 600);
    EXPECT_FALSE(still.request->look.background) << "transparent";

    const auto spin =
        parse({"--turntable", "in.glb", "out.webp", "--frames", "360", "--size", "16x4096",
               "--delay", "10", "--turn", "-30,12.5", "--background", "#10A0ff"});
    ASSERT_TRUE(spin.request) << spin.error;
    const PictureRequest& r = *spin.request;
    EXPECT_TRUE(r.turntable);
    EXPECT_EQ(r.animation.frames, 360);
    EXPECT_EQ(r.animation.delayMs, 10);
    EXPECT_EQ(r.look.width, 16);
    EXPECT_EQ(r.look.height, 4096);
    EXPECT_EQ(r.look.verticalDegrees, -30);
    EXPECT_EQ(r.look.horizontalDegrees, 12.5);
    EXPECT_EQ(r.look.background, Colour{0x00FFA010}) << "RRGGBB becomes 0x00BBGGRR";

    const auto plain = parse({"--turntable", "in.fcw", "out.gif"});
    ASSERT_TRUE(plain.request);
    EXPECT_EQ(plain.request->animation.frames, 36);
    EXPECT_EQ(plain.request->animation.delayMs, 60);
    EXPECT_EQ(plain.request->look.width, 512);
}

TEST(PictureArguments, RefusedWithOneLine) {
    const std::vector<std::vector<std::string>> refused = {
        {"--render"},
        {"--render", "in.fcw"},
        {"--render", "in.fcw", "--size", "20x20"},
        {"--render", "in.fcw", "out.gif"}, // a still is a PNG
        {"--render", "in.fcw", "out.png", "--frames", "3"},
        {"--render", "in.fcw", "out.png", "--size"},
        {"--render", "in.fcw", "out.png", "extra"},
        {"--render", "in.fcw", "out.png", "--bogus", "1"},
        {"--render", "in.fcw", "out.png", "--size", "15x100"},
        {"--render", "in.fcw", "out.png", "--size", "100x4097"},
        {"--render", "in.fcw", "out.png", "--size", "100"},
        {"--render", "in.fcw", "out.png", "--turn", "10"},
        {"--render", "in.fcw", "out.png", "--turn", "nan,0"},
        {"--render", "in.fcw", "out.png", "--background", "red"},
        {"--render", "in.fcw", "out.png", "--background", "12345"},
        {"--turntable", "in.fcw", "out.jpg"},
        {"--turntable", "in.fcw", "out"},
        {"--turntable", "in.fcw", "out.gif", "--frames", "0"},
        {"--turntable", "in.fcw", "out.gif", "--frames", "361"},
        {"--turntable", "in.fcw", "out.gif", "--frames", "-1"},
        {"--turntable", "in.fcw", "out.gif", "--delay", "9"},
        {"--turntable", "in.fcw", "out.gif", "--delay", "10001"},
        {"--turntable", "in.fcw", "out.gif", "--delay", "1e3"},
    };
    for (const auto& arguments : refused) {
        const PictureArguments parsed = parse(arguments);
        std::string line;
        for (const auto& a : arguments) {
            line += a + ' ';
        }
        EXPECT_FALSE(parsed.request) << line;
        EXPECT_FALSE(parsed.error.empty()) << line;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << line;
    }
}

} // namespace
} // namespace fcw
