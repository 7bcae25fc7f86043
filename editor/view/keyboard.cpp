#include "editor/view/keyboard.h"

#include "editor/dialogs/dialog_number.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/symmetry.h"
#include "editor/tools/draw_triangle_tool.h"
#include "editor/tools/tool_registry.h"
#include "interact/model_point.h"
#include "interact/snap.h"
#include "ops/selection_walk.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace fcw {

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kTwoPi = 6.283185307179586;
// Bounds of the band around a full turn that snaps back to 0.
constexpr double kTurnLow = 6.283185307178586;
constexpr double kTurnHigh = 6.283185307180586;

constexpr double kNumericLimit = 100000.0;

bool nearFullTurn(double a) {
    return (a >= kTurnLow && a <= kTurnHigh) || (a >= -kTurnHigh && a <= -kTurnLow);
}

// Dialog 282: the three coordinates of a vertex, each a number in -100000 .. 100000.
class NumericInputDialog : public Dialog {
  public:
    static constexpr int kHorizontal = kNumericInputHorizontal;
    static constexpr int kDepth = kNumericInputDepth;
    static constexpr int kVertical = kNumericInputVertical;

    NumericInputDialog() : Dialog(kNumericInputDialog) {
        for (int id : {kHorizontal, kDepth, kVertical}) {
            setValue(id, "0");
        }
    }

    std::optional<std::string> validate() override {
        for (int id : {kHorizontal, kDepth, kVertical}) {
            const auto v = parseDialogNumber(value(id));
            if (!v) {
                return text(text_context::kMessage, kNotANumberMessage);
            }
            if (!(*v >= -kNumericLimit && *v <= kNumericLimit)) {
                return numberRangeMessage(-kNumericLimit, kNumericLimit,
                                          text(text_context::kMessage, kNumberRangeMessage));
            }
        }
        return std::nullopt;
    }

    double number(int id) const { return parseDialogNumber(value(id)).value_or(0.0); }
};

void normaliseAngles(Camera& c) {
    double& v = c.verticalAxisAngle;
    if (nearFullTurn(v)) {
        v = 0.0;
    } else {
        if (v > kTwoPi) {
            v -= kTwoPi;
        }
        if (v < -kTwoPi) {
            v += kTwoPi;
        }
    }
    double& h = c.horizontalAxisAngle;
    if (h > kTwoPi) {
        h -= kTwoPi;
    }
    if (h < -kTwoPi) {
        h += kTwoPi;
    }
    if (nearFullTurn(h)) {
        h = 0.0;
    }
}

// Space: one vertex of the triangle being drawn, typed in model coordinates. Only the drawing
// tool takes it; a new triangle is refused at the 3000-triangle limit like a click.
void numericEntry(Editor& e) {
    if (!drawingToolActive(e)) {
        return;
    }
    if (drawingVerticesPlaced(e) == 0 && e.document.store.lastIndex + 1 >= kMaxTriangles) {
        showTooManyPolygons(e);
        return;
    }
    NumericInputDialog dialog;
    if (!e.host.runDialog(dialog)) {
        return;
    }
    // The fields follow their labels in the user's directions: 横 (+ right) is y, 縦 (+ up)
    // is -z and 奥行き (+ far) is -x, as in the numeric move dialog and the files.
    drawTriangleTypedVertex(e, Point3(-dialog.number(NumericInputDialog::kDepth),
                                      dialog.number(NumericInputDialog::kHorizontal),
                                      -dialog.number(NumericInputDialog::kVertical)));
}

} // namespace

