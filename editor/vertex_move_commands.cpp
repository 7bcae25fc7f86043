#include "editor/vertex_move_commands.h"

#include "editor/editor.h"
#include "editor/transform_dialogs.h"
#include "ops/vertex_move.h"

namespace fcw {

namespace {

struct MoveCommand {
    int mainId;
    int popupId;
    VertexMove move;
    const char* description;
};

using R = MoveRule;
using A = MoveAxis;

constexpr char kSignVertical[] = "“+”が上，“-”が下";
constexpr char kSignHorizontal[] = "“+”が右，“-”が左";
constexpr char kSignDepth[] = "“+”が奥，“-”が手前";

constexpr MoveCommand kCommands[] = {
    {32921,
     32918,
     {R::Relative, A::Vertical},
     "縦方向に移動する．\r\n（現在の点の位置から相対的に移動）"},
    {32922,
     32919,
     {R::Relative, A::Horizontal},
     "横方向に移動する．\r\n（現在の点の位置から相対的に移動）"},
    {32923,
     32920,
     {R::Relative, A::Depth},
     "奥行き方向に移動する．\r\n(現在の点の位置から相対的に移動)"},
    {32924, 32902, {R::Position, A::Vertical}, "\r\n縦方向の位置を合わせる"},
    {32925, 32903, {R::Position, A::Horizontal}, "\r\n横方向の位置を合わせる"},
    {32926, 32904, {R::Position, A::Depth}, "\r\n奥行き向の位置を合わせる"},
    {32944, 32937, {R::Smallest, A::Vertical}, "一番上にある点が\r\n指定位置に来るように移動する"},
    {32945, 32938, {R::Largest, A::Vertical}, "一番下にある点が\r\n指定位置に来るように移動する"},
    {32946,
     32939,
     {R::Smallest, A::Horizontal},
     "一番左にある点が\r\n指定位置に来るように移動する"},
    {32947, 32940, {R::Largest, A::Horizontal}, "一番右にある点が\r\n指定位置に来るように移動する"},
    {32953, 32951, {R::Largest, A::Depth}, "一番手前にある点が\r\n指定位置に来るように移動する"},
    {32954, 32952, {R::Smallest, A::Depth}, "一番奥にある点が\r\n指定位置に来るように移動する"},
    {32948, 32941, {R::Mean, A::Vertical}, "選択された点の重心が\r\n指定位置に来るように移動する"},
    {32949,
     32933,
     {R::Mean, A::Horizontal},
     "選択された点の重心が\r\n指定位置に来るように移動する"},
    {32950, 32942, {R::Mean, A::Depth}, "選択された点の重心が\r\n指定位置に来るように移動する"},
    {32927, 32905, {R::Distance, A::Vertical}, "\r\n縦軸からの距離を合わせる"},
    {32928, 32906, {R::Distance, A::Horizontal}, "\r\n横軸からの距離を合わせる"},
    {32929, 32907, {R::Distance, A::Depth}, "\r\n奥行き軸からの距離を合わせる"},
};

const char* signFor(const MoveCommand& c) {
    if (c.move.rule == MoveRule::Distance) {
        return "";
    }
    switch (c.move.axis) {
    case MoveAxis::Vertical:
        return kSignVertical;
    case MoveAxis::Horizontal:
        return kSignHorizontal;
    default:
        return kSignDepth;
    }
}

const MoveCommand* findMove(int commandId) {
    for (const MoveCommand& c : kCommands) {
        if (c.mainId == commandId || c.popupId == commandId) {
            return &c;
        }
    }
    return nullptr;
}

} // namespace

bool runVertexMove(Editor& e, int commandId) {
    const MoveCommand* command = findMove(commandId);
    if (command == nullptr) {
        return false;
    }
    InteractionState& s = e.interaction;
    NumberInputDialog dialog(s.moveInCurrentView, command->description, signFor(*command));
    if (e.host.runDialog(dialog)) {
        e.takeSnapshot(); // only now: a cancelled dialog must cost no undo step
        s.moveInCurrentView = dialog.useCurrentView();
        const MoveFrame frame = s.moveInCurrentView ? MoveFrame::CurrentView : MoveFrame::ModelAxes;
        moveSelectedVertices(e.store, e.selection, command->move, dialog.number(), frame, e.camera);
        e.countEdit();
    }
    e.selection.clear(e.store);
    e.repaint();
    return true;
}

} // namespace fcw
