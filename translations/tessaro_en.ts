<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Animation</name>
    <message>
        <source>キャラクタ%1から始まるアニメーションと重なります。そのアニメーションを止めてよろしいですか？</source>
        <translation>These frames overlap the animation that starts at chip %1. Stop that animation?</translation>
    </message>
</context>
<context>
    <name>AnimationDialog</name>
    <message>
        <source>アニメーションのコマ</source>
        <translation>Animation Frames</translation>
    </message>
    <message>
        <source>コマ数（右へ続くキャラクタ、1で止める）(&amp;N):</source>
        <translation>&amp;Number of frames (chips to the right; 1 stops):</translation>
    </message>
    <message>
        <source>1コマの時間（ミリ秒）(&amp;T):</source>
        <translation>Frame &amp;time (ms):</translation>
    </message>
</context>
<context>
    <name>AutotileDialog</name>
    <message>
        <source>オートタイル</source>
        <translation>Autotile</translation>
    </message>
    <message>
        <source>素材の左上（列）(&amp;C):</source>
        <translation>Source block&apos;s top-left &amp;column:</translation>
    </message>
    <message>
        <source>素材の左上（行）(&amp;R):</source>
        <translation>Source block&apos;s top-left &amp;row:</translation>
    </message>
    <message>
        <source>書き出し先の左上（列）(&amp;L):</source>
        <translation>Target area&apos;s top-&amp;left column:</translation>
    </message>
    <message>
        <source>書き出し先の左上（行）(&amp;W):</source>
        <translation>Target area&apos;s top-left ro&amp;w:</translation>
    </message>
    <message>
        <source>地形の名前(&amp;N):</source>
        <translation>Terrain &amp;name:</translation>
    </message>
</context>
<context>
    <name>Board</name>
    <message>
        <source>配置の大きさは横も縦も1から256までです</source>
        <translation>The board must be 1 to 256 cells wide and high</translation>
    </message>
    <message>
        <source>配置したチップをすべて消去してよろしいですか？</source>
        <translation>Clear every chip placed on the board?</translation>
    </message>
    <message>
        <source>新しい大きさに収まらない配置は消えます。よろしいですか？</source>
        <translation>Chips placed outside the new size will be removed. Continue?</translation>
    </message>
</context>
<context>
    <name>BoardFiles</name>
    <message>
        <source>保存できませんでした</source>
        <translation>Could not save</translation>
    </message>
    <message>
        <source>配置を読み込めません：%1</source>
        <translation>Cannot load the board: %1</translation>
    </message>
    <message>
        <source>「%1」はTessaroが保存したマップではありません。Tessaroが使わない内容は残したまま上書きしますか？</source>
        <translation>"%1" is a map that Tessaro did not save. Overwrite it, keeping what Tessaro does not use?</translation>
    </message>
    <message>
        <source>保存していない変更を破棄して、配置が使うシートを読み込みますか？</source>
        <translation>Discard unsaved changes and load the sheet the board uses?</translation>
    </message>
    <message>
        <source>ファイルを読み込めません</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（マップとタイルセットは4 MiBまで読み込みます）</source>
        <translation>the file is too large (maps and tilesets are read up to 4 MiB)</translation>
    </message>
    <message>
        <source>Tiledのマップ（TMX）ではありません</source>
        <translation>not a Tiled map (TMX)</translation>
    </message>
    <message>
        <source>直交（orthogonal）のマップではありません</source>
        <translation>not an orthogonal map</translation>
    </message>
    <message>
        <source>タイルの大きさが%1×%1ではありません</source>
        <translation>the tiles are not %1×%1</translation>
    </message>
    <message>
        <source>無限マップには対応していません</source>
        <translation>infinite maps are not supported</translation>
    </message>
    <message>
        <source>タイルレイヤーがちょうど1枚のマップではありません</source>
        <translation>the map does not have exactly one tile layer</translation>
    </message>
    <message>
        <source>非表示・半透明・ずらしたレイヤーには対応していません</source>
        <translation>hidden, translucent or offset layers are not supported</translation>
    </message>
    <message>
        <source>マップの大きさが横・縦とも1から256の範囲にありません</source>
        <translation>the map is not 1 to 256 tiles wide and high</translation>
    </message>
    <message>
        <source>タイルセットが%1×%1のタイル%2列・%3枚のシートではありません</source>
        <translation>the tileset is not a sheet of %3 %1×%1 tiles in %2 columns</translation>
    </message>
    <message>
        <source>タイルデータの形式に対応していません</source>
        <translation>the tile data encoding is not supported</translation>
    </message>
    <message>
        <source>タイルデータが壊れています</source>
        <translation>the tile data is damaged</translation>
    </message>
    <message>
        <source>シートにないタイルが使われています</source>
        <translation>the map uses tiles that are not on the sheet</translation>
    </message>
    <message>
        <source>マップのフォルダーの外にあるファイルは読み込みません</source>
        <translation>files outside the map&apos;s folder are not read</translation>
    </message>
    <message>
        <source>タイルセットの画像を読み込めません</source>
        <translation>the tileset image cannot be read</translation>
    </message>
    <message>
        <source>タイルセットの画像が%1×%2より小さいです</source>
        <translation>the tileset image is smaller than %1×%2</translation>
    </message>
