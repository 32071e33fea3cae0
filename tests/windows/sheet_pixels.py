"""The window check's pictures (PIL): the sheet it opens, where a screenshot
shows it, and a saved sheet against what the window shows.

  sheet_pixels.py make SHEET.png
  sheet_pixels.py shown SCREEN.png SHEET.png          # prints the view's x y
  sheet_pixels.py saved SCREEN.png SAVED ORIGINAL X Y
"""
import sys

from PIL import Image

WIDTH, HEIGHT = 480, 256


def pixels(path):
    return Image.open(path).convert("RGB").load()


def make(path):
    sheet = Image.new("RGB", (WIDTH, HEIGHT))
    px = sheet.load()
    for y in range(HEIGHT):
        for x in range(WIDTH):
            px[x, y] = ((x * 5 + y) & 255, (y * 9 + x // 16) & 255, ((x // 16 + y // 16) * 37) & 255)
    sheet.save(path)


def agreement(screen, sheet, left, top):
    """The share of the sheet's pixels the screen shows at left, top."""
    same = sum(screen[left + x, top + y] == sheet[x, y] for y in range(HEIGHT) for x in range(WIDTH))
    return same / (WIDTH * HEIGHT)


def shown(screen_path, sheet_path):
    """Where the screen shows the sheet: a row away from the current chip's
    frame finds candidates, the whole picture decides."""
    image = Image.open(screen_path).convert("RGB")
    screen, sheet = image.load(), pixels(sheet_path)
    row = 200
    wanted = [sheet[x, row] for x in range(WIDTH)]
    for top in range(image.height - HEIGHT + 1):
        line = [screen[x, top + row] for x in range(image.width)]
        for left in range(image.width - WIDTH + 1):
            if line[left] == wanted[0] and line[left:left + WIDTH] == wanted:
                if agreement(screen, sheet, left, top) >= 0.98:
                    return left, top
    return None


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
    # saved: the file changed where the stroke went, and the view shows it.
    screen, saved, original = pixels(sys.argv[2]), pixels(sys.argv[3]), pixels(sys.argv[4])
    left, top = int(sys.argv[5]), int(sys.argv[6])
    changed = [(x, y) for y in range(HEIGHT) for x in range(WIDTH) if saved[x, y] != original[x, y]]
    if not changed:
        print("the saved file holds the sheet as it was before the stroke", file=sys.stderr)
        return 1
    unseen = [(x, y) for x, y in changed if screen[left + x, top + y] != saved[x, y]]
    share = agreement(screen, saved, left, top)
    if unseen or share < 0.98:
        print(f"the saved file is not what the window shows ({share:.3f} of the pixels, {len(unseen)} of "
              f"{len(changed)} changed ones differ)", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
