#pragma once

// The resource ids of every command the menus, the toolbar, the popups and the accelerators
// send. The numbers are the program's resource ids and must not change: scripts name commands
// by them (`command 32803`, `answer choose 32839`). Where a command appears both in the main
// menu and in a popup or on the toolbar, each place has an id of its own; the popup's and the
// toolbar's carry a kPopup or kToolbar prefix.

namespace fcw::command_id {

// ファイル
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kPrint = 57607;
inline constexpr int kRecentFile1 = 57616; // the recent files are 57616 .. 57619
inline constexpr int kRecentFile2 = 57617;
inline constexpr int kRecentFile3 = 57618;
inline constexpr int kRecentFile4 = 57619;
inline constexpr int kExit = 57665;
inline constexpr int kExportText = 32841;
inline constexpr int kImportText = 32892;
inline constexpr int kImportForeign = 33000; // glTF, OBJ, STL, PLY, 3MF and what else is read
inline constexpr int kExportForeign = 33001;
inline constexpr int kExportPicture = 33040;   // the view as a PNG picture
inline constexpr int kExportTurntable = 33041; // a turning animation: GIF, APNG or WebP

// 編集
inline constexpr int kUndo = 32799;
inline constexpr int kRedo = 57644;
inline constexpr int kCut = 32845;
inline constexpr int kCopy = 32846;
inline constexpr int kPaste = 32847;
inline constexpr int kDelete = 32848;
inline constexpr int kSelectAll = 32930;
inline constexpr int kRecolour = 32868;
inline constexpr int kReverseSelection = 32881;
inline constexpr int kDeleteLineTriangles = 32893;

// 設定: the snap search for each point of a new triangle, then for all three.
inline constexpr int kFirstPointVertexSnap = 32786;
inline constexpr int kFirstPointGridSnap = 32789;
inline constexpr int kSecondPointVertexSnap = 32784;
inline constexpr int kSecondPointGridSnap = 32790;
inline constexpr int kThirdPointVertexSnap = 32785;
inline constexpr int kThirdPointGridSnap = 32792;
inline constexpr int kAllVertexSnap = 32788;
inline constexpr int kAllGridSnap = 32791;
// 設定 ▸ グリッド: the spacing in model units (the "４０" item; its tooltip says ５０).
inline constexpr int kGrid5 = 32777;
inline constexpr int kGrid10 = 32778;
inline constexpr int kGrid20 = 32779;
inline constexpr int kGrid40 = 32782;
inline constexpr int kArrowsMoveDepth = 32794;
inline constexpr int kArrowsRotate = 32795;
inline constexpr int kSettings = 32798;

// 表示
inline constexpr int kToolbar = 59392;
inline constexpr int kStatusBox = 32895;
inline constexpr int kZoomDivide10 = 32834;
inline constexpr int kZoomDivide4 = 32833;
inline constexpr int kZoomDivide2 = 32832;
inline constexpr int kZoomTimes1 = 32828;
inline constexpr int kZoomTimes2 = 32829;
inline constexpr int kZoomTimes4 = 32830;
inline constexpr int kZoomTimes10 = 32831;
inline constexpr int kResetOrigin = 32835;
// The panes: the quad layout and which pane is active.
inline constexpr int kQuadLayout = 33011;
inline constexpr int kFrontPane = 33012;
inline constexpr int kRightPane = 33013;
inline constexpr int kTopPane = 33014;
inline constexpr int kFreePane = 33015;
// 表示 ▸ 下絵: the reference image of the active orthographic pane.
inline constexpr int kLoadReference = 33020;
inline constexpr int kReferenceSettings = 33021;
inline constexpr int kRemoveReference = 33022;
// 表示: the palette panel and its files.
inline constexpr int kLoadPalette = 33045;
inline constexpr int kExportPalette = 33046;
inline constexpr int kPaletteFromModel = 33047;
inline constexpr int kPalettePanel = 33048;
// 表示: back faces shown red.
inline constexpr int kShowFacing = 33035;

// 加工 and the selection popup's copies of it.
inline constexpr int kRoundVertices = 32859;
inline constexpr int kPopupRoundVertices = 32858;
inline constexpr int kMergeVertices = 32860;
inline constexpr int kPopupMergeVertices = 32861;
// 頂点の移動: relative moves, positions, end-point and mean alignment, distance from an axis.
inline constexpr int kMoveVertically = 32921;
inline constexpr int kPopupMoveVertically = 32918;
inline constexpr int kMoveHorizontally = 32922;
inline constexpr int kPopupMoveHorizontally = 32919;
inline constexpr int kMoveInDepth = 32923;
inline constexpr int kPopupMoveInDepth = 32920;
inline constexpr int kAlignVertically = 32924;
inline constexpr int kPopupAlignVertically = 32902;
inline constexpr int kAlignHorizontally = 32925;
inline constexpr int kPopupAlignHorizontally = 32903;
inline constexpr int kAlignInDepth = 32926;
inline constexpr int kPopupAlignInDepth = 32904;
inline constexpr int kAlignTop = 32944;
inline constexpr int kPopupAlignTop = 32937;
inline constexpr int kAlignBottom = 32945;
inline constexpr int kPopupAlignBottom = 32938;
inline constexpr int kAlignLeft = 32946;
inline constexpr int kPopupAlignLeft = 32939;
inline constexpr int kAlignRight = 32947;
inline constexpr int kPopupAlignRight = 32940;
inline constexpr int kAlignFront = 32953;
inline constexpr int kPopupAlignFront = 32951;
inline constexpr int kAlignBack = 32954;
inline constexpr int kPopupAlignBack = 32952;
inline constexpr int kMeanOnVerticalAxis = 32948;
inline constexpr int kPopupMeanOnVerticalAxis = 32941;
inline constexpr int kMeanOnHorizontalAxis = 32949;
inline constexpr int kPopupMeanOnHorizontalAxis = 32933;
inline constexpr int kMeanOnDepthAxis = 32950;
inline constexpr int kPopupMeanOnDepthAxis = 32942;
inline constexpr int kDistanceFromVerticalAxis = 32927;
inline constexpr int kPopupDistanceFromVerticalAxis = 32905;
inline constexpr int kDistanceFromHorizontalAxis = 32928;
inline constexpr int kPopupDistanceFromHorizontalAxis = 32906;
inline constexpr int kDistanceFromDepthAxis = 32929;
inline constexpr int kPopupDistanceFromDepthAxis = 32907;
// 三角形の分割
inline constexpr int kSplitInFour = 32863;
inline constexpr int kPopupSplitInFour = 32864;
inline constexpr int kSplitInThree = 32865;
inline constexpr int kPopupSplitInThree = 32866;
inline constexpr int kSplitInTwo = 32900;
inline constexpr int kPopupSplitInTwo = 32898;
inline constexpr int kSplitFourAndTwo = 32901;
inline constexpr int kPopupSplitFourAndTwo = 32899;
// 対称図形に変換
inline constexpr int kMirrorLeftRight = 32874;
inline constexpr int kMirrorTopBottom = 32875;
inline constexpr int kMirrorFrontBack = 32876;
inline constexpr int kPopupMirrorLeftRight = 32877;
inline constexpr int kPopupMirrorTopBottom = 32878;
inline constexpr int kPopupMirrorFrontBack = 32879;
// 回転
inline constexpr int kRotateVerticesAboutOrigin = 32886;
inline constexpr int kRotateTrianglesAboutOrigin = 32887;
inline constexpr int kRotateTriangles = 32888;
inline constexpr int kRotateVertices = 32889;
inline constexpr int kPopupRotateVerticesAboutOrigin = 32882;
inline constexpr int kPopupRotateTrianglesAboutOrigin = 32884;
inline constexpr int kPopupRotateTriangles = 32883;
inline constexpr int kPopupRotateVertices = 32885;
// 伸縮（拡大縮小）
inline constexpr int kScaleTriangles = 32891;
inline constexpr int kPopupScaleTriangles = 32890;
inline constexpr int kScaleVertices = 32897;
inline constexpr int kPopupScaleVertices = 32896;
// Live symmetry: the switch and the plane.
inline constexpr int kSymmetry = 33030;
inline constexpr int kSymmetryPlane = 33031;
// Every part of the model (or of the selection) turned to face outward or inward.
inline constexpr int kOrientOutward = 33036;
inline constexpr int kOrientInward = 33037;

// ヘルプ
inline constexpr int kHelp = 32894;
inline constexpr int kAbout = 57664;

// The selection popup's edit items.
inline constexpr int kPopupCopy = 32854;
inline constexpr int kPopupCut = 32855;
inline constexpr int kPopupDelete = 32856;
inline constexpr int kPopupPaste = 32857;
inline constexpr int kPopupRecolour = 32867;
inline constexpr int kPopupReverseSelection = 32880;

// The triangle popup, on the triangle under the pointer.
inline constexpr int kPopupDeleteTriangle = 32836;
inline constexpr int kPopupMoveTriangle = 32837;
inline constexpr int kPopupReverseTriangle = 32838;
inline constexpr int kPopupColourTriangle = 32839;
inline constexpr int kPopupCancel = 32840;
inline constexpr int kPopupPickColour = 32869;
inline constexpr int kPopupSplitPickedInFour = 32872;
inline constexpr int kPopupSplitPickedInThree = 32873;

// The tools (toolbar buttons; the two view tools are also the view's own commands).
inline constexpr int kToolDrawTriangle = 32801;
inline constexpr int kToolErase = 32802;
inline constexpr int kToolRangeMove = 32803;
inline constexpr int kToolPaint = 32804;
inline constexpr int kToolSphere = 32807;
inline constexpr int kToolZoom = 32824;
inline constexpr int kToolOriginMove = 32825;
inline constexpr int kPalette = 32797;

// The other toolbar buttons.
inline constexpr int kShowFacesWithoutEdges = 32808; // frame mode 3
inline constexpr int kShowFacesWithEdges = 32809;    // frame mode 2
inline constexpr int kShowColouredFrame = 32826;     // frame mode 1
inline constexpr int kShowFrame = 32820;             // frame mode 0
inline constexpr int kSphereQuadSplit = 32810;
inline constexpr int kSelectHiddenVertices = 32796;
inline constexpr int kToolbarSettings = 32819;
inline constexpr int kToolbarGrid5 = 32811;
inline constexpr int kToolbarGrid10 = 32812;
inline constexpr int kToolbarGrid20 = 32813;
inline constexpr int kToolbarGrid40 = 32814;
inline constexpr int kToolbarGridSnap = 32818;
inline constexpr int kToolbarVertexSnap = 32817;
inline constexpr int kToolbarArrowsMoveDepth = 32815;
inline constexpr int kToolbarArrowsRotate = 32816;
inline constexpr int kGridBehind = 32822;
inline constexpr int kGridInFront = 32823;

} // namespace fcw::command_id
