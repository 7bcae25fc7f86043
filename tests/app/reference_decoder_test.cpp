// The window's and the batch player's reference-image decoder: Qt's image reader with its
// format plug-ins, refusing what is too large before decoding it.

#include "app/qt_host.h"
#include "io/animation_writer.h"
#include "temp_folder.h"

#include <QImage>
#include <QImageWriter>

#include <gtest/gtest.h>

#include <fstream>

namespace fcw {
namespace {

constexpr int kSide = 16384;
constexpr std::uint64_t kBytes = std::uint64_t{256} << 20;

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

TEST(ReferenceDecoder, ReadsEveryPictureFormatQtTakes) {
    testing::TempFolder folder("fcw-refdec");
    const auto formats = QImageWriter::supportedImageFormats();
    for (const char* ext : {"png", "bmp", "jpg", "webp", "tiff"}) {
        if (!formats.contains(ext)) {
            ADD_FAILURE() << "Qt cannot write " << ext << " here (qt6-image-formats-plugins?)";
            continue;
        }
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(qRgb(200, 40, 40));
        // The name's extension is wrong on purpose: the reader goes by the contents.
        const std::string path = folder.path(std::string("pic-") + ext + ".dat");
        ASSERT_TRUE(image.save(QString::fromStdString(path), ext, 100)) << ext;
        const DecodedImage d = decodeReferencePictureFile(path, kSide, kBytes);
        ASSERT_TRUE(d.error.empty()) << ext << ": " << d.error;
        EXPECT_EQ(d.width, 30) << ext;
        EXPECT_EQ(d.height, 20) << ext;
        EXPECT_NEAR(qRed(d.argb[0]), 200, 6) << ext;
        EXPECT_EQ(qAlpha(d.argb[0]), 255) << ext;
    }
}

TEST(ReferenceDecoder, AnAnimationGivesItsFirstFrame) {
    testing::TempFolder folder("fcw-refdec");
    auto gif = makeGifEncoder({4, 2, 2, 60});
    std::vector<std::uint8_t> blue(4 * 2 * 4, 0);
    for (std::size_t i = 0; i < blue.size(); i += 4) {
        blue[i + 2] = blue[i + 3] = 0xFF;
    }
    std::vector<std::uint8_t> first(4 * 2 * 4, 0xFF);
    for (std::size_t i = 0; i < first.size(); i += 4) {
        first[i + 1] = first[i + 2] = 0; // opaque red
    }
    gif->study(first);
    gif->study(blue);
    ASSERT_TRUE(gif->add(first));
    ASSERT_TRUE(gif->add(blue));
    writeBytes(folder.path("a.gif"), gif->finish());
    const DecodedImage d = decodeReferencePictureFile(folder.path("a.gif"), kSide, kBytes);
    ASSERT_TRUE(d.error.empty()) << d.error;
    EXPECT_EQ(d.argb[0], qRgb(255, 0, 0));
}

TEST(ReferenceDecoder, RefusesWhatIsNoPictureOrTooLarge) {
    testing::TempFolder folder("fcw-refdec");
    std::ofstream(folder.path("text.png")) << "not a picture";
    QImage wide(kSide + 1, 1, QImage::Format_RGB32);
    wide.fill(Qt::white);
    ASSERT_TRUE(wide.save(QString::fromStdString(folder.path("wide.png")), "png"));
    QImage square(100, 100, QImage::Format_RGB32);
    square.fill(Qt::white);
    ASSERT_TRUE(square.save(QString::fromStdString(folder.path("square.png")), "png"));
    struct Case {
        std::string path;
        std::uint64_t maxBytes;
        const char* error;
    };
    const Case cases[] = {{folder.path("text.png"), kBytes, "画像として読めません"},
                          {folder.path("wide.png"), kBytes, "画像が大きすぎます"},
                          {folder.path("square.png"), 100 * 100 * 4 - 1, "画像が大きすぎます"}};
    for (const Case& c : cases) {
        const DecodedImage d = decodeReferencePictureFile(c.path, kSide, c.maxBytes);
        EXPECT_EQ(d.error, c.error) << c.path;
        EXPECT_TRUE(d.argb.empty()) << c.path;
    }
}

} // namespace
} // namespace fcw
