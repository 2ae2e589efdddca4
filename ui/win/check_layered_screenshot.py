#!/usr/bin/python3
"""Pixel checks on the screenshot of the layered demo window.

usage: check_layered_screenshot.py BEFORE.png AFTER.png IMG_DIR X Y W H CROP.png DEMO_EXIT_CODE

The expected colours come from the skin images and the scene the demo draws:
fully transparent parts of the card show the desktop as it was before the
window appeared, opaque parts show the images composed as the renderer must
compose them.
"""
import sys
from PIL import Image

before_path, after_path, img_dir = sys.argv[1:4]
x0, y0, w, h = (int(v) for v in sys.argv[4:8])
crop_path, demo_rc = sys.argv[8], int(sys.argv[9])
before = Image.open(before_path).convert("RGB")
after = Image.open(after_path).convert("RGB")
after.crop((x0, y0, x0 + w, y0 + h)).save(crop_path)
bg = Image.open(f"{img_dir}/common/bg.png").convert("RGBA")
intro = Image.open(f"{img_dir}/inst/seq_introduce.png").convert("RGBA")
button = Image.open(f"{img_dir}/common/btn_blue_radius4.png").convert("RGBA")

passed = failed = 0


def check(name, ok, detail=""):
    global passed, failed
    if ok:
        passed += 1
        print(f"ok   {name}")
    else:
        failed += 1
        print(f"FAIL {name} {detail}")


def near(a, b, tolerance):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def over(top, under):
    """Non-premultiplied RGBA `top` over opaque RGB `under`."""
    a = top[3] / 255.0
    return tuple(round(t * a + u * (1 - a)) for t, u in zip(top[:3], under))


def shot(x, y):
    return after.getpixel((x0 + x, y0 + y))


check("the demo exited cleanly (no failed UpdateLayeredWindow)", demo_rc == 0, f"exit code {demo_rc}")
check("window lies on the screen", x0 >= 0 and y0 >= 0 and x0 + w <= after.width and y0 + h <= after.height)

for x, y in [(0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)]:
    check(f"transparent card margin at {x},{y} shows the desktop", bg.getpixel((x, y))[3] == 0
          and shot(x, y) == before.getpixel((x0 + x, y0 + y)), f"got {shot(x, y)}")

white = bg.getpixel((20, 300))
check("opaque card at 20,300 is the background image's colour", near(shot(20, 300), white[:3], 1),
      f"got {shot(20, 300)}, image {white}")

# The introduction picture half-way through a fade, over the card: frame 0 at
# opacity 127, then frame 1 at 128 over it.
def faded(x, y):
    first = over(intro.getpixel((x - 26, y - 66))[:3] + (127,), bg.getpixel((x, y))[:3])
    return over(intro.getpixel((767 + x - 26, y - 66))[:3] + (128,), first)

for x, y in [(100, 100), (400, 250), (700, 400)]:
    check(f"cross-faded picture at {x},{y}", near(shot(x, y), faded(x, y), 4), f"got {shot(x, y)}, want {faded(x, y)}")

for x, y in [(40, 430), (780, 460)]:
    want = tuple(round(c * 0.6) for c in faded(x, y))
    check(f"40% black band at {x},{y}", near(shot(x, y), want, 4), f"got {shot(x, y)}, want {want}")

# The nine-part button keeps its 6-pixel corners unscaled.
for dx, dy in [(2, 17), (3, 3), (149, 30)]:
    sx = dx if dx < 6 else 60 - (152 - dx)
    want = over(button.getpixel((sx, dy)), white[:3])
    check(f"button corner pixel {dx},{dy}", near(shot(334 + dx, 484 + dy), want, 2),
          f"got {shot(334 + dx, 484 + dy)}, want {want}")

def count(box, test):
    left, top, right, bottom = box
    return sum(1 for y in range(top, bottom) for x in range(left, right) if test(shot(x, y)))

check("white text on the button", count((334, 484, 486, 518), lambda p: min(p) > 230) > 20)
check("white text on the black band", count((26, 424, 793, 464), lambda p: min(p) > 230) > 40)
check("red error text", count((26, 530, 400, 552), lambda p: p[0] > 180 and p[1] < 140 and p[2] < 140) > 20)
check("dark grey right-aligned title text", count((600, 530, 793, 552), lambda p: max(p) < 120) > 20)

print(f"{passed} passed, {failed} failed")
sys.exit(0 if failed == 0 else 1)
