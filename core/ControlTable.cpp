// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>

#include "core/Controls.h"
#include "core/Translation.h"

namespace {

using enum ControlId;
using K = ControlKind;
using A = Alignment;

// Radio groups of menu items.
constexpr int LineColourGroup = 1;
constexpr int ZoomGroup = 2;
constexpr int PenSizeGroup = 3;
constexpr int PopupPenGroup = 4;
constexpr int BoardZoomGroup = 7;
constexpr int TileModeGroup = 5;
constexpr int TileZoomGroup = 6;
// The tool buttons form group 3 of their own kind; they are told apart by kind.
constexpr int ToolGroup = 3;

constexpr ControlInfo Item(ControlId id, std::string_view name, ControlId menu, std::string_view caption,
                           int group = 0) {
    return {id,    name,   caption == "-" ? K::Separator : K::MenuItem, menu, group, caption, {}, 0, 0, 0, 0,
            false, A::Left};
}
constexpr ControlInfo Menu(ControlId id, std::string_view name, ControlId parent, std::string_view caption) {
    return {id, name, K::Menu, parent, 0, caption, {}, 0, 0, 0, 0, false, A::Left};
}
constexpr ControlInfo Widget(ControlId id, std::string_view name, ControlKind kind, ControlId parent, int left, int top,
                             int width, int height, std::string_view caption = {}, std::string_view hint = {},
                             bool bordered = false, Alignment alignment = A::Left, int group = 0) {
    return {id, name, kind, parent, group, caption, hint, left, top, width, height, bordered, alignment};
}

// In enum order; the window builds its menus from this order.
constexpr std::array<ControlInfo, ControlCount> Table = {{
    Widget(Form1, "Form1", K::Form, Form1, 0, 0, 738, 421, "Tessaro"),
    {MainMenu1, "MainMenu1", K::MainMenu, Form1, 0, {}, {}, 0, 0, 0, 0, false, A::Left},

    Menu(FileMenu, "FileMenu", MainMenu1, TSR_TEXT("Controls", "ファイル(&F)")),
    Item(LoadMenu, "LoadMenu", FileMenu, TSR_TEXT("Controls", "全体読み込み(&O)")),
    Item(chrLoadMenu, "chrLoadMenu", FileMenu, TSR_TEXT("Controls", "キャラクタを読み込み(&L)")),
    Item(SaveMenu, "SaveMenu", FileMenu, TSR_TEXT("Controls", "全体を保存(&A)")),
    Item(OSaveMenu, "OSaveMenu", FileMenu, TSR_TEXT("Controls", "上書き保存(&S)")),
    Item(chrSaveMenu, "chrSaveMenu", FileMenu, TSR_TEXT("Controls", "編集中のキャラクタを保存(&W)")),
    Item(renMenu, "renMenu", FileMenu, TSR_TEXT("Controls", "全キャラクタを連番保存(&N)")),
    Item(mem256S, "mem256S", FileMenu, TSR_TEXT("Controls", "256色で全体保存（&P）")),
    Item(N216R1, "N216R1", FileMenu, TSR_TEXT("Controls", "全体を216色に減色保存（&R）")),
    Item(N1, "N1", FileMenu, "-"),
    Item(ExitMenu, "ExitMenu", FileMenu, TSR_TEXT("Controls", "終了(&X)")),
    Item(SheetPaletteSaveMenu, "SheetPaletteSaveMenu", FileMenu, TSR_TEXT("Controls", "シートのパレットで保存(&I)...")),
    Item(SheetColoursSaveMenu, "SheetColoursSaveMenu", FileMenu, TSR_TEXT("Controls", "シートの色だけで保存(&C)...")),
    Item(UserPaletteSaveMenu, "UserPaletteSaveMenu", FileMenu, TSR_TEXT("Controls", "自分のパレットで保存(&U)...")),
    Item(PaletteLoadMenu, "PaletteLoadMenu", FileMenu, TSR_TEXT("Controls", "パレットを読み込み(&E)...")),
    Item(PaletteSaveMenu, "PaletteSaveMenu", FileMenu, TSR_TEXT("Controls", "パレットを保存(&V)...")),
    Item(NewSheetMenu, "NewSheetMenu", FileMenu, TSR_TEXT("Controls", "新規シート(&T)...")),

    Menu(EditMenu, "EditMenu", MainMenu1, TSR_TEXT("Controls", "編集(&E)")),
    Item(AllCopyMenu, "AllCopyMenu", EditMenu, TSR_TEXT("Controls", "全体をコピー(&A)")),
    Item(chrCopyMenu, "chrCopyMenu", EditMenu, TSR_TEXT("Controls", "編集中のキャラをコピー(&E)")),
    Item(PasteChrMenu, "PasteChrMenu", EditMenu, TSR_TEXT("Controls", "キャラクタを貼り付け(&P)")),
    Item(ReplaceMenu, "ReplaceMenu", EditMenu, TSR_TEXT("Controls", "全体に貼り付け（&R）")),
    Item(UndoMenu, "UndoMenu", EditMenu, TSR_TEXT("Controls", "取り消し(&U)")),
    Item(RedoMenu, "RedoMenu", EditMenu, TSR_TEXT("Controls", "やり直し(&Y)")),

    Menu(DefMenu, "DefMenu", MainMenu1, TSR_TEXT("Controls", "設定(&D)")),
    Menu(LColorMenu, "LColorMenu", DefMenu, TSR_TEXT("Controls", "編集領域境界線の色(&C)")),
    Item(WhiteMenu, "WhiteMenu", LColorMenu, TSR_TEXT("Controls", "白(W)"), LineColourGroup),
    Item(RedMenu, "RedMenu", LColorMenu, TSR_TEXT("Controls", "赤(&R)"), LineColourGroup),
    Item(GreenMenu, "GreenMenu", LColorMenu, TSR_TEXT("Controls", "緑(&G)"), LineColourGroup),
    Item(BlueMenu, "BlueMenu", LColorMenu, TSR_TEXT("Controls", "青(&B)"), LineColourGroup),
    Item(GrayMenu, "GrayMenu", LColorMenu, TSR_TEXT("Controls", "灰色(&D)"), LineColourGroup),
    Item(N3, "N3", LColorMenu, "-"),
    Item(UnMenu, "UnMenu", LColorMenu, TSR_TEXT("Controls", "消去(&U)"), LineColourGroup),
    Menu(Z1, "Z1", DefMenu, TSR_TEXT("Controls", "編集領域拡大率（&Z）")),
    Item(mZoom2, "mZoom2", Z1, TSR_TEXT("Controls", "２倍（&2）"), ZoomGroup),
    Item(mZoom3, "mZoom3", Z1, TSR_TEXT("Controls", "３倍（&3）"), ZoomGroup),
    Item(mZoom4, "mZoom4", Z1, TSR_TEXT("Controls", "４倍（&4）"), ZoomGroup),
    Item(mZoom5, "mZoom5", Z1, TSR_TEXT("Controls", "５倍（&5）"), ZoomGroup),
    Item(mZoom6, "mZoom6", Z1, TSR_TEXT("Controls", "６倍（&6）"), ZoomGroup),
    Item(mZoom7, "mZoom7", Z1, TSR_TEXT("Controls", "７倍（&7）"), ZoomGroup),
    Item(mZoom8, "mZoom8", Z1, TSR_TEXT("Controls", "８倍（&8）"), ZoomGroup),
    Item(mZoom9, "mZoom9", Z1, TSR_TEXT("Controls", "９倍（&9）"), ZoomGroup),
    Item(mZoom10, "mZoom10", Z1, TSR_TEXT("Controls", "１０倍（&A）"), ZoomGroup),
    Menu(B1, "B1", DefMenu, TSR_TEXT("Controls", "ペンの太さ（&B）")),
    Item(mPSize1, "mPSize1", B1, TSR_TEXT("Controls", "１ドット（&1）"), PenSizeGroup),
    Item(mPSize2, "mPSize2", B1, TSR_TEXT("Controls", "２ドット（&2）"), PenSizeGroup),
    Item(mPSize3, "mPSize3", B1, TSR_TEXT("Controls", "３ドット（&3）"), PenSizeGroup),
    Item(mPSize4, "mPSize4", B1, TSR_TEXT("Controls", "４ドット（&4）"), PenSizeGroup),
    Item(wakuMenu, "wakuMenu", DefMenu, TSR_TEXT("Controls", "全体画面に枠を表示(&L)")),
    Item(chrSMenu, "chrSMenu", DefMenu, TSR_TEXT("Controls", "キャラクタ単位で大きさ変更(&R)")),
    Item(N4, "N4", DefMenu, "-"),
    Item(KeyPickMenu, "KeyPickMenu", DefMenu, TSR_TEXT("Controls", "透明色を選ぶ(&T)...")),
    Item(KeyNoneMenu, "KeyNoneMenu", DefMenu, TSR_TEXT("Controls", "透明色なし(&N)")),
    Item(N5, "N5", DefMenu, "-"),
    Item(TileViewMenu, "TileViewMenu", DefMenu, TSR_TEXT("Controls", "タイル確認(&V)")),
    Item(WrapMenu, "WrapMenu", DefMenu, TSR_TEXT("Controls", "端をつなげて描く(&W)")),
    Item(BoardMenu, "BoardMenu", DefMenu, TSR_TEXT("Controls", "試し配置(&P)")),
    Item(N6, "N6", DefMenu, "-"),
    Menu(ExtMenu, "ExtMenu", DefMenu, TSR_TEXT("Controls", "拡張(&X)")),
    // The same caption in every language, so that it can always be found.
    Item(LangEnMenu, "LangEnMenu", ExtMenu, "English"),
    Item(StrokeMenu, "StrokeMenu", ExtMenu, TSR_TEXT("Controls", "線をつなぐ(&S)")),
    Item(HistoryMenu, "HistoryMenu", ExtMenu, TSR_TEXT("Controls", "取り消し履歴(&H)")),
    Item(KeysMenu, "KeysMenu", ExtMenu, TSR_TEXT("Controls", "ショートカットキー(&K)")),
    Item(WideMenu, "WideMenu", ExtMenu, TSR_TEXT("Controls", "広い画面(&G)")),
    Item(ResetSettingsMenu, "ResetSettingsMenu", ExtMenu, TSR_TEXT("Controls", "設定を初期化(&I)")),
    Item(DoublePressMenu, "DoublePressMenu", ExtMenu, TSR_TEXT("Controls", "素早い2回目のクリックも描く(&D)")),
    Item(UserPaletteMenu, "UserPaletteMenu", DefMenu, TSR_TEXT("Controls", "自分のパレット(&U)")),
    Item(AnimMenu, "AnimMenu", DefMenu, TSR_TEXT("Controls", "アニメーション(&A)")),
    Item(AnimFramesMenu, "AnimFramesMenu", DefMenu, TSR_TEXT("Controls", "アニメーションのコマ(&F)...")),
    Item(BlockMenu, "BlockMenu", DefMenu, TSR_TEXT("Controls", "ブロック編集(&K)")),
    Item(AutotileMenu, "AutotileMenu", DefMenu, TSR_TEXT("Controls", "オートタイル(&O)...")),
    Item(DuplicatesMenu, "DuplicatesMenu", DefMenu, TSR_TEXT("Controls", "重複キャラクタに印(&J)")),

    Menu(MoveMenu, "MoveMenu", MainMenu1, TSR_TEXT("Controls", "移動・変換(&M)")),
    Item(UpMenu, "UpMenu", MoveMenu, TSR_TEXT("Controls", "上へ移動(&U)")),
    Item(RightMenu, "RightMenu", MoveMenu, TSR_TEXT("Controls", "右へ移動(&R)")),
    Item(DownMenu, "DownMenu", MoveMenu, TSR_TEXT("Controls", "下へ移動(&D)")),
    Item(LeftMenu, "LeftMenu", MoveMenu, TSR_TEXT("Controls", "左へ移動(&L)")),
    Item(XYMenu, "XYMenu", MoveMenu, TSR_TEXT("Controls", "XY交換(&X)")),
    Item(N2, "N2", MoveMenu, "-"),
    Item(UpsetMenu, "UpsetMenu", MoveMenu, TSR_TEXT("Controls", "上下反転(&H)")),
    Item(VrevMenu, "VrevMenu", MoveMenu, TSR_TEXT("Controls", "左右反転(&V)")),

    Menu(helpMenu, "helpMenu", MainMenu1, TSR_TEXT("Controls", "ヘルプ(&H)")),
    Item(ManualMenu, "ManualMenu", helpMenu, TSR_TEXT("Controls", "マニュアル(&M)")),
    Item(aboutMenu, "aboutMenu", helpMenu, TSR_TEXT("Controls", "バージョン情報(&A)")),
    Item(mGo, "mGo", helpMenu, TSR_TEXT("Controls", "作者サイト「Tessaro Works」へ（&G）")),

    {ScreenMenu, "ScreenMenu", K::PopupMenu, Form1, 0, {}, {}, 0, 0, 0, 0, false, A::Left},
    Item(popCopyMenu, "popCopyMenu", ScreenMenu, TSR_TEXT("Controls", "このキャラクタをコピー(&C)")),
    Item(popPasteMenu, "popPasteMenu", ScreenMenu, TSR_TEXT("Controls", "キャラクタを貼り付け(&P)")),
    Item(popLoadMenu, "popLoadMenu", ScreenMenu, TSR_TEXT("Controls", "キャラクタを読み込み(&O)")),
    Item(popSaveMenu, "popSaveMenu", ScreenMenu, TSR_TEXT("Controls", "キャラクタをファイルに保存(&S)")),
    Item(pop256SaveMenu, "pop256SaveMenu", ScreenMenu, TSR_TEXT("Controls", "キャラクタを256色で保存(&W)")),
    {mPen, "mPen", K::PopupMenu, Form1, 0, {}, {}, 0, 0, 0, 0, false, A::Left},
    Item(mPen1, "mPen1", mPen, TSR_TEXT("Controls", "１ドット"), PopupPenGroup),
    Item(mPen2, "mPen2", mPen, TSR_TEXT("Controls", "２ドット"), PopupPenGroup),
    Item(mPen3, "mPen3", mPen, TSR_TEXT("Controls", "３ドット"), PopupPenGroup),
    Item(mPen4, "mPen4", mPen, TSR_TEXT("Controls", "４ドット"), PopupPenGroup),

    Widget(Screen, "Screen", K::ScrollBox, Form1, 4, 2, 488, 264),
    Widget(ScreenI, "ScreenI", K::Image, Screen, 0, 0, 481, 257),
    Widget(Panel1, "Panel1", K::Panel, Form1, 4, 300, 514, 98, {}, {}, true),
    Widget(Pallete, "Pallete", K::Image, Panel1, 0, 0, 512, 96),
    Widget(ScrollBox1, "ScrollBox1", K::ScrollBox, Form1, 504, 72, 164, 164),
    Widget(EditI, "EditI", K::Image, ScrollBox1, 0, 0, 81, 81),
    Widget(pRate, "pRate", K::Panel, Form1, 504, 0, 33, 25, "×5 ", {}, true, A::Right),
    Widget(udRate, "udRate", K::UpDown, Form1, 537, 0, 16, 25),
    Widget(PenB, "PenB", K::SpeedButton, Form1, 560, 0, 28, 28, {}, TSR_TEXT("Controls", "ペンモード"), false,
           A::Centre, ToolGroup),
    Widget(FillB, "FillB", K::SpeedButton, Form1, 600, 0, 28, 28, {}, TSR_TEXT("Controls", "塗りつぶしモード"), false,
           A::Centre, ToolGroup),
    Widget(CircleB, "CircleB", K::SpeedButton, Form1, 640, 0, 28, 28, {}, TSR_TEXT("Controls", "楕円モード"), false,
           A::Centre, ToolGroup),
    Widget(LineB, "LineB", K::SpeedButton, Form1, 680, 0, 28, 28, {}, TSR_TEXT("Controls", "直線モード"), false,
           A::Centre, ToolGroup),
    Widget(EditPos, "EditPos", K::Panel, Form1, 504, 44, 113, 20),
    Widget(lbP, "lbP", K::Panel, Form1, 528, 256, 32, 32, {}, {}, true),
    Widget(rbP, "rbP", K::Panel, Form1, 632, 256, 32, 32, {}, {}, true),
    Widget(lbcP, "lbcP", K::Panel, Form1, 528, 304, 96, 20),
    Widget(rbcP, "rbcP", K::Panel, Form1, 632, 304, 96, 20),
    Widget(MemSaveB, "MemSaveB", K::Button, Form1, 528, 336, 73, 25, TSR_TEXT("Controls", "記憶(&W)")),
    Widget(MemLoadB, "MemLoadB", K::Button, Form1, 624, 336, 73, 25, TSR_TEXT("Controls", "再生(&L)")),
    Widget(clP, "clP", K::Panel, Form1, 528, 376, 129, 20),

    // The tile preview window and its controls
    Widget(TileForm, "TileForm", K::Form, Form1, 0, 0, 0, 0, TSR_TEXT("Controls", "タイル確認")),
    {TileMenuBar, "TileMenuBar", K::MainMenu, TileForm, 0, {}, {}, 0, 0, 0, 0, false, A::Left},
    Menu(TileMenu, "TileMenu", TileMenuBar, TSR_TEXT("Controls", "表示(&V)")),
    Item(TileRepeatMenu, "TileRepeatMenu", TileMenu, TSR_TEXT("Controls", "並べて表示(&R)"), TileModeGroup),
    Item(TileNeighbourMenu, "TileNeighbourMenu", TileMenu, TSR_TEXT("Controls", "周りのキャラクタと表示(&N)"),
         TileModeGroup),
    Item(TileBoardMenu, "TileBoardMenu", TileMenu, TSR_TEXT("Controls", "ボード上の周りと表示(&B)"), TileModeGroup),
    Item(TileN1, "TileN1", TileMenu, "-"),
    Item(TileZoom1, "TileZoom1", TileMenu, TSR_TEXT("Controls", "１倍（&1）"), TileZoomGroup),
    Item(TileZoom2, "TileZoom2", TileMenu, TSR_TEXT("Controls", "２倍（&2）"), TileZoomGroup),
    Item(TileZoom3, "TileZoom3", TileMenu, TSR_TEXT("Controls", "３倍（&3）"), TileZoomGroup),
    Item(TileZoom4, "TileZoom4", TileMenu, TSR_TEXT("Controls", "４倍（&4）"), TileZoomGroup),
    Widget(TileI, "TileI", K::Image, TileForm, 0, 0, 96, 96),

    // The try-out board window and its controls
    Widget(BoardForm, "BoardForm", K::Form, Form1, 0, 0, 640, 480, TSR_TEXT("Controls", "試し配置")),
    {BoardMainMenu, "BoardMainMenu", K::MainMenu, BoardForm, 0, {}, {}, 0, 0, 0, 0, false, A::Left},
    Menu(BoardPlaceMenu, "BoardPlaceMenu", BoardMainMenu, TSR_TEXT("Controls", "配置(&P)")),
    Item(BoardLoadMenu, "BoardLoadMenu", BoardPlaceMenu, TSR_TEXT("Controls", "配置を読み込み(&O)")),
    Item(BoardSaveMenu, "BoardSaveMenu", BoardPlaceMenu, TSR_TEXT("Controls", "配置を保存(&S)")),
    Item(BoardClearMenu, "BoardClearMenu", BoardPlaceMenu, TSR_TEXT("Controls", "配置を消去(&C)")),
    Item(BoardN1, "BoardN1", BoardPlaceMenu, "-"),
    Item(BoardSizeMenu, "BoardSizeMenu", BoardPlaceMenu, TSR_TEXT("Controls", "配置の大きさ(&Z)...")),
    Item(BoardN2, "BoardN2", BoardPlaceMenu, "-"),
    Item(BoardZoom1, "BoardZoom1", BoardPlaceMenu, TSR_TEXT("Controls", "１倍（&1）"), BoardZoomGroup),
    Item(BoardZoom2, "BoardZoom2", BoardPlaceMenu, TSR_TEXT("Controls", "２倍（&2）"), BoardZoomGroup),
    Item(BoardZoom3, "BoardZoom3", BoardPlaceMenu, TSR_TEXT("Controls", "３倍（&3）"), BoardZoomGroup),
    Item(BoardZoom4, "BoardZoom4", BoardPlaceMenu, TSR_TEXT("Controls", "４倍（&4）"), BoardZoomGroup),
    Item(BoardN3, "BoardN3", BoardPlaceMenu, "-"),
    Item(TerrainBrushMenu, "TerrainBrushMenu", BoardPlaceMenu, TSR_TEXT("Controls", "地形ブラシ(&T)")),
    Widget(BoardI, "BoardI", K::Image, BoardForm, 0, 0, 640, 480),
    Menu(StampMenu, "StampMenu", BoardMainMenu, TSR_TEXT("Controls", "スタンプ(&T)")),
    Item(StampMirrorXMenu, "StampMirrorXMenu", StampMenu, TSR_TEXT("Controls", "左右反転(&X)")),
    Item(StampMirrorYMenu, "StampMirrorYMenu", StampMenu, TSR_TEXT("Controls", "上下反転(&Y)")),
    Item(StampTurnMenu, "StampTurnMenu", StampMenu, TSR_TEXT("Controls", "右に90°回転(&R)")),
    Item(StampAsIsMenu, "StampAsIsMenu", StampMenu, TSR_TEXT("Controls", "向きを戻す(&N)")),
    Widget(BoardStampPanel, "BoardStampPanel", K::Panel, BoardForm, 0, 0, 640, 16,
           TSR_TEXT("Controls", "スタンプの向き：そのまま")),

}};

constexpr bool TableInEnumOrder() {
    for (std::size_t i = 0; i < Table.size(); ++i)
        if (static_cast<std::size_t>(Table[i].id) != i) return false;
    return true;
}
static_assert(TableInEnumOrder(), "the control table must list the controls in enum order");

}  // namespace

const ControlInfo& InfoOf(ControlId id) { return Table[static_cast<std::size_t>(id)]; }

std::string_view NameOf(ControlId id) { return InfoOf(id).name; }

std::optional<ControlId> ControlByName(std::string_view name) {
    auto it = std::find_if(Table.begin(), Table.end(), [&](const ControlInfo& c) { return c.name == name; });
    if (it == Table.end()) return std::nullopt;
    return it->id;
}
