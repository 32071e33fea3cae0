// SPDX-License-Identifier: GPL-3.0-or-later
// The window as the user first sees it: places, sizes, captions, hints,
// start states, the menus and the tool glyphs.
#include <QAbstractButton>
#include <QActionGroup>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include "core/ControlTable.h"
#include "ui/Application.h"
#include "ui/ToolGlyphs.h"
#include "WindowFixture.h"

namespace {

using enum ControlId;

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

class LayoutTest : public WindowTest {};

TEST_F(LayoutTest, ClientAreaIsFixedAt738By421BelowTheMenuBar) {
    QWidget* client = window->centralWidget();
    EXPECT_EQ(client->size(), QSize(738, 421));
    EXPECT_EQ(client->y(), window->menuBar()->height());
    EXPECT_EQ(window->height(), 421 + window->menuBar()->height());
    EXPECT_EQ(window->width(), 738);
    // A fixed border: the window cannot be resized.
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->windowTitle(), Q("Tessaro"));
}

TEST_F(LayoutTest, EveryControlSitsAtItsPlaceWithItsSize) {
    struct Place {
        ControlId id;
        QRect rect;
    };
    const Place places[] = {
        {Screen, {4, 2, 488, 264}},     {Panel1, {4, 300, 514, 98}}, {ScrollBox1, {504, 72, 164, 164}},
        {pRate, {504, 0, 33, 25}},      {udRate, {537, 0, 16, 25}},  {PenB, {560, 0, 28, 28}},
        {FillB, {600, 0, 28, 28}},      {CircleB, {640, 0, 28, 28}}, {LineB, {680, 0, 28, 28}},
        {EditPos, {504, 44, 113, 20}},  {lbP, {528, 256, 32, 32}},   {rbP, {632, 256, 32, 32}},
        {lbcP, {528, 304, 96, 20}},     {rbcP, {632, 304, 96, 20}},  {MemSaveB, {528, 336, 73, 25}},
        {MemLoadB, {624, 336, 73, 25}}, {clP, {528, 376, 129, 20}},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(std::string(NameOf(p.id)));
        ASSERT_NE(widget(p.id), nullptr);
        EXPECT_EQ(widget(p.id)->parentWidget(), window->centralWidget());
        EXPECT_EQ(widget(p.id)->geometry(), p.rect);
        EXPECT_TRUE(widget(p.id)->isVisible());
    }
}

TEST_F(LayoutTest, ViewsSitAtTheTopLeftOfTheirContainersInTheirPictureSizes) {
    // The sheet view and the edit area in their scroll boxes, the palette
    // view inside the single border of its panel.
    const QPoint client = window->centralWidget()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(widget(ScreenI)->mapToGlobal(QPoint(0, 0)) - client, QPoint(4, 2));
    EXPECT_EQ(widget(EditI)->mapToGlobal(QPoint(0, 0)) - client, QPoint(504, 72));
    EXPECT_EQ(widget(Pallete)->mapToGlobal(QPoint(0, 0)) - client, QPoint(5, 301));
    EXPECT_EQ(widget(ScreenI)->size(), QSize(481, 257));
    EXPECT_EQ(widget(EditI)->size(), QSize(81, 81));
    EXPECT_EQ(widget(Pallete)->size(), QSize(512, 96));
}

