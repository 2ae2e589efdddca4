#!/usr/bin/python3
"""Pixel checks on screenshots of the skin preview.

usage: check_screens.py KIND PREVIEW_OUT IMG_DIR CROP_OUT SHOT [SHOT...]

KIND names the page shown (see CHECKS). PREVIEW_OUT holds the preview's lines
("window X Y W H", "control NAME L T R B VISIBLE", "box ...", "boxcontrol
..."); the window (or, for the message box, the owner and the box) is cut out
of the first screenshot into CROP_OUT. Expected colours come from the skin's
own images, composed as the renderer must compose them, and from the colours
the markup fixes; a blank, shifted or garbled window fails. Prints one line per
check; the exit code is the number of failures.
"""
import sys
from PIL import Image, ImageSequence

kind, out_path, img_dir, crop_path = sys.argv[1:5]
shots = [Image.open(p).convert("RGB") for p in sys.argv[5:]]
failed = 0


def check(name, ok, detail=""):
    global failed
    print(f"ok   {name}" if ok else f"FAIL {name} {detail}")
    failed += 0 if ok else 1


window = None
controls = {}
box = None
boxcontrols = {}
paused = None
for line in open(out_path, encoding="utf-8", errors="replace"):
    words = line.split()
    if not words:
        continue
    if words[0] == "window" and window is None:
        window = tuple(int(v) for v in words[1:5])
    elif words[0] == "control":
        controls[words[1]] = tuple(int(v) for v in words[2:7])
    elif words[0] == "box" and box is None:
        box = tuple(int(v) for v in words[1:5])
    elif words[0] == "boxcontrol":
        boxcontrols[words[1]] = tuple(int(v) for v in words[2:6])
    elif words[0] == "paused":
        paused = (int(words[2]), int(words[3]))

if window is None:
    print("FAIL the preview reported no window")
    sys.exit(1)
wx, wy, ww, wh = window
shot = shots[0]
if box:
    left, top = min(wx, box[0]), min(wy, box[1])
    right, bottom = max(wx + ww, box[0] + box[2]), max(wy + wh, box[1] + box[3])
    shot.crop((left, top, right, bottom)).save(crop_path)
else:
    shot.crop((wx, wy, wx + ww, wy + wh)).save(crop_path)


def image(name):
    return Image.open(f"{img_dir}/{name}").convert("RGBA")


def over(top, under):
    """Non-premultiplied RGBA `top` over opaque RGB `under`."""
    a = top[3] / 255.0
    return tuple(round(t * a + u * (1 - a)) for t, u in zip(top[:3], under))


