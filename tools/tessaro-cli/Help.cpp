// The text of tessaro-cli --help, in both languages.
#include "tools/tessaro-cli/Run.h"

namespace cli {

std::string HelpText(Language language) {
    if (language == Language::Japanese)
        return R"(使い方: tessaro-cli コマンド [オプション] ファイル...

Tessaro の全体画面（16 x 16 画素のキャラクタ 30 x 16 個、480 x 256 画素）を
エディタと同じ規則で分割・結合・変換します。ウィンドウは開きません。

コマンド:
  split SHEET OUTBASE      全体画面を読み込み、全キャラクタを連番保存と同じ名前
                           （OUTBASE00.bmp ～ OUTBASE479.bmp。OUTBASE が .png で
                           終わるときは .png を除いた名前の 00.png ～ 479.png）で
                           書き込みます
  join CHIP... -o SHEET    キャラクタのファイルを全体画面に並べて SHEET に保存します。
                           split の付けた名前ならその番号の位置へ、そうでなければ
                           指定した順に、各行を左から右へ置きます
  convert IN OUT           IN を全体画面として読み込み、OUT に保存します
  reduce216 IN OUT         216色に減色して 8 ビット BMP（.png ならインデックスカラーの
                           PNG）で保存します
  palette256 IN OUT        256色の固定パレットで 8 ビット BMP（.png ならインデックス
                           カラーの PNG）に保存します。
                           パレット以外の色があれば最初の画素を示して中止します
  check IN                 パレット以外の色の画素を「x,y R,G,B」の行で示します
                           （最大100行）

オプション:
  --skip-empty             split: 真っ黒なキャラクタは書き込みません
  -o SHEET                 join: 出力する全体画面のファイル
  --key R,G,B|none         透明色。PNG に保存するときこの色の画素を透明にし、PNG の
                           透明な画素はこの色で読み込みます。指定しなければ透明色は
                           なしで始まり、透明な画素のある PNG を読むとエディタと同じ
                           規則で決まります
  -q, --quiet              進行状況と注意を表示しません
  --version                版を表示して終わります
  -h, --help               この説明を表示します

読み込めるのは BMP、JPEG（拡張子 .jpg）と PNG（.png）です。出力は名前が .png で
終わるとき PNG、それ以外は BMP です。出力は一時ファイルに書いてから
置き換えるので、失敗しても書きかけのファイルは残りません。split は全ファイルを
書き込めたときだけ置き換えます。

終了ステータス: 0 成功、1 入力を受け付けられない・書き込めない、2 使い方の誤り。
メッセージは LC_ALL、LC_MESSAGES、LANG が ja で始まるとき日本語です。
)";
    return R"(Usage: tessaro-cli COMMAND [OPTION]... FILE...

Cuts, joins and converts Tessaro sheets (30 x 16 chips of 16 x 16 pixels,
480 x 256 pixels in all) by the editor's own rules, without a window.

Commands:
  split SHEET OUTBASE      load SHEET as the editor loads a sheet and write
                           every chip as its numbered save names them:
                           OUTBASE00.bmp ... OUTBASE479.bmp (for an OUTBASE
                           ending in .png: PNG files without it, 00.png ...)
  join CHIP... -o SHEET    place chip files into a sheet and save it: files
                           named as split names them go to their numbers,
                           other files fill the sheet in the order given,
                           along each row, then down
  convert IN OUT           load IN as a sheet and save it as OUT
  reduce216 IN OUT         save the sheet reduced to the 216-colour cube as an
                           8-bit BMP (an indexed PNG for a .png name)
  palette256 IN OUT        save the sheet as an 8-bit BMP (an indexed PNG for a
                           .png name) with the fixed
                           256-colour table; refuses, naming the first pixel,
                           when a colour is not in the table
  check IN                 list the pixels whose colour is not in the table
                           as "x,y R,G,B" lines (at most 100)

Options:
  --skip-empty             split: leave out chips that are all black
  -o SHEET                 join: the sheet file to write
  --key R,G,B|none         the transparent colour: pixels of it are saved
                           transparent in PNG files, and transparent pixels
                           of a PNG read become it; without --key there is
                           none until a PNG with transparent pixels is read,
                           which chooses it by the editor's rule
  -q, --quiet              no progress line and no notes
  --version                print the version and exit
  -h, --help               show this text

Pictures are read from BMP, JPEG (.jpg) and PNG (.png) files; an output
whose name ends in .png is a PNG file, any other a BMP. Every output is written to
a temporary file first and then renamed into place, so no failure leaves a
half-written file; split puts its files in place only when all of them are
written.

Exit status: 0 done, 1 refused input or an output that could not be written,
2 a usage error. Messages are in Japanese when LC_ALL, LC_MESSAGES or LANG
starts with "ja".
)";
}

}  // namespace cli
