#include "render/qt_picture.h"

#include "render/qt_canvas.h"
#include "render/scene_painter.h"

#include <algorithm>
#include <cstring>

namespace fcw {

std::vector<std::uint8_t> rasterisePicture(const SceneFrame& frame) {
    const int width = std::max(frame.client.right - frame.client.left, 1);
    const int height = std::max(frame.client.bottom - frame.client.top, 1);
    QtCanvas canvas(width, height);
    canvas.setConcurrentBands(false);
    paintScene(frame, canvas);
    const QImage rgba = canvas.argbImage().convertToFormat(QImage::Format_RGBA8888);
    const auto rowBytes = static_cast<std::size_t>(width) * 4;
    std::vector<std::uint8_t> out(rowBytes * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        std::memcpy(out.data() + rowBytes * static_cast<std::size_t>(y), rgba.constScanLine(y),
                    rowBytes);
    }
    return out;
}

} // namespace fcw