</context>
<context>
    <name>BoardSizeDialog</name>
    <message>
        <source>配置の大きさ</source>
        <translation>Board Size</translation>
    </message>
    <message>
        <source>横（マス）(&amp;W):</source>
        <translation>&amp;Width (cells):</translation>
    </message>
    <message>
        <source>縦（マス）(&amp;H):</source>
        <translation>&amp;Height (cells):</translation>
    </message>
</context>
<context>
    <name>Closing</name>
    <message>
        <source>保存しないでこのまま終了してよろしいですか？</source>
        <translation>Quit without saving?</translation>
    </message>
</context>
<context>
    <name>Controls</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>全体読み込み(&amp;O)</source>
        <translation>L&amp;oad Sheet...</translation>
    </message>
    <message>
        <source>キャラクタを読み込み(&amp;L)</source>
        <translation>&amp;Load Chip...</translation>
    </message>
    <message>
        <source>全体を保存(&amp;A)</source>
        <translation>Save Sheet &amp;As...</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>編集中のキャラクタを保存(&amp;W)</source>
        <translation>Save &amp;Chip As...</translation>
    </message>
    <message>
        <source>全キャラクタを連番保存(&amp;N)</source>
        <translation>Save All Chips &amp;Numbered...</translation>
    </message>
    <message>
        <source>256色で全体保存（&amp;P）</source>
        <translation>Save Sheet in &amp;256 Colours...</translation>
    </message>
    <message>
        <source>全体を216色に減色保存（&amp;R）</source>
        <translation>Save Sheet &amp;Reduced to 216 Colours...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>シートのパレットで保存(&amp;I)...</source>
        <translation>Save with Sheet&apos;s &amp;Palette...</translation>
    </message>
    <message>
        <source>シートの色だけで保存(&amp;C)...</source>
        <translation>Save with Sheet&apos;s Colo&amp;urs Only...</translation>
    </message>
    <message>
        <source>パレットを読み込み(&amp;E)...</source>
        <translation>Load Palett&amp;e...</translation>
    </message>
    <message>
        <source>パレットを保存(&amp;V)...</source>
        <translation>Sa&amp;ve Palette...</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>全体をコピー(&amp;A)</source>
        <translation>Copy &amp;Sheet</translation>
    </message>
    <message>
        <source>編集中のキャラをコピー(&amp;E)</source>
        <translation>&amp;Copy Chip</translation>
    </message>
    <message>
        <source>キャラクタを貼り付け(&amp;P)</source>
        <translation>&amp;Paste Chip</translation>
    </message>
    <message>
        <source>全体に貼り付け（&amp;R）</source>
        <translation>Paste as &amp;Whole Sheet</translation>
    </message>
    <message>
        <source>取り消し(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;Y)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>設定(&amp;D)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>編集領域境界線の色(&amp;C)</source>
        <translation>Edit &amp;Grid Colour</translation>
    </message>
    <message>
        <source>白(W)</source>
        <translation>&amp;White</translation>
    </message>
    <message>
        <source>赤(&amp;R)</source>
        <translation>&amp;Red</translation>
    </message>
    <message>
        <source>緑(&amp;G)</source>
        <translation>&amp;Green</translation>
    </message>
    <message>
        <source>青(&amp;B)</source>
        <translation>&amp;Blue</translation>
    </message>
    <message>
        <source>灰色(&amp;D)</source>
        <translation>Gr&amp;ey</translation>
    </message>
    <message>
        <source>消去(&amp;U)</source>
        <translation>&amp;None</translation>
    </message>
    <message>
        <source>編集領域拡大率（&amp;Z）</source>
        <translation>Edit &amp;Zoom</translation>
    </message>
    <message>
        <source>２倍（&amp;2）</source>
        <translation>&amp;2×</translation>
    </message>
    <message>
        <source>３倍（&amp;3）</source>
        <translation>&amp;3×</translation>
    </message>
    <message>
        <source>４倍（&amp;4）</source>
        <translation>&amp;4×</translation>
    </message>
    <message>
        <source>５倍（&amp;5）</source>
        <translation>&amp;5×</translation>
    </message>
    <message>
        <source>６倍（&amp;6）</source>
        <translation>&amp;6×</translation>
    </message>
    <message>
        <source>７倍（&amp;7）</source>
        <translation>&amp;7×</translation>
    </message>
    <message>
        <source>８倍（&amp;8）</source>
        <translation>&amp;8×</translation>
    </message>
    <message>
        <source>９倍（&amp;9）</source>
        <translation>&amp;9×</translation>
    </message>
    <message>
        <source>１０倍（&amp;A）</source>
        <translation>1&amp;0×</translation>
    </message>
    <message>
        <source>ペンの太さ（&amp;B）</source>
        <translation>&amp;Pen Width</translation>
    </message>
    <message>
        <source>１ドット（&amp;1）</source>
        <translation>&amp;1 Pixel</translation>
    </message>
    <message>
        <source>２ドット（&amp;2）</source>
        <translation>&amp;2 Pixels</translation>
    </message>
    <message>
        <source>３ドット（&amp;3）</source>
        <translation>&amp;3 Pixels</translation>
    </message>
    <message>
        <source>４ドット（&amp;4）</source>
        <translation>&amp;4 Pixels</translation>
    </message>
    <message>
        <source>全体画面に枠を表示(&amp;L)</source>
        <translation>Chip Grid on &amp;Sheet</translation>
    </message>
    <message>
        <source>キャラクタ単位で大きさ変更(&amp;R)</source>
        <translation>&amp;Resize by Whole Chips</translation>
    </message>
    <message>
        <source>透明色を選ぶ(&amp;T)...</source>
        <translation>&amp;Transparent Colour...</translation>
    </message>
    <message>
        <source>透明色なし(&amp;N)</source>
        <translation>&amp;No Transparent Colour</translation>
    </message>
    <message>
        <source>タイル確認(&amp;V)</source>
        <translation>Tile Pre&amp;view</translation>
    </message>
    <message>
        <source>端をつなげて描く(&amp;W)</source>
        <translation>&amp;Wrap-Around Drawing</translation>
    </message>
    <message>
        <source>試し配置(&amp;P)</source>
        <translation>Try-Out &amp;Board</translation>
    </message>
    <message>
        <source>拡張(&amp;X)</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>線をつなぐ(&amp;S)</source>
        <translation>Join Pen &amp;Strokes</translation>
    </message>
    <message>
        <source>取り消し履歴(&amp;H)</source>
        <translation>Undo &amp;History</translation>
    </message>
    <message>
        <source>ショートカットキー(&amp;K)</source>
        <translation>Shortcut &amp;Keys</translation>
    </message>
    <message>
        <source>広い画面(&amp;G)</source>
        <translation>&amp;Wide Window</translation>
    </message>
    <message>
        <source>設定を初期化(&amp;I)</source>
        <translation>Reset sett&amp;ings</translation>
    </message>
    <message>
        <source>自分のパレットで保存(&amp;U)...</source>
        <translation>Save &amp;with the User Palette...</translation>
    </message>
    <message>
        <source>素早い2回目のクリックも描く(&amp;D)</source>
        <translation>&amp;Draw on Quick Second Clicks</translation>
    </message>
    <message>
        <source>自分のパレット(&amp;U)</source>
        <translation>&amp;User Palette</translation>
    </message>
    <message>
        <source>移動・変換(&amp;M)</source>
        <translation>&amp;Transform</translation>
    </message>
    <message>
        <source>上へ移動(&amp;U)</source>
        <translation>Shift &amp;Up</translation>
    </message>
    <message>
        <source>右へ移動(&amp;R)</source>
        <translation>Shift &amp;Right</translation>
    </message>
    <message>
        <source>下へ移動(&amp;D)</source>
        <translation>Shift &amp;Down</translation>
    </message>
    <message>
        <source>左へ移動(&amp;L)</source>
        <translation>Shift &amp;Left</translation>
    </message>
    <message>
        <source>XY交換(&amp;X)</source>
        <translation>&amp;Transpose (Swap X and Y)</translation>
    </message>
    <message>
        <source>上下反転(&amp;H)</source>
        <translation>Flip &amp;Vertically</translation>
    </message>
    <message>
        <source>左右反転(&amp;V)</source>
        <translation>Flip &amp;Horizontally</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>マニュアル(&amp;M)</source>
        <translation>&amp;Manual</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About Tessaro</translation>
    </message>
    <message>
        <source>作者サイト「Tessaro Works」へ（&amp;G）</source>
        <translation>&amp;Go to the Tessaro Works Website</translation>
    </message>
    <message>
        <source>このキャラクタをコピー(&amp;C)</source>
        <translation>&amp;Copy This Chip</translation>
    </message>
    <message>
        <source>キャラクタを読み込み(&amp;O)</source>
        <translation>&amp;Load Chip...</translation>
    </message>
    <message>
        <source>キャラクタをファイルに保存(&amp;S)</source>
        <translation>&amp;Save Chip As...</translation>
    </message>
    <message>
        <source>キャラクタを256色で保存(&amp;W)</source>
        <translation>Save Chip in &amp;256 Colours...</translation>
    </message>
    <message>
        <source>１ドット</source>
        <translation>1 Pixel</translation>
    </message>
    <message>
        <source>２ドット</source>
        <translation>2 Pixels</translation>
    </message>
    <message>
        <source>３ドット</source>
        <translation>3 Pixels</translation>
    </message>
    <message>
        <source>４ドット</source>
        <translation>4 Pixels</translation>
    </message>
    <message>
        <source>ペンモード</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>塗りつぶしモード</source>
        <translation>Flood fill</translation>
    </message>
    <message>
        <source>楕円モード</source>
        <translation>Filled ellipse</translation>
    </message>
    <message>
        <source>直線モード</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>記憶(&amp;W)</source>
        <translation>&amp;Memorise</translation>
    </message>
    <message>
        <source>再生(&amp;L)</source>
        <translation>&amp;Replay</translation>
    </message>
    <message>
        <source>タイル確認</source>
        <translation>Tile Preview</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>並べて表示(&amp;R)</source>
        <translation>&amp;Repeated</translation>
    </message>
    <message>
        <source>周りのキャラクタと表示(&amp;N)</source>
        <translation>Among &amp;Neighbours</translation>
    </message>
    <message>
        <source>ボード上の周りと表示(&amp;B)</source>
        <translation>Among Neighbours on the &amp;Board</translation>
    </message>
    <message>
        <source>１倍（&amp;1）</source>
        <translation>&amp;1×</translation>
    </message>
    <message>
        <source>試し配置</source>
        <translation>Try-Out Board</translation>
    </message>
    <message>
        <source>配置(&amp;P)</source>
        <translation>&amp;Board</translation>
    </message>
    <message>
        <source>配置を読み込み(&amp;O)</source>
        <translation>&amp;Open Board...</translation>
    </message>
    <message>
        <source>配置を保存(&amp;S)</source>
        <translation>&amp;Save Board...</translation>
    </message>
    <message>
        <source>配置を消去(&amp;C)</source>
        <translation>&amp;Clear Board</translation>
    </message>
    <message>
        <source>配置の大きさ(&amp;Z)...</source>
        <translation>Board Si&amp;ze...</translation>
    </message>
    <message>
        <source>アニメーション(&amp;A)</source>
        <translation>&amp;Animated Chips</translation>
    </message>
    <message>
        <source>アニメーションのコマ(&amp;F)...</source>
        <translation>Animation &amp;Frames...</translation>
    </message>
    <message>
        <source>ブロック編集(&amp;K)</source>
        <translation>Bloc&amp;k Editing</translation>
    </message>
    <message>
        <source>オートタイル(&amp;O)...</source>
        <translation>Aut&amp;otile...</translation>
    </message>
    <message>
        <source>重複キャラクタに印(&amp;J)</source>
        <translation>Mark &amp;Duplicate Chips</translation>
    </message>
    <message>
        <source>地形ブラシ(&amp;T)</source>
        <translation>&amp;Terrain Brush</translation>
    </message>
    <message>
        <source>新規シート(&amp;T)...</source>
        <translation>New Shee&amp;t...</translation>
    </message>
    <message>
        <source>スタンプ(&amp;T)</source>
        <translation>S&amp;tamp</translation>
    </message>
    <message>
        <source>左右反転(&amp;X)</source>
        <translation>Mirror &amp;Horizontally</translation>
    </message>
    <message>
        <source>上下反転(&amp;Y)</source>
        <translation>Mirror &amp;Vertically</translation>
    </message>
    <message>
        <source>右に90°回転(&amp;R)</source>
        <translation>Turn &amp;Clockwise</translation>
    </message>
    <message>
        <source>向きを戻す(&amp;N)</source>
        <translation>&amp;Reset Orientation</translation>
    </message>
    <message>
        <source>スタンプの向き：そのまま</source>
        <translation>Stamp: as drawn</translation>
    </message>
    <message>
        <source>スタンプの向き：左右反転</source>
        <translation>Stamp: mirrored horizontally</translation>
    </message>
    <message>
        <source>スタンプの向き：上下反転</source>
        <translation>Stamp: mirrored vertically</translation>
    </message>
    <message>
        <source>スタンプの向き：右に90°回転</source>
        <translation>Stamp: turned 90° clockwise</translation>
    </message>
    <message>
        <source>スタンプの向き：180°回転</source>
        <translation>Stamp: turned 180°</translation>
    </message>
    <message>
        <source>スタンプの向き：左に90°回転</source>
        <translation>Stamp: turned 90° anticlockwise</translation>
    </message>
    <message>
        <source>スタンプの向き：左上と右下を結ぶ線で反転</source>
        <translation>Stamp: mirrored over the top-left to bottom-right diagonal</translation>
    </message>
    <message>
        <source>スタンプの向き：右上と左下を結ぶ線で反転</source>
        <translation>Stamp: mirrored over the top-right to bottom-left diagonal</translation>
    </message>
