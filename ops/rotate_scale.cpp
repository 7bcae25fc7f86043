#include "ops/rotate_scale.h"

#include "editor/editor.h"
#include "ops/selection_walk.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace fcw {

namespace {

constexpr char kNotANumber[] = "数字を入力してください。";
constexpr double kRadiansPerDegree = 0.017453292519943295;

std::string formatNumber(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return buffer;
}

Triangle& view(Editor& e, int t) {
    return e.store.viewTriangles[static_cast<std::size_t>(t)];
}

Point3 meanOfListedVertices(Editor& e) {
    Point3 sum(0, 0, 0);
    int n = 0;
    for (const SelectedVertex& v : e.selection.vertices()) {
        sum += view(e, v.triangle).v[static_cast<std::size_t>(v.vertex)];
        ++n;
    }
    if (n > 0) {
        sum /= n;
    }
    return sum;
}

void refresh(Triangle& t) {
    t.computePolar();
    t.computeNormal();
}

// Applies `change` to every whole-selected triangle (all three vertices) or every listed vertex,
// recomputing each touched triangle when `recompute` is set.
template <typename Change> void forSelected(Editor& e, bool triangles, bool recompute, Change&& change) {
    if (triangles) {
        forEachWholeTriangle(e.selection, [&](int t) {
            for (Point3& p : view(e, t).v) {
                change(p);
            }
            if (recompute) {
                refresh(view(e, t));
            }
            return true;
        });
        return;
    }
    for (const SelectedVertex& v : e.selection.vertices()) {
        change(view(e, v.triangle).v[static_cast<std::size_t>(v.vertex)]);
        if (recompute) {
            refresh(view(e, v.triangle));
        }
    }
}

void finish(Editor& e) {
    e.refreshViewToModel();
    e.refreshModelToView();
    e.countEdit();
    e.repaint();
}

} // namespace

void rotateInScreenPlane(Point3& p, double angle) {
    const double r = std::sqrt(p.y * p.y + p.z * p.z);
    const double phi = std::atan2(p.z, p.y) + angle;
    p.y = r * std::cos(phi);
    p.z = r * std::sin(phi);
}

std::optional<double> parseDialogNumber(const std::string& text) {
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t') {
        ++begin;
    }
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    if (end == begin) {
        return std::nullopt;
    }
    while (*end == ' ' || *end == '\t') {
        ++end;
    }
    if (*end != '\0' || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

RotateDialog::RotateDialog() : Dialog(kRotateDialog) {
    setValue(1100, "0");
    setValue(1092, "1");
    setValue(1093, "0");
}

bool RotateDialog::pressButton(int button) {
    const double angle = parseDialogNumber(value(1100)).value_or(0.0);
    double next = angle;
    switch (button) {
    case 1094:
        next = 90;
        break;
    case 1095:
        next = 180;
        break;
    case 1096:
        next = 270;
        break;
    case 1097:
        next = angle + 45;
        break;
    case 1098:
        next = angle + 30;
        break;
    default:
        return false;
    }
    setValue(1100, formatNumber(next));
    return true;
}

std::optional<std::string> RotateDialog::validate() {
    if (!parseDialogNumber(value(1100))) {
        return std::string(kNotANumber);
    }
    return std::nullopt;
}

double RotateDialog::angleRadians() const {
    const double angle = parseDialogNumber(value(1100)).value_or(0.0);
    const bool clockwise = value(1093) != "1";
    return angle * (clockwise ? kRadiansPerDegree : -kRadiansPerDegree);
}

ScaleDialog::ScaleDialog() : Dialog(kScaleDialog) {
    for (int id : {1105, 1009, 1010}) {
        setValue(id, "1");
    }
}

void ScaleDialog::controlEdited(int control) {
    if (control == 1105 || control == 1009 || control == 1010) {
        if (const auto v = parseDialogNumber(value(control))) {
            lastEdited_ = *v;
        }
    }
}

bool ScaleDialog::pressButton(int button) {
    double all = 0;
    switch (button) {
    case 1102:
        all = 2;
        break;
    case 1103:
        all = 4;
        break;
    case 1104:
        all = 10;
        break;
    case 1106:
        all = 0.5;
        break;
    case 1107:
        all = 0.25;
        break;
    case 1108:
        all = 0.1;
        break;
    case 1109:
        all = lastEdited_;
        break;
    default:
        return false;
    }
    for (int id : {1105, 1009, 1010}) {
        setValue(id, formatNumber(all));
    }
    return true;
}

std::optional<std::string> ScaleDialog::validate() {
    for (int id : {1105, 1009, 1010}) {
        if (!parseDialogNumber(value(id))) {
            return std::string(kNotANumber);
        }
    }
    return std::nullopt;
}

double ScaleDialog::factor(int control) const {
    return parseDialogNumber(value(control)).value_or(1.0);
}

void rotateSelection(Editor& e, RotateKind kind) {
    RotateDialog dialog;
    if (!e.host.runDialog(dialog)) {
        return;
    }
    const double theta = dialog.angleRadians();
    e.takeSnapshot();
    const bool triangles = kind == RotateKind::TrianglesAboutOrigin || kind == RotateKind::Triangles;
    const bool centred = kind == RotateKind::Triangles || kind == RotateKind::Vertices;
    auto mean = [&] { return triangles ? meanOfWholeCentroids(e.selection, e.store.viewTriangles) : meanOfListedVertices(e); };
    const Point3 before = centred ? mean() : Point3(0, 0, 0);
    forSelected(e, triangles, true, [&](Point3& p) { rotateInScreenPlane(p, theta); });
    if (centred) {
        const Point3 after = mean();
        forSelected(e, triangles, true, [&](Point3& p) { p.addDifference(after, before); });
    }
    finish(e);
}

void scaleSelection(Editor& e, ScaleKind kind) {
    ScaleDialog dialog;
    if (!e.host.runDialog(dialog)) {
        return;
    }
    e.takeSnapshot();
    const bool triangles = kind == ScaleKind::Triangles;
    auto mean = [&] { return triangles ? meanOfWholeCentroids(e.selection, e.store.viewTriangles) : meanOfListedVertices(e); };
    const Point3 before = mean();
    const double fx = dialog.factor(1010);
    const double fy = dialog.factor(1009);
    const double fz = dialog.factor(1105);
    forSelected(e, triangles, triangles, [&](Point3& p) {
        p.x *= fx;
        p.y *= fy;
        p.z *= fz;
    });
    const Point3 after = mean();
    forSelected(e, triangles, true, [&](Point3& p) { p.addDifference(after, before); });
    finish(e);
}

} // namespace fcw
