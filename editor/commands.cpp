#include "editor/commands.h"

#include "editor/clipboard_commands.h"
#include "editor/document_commands.h"
#include "editor/editor.h"
#include "editor/settings_sheet.h"
#include "editor/text_commands.h"
#include "editor/keyboard.h"
#include "editor/mouse_tools.h"
#include "interact/snap.h"
#include "ops/cleanup.h"
#include "ops/mirror.h"
#include "ops/rotate_scale.h"
#include "ops/vertex_move.h"
#include "ops/subdivision.h"
#include "editor/navigation.h"
#include "editor/palette_dialog.h"
#include "render/scene_painter.h"

#include <algorithm>
#include <array>

namespace fcw {

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

template <std::size_t N> constexpr std::array<Command, N> sortedById(std::array<Command, N> rows) {
    std::sort(rows.begin(), rows.end(), [](const Command& a, const Command& b) { return a.id < b.id; });
    return rows;
}

// Sorted by id at compile time so findCommand can search it.
constexpr auto kCommands = sortedById(std::to_array<Command>({
    {32921, "縦方向に移動", "", "", "", vertexMove<32921>, nullptr, anySelected},
    {32918, "縦方向に移動", "", "", "", vertexMove<32918>, nullptr, anySelected},
    {32922, "横方向に移動", "", "", "", vertexMove<32922>, nullptr, anySelected},
    {32919, "横方向に移動", "", "", "", vertexMove<32919>, nullptr, anySelected},
    {32923, "奥行き方向に移動", "", "", "", vertexMove<32923>, nullptr, anySelected},
    {32920, "奥行き方向に移動", "", "", "", vertexMove<32920>, nullptr, anySelected},
    {32924, "縦の位置", "", "", "", vertexMove<32924>, nullptr, anySelected},
    {32902, "縦の位置", "", "", "", vertexMove<32902>, nullptr, anySelected},
    {32925, "横の位置", "", "", "", vertexMove<32925>, nullptr, anySelected},
    {32903, "横の位置", "", "", "", vertexMove<32903>, nullptr, anySelected},
    {32926, "奥行きの位置", "", "", "", vertexMove<32926>, nullptr, anySelected},
    {32904, "奥行きの位置", "", "", "", vertexMove<32904>, nullptr, anySelected},
    {32944, "上を基準", "", "", "", vertexMove<32944>, nullptr, anySelected},
    {32937, "上を基準", "", "", "", vertexMove<32937>, nullptr, anySelected},
    {32945, "下を基準", "", "", "", vertexMove<32945>, nullptr, anySelected},
    {32938, "下を基準", "", "", "", vertexMove<32938>, nullptr, anySelected},
    {32946, "左を基準", "", "", "", vertexMove<32946>, nullptr, anySelected},
    {32939, "左を基準", "", "", "", vertexMove<32939>, nullptr, anySelected},
    {32947, "右を基準", "", "", "", vertexMove<32947>, nullptr, anySelected},
    {32940, "右を基準", "", "", "", vertexMove<32940>, nullptr, anySelected},
    {32953, "手前を基準", "", "", "", vertexMove<32953>, nullptr, anySelected},
    {32951, "手前を基準", "", "", "", vertexMove<32951>, nullptr, anySelected},
    {32954, "奥を基準", "", "", "", vertexMove<32954>, nullptr, anySelected},
    {32952, "奥を基準", "", "", "", vertexMove<32952>, nullptr, anySelected},
    {32948, "縦軸", "", "", "", vertexMove<32948>, nullptr, anySelected},
    {32941, "縦軸", "", "", "", vertexMove<32941>, nullptr, anySelected},
    {32949, "横軸", "", "", "", vertexMove<32949>, nullptr, anySelected},
    {32933, "横軸", "", "", "", vertexMove<32933>, nullptr, anySelected},
    {32950, "奥行き軸", "", "", "", vertexMove<32950>, nullptr, anySelected},
    {32942, "奥行き軸", "", "", "", vertexMove<32942>, nullptr, anySelected},
    {32927, "縦軸からの距離", "", "", "", vertexMove<32927>, nullptr, anySelected},
    {32905, "縦軸からの距離", "", "", "", vertexMove<32905>, nullptr, anySelected},
    {32928, "横軸からの距離", "", "", "", vertexMove<32928>, nullptr, anySelected},
    {32906, "横軸からの距離", "", "", "", vertexMove<32906>, nullptr, anySelected},
    {32929, "奥行き軸からの位置", "", "", "", vertexMove<32929>, nullptr, anySelected},
    {32907, "奥行き軸からの位置", "", "", "", vertexMove<32907>, nullptr, anySelected},

    {32777, "５", "間隔５のグリッドを表示", "間隔５のグリッドを表示", "", spacingCommand<5>,
     spacingOn<5>, nullptr},
    {32778, "１０", "間隔１０のグリッドを表示", "間隔１０のグリッドを表示", "", spacingCommand<10>,
     spacingOn<10>, nullptr},
    {32779, "２０", "間隔２０のグリッドを表示", "間隔２０のグリッドを表示", "", spacingCommand<20>,
     spacingOn<20>, nullptr},
    {32782, "４０", "間隔５０のグリッドを表示", "間隔５０のグリッドを表示", "", spacingCommand<40>,
     spacingOn<40>, nullptr},
    {32784, "頂点", "", "", "", vertexSnapCommand<2>, vertexSnapOn<2>, nullptr},
    {32785, "頂点", "", "", "", vertexSnapCommand<3>, vertexSnapOn<3>, nullptr},
    {32786, "頂点", "", "", "", vertexSnapCommand<1>, vertexSnapOn<1>, nullptr},
    {32788, "頂点", "", "", "", allVertexSnapCommand, allVertexSnapOn, nullptr},
    {32789, "グリッド点", "", "", "", gridSnapCommand<1>, gridSnapOn<1>, nullptr},
    {32790, "グリッド点", "", "", "", gridSnapCommand<2>, gridSnapOn<2>, nullptr},
    {32791, "グリッド点", "", "", "", allGridSnapCommand, allGridSnapOn, nullptr},
    {32792, "グリッド点", "", "", "", gridSnapCommand<3>, gridSnapOn<3>, nullptr},
    {32794, "前後 （奥行きの移動）", "矢印キーの上下を奥行き移動、左右を回転に使う", "", "",
     useArrowsForDepth, arrowsMoveDepth, nullptr},
    {32795, "回転 １", "矢印キーの上下左右を回転に使う", "", "", useArrowsForRotation, arrowsRotate,
     nullptr},
    {32796, "", "", "", "", toggleHiddenVertices, hiddenVerticesSelectable, nullptr},
    {32797, "", "パレットの表示", "パレットの表示", "", showPaletteAndPaint, nullptr, nullptr},
    {32798, "設定ダイアログ", "", "", "", runSettingsSheet, nullptr, nullptr},
    {32799, "元に戻す(&U)", "直前に行った動作を元に戻す", "元に戻す\tCtrl+Z", "Ctrl+Z", undo,
     nullptr, nullptr},
    {32801, "三角形のポリゴンを描く", "三角形のポリゴンを描く", "三角形のポリゴンを描く", "",
     chooseTool<ToolMode::DrawTriangle>, isTool<ToolMode::DrawTriangle>, nullptr},
    {32802, "ポリゴンを消す", "ポリゴンを消す", "ポリゴンを消す", "", chooseTool<ToolMode::Erase>,
     isTool<ToolMode::Erase>, nullptr},
    {32803, "範囲指定して移動", "範囲指定して移動", "範囲指定して移動", "",
     chooseTool<ToolMode::RangeMove>, isTool<ToolMode::RangeMove>, nullptr},
    {32804, "色を塗る", "色を塗る", "色を塗る", "", choosePaint, isTool<ToolMode::Paint>, nullptr},
    {32807, "ポリゴンで球を描く", "ポリゴンで球を描く", "ポリゴンで球を描く", "",
     chooseTool<ToolMode::Sphere>, isTool<ToolMode::Sphere>, nullptr},
    {32808, "", "ポリゴンの淵なし", "ポリゴンの淵なし", "", frameModeCommand<3>, frameModeIs<3>,
     nullptr},
    {32809, "", "ポリゴンの淵あり", "ポリゴンの淵あり", "", frameModeCommand<2>, frameModeIs<2>,
     nullptr},
    {32810, "", "", "", "", toggleQuadSplit, quadSplitOn, isTool<ToolMode::Sphere>},
    {32819, "", "設定ダイアログを表示", "設定ダイアログを表示", "", runSettingsSheet, nullptr,
     nullptr},
    {32811, "", "間隔５のグリッドを表示", "間隔５のグリッドを表示", "", spacingCommand<5>,
     spacingOn<5>, nullptr},
    {32812, "", "間隔１０のグリッドを表示", "間隔１０のグリッドを表示", "", spacingCommand<10>,
     spacingOn<10>, nullptr},
    {32813, "", "間隔２０のグリッドを表示", "間隔２０のグリッドを表示", "", spacingCommand<20>,
     spacingOn<20>, nullptr},
    {32814, "", "間隔５０のグリッドを表示", "間隔５０のグリッドを表示", "", spacingCommand<40>,
     spacingOn<40>, nullptr},
    {32815, "", "矢印キーの上下を奥行き移動、左右を回転に使う", "矢印キーの上下を奥行き移動使う", "",
     useArrowsForDepth, arrowsMoveDepth, nullptr},
    {32816, "", "矢印キーの上下左右を回転に使う", "矢印キーの上下を回転に使う", "",
     useArrowsForRotation, arrowsRotate, nullptr},
    {32817, "", "近くの三角形の頂点にクリックした点を飛ばす", "頂点サーチ", "", allVertexSnapCommand,
     allVertexSnapOn, isTool<ToolMode::DrawTriangle>},
    {32818, "", "グリッドの交点にクリックした点を飛ばす", "グリッドサーチ", "", allGridSnapCommand,
     allGridSnapOn, nullptr},
    {32820, "", "フレーム", "フレーム", "", frameModeCommand<0>, frameModeIs<0>, nullptr},
    {32822, "", "グリッドをポリゴンの後ろに表示", "グリッドをポリゴンの後ろに表示", "", gridBehind,
     isGridBehind, nullptr},
    {32823, "", "グリッドをポリゴンより手前に表示", "グリッドをポリゴンより手前に表示", "",
     gridInFront, isGridInFront, nullptr},
    {32824, "拡大縮小", "拡大縮小", "拡大縮小", "", chooseTool<ToolMode::Zoom>,
     isTool<ToolMode::Zoom>, nullptr},
    {32825, "原点の移動", "原点の移動", "原点の移動", "", chooseTool<ToolMode::OriginMove>,
     isTool<ToolMode::OriginMove>, nullptr},
    {32826, "", "フレーム色つき", "フレーム色つき", "", frameModeCommand<1>, frameModeIs<1>,
     nullptr},
    {32828, "×１", "", "", "", zoomTo<100>, nullptr, nullptr},
    {32829, "×２", "", "", "", zoomTo<200>, nullptr, nullptr},
    {32830, "×４", "", "", "", zoomTo<400>, nullptr, nullptr},
    {32831, "×１０", "", "", "", zoomTo<1000>, nullptr, nullptr},
    {32832, "÷２", "", "", "", zoomTo<50>, nullptr, nullptr},
    {32833, "÷４", "", "", "", zoomTo<25>, nullptr, nullptr},
    {32834, "÷１０", "", "", "", zoomTo<10>, nullptr, nullptr},
    {32835, "原点に戻す", "", "", "", resetOrigin, nullptr, nullptr},
    {32836, "削除", "", "", "", popupDeleteTriangle, nullptr, nullptr},
    {32837, "移動", "", "", "", popupMoveTriangle, nullptr, nullptr},
    {32838, "法泉の向きの変更", "", "", "", popupReverseTriangle, nullptr, nullptr},
    {32839, "色の指定", "", "", "", popupColourTriangle, nullptr, nullptr},
    {32840, "キャンセル", "", "", "", popupCancel, nullptr, nullptr},
    {32841, "テキスト形式でセーブ", "", "", "", exportTextFile, nullptr, nullptr},
    {32845, "切り取り(&T)", "", "", "Ctrl+X", cutToWorkFile, nullptr, canCopy},
    {32846, "ｺﾋﾟｰ(&C)", "", "", "Ctrl+C", copyToWorkFile, nullptr, canCopy},
    {32847, "貼り付け(&P)", "", "", "Ctrl+V", pasteWorkFile, nullptr, workFileHasTriangles},
    {32848, "消去(&d)", "", "", "del", deleteWholeTriangles, nullptr, canCopy},
    {32854, "コピー", "", "", "", copyToWorkFile, nullptr, canCopy},
    {32855, "切り取り", "", "", "", cutToWorkFile, nullptr, canCopy},
    {32856, "削除", "", "", "", deleteWholeTriangles, nullptr, canCopy},
    {32857, "貼り付け", "", "", "", pasteWorkFile, nullptr, workFileHasTriangles},
    {32858, "少数点第一位を四捨五入", "", "", "", roundSelectedVertices, nullptr, anySelected},
    {32859, "少数点第一位を四捨五入", "", "", "", roundSelectedVertices, nullptr, anySelected},
    {32860, "点の集合", "", "", "", mergeSelectedVertices, nullptr, severalSelected},
    {32861, "点の集合", "", "", "", mergeSelectedVertices, nullptr, severalSelected},
    {32863, "四つに分割", "", "", "", splitSelectionInFour, nullptr, canCopy},
    {32864, "四つに分割", "", "", "", splitSelectionInFour, nullptr, canCopy},
    {32865, "三つに分割", "", "", "", splitSelectionInThree, nullptr, canCopy},
    {32866, "三つに分割", "", "", "", splitSelectionInThree, nullptr, canCopy},
    {32867, "色の変更", "", "", "", paintSelection, nullptr, canCopy},
    {32868, "色の変更", "", "", "", paintSelection, nullptr, canCopy},
    {32869, "色の抽出（スポイト）", "", "", "", popupPickColour, nullptr, nullptr},
    {32872, "四つに分割", "", "", "", splitPickedInFour, nullptr, nullptr},
    {32873, "三つに分割", "", "", "", splitPickedInThree, nullptr, nullptr},
    {32874, "左右対称", "", "", "", mirrorCommand<MirrorAxis::Horizontal>, nullptr, canCopy},
    {32875, "上下対称", "", "", "", mirrorCommand<MirrorAxis::Vertical>, nullptr, canCopy},
    {32876, "奥行き対称", "", "", "", mirrorCommand<MirrorAxis::Depth>, nullptr, canCopy},
    {32877, "左右対称", "", "", "", mirrorCommand<MirrorAxis::Horizontal>, nullptr, canCopy},
    {32878, "上下対称", "", "", "", mirrorCommand<MirrorAxis::Vertical>, nullptr, canCopy},
    {32879, "奥行き対称", "", "", "", mirrorCommand<MirrorAxis::Depth>, nullptr, canCopy},
    {32880, "法泉の向きの変更", "", "", "", reverseSelection, nullptr, canCopy},
    {32881, "法泉の向きの変更", "", "", "", reverseSelection, nullptr, canCopy},
    {32882, "原点を中心点の回転", "", "", "", rotateCommand<RotateKind::VerticesAboutOrigin>,
     nullptr, anySelected},
    {32883, "三角形の回転", "", "", "", rotateCommand<RotateKind::Triangles>, nullptr, canCopy},
    {32884, "原点を中心に三角形を回転", "", "", "", rotateCommand<RotateKind::TrianglesAboutOrigin>,
     nullptr, canCopy},
    {32885, "点の回転", "", "", "", rotateCommand<RotateKind::Vertices>, nullptr, anySelected},
    {32886, "原点を中心点の回転", "", "", "", rotateCommand<RotateKind::VerticesAboutOrigin>,
     nullptr, anySelected},
    {32887, "原点を中心に三角形を回転", "", "", "", rotateCommand<RotateKind::TrianglesAboutOrigin>,
     nullptr, canCopy},
    {32888, "三角形の回転", "", "", "", rotateCommand<RotateKind::Triangles>, nullptr, canCopy},
    {32889, "点の回転", "", "", "", rotateCommand<RotateKind::Vertices>, nullptr, anySelected},
    {32890, "三角形の伸縮", "", "", "", scaleCommand<ScaleKind::Triangles>, nullptr, canCopy},
    {32891, "三角形の伸縮", "", "", "", scaleCommand<ScaleKind::Triangles>, nullptr, canCopy},
    {32892, "テキストの入力", "", "", "", importTextFile, nullptr, nullptr},
    {32893, "ライン状三角形の消去", "", "", "", deleteLineTriangles, nullptr, nullptr},
    {32895, "ステータスの表示", "", "", "", toggleStatusBox, statusBoxShown, nullptr},
    {32896, "点の伸縮", "", "", "", scaleCommand<ScaleKind::Vertices>, nullptr, severalSelected},
    {32897, "点の伸縮", "", "", "", scaleCommand<ScaleKind::Vertices>, nullptr, severalSelected},
    {32898, "二つに分割", "", "", "", splitSelectionInTwo, nullptr, edgeSelected},
    {32899, "四つと二つに分割", "", "", "", splitSelectionFourAndTwo, nullptr, canCopy},
    {32900, "二つに分割", "", "", "", splitSelectionInTwo, nullptr, edgeSelected},
    {32901, "四つと二つに分割", "", "", "", splitSelectionFourAndTwo, nullptr, canCopy},
    {32930, "すべて選択(&P)", "", "", "Ctrl+A", selectAll, nullptr, modelNotEmpty},
    {57664, "FacetCraftwerk のﾊﾞｰｼﾞｮﾝ情報(&A)...", "ﾌﾟﾛｸﾞﾗﾑ情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示",
     "ﾊﾞｰｼﾞｮﾝ情報", "", showAbout, nullptr, nullptr},
    {57600, "新規作成(&N)", "新規にﾌｧｲﾙを作成", "新規ﾌｧｲﾙ", "Ctrl+N", fileNew, nullptr, nullptr},
    {57601, "開く(&O)...", "既存のﾌｧｲﾙを開く", "開く", "Ctrl+O", fileOpen, nullptr, nullptr},
    {57603, "上書き保存(&S)", "作業中のﾌｧｲﾙを上書きして保存", "保存", "Ctrl+S", fileSave, nullptr,
     nullptr},
    {57604, "名前を付けて保存(&A)...", "作業中のﾌｧｲﾙを新しい名前で保存", "名前を付けて保存", "",
     fileSaveAs, nullptr, nullptr},
}));

static_assert(std::adjacent_find(kCommands.begin(), kCommands.end(),
                                 [](const Command& a, const Command& b) {
                                     return a.id == b.id;
                                 }) == kCommands.end(),
              "every command id appears once");

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

} // namespace fcw