</context>
<context>
    <name>Duplicates</name>
    <message>
        <source>XY交換</source>
        <translation>swapped X and Y</translation>
    </message>
    <message>
        <source>上下反転</source>
        <translation>mirrored top to bottom</translation>
    </message>
    <message>
        <source>左に90°回転</source>
        <translation>turned 90° anticlockwise</translation>
    </message>
    <message>
        <source>左右反転</source>
        <translation>mirrored left to right</translation>
    </message>
    <message>
        <source>右に90°回転</source>
        <translation>turned 90° clockwise</translation>
    </message>
    <message>
        <source>180°回転</source>
        <translation>turned 180°</translation>
    </message>
    <message>
        <source>逆対角で反転</source>
        <translation>mirrored over the other diagonal</translation>
    </message>
    <message>
        <source>%1,%2と同じ</source>
        <translation>same as %1,%2</translation>
    </message>
    <message>
        <source>%1,%2を%3</source>
        <translation>%1,%2 %3</translation>
    </message>
</context>
<context>
    <name>FileMessages</name>
    <message>
        <source>ファイルまたはフォルダが見つかりません</source>
        <translation>file or folder not found</translation>
    </message>
    <message>
        <source>フォルダが見つかりません</source>
        <translation>folder not found</translation>
    </message>
    <message>
        <source>書き込む権限がありません</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>ディスクの空きが足りません</source>
        <translation>not enough disk space</translation>
    </message>
    <message>
        <source>読み込み専用のファイルシステムです</source>
        <translation>read-only file system</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます</source>
        <translation>file name too long</translation>
    </message>
    <message>
        <source>ファイルの大きさの上限を超えます</source>
        <translation>file too large</translation>
    </message>
    <message>
        <source>フォルダです</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>&quot;%1&quot; に保存できませんでした（%2）</source>
        <translation>Could not save &quot;%1&quot; (%2)</translation>
    </message>
    <message>
        <source>。元の内容は &quot;%1&quot; に残っています</source>
        <translation>. The previous contents are kept in &quot;%1&quot;</translation>
    </message>
    <message>
        <source>読み込める画像ファイルではありません</source>
        <translation>not a picture file that can be read</translation>
    </message>
    <message>
        <source>画像が大きすぎて読み込めません</source>
        <translation>The picture is too large to load</translation>
    </message>
    <message>
        <source>データが壊れています：%1</source>
        <translation>damaged data: %1</translation>
    </message>
    <message>
        <source>ファイルの読み込みに失敗しました（%1）</source>
        <translation>Could not load the file (%1)</translation>
    </message>
    <message>
        <source>%1,%2にパレット以外の色があります。</source>
        <translation>The pixel at %1,%2 has a colour that is not in the palette.</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>マニュアルが見つかりません。%1 にあるはずです。</source>
        <translation>The manual is not installed. It belongs at %1.</translation>
    </message>
    <message>
        <source>Tessaro Version 1.00  16×16 マップチップエディタ  (C) Tessaro Developers</source>
        <translation>Tessaro Version 1.00  16×16 map chip editor  (C) Tessaro Developers</translation>
    </message>
