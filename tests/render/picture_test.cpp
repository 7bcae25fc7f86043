// Pictures of a model as the exports paint them: fitted, transparent around the model, no
// turntable frame clipped, and a turntable file that a cancel or a failed write leaves unmade.

#include "editor/commands/picture_export.h"
#include "render/picture_scene.h"
#include "render/qt_picture.h"
#include "temp_folder.h"

#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fcw {
namespace {

// A bar `length` long along the horizontal axis, 1 x 1 across, each face drawn both ways so
// that some face shows from every side.
std::vector<TriangleCore> bar(double length) {
    std::vector<TriangleCore> out;
    const double x[2] = {-0.5, 0.5};
    const double y[2] = {-length / 2, length / 2};
    const double z[2] = {-0.5, 0.5};
    auto corner = [&](int i) {
        return std::array<double, 3>{x[i & 1], y[(i >> 1) & 1], z[i >> 2]};
    };
    const int faces[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4},
                             {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
    for (const auto& f : faces) {
        for (const auto& tri : {std::array{f[0], f[1], f[2]}, std::array{f[0], f[2], f[3]}}) {
            out.push_back({0x00306090, {corner(tri[0]), corner(tri[1]), corner(tri[2])}});
            out.push_back({0x00306090, {corner(tri[0]), corner(tri[2]), corner(tri[1])}});
        }
    }
    return out;
}

// The box of the opaque pixels: left, top, right, bottom (inclusive); alpha must be 0 or 255.
std::array<int, 4> opaqueBox(const std::vector<std::uint8_t>& rgba, int width, int height) {
    std::array<int, 4> box{width, height, -1, -1};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t alpha = rgba[static_cast<std::size_t>((y * width + x) * 4 + 3)];
            EXPECT_TRUE(alpha == 0 || alpha == 255);
            if (alpha == 255) {
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x),
                       std::max(box[3], y)};
            }
        }
    }
    return box;
}

TEST(Picture, StillIsFittedCentredAndTransparentAround) {
    PictureScene scene(bar(10.0));
    PictureLook look;
    look.width = 200;
    look.height = 100;
    const std::vector<std::uint8_t> rgba = rasterisePicture(scene.still(look));
    const auto [left, top, right, bottom] = opaqueBox(rgba, 200, 100);
    // The bar's length fills 90 % of the smaller side (100 pixels), centred both ways.
    EXPECT_NEAR(right - left + 1, 90, 2);
    EXPECT_NEAR(bottom - top + 1, 9, 2);
    EXPECT_NEAR((left + right) / 2.0, 100, 1.5);
    EXPECT_NEAR((top + bottom) / 2.0, 50, 1.5);
    // The edges are black and opaque: black is never taken for the background.
    const std::uint8_t* edge = &rgba[static_cast<std::size_t>((top * 200 + left + 40) * 4)];
    EXPECT_EQ(edge[0] + edge[1] + edge[2], 0);
    EXPECT_EQ(edge[3], 255);

    look.background = 0x00FF0000; // blue, as 0x00BBGGRR
    const std::vector<std::uint8_t> blue = rasterisePicture(scene.still(look));
    EXPECT_EQ((std::array<int, 4>{blue[0], blue[1], blue[2], blue[3]}),
              (std::array<int, 4>{0, 0, 255, 255}));
}

TEST(Picture, NoTurntableFrameOfALongBarIsClipped) {
    PictureScene scene(bar(20.0));
    PictureLook look;
    look.width = 64;
    look.height = 48;
    look.horizontalDegrees = 35; // the bar sweeps across and toward the viewer
    int widest = 0;
    for (int k = 0; k < 24; ++k) {
        const auto [left, top, right, bottom] =
            opaqueBox(rasterisePicture(scene.turntable(look, k, 24)), 64, 48);
        EXPECT_GT(left, 0) << "frame " << k;
        EXPECT_GT(top, 0) << "frame " << k;
        EXPECT_LT(right, 63) << "frame " << k;
        EXPECT_LT(bottom, 47) << "frame " << k;
        widest = std::max(widest, right - left + 1);
    }
    EXPECT_GE(widest, 38) << "fitted to the bounding sphere, not shrunk further";
}

TEST(Picture, TurntableFileHasItsFramesAndCancelOrFailureLeavesNone) {
    testing::TempFolder folder("fcw-picture");
    const std::vector<TriangleCore> model = bar(6.0);
    PictureLook look;
    look.width = 48;
    look.height = 32;
    const std::string path = folder.path("spin.gif");
    ASSERT_TRUE(writeTurntable(model, look, {12, 50}, path, rasterisePicture).written());
    QImageReader reader(QString::fromStdString(path));
    EXPECT_EQ(reader.imageCount(), 12);
    EXPECT_EQ(reader.size(), QSize(48, 32));

    const std::string fresh = folder.path("cancelled.webp");
    int calls = 0;
    const PictureResult cancelled = writeTurntable(model, look, {12, 50}, fresh, rasterisePicture,
                                                   [&](int, int) { return ++calls < 3; });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(calls, 3) << "stops at once";
    WriteFaults diskFull;
    diskFull.failAfterBytes = 10;
    const PictureResult failed =
        writeTurntable(model, look, {12, 50}, path, rasterisePicture, {}, diskFull);
    EXPECT_TRUE(failed.error.has_value());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.dir()), {}), 1)
        << "only the first GIF, whole";
    EXPECT_EQ(QImageReader(QString::fromStdString(path)).imageCount(), 12);
}

} // namespace
} // namespace fcw
