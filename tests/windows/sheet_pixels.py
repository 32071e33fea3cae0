# SPDX-License-Identifier: GPL-3.0-or-later
"""The window check's pictures (PIL): the sheet it opens, where a screenshot
shows it, two windows' sheet views against each other, and a saved sheet
against what the window shows.

  sheet_pixels.py make SHEET.png
  sheet_pixels.py shown SCREEN.png SHEET.png          # prints the view's x y
  sheet_pixels.py same SCREEN_A XA YA SCREEN_B XB YB  # the two views alike
  sheet_pixels.py saved SCREEN.png SAVED ORIGINAL X Y

The sheet view draws the chips' grid over every 16th row and column of the
sheet (and one more line right of and below it), the current chip's frame
on its grid lines: the sheet is compared on the pixels between them.
"""
import sys

from PIL import Image

WIDTH, HEIGHT, CHIP = 480, 256, 16
# The view's own size: the sheet and its closing grid lines.
VIEW_WIDTH, VIEW_HEIGHT = WIDTH + 1, HEIGHT + 1
# Pixels between the grid lines.
INSIDE = [(x, y) for y in range(HEIGHT) for x in range(WIDTH) if x % CHIP and y % CHIP]


def pixels(path):
    return Image.open(path).convert("RGB").load()


def make(path):
    sheet = Image.new("RGB", (WIDTH, HEIGHT))
    px = sheet.load()
    for y in range(HEIGHT):
        for x in range(WIDTH):
            px[x, y] = ((x * 5 + y) & 255, (y * 9 + x // 16) & 255, ((x // 16 + y // 16) * 37) & 255)
    sheet.save(path)


def matches(screen, sheet, left, top):
    """Whether the screen shows every pixel of the sheet between the grid
    lines at left, top."""
    return all(screen[left + x, top + y] == sheet[x, y] for x, y in INSIDE)


def shown(screen_path, sheet_path):
    """Where the screen shows the sheet: the inside of one chip on a row away
    from the current chip finds candidates; every pixel between the grid lines
    decides."""
    image = Image.open(screen_path).convert("RGB")
    screen, sheet = image.load(), pixels(sheet_path)
    row = 200
    wanted = [sheet[x, row] for x in range(1, CHIP)]
    for top in range(image.height - VIEW_HEIGHT + 1):
        line = [screen[x, top + row] for x in range(image.width)]
        for left in range(image.width - VIEW_WIDTH + 1):
            if line[left + 1] == wanted[0] and line[left + 1:left + CHIP] == wanted:
                if matches(screen, sheet, left, top):
                    return left, top
    return None


def same(a_path, ax, ay, b_path, bx, by):
    """The pixels where two screens' sheet views differ, grid and frame
    included."""
    a, b = pixels(a_path), pixels(b_path)
    return [(x, y) for y in range(VIEW_HEIGHT) for x in range(VIEW_WIDTH) if a[ax + x, ay + y] != b[bx + x, by + y]]


def main():
    if sys.argv[1] == "make":
        make(sys.argv[2])
        return 0
    if sys.argv[1] == "shown":
        at = shown(sys.argv[2], sys.argv[3])
        if at is None:
            print("the screenshot does not show the sheet", file=sys.stderr)
            return 1
        print(*at)
        return 0
    if sys.argv[1] == "same":
        a, b = sys.argv[2:5], sys.argv[5:8]
        differ = same(a[0], int(a[1]), int(a[2]), b[0], int(b[1]), int(b[2]))
        if differ:
            print(f"the sheet views differ in {len(differ)} pixels, the first at {differ[0]}", file=sys.stderr)
            return 1
        return 0
    # saved: the file changed where the stroke went, and the view shows it.
    screen, saved, original = pixels(sys.argv[2]), pixels(sys.argv[3]), pixels(sys.argv[4])
    left, top = int(sys.argv[5]), int(sys.argv[6])
    changed = [(x, y) for y in range(HEIGHT) for x in range(WIDTH) if saved[x, y] != original[x, y]]
    if not changed:
        print("the saved file holds the sheet as it was before the stroke", file=sys.stderr)
        return 1
    differ = [(x, y) for x, y in INSIDE if screen[left + x, top + y] != saved[x, y]]
    if differ:
        print(f"the saved file is not what the window shows: {len(differ)} pixels differ, the first at {differ[0]} "
              f"({len(changed)} changed by the stroke)", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