</context>
<context>
    <name>Memory</name>
    <message>
        <source>現在の状況を破棄し記憶しておいた状況を再生しますか？</source>
        <translation>Discard the current state and replay the memorised one?</translation>
    </message>
</context>
<context>
    <name>NewSheet</name>
    <message>
        <source>チップは%1～%2ピクセル、シートは%3列・%4行まで、%5×%5ピクセルまでです</source>
        <translation>Chips are %1 to %2 pixels; a sheet has at most %3 columns and %4 rows and %5×%5 pixels</translation>
    </message>
    <message>
        <source>保存していない変更を破棄して、新しいシートを作りますか？</source>
        <translation>Discard the unsaved changes and make a new sheet?</translation>
    </message>
</context>
<context>
    <name>NewSheetDialog</name>
    <message>
        <source>新規シート</source>
        <translation>New Sheet</translation>
    </message>
    <message>
        <source>（選んでください）</source>
        <translation>(choose)</translation>
    </message>
    <message>
        <source>よく使う大きさ(&amp;P):</source>
        <translation>&amp;Preset:</translation>
    </message>
    <message>
        <source>チップの大きさ（ピクセル）(&amp;S):</source>
        <translation>Chip &amp;size (pixels):</translation>
    </message>
    <message>
        <source>横（チップ）(&amp;W):</source>
        <translation>&amp;Width (chips):</translation>
    </message>
    <message>
        <source>縦（チップ）(&amp;H):</source>
        <translation>&amp;Height (chips):</translation>
    </message>
