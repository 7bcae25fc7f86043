#include "ops/vertex_move.h"

#include "editor/editor.h"
#include "ops/rotate_scale.h"
#include "ops/selection_walk.h"

#include <cmath>

namespace fcw {

namespace {

enum class Axis { Vertical, Horizontal, Depth };
enum class Rule { Relative, Position, Smallest, Largest, Mean, Distance };

struct MoveCommand {
    int mainId;
    int popupId;
    Rule rule;
    Axis axis;
    const char* description;
};

constexpr char kSignVertical[] = "“+”が上，“-”が下";
constexpr char kSignHorizontal[] = "“+”が右，“-”が左";
constexpr char kSignDepth[] = "“+”が奥，“-”が手前";

constexpr MoveCommand kCommands[] = {
    {32921, 32918, Rule::Relative, Axis::Vertical,
     "縦方向に移動する．\r\n（現在の点の位置から相対的に移動）"},
    {32922, 32919, Rule::Relative, Axis::Horizontal,
     "横方向に移動する．\r\n（現在の点の位置から相対的に移動）"},
    {32923, 32920, Rule::Relative, Axis::Depth,
     "奥行き方向に移動する．\r\n(現在の点の位置から相対的に移動)"},
    {32924, 32902, Rule::Position, Axis::Vertical, "\r\n縦方向の位置を合わせる"},
    {32925, 32903, Rule::Position, Axis::Horizontal, "\r\n横方向の位置を合わせる"},
    {32926, 32904, Rule::Position, Axis::Depth, "\r\n奥行き向の位置を合わせる"},
    {32944, 32937, Rule::Smallest, Axis::Vertical, "一番上にある点が\r\n指定位置に来るように移動する"},
    {32945, 32938, Rule::Largest, Axis::Vertical, "一番下にある点が\r\n指定位置に来るように移動する"},
    {32946, 32939, Rule::Smallest, Axis::Horizontal,
     "一番左にある点が\r\n指定位置に来るように移動する"},
    {32947, 32940, Rule::Largest, Axis::Horizontal,
     "一番右にある点が\r\n指定位置に来るように移動する"},
    {32953, 32951, Rule::Largest, Axis::Depth, "一番手前にある点が\r\n指定位置に来るように移動する"},
    {32954, 32952, Rule::Smallest, Axis::Depth, "一番奥にある点が\r\n指定位置に来るように移動する"},
    {32948, 32941, Rule::Mean, Axis::Vertical, "選択された点の重心が\r\n指定位置に来るように移動する"},
    {32949, 32933, Rule::Mean, Axis::Horizontal,
     "選択された点の重心が\r\n指定位置に来るように移動する"},
    {32950, 32942, Rule::Mean, Axis::Depth, "選択された点の重心が\r\n指定位置に来るように移動する"},
    {32927, 32905, Rule::Distance, Axis::Vertical, "\r\n縦軸からの距離を合わせる"},
    {32928, 32906, Rule::Distance, Axis::Horizontal, "\r\n横軸からの距離を合わせる"},
    {32929, 32907, Rule::Distance, Axis::Depth, "\r\n奥行き軸からの距離を合わせる"},
};

// Dialog 318: the option (1121), the description (1063), the number (1008), the sign (1122).
class NumberInputDialog : public Dialog {
public:
    NumberInputDialog(bool useCurrentView, const char* description, const char* sign)
        : Dialog(kNumberInputDialog) {
        setValue(1121, useCurrentView ? "1" : "0");
        setValue(1063, description);
        setValue(1008, "0");
        setValue(1122, sign);
    }
    std::optional<std::string> validate() override {
        if (!parseDialogNumber(value(1008))) {
            return std::string("数字を入力してください。");
        }
        return std::nullopt;
    }
    double number() const { return parseDialogNumber(value(1008)).value_or(0.0); }
    bool useCurrentView() const { return value(1121) == "1"; }
};

const char* signFor(const MoveCommand& c) {
    if (c.rule == Rule::Distance) {
        return "";
    }
    switch (c.axis) {
    case Axis::Vertical:
        return kSignVertical;
    case Axis::Horizontal:
        return kSignHorizontal;
    default:
        return kSignDepth;
    }
}

// The stored coordinate an axis works on: vertical z, horizontal y, depth x.
double& coordinate(Point3& p, Axis axis) {
    return axis == Axis::Vertical ? p.z : axis == Axis::Horizontal ? p.y : p.x;
}

void apply(Editor& e, std::vector<Triangle>& list, const MoveCommand& c, double v) {
    const auto entries = e.selection.vertices();
    auto vertex = [&](const SelectedVertex& s) -> Point3& {
        return list[static_cast<std::size_t>(s.triangle)].v[static_cast<std::size_t>(s.vertex)];
    };
    double m = 0.0;
    if (c.rule == Rule::Smallest || c.rule == Rule::Largest || c.rule == Rule::Mean) {
        bool first = true;
        double sum = 0.0;
        for (const SelectedVertex& s : entries) {
            const double w = coordinate(vertex(s), c.axis);
            sum += w;
            if (first || (c.rule == Rule::Smallest && w < m) || (c.rule == Rule::Largest && w > m)) {
                m = w;
            }
            first = false;
        }
        if (c.rule == Rule::Mean) {
            m = sum / static_cast<double>(e.selection.count());
        }
    }
    for (const SelectedVertex& s : entries) {
        Point3& p = vertex(s);
        double& w = coordinate(p, c.axis);
        switch (c.rule) {
        case Rule::Relative:
            // Up and far are positive for the user; z and x grow the other way.
            w = c.axis == Axis::Horizontal ? w + v : w - v;
            break;
        case Rule::Position:
            w = c.axis == Axis::Horizontal ? v : -v;
            break;
        case Rule::Smallest:
        case Rule::Largest:
        case Rule::Mean:
            w = c.axis == Axis::Horizontal ? w + (v - m) : w - (m + v);
            break;
        case Rule::Distance:
            if (c.axis == Axis::Vertical) {
                const double t = std::atan2(p.x, p.y);
                p.x = v * std::sin(t);
                p.y = v * std::cos(t);
            } else if (c.axis == Axis::Horizontal) {
                const double t = std::atan2(p.x, p.z);
                p.x = v * std::sin(t);
                p.z = v * std::cos(t);
            } else {
                const double t = std::atan2(p.z, p.y);
                p.z = v * std::sin(t);
                p.y = v * std::cos(t);
            }
            break;
        }
        Triangle& t = list[static_cast<std::size_t>(s.triangle)];
        t.computePolar();
        t.computeNormal();
    }
}

} // namespace

bool runVertexMove(Editor& e, int commandId) {
    const MoveCommand* command = nullptr;
    for (const MoveCommand& c : kCommands) {
        if (c.mainId == commandId || c.popupId == commandId) {
            command = &c;
        }
    }
    if (command == nullptr) {
        return false;
    }
    InteractionState& s = e.interaction;
    NumberInputDialog dialog(s.moveInCurrentView, command->description, signFor(*command));
    if (e.host.runDialog(dialog)) {
        e.takeSnapshot(); // only now: a cancelled dialog must cost no undo step
        s.moveInCurrentView = dialog.useCurrentView();
        if (s.moveInCurrentView) {
            apply(e, e.store.viewTriangles, *command, dialog.number());
            e.refreshViewToModel();
        } else {
            apply(e, e.store.modelTriangles, *command, dialog.number());
            e.refreshModelToView();
        }
        e.countEdit();
    }
    e.selection.clear(e.store);
    e.repaint();
    return true;
}

} // namespace fcw
