#include "editor/commands/commands.h"

#include "editor/commands/command_handlers.h"
#include "editor/interface_text.h"
#include "editor/symmetry.h"
#include "editor/tools/tool_registry.h"

#include <algorithm>
#include <array>

namespace fcw {

using namespace command_id;

namespace {
using namespace command_handlers;

template <ToolMode Mode> void chooseTool(Editor& e) {
    selectTool(e, Mode);
}
template <ToolMode Mode> bool isTool(const Editor& e) {
    return e.session.interaction.toolMode == Mode;
}

template <std::size_t N> constexpr std::array<Command, N> sortedById(std::array<Command, N> rows) {
    std::sort(rows.begin(), rows.end(),
              [](const Command& a, const Command& b) { return a.id < b.id; });
    return rows;
}

// Sorted by id at compile time so findCommand can search it.
constexpr auto kCommands = sortedById(std::to_array<Command>({
    {kMoveVertically, FCW_TR_NOOP("Command", "縦方向に移動"), "", "", "",
     vertexMove<kMoveVertically>, nullptr, anySelected},
    {kPopupMoveVertically, FCW_TR_NOOP("Command", "縦方向に移動"), "", "", "",
     vertexMove<kPopupMoveVertically>, nullptr, anySelected},
    {kMoveHorizontally, FCW_TR_NOOP("Command", "横方向に移動"), "", "", "",
     vertexMove<kMoveHorizontally>, nullptr, anySelected},
    {kPopupMoveHorizontally, FCW_TR_NOOP("Command", "横方向に移動"), "", "", "",
     vertexMove<kPopupMoveHorizontally>, nullptr, anySelected},
    {kMoveInDepth, FCW_TR_NOOP("Command", "奥行き方向に移動"), "", "", "", vertexMove<kMoveInDepth>,
     nullptr, anySelected},
    {kPopupMoveInDepth, FCW_TR_NOOP("Command", "奥行き方向に移動"), "", "", "",
     vertexMove<kPopupMoveInDepth>, nullptr, anySelected},
    {kAlignVertically, FCW_TR_NOOP("Command", "縦の位置"), "", "", "", vertexMove<kAlignVertically>,
     nullptr, anySelected},
    {kPopupAlignVertically, FCW_TR_NOOP("Command", "縦の位置"), "", "", "",
     vertexMove<kPopupAlignVertically>, nullptr, anySelected},
    {kAlignHorizontally, FCW_TR_NOOP("Command", "横の位置"), "", "", "",
     vertexMove<kAlignHorizontally>, nullptr, anySelected},
    {kPopupAlignHorizontally, FCW_TR_NOOP("Command", "横の位置"), "", "", "",
     vertexMove<kPopupAlignHorizontally>, nullptr, anySelected},
    {kAlignInDepth, FCW_TR_NOOP("Command", "奥行きの位置"), "", "", "", vertexMove<kAlignInDepth>,
     nullptr, anySelected},
    {kPopupAlignInDepth, FCW_TR_NOOP("Command", "奥行きの位置"), "", "", "",
     vertexMove<kPopupAlignInDepth>, nullptr, anySelected},
    {kAlignTop, FCW_TR_NOOP("Command", "上を基準"), "", "", "", vertexMove<kAlignTop>, nullptr,
     anySelected},
    {kPopupAlignTop, FCW_TR_NOOP("Command", "上を基準"), "", "", "", vertexMove<kPopupAlignTop>,
     nullptr, anySelected},
    {kAlignBottom, FCW_TR_NOOP("Command", "下を基準"), "", "", "", vertexMove<kAlignBottom>,
     nullptr, anySelected},
    {kPopupAlignBottom, FCW_TR_NOOP("Command", "下を基準"), "", "", "",
     vertexMove<kPopupAlignBottom>, nullptr, anySelected},
    {kAlignLeft, FCW_TR_NOOP("Command", "左を基準"), "", "", "", vertexMove<kAlignLeft>, nullptr,
     anySelected},
    {kPopupAlignLeft, FCW_TR_NOOP("Command", "左を基準"), "", "", "", vertexMove<kPopupAlignLeft>,
     nullptr, anySelected},
    {kAlignRight, FCW_TR_NOOP("Command", "右を基準"), "", "", "", vertexMove<kAlignRight>, nullptr,
     anySelected},
    {kPopupAlignRight, FCW_TR_NOOP("Command", "右を基準"), "", "", "", vertexMove<kPopupAlignRight>,
     nullptr, anySelected},
    {kAlignFront, FCW_TR_NOOP("Command", "手前を基準"), "", "", "", vertexMove<kAlignFront>,
     nullptr, anySelected},
    {kPopupAlignFront, FCW_TR_NOOP("Command", "手前を基準"), "", "", "",
     vertexMove<kPopupAlignFront>, nullptr, anySelected},
    {kAlignBack, FCW_TR_NOOP("Command", "奥を基準"), "", "", "", vertexMove<kAlignBack>, nullptr,
     anySelected},
    {kPopupAlignBack, FCW_TR_NOOP("Command", "奥を基準"), "", "", "", vertexMove<kPopupAlignBack>,
     nullptr, anySelected},
    {kMeanOnVerticalAxis, FCW_TR_NOOP("Command", "縦軸"), "", "", "",
     vertexMove<kMeanOnVerticalAxis>, nullptr, anySelected},
    {kPopupMeanOnVerticalAxis, FCW_TR_NOOP("Command", "縦軸"), "", "", "",
     vertexMove<kPopupMeanOnVerticalAxis>, nullptr, anySelected},
    {kMeanOnHorizontalAxis, FCW_TR_NOOP("Command", "横軸"), "", "", "",
     vertexMove<kMeanOnHorizontalAxis>, nullptr, anySelected},
    {kPopupMeanOnHorizontalAxis, FCW_TR_NOOP("Command", "横軸"), "", "", "",
     vertexMove<kPopupMeanOnHorizontalAxis>, nullptr, anySelected},
    {kMeanOnDepthAxis, FCW_TR_NOOP("Command", "奥行き軸"), "", "", "", vertexMove<kMeanOnDepthAxis>,
     nullptr, anySelected},
    {kPopupMeanOnDepthAxis, FCW_TR_NOOP("Command", "奥行き軸"), "", "", "",
     vertexMove<kPopupMeanOnDepthAxis>, nullptr, anySelected},
    {kDistanceFromVerticalAxis, FCW_TR_NOOP("Command", "縦軸からの距離"), "", "", "",
     vertexMove<kDistanceFromVerticalAxis>, nullptr, anySelected},
    {kPopupDistanceFromVerticalAxis, FCW_TR_NOOP("Command", "縦軸からの距離"), "", "", "",
     vertexMove<kPopupDistanceFromVerticalAxis>, nullptr, anySelected},
    {kDistanceFromHorizontalAxis, FCW_TR_NOOP("Command", "横軸からの距離"), "", "", "",
     vertexMove<kDistanceFromHorizontalAxis>, nullptr, anySelected},
    {kPopupDistanceFromHorizontalAxis, FCW_TR_NOOP("Command", "横軸からの距離"), "", "", "",
     vertexMove<kPopupDistanceFromHorizontalAxis>, nullptr, anySelected},
    {kDistanceFromDepthAxis, FCW_TR_NOOP("Command", "奥行き軸からの位置"), "", "", "",
     vertexMove<kDistanceFromDepthAxis>, nullptr, anySelected},
    {kPopupDistanceFromDepthAxis, FCW_TR_NOOP("Command", "奥行き軸からの位置"), "", "", "",
     vertexMove<kPopupDistanceFromDepthAxis>, nullptr, anySelected},

    {kGrid5, FCW_TR_NOOP("Command", "５"), FCW_TR_NOOP("Prompt", "間隔５のグリッドを表示"),
     FCW_TR_NOOP("Tip", "間隔５のグリッドを表示"), "", spacingCommand<5>, spacingOn<5>, nullptr},
    {kGrid10, FCW_TR_NOOP("Command", "１０"), FCW_TR_NOOP("Prompt", "間隔１０のグリッドを表示"),
     FCW_TR_NOOP("Tip", "間隔１０のグリッドを表示"), "", spacingCommand<10>, spacingOn<10>,
     nullptr},
    {kGrid20, FCW_TR_NOOP("Command", "２０"), FCW_TR_NOOP("Prompt", "間隔２０のグリッドを表示"),
     FCW_TR_NOOP("Tip", "間隔２０のグリッドを表示"), "", spacingCommand<20>, spacingOn<20>,
     nullptr},
    {kGrid40, FCW_TR_NOOP("Command", "４０"), FCW_TR_NOOP("Prompt", "間隔５０のグリッドを表示"),
     FCW_TR_NOOP("Tip", "間隔５０のグリッドを表示"), "", spacingCommand<40>, spacingOn<40>,
     nullptr},
    {kSecondPointVertexSnap, FCW_TR_NOOP("Command", "頂点"), "", "", "", vertexSnapCommand<2>,
     vertexSnapOn<2>, nullptr},
    {kThirdPointVertexSnap, FCW_TR_NOOP("Command", "頂点"), "", "", "", vertexSnapCommand<3>,
     vertexSnapOn<3>, nullptr},
    {kFirstPointVertexSnap, FCW_TR_NOOP("Command", "頂点"), "", "", "", vertexSnapCommand<1>,
     vertexSnapOn<1>, nullptr},
    {kAllVertexSnap, FCW_TR_NOOP("Command", "頂点"), "", "", "", allVertexSnapCommand,
     allVertexSnapOn, nullptr},
    {kFirstPointGridSnap, FCW_TR_NOOP("Command", "グリッド点"), "", "", "", gridSnapCommand<1>,
     gridSnapOn<1>, nullptr},
    {kSecondPointGridSnap, FCW_TR_NOOP("Command", "グリッド点"), "", "", "", gridSnapCommand<2>,
     gridSnapOn<2>, nullptr},
    {kAllGridSnap, FCW_TR_NOOP("Command", "グリッド点"), "", "", "", allGridSnapCommand,
     allGridSnapOn, nullptr},
    {kThirdPointGridSnap, FCW_TR_NOOP("Command", "グリッド点"), "", "", "", gridSnapCommand<3>,
     gridSnapOn<3>, nullptr},
    {kArrowsMoveDepth, FCW_TR_NOOP("Command", "前後 （奥行きの移動）"),
     FCW_TR_NOOP("Prompt", "矢印キーの上下を奥行き移動、左右を回転に使う"), "", "",
     useArrowsForDepth, arrowsMoveDepth, nullptr},
    {kArrowsRotate, FCW_TR_NOOP("Command", "回転 １"),
     FCW_TR_NOOP("Prompt", "矢印キーの上下左右を回転に使う"), "", "", useArrowsForRotation,
     arrowsRotate, nullptr},
    {kSelectHiddenVertices, "", "", "", "", toggleHiddenVertices, hiddenVerticesSelectable,
     nullptr},
    {kPalette, "", FCW_TR_NOOP("Prompt", "パレットの表示"), FCW_TR_NOOP("Tip", "パレットの表示"),
     "", showPaletteAndPaint, nullptr, nullptr},
    {kSettings, FCW_TR_NOOP("Command", "設定ダイアログ"), "", "", "", runSettingsSheet, nullptr,
     nullptr},
    {kUndo, FCW_TR_NOOP("Command", "元に戻す(&U)"),
     FCW_TR_NOOP("Prompt", "直前に行った動作を元に戻す"), FCW_TR_NOOP("Tip", "元に戻す\tCtrl+Z"),
     "Ctrl+Z", undo, nullptr, nullptr},
    {kRedo, FCW_TR_NOOP("Command", "やり直し(&R)"),
     FCW_TR_NOOP("Prompt", "直前に元に戻した動作をやり直す"),
     FCW_TR_NOOP("Tip", "やり直し\tCtrl+Y"), "Ctrl+Y", redo, nullptr, canRedo},
    {kToolDrawTriangle, FCW_TR_NOOP("Command", "三角形のポリゴンを描く"),
     FCW_TR_NOOP("Prompt", "三角形のポリゴンを描く"), FCW_TR_NOOP("Tip", "三角形のポリゴンを描く"),
     "", chooseTool<ToolMode::DrawTriangle>, isTool<ToolMode::DrawTriangle>, nullptr},
    {kToolErase, FCW_TR_NOOP("Command", "ポリゴンを消す"), FCW_TR_NOOP("Prompt", "ポリゴンを消す"),
     FCW_TR_NOOP("Tip", "ポリゴンを消す"), "", chooseTool<ToolMode::Erase>, isTool<ToolMode::Erase>,
     nullptr},
    {kToolRangeMove, FCW_TR_NOOP("Command", "範囲指定して移動"),
     FCW_TR_NOOP("Prompt", "範囲指定して移動"), FCW_TR_NOOP("Tip", "範囲指定して移動"), "",
     chooseTool<ToolMode::RangeMove>, isTool<ToolMode::RangeMove>, nullptr},
    {kToolPaint, FCW_TR_NOOP("Command", "色を塗る"), FCW_TR_NOOP("Prompt", "色を塗る"),
     FCW_TR_NOOP("Tip", "色を塗る"), "", choosePaint, isTool<ToolMode::Paint>, nullptr},
    {kToolSphere, FCW_TR_NOOP("Command", "ポリゴンで球を描く"),
     FCW_TR_NOOP("Prompt", "ポリゴンで球を描く"), FCW_TR_NOOP("Tip", "ポリゴンで球を描く"), "",
     chooseTool<ToolMode::Sphere>, isTool<ToolMode::Sphere>, nullptr},
    {kShowFacesWithoutEdges, "", FCW_TR_NOOP("Prompt", "ポリゴンの淵なし"),
     FCW_TR_NOOP("Tip", "ポリゴンの淵なし"), "", frameModeCommand<FrameMode::Filled>,
     frameModeIs<FrameMode::Filled>, nullptr},
    {kShowFacesWithEdges, "", FCW_TR_NOOP("Prompt", "ポリゴンの淵あり"),
     FCW_TR_NOOP("Tip", "ポリゴンの淵あり"), "", frameModeCommand<FrameMode::FilledWithEdges>,
     frameModeIs<FrameMode::FilledWithEdges>, nullptr},
    {kSphereQuadSplit, "", "", "", "", toggleQuadSplit, quadSplitOn, isTool<ToolMode::Sphere>},
    {kToolbarSettings, "", FCW_TR_NOOP("Prompt", "設定ダイアログを表示"),
     FCW_TR_NOOP("Tip", "設定ダイアログを表示"), "", runSettingsSheet, nullptr, nullptr},
    {kToolbarGrid5, "", FCW_TR_NOOP("Prompt", "間隔５のグリッドを表示"),
     FCW_TR_NOOP("Tip", "間隔５のグリッドを表示"), "", spacingCommand<5>, spacingOn<5>, nullptr},
    {kToolbarGrid10, "", FCW_TR_NOOP("Prompt", "間隔１０のグリッドを表示"),
     FCW_TR_NOOP("Tip", "間隔１０のグリッドを表示"), "", spacingCommand<10>, spacingOn<10>,
     nullptr},
    {kToolbarGrid20, "", FCW_TR_NOOP("Prompt", "間隔２０のグリッドを表示"),
     FCW_TR_NOOP("Tip", "間隔２０のグリッドを表示"), "", spacingCommand<20>, spacingOn<20>,
     nullptr},
    {kToolbarGrid40, "", FCW_TR_NOOP("Prompt", "間隔５０のグリッドを表示"),
     FCW_TR_NOOP("Tip", "間隔５０のグリッドを表示"), "", spacingCommand<40>, spacingOn<40>,
     nullptr},
    {kToolbarArrowsMoveDepth, "",
     FCW_TR_NOOP("Prompt", "矢印キーの上下を奥行き移動、左右を回転に使う"),
     FCW_TR_NOOP("Tip", "矢印キーの上下を奥行き移動使う"), "", useArrowsForDepth, arrowsMoveDepth,
     nullptr},
    {kToolbarArrowsRotate, "", FCW_TR_NOOP("Prompt", "矢印キーの上下左右を回転に使う"),
     FCW_TR_NOOP("Tip", "矢印キーの上下を回転に使う"), "", useArrowsForRotation, arrowsRotate,
     nullptr},
    {kToolbarVertexSnap, "", FCW_TR_NOOP("Prompt", "近くの三角形の頂点にクリックした点を飛ばす"),
     FCW_TR_NOOP("Tip", "頂点サーチ"), "", allVertexSnapCommand, allVertexSnapOn,
     isTool<ToolMode::DrawTriangle>},
    {kToolbarGridSnap, "", FCW_TR_NOOP("Prompt", "グリッドの交点にクリックした点を飛ばす"),
     FCW_TR_NOOP("Tip", "グリッドサーチ"), "", allGridSnapCommand, allGridSnapOn, nullptr},
    {kShowFrame, "", FCW_TR_NOOP("Prompt", "フレーム"), FCW_TR_NOOP("Tip", "フレーム"), "",
     frameModeCommand<FrameMode::Outline>, frameModeIs<FrameMode::Outline>, nullptr},
    {kGridBehind, "", FCW_TR_NOOP("Prompt", "グリッドをポリゴンの後ろに表示"),
     FCW_TR_NOOP("Tip", "グリッドをポリゴンの後ろに表示"), "", gridBehind, isGridBehind, nullptr},
    {kGridInFront, "", FCW_TR_NOOP("Prompt", "グリッドをポリゴンより手前に表示"),
     FCW_TR_NOOP("Tip", "グリッドをポリゴンより手前に表示"), "", gridInFront, isGridInFront,
     nullptr},
    {kToolZoom, FCW_TR_NOOP("Command", "拡大縮小"), FCW_TR_NOOP("Prompt", "拡大縮小"),
     FCW_TR_NOOP("Tip", "拡大縮小"), "", chooseTool<ToolMode::Zoom>, isTool<ToolMode::Zoom>,
     nullptr},
    {kToolOriginMove, FCW_TR_NOOP("Command", "原点の移動"), FCW_TR_NOOP("Prompt", "原点の移動"),
     FCW_TR_NOOP("Tip", "原点の移動"), "", chooseTool<ToolMode::OriginMove>,
     isTool<ToolMode::OriginMove>, nullptr},
    {kShowColouredFrame, "", FCW_TR_NOOP("Prompt", "フレーム色つき"),
     FCW_TR_NOOP("Tip", "フレーム色つき"), "", frameModeCommand<FrameMode::ColouredOutline>,
     frameModeIs<FrameMode::ColouredOutline>, nullptr},
    {kZoomTimes1, FCW_TR_NOOP("Command", "×１"), "", "", "", zoomTo<100>, nullptr, nullptr},
    {kZoomTimes2, FCW_TR_NOOP("Command", "×２"), "", "", "", zoomTo<200>, nullptr, nullptr},
    {kZoomTimes4, FCW_TR_NOOP("Command", "×４"), "", "", "", zoomTo<400>, nullptr, nullptr},
    {kZoomTimes10, FCW_TR_NOOP("Command", "×１０"), "", "", "", zoomTo<1000>, nullptr, nullptr},
    {kZoomDivide2, FCW_TR_NOOP("Command", "÷２"), "", "", "", zoomTo<50>, nullptr, nullptr},
    {kZoomDivide4, FCW_TR_NOOP("Command", "÷４"), "", "", "", zoomTo<25>, nullptr, nullptr},
    {kZoomDivide10, FCW_TR_NOOP("Command", "÷１０"), "", "", "", zoomTo<10>, nullptr, nullptr},
    {kResetOrigin, FCW_TR_NOOP("Command", "原点に戻す"), "", "", "", resetOrigin, nullptr, nullptr},
    {kQuadLayout, FCW_TR_NOOP("Command", "4画面(&4)"),
     FCW_TR_NOOP("Prompt", "上面、自由視点、正面、右側面の4画面と1画面を切り替える"),
     FCW_TR_NOOP("Tip", "4画面"), "Ctrl+5", quadLayout, quadLayoutShown, nullptr},
    {kFrontPane, FCW_TR_NOOP("Command", "正面(&F)"),
     FCW_TR_NOOP("Prompt", "正面のビューで作業する"), "", "Ctrl+1", paneCommand<pane_index::kFront>,
     paneActive<pane_index::kFront>, nullptr},
    {kRightPane, FCW_TR_NOOP("Command", "右側面(&R)"),
     FCW_TR_NOOP("Prompt", "右側面のビューで作業する"), "", "Ctrl+2",
     paneCommand<pane_index::kRight>, paneActive<pane_index::kRight>, nullptr},
    {kTopPane, FCW_TR_NOOP("Command", "上面(&T)"), FCW_TR_NOOP("Prompt", "上面のビューで作業する"),
     "", "Ctrl+3", paneCommand<pane_index::kTop>, paneActive<pane_index::kTop>, nullptr},
    {kFreePane, FCW_TR_NOOP("Command", "自由視点(&V)"),
     FCW_TR_NOOP("Prompt", "自由視点のビューで作業する"), "", "Ctrl+4",
     paneCommand<pane_index::kFree>, paneActive<pane_index::kFree>, nullptr},
    {kLoadReference, FCW_TR_NOOP("Command", "下絵を読み込む(&I)..."),
     FCW_TR_NOOP("Prompt", "作業中の正面・右側面・上面のビューに下絵を読み込む"), "", "",
     loadReferenceCommand, nullptr, nullptr},
    {kReferenceSettings, FCW_TR_NOOP("Command", "下絵の設定(&S)..."),
     FCW_TR_NOOP("Prompt", "作業中のビューの下絵の位置・幅・不透明度を設定する"), "", "",
     referenceSettingsCommand, nullptr, activePaneHasReference},
    {kRemoveReference, FCW_TR_NOOP("Command", "下絵を消す(&R)"),
     FCW_TR_NOOP("Prompt", "作業中のビューの下絵を消す"), "", "", removeReferenceCommand, nullptr,
     activePaneHasReference},
    {kPopupDeleteTriangle, FCW_TR_NOOP("Command", "削除"), "", "", "", popupDeleteTriangle, nullptr,
     nullptr},
    {kPopupMoveTriangle, FCW_TR_NOOP("Command", "移動"), "", "", "", popupMoveTriangle, nullptr,
     nullptr},
    {kPopupReverseTriangle, FCW_TR_NOOP("Command", "法泉の向きの変更"), "", "", "",
     popupReverseTriangle, nullptr, nullptr},
    {kPopupColourTriangle, FCW_TR_NOOP("Command", "色の指定"), "", "", "", popupColourTriangle,
     nullptr, nullptr},
    {kPopupCancel, FCW_TR_NOOP("Command", "キャンセル"), "", "", "", popupCancel, nullptr, nullptr},
    {kExportText, FCW_TR_NOOP("Command", "テキスト形式でセーブ"), "", "", "", exportTextFile,
     nullptr, nullptr},
    {kCut, FCW_TR_NOOP("Command", "切り取り(&T)"), "", "", "Ctrl+X", cutToWorkFile, nullptr,
     canCopy},
    {kCopy, FCW_TR_NOOP("Command", "ｺﾋﾟｰ(&C)"), "", "", "Ctrl+C", copyToWorkFile, nullptr, canCopy},
    {kPaste, FCW_TR_NOOP("Command", "貼り付け(&P)"), "", "", "Ctrl+V", pasteWorkFile, nullptr,
     workFileHasTriangles},
    {kDelete, FCW_TR_NOOP("Command", "消去(&d)"), "", "", "del", deleteWholeTriangles, nullptr,
     canCopy},
    {kPopupCopy, FCW_TR_NOOP("Command", "コピー"), "", "", "", copyToWorkFile, nullptr, canCopy},
    {kPopupCut, FCW_TR_NOOP("Command", "切り取り"), "", "", "", cutToWorkFile, nullptr, canCopy},
    {kPopupDelete, FCW_TR_NOOP("Command", "削除"), "", "", "", deleteWholeTriangles, nullptr,
     canCopy},
    {kPopupPaste, FCW_TR_NOOP("Command", "貼り付け"), "", "", "", pasteWorkFile, nullptr,
     workFileHasTriangles},
    {kPopupRoundVertices, FCW_TR_NOOP("Command", "少数点第一位を四捨五入"), "", "", "",
     roundSelectedVertices, nullptr, anySelected},
    {kRoundVertices, FCW_TR_NOOP("Command", "少数点第一位を四捨五入"), "", "", "",
     roundSelectedVertices, nullptr, anySelected},
    {kMergeVertices, FCW_TR_NOOP("Command", "点の集合"), "", "", "", mergeSelectedVertices, nullptr,
     severalSelected},
    {kPopupMergeVertices, FCW_TR_NOOP("Command", "点の集合"), "", "", "", mergeSelectedVertices,
     nullptr, severalSelected},
    {kSplitInFour, FCW_TR_NOOP("Command", "四つに分割"), "", "", "", splitSelectionInFour, nullptr,
     canCopy},
    {kPopupSplitInFour, FCW_TR_NOOP("Command", "四つに分割"), "", "", "", splitSelectionInFour,
     nullptr, canCopy},
    {kSplitInThree, FCW_TR_NOOP("Command", "三つに分割"), "", "", "", splitSelectionInThree,
     nullptr, canCopy},
    {kPopupSplitInThree, FCW_TR_NOOP("Command", "三つに分割"), "", "", "", splitSelectionInThree,
     nullptr, canCopy},
    {kPopupRecolour, FCW_TR_NOOP("Command", "色の変更"), "", "", "", paintSelection, nullptr,
     canCopy},
    {kRecolour, FCW_TR_NOOP("Command", "色の変更"), "", "", "", paintSelection, nullptr, canCopy},
    {kPopupPickColour, FCW_TR_NOOP("Command", "色の抽出（スポイト）"), "", "", "", popupPickColour,
     nullptr, nullptr},
    {kPopupSplitPickedInFour, FCW_TR_NOOP("Command", "四つに分割"), "", "", "", splitPickedInFour,
     nullptr, nullptr},
    {kPopupSplitPickedInThree, FCW_TR_NOOP("Command", "三つに分割"), "", "", "", splitPickedInThree,
     nullptr, nullptr},
    {kMirrorLeftRight, FCW_TR_NOOP("Command", "左右対称"), "", "", "",
     mirrorCommand<MirrorAxis::Horizontal>, nullptr, canCopy},
    {kMirrorTopBottom, FCW_TR_NOOP("Command", "上下対称"), "", "", "",
     mirrorCommand<MirrorAxis::Vertical>, nullptr, canCopy},
    {kMirrorFrontBack, FCW_TR_NOOP("Command", "奥行き対称"), "", "", "",
     mirrorCommand<MirrorAxis::Depth>, nullptr, canCopy},
    {kPopupMirrorLeftRight, FCW_TR_NOOP("Command", "左右対称"), "", "", "",
     mirrorCommand<MirrorAxis::Horizontal>, nullptr, canCopy},
    {kPopupMirrorTopBottom, FCW_TR_NOOP("Command", "上下対称"), "", "", "",
     mirrorCommand<MirrorAxis::Vertical>, nullptr, canCopy},
    {kPopupMirrorFrontBack, FCW_TR_NOOP("Command", "奥行き対称"), "", "", "",
     mirrorCommand<MirrorAxis::Depth>, nullptr, canCopy},
    {kPopupReverseSelection, FCW_TR_NOOP("Command", "法泉の向きの変更"), "", "", "",
     reverseSelection, nullptr, canCopy},
    {kReverseSelection, FCW_TR_NOOP("Command", "法泉の向きの変更"), "", "", "", reverseSelection,
     nullptr, canCopy},
    {kPopupRotateVerticesAboutOrigin, FCW_TR_NOOP("Command", "原点を中心点の回転"), "", "", "",
     rotateCommand<RotateKind::VerticesAboutOrigin>, nullptr, anySelected},
    {kPopupRotateTriangles, FCW_TR_NOOP("Command", "三角形の回転"), "", "", "",
     rotateCommand<RotateKind::Triangles>, nullptr, canCopy},
    {kPopupRotateTrianglesAboutOrigin, FCW_TR_NOOP("Command", "原点を中心に三角形を回転"), "", "",
     "", rotateCommand<RotateKind::TrianglesAboutOrigin>, nullptr, canCopy},
    {kPopupRotateVertices, FCW_TR_NOOP("Command", "点の回転"), "", "", "",
     rotateCommand<RotateKind::Vertices>, nullptr, anySelected},
    {kRotateVerticesAboutOrigin, FCW_TR_NOOP("Command", "原点を中心点の回転"), "", "", "",
     rotateCommand<RotateKind::VerticesAboutOrigin>, nullptr, anySelected},
    {kRotateTrianglesAboutOrigin, FCW_TR_NOOP("Command", "原点を中心に三角形を回転"), "", "", "",
     rotateCommand<RotateKind::TrianglesAboutOrigin>, nullptr, canCopy},
    {kRotateTriangles, FCW_TR_NOOP("Command", "三角形の回転"), "", "", "",
     rotateCommand<RotateKind::Triangles>, nullptr, canCopy},
    {kRotateVertices, FCW_TR_NOOP("Command", "点の回転"), "", "", "",
     rotateCommand<RotateKind::Vertices>, nullptr, anySelected},
    {kPopupScaleTriangles, FCW_TR_NOOP("Command", "三角形の伸縮"), "", "", "",
     scaleCommand<ScaleKind::Triangles>, nullptr, canCopy},
    {kScaleTriangles, FCW_TR_NOOP("Command", "三角形の伸縮"), "", "", "",
     scaleCommand<ScaleKind::Triangles>, nullptr, canCopy},
    {kSymmetry, FCW_TR_NOOP("Command", "対称編集(&Y)"),
     FCW_TR_NOOP("Prompt", "編集するたびにモデルを対称面について対称に保つ"),
     FCW_TR_NOOP("Tip", "対称編集"), "", toggleSymmetry, symmetryOn, nullptr},
    {kSymmetryPlane, FCW_TR_NOOP("Command", "対称面(&P)..."),
     FCW_TR_NOOP("Prompt", "対称編集の対称面を選ぶ"), "", "", chooseSymmetryPlane, nullptr,
     nullptr},
    {kOrientOutward, FCW_TR_NOOP("Command", "面を外側に揃える(&U)"),
     FCW_TR_NOOP("Prompt", "選択した三角形（なければモデル全体）の面を外側に向ける"), "", "",
     orientCommand<Facing::Outward>, nullptr, modelNotEmpty},
    {kOrientInward, FCW_TR_NOOP("Command", "面を内側に揃える(&N)"),
     FCW_TR_NOOP("Prompt", "選択した三角形（なければモデル全体）の面を内側に向ける"), "", "",
     orientCommand<Facing::Inward>, nullptr, modelNotEmpty},
    {kImportText, FCW_TR_NOOP("Command", "テキストの入力"), "", "", "", importTextFile, nullptr,
     nullptr},
    {kImportForeign, FCW_TR_NOOP("Command", "形式を指定して読み込み..."),
     FCW_TR_NOOP("Prompt", "glTF, OBJ, STL, PLY, 3MF などのﾓﾃﾞﾙを読み込む"), "", "", importForeign,
     nullptr, nullptr},
    {kExportForeign, FCW_TR_NOOP("Command", "形式を指定して書き出し..."),
     FCW_TR_NOOP("Prompt", "ﾓﾃﾞﾙを glTF, OBJ, STL, PLY, 3MF で書き出す"), "", "", exportForeign,
     nullptr, nullptr},
    {kExportPicture, FCW_TR_NOOP("Command", "画像として書き出し(&G)..."),
     FCW_TR_NOOP("Prompt", "ビューを PNG 画像で書き出す"), "", "", exportViewPicture, nullptr,
     nullptr},
    {kExportTurntable, FCW_TR_NOOP("Command", "回転アニメーションの書き出し(&A)..."),
     FCW_TR_NOOP("Prompt", "ﾓﾃﾞﾙが回るアニメーションを GIF, APNG, WebP で書き出す"), "", "",
     exportTurntable, nullptr, nullptr},
    {kLoadPalette, FCW_TR_NOOP("Command", "パレットを読み込む(&L)..."),
     FCW_TR_NOOP("Prompt", "GPL, HEX, TXT, ASE, PNG のパレットを読み込む"), "", "", loadPalette,
     nullptr, nullptr},
    {kExportPalette, FCW_TR_NOOP("Command", "パレットを書き出す(&W)..."),
     FCW_TR_NOOP("Prompt", "パレットを GPL か HEX で書き出す"), "", "", exportPalette, nullptr,
     paletteNotEmpty},
    {kPaletteFromModel, FCW_TR_NOOP("Command", "モデルの色をパレットに(&M)"),
     FCW_TR_NOOP("Prompt", "モデルで使っている色をパレットにする"), "", "", paletteFromModel,
     nullptr, modelNotEmpty},
    {kPalettePanel, FCW_TR_NOOP("Command", "パレット パネル(&P)"),
     FCW_TR_NOOP("Prompt", "パレット パネルの表示/非表示"), "", "", togglePalettePanel,
     palettePanelShown, nullptr},
    {kShowFacing, FCW_TR_NOOP("Command", "面の向きを表示(&O)"),
     FCW_TR_NOOP("Prompt", "裏を向いた面を赤く表示する"), "", "", toggleFacing, facingShown,
     nullptr},
    {kDeleteLineTriangles, FCW_TR_NOOP("Command", "ライン状三角形の消去"), "", "", "",
     deleteLineTriangles, nullptr, nullptr},
    {kStatusBox, FCW_TR_NOOP("Command", "ステータスの表示"), "", "", "", toggleStatusBox,
     statusBoxShown, nullptr},
    {kPopupScaleVertices, FCW_TR_NOOP("Command", "点の伸縮"), "", "", "",
     scaleCommand<ScaleKind::Vertices>, nullptr, severalSelected},
    {kScaleVertices, FCW_TR_NOOP("Command", "点の伸縮"), "", "", "",
     scaleCommand<ScaleKind::Vertices>, nullptr, severalSelected},
    {kPopupSplitInTwo, FCW_TR_NOOP("Command", "二つに分割"), "", "", "", splitSelectionInTwo,
     nullptr, edgeSelected},
    {kPopupSplitFourAndTwo, FCW_TR_NOOP("Command", "四つと二つに分割"), "", "", "",
     splitSelectionFourAndTwo, nullptr, canCopy},
    {kSplitInTwo, FCW_TR_NOOP("Command", "二つに分割"), "", "", "", splitSelectionInTwo, nullptr,
     edgeSelected},
    {kSplitFourAndTwo, FCW_TR_NOOP("Command", "四つと二つに分割"), "", "", "",
     splitSelectionFourAndTwo, nullptr, canCopy},
    {kSelectAll, FCW_TR_NOOP("Command", "すべて選択(&P)"), "", "", "Ctrl+A", selectAll, nullptr,
     modelNotEmpty},
    {kAbout, FCW_TR_NOOP("Command", "FacetCraftwerk のﾊﾞｰｼﾞｮﾝ情報(&A)..."),
     FCW_TR_NOOP("Prompt", "ﾌﾟﾛｸﾞﾗﾑ情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示"), FCW_TR_NOOP("Tip", "ﾊﾞｰｼﾞｮﾝ情報"),
     "", showAbout, nullptr, nullptr},
    {kPrintSetup, "", FCW_TR_NOOP("Prompt", "ﾌﾟﾘﾝﾀおよびﾌﾟﾘﾝﾀ ｵﾌﾟｼｮﾝの変更"),
     FCW_TR_NOOP("Tip", "印刷設定"), "", pageSetup, nullptr, nullptr},
    {kPrint, "", FCW_TR_NOOP("Prompt", "作業中のﾌｧｲﾙを印刷"), FCW_TR_NOOP("Tip", "印刷"), "Ctrl+P",
     print, nullptr, nullptr},
    // The menu shows one item per recent file ("&1 path"), or the first one greyed.
    {kRecentFile1, FCW_TR_NOOP("Command", "最近使ったﾌｧｲﾙ"),
     FCW_TR_NOOP("Prompt", "指定のﾌｧｲﾙを開く"), "", "", openRecent<0>, nullptr, hasRecent<0>},
    {kRecentFile2, "", FCW_TR_NOOP("Prompt", "指定のﾌｧｲﾙを開く"), "", "", openRecent<1>, nullptr,
     hasRecent<1>},
    {kRecentFile3, "", FCW_TR_NOOP("Prompt", "指定のﾌｧｲﾙを開く"), "", "", openRecent<2>, nullptr,
     hasRecent<2>},
    {kRecentFile4, "", FCW_TR_NOOP("Prompt", "指定のﾌｧｲﾙを開く"), "", "", openRecent<3>, nullptr,
     hasRecent<3>},
    {kExit, FCW_TR_NOOP("Command", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"),
     FCW_TR_NOOP("Prompt", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示"), FCW_TR_NOOP("Tip", "終了"), "",
     quitApplication, nullptr, nullptr},
    {kToolbar, FCW_TR_NOOP("Command", "ﾂｰﾙ ﾊﾞｰ(&T)"), FCW_TR_NOOP("Prompt", "ﾂｰﾙ ﾊﾞｰの表示/非表示"),
     FCW_TR_NOOP("Tip", "ﾂｰﾙ ﾊﾞｰの表示切り替え"), "", toggleToolbar, toolbarShown, nullptr},
    {kHelp, FCW_TR_NOOP("Command", "ヘルプ"), "", "", "F1", showHelp, nullptr, nullptr},
    {kFileNew, FCW_TR_NOOP("Command", "新規作成(&N)"), FCW_TR_NOOP("Prompt", "新規にﾌｧｲﾙを作成"),
     FCW_TR_NOOP("Tip", "新規ﾌｧｲﾙ"), "Ctrl+N", fileNew, nullptr, nullptr},
    {kFileOpen, FCW_TR_NOOP("Command", "開く(&O)..."), FCW_TR_NOOP("Prompt", "既存のﾌｧｲﾙを開く"),
     FCW_TR_NOOP("Tip", "開く"), "Ctrl+O", fileOpen, nullptr, nullptr},
    {kFileSave, FCW_TR_NOOP("Command", "上書き保存(&S)"),
     FCW_TR_NOOP("Prompt", "作業中のﾌｧｲﾙを上書きして保存"), FCW_TR_NOOP("Tip", "保存"), "Ctrl+S",
     fileSave, nullptr, nullptr},
    {kFileSaveAs, FCW_TR_NOOP("Command", "名前を付けて保存(&A)..."),
     FCW_TR_NOOP("Prompt", "作業中のﾌｧｲﾙを新しい名前で保存"),
     FCW_TR_NOOP("Tip", "名前を付けて保存"), "", fileSaveAs, nullptr, nullptr},
}));

static_assert(std::adjacent_find(kCommands.begin(), kCommands.end(),
                                 [](const Command& a, const Command& b) { return a.id == b.id; }) ==
                  kCommands.end(),
              "every command id appears once");

static_assert(kRecentFile4 - kRecentFile1 + 1 == kRecentFileCount);

// Keys that send a command besides the one its row names (and its menu item shows).
struct AlternateShortcut {
    int id;
    std::string_view shortcut;
};
constexpr AlternateShortcut kAlternateShortcuts[] = {{kRedo, "Ctrl+Shift+Z"}};

constexpr std::size_t kAcceleratorCount =
    static_cast<std::size_t>(std::count_if(kCommands.begin(), kCommands.end(),
                                           [](const Command& c) { return !c.shortcut.empty(); })) +
    std::size(kAlternateShortcuts);

constexpr KeyChord chordOf(std::string_view shortcut) {
    const std::optional<KeyChord> chord = parseShortcut(shortcut);
    if (!chord) {
        throw "a shortcut that names no key"; // not a constant expression: a build error
    }
    return *chord;
}

// The shortcut column read once, at compile time: a shortcut that names no key stops the build.
// The alternates follow the table's own keys.
constexpr std::array<Accelerator, kAcceleratorCount> readAccelerators() {
    std::array<Accelerator, kAcceleratorCount> out{};
    std::size_t n = 0;
    for (const Command& c : kCommands) {
        if (!c.shortcut.empty()) {
            out[n++] = {c.id, chordOf(c.shortcut)};
        }
    }
    for (const AlternateShortcut& a : kAlternateShortcuts) {
        out[n++] = {a.id, chordOf(a.shortcut)};
    }
    return out;
}

constexpr auto kAccelerators = readAccelerators();

constexpr bool chordsDistinct() {
    for (std::size_t i = 0; i < kAccelerators.size(); ++i) {
        for (std::size_t j = i + 1; j < kAccelerators.size(); ++j) {
            if (kAccelerators[i].chord == kAccelerators[j].chord) {
                return false;
            }
        }
    }
    return true;
}
static_assert(chordsDistinct(), "every key sends one command");

// An empty text stays empty: it is not in the catalogue.
std::string shownText(const Editor& editor, const char* context, std::string_view text) {
    return text.empty() ? std::string() : editor.host.translate(context, text);
}

bool sameKeyName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(x) == lower(y);
    });
}

} // namespace

