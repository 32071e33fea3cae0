#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times Tessaro against ImageMagick and Python's PIL doing the same work on
# pictures this script makes itself, whole processes over several runs
# (hyperfine), with peak memory (/usr/bin/time -v), and prints a Markdown
# table of medians and ratios; then the tile sheet's PNG save alone, each
# tool saving it 20 times in one process against no times.
#
#   bench/compare.sh [--runs N] [--rows PATTERN] [--readme]
#
# --runs N        timed runs per command (default 10, after 2 warm-up runs)
# --rows PATTERN  only the rows whose label matches PATTERN (grep -E)
# --readme        also put the table into bench/README.md
#
# Environment: BUILD_DIR (default build-compare) is where tessaro-script is
# built, as scripts/run.sh builds the editor (RelWithDebInfo); WORK_DIR (default a fresh temporary directory) holds the
# pictures and outputs.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

runs=10
only=
write_readme=no
while (($#)); do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --rows) only="$2"; shift 2 ;;
    --readme) write_readme=yes; shift ;;
    *) echo "usage: bench/compare.sh [--runs N] [--rows PATTERN] [--readme]" >&2; exit 2 ;;
  esac
done

# ---- Tools -------------------------------------------------------------------
scripts/install-deps.sh
need=()
for p in hyperfine imagemagick python3-pil time; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if ((${#need[@]})); then
  echo "Installing: ${need[*]}"
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
# Debian's own interpreter and ImageMagick, whatever else comes first in PATH.
python=/usr/bin/python3
magick=/usr/bin/convert-im6.q16
[ -x "$magick" ] || magick=/usr/bin/convert

build="${BUILD_DIR:-$root/build-compare}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_BUILD_UI=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target tessaro-script tessaro-cli >/dev/null
tessaro="$build/tessaro-script"
tessaro_cli="$build/tessaro-cli"

work="${WORK_DIR:-$(mktemp -d "${TMPDIR:-/tmp}/tessaro-compare.XXXXXX")}"
mkdir -p "$work"
cd "$work"

# ---- Pictures ----------------------------------------------------------------
# Photo-like: soft blobs of colour with fine grain, so that JPEG and the
# colour reduction meet the kind of data they meet in use. Fixed noise, so
# every run makes the same files.
echo "Making pictures in $work"
"$python" - <<'EOF'
from PIL import Image

def photo(size):
    channels = []
    for i, sigma in enumerate((70, 60, 80)):
        blobs = Image.effect_noise((size // 64 + 2, size // 64 + 2), sigma).resize((size, size), Image.BICUBIC)
        grain = Image.effect_noise((size, size), 12)
        channels.append(Image.blend(blobs, grain, 0.15))
    return Image.merge("RGB", channels)

big = photo(4000)
big.save("photo.jpg", quality=90)
big.save("photo.bmp")
big.save("photo.png")
big.crop((0, 0, 480, 256)).save("sheet.bmp")
big.crop((0, 0, 480, 256)).save("sheet.png")

# The 216-colour cube (red fastest, blue slowest), as ImageMagick's -remap
# picture and PIL's palette.
cube = [(51 * (d % 6), 51 * (d // 6 % 6), 51 * (d // 36)) for d in range(216)]
strip = Image.new("RGB", (216, 1))
strip.putdata(cube)
strip.save("cube.png")

# A tile-like sheet: 30 x 16 chips from a few designs of few colours, as map
# chips are, with a transparent background in some.
import random
random.seed(7)
greens = [(40, 120, 40), (56, 144, 48), (72, 160, 64), (32, 96, 32)]
blues = [(32, 64, 200), (48, 96, 224), (64, 128, 240)]
def design(kind):
    t = Image.new("RGB", (16, 16))
    px = t.load()
    for y in range(16):
        for x in range(16):
            if kind == 0: px[x, y] = random.choice(greens)
            elif kind == 1: px[x, y] = (160, 64, 48) if (y % 4 and (x + (y // 4) * 8) % 16) else (200, 200, 190)
            elif kind == 2: px[x, y] = blues[(x + y + random.randint(0, 1)) // 3 % 3]
            elif kind == 3: px[x, y] = (128, 128, 128) if (x * y) % 7 else (96, 96, 96)
            elif kind == 4: px[x, y] = (255, 0, 255) if (x - 8) ** 2 + (y - 8) ** 2 > 36 else ((220, 180, 40) if (x + y) % 3 else (180, 120, 20))
            else: px[x, y] = (90, 60, 30) if y > 10 else random.choice(greens)
    return t
designs = [design(k % 6) for k in range(14)]
tiles = Image.new("RGB", (480, 256))
for r in range(16):
    for c in range(30):
        tiles.paste(designs[(r * 3 + c // 4) % len(designs)], (c * 16, r * 16))
tiles.save("tiles.png")
EOF

# The pictures' pages reach the disk now, not during the first timed save
# that flushes.
sync

cat > tessaro-save24.scn <<'EOF'
start
drop IN
choose OUT
click SaveMenu
EOF
cat > tessaro-save216.scn <<'EOF'
start
drop IN
choose OUT
click N216R1
EOF
for name in sheet.bmp photo.jpg photo.bmp; do
  sed -e "s|IN|$name|" -e "s|OUT|t-$name.out.bmp|" tessaro-save24.scn >"t24-$name.scn"
done
for name in sheet.png photo.png tiles.png; do
  sed -e "s|IN|$name|" -e "s|OUT|t-$name.out.png|" tessaro-save24.scn >"tpng-$name.scn"
done
sed -e "s|IN|sheet.bmp|" -e "s|OUT|t216.out.bmp|" tessaro-save216.scn >t216.scn

cat > pil_crop.py <<'EOF'
import sys
from PIL import Image
Image.open(sys.argv[1]).crop((0, 0, 480, 256)).save(sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else "BMP")
EOF
cat > pil_216.py <<'EOF'
import sys
from PIL import Image
cube = [(51 * (d % 6), 51 * (d // 6 % 6), 51 * (d // 36)) for d in range(216)]
palette = Image.new("P", (1, 1))
palette.putpalette([c for rgb in cube for c in rgb])
Image.open(sys.argv[1]).convert("RGB").quantize(palette=palette, dither=Image.Dither.NONE).save(sys.argv[2], "BMP")
EOF

# The sheet cut into its 480 chips, each a file of its own.
mkdir -p t-chips m-chips p-chips
cat > pil_split.py <<'EOF'
import sys
from PIL import Image
sheet = Image.open(sys.argv[1])
for n in range(480):
    x, y = 16 * (n % 30), 16 * (n // 30)
    sheet.crop((x, y, x + 16, y + 16)).save(f"{sys.argv[2]}{n}.bmp", "BMP")
EOF

# The same split again into folders that hold the chips already, after one
# chip changed: each run swaps the sheet for the other of two sheets that are
# one chip apart, then splits it (the swap costs each tool the same).
"$magick" sheet.bmp -fill red -draw "point 5,5" BMP3:sheet-1.bmp
mkdir -p t-again m-again p-again
cat > resplit.sh <<EOF2
x="sheet-\$1.bmp"
if cmp -s "\$x" sheet.bmp; then cp sheet-1.bmp "\$x"; else cp sheet.bmp "\$x"; fi
case \$1 in
  t) exec "$tessaro_cli" split -q "\$x" t-again/c ;;
  m) exec "$magick" "\$x" -crop 16x16 +repage m-again/out%d.bmp ;;
  p) exec "$python" pil_split.py "\$x" p-again/ ;;
esac
EOF2

# ---- Rows --------------------------------------------------------------------
# Each row: a label, then the three commands.
rows=(
  "sheet 480 x 256 BMP, saved as 24-bit BMP"
  "$tessaro t24-sheet.bmp.scn"
  "$magick sheet.bmp -crop 480x256+0+0 +repage BMP3:m-sheet.out.bmp"
  "$python pil_crop.py sheet.bmp p-sheet.out.bmp"

  "photo 4000 x 4000 JPEG, top-left 480 x 256 saved as 24-bit BMP"
  "$tessaro t24-photo.jpg.scn"
  "$magick photo.jpg -crop 480x256+0+0 +repage BMP3:m-photo.jpg.out.bmp"
  "$python pil_crop.py photo.jpg p-photo.jpg.out.bmp"

  "photo 4000 x 4000 24-bit BMP, top-left 480 x 256 saved as 24-bit BMP"
  "$tessaro t24-photo.bmp.scn"
  "$magick photo.bmp -crop 480x256+0+0 +repage BMP3:m-photo.bmp.out.bmp"
  "$python pil_crop.py photo.bmp p-photo.bmp.out.bmp"

  "sheet 480 x 256 PNG, saved as PNG"
  "$tessaro tpng-sheet.png.scn"
  "$magick sheet.png -crop 480x256+0+0 +repage PNG:m-sheet.png.out.png"
  "$python pil_crop.py sheet.png p-sheet.png.out.png PNG"

  "photo 4000 x 4000 PNG, top-left 480 x 256 saved as PNG"
  "$tessaro tpng-photo.png.scn"
  "$magick photo.png -crop 480x256+0+0 +repage PNG:m-photo.png.out.png"
  "$python pil_crop.py photo.png p-photo.png.out.png PNG"

  "tile sheet 480 x 256 of 15 colours PNG, saved as PNG"
  "$tessaro tpng-tiles.png.scn"
  "$magick tiles.png -crop 480x256+0+0 +repage PNG:m-tiles.png.out.png"
  "$python pil_crop.py tiles.png p-tiles.png.out.png PNG"

  "tile sheet 480 x 256 of 15 colours PNG, converted to PNG (tessaro-cli convert)"
  "$tessaro_cli convert -q tiles.png tc-tiles.png.out.png"
  "$magick tiles.png -crop 480x256+0+0 +repage PNG:m-tiles.png.out.png"
  "$python pil_crop.py tiles.png p-tiles.png.out.png PNG"

  "sheet 480 x 256 reduced to the 216-colour cube, saved as 8-bit BMP"
  "$tessaro t216.scn"
  "$magick sheet.bmp -dither None -remap cube.png BMP3:m216.out.bmp"
  "$python pil_216.py sheet.bmp p216.out.bmp"

  "sheet 480 x 256 BMP split into its 480 chips, one 24-bit BMP each (tessaro-cli split)"
  "$tessaro_cli split sheet.bmp t-chips/c"
  "$magick sheet.bmp -crop 16x16 +repage m-chips/out%d.bmp"
  "$python pil_split.py sheet.bmp p-chips/"

  "split again into the same folder after one chip changed (tessaro-cli split)"
  "sh resplit.sh t"
  "sh resplit.sh m"
  "sh resplit.sh p"
)

peak_kib() {  # the median peak resident size of three runs of a command, in KiB
  local sizes=()
  for _ in 1 2 3; do
    sizes+=("$(/usr/bin/time -v sh -c "$1 >/dev/null 2>&1" 2>&1 | awk -F': ' '/Maximum resident set size/ {print $2}')")
  done
  printf '%s\n' "${sizes[@]}" | sort -n | sed -n 2p
}

results="$work/results.tsv"
: >"$results"
for ((i = 0; i < ${#rows[@]}; i += 4)); do
  label="${rows[i]}"
  if [ -n "$only" ] && ! grep -qE -- "$only" <<<"$label"; then continue; fi
  echo "== $label"
  for tool in 1 2 3; do
    # Every command must succeed before it is timed: a failing one would
    # be timed for the wrong work.
    sh -c "${rows[i + tool]}" >/dev/null
  done
  hyperfine --shell=none --style basic --warmup 2 --runs "$runs" --export-json "row$i.json" \
    "${rows[i + 1]}" "${rows[i + 2]}" "${rows[i + 3]}" >/dev/null
  printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$((i / 4))" "$label" "row$i.json" \
    "$(peak_kib "${rows[i + 1]}")" "$(peak_kib "${rows[i + 2]}")" "$(peak_kib "${rows[i + 3]}")" >>"$results"
done

# ---- The save alone ----------------------------------------------------------
# Each tool loads the tile sheet once and saves it as PNG none and then
# `saves` times in one process: the difference of the two medians over
# `saves` is one save, without the process's start and the load.
saves=20
saves_label="tile sheet 480 x 256 of 15 colours, one PNG save within a running process"
rm -f saves.json
if [ -z "$only" ] || grep -qE -- "$only" <<<"$saves_label"; then
  echo "== $saves_label"
  printf 'start\ndrop tiles.png\n' >ts-0.scn
  cp ts-0.scn ts-n.scn
  writes=()
  for ((k = 0; k < saves; ++k)); do
    printf 'choose ts-n.out.png\nclick SaveMenu\n' >>ts-n.scn
    writes+=(-write PNG:ms-n.out.png)
  done
  cat >pil_saves.py <<'EOF'
import sys
from PIL import Image
picture = Image.open(sys.argv[1])
picture.load()
for _ in range(int(sys.argv[3])):
    picture.save(sys.argv[2], "PNG")
EOF
  hyperfine --shell=none --style basic --warmup 2 --runs "$runs" --export-json saves.json \
    "$tessaro ts-0.scn" "$tessaro ts-n.scn" "$magick tiles.png null:" "$magick tiles.png ${writes[*]} null:" \
    "$python pil_saves.py tiles.png ps-n.out.png 0" "$python pil_saves.py tiles.png ps-n.out.png $saves" >/dev/null
fi

# ---- Indexed PNG size -------------------------------------------------------
# Sheets of the kinds where a deflate tuned for map chips can lose to zlib's
# long search: each saved by tessaro-cli convert (an indexed PNG), and its
# image data set against zlib level 9 on the same rows, the file against
# PIL's and ImageMagick's saves of the same indexed picture and against
# optipng -o2 of Tessaro's file.
sizes_label="indexed PNG size on sheets of several kinds"
rm -f sizes.md
if [ -z "$only" ] || grep -qE -- "$only" <<<"$sizes_label"; then
  echo "== $sizes_label"
  "$python" - <<'EOF2'
import random
from PIL import Image
random.seed(3)
colours = [(32, 48, 64), (64, 160, 64), (48, 96, 192), (224, 224, 208), (128, 96, 32), (16, 16, 16), (192, 64, 64), (96, 192, 192)]
def sheet(name, pixel, touch=None):
    p = Image.new("RGB", (480, 256))
    px = p.load()
    for y in range(256):
        for x in range(480):
            px[x, y] = pixel(x, y, y // 16 * 30 + x // 16)
    if touch:
        touch(px)
    p.quantize(colors=len(colours), method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE).save(f"k-{name}.png")
def one_changed(px):
    for chip in range(480):
        px[chip % 30 * 16 + random.randrange(16), chip // 30 * 16 + random.randrange(16)] = random.choice(colours)
sheet("two-colour-period", lambda x, y, c: colours[0 if (x * 7 + y * 13) % 37 < 18 else 3])
sheet("flat-chips-grain", lambda x, y, c: colours[c % 5 + (1 if random.randrange(9) == 0 else 0)])
sheet("repeated-chips-one-pixel", lambda x, y, c: colours[(x % 16 * 3 + y % 16 * 5) % 8], one_changed)
sheet("sparse-chips", lambda x, y, c: random.choice(colours[1:]) if random.randrange(40) == 0 else colours[0])
Image.open("tiles.png").quantize(colors=15, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE).save("k-tile-sheet.png")
# Tile-like sheets of other chip sizes (k-tiles-cN: chips of N pixels): 14
# designs of a few colours each, a design on two chip rows running, so that
# chips repeat along the rows and down the columns.
greens = [(40, 120, 40), (56, 144, 48), (72, 160, 64), (32, 96, 32)]
for side in (8, 32, 48):
    designs = []
    for d in range(14):
        t = Image.new("RGB", (side, side))
        px = t.load()
        for y in range(side):
            for x in range(side):
                kind = d % 4
                if kind == 0: px[x, y] = random.choice(greens)
                elif kind == 1: px[x, y] = (160, 64, 48) if (y % 4 and (x + y // 4 * 8) % 16) else (200, 200, 190)
                elif kind == 2: px[x, y] = (255, 0, 255) if (2 * x - side) ** 2 + (2 * y - side) ** 2 > (side * 3 // 4) ** 2 else (220, 180, 40)
                else: px[x, y] = (90, 60, 30) if y > side * 11 // 16 else random.choice(greens)
        designs.append(t)
    cols, rows = 480 // side, 256 // side
    p = Image.new("RGB", (cols * side, rows * side))
    for r in range(rows):
        for c in range(cols):
            p.paste(designs[(r // 2 * 3 + c // 4) % 14], (c * side, r * side))
    p.quantize(colors=16, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE).save(f"k-tiles-c{side}.png")
EOF2
  for k in k-*.png; do
    # A sheet of other chips is converted as such, and once more as if its
    # chips were 16 pixels, to see what following the chip size gains.
    chip=()
    case "$k" in k-tiles-c*) chip=(--chip "$(sed 's/k-tiles-c\([0-9]*\).png/\1/' <<<"$k")") ;; esac
    "$tessaro_cli" convert -q "${chip[@]}" "$k" "t-$k"
    "$tessaro_cli" convert -q "$k" "u-$k"
    "$magick" "$k" "PNG:m-$k"
    "$python" -c 'import sys; from PIL import Image; Image.open(sys.argv[1]).save(sys.argv[2])' "$k" "p-$k"
    cp "t-$k" "o-$k"
    optipng -quiet -o2 "o-$k"
  done
  "$python" - >sizes.md <<'EOF2'
import glob, os, struct, zlib
def idat(path):
    data, b = b"", open(path, "rb").read()
    at = 8
    while at + 12 <= len(b):
        n, kind = struct.unpack(">I4s", b[at:at + 8])
        if kind == b"IDAT":
            data += b[at + 8:at + 8 + n]
        at += n + 12
    return data
print("| indexed PNG | Tessaro file | the same with 16-pixel chips | image data Tessaro / zlib -9 | ImageMagick | PIL | optipng -o2 of Tessaro's | target met |")
print("|---|---:|---:|---:|---:|---:|---:|---|")
for k in sorted(glob.glob("k-*.png")):
    t, u, m, p, o = (os.path.getsize(prefix + k) for prefix in ("t-", "u-", "m-", "p-", "o-"))
    ours = idat("t-" + k)
    z9 = len(zlib.compress(zlib.decompress(ours), 9))
    met = len(ours) <= z9 * 1.01 and t < m and t < p and t <= o * 1.05
    print(f"| {k[2:-4]} | {t} | {u} | {len(ours)} / {z9} | {m} | {p} | {o} | {'yes' if met else 'no'} |")
print()
print("Targets: the image data at most 1 % larger than zlib level 9's stream of the same rows; the file smaller "
      "than ImageMagick's and PIL's saves of the same indexed picture and within 5 % of optipng -o2's.")
EOF2
fi

# ---- Table -------------------------------------------------------------------
# The best lossless PNG of Tessaro's pixels: optipng -o2 (Debian's), for the
# size of the tile sheet's file.
for t in t-tiles tc-tiles; do
  if [ -e "$t.png.out.png" ]; then
    cp "$t.png.out.png" "o-$t.png.out.png"
    optipng -quiet -o2 "o-$t.png.out.png"
  fi
done

cpu="$(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)"
machine="$cpu, $(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GiB, Linux $(uname -r)"
versions="ImageMagick $("$magick" -version | awk 'NR == 1 {print $3}'), Pillow $("$python" -c 'import PIL; print(PIL.__version__)'), $(hyperfine --version)"

"$python" - "$results" "$machine" "$versions" "$runs" "$saves" >table.md <<'EOF'
import json, os, sys
from PIL import Image

results, machine, versions, runs, saves = sys.argv[1:6]

def pixels(path):
    # A list of files (the chips of a split) counts as one picture.
    if isinstance(path, list):
        return [p for one in path for p in pixels(one)]
    return list(Image.open(path).convert("RGB").getdata())

def same_as_tessaro(ours, theirs):
    a, b = pixels(ours), pixels(theirs)
    if len(a) != len(b):
        return "different size"
    differ = sum(1 for p, q in zip(a, b) if p != q)
    return "same pixels" if differ == 0 else f"{100.0 * differ / len(a):.2f} % of pixels differ"

outputs = [
    ("t-sheet.bmp.out.bmp", "m-sheet.out.bmp", "p-sheet.out.bmp"),
    ("t-photo.jpg.out.bmp", "m-photo.jpg.out.bmp", "p-photo.jpg.out.bmp"),
    ("t-photo.bmp.out.bmp", "m-photo.bmp.out.bmp", "p-photo.bmp.out.bmp"),
    ("t-sheet.png.out.png", "m-sheet.png.out.png", "p-sheet.png.out.png"),
    ("t-photo.png.out.png", "m-photo.png.out.png", "p-photo.png.out.png"),
    ("t-tiles.png.out.png", "m-tiles.png.out.png", "p-tiles.png.out.png"),
    ("tc-tiles.png.out.png", "m-tiles.png.out.png", "p-tiles.png.out.png"),
    ("t216.out.bmp", "m216.out.bmp", "p216.out.bmp"),
    ([f"t-chips/c{n:02d}.bmp" for n in range(480)], [f"m-chips/out{n}.bmp" for n in range(480)],
     [f"p-chips/{n}.bmp" for n in range(480)]),
    ([f"t-again/c{n:02d}.bmp" for n in range(480)], [f"m-again/out{n}.bmp" for n in range(480)],
     [f"p-again/{n}.bmp" for n in range(480)]),
]
# Rows with a target of their own: the peer it is measured against (None:
# the faster one) and the factor; the rest must be 1.5 times the faster peer
# with less peak memory.
own_targets = {"sheet 480 x 256 BMP split into its 480 chips, one 24-bit BMP each (tessaro-cli split)": (0, 3.0),
               "split again into the same folder after one chip changed (tessaro-cli split)": (0, 3.0),
               "tile sheet 480 x 256 of 15 colours PNG, saved as PNG": (None, 5.0),
               "tile sheet 480 x 256 of 15 colours PNG, converted to PNG (tessaro-cli convert)": (None, 5.0)}

print(f"Machine: {machine}. Date: {__import__('datetime').date.today()}. {versions}.")
print()
print("| work | Tessaro | ImageMagick | PIL | faster peer ÷ Tessaro | CPU ms Tessaro / IM / PIL | peak MiB Tessaro / IM / PIL | target met | pixels against Tessaro's |")
print("|---|---:|---:|---:|---:|---|---|---|---|")
for line in open(results):
    row, label, js, *peaks = line.rstrip("\n").split("\t")
    t_out, m_out, p_out = outputs[int(row)]
    timed = json.load(open(js))["results"]
    t, m, p = (r["median"] * 1000 for r in timed)
    cpu = " / ".join(f"{(r['user'] + r['system']) * 1000:.1f}" for r in timed)
    ratio = min(m, p) / t
    kib = [int(k) for k in peaks]
    mib = " / ".join(f"{k / 1024:.0f}" for k in kib)
    if label in own_targets:
        peer, factor = own_targets[label]
        against = min(m, p) if peer is None else (m, p)[peer]
        met = "yes" if against / t >= factor else "no"
        met += f" ({'faster peer' if peer is None else ('IM', 'PIL')[peer]} ÷ Tessaro {against / t:.2f}, target {factor:g})"
    else:
        met = "yes" if ratio >= 1.5 and kib[0] < min(kib[1], kib[2]) else "no"
    notes = f"IM: {same_as_tessaro(t_out, m_out)}; PIL: {same_as_tessaro(t_out, p_out)}"
    if isinstance(t_out, str) and t_out.endswith(".png"):
        # A PNG save must also write no more bytes than either peer.
        sizes = [os.path.getsize(f) for f in (t_out, m_out, p_out)]
        if sizes[0] > min(sizes[1:]):
            met = "no"
        notes += "; file bytes Tessaro / IM / PIL: " + " / ".join(str(n) for n in sizes)
        if t_out in ("t-tiles.png.out.png", "tc-tiles.png.out.png"):
            # Few colours: within 5 % of optipng -o2 on the same pixels too.
            best = os.path.getsize("o-" + t_out)
            if sizes[0] > best * 1.05:
                met = "no"
            notes += f" / optipng -o2 {best}"
    print(f"| {label} | {t:.1f} ms | {m:.1f} ms | {p:.1f} ms | {ratio:.2f} | {cpu} | {mib} | {met} | {notes} |")
print()
print(f"Times are medians of {runs} runs of whole processes started without a shell (hyperfine, 2 warm-up runs); CPU is user + system time, "
      "the mean of the same runs; peak memory is the median maximum resident size of 3 runs (/usr/bin/time -v). "
      "The target is at least 1.5 times the speed of the faster peer with less peak memory than either "
      "(and, for PNG saves, a file no larger than either peer's); "
      "splitting a sheet into its chips must be at least 3 times as fast as ImageMagick; "
      "the tile sheet's PNG save at least 5 times as fast as the faster peer, its file no larger than either peer's "
      "and within 5 % of optipng -o2's of the same pixels. "
      "Tessaro's saves flush the new file to the disk before renaming it over the old one, so that a crash never "
      "leaves half a file; ImageMagick and PIL write without a flush, and the CPU column shows the work without "
      "that wait. Where the pixels differ, the peer rounds differently: PIL maps a colour to its palette through a "
      "cache of reduced precision, not to the nearest level of each component.")
if os.path.exists("saves.json"):
    timed = json.load(open("saves.json"))["results"]
    n = int(saves)
    one = [(timed[i + 1]["median"] - timed[i]["median"]) * 1000 / n for i in (0, 2, 4)]
    cpu = [((timed[i + 1]["user"] + timed[i + 1]["system"]) - (timed[i]["user"] + timed[i]["system"])) * 1000 / n
           for i in (0, 2, 4)]
    sizes = [os.path.getsize(f) for f in ("ts-n.out.png", "ms-n.out.png", "ps-n.out.png")]
    print()
    print("| the save alone | Tessaro (editor) | ImageMagick | PIL | faster peer ÷ Tessaro | CPU ms Tessaro / IM / PIL | file bytes Tessaro / IM / PIL |")
    print("|---|---:|---:|---:|---:|---|---|")
    print(f"| tile sheet 480 x 256 of 15 colours, one PNG save | {one[0]:.2f} ms | {one[1]:.2f} ms | {one[2]:.2f} ms | "
          f"{min(one[1:]) / one[0]:.2f} | {' / '.join(f'{c:.2f}' for c in cpu)} | {' / '.join(str(b) for b in sizes)} |")
    print()
    print(f"One save: each tool loads the sheet once and saves it {n} times in one process (tessaro-script: a "
          "scenario of SaveMenu clicks; ImageMagick: -write; PIL: Image.save), and the median of a run without "
          f"saves is taken from that of the run with them and divided by {n}. Tessaro's save includes its two "
          "flushes (the file, then the folder after the rename).")
EOF
[ -e sizes.md ] && { echo; cat sizes.md; } >>table.md
cat table.md

if [ "$write_readme" = yes ]; then
  "$python" - "$root/bench/README.md" table.md <<'EOF'
import sys
readme, table = sys.argv[1], open(sys.argv[2]).read().strip()
text = open(readme).read()
begin, end = "<!-- compare table: begin -->", "<!-- compare table: end -->"
if begin not in text or end not in text:
    sys.exit("bench/README.md has no compare table markers")
head, rest = text.split(begin, 1)
_, tail = rest.split(end, 1)
open(readme, "w").write(head + begin + "\n" + table + "\n" + end + tail)
EOF
  echo "bench/README.md updated"
fi