</context>
<context>
    <name>NumberedSave</name>
    <message>
        <source>同名のファイルが存在します。上書きして良いですか？</source>
        <translation>Files with these names already exist. Overwrite them?</translation>
    </message>
    <message>
        <source>保存を中止しました。</source>
        <translation>Saving was cancelled.</translation>
    </message>
    <message>
        <source>全キャラクタを%1 ～ %2に保存しました。</source>
        <translation>Saved all chips as %1 to %2.</translation>
    </message>
</context>
<context>
    <name>OwnPalette</name>
    <message>
        <source>シートにパレットがありません。インデックスカラーの画像を読み込んでください。</source>
        <translation>The sheet has no palette. Load an indexed-colour picture first.</translation>
    </message>
    <message>
        <source>自分のパレットがありません。パレットファイルを読み込んでください。</source>
        <translation>There is no user palette. Load a palette file first.</translation>
    </message>
    <message>
        <source>シートの色が%1色あります。256色を超えるため保存できません。</source>
        <translation>The sheet has %1 colours. It cannot be saved with more than 256.</translation>
    </message>
</context>
<context>
    <name>PaletteFiles</name>
    <message>
        <source>%1行目: </source>
        <translation>line %1: </translation>
    </message>
    <message>
        <source>パレットファイルを読み込めません（%1%2）</source>
        <translation>Cannot load the palette file (%1%2)</translation>
    </message>
    <message>
        <source>画像が大きすぎて読み込めません</source>
        <translation>The picture is too large to load</translation>
    </message>
    <message>
        <source>%1色の不透明度（アルファ）は読み込まず、不透明な色として読み込みました</source>
        <translation>The alpha of %1 colours was not read: they were read as opaque colours</translation>
    </message>
    <message>
        <source>ファイルの読み込みに失敗しました</source>
        <translation>Could not load the file</translation>
    </message>
    <message>
        <source>パレットは .gpl、.pal、.hex のいずれかの名前で保存してください。</source>
        <translation>Save the palette under a name ending in .gpl, .pal or .hex.</translation>
    </message>