TEST_F(LayoutTest, PanelsAndButtonsShowTheirCaptionsHintsAndStartStates) {
    auto* rate = static_cast<QLabel*>(widget(pRate));
    EXPECT_EQ(rate->text(), Q("×5 "));
    EXPECT_TRUE(rate->alignment() & Qt::AlignRight);
    EXPECT_EQ(static_cast<QLabel*>(widget(lbcP))->text(), Q("255,255,255"));
    EXPECT_EQ(static_cast<QLabel*>(widget(rbcP))->text(), Q("0,0,0"));
    EXPECT_EQ(static_cast<QLabel*>(widget(EditPos))->text(), QString());
    EXPECT_EQ(static_cast<QLabel*>(widget(clP))->text(), QString());
    EXPECT_EQ(widget(lbP)->palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(widget(rbP)->palette().color(QPalette::Window), QColor(0, 0, 0));

    EXPECT_EQ(static_cast<QPushButton*>(widget(MemSaveB))->text(), Q("記憶(&W)"));
    EXPECT_EQ(static_cast<QPushButton*>(widget(MemLoadB))->text(), Q("再生(&L)"));
    EXPECT_TRUE(widget(MemSaveB)->isEnabled());
    EXPECT_FALSE(widget(MemLoadB)->isEnabled());

    const std::pair<ControlId, const char*> hints[] = {
        {PenB, "ペンモード"}, {FillB, "塗りつぶしモード"}, {CircleB, "楕円モード"}, {LineB, "直線モード"}};
    for (const auto& [id, hint] : hints) {
        auto* button = static_cast<QToolButton*>(widget(id));
        EXPECT_EQ(button->toolTip(), Q(hint));
        EXPECT_TRUE(button->isCheckable());
        EXPECT_EQ(button->isChecked(), id == PenB) << NameOf(id);
        EXPECT_EQ(button->iconSize(), QSize(24, 24));
    }
    EXPECT_EQ(widget(EditI)->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(LayoutTest, MainMenuHoldsTheFiveMenusInOrder) {
    QStringList titles;
    for (QAction* a : window->menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles,
              (QStringList{Q("ファイル(&F)"), Q("編集(&E)"), Q("設定(&D)"), Q("移動・変換(&M)"), Q("ヘルプ(&H)")}));
}

// The items of a menu as the user reads them: captions, "-" for separators,
// "[x]"/"[ ]" for check marks, "(o)" for radio items, "…" for submenus.
QStringList ItemsOf(QMenu* menu) {
    QStringList items;
    for (QAction* a : menu->actions()) {
        if (!a->isVisible()) continue;
        if (a->isSeparator()) {
            items << "-";
            continue;
        }
        QString text = a->text();
        if (a->menu()) text += Q("…");
        if (a->isCheckable()) text += a->isChecked() ? " [x]" : " [ ]";
        if (a->actionGroup() && a->actionGroup()->isExclusive()) text += " (o)";
        items << text;
    }
    return items;
}

TEST_F(LayoutTest, MenusListTheirItemsInOrderWithSeparatorsAndMarks) {
    EXPECT_EQ(
        ItemsOf(window->MenuOf(FileMenu)),
        (QStringList{Q("全体読み込み(&O)"), Q("キャラクタを読み込み(&L)"), Q("全体を保存(&A)"), Q("上書き保存(&S)"),
                     Q("編集中のキャラクタを保存(&W)"), Q("全キャラクタを連番保存(&N)"), Q("256色で全体保存（&P）"),
                     Q("全体を216色に減色保存（&R）"), "-", Q("終了(&X)"), Q("シートのパレットで保存(&I)..."),
                     Q("シートの色だけで保存(&C)..."), Q("自分のパレットで保存(&U)..."), Q("パレットを読み込み(&E)..."),
                     Q("パレットを保存(&V)..."), Q("新規シート(&T)...")}));
    EXPECT_EQ(ItemsOf(window->MenuOf(EditMenu)),
              (QStringList{Q("全体をコピー(&A)"), Q("編集中のキャラをコピー(&E)"), Q("キャラクタを貼り付け(&P)"),
                           Q("全体に貼り付け（&R）"), Q("取り消し(&U)")}));
    EXPECT_EQ(ItemsOf(window->MenuOf(DefMenu)), (QStringList{Q("編集領域境界線の色(&C)…"),
                                                             Q("編集領域拡大率（&Z）…"),
                                                             Q("ペンの太さ（&B）…"),
                                                             Q("全体画面に枠を表示(&L) [x]"),
                                                             Q("キャラクタ単位で大きさ変更(&R) [x]"),
                                                             "-",
                                                             Q("透明色を選ぶ(&T)..."),
                                                             Q("透明色なし(&N) [x]"),
                                                             "-",
                                                             Q("タイル確認(&V)"),
                                                             Q("端をつなげて描く(&W)"),
                                                             Q("試し配置(&P)"),
                                                             "-",
                                                             Q("拡張(&X)…"),
                                                             Q("自分のパレット(&U)"),
                                                             Q("アニメーション(&A)"),
                                                             Q("アニメーションのコマ(&F)..."),
                                                             Q("ブロック編集(&K)"),
                                                             Q("オートタイル(&O)..."),
                                                             Q("重複キャラクタに印(&J)")}));
    EXPECT_EQ(ItemsOf(window->MenuOf(LColorMenu)),
              (QStringList{Q("白(W) [x] (o)"), Q("赤(&R) [ ] (o)"), Q("緑(&G) [ ] (o)"), Q("青(&B) [ ] (o)"),
                           Q("灰色(&D) [ ] (o)"), "-", Q("消去(&U) [ ] (o)")}));
    EXPECT_EQ(ItemsOf(window->MenuOf(Z1)),
              (QStringList{Q("２倍（&2） [ ] (o)"), Q("３倍（&3） [ ] (o)"), Q("４倍（&4） [ ] (o)"),
                           Q("５倍（&5） [x] (o)"), Q("６倍（&6） [ ] (o)"), Q("７倍（&7） [ ] (o)"),
                           Q("８倍（&8） [ ] (o)"), Q("９倍（&9） [ ] (o)"), Q("１０倍（&A） [ ] (o)")}));
    EXPECT_EQ(ItemsOf(window->MenuOf(B1)), (QStringList{Q("１ドット（&1） [x] (o)"), Q("２ドット（&2） [ ] (o)"),
                                                        Q("３ドット（&3） [ ] (o)"), Q("４ドット（&4） [ ] (o)")}));
    EXPECT_EQ(ItemsOf(window->MenuOf(MoveMenu)),
              (QStringList{Q("上へ移動(&U)"), Q("右へ移動(&R)"), Q("下へ移動(&D)"), Q("左へ移動(&L)"), Q("XY交換(&X)"),
                           "-", Q("上下反転(&H)"), Q("左右反転(&V)")}));
    EXPECT_EQ(ItemsOf(window->MenuOf(helpMenu)),
              (QStringList{Q("マニュアル(&M)"), Q("バージョン情報(&A)"), Q("作者サイト「Tessaro Works」へ（&G）")}));
    EXPECT_EQ(
        ItemsOf(window->MenuOf(ScreenMenu)),
        (QStringList{Q("このキャラクタをコピー(&C)"), Q("キャラクタを貼り付け(&P)"), Q("キャラクタを読み込み(&O)"),
                     Q("キャラクタをファイルに保存(&S)"), Q("キャラクタを256色で保存(&W)")}));
    EXPECT_EQ(ItemsOf(window->MenuOf(mPen)), (QStringList{Q("１ドット [x] (o)"), Q("２ドット [ ] (o)"),
                                                          Q("３ドット [ ] (o)"), Q("４ドット [ ] (o)")}));
}

TEST_F(LayoutTest, OpeningTheFileMenuGreysOverwriteSaveUntilSomethingChanged) {
    Choose(chrSMenu);  // any handler: the menu's own state comes when it opens
    emit window->MenuOf(FileMenu)->aboutToShow();
    EXPECT_FALSE(action(OSaveMenu)->isEnabled());
    EXPECT_TRUE(action(SaveMenu)->isEnabled());
    Click(EditI, {12, 12});  // a pen press marks the sheet changed
    emit window->MenuOf(FileMenu)->aboutToShow();
    EXPECT_TRUE(action(OSaveMenu)->isEnabled());
}

TEST_F(LayoutTest, TextsUseTheJapaneseGothicAt12Pixels) {
    const QFont font = widget(lbcP)->font();
    EXPECT_EQ(font.pixelSize(), 12);
    EXPECT_EQ(font.family(), ui::JapaneseFontFamily());
    EXPECT_FALSE(ui::JapaneseFontFamily().isEmpty()) << "no font for Japanese is installed";
    EXPECT_EQ(QApplication::applicationName(), Q("Velmira"));
    EXPECT_EQ(qApp->property("helpFile").toString(), Q("Tsr.hlp"));
}

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

bool Transparent(const QImage& image, int x, int y) { return image.pixelColor(x, y).alpha() == 0; }

TEST(ToolGlyphs, AreDrawnOnATransparentBackgroundAsDescribed) {
    for (ControlId id : {PenB, FillB, CircleB, LineB}) {
        const QImage glyph = ui::ToolGlyph(id).toImage();
        EXPECT_EQ(glyph.size(), QSize(24, 24)) << NameOf(id);
    }
    EXPECT_TRUE(ui::ToolGlyph(MemSaveB).isNull());

    // The disc: red in the middle, a dark outline, nothing in the corners.
    const QImage disc = ui::ToolGlyph(CircleB).toImage();
    EXPECT_EQ(At(disc, 12, 12), QColor(255, 0, 0));
    EXPECT_LT(At(disc, 12, 2).red() + At(disc, 12, 3).red(), 400);
    EXPECT_TRUE(Transparent(disc, 0, 0) && Transparent(disc, 23, 23));

    // The line runs from the top-left to the bottom-right corner only.
    const QImage line = ui::ToolGlyph(LineB).toImage();
    for (int i : {3, 12, 20}) EXPECT_EQ(At(line, i, i), QColor(0, 0, 0)) << i;
    EXPECT_TRUE(Transparent(line, 20, 3) && Transparent(line, 3, 20));

    // The bucket pours blue paint: plenty of pure blue in its lower half.
    const QImage bucket = ui::ToolGlyph(FillB).toImage();
    int blue = 0;
    for (int y = 12; y < 24; ++y)
        for (int x = 0; x < 24; ++x) blue += At(bucket, x, y) == QColor(0, 0, 255);
    EXPECT_GT(blue, 20);

    // The nib points down: its tip is low in the middle, its top is wide.
    const QImage nib = ui::ToolGlyph(PenB).toImage();
    EXPECT_FALSE(Transparent(nib, 12, 21));
    EXPECT_TRUE(Transparent(nib, 4, 21) && Transparent(nib, 20, 21));
    EXPECT_FALSE(Transparent(nib, 9, 3) || Transparent(nib, 15, 3));
}

}  // namespace
