// The view printed at the printer's resolution rather than a screen bitmap stretched.

#include "app/view_widget.h"
#include "editor/batch/batch_player.h"

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
// as far apart, still one pixel wide and in the screen's grey (a grid's grey goes by its
// spacing on the screen), and the screen's camera back afterwards.
TEST(PrintView, ScaledPictureKeepsOnePixelLinesAndRestoresTheCamera) {
    SmallView v;
    const Camera before = v.e.pane().camera;
    const QImage screen = ViewWidget::paintScenePicture(v.e);
    const QImage printed = ViewWidget::paintScenePictureScaled(v.e, 3);
    ASSERT_EQ(printed.size(), QSize(120, 90));
    const int screenLines = countColumnsOf(screen, 2, qRgb(243, 243, 255));
    const QRgb printedGrey = qRgb(243, 243, 255); // 258 - 3 * 5
    EXPECT_GT(screenLines, 4);
    EXPECT_EQ(countColumnsOf(printed, 2, printedGrey), screenLines);
    for (int x = 1; x < printed.width(); ++x) {
        EXPECT_FALSE(printed.pixel(x, 2) == printedGrey && printed.pixel(x - 1, 2) == printedGrey)
            << x;
    }
    EXPECT_EQ(v.e.pane().camera.zoom, before.zoom);
    EXPECT_EQ(v.e.pane().camera.clientRect, before.clientRect);
    EXPECT_EQ(v.e.pane().camera.centreX, before.centreX);
    EXPECT_EQ(ViewWidget::paintScenePicture(v.e), screen);
}

// The middle of the pixels of one colour.
QPoint middleOf(const QImage& image, QRgb colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box.center();
}

// A selection dragged off the centre: its grab box is printed where it is on the screen, three
// times as far from the corner, not at the screen's pixels; and the editor's pointer state is
// the screen's again afterwards.
TEST(PrintView, TheGrabBoxIsPrintedWhereTheScreenShowsIt) {
    std::ostringstream out;
    BatchPlayer player{out, out};
    // A triangle, the range tool, select all, then the centre box dragged down and right.
    for (const char* line :
         {"size 400 300", "command 32895", "down 150 100", "down 250 100", "down 150 200",
          "command 32803", "command 32930", "down 200 150", "move 260 190 left", "up 260 190"}) {
        EXPECT_FALSE(player.runLine(line)) << line;
    }
    Editor& e = player.editor();
    const InteractionState before = e.session.interaction;
    const Rect beforeGrab = e.session.tools.range.grabBox;
    const QRgb grabPen = qRgb(0, 0, 0x80);
    const QPoint onScreen = middleOf(ViewWidget::paintScenePicture(e), grabPen);
    const QPoint printed = middleOf(ViewWidget::paintScenePictureScaled(e, 3), grabPen);
    ASSERT_GT(onScreen.x(), 220) << "the grab box moved with the drag";
    EXPECT_NEAR(printed.x(), 3 * onScreen.x(), 3);
    EXPECT_NEAR(printed.y(), 3 * onScreen.y(), 3);
    EXPECT_EQ(e.session.tools.range.grabBox, beforeGrab);
    EXPECT_EQ(e.session.interaction.lastPointer.x, before.lastPointer.x);
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