</context>
<context>
    <name>QtPlatform</name>
    <message>
        <source>ﾋﾞｯﾄﾏｯﾌﾟ (*.bmp)|*.bmp;*.BMP|Jpeg（*.jpg）|*.jpg|PNG (*.png)|*.png;*.PNG</source>
        <translation>Bitmap (*.bmp)|*.bmp;*.BMP|JPEG (*.jpg)|*.jpg|PNG (*.png)|*.png;*.PNG</translation>
    </message>
    <message>
        <source>ビットマップ(*.bmp)|*.bmp;*.BMP|すべてのファイル(*.*)|*.*|PNG (*.png)|*.png;*.PNG</source>
        <translation>Bitmap (*.bmp)|*.bmp;*.BMP|All files (*.*)|*.*|PNG (*.png)|*.png;*.PNG</translation>
    </message>
    <message>
        <source>連番の名前を指定してください</source>
        <translation>Choose the Name for the Numbered Files</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>復元する(&amp;R)</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <source>破棄する(&amp;D)</source>
        <translation>&amp;Discard</translation>
    </message>
    <message>
        <source>後で決める(&amp;L)</source>
        <translation>Decide &amp;Later</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Tiled マップ (*.tmx)|*.tmx</source>
        <translation>Tiled map (*.tmx)|*.tmx</translation>
    </message>
    <message>
        <source>パレット (*.gpl *.pal *.txt *.hex *.act)|*.gpl;*.pal;*.txt;*.hex;*.act|ﾋﾞｯﾄﾏｯﾌﾟ (*.bmp)|*.bmp;*.BMP|Jpeg（*.jpg）|*.jpg|PNG (*.png)|*.png;*.PNG</source>
        <translation>Palette (*.gpl *.pal *.txt *.hex *.act)|*.gpl;*.pal;*.txt;*.hex;*.act|Bitmap (*.bmp)|*.bmp;*.BMP|JPEG (*.jpg)|*.jpg|PNG (*.png)|*.png;*.PNG</translation>
    </message>
    <message>
        <source>GIMP パレット (*.gpl)|*.gpl|JASC パレット (*.pal)|*.pal|16進パレット (*.hex)|*.hex</source>
        <translation>GIMP palette (*.gpl)|*.gpl|JASC palette (*.pal)|*.pal|Hex palette (*.hex)|*.hex</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>設定ファイル %1 は壊れているため読み込みませんでした。初期設定で始めます</source>
        <translation>The settings file %1 is damaged and was not read. Starting with the default settings</translation>
    </message>
    <message>
        <source>設定を %1 に保存できませんでした（%2）</source>
        <translation>Could not save the settings to %1 (%2)</translation>
    </message>
    <message>
        <source>設定ファイル %1 を削除できませんでした</source>
        <translation>Could not remove the settings file %1</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>保存されていない編集内容が残っています。復元しますか？</source>
        <translation>Unsaved changes from an earlier session were found. Restore them?</translation>
    </message>
    <message>
        <source>保存されていない編集内容が残っています。
