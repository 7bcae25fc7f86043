// The view on a scaled screen: run once per device pixel ratio (QT_SCALE_FACTOR on the
// offscreen platform, set by ctest). The picture has the window's device size and is the
// shared scaled picture (the unscaled one at ratio 1); a rubber band dragged at window
// positions selects the vertex under it, and its marker is painted where the vertex shows.

#include "app/main_window.h"
#include "app/view_widget.h"
#include "editor/commands/commands.h"
#include "render/device_pixels.h"
#include "test_host.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace fcw {
namespace {

class ScaledView : public ::testing::Test {
  protected:
    QtHost host;
    Editor editor{host};
    std::unique_ptr<MainWindow> window;
    ViewWidget* view = nullptr;
    double ratio = 1.0;

    void SetUp() override {
        window = std::make_unique<MainWindow>(editor, host);
        host.attach(window.get(), window->view());
        window->resize(500, 400);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        view = window->view();
        ratio = view->devicePixelRatioF();
        // One triangle, facing the viewer, well inside the view.
        testing::appendTriangle(editor, {0, -80, -60}, {0, 90, -40}, {0, -20, 70}, 0x00C08040);
        editor.refreshModelToView();
        view->paintNow();
    }
    void TearDown() override {
        editor.document.modified = false; // no save prompt while closing
        window.reset();
    }

    // The window position of the triangle's first corner.
    QPoint firstCorner() const {
        const Point3& v = editor.document.store.viewTriangles[0].v[0];
        return {editor.pane().camera.projectX(v.y), editor.pane().camera.projectY(v.z)};
    }

    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }
};

TEST_F(ScaledView, TheRatioIsTheScreenScale) {
    const char* factor = std::getenv("QT_SCALE_FACTOR");
    EXPECT_DOUBLE_EQ(ratio, factor ? std::stod(factor) : 1.0);
}

// With the selection's boxes (drawn partly through QPainter) and the grid, painted twice.
TEST_F(ScaledView, ThePictureHasTheDeviceSizeAndIsTheSharedScaledOne) {
    window->runCommand(command_id::kSelectAll);
    editor.session.view.grid = GridSpacing::Twenty;
    view->paintNow();
    view->paintNow();
    const QImage& shown = view->backBuffer();
    EXPECT_EQ(shown.width(), deviceLength(view->width(), ratio));
    EXPECT_EQ(shown.height(), deviceLength(view->height(), ratio));
    EXPECT_DOUBLE_EQ(shown.devicePixelRatio(), ratio);
    QImage expected = ratio == 1.0 ? ViewWidget::paintScenePicture(editor)
                                   : ViewWidget::paintScenePictureScaled(editor, ratio);
    expected.setDevicePixelRatio(ratio);
    EXPECT_TRUE(shown == expected);
}

// Today's picture at twice the size would make every aligned 2 x 2 block one colour; the
// device picture draws the edges, the text and the grid in single device pixels.
TEST_F(ScaledView, AtRatioTwoTheEdgesAreFinerThanAWindowPixel) {
    if (ratio != 2.0) {
        GTEST_SKIP() << "ratio " << ratio;
    }
    const QImage& shown = view->backBuffer();
    int mixed = 0;
    for (int y = 0; y + 1 < shown.height(); y += 2) {
        for (int x = 0; x + 1 < shown.width(); x += 2) {
            const QRgb p = shown.pixel(x, y);
            mixed += (shown.pixel(x + 1, y) != p || shown.pixel(x, y + 1) != p ||
                      shown.pixel(x + 1, y + 1) != p)
                         ? 1
                         : 0;
        }
    }
    EXPECT_GT(mixed, 200);
}

TEST_F(ScaledView, ABandAtWindowPositionsSelectsTheVertexThereAndMarksIt) {
    window->runCommand(command_id::kToolRangeMove);
    const QPoint corner = firstCorner();
    send(QEvent::MouseButtonPress, corner - QPoint(6, 6), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, corner + QPoint(6, 6), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, corner + QPoint(6, 6), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(editor.document.selection.count(), 1);
    EXPECT_EQ(editor.document.selection.vertices()[0].triangle, 0);
    EXPECT_EQ(editor.document.selection.vertices()[0].vertex, 0);
    view->paintNow();
    // The selection marker (blue inside a red outline) around the corner's device position.
    const QImage& shown = view->backBuffer();
    EXPECT_EQ(shown.pixel(devicePosition(corner.x(), ratio), devicePosition(corner.y(), ratio)),
              qRgb(0, 0, 255));
}

} // namespace
} // namespace fcw

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
