// SPDX-License-Identifier: GPL-3.0-or-later
// The text of tessaro-cli --help.
#include "tools/tessaro-cli/Run.h"

namespace cli {

std::string HelpText() {
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
  check IN [--budget N]    list the pixels whose colour is not in the table
                           as "x,y R,G,B" lines (at most 100); standard error
                           gives the sheet's colour count, whether it was
                           read from an indexed file and whether index 0 is
                           the transparent colour
  palette SHEET -o OUT     write the sheet's palette as OUT (.gpl, .pal or
                           .hex): the colour table of an indexed file, else
                           the sheet's colours in reading order; refuses
                           more than 256 colours
  indexed SHEET -o OUT [--palette FILE]
                           save the sheet as an 8-bit BMP (an indexed PNG
                           for a .png name) with a palette of its own: the
                           colour table of an indexed file, else the sheet's
                           colours (the transparent colour first); with
                           --palette, FILE's colours, each pixel exactly,
                           refusing (naming the first pixel) a colour that
                           is not one of them
  autotile SHEET --source C,R --to C,R -o OUT [--tsx OUT.tsx] [--name NAME]
                           write the 47 chips of the terrain whose source
                           block (2 x 3 chips) starts at chip C,R into the
                           8 x 6 chips from --to, in neighbour-mask order, 8
                           to a row (the 48th place is left as it is), and
                           save the sheet as OUT; --tsx also writes a Tiled
                           tileset of OUT with the terrain set (NAME, else
                           "terrain")
  dedupe SHEET -o OUT [--map MAP.tmx -m OUT.tmx] [--exact]
                           save the sheet with each chip once as OUT: chips
                           that repeat an earlier chip mirrored or turned
                           (with --exact, only exactly) are left out, the
                           rest packed in order of first appearance, empty
                           after them; prints "N chips, U unique exactly, O
                           unique up to orientation"; with --map, also
                           writes the map rewritten to the new chips with
                           Tiled's orientation flags as OUT.tmx and its
                           tileset as OUT.tsx, showing as the old map did

Options:
  --chip N                 split, join, convert, check and dedupe: chips of
                           N x N pixels (8 to 64); split, convert, check
                           and dedupe take the sheet of as many whole chips
                           as the picture holds (up to 64 x 64 chips and
                           2048 x 2048 pixels), and check reports that
                           shape on standard error
  --budget N               check: also count the unique chips and exit 1
                           when more than N are unique up to orientation
  --exact                  dedupe and check: count exact copies only
  --cols C, --rows R       join: a sheet of C x R chips (1 to 64 each;
                           30 x 16 unless given)
  --skip-empty             split: leave out chips that are all black
  --block WxH              split: write blocks of W x H chips (1 to 4 each)
                           instead, each as one picture named after its
                           top-left chip; blocks at the right and bottom
                           edges end where the sheet does
  -o FILE                  join, palette, indexed and dedupe: the file to
                           write
  --palette FILE           indexed: the palette (.gpl, .pal (JASC or RIFF),
                           .txt, .hex, .act, or a picture: its colour table
                           when indexed, else its colours, refused past
                           4194304 pixels)
  --key R,G,B|none         the transparent colour: pixels of it are saved
                           transparent in PNG files, and transparent pixels
                           of a PNG read become it; without --key there is
                           none until a PNG with transparent pixels is read,
                           which chooses it by the editor's rule
  -q, --quiet              no progress line and no notes
  -v, --version            print the version and exit
  -h, --help               show this text

Pictures are read from BMP, JPEG (.jpg) and PNG (.png) files. An output is
named for its format: .png for PNG, .bmp for BMP, and .gpl, .pal or .hex for
palette; any other name, or an output that is one of the inputs, is a usage
error and nothing is written. Every output is written to
a temporary file first and then renamed into place, so no failure leaves a
half-written file; split puts its files in place only when all of them are
written.

Exit status: 0 done, 1 refused input or an output that could not be written,
2 a usage error.
)";
}

}  // namespace cli