上書き保存先: %1
復元しますか？</source>
        <translation>Unsaved changes from an earlier session were found.
Saving to: %1
Restore them?</translation>
    </message>
    <message>
        <source>フォルダではないか、フォルダへのリンクです</source>
        <translation>it is not a folder, or it is a link to one</translation>
    </message>
    <message>
        <source>ほかのユーザーのフォルダです</source>
        <translation>it belongs to another user</translation>
    </message>
    <message>
        <source>ほかのユーザーも開けるフォルダです</source>
        <translation>other users can open it</translation>
    </message>
    <message>
        <source>復元用のフォルダ %1 は使えません（%2）。復元用のコピーは作られません</source>
        <translation>The recovery folder %1 cannot be used (%2). No recovery copies will be made</translation>
    </message>
    <message>
        <source>読み込めない復元用のコピーが %1 個あります（%2）。名前に .unreadable を付けて残し、次からは尋ねないようにしますか？</source>
        <translation>There are %1 recovery copies that cannot be read (%2). Keep them with .unreadable added to their names and stop asking about them?</translation>
    </message>
    <message>
        <source>保存が途中で止まったファイルを、保存する前の内容に戻しました:</source>
        <translation>Some saves were interrupted. These files have their contents from before the save again:</translation>
    </message>
    <message>
        <source>保存が途中で止まったファイルがあります。元の内容は次のファイルに残っています:</source>
        <translation>Some saves were interrupted. The previous contents are kept in these files:</translation>
    </message>
    <message>
        <source>復元用のコピーを保存できませんでした（%1）</source>
        <translation>Could not save the recovery copy (%1)</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>ﾌｧｲﾙ %1 は開けません</source>
        <translation>Cannot open file %1</translation>
    </message>