std::span<const Command> commandTable() {
    return kCommands;
}

const Command* findCommand(int id) {
    const auto it = std::lower_bound(kCommands.begin(), kCommands.end(), id,
                                     [](const Command& c, int value) { return c.id < value; });
    return it != kCommands.end() && it->id == id ? &*it : nullptr;
}

DispatchResult dispatchCommand(Editor& editor, int id) {
    const SymmetryAfterEvent symmetric(editor);
    endOperation(editor);
    const Command* command = findCommand(id);
    if (command == nullptr || command->handler == nullptr) {
        return DispatchResult::Unknown;
    }
    if (command->isEnabled != nullptr && !command->isEnabled(editor)) {
        return DispatchResult::Disabled;
    }
    command->handler(editor);
    return DispatchResult::Done;
}

std::string menuTextOf(const Editor& editor, const Command& command) {
    const int index = command.id - kRecentFile1;
    if (index >= 0 && index < kRecentFileCount &&
        index < static_cast<int>(editor.services.recentFiles.size())) {
        return "&" + std::to_string(index + 1) + " " +
               editor.services.recentFiles[static_cast<std::size_t>(index)];
    }
    return shownText(editor, text_context::kCommand, command.menuText);
}

std::string promptOf(const Editor& editor, const Command& command) {
    return shownText(editor, text_context::kPrompt, command.prompt);
}

std::string tipOf(const Editor& editor, const Command& command) {
    return shownText(editor, text_context::kTip, command.tip);
}

std::span<const Accelerator> acceleratorTable() {
    return kAccelerators;
}

const Accelerator* acceleratorFor(int commandId) {
    for (const Accelerator& a : kAccelerators) {
        if (a.commandId == commandId) {
            return &a;
        }
    }
    return nullptr;
}

int commandForKey(std::string_view keyName, KeyModifiers modifiers) {
    for (const Accelerator& a : kAccelerators) {
        if (a.chord.modifiers == modifiers && sameKeyName(a.chord.key, keyName)) {
            return a.commandId;
        }
    }
    return 0;
}

std::string shortcutText(const KeyChord& chord) {
    std::string text;
    if (chord.modifiers.ctrl) {
        text += "Ctrl+";
    }
    if (chord.modifiers.shift) {
        text += "Shift+";
    }
    return text + std::string(chord.key);
}

} // namespace fcw
