#include "editor/commands/vertex_move_commands.h"

#include "editor/dialogs/transform_dialogs.h"
#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "ops/vertex_move.h"

namespace fcw {

namespace {

struct MoveCommand {
    int mainId;
    int popupId;
    VertexMove move;
    const char* description;
};

using namespace command_id;
using R = MoveRule;
using A = MoveAxis;

constexpr char kSignVertical[] = FCW_TR_NOOP("Dialog", "“+”が上，“-”が下");
constexpr char kSignHorizontal[] = FCW_TR_NOOP("Dialog", "“+”が右，“-”が左");
constexpr char kSignDepth[] = FCW_TR_NOOP("Dialog", "“+”が奥，“-”が手前");

constexpr MoveCommand kCommands[] = {
    {kMoveVertically,
     kPopupMoveVertically,
     {R::Relative, A::Vertical},
     FCW_TR_NOOP("Dialog", "縦方向に移動する．\r\n（現在の点の位置から相対的に移動）")},
    {kMoveHorizontally,
     kPopupMoveHorizontally,
     {R::Relative, A::Horizontal},
     FCW_TR_NOOP("Dialog", "横方向に移動する．\r\n（現在の点の位置から相対的に移動）")},
    {kMoveInDepth,
     kPopupMoveInDepth,
     {R::Relative, A::Depth},
     FCW_TR_NOOP("Dialog", "奥行き方向に移動する．\r\n(現在の点の位置から相対的に移動)")},
    {kAlignVertically,
     kPopupAlignVertically,
     {R::Position, A::Vertical},
     FCW_TR_NOOP("Dialog", "\r\n縦方向の位置を合わせる")},
    {kAlignHorizontally,
     kPopupAlignHorizontally,
     {R::Position, A::Horizontal},
     FCW_TR_NOOP("Dialog", "\r\n横方向の位置を合わせる")},
    {kAlignInDepth,
     kPopupAlignInDepth,
     {R::Position, A::Depth},
     FCW_TR_NOOP("Dialog", "\r\n奥行き向の位置を合わせる")},
    {kAlignTop,
     kPopupAlignTop,
     {R::Smallest, A::Vertical},
     FCW_TR_NOOP("Dialog", "一番上にある点が\r\n指定位置に来るように移動する")},
    {kAlignBottom,
     kPopupAlignBottom,
     {R::Largest, A::Vertical},
     FCW_TR_NOOP("Dialog", "一番下にある点が\r\n指定位置に来るように移動する")},
    {kAlignLeft,
     kPopupAlignLeft,
     {R::Smallest, A::Horizontal},
     FCW_TR_NOOP("Dialog", "一番左にある点が\r\n指定位置に来るように移動する")},
    {kAlignRight,
     kPopupAlignRight,
     {R::Largest, A::Horizontal},
     FCW_TR_NOOP("Dialog", "一番右にある点が\r\n指定位置に来るように移動する")},
    {kAlignFront,
     kPopupAlignFront,
     {R::Largest, A::Depth},
     FCW_TR_NOOP("Dialog", "一番手前にある点が\r\n指定位置に来るように移動する")},
    {kAlignBack,
     kPopupAlignBack,
     {R::Smallest, A::Depth},
     FCW_TR_NOOP("Dialog", "一番奥にある点が\r\n指定位置に来るように移動する")},
    {kMeanOnVerticalAxis,
     kPopupMeanOnVerticalAxis,
     {R::Mean, A::Vertical},
     FCW_TR_NOOP("Dialog", "選択された点の重心が\r\n指定位置に来るように移動する")},
    {kMeanOnHorizontalAxis,
     kPopupMeanOnHorizontalAxis,
     {R::Mean, A::Horizontal},
     FCW_TR_NOOP("Dialog", "選択された点の重心が\r\n指定位置に来るように移動する")},
    {kMeanOnDepthAxis,
     kPopupMeanOnDepthAxis,
     {R::Mean, A::Depth},
     FCW_TR_NOOP("Dialog", "選択された点の重心が\r\n指定位置に来るように移動する")},
    {kDistanceFromVerticalAxis,
     kPopupDistanceFromVerticalAxis,
     {R::Distance, A::Vertical},
     FCW_TR_NOOP("Dialog", "\r\n縦軸からの距離を合わせる")},
    {kDistanceFromHorizontalAxis,
     kPopupDistanceFromHorizontalAxis,
     {R::Distance, A::Horizontal},
     FCW_TR_NOOP("Dialog", "\r\n横軸からの距離を合わせる")},
    {kDistanceFromDepthAxis,
     kPopupDistanceFromDepthAxis,
     {R::Distance, A::Depth},
     FCW_TR_NOOP("Dialog", "\r\n奥行き軸からの距離を合わせる")},
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
    EditTransaction edit(e);
    InteractionState& s = e.session.interaction;
    const std::string_view sign = signFor(*command);
    NumberInputDialog dialog(
        s.moveInCurrentView, e.host.translate(text_context::kDialog, command->description),
        sign.empty() ? std::string() : e.host.translate(text_context::kDialog, sign));
    if (e.host.runDialog(dialog)) {
        edit.goAhead(); // only now: a cancelled dialog must cost no undo step
        s.moveInCurrentView = dialog.useCurrentView();
        const MoveFrame frame = s.moveInCurrentView ? MoveFrame::CurrentView : MoveFrame::ModelAxes;
        moveSelectedVertices(e.document.store, e.document.selection, command->move, dialog.number(),
                             frame, e.pane().camera);
        edit.commit();
    }
    e.document.selection.clear(e.document.store);
    e.repaint();
    return true;
}

} // namespace fcw