def with_alpha(rgba, alpha):
    return rgba[:3] + (rgba[3] * alpha // 255,)


def near(a, b, tolerance):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def at(x, y, img=None):
    """Screen pixel at window client point x, y."""
    return (img or shot).getpixel((wx + x, wy + y))


def control(name):
    l, t, r, b, visible = controls[name]
    return l - wx, t - wy, r - wx, b - wy, visible


def count_colour(rect, colour, tolerance=40, img=None):
    l, t, r, b = rect[:4]
    return sum(1 for y in range(t, b) for x in range(l, r) if near(at(x, y, img), colour, tolerance))


def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def card_checks(card_name):
    card = image(card_name)
    check("window size is the card's", (ww, wh) == card.size, f"window {ww}x{wh}, card {card.size}")
    for x, y in [(13, 300), (ww - 14, wh - 14)]:
        want = card.getpixel((x, y))[:3]
        check(f"card background at {x},{y}", near(at(x, y), want, 2), f"got {at(x, y)}, want {want}")
    logo = image("common/logo.png")
    for x, y in [(12, 12), (6, 18)]:
        want = over(logo.getpixel((x, y)), card.getpixel((26 + x, 20 + y))[:3])
        check(f"logo pixel {x},{y} at its natural size", near(at(26 + x, 20 + y), want, 3),
              f"got {at(26 + x, 20 + y)}, want {want}")
    return card


def corner_pixel(name, file, slice_left, dx, dy, under):
    """A pixel of a button's unscaled left border (nine-part corner)."""
    l, t, r, b, visible = control(name)
    check(f"{name} is visible", visible == 1)
    src = image(file).getpixel((slice_left + dx, dy))
    want = over(src, under(l + dx, t + dy))
    got = at(l + dx, t + dy)
    check(f"{name} pixel {dx},{dy} is {file}'s", near(got, want, 3), f"got {got}, want {want}")


def text_colour(name, colour, least):
    l, t, r, b, visible = control(name)
    n = count_colour((l, t, r, b), hex_colour(colour), 40)
    check(f"{name} text drawn in {colour}", n >= least, f"{n} pixels of that colour")


def strip_frame(name, file, frames, shot_img):
    """Index of the strip frame that the control shows in `shot_img`, or None."""
    l, t, r, b, _ = control(name)
    strip = image(file)
    w = strip.width // frames
    row = (t + b) // 2 - t
    got = [at(x, (t + b) // 2, shot_img) for x in range(l, r)]
    for k in range(frames):
        want = [strip.getpixel((k * w + i, row))[:3] for i in range(r - l)]
        if all(near(g, q, 3) for g, q in zip(got, want)):
            return k
    return None


def gif_frame(name, file, shot_img):
    l, t, r, b, _ = control(name)
    gif = Image.open(f"{img_dir}/{file}")
    row = (t + b) // 2
    got = [at(x, row, shot_img) for x in range(l, r)]
    for k, frame in enumerate(ImageSequence.Iterator(gif)):
        f = frame.convert("RGBA")
        want = [f.getpixel((i, row - t))[:3] for i in range(r - l)]
        if all(near(g, q, 3) for g, q in zip(got, want)):
            return k
    return None


def check_page():
    card = card_checks("common/bg.png")
    l, t, r, b, visible = control("seq_introduce_check")
    check("introduction picture is 767x398", (r - l, b - t) == (767, 398))
    check("the fade was paused mid-way", paused is not None and 25 <= paused[0] <= 250, f"paused {paused}")
    if paused:
        level, frame = paused
        intro = image("inst/seq_introduce.png")
        for x, y in [(100, 80), (380, 200), (700, 330), (60, 250)]:
            under = card.getpixel((l + x, t + y))[:3]
            first = over(with_alpha(intro.getpixel((frame * 767 + x, y)), 255 - level), under)
            want = over(with_alpha(intro.getpixel(((frame + 1) % 5 * 767 + x, y)), level), first)
            got = at(l + x, t + y)
            check(f"picture at {x},{y} blends frames {frame} and {frame + 1} at {level}", near(got, want, 4),
                  f"got {got}, want {want}")
    frames = [gif_frame("@GifUI", "inst/check.gif", s) for s in shots]
    check("the check bar shows frames of check.gif", all(f is not None for f in frames), f"frames {frames}")
    check("the check bar moves on between screenshots", len(set(frames)) > 1, f"frames {frames}")
    l, t, r, b, _ = control("tab_check_bottom")
    text = count_colour((l + 16, t + 28, l + 400, t + 48), (0x66, 0x66, 0x66), 50)
    check("the checking text is drawn", text > 20, f"{text} pixels")


def check_failed():
    card_checks("common/bg.png")
    corner_pixel("btn_recheck", "inst/btn_re_check.png", 0, 3, 15, lambda x, y: at(x, y))
    l, t, r, b, _ = control("tab_check_bottom")
    failed_text = count_colour((l + 16, t + 28, l + 120, t + 48), hex_colour("#E90505"), 40)
    check("'匹配失败' drawn in red", failed_text >= 15, f"{failed_text} pixels")


def check_no_variant():
    card_checks("common/bg.png")
    text_colour("btn_contact", "#1677FF", 30)
    l, t, r, b, _ = control("btn_contact")
    rows = [sum(1 for x in range(l, r) if near(at(x, y), hex_colour("#1677FF"), 50)) for y in range(t, b)]
    check("'联系我们' is underlined", max(rows) >= 55, f"longest blue row {max(rows)}")


def version_page():
    card = card_checks("common/bg.png")
    corner_pixel("btn_go_step1", "common/btn_blue_radius4.png", 0, 3, 17, lambda x, y: card.getpixel((x, y))[:3])
    text_colour("lbl_models_title", "#333333", 40)


def options_page():
    card = card_checks("common/bg.png")
    l, t, r, b, _ = control("btn_go_step2")
    check("install button is 228x62", (r - l, b - t) == (228, 62))
    corner_pixel("btn_go_step2", "common/btn_blue_228x62.png", 0, 12, 31, lambda x, y: card.getpixel((x, y))[:3])
    check("the custom panel is collapsed", control("vl_custom_install")[4] == 0)


def options_page_custom():
    card = card_checks("inst/bg_dropdown.png")
    check("the custom panel is open", control("vl_custom_install")[4] == 1)
    text_colour("lbl_space", "#E90505", 25)
    corner_pixel("btn_browser", "inst/btn_blue_border_100x34.png", 0, 3, 17,
                 lambda x, y: card.getpixel((x, y))[:3])
    l, t, r, b, _ = control("edit_install_path")
    edit = image("inst/edit_install_path.png")
    want = over(edit.getpixel((4, 19)), card.getpixel((l + 4, t + 19))[:3])
    check("install path field background", near(at(l + 4, t + 19), want, 3), f"got {at(l + 4, t + 19)}, want {want}")


def progress_download():
    card_checks("common/bg.png")
    l, t, r, b, _ = control("prog_download")
    bg = image("common/prog_bg.png")
    y = (b - t) // 2
    want = bg.getpixel((500, y))
    got = at(l + 500, t + y)
    check("unfilled bar shows prog_bg.png", near(got, over(want, image("common/bg.png").getpixel((l + 500, t + y))[:3]), 3),
          f"got {got}")
    filled = at(l + 100, t + y)
    check("filled part is blue", filled[2] > filled[0] + 60, f"got {filled}")
    corner_pixel("btn_dl_pause", "common/btn_blue_border_radius4.png", 0, 3, 15, lambda x, y: at(x, y))


def progress_install():
    card_checks("common/bg.png")
    frames = [strip_frame("seq_inst", "inst/seq_inst.png", 48, s) for s in shots]
    check("the install bar shows frames of seq_inst.png", all(f is not None for f in frames), f"frames {frames}")
    check("the install bar moves on between screenshots", len(set(frames)) > 1, f"frames {frames}")


def progress_launch():
    card = card_checks("common/bg.png")
    corner_pixel("btn_launch", "common/btn_blue_228x62.png", 0, 12, 31, lambda x, y: card.getpixel((x, y))[:3])


def msgbox():
    bx, by, bw, bh = box
    check("box is 333x203", (bw, bh) == (333, 203))
    dx = (bx + bw / 2) - (wx + ww / 2)
    dy = (by + bh / 2) - (wy + wh / 2)
    check("box is centred over its owner", abs(dx) <= 1 and abs(dy) <= 1, f"off by {dx},{dy}")
    bg = image("msgbox/bg.png")

    def box_at(name, dx, dy):
        l, t, r, b = boxcontrols[name]
        return shot.getpixel((l + dx, t + dy))

    white = bg.getpixel((76, 76))[:3]
    for name, file in [("btn1", "msgbox/btn_blue.png"), ("btn0", "msgbox/btn_white.png")]:
        want = over(image(file).getpixel((3, 17)), white)
        got = box_at(name, 3, 17)
        check(f"{name} pixel 3,17 is {file}'s", near(got, want, 3), f"got {got}, want {want}")
    l, t, r, b = boxcontrols["lbl_text"]
    n = sum(1 for y in range(t, b) for x in range(l, r) if near(shot.getpixel((x, y)), (0x33, 0x33, 0x33), 40))
    check("question text drawn", n > 40, f"{n} pixels")
    l, t, r, b = boxcontrols["btn1"]
    n = sum(1 for y in range(t, b) for x in range(l, r) if near(shot.getpixel((x, y)), (255, 255, 255), 20))
    check("'取消' drawn in white on the default button", n > 15, f"{n} pixels")
    icon = image("msgbox/icon_warning.png")
    l, t, r, b = boxcontrols["lbl_caption"]
    want = over(icon.getpixel((8, 4)), white)
    got = shot.getpixel((l + 14 + 8, t + 12 + 4))
    check("warning icon at its place", near(got, want, 3), f"got {got}, want {want}")
    # The owner around the box blends the box's translucent shadow.
    shadow = shot.getpixel((bx + 2, by + bh // 2))
    check("the box's shadow margin is translucent, not black", sum(shadow) > 300, f"got {shadow}")


CHECKS = {
    "check_page": check_page,
    "check_failed": check_failed,
    "check_no_variant": check_no_variant,
    "version_page": version_page,
    "options_page": options_page,
    "options_page_custom": options_page_custom,
    "progress_download": progress_download,
    "progress_install": progress_install,
    "progress_launch": progress_launch,
    "msgbox": msgbox,
}
CHECKS[kind]()
sys.exit(failed)
