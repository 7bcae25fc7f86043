<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Command</name>
    <message>
        <source>縦方向に移動</source>
        <translation>Move Vertically</translation>
    </message>
    <message>
        <source>横方向に移動</source>
        <translation>Move Horizontally</translation>
    </message>
    <message>
        <source>奥行き方向に移動</source>
        <translation>Move in Depth</translation>
    </message>
    <message>
        <source>縦の位置</source>
        <translation>Vertical Position</translation>
    </message>
    <message>
        <source>横の位置</source>
        <translation>Horizontal Position</translation>
    </message>
    <message>
        <source>奥行きの位置</source>
        <translation>Depth Position</translation>
    </message>
    <message>
        <source>上を基準</source>
        <translation>By the Top Point</translation>
    </message>
    <message>
        <source>下を基準</source>
        <translation>By the Bottom Point</translation>
    </message>
    <message>
        <source>左を基準</source>
        <translation>By the Leftmost Point</translation>
    </message>
    <message>
        <source>右を基準</source>
        <translation>By the Rightmost Point</translation>
    </message>
    <message>
        <source>手前を基準</source>
        <translation>By the Nearest Point</translation>
    </message>
    <message>
        <source>奥を基準</source>
        <translation>By the Farthest Point</translation>
    </message>
    <message>
        <source>縦軸</source>
        <translation>Vertical Axis</translation>
    </message>
    <message>
        <source>横軸</source>
        <translation>Horizontal Axis</translation>
    </message>
    <message>
        <source>奥行き軸</source>
        <translation>Depth Axis</translation>
    </message>
    <message>
        <source>縦軸からの距離</source>
        <translation>Distance from Vertical Axis</translation>
    </message>
    <message>
        <source>横軸からの距離</source>
        <translation>Distance from Horizontal Axis</translation>
    </message>
    <message>
        <source>奥行き軸からの位置</source>
        <translation>Distance from Depth Axis</translation>
    </message>
    <message>
        <source>５</source>
        <translation>5</translation>
    </message>
    <message>
        <source>１０</source>
        <translation>10</translation>
    </message>
    <message>
        <source>２０</source>
        <translation>20</translation>
    </message>
    <message>
        <source>４０</source>
        <translation>40</translation>
    </message>
    <message>
        <source>頂点</source>
        <translation>Vertex</translation>
    </message>
    <message>
        <source>グリッド点</source>
        <translation>Grid Point</translation>
    </message>
    <message>
        <source>前後 （奥行きの移動）</source>
        <translation>Up/Down Move in Depth</translation>
    </message>
    <message>
        <source>回転 １</source>
        <translation>Rotate Only</translation>
    </message>
    <message>
        <source>設定ダイアログ</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>三角形のポリゴンを描く</source>
        <translation>Draw Triangles</translation>
    </message>
    <message>
        <source>ポリゴンを消す</source>
        <translation>Erase Polygons</translation>
    </message>
    <message>
        <source>範囲指定して移動</source>
        <translation>Select and Move</translation>
    </message>
    <message>
        <source>色を塗る</source>
        <translation>Paint</translation>
    </message>
    <message>
        <source>ポリゴンで球を描く</source>
        <translation>Draw a Sphere</translation>
    </message>
    <message>
        <source>拡大縮小</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>原点の移動</source>
        <translation>Move Origin</translation>
    </message>
    <message>
        <source>×１</source>
        <translation>×1</translation>
    </message>
    <message>
        <source>×２</source>
        <translation>×2</translation>
    </message>
    <message>
        <source>×４</source>
        <translation>×4</translation>
    </message>
    <message>
        <source>×１０</source>
        <translation>×10</translation>
    </message>
    <message>
        <source>÷２</source>
        <translation>÷2</translation>
    </message>
    <message>
        <source>÷４</source>
        <translation>÷4</translation>
    </message>
    <message>
        <source>÷１０</source>
        <translation>÷10</translation>
    </message>
    <message>
        <source>原点に戻す</source>
        <translation>Reset Origin</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>法泉の向きの変更</source>
        <translation>Reverse Normal</translation>
    </message>
    <message>
        <source>色の指定</source>
        <translation>Set Color</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>テキスト形式でセーブ</source>
        <translation>Save as Text...</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>ｺﾋﾟｰ(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>消去(&amp;d)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>切り取り</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>少数点第一位を四捨五入</source>
        <translation>Round to Whole Numbers</translation>
    </message>
    <message>
        <source>点の集合</source>
        <translation>Merge Vertices</translation>
    </message>
    <message>
        <source>四つに分割</source>
        <translation>Split in Four</translation>
    </message>
    <message>
        <source>三つに分割</source>
        <translation>Split in Three</translation>
    </message>
    <message>
        <source>色の変更</source>
        <translation>Change Color</translation>
    </message>
    <message>
        <source>色の抽出（スポイト）</source>
        <translation>Pick Color (Eyedropper)</translation>
    </message>
    <message>
        <source>左右対称</source>
        <translation>Mirror Left-Right</translation>
    </message>
    <message>
        <source>上下対称</source>
        <translation>Mirror Top-Bottom</translation>
    </message>
    <message>
        <source>奥行き対称</source>
        <translation>Mirror Front-Back</translation>
    </message>
    <message>
        <source>原点を中心点の回転</source>
        <translation>Rotate Vertices about Origin</translation>
    </message>
    <message>
        <source>三角形の回転</source>
        <translation>Rotate Triangles</translation>
    </message>
    <message>
        <source>原点を中心に三角形を回転</source>
        <translation>Rotate Triangles about Origin</translation>
    </message>
    <message>
        <source>点の回転</source>
        <translation>Rotate Vertices</translation>
    </message>
    <message>
        <source>三角形の伸縮</source>
        <translation>Scale Triangles</translation>
    </message>
    <message>
        <source>テキストの入力</source>
        <translation>Read Text File...</translation>
    </message>
    <message>
        <source>ライン状三角形の消去</source>
        <translation>Delete Line-Shaped Triangles</translation>
    </message>
    <message>
        <source>ステータスの表示</source>
        <translation>Status Box</translation>
    </message>
    <message>
        <source>点の伸縮</source>
        <translation>Scale Vertices</translation>
    </message>
    <message>
        <source>二つに分割</source>
        <translation>Split in Two</translation>
    </message>
    <message>
        <source>四つと二つに分割</source>
        <translation>Split in Four and Two</translation>
    </message>
    <message>
        <source>すべて選択(&amp;P)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>FacetCraftwerk のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About FacetCraftwerk...</translation>
    </message>
    <message>
        <source>最近使ったﾌｧｲﾙ</source>
        <translation>Recent File</translation>
    </message>
    <message>
        <source>ｱﾌﾟﾘｹｰｼｮﾝの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰ(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>形式を指定して読み込み...</source>
        <translation>&amp;Import...</translation>
    </message>
    <message>
        <source>形式を指定して書き出し...</source>
        <translation>Ex&amp;port...</translation>
    </message>
    <message>
        <source>画像として書き出し(&amp;G)...</source>
        <translation>Export as &amp;Picture...</translation>
    </message>
    <message>
        <source>回転アニメーションの書き出し(&amp;A)...</source>
        <translation>Export Turntable &amp;Animation...</translation>
    </message>
    <message>
        <source>パレットを読み込む(&amp;L)...</source>
        <translation>&amp;Load Palette...</translation>
    </message>
    <message>
        <source>パレットを書き出す(&amp;W)...</source>
        <translation>&amp;Write Palette...</translation>
    </message>
    <message>
        <source>モデルの色をパレットに(&amp;M)</source>
        <translation>&amp;Model Colours to Palette</translation>
    </message>
    <message>
        <source>パレット パネル(&amp;P)</source>
        <translation>&amp;Palette Panel</translation>
    </message>
    <message>
        <source>4画面(&amp;4)</source>
        <translation>&amp;4 Views</translation>
    </message>
    <message>
        <source>正面(&amp;F)</source>
        <translation>&amp;Front</translation>
    </message>
    <message>
        <source>右側面(&amp;R)</source>
        <translation>&amp;Right Side</translation>
    </message>
    <message>
        <source>上面(&amp;T)</source>
        <translation>&amp;Top</translation>
    </message>
    <message>
        <source>自由視点(&amp;V)</source>
        <translation>Free &amp;View</translation>
    </message>
    <message>
        <source>下絵を読み込む(&amp;I)...</source>
        <translation>&amp;Import Reference Image...</translation>
    </message>
    <message>
        <source>下絵の設定(&amp;S)...</source>
        <translation>Reference Image &amp;Settings...</translation>
    </message>
    <message>
        <source>下絵を消す(&amp;R)</source>
        <translation>&amp;Remove Reference Image</translation>
    </message>
    <message>
        <source>面の向きを表示(&amp;O)</source>
        <translation>Show Face &amp;Orientation</translation>
    </message>
    <message>
        <source>面を外側に揃える(&amp;U)</source>
        <translation>Face O&amp;utward</translation>
    </message>
    <message>
        <source>面を内側に揃える(&amp;N)</source>
        <translation>Face I&amp;nward</translation>
    </message>
    <message>
        <source>対称編集(&amp;Y)</source>
        <translation>S&amp;ymmetric Editing</translation>
    </message>
    <message>
        <source>対称面(&amp;P)...</source>
        <translation>Symmetry &amp;Plane...</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>“+”が上，“-”が下</source>
        <translation>“+” is up, “-” is down</translation>
    </message>
    <message>
        <source>“+”が右，“-”が左</source>
        <translation>“+” is right, “-” is left</translation>
    </message>
    <message>
        <source>“+”が奥，“-”が手前</source>
        <translation>“+” is away from you, “-” toward you</translation>
    </message>
    <message>
        <source>縦方向に移動する．<byte value="xd"/>
（現在の点の位置から相対的に移動）</source>
        <translation>Move vertically,
(relative to the points&apos; current positions)</translation>
    </message>
    <message>
        <source>横方向に移動する．<byte value="xd"/>
（現在の点の位置から相対的に移動）</source>
        <translation>Move horizontally,
(relative to the points&apos; current positions)</translation>
    </message>
    <message>
        <source>奥行き方向に移動する．<byte value="xd"/>
(現在の点の位置から相対的に移動)</source>
        <translation>Move in depth,
(relative to the points&apos; current positions)</translation>
    </message>
    <message>
        <source><byte value="xd"/>
縦方向の位置を合わせる</source>
        <translation>
Align the vertical position</translation>
    </message>
    <message>
        <source><byte value="xd"/>
横方向の位置を合わせる</source>
        <translation>
Align the horizontal position</translation>
    </message>
    <message>
        <source><byte value="xd"/>
奥行き向の位置を合わせる</source>
        <translation>
Align the depth position</translation>
    </message>
    <message>
        <source>一番上にある点が<byte value="xd"/>
指定位置に来るように移動する</source>
        <translation>Move so that the top point
comes to the given position</translation>
    </message>
    <message>
        <source>一番下にある点が<byte value="xd"/>
指定位置に来るように移動する</source>
        <translation>Move so that the bottom point
comes to the given position</translation>
    </message>
    <message>
        <source>一番左にある点が<byte value="xd"/>
指定位置に来るように移動する</source>
        <translation>Move so that the leftmost point
comes to the given position</translation>
    </message>
    <message>
        <source>一番右にある点が<byte value="xd"/>
指定位置に来るように移動する</source>
        <translation>Move so that the rightmost point
comes to the given position</translation>
    </message>
    <message>
        <source>一番手前にある点が<byte value="xd"/>
指定位置に来るように移動する</source>
        <translation>Move so that the nearest point
comes to the given position</translation>
    </message>
    <message>
        <source>一番奥にある点が<byte value="xd"/>
指定位置に来るように移動する</source>
        <translation>Move so that the farthest point
comes to the given position</translation>
    </message>
    <message>
        <source>選択された点の重心が<byte value="xd"/>
指定位置に来るように移動する</source>
        <translation>Move so that the centroid of the selected points
comes to the given position</translation>
    </message>
    <message>
        <source><byte value="xd"/>
縦軸からの距離を合わせる</source>
        <translation>
Set the distance from the vertical axis</translation>
    </message>
    <message>
        <source><byte value="xd"/>
横軸からの距離を合わせる</source>
        <translation>
Set the distance from the horizontal axis</translation>
    </message>
    <message>
        <source><byte value="xd"/>
奥行き軸からの距離を合わせる</source>
        <translation>
Set the distance from the depth axis</translation>
    </message>
    <message>
        <source>横</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>奥行き</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>縦</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>回転角</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>時計回り</source>
        <translation>Clockwise</translation>
    </message>
    <message>
        <source>反時計回り</source>
        <translation>Counter-clockwise</translation>
    </message>
    <message>
        <source>９０度</source>
        <translation>90°</translation>
    </message>
    <message>
        <source>１８０度</source>
        <translation>180°</translation>
    </message>
    <message>
        <source>２７０度</source>
        <translation>270°</translation>
    </message>
    <message>
        <source>＋４５度</source>
        <translation>+45°</translation>
    </message>
    <message>
        <source>＋３０度</source>
        <translation>+30°</translation>
    </message>
    <message>
        <source>２倍</source>
        <translation>×2</translation>
    </message>
    <message>
        <source>４倍</source>
        <translation>×4</translation>
    </message>
    <message>
        <source>１０倍</source>
        <translation>×10</translation>
    </message>
    <message>
        <source>０．５倍</source>
        <translation>×0.5</translation>
    </message>
    <message>
        <source>０．２５倍</source>
        <translation>×0.25</translation>
    </message>
    <message>
        <source>０．１倍</source>
        <translation>×0.1</translation>
    </message>
    <message>
        <source>変更を他の二つにも反映させる</source>
        <translation>Apply to the other two</translation>
    </message>
    <message>
        <source>数値</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>現在の視点で点の移動を行う</source>
        <translation>Move the points in the current view</translation>
    </message>
    <message>
        <source>インプット</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>伸縮</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>数値入力ダイアログ</source>
        <translation>Numeric Input</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>三角形ポリゴンのモデラー</source>
        <translation>A modeler for triangle polygons</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>回転アニメーションを書き出しています...</source>
        <translation>Writing the turntable animation...</translation>
    </message>
    <message>
        <source>コマ数</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>幅（ピクセル）</source>
        <translation>Width (pixels)</translation>
    </message>
    <message>
        <source>高さ（ピクセル）</source>
        <translation>Height (pixels)</translation>
    </message>
    <message>
        <source>コマの間隔（ミリ秒）</source>
        <translation>Delay between frames (ms)</translation>
    </message>
    <message>
        <source>背景を透明にする</source>
        <translation>Transparent background</translation>
    </message>
    <message>
        <source>回転アニメーションの書き出し</source>
        <translation>Export Turntable Animation</translation>
    </message>
    <message>
        <source>パレット</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>色を #RRGGBB で入力</source>
        <translation>Type a colour as #RRGGBB</translation>
    </message>
    <message>
        <source>読み込む</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>書き出す</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>モデルの色</source>
        <translation>Model Colours</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>不透明度</source>
        <translation>Opacity (%)</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>固定</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>下絵の設定</source>
        <translation>Reference Image Settings</translation>
    </message>
    <message>
        <source>左右</source>
        <translation>Left and right</translation>
    </message>
    <message>
        <source>上下</source>
        <translation>Top and bottom</translation>
    </message>
    <message>
        <source>前後</source>
        <translation>Front and back</translation>
    </message>
    <message>
        <source>対称面</source>
        <translation>Symmetry Plane</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>テキスト(1)(*.tx1)</source>
        <translation>Text type 1 (*.tx1)</translation>
    </message>
    <message>
        <source>テキスト(2)(*.tx2)</source>
        <translation>Text type 2 (*.tx2)</translation>
    </message>
    <message>
        <source>全て(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>glTF バイナリ(*.glb)</source>
        <translation>glTF binary (*.glb)</translation>
    </message>
    <message>
        <source>形式を指定して読み込み</source>
        <translation>Import a model</translation>
    </message>
    <message>
        <source>3D モデル(*.glb *.gltf *.obj *.stl *.ply *.3mf *.dae *.fbx *.3ds *.off)</source>
        <translation>3D models (*.glb *.gltf *.obj *.stl *.ply *.3mf *.dae *.fbx *.3ds *.off)</translation>
    </message>
    <message>
        <source>形式を指定して書き出し（STL と 3MF では 1 単位が %1 mm になります）</source>
        <translation>Export a model (in STL and 3MF one unit becomes %1 mm)</translation>
    </message>
    <message>
        <source>GIF アニメーション(*.gif)</source>
        <translation>GIF animation (*.gif)</translation>
    </message>
    <message>
        <source>APNG アニメーション(*.png)</source>
        <translation>APNG animation (*.png)</translation>
    </message>
    <message>
        <source>WebP アニメーション(*.webp)</source>
        <translation>WebP animation (*.webp)</translation>
    </message>
    <message>
        <source>PNG 画像(*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>GIMP パレット(*.gpl)</source>
        <translation>GIMP palette (*.gpl)</translation>
    </message>
    <message>
        <source>16 進カラーコード(*.hex)</source>
        <translation>Hex colour codes (*.hex)</translation>
    </message>
    <message>
        <source>パレットを読み込む</source>
        <translation>Load Palette</translation>
    </message>
    <message>
        <source>パレット(*.gpl *.hex *.txt *.ase *.png)</source>
        <translation>Palettes (*.gpl *.hex *.txt *.ase *.png)</translation>
    </message>
    <message>
        <source>パレットを書き出す</source>
        <translation>Export Palette</translation>
    </message>
    <message>
        <source>下絵を読み込む</source>
        <translation>Import Reference Image</translation>
    </message>
    <message>
        <source>下絵の画像(*.png *.jpg *.jpeg *.bmp *.gif *.webp *.tif *.tiff)</source>
        <translation>Reference pictures (*.png *.jpg *.jpeg *.bmp *.gif *.webp *.tif *.tiff)</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>頂点の移動</source>
        <translation>Move Vertices</translation>
    </message>
    <message>
        <source>縦，横，奥行き，指定量移動</source>
        <translation>Move by an Amount</translation>
    </message>
    <message>
        <source>縦，横，奥行きの位置合わせ</source>
        <translation>Align Position</translation>
    </message>
    <message>
        <source>端の点を基準に移動</source>
        <translation>Move by an End Point</translation>
    </message>
    <message>
        <source>重心の位置合わせ</source>
        <translation>Align Centroid</translation>
    </message>
    <message>
        <source>軸からの距離を合わせ</source>
        <translation>Distance from an Axis</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>サーチ</source>
        <translation>Snap</translation>
    </message>
    <message>
        <source>第一点</source>
        <translation>First Point</translation>
    </message>
    <message>
        <source>第二点</source>
        <translation>Second Point</translation>
    </message>
    <message>
        <source>第三点</source>
        <translation>Third Point</translation>
    </message>
    <message>
        <source>全頂点</source>
        <translation>All Points</translation>
    </message>
    <message>
        <source>グリッド</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>矢印キーの設定</source>
        <translation>Arrow Keys</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>拡大縮小表示</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>加工</source>
        <translation>Modify</translation>
    </message>
    <message>
        <source>頂点の 集合と四捨五入</source>
        <translation>Merge and Round Vertices</translation>
    </message>
    <message>
        <source>三角形の分割</source>
        <translation>Split Triangles</translation>
    </message>
    <message>
        <source>対称図形に変換</source>
        <translation>Mirror</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>伸縮（拡大縮小）</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>下絵</source>
        <translation>Reference Images</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>ポリゴンの数が多すぎて全てを入力できません。</source>
        <translation>There are too many polygons; not all of them could be read.</translation>
    </message>
    <message>
        <source>ポリゴンの数が多すぎて全てを入力できません。色情報は失われます</source>
        <translation>There are too many polygons; not all of them could be read. The colors are lost.</translation>
    </message>
    <message>
        <source>ポリゴンの数が大きすぎて全てを入力できません。</source>
        <translation>The polygon count is too large; not all of them could be read.</translation>
    </message>
    <message>
        <source>座標の値が大きすぎて入力できません。</source>
        <translation>A coordinate is too large to be read.</translation>
    </message>
    <message>
        <source>作業ファイルが壊れています</source>
        <translation>The work file is damaged.</translation>
    </message>
    <message>
        <source>%1
このﾌｧｲﾙが見つかりません。</source>
        <translation>%1
This file cannot be found.</translation>
    </message>
    <message>
        <source>%1
このﾌｧｲﾙを表示するﾌﾟﾛｸﾞﾗﾑを起動できませんでした。</source>
        <translation>%1
No program could be started to show this file.</translation>
    </message>
    <message>
        <source>数字を入力してください。</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <source>%1 から %2 までの数字を入力してください。</source>
        <translation>Please enter a number from %1 to %2.</translation>
    </message>
    <message>
        <source>%1 から %2 までの整数を入力してください。</source>
        <translation>Please enter a whole number from %1 to %2.</translation>
    </message>
    <message>
        <source>予期しないﾌｧｲﾙ形式です。</source>
        <translation>Unexpected file format.</translation>
    </message>
    <message>
        <source>%1 への変更を保存しますか?</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>%1
このﾌｧｲﾙが見つかりません。
ﾊﾟｽとﾌｧｲﾙ名が正しいかどうか確認してださい。</source>
        <translation>%1
File not found.
Check that the path and file name are correct.</translation>
    </message>
    <message>
        <source>%1 にアクセスできません。</source>
        <translation>%1 cannot be accessed.</translation>
    </message>
    <message>
        <source>出力先のﾃﾞｨｽｸ ﾄﾞﾗｲﾌﾞの空き容量が不足しています。</source>
        <translation>There is not enough space on the destination disk.</translation>
    </message>
    <message>
        <source>%1 は大きすぎて読み込めません。</source>
        <translation>%1 is too large to be read.</translation>
    </message>
    <message>
        <source>%1 の読み込み中に予期しないエラーが発生しました。</source>
        <translation>An unexpected error occurred while reading %1.</translation>
    </message>
    <message>
        <source>%1 の保存中に予期しないエラーが発生しました。</source>
        <translation>An unexpected error occurred while saving %1.</translation>
    </message>
    <message>
        <source>前回、保存されないまま終了した変更が残っています。

文書: %1
最後の変更: %2

この変更を開きますか?
（いいえを選ぶと、日付を付けた名前で %3 に残します。）</source>
        <translation>Changes from the last session were never saved.

Document: %1
Last change: %2

Open these changes?
(If you choose No, they are kept in %3 under a dated name.)</translation>
    </message>
    <message>
        <source>%1
予期しないﾌｧｲﾙ形式です。</source>
        <translation>%1
Unexpected file format.</translation>
    </message>
    <message>
        <source>ファイル名が指定されませんでした</source>
        <translation>No file name was given.</translation>
    </message>
    <message>
        <source>ファイルタイプを識別できませんでした</source>
        <translation>The file type could not be recognized.</translation>
    </message>
    <message>
        <source>ポリゴンが多すぎます。これ以上ポリゴンを作れません。</source>
        <translation>Too many polygons. No more polygons can be made.</translation>
    </message>
    <message>
        <source>書き出す三角形がありません。</source>
        <translation>There are no triangles to write.</translation>
    </message>
    <message>
        <source>座標の値が大きすぎて3MFファイルに書き出せません。</source>
        <translation>A coordinate is too large to be written to a 3MF file.</translation>
    </message>
    <message>
        <source>3MFファイルを作れませんでした。</source>
        <translation>The 3MF file could not be made.</translation>
    </message>
    <message>
        <source>保存先のフォルダがありません。</source>
        <translation>The destination folder does not exist.</translation>
    </message>
    <message>
        <source>ファイルに書き込めません（アクセスが拒否されました）。</source>
        <translation>The file cannot be written (access denied).</translation>
    </message>
    <message>
        <source>ディスクの空き容量が足りません。</source>
        <translation>There is not enough space on the disk.</translation>
    </message>
    <message>
        <source>ファイルに書き込めませんでした。</source>
        <translation>The file could not be written.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file cannot be found.</translation>
    </message>
    <message>
        <source>ファイルを開けません（アクセスが拒否されました）。</source>
        <translation>The file cannot be opened (access denied).</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（256 MB まで）。</source>
        <translation>The file is too large (at most 256 MB).</translation>
    </message>
    <message>
        <source>ファイルを読めませんでした。</source>
        <translation>The file could not be read.</translation>
    </message>
    <message>
        <source>3MFファイルとして読めません（壊れているか、3MFではありません）。</source>
        <translation>The file cannot be read as 3MF (it is damaged or not a 3MF file).</translation>
    </message>
    <message>
        <source>3MFファイルの中身が大きすぎます。</source>
        <translation>The contents of the 3MF file are too large.</translation>
    </message>
    <message>
        <source>三角形が多すぎます（1000万まで）。</source>
        <translation>Too many triangles (at most 10 million).</translation>
    </message>
    <message>
        <source>三角形が含まれていません。</source>
        <translation>The file holds no triangles.</translation>
    </message>
    <message>
        <source>倍率が正しくありません。</source>
        <translation>The scale is not valid.</translation>
    </message>
    <message>
        <source>3MFファイルの部品の配置が多すぎます。</source>
        <translation>The 3MF file places its parts too many times.</translation>
    </message>
    <message>
        <source>現在の画面の色数ではこのモードはは使用できません</source>
        <translation>This display mode cannot be used with the current screen color depth.</translation>
    </message>
    <message>
        <source>三角形の面が含まれていません</source>
        <translation>The file holds no triangle faces</translation>
    </message>
    <message>
        <source>ノードの階層が深すぎます</source>
        <translation>The node tree is too deep</translation>
    </message>
    <message>
        <source>面が多すぎます（上限 1000 万面）</source>
        <translation>Too many faces (at most 10 million)</translation>
    </message>
    <message>
        <source>PLY のヘッダーが end_header で終わっていません</source>
        <translation>The PLY header does not end with end_header</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（上限 256 MB）</source>
        <translation>The file is too large (at most 256 MB)</translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>The file cannot be opened</translation>
    </message>
    <message>
        <source>メモリが足りません</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>この拡張子の形式は読めません</source>
        <translation>Files with this extension cannot be read</translation>
    </message>
    <message>
        <source>この拡張子の形式には書き出せません</source>
        <translation>Files with this extension cannot be written</translation>
    </message>
    <message>
        <source>書き出す三角形がありません</source>
        <translation>There are no triangles to write</translation>
    </message>
    <message>
        <source>座標が大きすぎてこの形式では書き出せません</source>
        <translation>A coordinate is too large for this format</translation>
    </message>
    <message>
        <source>%1
このファイルを読み込めません: %2</source>
        <translation>%1
This file cannot be read: %2</translation>
    </message>
    <message>
        <source>%1
このファイルに書き出せません: %2</source>
        <translation>%1
This file cannot be written: %2</translation>
    </message>
    <message>
        <source>%1
このファイルには三角形が %2 個あります（上限 3000 個）。
3000 個以下に減らして読み込みますか?</source>
        <translation>%1
This file has %2 triangles (at most 3000).
Reduce them to 3000 or fewer and read it?</translation>
    </message>
    <message>
        <source>%1
この画像を書き出せませんでした。</source>
        <translation>%1
The picture could not be written.</translation>
    </message>
    <message>
        <source>ここでは画像を描けません。</source>
        <translation>Pictures cannot be painted here.</translation>
    </message>
    <message>
        <source>ファイルが途中で終わっています</source>
        <translation>the file ends too early</translation>
    </message>
    <message>
        <source>ブロックの長さがファイルの終わりを越えています</source>
        <translation>a block runs past the end of the file</translation>
    </message>
    <message>
        <source>ASE ファイルの見出し（ASEF）がありません</source>
        <translation>the ASE header (ASEF) is missing</translation>
    </message>
    <message>
        <source>パレットに色がありません。</source>
        <translation>The palette has no colours.</translation>
    </message>
    <message>
        <source>GIMP パレットの見出し（GIMP Palette）がありません</source>
        <translation>the GIMP palette header (GIMP Palette) is missing</translation>
    </message>
    <message>
        <source>この環境では画像を読み込めません</source>
        <translation>pictures cannot be read here</translation>
    </message>
    <message>
        <source>パレットは %1 色までです。最初の %1 色を取り込み、残りの %2 色は入れませんでした。</source>
        <translation>A palette holds up to %1 colours. The first %1 were taken and the other %2 left out.</translation>
    </message>
    <message>
        <source>範囲外の値か読めない書式の %1 行（項目）を飛ばしました。</source>
        <translation>%1 lines (or entries) out of range or malformed were skipped.</translation>
    </message>
    <message>
        <source>モデルに三角形がありません。</source>
        <translation>The model has no triangles.</translation>
    </message>
    <message>
        <source>色は #RRGGBB の形で入力してください。</source>
        <translation>Type the colour as #RRGGBB.</translation>
    </message>
    <message>
        <source>画像が大きすぎます（上限 100 万画素）</source>
        <translation>the picture is too large (at most about a million pixels)</translation>
    </message>
    <message>
        <source>PNG 画像として読めません</source>
        <translation>it cannot be read as a PNG picture</translation>
    </message>
    <message>
        <source>読み込み中に読み取りライブラリが異常終了しました</source>
        <translation>The reading library ended abnormally while reading</translation>
    </message>
    <message>
        <source>読み取り用のプロセスを起動できません</source>
        <translation>Cannot start the reading process</translation>
    </message>
    <message>
        <source>読み取りライブラリが禁止された操作（書き込み、通信、プログラムの起動）を試みたため中止しました</source>
        <translation>Stopped: the reading library attempted a forbidden operation (writing, network access or starting a program)</translation>
    </message>
    <message>
        <source>読み取り用のプロセスを保護できないため読み込みを中止しました</source>
        <translation>Reading was stopped because the reading process could not be confined</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>the file is too large</translation>
    </message>
    <message>
        <source>ファイルが見つかりません</source>
        <translation>the file cannot be found</translation>
    </message>
    <message>
        <source>このファイルの下絵の情報が壊れているため、下絵なしで開きました。</source>
        <translation>The reference image settings in this file are damaged; it was opened without reference images.</translation>
    </message>
    <message>
        <source>画像が大きすぎます</source>
        <translation>the picture is too large (at most 16384 pixels a side and 256 MB decoded)</translation>
    </message>
    <message>
        <source>画像として読めません</source>
        <translation>it cannot be read as a picture</translation>
    </message>
    <message>
        <source>幅は 0 より大きい数字を入力してください。</source>
        <translation>Enter a width above 0.</translation>
    </message>
    <message>
        <source>鏡像のない三角形が %1 個あります。
－側を＋側の鏡像で置き換えますか?</source>
        <translation>%1 triangles have no mirror image.
Replace the − side by the mirror image of the + side?</translation>
    </message>
    <message>
        <source>このファイルの対称編集の情報が壊れているため、対称編集をオフにして開きました。</source>
        <translation>The symmetry setting in this file is damaged; the file was opened with symmetric editing off.</translation>
    </message>
</context>
<context>
    <name>Prompt</name>
    <message>
        <source>間隔５のグリッドを表示</source>
        <translation>Show a grid with spacing 5</translation>
    </message>
    <message>
        <source>間隔１０のグリッドを表示</source>
        <translation>Show a grid with spacing 10</translation>
    </message>
    <message>
        <source>間隔２０のグリッドを表示</source>
        <translation>Show a grid with spacing 20</translation>
    </message>
    <message>
        <source>間隔５０のグリッドを表示</source>
        <translation>Show a grid with spacing 40</translation>
    </message>
    <message>
        <source>矢印キーの上下を奥行き移動、左右を回転に使う</source>
        <translation>Arrow keys: up and down move in depth, left and right rotate</translation>
    </message>
    <message>
        <source>矢印キーの上下左右を回転に使う</source>
        <translation>Arrow keys: all four rotate the view</translation>
    </message>
    <message>
        <source>パレットの表示</source>
        <translation>Show the color palette</translation>
    </message>
    <message>
        <source>直前に行った動作を元に戻す</source>
        <translation>Undo the last action</translation>
    </message>
    <message>
        <source>直前に元に戻した動作をやり直す</source>
        <translation>Redo the last undone action</translation>
    </message>
    <message>
        <source>三角形のポリゴンを描く</source>
        <translation>Draw triangle polygons</translation>
    </message>
    <message>
        <source>ポリゴンを消す</source>
        <translation>Erase polygons</translation>
    </message>
    <message>
        <source>範囲指定して移動</source>
        <translation>Select vertices in a rectangle and move them</translation>
    </message>
    <message>
        <source>色を塗る</source>
        <translation>Paint polygons</translation>
    </message>
    <message>
        <source>ポリゴンで球を描く</source>
        <translation>Draw a sphere of polygons</translation>
    </message>
    <message>
        <source>ポリゴンの淵なし</source>
        <translation>Faces without edges</translation>
    </message>
    <message>
        <source>ポリゴンの淵あり</source>
        <translation>Faces with edges</translation>
    </message>
    <message>
        <source>設定ダイアログを表示</source>
        <translation>Show the settings dialog</translation>
    </message>
    <message>
        <source>近くの三角形の頂点にクリックした点を飛ばす</source>
        <translation>Snap clicked points to the nearest triangle vertex</translation>
    </message>
    <message>
        <source>グリッドの交点にクリックした点を飛ばす</source>
        <translation>Snap clicked points to the grid</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>Wireframe</translation>
    </message>
    <message>
        <source>グリッドをポリゴンの後ろに表示</source>
        <translation>Show the grid behind the polygons</translation>
    </message>
    <message>
        <source>グリッドをポリゴンより手前に表示</source>
        <translation>Show the grid in front of the polygons</translation>
    </message>
    <message>
        <source>拡大縮小</source>
        <translation>Zoom in or out</translation>
    </message>
    <message>
        <source>原点の移動</source>
        <translation>Move the origin</translation>
    </message>
    <message>
        <source>フレーム色つき</source>
        <translation>Colored wireframe</translation>
    </message>
    <message>
        <source>ﾌﾟﾛｸﾞﾗﾑ情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示</source>
        <translation>Show program information, version and copyright</translation>
    </message>
    <message>
        <source>ﾌﾟﾘﾝﾀおよびﾌﾟﾘﾝﾀ ｵﾌﾟｼｮﾝの変更</source>
        <translation>Change the printer and printing options</translation>
    </message>
    <message>
        <source>作業中のﾌｧｲﾙを印刷</source>
        <translation>Print the current document</translation>
    </message>
    <message>
        <source>指定のﾌｧｲﾙを開く</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示</source>
        <translation>Quit the application; offers to save the document</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰの表示/非表示</source>
        <translation>Show or hide the toolbar</translation>
    </message>
    <message>
        <source>新規にﾌｧｲﾙを作成</source>
        <translation>Create a new document</translation>
    </message>
    <message>
        <source>既存のﾌｧｲﾙを開く</source>
        <translation>Open an existing document</translation>
    </message>
    <message>
        <source>作業中のﾌｧｲﾙを上書きして保存</source>
        <translation>Save the current document</translation>
    </message>
    <message>
        <source>作業中のﾌｧｲﾙを新しい名前で保存</source>
        <translation>Save the current document under a new name</translation>
    </message>
    <message>
        <source>glTF, OBJ, STL, PLY, 3MF などのﾓﾃﾞﾙを読み込む</source>
        <translation>Read a glTF, OBJ, STL, PLY, 3MF or other model</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙを glTF, OBJ, STL, PLY, 3MF で書き出す</source>
        <translation>Write the model as glTF, OBJ, STL, PLY or 3MF</translation>
    </message>
    <message>
        <source>ビューを PNG 画像で書き出す</source>
        <translation>Write the view as a PNG picture</translation>
    </message>
    <message>
        <source>ﾓﾃﾞﾙが回るアニメーションを GIF, APNG, WebP で書き出す</source>
        <translation>Write the model turning as a GIF, APNG or WebP animation</translation>
    </message>
    <message>
        <source>GPL, HEX, TXT, ASE, PNG のパレットを読み込む</source>
        <translation>Load a GPL, HEX, TXT, ASE or PNG palette</translation>
    </message>
    <message>
        <source>パレットを GPL か HEX で書き出す</source>
        <translation>Export the palette as GPL or HEX</translation>
    </message>
    <message>
        <source>モデルで使っている色をパレットにする</source>
        <translation>Make the model&apos;s colours the palette</translation>
    </message>
    <message>
        <source>パレット パネルの表示/非表示</source>
        <translation>Show or hide the palette panel</translation>
    </message>
    <message>
        <source>上面、自由視点、正面、右側面の4画面と1画面を切り替える</source>
        <translation>Switch between four views (top, free, front, right side) and one</translation>
    </message>
    <message>
        <source>正面のビューで作業する</source>
        <translation>Work in the front view</translation>
    </message>
    <message>
        <source>右側面のビューで作業する</source>
        <translation>Work in the right side view</translation>
    </message>
    <message>
        <source>上面のビューで作業する</source>
        <translation>Work in the top view</translation>
    </message>
    <message>
        <source>自由視点のビューで作業する</source>
        <translation>Work in the free view</translation>
    </message>
    <message>
        <source>作業中の正面・右側面・上面のビューに下絵を読み込む</source>
        <translation>Load a picture to trace over into the active front, right or top view</translation>
    </message>
    <message>
        <source>作業中のビューの下絵の位置・幅・不透明度を設定する</source>
        <translation>Set the position, width and opacity of the active view&apos;s reference image</translation>
    </message>
    <message>
        <source>作業中のビューの下絵を消す</source>
        <translation>Remove the active view&apos;s reference image</translation>
    </message>
    <message>
        <source>裏を向いた面を赤く表示する</source>
        <translation>Show the faces turned away in red</translation>
    </message>
    <message>
        <source>選択した三角形（なければモデル全体）の面を外側に向ける</source>
        <translation>Turn the selected triangles (or the whole model) to face outward</translation>
    </message>
    <message>
        <source>選択した三角形（なければモデル全体）の面を内側に向ける</source>
        <translation>Turn the selected triangles (or the whole model) to face inward</translation>
    </message>
    <message>
        <source>編集するたびにモデルを対称面について対称に保つ</source>
        <translation>Keep the model symmetric about the plane with every edit</translation>
    </message>
    <message>
        <source>対称編集の対称面を選ぶ</source>
        <translation>Choose the plane of symmetric editing</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>キャンセル</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>第一点</source>
        <translation>First point</translation>
    </message>
    <message>
        <source>頂点</source>
        <translation>Vertex</translation>
    </message>
    <message>
        <source>グリッド</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>第二点</source>
        <translation>Second point</translation>
    </message>
    <message>
        <source>第三点</source>
        <translation>Third point</translation>
    </message>
    <message>
        <source>無し</source>
        <translation>None</translation>
    </message>
    <message>
        <source>グリッド間隔</source>
        <translation>Grid spacing</translation>
    </message>
    <message>
        <source>５</source>
        <translation>5</translation>
    </message>
    <message>
        <source>２０</source>
        <translation>20</translation>
    </message>
    <message>
        <source>４０</source>
        <translation>40</translation>
    </message>
    <message>
        <source>経線の数</source>
        <translation>Meridians</translation>
    </message>
    <message>
        <source>球の分割数</source>
        <translation>Sphere divisions</translation>
    </message>
    <message>
        <source>緯線の数</source>
        <translation>Latitude lines</translation>
    </message>
    <message>
        <source>回転と奥行き</source>
        <translation>Rotation and depth</translation>
    </message>
    <message>
        <source>矢印キーの設定</source>
        <translation>Arrow keys</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>角度の変化</source>
        <translation>Rotation step</translation>
    </message>
    <message>
        <source>度</source>
        <translation>degrees</translation>
    </message>
    <message>
        <source>明るさの変化</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>表示位置固定</source>
        <translation>Fixed position</translation>
    </message>
    <message>
        <source>ステータスウィンド</source>
        <translation>Status box</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>奥行き正規表示</source>
        <translation>Normalized depth</translation>
    </message>
    <message>
        <source>ポリゴンの奥行き表示</source>
        <translation>Polygon depth</translation>
    </message>
    <message>
        <source>強調しない</source>
        <translation>None</translation>
    </message>
    <message>
        <source>頂点の強調表示</source>
        <translation>Vertex emphasis</translation>
    </message>
    <message>
        <source>奥行きと等しいとき</source>
        <translation>At the drawing depth</translation>
    </message>
    <message>
        <source>表向きの三角形の点</source>
        <translation>Points of front faces</translation>
    </message>
    <message>
        <source>すべての点</source>
        <translation>All points</translation>
    </message>
    <message>
        <source>色の出力</source>
        <translation>Write colors</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>倍率</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>出力</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>初期出力</source>
        <translation>Default output</translation>
    </message>
    <message>
        <source>サーチ</source>
        <translation>Snap</translation>
    </message>
    <message>
        <source>図形</source>
        <translation>Shapes</translation>
    </message>
    <message>
        <source>表示と操作</source>
        <translation>Display and Keys</translation>
    </message>
    <message>
        <source>テキストファイル</source>
        <translation>Text Files</translation>
    </message>
    <message>
        <source>設定ダイアログ</source>
        <translation>Settings</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>ポリゴンの数(%1)</source>
        <translation>Polygons (%1)</translation>
    </message>
    <message>
        <source>縦軸回転 = (%1)</source>
        <translation>Yaw = (%1)</translation>
    </message>
    <message>
        <source>横軸回転 = (%1)</source>
        <translation>Pitch = (%1)</translation>
    </message>
    <message>
        <source>現在の色</source>
        <translation>Current color</translation>
    </message>
    <message>
        <source>縦＝(%1)</source>
        <translation>V=(%1)</translation>
    </message>
    <message>
        <source>横＝(%1)</source>
        <translation>H=(%1)</translation>
    </message>
    <message>
        <source>奥行き＝(%1)</source>
        <translation>Depth=(%1)</translation>
    </message>
    <message>
        <source>頂点の処理状況；%1/%2</source>
        <translation>Processing vertices: %1/%2</translation>
    </message>
    <message>
        <source>ﾚﾃﾞｨ</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>ｶﾅ</source>
        <translation>KANA</translation>
    </message>
    <message>
        <source>%1 個の三角形を読み込みました</source>
        <translation>%1 triangles read</translation>
    </message>
    <message>
        <source>（%1 個から減らしました）</source>
        <translation> (reduced from %1)</translation>
    </message>
    <message>
        <source>。点・線・面積のない面・不正な座標の面 %1 個を除きました</source>
        <translation>; %1 points, lines, faces without area or with bad coordinates left out</translation>
    </message>
    <message>
        <source>保存されていたパレットを読み込めません: %1</source>
        <translation>The kept palette cannot be read: %1</translation>
    </message>
    <message>
        <source>（このシステムでは読み込み用のプロセスを隔離できないため、隔離せずに読み込みました）</source>
        <translation> (read without confinement: this system cannot confine the reading process)</translation>
    </message>
    <message>
        <source>%1 個の三角形の向きを変えました。揃えられない部分 %2 個はそのままです</source>
        <translation>Turned %1 triangles; left %2 parts that cannot be made consistent as they were</translation>
    </message>
    <message>
        <source>対称面をまたぐ三角形 %1 個はそのままです</source>
        <translation>Left %1 triangles that cross the plane as they are</translation>
    </message>
</context>
<context>
    <name>Tip</name>
    <message>
        <source>間隔５のグリッドを表示</source>
        <translation>Grid spacing 5</translation>
    </message>
    <message>
        <source>間隔１０のグリッドを表示</source>
        <translation>Grid spacing 10</translation>
    </message>
    <message>
        <source>間隔２０のグリッドを表示</source>
        <translation>Grid spacing 20</translation>
    </message>
    <message>
        <source>間隔５０のグリッドを表示</source>
        <translation>Grid spacing 40</translation>
    </message>
    <message>
        <source>パレットの表示</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>元に戻す	Ctrl+Z</source>
        <translation>Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>やり直し	Ctrl+Y</source>
        <translation>Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>三角形のポリゴンを描く</source>
        <translation>Draw triangles</translation>
    </message>
    <message>
        <source>ポリゴンを消す</source>
        <translation>Erase polygons</translation>
    </message>
    <message>
        <source>範囲指定して移動</source>
        <translation>Select and move</translation>
    </message>
    <message>
        <source>色を塗る</source>
        <translation>Paint</translation>
    </message>
    <message>
        <source>ポリゴンで球を描く</source>
        <translation>Draw a sphere</translation>
    </message>
    <message>
        <source>ポリゴンの淵なし</source>
        <translation>Faces without edges</translation>
    </message>
    <message>
        <source>ポリゴンの淵あり</source>
        <translation>Faces with edges</translation>
    </message>
    <message>
        <source>設定ダイアログを表示</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>矢印キーの上下を奥行き移動使う</source>
        <translation>Arrow keys move in depth</translation>
    </message>
    <message>
        <source>矢印キーの上下を回転に使う</source>
        <translation>Arrow keys rotate</translation>
    </message>
    <message>
        <source>頂点サーチ</source>
        <translation>Vertex snap</translation>
    </message>
    <message>
        <source>グリッドサーチ</source>
        <translation>Grid snap</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>Wireframe</translation>
    </message>
    <message>
        <source>グリッドをポリゴンの後ろに表示</source>
        <translation>Grid behind polygons</translation>
    </message>
    <message>
        <source>グリッドをポリゴンより手前に表示</source>
        <translation>Grid in front of polygons</translation>
    </message>
    <message>
        <source>拡大縮小</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>原点の移動</source>
        <translation>Move origin</translation>
    </message>
    <message>
        <source>フレーム色つき</source>
        <translation>Colored wireframe</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>印刷設定</source>
        <translation>Page setup</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰの表示切り替え</source>
        <translation>Show or hide toolbar</translation>
    </message>
    <message>
        <source>新規ﾌｧｲﾙ</source>
        <translation>New</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>4画面</source>
        <translation>Four views</translation>
    </message>
    <message>
        <source>対称編集</source>
        <translation>Symmetric editing</translation>
    </message>
</context>
</TS>
