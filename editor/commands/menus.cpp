#include "editor/commands/menus.h"

#include "editor/command_ids.h"
#include "editor/session/recent_files.h"
#include "model/translatable.h"

namespace fcw {

using namespace command_id;

namespace {

using K = MenuItem::Kind;

MenuItem cmd(int id) {
    return {K::Command, id, {}, {}};
}
MenuItem sep() {
    return {K::Separator, 0, {}, {}};
}
MenuItem sub(std::string_view text, std::vector<MenuItem> items) {
    return {K::Submenu, 0, text, std::move(items)};
}
std::vector<MenuItem> cmds(std::initializer_list<int> ids) {
    std::vector<MenuItem> out;
    for (int id : ids) {
        out.push_back(cmd(id));
    }
    return out;
}

// The vertex-move sub-menus, with the main menu's or the popup's ids.
MenuItem vertexMoves(std::initializer_list<int> relative, std::initializer_list<int> position,
                     std::initializer_list<int> ends, std::initializer_list<int> mean,
                     std::initializer_list<int> distance) {
    return sub(FCW_TR_NOOP("Menu", "頂点の移動"),
               {sub(FCW_TR_NOOP("Menu", "縦，横，奥行き，指定量移動"), cmds(relative)),
                sub(FCW_TR_NOOP("Menu", "縦，横，奥行きの位置合わせ"), cmds(position)),
                sub(FCW_TR_NOOP("Menu", "端の点を基準に移動"), cmds(ends)),
                sub(FCW_TR_NOOP("Menu", "重心の位置合わせ"), cmds(mean)),
                sub(FCW_TR_NOOP("Menu", "軸からの距離を合わせ"), cmds(distance))});
}

std::vector<MenuItem> buildMain() {
    return {
        sub(FCW_TR_NOOP("Menu", "ﾌｧｲﾙ(&F)"), {cmd(kFileNew),
                                              cmd(kFileOpen),
                                              cmd(kFileSave),
                                              cmd(kFileSaveAs),
                                              cmd(kExportText),
                                              cmd(kImportText),
                                              cmd(kImportForeign),
                                              cmd(kExportForeign),
                                              cmd(kExportPicture),
                                              cmd(kExportTurntable),
                                              sep(),
                                              {K::RecentFiles, kRecentFile1, {}, {}},
                                              sep(),
                                              cmd(kExit)}),
        sub(FCW_TR_NOOP("Menu", "編集(&E)"),
            {cmd(kUndo), cmd(kRedo), sep(), cmd(kCut), cmd(kCopy), cmd(kPaste), cmd(kDelete), sep(),
             cmd(kSelectAll), sep(), sep(), cmd(kRecolour), cmd(kReverseSelection), sep(),
             cmd(kDeleteLineTriangles)}),
        sub(FCW_TR_NOOP("Menu", "設定"),
            {sub(FCW_TR_NOOP("Menu", "サーチ"),
                 {sub(FCW_TR_NOOP("Menu", "第一点"),
                      cmds({kFirstPointVertexSnap, kFirstPointGridSnap})),
                  sub(FCW_TR_NOOP("Menu", "第二点"),
                      cmds({kSecondPointVertexSnap, kSecondPointGridSnap})),
                  sub(FCW_TR_NOOP("Menu", "第三点"),
                      cmds({kThirdPointVertexSnap, kThirdPointGridSnap})),
                  sub(FCW_TR_NOOP("Menu", "全頂点"), cmds({kAllVertexSnap, kAllGridSnap}))}),
             sub(FCW_TR_NOOP("Menu", "グリッド"), cmds({kGrid5, kGrid10, kGrid20, kGrid40})),
             sub(FCW_TR_NOOP("Menu", "矢印キーの設定"), cmds({kArrowsMoveDepth, kArrowsRotate})),
             cmd(kSettings)}),
        sub(FCW_TR_NOOP("Menu", "表示(&V)"),
            {cmd(kToolbar), cmd(kStatusBox), cmd(kPalettePanel),
             sub(FCW_TR_NOOP("Menu", "拡大縮小表示"),
                 cmds({kZoomDivide10, kZoomDivide4, kZoomDivide2, kZoomTimes1, kZoomTimes2,
                       kZoomTimes4, kZoomTimes10})),
             cmd(kResetOrigin), cmd(kShowFacing), sep(), cmd(kQuadLayout), cmd(kFrontPane),
             cmd(kRightPane), cmd(kTopPane), cmd(kFreePane),
             sub(FCW_TR_NOOP("Menu", "下絵"),
                 cmds({kLoadReference, kReferenceSettings, kRemoveReference})),
             sep(), cmd(kLoadPalette), cmd(kExportPalette), cmd(kPaletteFromModel)}),
        sub(FCW_TR_NOOP("Menu", "加工"),
            {sub(FCW_TR_NOOP("Menu", "頂点の 集合と四捨五入"),
                 cmds({kRoundVertices, kMergeVertices})),
             vertexMoves(
                 {kMoveVertically, kMoveHorizontally, kMoveInDepth},
                 {kAlignVertically, kAlignHorizontally, kAlignInDepth},
                 {kAlignTop, kAlignBottom, kAlignLeft, kAlignRight, kAlignFront, kAlignBack},
                 {kMeanOnVerticalAxis, kMeanOnHorizontalAxis, kMeanOnDepthAxis},
                 {kDistanceFromVerticalAxis, kDistanceFromHorizontalAxis, kDistanceFromDepthAxis}),
             sub(FCW_TR_NOOP("Menu", "三角形の分割"),
                 {cmd(kSplitInFour), cmd(kSplitInThree), cmd(kSplitInTwo), sep(),
                  cmd(kSplitFourAndTwo)}),
             sub(FCW_TR_NOOP("Menu", "対称図形に変換"),
                 cmds({kMirrorLeftRight, kMirrorTopBottom, kMirrorFrontBack})),
             sub(FCW_TR_NOOP("Menu", "回転"),
                 cmds({kRotateVerticesAboutOrigin, kRotateTrianglesAboutOrigin, kRotateTriangles,
                       kRotateVertices})),
             sub(FCW_TR_NOOP("Menu", "伸縮（拡大縮小）"), cmds({kScaleTriangles, kScaleVertices})),
             sep(), cmd(kOrientOutward), cmd(kOrientInward), sep(), cmd(kSymmetry),
             cmd(kSymmetryPlane)}),
        sub(FCW_TR_NOOP("Menu", "ﾍﾙﾌﾟ(&H)"), cmds({kHelp, kAbout})),
    };
}

MenuItem buildTrianglePopup() {
    return sub("", {cmd(kPopupDeleteTriangle), cmd(kPopupMoveTriangle), cmd(kPopupReverseTriangle),
                    cmd(kPopupColourTriangle), cmd(kPopupPickColour), cmd(kPopupCancel), sep(),
                    sub(FCW_TR_NOOP("Menu", "三角形の分割"),
                        cmds({kPopupSplitPickedInFour, kPopupSplitPickedInThree}))});
}

MenuItem buildSelectionPopup() {
    return sub(
        "",
        {cmd(kPopupCopy), cmd(kPopupCut), cmd(kPopupDelete), cmd(kPopupPaste), sep(),
         cmd(kPopupRecolour), cmd(kPopupReverseSelection), sep(), sep(),
         sub(FCW_TR_NOOP("Menu", "頂点の 集合と四捨五入"),
             cmds({kPopupRoundVertices, kPopupMergeVertices})),
         vertexMoves({kPopupMoveVertically, kPopupMoveHorizontally, kPopupMoveInDepth},
                     {kPopupAlignVertically, kPopupAlignHorizontally, kPopupAlignInDepth},
                     {kPopupAlignTop, kPopupAlignBottom, kPopupAlignLeft, kPopupAlignRight,
                      kPopupAlignFront, kPopupAlignBack},
                     {kPopupMeanOnVerticalAxis, kPopupMeanOnHorizontalAxis, kPopupMeanOnDepthAxis},
                     {kPopupDistanceFromVerticalAxis, kPopupDistanceFromHorizontalAxis,
                      kPopupDistanceFromDepthAxis}),
         sep(),
         sub(FCW_TR_NOOP("Menu", "対称図形に変換"),
             cmds({kPopupMirrorLeftRight, kPopupMirrorTopBottom, kPopupMirrorFrontBack})),
         sub(FCW_TR_NOOP("Menu", "回転"),
             cmds({kPopupRotateVerticesAboutOrigin, kPopupRotateTrianglesAboutOrigin,
                   kPopupRotateTriangles, kPopupRotateVertices})),
         sub(FCW_TR_NOOP("Menu", "伸縮（拡大縮小）"),
             cmds({kPopupScaleTriangles, kPopupScaleVertices})),
         sub(FCW_TR_NOOP("Menu", "三角形の分割"),
             {cmd(kPopupSplitInFour), cmd(kPopupSplitInThree), cmd(kPopupSplitInTwo), sep(),
              cmd(kPopupSplitFourAndTwo)})});
}

} // namespace

const std::vector<MenuItem>& mainMenu() {
    static const std::vector<MenuItem> menu = buildMain(); // immutable after first use
    return menu;
}

const MenuItem& trianglePopup() {
    static const MenuItem menu = buildTrianglePopup();
    return menu;
}

const MenuItem& selectionPopup() {
    static const MenuItem menu = buildSelectionPopup();
    return menu;
}

const std::vector<int>& toolbarButtons() {
    static const std::vector<int> buttons = {
        kFileNew,
        kFileOpen,
        0,
        kFileSave,
        0,
        kAbout,
        0,
        kToolRangeMove,
        kToolPaint,
        kToolErase,
        kToolDrawTriangle,
        kToolSphere,
        kToolZoom,
        kToolOriginMove,
        kPalette,
        0,
        kShowFacesWithoutEdges,
        kShowFacesWithEdges,
        kShowColouredFrame,
        kShowFrame,
        0,
        kSphereQuadSplit,
        kSelectHiddenVertices,
        0,
        kToolbarSettings,
        0,
        kToolbarGrid5,
        kToolbarGrid10,
        kToolbarGrid20,
        kToolbarGrid40,
        0,
        kToolbarGridSnap,
        kToolbarVertexSnap,
        0,
        kToolbarArrowsMoveDepth,
        kToolbarArrowsRotate,
        0,
        kGridBehind,
        kGridInFront,
        0,
        kQuadLayout,
        kSymmetry,
    };
    return buttons;
}

std::vector<int> commandIdsOf(const MenuItem& menu) {
    std::vector<int> ids;
    for (const MenuItem& item : menu.items) {
        if (item.kind == MenuItem::Kind::Command) {
            ids.push_back(item.id);
        } else if (item.kind == MenuItem::Kind::RecentFiles) {
            for (int i = 0; i < kRecentFileCount; ++i) {
                ids.push_back(item.id + i);
            }
        } else if (item.kind == MenuItem::Kind::Submenu) {
            const std::vector<int> inner = commandIdsOf(item);
            ids.insert(ids.end(), inner.begin(), inner.end());
        }
    }
    return ids;
}

} // namespace fcw