std::optional<Key> keyFromName(const std::string& given) {
    std::string name;
    for (char c : given) {
        name += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (name.size() == 4 && name.compare(0, 3, "num") == 0 && name[3] >= '0' && name[3] <= '9') {
        name = "numpad" + name.substr(3);
    }
    static constexpr std::array<std::pair<const char*, Key>, 19> kNames{{
        {"enter", Key::Enter},     {"space", Key::Space},       {"left", Key::Left},
        {"up", Key::Up},           {"right", Key::Right},       {"down", Key::Down},
        {"pageup", Key::PageUp},   {"pagedown", Key::PageDown}, {"home", Key::Home},
        {"end", Key::End},         {"numpad1", Key::Numpad1},   {"numpad2", Key::Numpad2},
        {"numpad3", Key::Numpad3}, {"numpad4", Key::Numpad4},   {"numpad5", Key::Numpad5},
        {"numpad6", Key::Numpad6}, {"numpad7", Key::Numpad7},   {"numpad8", Key::Numpad8},
        {"numpad9", Key::Numpad9},
    }};
    for (const auto& [text, key] : kNames) {
        if (name == text) {
            return key;
        }
    }
    // Keys the view ignores: Escape, Delete, letters, function keys, numeric-pad 0.
    const bool letter = name.size() == 1 && name[0] >= 'a' && name[0] <= 'z';
    const bool function = name.size() >= 2 && name.size() <= 3 && name[0] == 'f' &&
                          std::atoi(name.c_str() + 1) >= 1 && std::atoi(name.c_str() + 1) <= 12;
    if (name == "other" || name == "escape" || name == "delete" || name == "numpad0" || letter ||
        function) {
        return Key::Other;
    }
    return std::nullopt;
}

namespace {

// Turns the view or moves the drawing depth for one key. Returns false for a key that does
// neither, so nothing is refreshed.
bool applyViewKey(Editor& e, Key key) {
    InteractionState& s = e.session.interaction;
    Camera& c = e.pane().camera;
    const int spacing = e.session.view.gridUnits();
    const double depthStep = spacing == 0 ? 1.0 : spacing;
    const double step = e.services.settings.angleStep * kRadiansPerDegree;
    const Camera before = c;
    switch (key) {
    case Key::Enter:
        break;
    case Key::Space:
        numericEntry(e);
        break;
    case Key::Left:
    case Key::Numpad4:
        c.verticalAxisAngle += step;
        break;
    case Key::Right:
    case Key::Numpad6:
        c.verticalAxisAngle -= step;
        break;
    case Key::Up:
        if (s.arrowDepthMode) {
            c.depth -= depthStep;
        } else {
            c.horizontalAxisAngle += step;
        }
        break;
    case Key::Down:
        if (s.arrowDepthMode) {
            c.depth += depthStep;
        } else {
            c.horizontalAxisAngle -= step;
        }
        break;
    case Key::PageUp:
    case Key::Home:
    case Key::Numpad7:
    case Key::Numpad9:
        c.depth -= depthStep;
        break;
    case Key::PageDown:
    case Key::End:
    case Key::Numpad1:
    case Key::Numpad3:
        c.depth += depthStep;
        break;
    case Key::Numpad8:
        c.horizontalAxisAngle += step;
        break;
    case Key::Numpad2:
        c.horizontalAxisAngle -= step;
        break;
    case Key::Numpad5:
    case Key::Other:
        return false;
    }
    if (isOrthographic(e.pane())) { // only 自由視点 turns
        c.verticalAxisAngle = before.verticalAxisAngle;
        c.horizontalAxisAngle = before.horizontalAxisAngle;
    }
    return true;
}

} // namespace

void onKeyDown(Editor& e, Key key, bool controlDown) {
    const SymmetryAfterEvent symmetric(e);
    InteractionState& s = e.session.interaction;
    Camera& c = e.pane().camera;
    if (activeTool(e).key(e, key, controlDown)) {
        return;
    }
    if (!applyViewKey(e, key)) {
        return;
    }
    if (e.document.store.lastIndex >= 0 && drawingToolActive(e)) {
        Triangle& t =
            e.document.store.modelTriangles[static_cast<std::size_t>(e.document.store.lastIndex)];
        t.computePolar();
        t.computeNormal(); // a triangle finished by numeric entry gets its normal here
        if (drawingVerticesPlaced(e) != 0) {
            t.setColour(s.currentColour);
        }
    }
    normaliseAngles(c);
    if (e.document.store.lastIndex >= 0) {
        e.refreshModelToView();
    }
    const ModelPoint cursor = modelPointFromClient(c, s.lastPointer.x, s.lastPointer.y);
    c.cursorDepth = cursor.x;
    c.cursorHorizontal = cursor.y;
    c.cursorVertical = cursor.z;
    e.repaint();
}

void useArrowsForDepth(Editor& editor) {
    editor.session.interaction.arrowDepthMode = true;
}

void useArrowsForRotation(Editor& editor) {
    editor.session.interaction.arrowDepthMode = false;
}

} // namespace fcw
