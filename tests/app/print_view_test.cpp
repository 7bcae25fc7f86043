// The view printed at the printer's resolution rather than a screen bitmap stretched.

#include "app/view_widget.h"
#include "editor/batch_player.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <sstream>

namespace fcw {
namespace {

struct SmallView {
    std::ostringstream out;
    BatchPlayer player{out, out};
    Editor& e = player.editor();
    SmallView() {
        for (const char* line : {"size 40 30", "command 32895", "command 32777"}) {
            EXPECT_FALSE(player.runLine(line)) << line;
        }
    }
};

int countColumnsOf(const QImage& image, int row, QRgb colour) {
    int n = 0;
    for (int x = 0; x < image.width(); ++x) {
        n += image.pixel(x, row) == colour ? 1 : 0;
    }
    return n;
}

// Three device pixels per screen pixel: three times the size, the same grid lines three times
// as far apart and still one pixel wide (paler spacing rules give them the grey of a 15-pixel
// grid), and the screen's camera back afterwards.
TEST(PrintView, ScaledPictureKeepsOnePixelLinesAndRestoresTheCamera) {
    SmallView v;
    const Camera before = v.e.camera;
    const QImage screen = ViewWidget::paintScenePicture(v.e);
    const QImage printed = ViewWidget::paintScenePictureScaled(v.e, 3);
    ASSERT_EQ(printed.size(), QSize(120, 90));
    const int screenLines = countColumnsOf(screen, 2, qRgb(243, 243, 255));
    const QRgb printedGrey = qRgb(213, 213, 255); // 258 - 3 * 15
    EXPECT_GT(screenLines, 4);
    EXPECT_EQ(countColumnsOf(printed, 2, printedGrey), screenLines);
    for (int x = 1; x < printed.width(); ++x) {
        EXPECT_FALSE(printed.pixel(x, 2) == printedGrey && printed.pixel(x - 1, 2) == printedGrey)
            << x;
    }
    EXPECT_EQ(v.e.camera.zoom, before.zoom);
    EXPECT_EQ(v.e.camera.clientRect, before.clientRect);
    EXPECT_EQ(v.e.camera.centreX, before.centreX);
    EXPECT_EQ(ViewWidget::paintScenePicture(v.e), screen);
}

TEST(PrintView, PrintsToAPdfFile) {
    SmallView v;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("view.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(300);
    ViewWidget::printView(v.e, printer, 96);
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_GT(pdf.size(), 1000);
}

} // namespace
} // namespace fcw
