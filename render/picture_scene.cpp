#include "render/picture_scene.h"

#include "render/depth_order.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace fcw {

namespace {

constexpr double kRadiansPerDegree = 1.0 / kDegreesPerRadian;

// The view options of a picture: filled with edges, nothing but the model.
ViewOptions pictureView() {
    ViewOptions view;
    view.frameMode = FrameMode::FilledWithEdges;
    view.emphasisMode = 0;
    view.statusVisible = 0;
    view.depthNormalDisplay = 0;
    return view;
}

} // namespace

PictureScene::PictureScene(std::span<const TriangleCore> triangles) {
    const std::size_t count = std::min<std::size_t>(triangles.size(), kMaxTriangles);
    double low[3] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                     std::numeric_limits<double>::max()};
    double high[3] = {-low[0], -low[1], -low[2]};
    for (std::size_t i = 0; i < count; ++i) {
        for (const auto& v : triangles[i].v) {
            for (std::size_t a = 0; a < 3; ++a) {
                if (std::isfinite(v[a])) {
                    low[a] = std::min(low[a], v[a]);
                    high[a] = std::max(high[a], v[a]);
                }
            }
        }
    }
    double centre[3] = {0, 0, 0};
    for (std::size_t a = 0; a < 3; ++a) {
        centre[a] = low[a] <= high[a] ? (low[a] + high[a]) / 2 : 0.0;
    }
    store_.lastIndex = static_cast<std::int16_t>(static_cast<int>(count) - 1);
    for (std::size_t i = 0; i < count; ++i) {
        TriangleCore moved = triangles[i];
        for (auto& v : moved.v) {
            double d2 = 0.0;
            for (std::size_t a = 0; a < 3; ++a) {
                v[a] -= centre[a];
                d2 += v[a] * v[a];
            }
            if (std::isfinite(d2)) {
                radius_ = std::max(radius_, std::sqrt(d2));
            }
        }
        Triangle& t = store_.modelTriangles[i];
        t.assign(moved);
        t.computePolar();
        t.computeNormal();
    }
}

void PictureScene::turn(double verticalDegrees, double horizontalDegrees) {
    if (store_.lastIndex >= 0) {
        store_.refreshModelToView(verticalDegrees * kRadiansPerDegree,
                                  horizontalDegrees * kRadiansPerDegree);
    }
}

double PictureScene::turntableZoom(int width, int height) const {
    const double side = std::min(width, height) * kPictureFill;
    return radius_ > 0.0 ? side / (2.0 * radius_) : 1.0;
}

SceneFrame PictureScene::still(const PictureLook& look) {
    turn(look.verticalDegrees, look.horizontalDegrees);
    // The turned model's box on the screen's axes: y across, z down.
    double left = std::numeric_limits<double>::max();
    double right = -left;
    double top = left;
    double bottom = -left;
    for (int i = 0; i <= store_.lastIndex; ++i) {
        for (const Point3& p : store_.viewTriangles[static_cast<std::size_t>(i)].v) {
            if (std::isfinite(p.y) && std::isfinite(p.z)) {
                left = std::min(left, p.y);
                right = std::max(right, p.y);
                top = std::min(top, p.z);
                bottom = std::max(bottom, p.z);
            }
        }
    }
    if (left > right) {
        return frame(look, 1.0, 0.0, 0.0);
    }
    const double extent = std::max(right - left, bottom - top);
    const double side = std::min(look.width, look.height) * kPictureFill;
    const double zoom = extent > 0.0 ? side / extent : 1.0;
    return frame(look, zoom, -(left + right) / 2, -(top + bottom) / 2);
}

SceneFrame PictureScene::turntable(const PictureLook& look, int frame, int frames) {
    turn(look.verticalDegrees + 360.0 * frame / std::max(frames, 1), look.horizontalDegrees);
    return this->frame(look, turntableZoom(look.width, look.height), 0.0, 0.0);
}

SceneFrame PictureScene::frame(const PictureLook& look, double zoom, double offsetX,
                               double offsetY) {
    SceneFrame f;
    Camera& c = f.camera;
    c.zoom = zoom;
    c.originOffsetX = offsetX;
    c.originOffsetY = offsetY;
    c.clientRect = {0, 0, look.width, look.height};
    c.computeCentre();
    f.client = c.clientRect;
    f.view = pictureView();
    f.background = look.background;
    const int n = store_.lastIndex;
    sortByDepth(store_.depthKeys, n, drawOrder_);
    f.triangles = store_.viewTriangles;
    f.drawOrder = drawOrder_;
    f.drawCount = n;
    for (int k = 0; k <= n; ++k) {
        Triangle& t =
            store_.viewTriangles[static_cast<std::size_t>(drawOrder_[static_cast<std::size_t>(k)])];
        if (t.normal.x >= 0) {
            t.shade(f.view.brightness);
        }
    }
    return f;
}

} // namespace fcw
