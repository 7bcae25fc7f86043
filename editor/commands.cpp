#include "editor/commands.h"

#include "editor/clipboard_commands.h"
#include "editor/default_paths.h"
#include "editor/display_commands.h"
#include "editor/document_commands.h"
#include "editor/editor.h"
#include "editor/interchange_commands.h"
#include "editor/keyboard.h"
#include "editor/mesh_commands.h"
#include "editor/mouse_tools.h"
#include "editor/navigation.h"
#include "editor/palette_dialog.h"
#include "editor/recent_files.h"
#include "editor/settings_sheet.h"
#include "editor/text_commands.h"
#include "editor/vertex_move_commands.h"
#include "interact/snap.h"

#include <algorithm>
#include <array>

namespace fcw {

using namespace command_id;

namespace {

template <ToolMode Mode> void chooseTool(Editor& e) {
    selectTool(e, Mode);
}
template <ToolMode Mode> bool isTool(const Editor& e) {
    return e.interaction.toolMode == Mode;
}
void choosePaint(Editor& e) {
    selectTool(e, ToolMode::Paint);
    e.tools.buttonDrag.phase = HoldPhase::Idle;
}
void showAbout(Editor& e) {
    Dialog about(kAboutDialog);
    e.host.runDialog(about);
}
void undo(Editor& e) {
    undoLast(e);
    e.repaint();
}
void redo(Editor& e) {
    redoNext(e);
    e.repaint();
}
bool canRedo(const Editor& e) {
    return e.redoDepth() > 0;
}
template <int Hundredths> void zoomTo(Editor& e) {
    setZoomLevel(e, Hundredths / 100.0);
}
template <int Point> void vertexSnapCommand(Editor& e) {
    toggleVertexSnap(e.snap, Point);
}
template <int Point> bool vertexSnapOn(const Editor& e) {
    return e.snap.vertexSnap[Point];
}
template <int Point> void gridSnapCommand(Editor& e) {
    toggleGridSnap(e.snap, Point);
}
template <int Point> bool gridSnapOn(const Editor& e) {
    return e.snap.gridSnap[Point];
}
template <int Mode> void frameModeCommand(Editor& e) {
    setFrameMode(e, Mode);
}
template <int Mode> bool frameModeIs(const Editor& e) {
    return e.view.frameMode == Mode;
}
void allVertexSnapCommand(Editor& e) {
    toggleAllVertexSnap(e.snap);
}
bool allVertexSnapOn(const Editor& e) {
    return allVertexSnap(e.snap);
}
void allGridSnapCommand(Editor& e) {
    toggleAllGridSnap(e.snap);
}
bool allGridSnapOn(const Editor& e) {
    return allGridSnap(e.snap);
}
void gridBehind(Editor& e) {
    setGridInFront(e, false);
}
void gridInFront(Editor& e) {
    setGridInFront(e, true);
}
bool isGridBehind(const Editor& e) {
    return !e.view.gridInFront;
}
bool isGridInFront(const Editor& e) {
    return e.view.gridInFront;
}
void toggleHiddenVertices(Editor& e) {
    e.interaction.selectHiddenVertices = !e.interaction.selectHiddenVertices;
    e.repaint();
}
bool hiddenVerticesSelectable(const Editor& e) {
    return e.interaction.selectHiddenVertices;
}
void toggleStatusBox(Editor& e) {
    e.view.statusVisible = e.view.statusVisible != 0 ? 0 : 1; // shown at the next repaint
}
bool statusBoxShown(const Editor& e) {
    return e.view.statusVisible != 0;
}
void toggleQuadSplit(Editor& e) {
    e.interaction.sphereQuadSplit = !e.interaction.sphereQuadSplit;
    e.repaint();
}
bool quadSplitOn(const Editor& e) {
    return e.interaction.sphereQuadSplit;
}
bool arrowsMoveDepth(const Editor& e) {
    return e.interaction.arrowDepthMode;
}
bool arrowsRotate(const Editor& e) {
    return !e.interaction.arrowDepthMode;
}
template <MirrorAxis Axis> void mirrorCommand(Editor& e) {
    mirrorSelection(e, Axis);
}
bool edgeSelected(const Editor& e) {
    return hasEdgeSelectedTriangle(e);
}
bool anySelected(const Editor& e) {
    return !e.selection.empty();
}
bool severalSelected(const Editor& e) {
    return e.selection.count() > 1;
}
bool modelNotEmpty(const Editor& e) {
    return e.store.lastIndex >= 0;
}
template <RotateKind Kind> void rotateCommand(Editor& e) {
    rotateSelection(e, Kind);
}
template <ScaleKind Kind> void scaleCommand(Editor& e) {
    scaleSelection(e, Kind);
}
template <int Id> void vertexMove(Editor& e) {
    runVertexMove(e, Id);
}
template <int Spacing> void spacingCommand(Editor& e) {
    toggleGridSpacing(e.view, Spacing);
    e.repaint();
}
template <int Spacing> bool spacingOn(const Editor& e) {
    return gridSpacingIs(e.view, Spacing);
}

// The window's own commands, through the host.
void quitApplication(Editor& e) {
    e.host.quitApplication();
}
void toggleToolbar(Editor& e) {
    e.host.toggleToolbar();
}
bool toolbarShown(const Editor& e) {
    return e.host.isToolbarVisible();
}
void pageSetup(Editor& e) {
    e.host.pageSetup();
}
void print(Editor& e) {
    e.host.print();
}
void showHelp(Editor& e) {
    const std::string path = helpPagePath(e.paths.programDirectory);
    if (!helpPageExists(path)) {
        e.host.messageBox(path + "\nこのﾌｧｲﾙが見つかりません。", MessageButtons::Ok,
                          MessageIcon::Warning);
    } else if (!e.host.showHelp(path)) {
        e.host.messageBox(path + "\nこのﾌｧｲﾙを表示するﾌﾟﾛｸﾞﾗﾑを起動できませんでした。",
                          MessageButtons::Ok, MessageIcon::Warning);
    }
}
template <int Index> void openRecent(Editor& e) {
    openRecentFile(e, Index);
}
template <int Index> bool hasRecent(const Editor& e) {
    return Index < static_cast<int>(e.recentFiles.size());
}

template <std::size_t N> constexpr std::array<Command, N> sortedById(std::array<Command, N> rows) {
    std::sort(rows.begin(), rows.end(),
              [](const Command& a, const Command& b) { return a.id < b.id; });
    return rows;
}

// Sorted by id at compile time so findCommand can search it.
constexpr auto kCommands = sortedById(std::to_array<Command>({
    {kMoveVertically, "縦方向に移動", "", "", "", vertexMove<kMoveVertically>, nullptr,
     anySelected},
    {kPopupMoveVertically, "縦方向に移動", "", "", "", vertexMove<kPopupMoveVertically>, nullptr,
     anySelected},
    {kMoveHorizontally, "横方向に移動", "", "", "", vertexMove<kMoveHorizontally>, nullptr,
     anySelected},
    {kPopupMoveHorizontally, "横方向に移動", "", "", "", vertexMove<kPopupMoveHorizontally>,
     nullptr, anySelected},
    {kMoveInDepth, "奥行き方向に移動", "", "", "", vertexMove<kMoveInDepth>, nullptr, anySelected},
    {kPopupMoveInDepth, "奥行き方向に移動", "", "", "", vertexMove<kPopupMoveInDepth>, nullptr,
     anySelected},
    {kAlignVertically, "縦の位置", "", "", "", vertexMove<kAlignVertically>, nullptr, anySelected},
    {kPopupAlignVertically, "縦の位置", "", "", "", vertexMove<kPopupAlignVertically>, nullptr,
     anySelected},
    {kAlignHorizontally, "横の位置", "", "", "", vertexMove<kAlignHorizontally>, nullptr,
     anySelected},
    {kPopupAlignHorizontally, "横の位置", "", "", "", vertexMove<kPopupAlignHorizontally>, nullptr,
     anySelected},
    {kAlignInDepth, "奥行きの位置", "", "", "", vertexMove<kAlignInDepth>, nullptr, anySelected},
    {kPopupAlignInDepth, "奥行きの位置", "", "", "", vertexMove<kPopupAlignInDepth>, nullptr,
     anySelected},
    {kAlignTop, "上を基準", "", "", "", vertexMove<kAlignTop>, nullptr, anySelected},
    {kPopupAlignTop, "上を基準", "", "", "", vertexMove<kPopupAlignTop>, nullptr, anySelected},
    {kAlignBottom, "下を基準", "", "", "", vertexMove<kAlignBottom>, nullptr, anySelected},
    {kPopupAlignBottom, "下を基準", "", "", "", vertexMove<kPopupAlignBottom>, nullptr,
     anySelected},
    {kAlignLeft, "左を基準", "", "", "", vertexMove<kAlignLeft>, nullptr, anySelected},
    {kPopupAlignLeft, "左を基準", "", "", "", vertexMove<kPopupAlignLeft>, nullptr, anySelected},
    {kAlignRight, "右を基準", "", "", "", vertexMove<kAlignRight>, nullptr, anySelected},
    {kPopupAlignRight, "右を基準", "", "", "", vertexMove<kPopupAlignRight>, nullptr, anySelected},
    {kAlignFront, "手前を基準", "", "", "", vertexMove<kAlignFront>, nullptr, anySelected},
    {kPopupAlignFront, "手前を基準", "", "", "", vertexMove<kPopupAlignFront>, nullptr,
     anySelected},
    {kAlignBack, "奥を基準", "", "", "", vertexMove<kAlignBack>, nullptr, anySelected},
    {kPopupAlignBack, "奥を基準", "", "", "", vertexMove<kPopupAlignBack>, nullptr, anySelected},
    {kMeanOnVerticalAxis, "縦軸", "", "", "", vertexMove<kMeanOnVerticalAxis>, nullptr,
     anySelected},
    {kPopupMeanOnVerticalAxis, "縦軸", "", "", "", vertexMove<kPopupMeanOnVerticalAxis>, nullptr,
     anySelected},
    {kMeanOnHorizontalAxis, "横軸", "", "", "", vertexMove<kMeanOnHorizontalAxis>, nullptr,
     anySelected},
    {kPopupMeanOnHorizontalAxis, "横軸", "", "", "", vertexMove<kPopupMeanOnHorizontalAxis>,
     nullptr, anySelected},
    {kMeanOnDepthAxis, "奥行き軸", "", "", "", vertexMove<kMeanOnDepthAxis>, nullptr, anySelected},
    {kPopupMeanOnDepthAxis, "奥行き軸", "", "", "", vertexMove<kPopupMeanOnDepthAxis>, nullptr,
     anySelected},
    {kDistanceFromVerticalAxis, "縦軸からの距離", "", "", "", vertexMove<kDistanceFromVerticalAxis>,
     nullptr, anySelected},
    {kPopupDistanceFromVerticalAxis, "縦軸からの距離", "", "", "",
     vertexMove<kPopupDistanceFromVerticalAxis>, nullptr, anySelected},
    {kDistanceFromHorizontalAxis, "横軸からの距離", "", "", "",
     vertexMove<kDistanceFromHorizontalAxis>, nullptr, anySelected},
    {kPopupDistanceFromHorizontalAxis, "横軸からの距離", "", "", "",
     vertexMove<kPopupDistanceFromHorizontalAxis>, nullptr, anySelected},
    {kDistanceFromDepthAxis, "奥行き軸からの位置", "", "", "", vertexMove<kDistanceFromDepthAxis>,
     nullptr, anySelected},
    {kPopupDistanceFromDepthAxis, "奥行き軸からの位置", "", "", "",
     vertexMove<kPopupDistanceFromDepthAxis>, nullptr, anySelected},

    {kGrid5, "５", "間隔５のグリッドを表示", "間隔５のグリッドを表示", "", spacingCommand<5>,
     spacingOn<5>, nullptr},
    {kGrid10, "１０", "間隔１０のグリッドを表示", "間隔１０のグリッドを表示", "",
     spacingCommand<10>, spacingOn<10>, nullptr},
    {kGrid20, "２０", "間隔２０のグリッドを表示", "間隔２０のグリッドを表示", "",
     spacingCommand<20>, spacingOn<20>, nullptr},
    {kGrid40, "４０", "間隔５０のグリッドを表示", "間隔５０のグリッドを表示", "",
     spacingCommand<40>, spacingOn<40>, nullptr},
    {kSecondPointVertexSnap, "頂点", "", "", "", vertexSnapCommand<2>, vertexSnapOn<2>, nullptr},
    {kThirdPointVertexSnap, "頂点", "", "", "", vertexSnapCommand<3>, vertexSnapOn<3>, nullptr},
    {kFirstPointVertexSnap, "頂点", "", "", "", vertexSnapCommand<1>, vertexSnapOn<1>, nullptr},
    {kAllVertexSnap, "頂点", "", "", "", allVertexSnapCommand, allVertexSnapOn, nullptr},
    {kFirstPointGridSnap, "グリッド点", "", "", "", gridSnapCommand<1>, gridSnapOn<1>, nullptr},
    {kSecondPointGridSnap, "グリッド点", "", "", "", gridSnapCommand<2>, gridSnapOn<2>, nullptr},
    {kAllGridSnap, "グリッド点", "", "", "", allGridSnapCommand, allGridSnapOn, nullptr},
    {kThirdPointGridSnap, "グリッド点", "", "", "", gridSnapCommand<3>, gridSnapOn<3>, nullptr},
    {kArrowsMoveDepth, "前後 （奥行きの移動）", "矢印キーの上下を奥行き移動、左右を回転に使う", "",
     "", useArrowsForDepth, arrowsMoveDepth, nullptr},
    {kArrowsRotate, "回転 １", "矢印キーの上下左右を回転に使う", "", "", useArrowsForRotation,
     arrowsRotate, nullptr},
    {kSelectHiddenVertices, "", "", "", "", toggleHiddenVertices, hiddenVerticesSelectable,
     nullptr},
    {kPalette, "", "パレットの表示", "パレットの表示", "", showPaletteAndPaint, nullptr, nullptr},
    {kSettings, "設定ダイアログ", "", "", "", runSettingsSheet, nullptr, nullptr},
    {kUndo, "元に戻す(&U)", "直前に行った動作を元に戻す", "元に戻す\tCtrl+Z", "Ctrl+Z", undo,
     nullptr, nullptr},
    {kRedo, "やり直し(&R)", "直前に元に戻した動作をやり直す", "やり直し\tCtrl+Y", "Ctrl+Y", redo,
     nullptr, canRedo},
    {kToolDrawTriangle, "三角形のポリゴンを描く", "三角形のポリゴンを描く",
     "三角形のポリゴンを描く", "", chooseTool<ToolMode::DrawTriangle>,
     isTool<ToolMode::DrawTriangle>, nullptr},
    {kToolErase, "ポリゴンを消す", "ポリゴンを消す", "ポリゴンを消す", "",
     chooseTool<ToolMode::Erase>, isTool<ToolMode::Erase>, nullptr},
    {kToolRangeMove, "範囲指定して移動", "範囲指定して移動", "範囲指定して移動", "",
     chooseTool<ToolMode::RangeMove>, isTool<ToolMode::RangeMove>, nullptr},
    {kToolPaint, "色を塗る", "色を塗る", "色を塗る", "", choosePaint, isTool<ToolMode::Paint>,
     nullptr},
    {kToolSphere, "ポリゴンで球を描く", "ポリゴンで球を描く", "ポリゴンで球を描く", "",
     chooseTool<ToolMode::Sphere>, isTool<ToolMode::Sphere>, nullptr},
    {kShowFacesWithoutEdges, "", "ポリゴンの淵なし", "ポリゴンの淵なし", "", frameModeCommand<3>,
     frameModeIs<3>, nullptr},
    {kShowFacesWithEdges, "", "ポリゴンの淵あり", "ポリゴンの淵あり", "", frameModeCommand<2>,
     frameModeIs<2>, nullptr},
    {kSphereQuadSplit, "", "", "", "", toggleQuadSplit, quadSplitOn, isTool<ToolMode::Sphere>},
    {kToolbarSettings, "", "設定ダイアログを表示", "設定ダイアログを表示", "", runSettingsSheet,
     nullptr, nullptr},
    {kToolbarGrid5, "", "間隔５のグリッドを表示", "間隔５のグリッドを表示", "", spacingCommand<5>,
     spacingOn<5>, nullptr},
    {kToolbarGrid10, "", "間隔１０のグリッドを表示", "間隔１０のグリッドを表示", "",
     spacingCommand<10>, spacingOn<10>, nullptr},
    {kToolbarGrid20, "", "間隔２０のグリッドを表示", "間隔２０のグリッドを表示", "",
     spacingCommand<20>, spacingOn<20>, nullptr},
    {kToolbarGrid40, "", "間隔５０のグリッドを表示", "間隔５０のグリッドを表示", "",
     spacingCommand<40>, spacingOn<40>, nullptr},
    {kToolbarArrowsMoveDepth, "", "矢印キーの上下を奥行き移動、左右を回転に使う",
     "矢印キーの上下を奥行き移動使う", "", useArrowsForDepth, arrowsMoveDepth, nullptr},
    {kToolbarArrowsRotate, "", "矢印キーの上下左右を回転に使う", "矢印キーの上下を回転に使う", "",
     useArrowsForRotation, arrowsRotate, nullptr},
    {kToolbarVertexSnap, "", "近くの三角形の頂点にクリックした点を飛ばす", "頂点サーチ", "",
     allVertexSnapCommand, allVertexSnapOn, isTool<ToolMode::DrawTriangle>},
    {kToolbarGridSnap, "", "グリッドの交点にクリックした点を飛ばす", "グリッドサーチ", "",
     allGridSnapCommand, allGridSnapOn, nullptr},
    {kShowFrame, "", "フレーム", "フレーム", "", frameModeCommand<0>, frameModeIs<0>, nullptr},
    {kGridBehind, "", "グリッドをポリゴンの後ろに表示", "グリッドをポリゴンの後ろに表示", "",
     gridBehind, isGridBehind, nullptr},
    {kGridInFront, "", "グリッドをポリゴンより手前に表示", "グリッドをポリゴンより手前に表示", "",
     gridInFront, isGridInFront, nullptr},
    {kToolZoom, "拡大縮小", "拡大縮小", "拡大縮小", "", chooseTool<ToolMode::Zoom>,
     isTool<ToolMode::Zoom>, nullptr},
    {kToolOriginMove, "原点の移動", "原点の移動", "原点の移動", "",
     chooseTool<ToolMode::OriginMove>, isTool<ToolMode::OriginMove>, nullptr},
    {kShowColouredFrame, "", "フレーム色つき", "フレーム色つき", "", frameModeCommand<1>,
     frameModeIs<1>, nullptr},
    {kZoomTimes1, "×１", "", "", "", zoomTo<100>, nullptr, nullptr},
    {kZoomTimes2, "×２", "", "", "", zoomTo<200>, nullptr, nullptr},
    {kZoomTimes4, "×４", "", "", "", zoomTo<400>, nullptr, nullptr},
    {kZoomTimes10, "×１０", "", "", "", zoomTo<1000>, nullptr, nullptr},
    {kZoomDivide2, "÷２", "", "", "", zoomTo<50>, nullptr, nullptr},
    {kZoomDivide4, "÷４", "", "", "", zoomTo<25>, nullptr, nullptr},
    {kZoomDivide10, "÷１０", "", "", "", zoomTo<10>, nullptr, nullptr},
    {kResetOrigin, "原点に戻す", "", "", "", resetOrigin, nullptr, nullptr},
    {kPopupDeleteTriangle, "削除", "", "", "", popupDeleteTriangle, nullptr, nullptr},
    {kPopupMoveTriangle, "移動", "", "", "", popupMoveTriangle, nullptr, nullptr},
    {kPopupReverseTriangle, "法泉の向きの変更", "", "", "", popupReverseTriangle, nullptr, nullptr},
    {kPopupColourTriangle, "色の指定", "", "", "", popupColourTriangle, nullptr, nullptr},
    {kPopupCancel, "キャンセル", "", "", "", popupCancel, nullptr, nullptr},
    {kExportText, "テキスト形式でセーブ", "", "", "", exportTextFile, nullptr, nullptr},
    {kCut, "切り取り(&T)", "", "", "Ctrl+X", cutToWorkFile, nullptr, canCopy},
    {kCopy, "ｺﾋﾟｰ(&C)", "", "", "Ctrl+C", copyToWorkFile, nullptr, canCopy},
    {kPaste, "貼り付け(&P)", "", "", "Ctrl+V", pasteWorkFile, nullptr, workFileHasTriangles},
    {kDelete, "消去(&d)", "", "", "del", deleteWholeTriangles, nullptr, canCopy},
    {kPopupCopy, "コピー", "", "", "", copyToWorkFile, nullptr, canCopy},
    {kPopupCut, "切り取り", "", "", "", cutToWorkFile, nullptr, canCopy},
    {kPopupDelete, "削除", "", "", "", deleteWholeTriangles, nullptr, canCopy},
    {kPopupPaste, "貼り付け", "", "", "", pasteWorkFile, nullptr, workFileHasTriangles},
    {kPopupRoundVertices, "少数点第一位を四捨五入", "", "", "", roundSelectedVertices, nullptr,
     anySelected},
    {kRoundVertices, "少数点第一位を四捨五入", "", "", "", roundSelectedVertices, nullptr,
     anySelected},
    {kMergeVertices, "点の集合", "", "", "", mergeSelectedVertices, nullptr, severalSelected},
    {kPopupMergeVertices, "点の集合", "", "", "", mergeSelectedVertices, nullptr, severalSelected},
    {kSplitInFour, "四つに分割", "", "", "", splitSelectionInFour, nullptr, canCopy},
    {kPopupSplitInFour, "四つに分割", "", "", "", splitSelectionInFour, nullptr, canCopy},
    {kSplitInThree, "三つに分割", "", "", "", splitSelectionInThree, nullptr, canCopy},
    {kPopupSplitInThree, "三つに分割", "", "", "", splitSelectionInThree, nullptr, canCopy},
    {kPopupRecolour, "色の変更", "", "", "", paintSelection, nullptr, canCopy},
    {kRecolour, "色の変更", "", "", "", paintSelection, nullptr, canCopy},
    {kPopupPickColour, "色の抽出（スポイト）", "", "", "", popupPickColour, nullptr, nullptr},
    {kPopupSplitPickedInFour, "四つに分割", "", "", "", splitPickedInFour, nullptr, nullptr},
    {kPopupSplitPickedInThree, "三つに分割", "", "", "", splitPickedInThree, nullptr, nullptr},
    {kMirrorLeftRight, "左右対称", "", "", "", mirrorCommand<MirrorAxis::Horizontal>, nullptr,
     canCopy},
    {kMirrorTopBottom, "上下対称", "", "", "", mirrorCommand<MirrorAxis::Vertical>, nullptr,
     canCopy},
    {kMirrorFrontBack, "奥行き対称", "", "", "", mirrorCommand<MirrorAxis::Depth>, nullptr,
     canCopy},
    {kPopupMirrorLeftRight, "左右対称", "", "", "", mirrorCommand<MirrorAxis::Horizontal>, nullptr,
     canCopy},
    {kPopupMirrorTopBottom, "上下対称", "", "", "", mirrorCommand<MirrorAxis::Vertical>, nullptr,
     canCopy},
    {kPopupMirrorFrontBack, "奥行き対称", "", "", "", mirrorCommand<MirrorAxis::Depth>, nullptr,
     canCopy},
    {kPopupReverseSelection, "法泉の向きの変更", "", "", "", reverseSelection, nullptr, canCopy},
    {kReverseSelection, "法泉の向きの変更", "", "", "", reverseSelection, nullptr, canCopy},
    {kPopupRotateVerticesAboutOrigin, "原点を中心点の回転", "", "", "",
     rotateCommand<RotateKind::VerticesAboutOrigin>, nullptr, anySelected},
    {kPopupRotateTriangles, "三角形の回転", "", "", "", rotateCommand<RotateKind::Triangles>,
     nullptr, canCopy},
    {kPopupRotateTrianglesAboutOrigin, "原点を中心に三角形を回転", "", "", "",
     rotateCommand<RotateKind::TrianglesAboutOrigin>, nullptr, canCopy},
    {kPopupRotateVertices, "点の回転", "", "", "", rotateCommand<RotateKind::Vertices>, nullptr,
     anySelected},
    {kRotateVerticesAboutOrigin, "原点を中心点の回転", "", "", "",
     rotateCommand<RotateKind::VerticesAboutOrigin>, nullptr, anySelected},
    {kRotateTrianglesAboutOrigin, "原点を中心に三角形を回転", "", "", "",
     rotateCommand<RotateKind::TrianglesAboutOrigin>, nullptr, canCopy},
    {kRotateTriangles, "三角形の回転", "", "", "", rotateCommand<RotateKind::Triangles>, nullptr,
     canCopy},
    {kRotateVertices, "点の回転", "", "", "", rotateCommand<RotateKind::Vertices>, nullptr,
     anySelected},
    {kPopupScaleTriangles, "三角形の伸縮", "", "", "", scaleCommand<ScaleKind::Triangles>, nullptr,
     canCopy},
    {kScaleTriangles, "三角形の伸縮", "", "", "", scaleCommand<ScaleKind::Triangles>, nullptr,
     canCopy},
    {kImportText, "テキストの入力", "", "", "", importTextFile, nullptr, nullptr},
    {kImportForeign, "形式を指定して読み込み...", "glTF, OBJ, STL, PLY, 3MF などのﾓﾃﾞﾙを読み込む",
     "", "", importForeign, nullptr, nullptr},
    {kExportForeign, "形式を指定して書き出し...", "ﾓﾃﾞﾙを glTF, OBJ, STL, PLY, 3MF で書き出す", "",
     "", exportForeign, nullptr, nullptr},
    {kDeleteLineTriangles, "ライン状三角形の消去", "", "", "", deleteLineTriangles, nullptr,
     nullptr},
    {kStatusBox, "ステータスの表示", "", "", "", toggleStatusBox, statusBoxShown, nullptr},
    {kPopupScaleVertices, "点の伸縮", "", "", "", scaleCommand<ScaleKind::Vertices>, nullptr,
     severalSelected},
    {kScaleVertices, "点の伸縮", "", "", "", scaleCommand<ScaleKind::Vertices>, nullptr,
     severalSelected},
    {kPopupSplitInTwo, "二つに分割", "", "", "", splitSelectionInTwo, nullptr, edgeSelected},
    {kPopupSplitFourAndTwo, "四つと二つに分割", "", "", "", splitSelectionFourAndTwo, nullptr,
     canCopy},
    {kSplitInTwo, "二つに分割", "", "", "", splitSelectionInTwo, nullptr, edgeSelected},
    {kSplitFourAndTwo, "四つと二つに分割", "", "", "", splitSelectionFourAndTwo, nullptr, canCopy},
    {kSelectAll, "すべて選択(&P)", "", "", "Ctrl+A", selectAll, nullptr, modelNotEmpty},
    {kAbout, "FacetCraftwerk のﾊﾞｰｼﾞｮﾝ情報(&A)...", "ﾌﾟﾛｸﾞﾗﾑ情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示",
     "ﾊﾞｰｼﾞｮﾝ情報", "", showAbout, nullptr, nullptr},
    {kPrintSetup, "", "ﾌﾟﾘﾝﾀおよびﾌﾟﾘﾝﾀ ｵﾌﾟｼｮﾝの変更", "印刷設定", "", pageSetup, nullptr, nullptr},
    {kPrint, "", "作業中のﾌｧｲﾙを印刷", "印刷", "Ctrl+P", print, nullptr, nullptr},
    // The menu shows one item per recent file ("&1 path"), or the first one greyed.
    {kRecentFile1, "最近使ったﾌｧｲﾙ", "指定のﾌｧｲﾙを開く", "", "", openRecent<0>, nullptr,
     hasRecent<0>},
    {kRecentFile2, "", "指定のﾌｧｲﾙを開く", "", "", openRecent<1>, nullptr, hasRecent<1>},
    {kRecentFile3, "", "指定のﾌｧｲﾙを開く", "", "", openRecent<2>, nullptr, hasRecent<2>},
    {kRecentFile4, "", "指定のﾌｧｲﾙを開く", "", "", openRecent<3>, nullptr, hasRecent<3>},
    {kExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示", "終了", "",
     quitApplication, nullptr, nullptr},
    {kToolbar, "ﾂｰﾙ ﾊﾞｰ(&T)", "ﾂｰﾙ ﾊﾞｰの表示/非表示", "ﾂｰﾙ ﾊﾞｰの表示切り替え", "", toggleToolbar,
     toolbarShown, nullptr},
    {kHelp, "ヘルプ", "", "", "F1", showHelp, nullptr, nullptr},
    {kFileNew, "新規作成(&N)", "新規にﾌｧｲﾙを作成", "新規ﾌｧｲﾙ", "Ctrl+N", fileNew, nullptr, nullptr},
    {kFileOpen, "開く(&O)...", "既存のﾌｧｲﾙを開く", "開く", "Ctrl+O", fileOpen, nullptr, nullptr},
    {kFileSave, "上書き保存(&S)", "作業中のﾌｧｲﾙを上書きして保存", "保存", "Ctrl+S", fileSave,
     nullptr, nullptr},
    {kFileSaveAs, "名前を付けて保存(&A)...", "作業中のﾌｧｲﾙを新しい名前で保存", "名前を付けて保存",
     "", fileSaveAs, nullptr, nullptr},
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
        index < static_cast<int>(editor.recentFiles.size())) {
        return "&" + std::to_string(index + 1) + " " +
               editor.recentFiles[static_cast<std::size_t>(index)];
    }
    return std::string(command.menuText);
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