</context>
<context>
    <name>SheetFiles</name>
    <message>
        <source>ファイルの読み込みに失敗しました</source>
        <translation>Could not load the file</translation>
    </message>
    <message>
        <source>保存できませんでした</source>
        <translation>Could not save</translation>
    </message>
    <message>
        <source>画像が大きすぎて読み込めません</source>
        <translation>The picture is too large to load</translation>
    </message>
    <message>
        <source>ファイルの後半が壊れています。使う部分は無事だったので読み込みました。</source>
        <translation>The end of the file is damaged. The part that is used was intact and has been loaded.</translation>
    </message>
    <message>
        <source>元の内容は &quot;%1&quot; に残っています</source>
        <translation>The previous contents are kept in &quot;%1&quot;</translation>
    </message>
    <message>
        <source>JPEG のデータが壊れています（%1）</source>
        <translation>The JPEG data is damaged (%1)</translation>
    </message>
    <message>
        <source>画像（%1×%2）はシートと大きさが違います。シートを画像に合わせて%3×%4チップにしますか？
（キャンセル：今の%5×%6チップのまま、画像の左上を読み込みます）</source>
        <translation>The picture (%1×%2) is not the size of the sheet. Make the sheet %3×%4 chips to fit the picture?
(Cancel: keep the sheet of %5×%6 chips and read the top-left part of the picture)</translation>
    </message>
</context>
<context>
    <name>Terrain</name>
    <message>
        <source>地形の名前を入れてください</source>
        <translation>Please enter the terrain&apos;s name</translation>
    </message>
    <message>
        <source>素材（横2×縦3チップ）がシートからはみ出します</source>
        <translation>The source block (2 x 3 chips) does not fit on the sheet</translation>
    </message>
    <message>
        <source>書き出し先（横8×縦6チップ）がシートからはみ出します</source>
        <translation>The target area (8 x 6 chips) does not fit on the sheet</translation>
    </message>
    <message>
        <source>素材と書き出し先が重なっています</source>
        <translation>The source block and the target area overlap</translation>
    </message>
    <message>
        <source>ほかの地形の素材か書き出し先と重なっています</source>
        <translation>It overlaps the source block or target area of another terrain</translation>
    </message>
    <message>
        <source>地形はチップの大きさが偶数のときだけ作れます</source>
        <translation>A terrain can only be made when the chip size is even</translation>
    </message>
</context>
<context>
    <name>TransparentColour</name>
    <message>
        <source>透明色を%1にしました。透明な画素はこの色で表します。</source>
        <translation>The transparent colour is now %1. Transparent pixels are shown in this colour.</translation>
    </message>
    <message>
        <source>半透明の画素%1個は透明色に重ねて読み込みました。</source>
        <translation>%1 partly transparent pixels were loaded blended over the transparent colour.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>使い方: %1 [オプション] [ファイル]
Tessaro: RPG のマップチップを描くドットエディタ

オプション:
  -h, --help     コマンドラインオプションの説明を表示します。
  --help-all     Qt 固有のオプションも含めて説明を表示します。
  -v, --version  バージョン情報を表示します。
  --lang &lt;lang&gt;  表示の言語: 英語 (en) または日本語 (ja)。

引数:
  ファイル       シートとして開く画像ファイル
</source>
        <translation>Usage: %1 [options] [FILE]
Tessaro: a pixel editor for the map chips of role-playing games

Options:
  -h, --help     Displays help on commandline options.
  --help-all     Displays help including Qt specific options.
  -v, --version  Displays version information.
  --lang &lt;lang&gt;  Texts in English (en) or Japanese (ja).

Arguments:
  FILE           a picture that opens as the sheet
</translation>
    </message>
</context>
</TS>
