#!/usr/bin/python3
"""Draws every image of the installer skin into skin/img/.

Run with Debian's Python and python3-pil; the CJK captions use the
WenQuanYi Micro Hei font of fonts-wqy-microhei. The output is committed, so a
build never runs this script. Running it again gives the same files.

Everything is drawn at four times its size and scaled down with premultiplied
alpha, which gives smooth rounded corners and anti-aliased edges. Multi-state
images hold their states side by side from left to right; animation strips
hold their frames the same way.
"""
import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, '..', 'img'))
CJK_FONT = '/usr/share/fonts/truetype/wqy/wqy-microhei.ttc'
SCALE = 4

# Palette.
WHITE = (255, 255, 255, 255)
CLEAR = (0, 0, 0, 0)
ACCENT = (22, 119, 255, 255)          # #1677FF
ACCENT_HOT = (64, 150, 255, 255)      # #4096FF
ACCENT_PUSHED = (9, 88, 217, 255)     # #0958D9
ACCENT_LIGHT = (234, 242, 255, 255)   # #EAF2FF
ACCENT_PALE = (214, 230, 255, 255)    # #D6E6FF
DISABLED_FILL = (196, 210, 232, 255)
GREY_BORDER = (208, 213, 221, 255)    # #D0D5DD
GREY_LIGHT = (242, 244, 247, 255)
GREY_TEXT = (138, 148, 166, 255)
GREY_FAINT = (200, 205, 214, 255)
INK = (31, 42, 68, 255)               # headline text
INK_SOFT = (91, 100, 120, 255)        # body text on pictures
RED = (233, 5, 5, 255)                # #E90505
RED_HOT = (255, 77, 79, 255)
RED_PUSHED = (194, 4, 4, 255)
RED_LIGHT = (255, 238, 238, 255)
TRACK = (232, 238, 247, 255)
PANEL = (247, 249, 252, 255)
PANEL_BORDER = (230, 235, 243, 255)

_fonts = {}


def font(size):
    key = round(size)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(CJK_FONT, key, index=0)
    return _fonts[key]


def rgba(c, alpha=None):
    c = tuple(c)
    if len(c) == 3:
        c = c + (255,)
    if alpha is not None:
        c = c[:3] + (alpha,)
    return c


def mix(c1, c2, t):
    return tuple(round(a + (b - a) * t) for a, b in zip(rgba(c1), rgba(c2)))


class Canvas:
    """An RGBA picture drawn at SCALE times its size; coordinates are in final pixels."""

    def __init__(self, w, h, bg=CLEAR, scale=SCALE):
        self.w, self.h, self.s = w, h, scale
        self.img = Image.new('RGBA', (w * scale, h * scale), rgba(bg))

    # -- geometry helpers
    def _box(self, box):
        x0, y0, x1, y1 = box
        s = self.s
        return (round(x0 * s), round(y0 * s), round(x1 * s) - 1, round(y1 * s) - 1)

    def _layer(self):
        return Image.new('RGBA', self.img.size, CLEAR)

    def mask(self):
        return Image.new('L', self.img.size, 0)

    def rrect_mask(self, box, r):
        m = self.mask()
        ImageDraw.Draw(m).rounded_rectangle(self._box(box), max(0, r * self.s), fill=255)
        return m

    def ellipse_mask(self, box):
        m = self.mask()
        ImageDraw.Draw(m).ellipse(self._box(box), fill=255)
        return m

    # -- painting
    def paint(self, source, mask=None):
        """Composites a colour or an RGBA image through an optional mask."""
        if isinstance(source, tuple):
            layer = Image.new('RGBA', self.img.size, rgba(source))
        else:
            layer = source if source.size == self.img.size else source.resize(self.img.size, Image.BICUBIC)
            layer = layer.copy()
        if mask is not None:
            alpha = layer.getchannel('A')
            alpha = Image.composite(alpha, Image.new('L', alpha.size, 0), mask)
            layer.putalpha(alpha)
        self.img.alpha_composite(layer)

    def rrect(self, box, r, fill=None, outline=None, width=1.0):
        x0, y0, x1, y1 = box
        inner = (x0 + width, y0 + width, x1 - width, y1 - width)
        if fill is not None:
            self.paint(fill, self.rrect_mask(box, r))
        if outline is not None:
            self.paint(outline, ring(self.rrect_mask(box, r), self.rrect_mask(inner, max(0, r - width))))

    def ellipse(self, box, fill=None, outline=None, width=1.0):
        x0, y0, x1, y1 = box
        inner = (x0 + width, y0 + width, x1 - width, y1 - width)
        if fill is not None:
            self.paint(fill, self.ellipse_mask(box))
        if outline is not None:
            self.paint(outline, ring(self.ellipse_mask(box), self.ellipse_mask(inner)))

    def clip(self, mask):
        """Keeps only the masked part."""
        alpha = self.img.getchannel('A')
        self.img.putalpha(Image.composite(alpha, Image.new('L', alpha.size, 0), mask))

    def shadow(self, box, r, color, blur, offset=(0, 0)):
        m = self.rrect_mask((box[0] + offset[0], box[1] + offset[1], box[2] + offset[0], box[3] + offset[1]), r)
        m = m.filter(ImageFilter.GaussianBlur(blur * self.s))
        self.paint(rgba(color), m)

    def lines(self, points, color, width, joint='curve'):
        layer = self._layer()
        pts = [(x * self.s, y * self.s) for x, y in points]
        ImageDraw.Draw(layer).line(pts, fill=rgba(color), width=round(width * self.s), joint=joint)
        # Round caps.
        d = ImageDraw.Draw(layer)
        rr = width * self.s / 2
        for x, y in (pts[0], pts[-1]):
            d.ellipse((x - rr, y - rr, x + rr, y + rr), fill=rgba(color))
        self.img.alpha_composite(layer)

    def polygon(self, points, fill):
        m = self.mask()
        ImageDraw.Draw(m).polygon([(x * self.s, y * self.s) for x, y in points], fill=255)
        self.paint(rgba(fill), m)

    def arc(self, box, start, end, color, width):
        layer = self._layer()
        ImageDraw.Draw(layer).arc(self._box(box), start, end, fill=rgba(color), width=round(width * self.s))
        self.img.alpha_composite(layer)

    def text(self, xy, text, size, color, anchor='la', bold=False):
        layer = self._layer()
        d = ImageDraw.Draw(layer)
        stroke = max(1, round(size * self.s / 40)) if bold else 0
        d.text((xy[0] * self.s, xy[1] * self.s), text, font=font(size * self.s), fill=rgba(color),
               anchor=anchor, stroke_width=stroke, stroke_fill=rgba(color))
        self.img.alpha_composite(layer)

    def text_width(self, text, size, bold=False):
        stroke = max(1, round(size * self.s / 40)) if bold else 0
        return font(size * self.s).getlength(text) / self.s + 2 * stroke / self.s

    def image(self):
        return downscale(self.img, (self.w, self.h))


def ring(outer, inner):
    """The part of mask `outer` that is not in mask `inner`."""
    return ImageChops.subtract(outer, inner)


def downscale(img, size):
    return img.convert('RGBa').resize(size, Image.BOX).convert('RGBA')


def gradient(size, stops, angle=90.0):
    """An RGBA image of `size` with a linear gradient through `stops` [(t, colour)].

    angle 90 runs top to bottom, 0 left to right. Computed on a small grid and
    scaled up, which is smooth for the gentle gradients of this skin.
    """
    gw, gh = 96, 96
    g = Image.new('RGBA', (gw, gh))
    px = g.load()
    a = math.radians(angle)
    dx, dy = math.cos(a), math.sin(a)
    corners = [(0, 0), (1, 0), (0, 1), (1, 1)]
    proj = [x * dx + y * dy for x, y in corners]
    lo, hi = min(proj), max(proj)
    for j in range(gh):
        for i in range(gw):
            t = ((i / (gw - 1)) * dx + (j / (gh - 1)) * dy - lo) / (hi - lo)
            px[i, j] = sample(stops, t)
    return g.resize(size, Image.BICUBIC)


def sample(stops, t):
    if t <= stops[0][0]:
        return rgba(stops[0][1])
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0) if t1 > t0 else 0)
    return rgba(stops[-1][1])


def strip(frames):
    w = sum(f.width for f in frames)
    h = max(f.height for f in frames)
    out = Image.new('RGBA', (w, h), CLEAR)
    x = 0
    for f in frames:
        out.paste(f, (x, 0))
        x += f.width
    return out


_written = []


def save(img, rel):
    # Truecolour with alpha throughout: the gentle gradients compress better
    # that way than as 256-colour images, and edges keep their exact alpha.
    path = os.path.join(OUT, *rel.split('/'))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.save(path, optimize=True)
    _written.append((rel, img.size, os.path.getsize(path)))


# ---------------------------------------------------------------- window frames

CARD_MARGIN = 10
CARD_RADIUS = 10


def window_background(w, h, panel_top=None):
    """The rounded white card of a window with its soft shadow in a transparent margin."""
    c = Canvas(w, h)
    m = CARD_MARGIN
    card = (m, m, w - m, h - m)
    c.shadow(card, CARD_RADIUS, (16, 36, 80, 70), 4, (0, 1))
    c.shadow(card, CARD_RADIUS, (16, 36, 80, 30), 1, (0, 0))
    c.rrect(card, CARD_RADIUS, fill=WHITE)
    card_mask = c.rrect_mask(card, CARD_RADIUS)
    # A faint blue wash behind the title row.
    wash = gradient(c.img.size, [(0.0, (232, 241, 255, 255)), (130 / h, (255, 255, 255, 0)), (1.0, (255, 255, 255, 0))])
    c.paint(wash, card_mask)
    if panel_top is not None:
        # The fold-out panel of the custom install sits on a light band.
        band = c.rrect_mask((m, panel_top, w - m, h - m), 0)
        band = Image.composite(band, Image.new('L', band.size, 0), card_mask)
        c.paint(PANEL, band)
        c.paint((225, 231, 240, 255), c.rrect_mask((m, panel_top, w - m, panel_top + 1), 0))
    # Hairline border for light desktops.
    ring = c.rrect_mask(card, CARD_RADIUS)
    inner = c.rrect_mask((m + 1, m + 1, w - m - 1, h - m - 1), CARD_RADIUS - 1)
    ring = Image.composite(Image.new('L', ring.size, 0), ring, inner)
    c.paint((200, 210, 226, 160), ring)
    return c.image()


def make_backgrounds():
    save(window_background(819, 574), 'common/bg.png')
    save(window_background(819, 698, panel_top=564), 'inst/bg_dropdown.png')
    # The white body of the version page.
    c = Canvas(767, 398)
    c.rrect((0, 0, 767, 398), 8, fill=PANEL, outline=PANEL_BORDER, width=1)
    save(c.image(), 'common/bg_white.png')
    # Message box: a small card, stretched by nine-part scaling.
    c = Canvas(152, 152)
    card = (8, 8, 144, 144)
    c.shadow(card, 8, (16, 36, 80, 80), 3.5, (0, 1))
    c.rrect(card, 8, fill=WHITE)
    ring = c.rrect_mask(card, 8)
    ring = Image.composite(Image.new('L', ring.size, 0), ring, c.rrect_mask((9, 9, 143, 143), 7))
    c.paint((200, 210, 226, 160), ring)
    save(c.image(), 'msgbox/bg.png')


# ---------------------------------------------------------------- title row

def make_title_row():
    c = Canvas(24, 24)
    c.paint(gradient(c.img.size, [(0, (77, 163, 255)), (1, (22, 100, 240))], angle=60), c.rrect_mask((0, 0, 24, 24), 6))
    # A "Q" ring with a spark: the product mark.
    c.ellipse((5, 5, 19, 19), outline=WHITE, width=2.4)
    c.lines([(14.5, 14.5), (19, 19)], WHITE, 2.4)
    c.ellipse((10.2, 10.2, 13.8, 13.8), fill=WHITE)
    save(c.image(), 'common/logo.png')

    c = Canvas(98, 21)
    c.text((0, 10.5), 'QIRA', 15, INK, anchor='lm', bold=True)
    x = c.text_width('QIRA', 15, bold=True) + 6
    c.rrect((x, 5, x + 1, 16), 0, fill=GREY_FAINT)
    c.text((x + 6, 10.5), '安装向导', 12.5, INK_SOFT, anchor='lm')
    save(c.image(), 'common/title.png')

    # Minimise and close: normal, hot, pushed, disabled.
    def caption_button(glyph, hot_fill, hot_glyph, pushed_fill):
        states = []
        for state in ('normal', 'hot', 'pushed', 'disabled'):
            c = Canvas(24, 24)
            color = {'normal': GREY_TEXT, 'hot': hot_glyph, 'pushed': hot_glyph, 'disabled': GREY_FAINT}[state]
            if state == 'hot':
                c.rrect((0, 0, 24, 24), 6, fill=hot_fill)
            elif state == 'pushed':
                c.rrect((0, 0, 24, 24), 6, fill=pushed_fill)
            glyph(c, color)
            states.append(c.image())
        return strip(states)

    def cross(c, color):
        c.lines([(7.5, 7.5), (16.5, 16.5)], color, 1.6)
        c.lines([(16.5, 7.5), (7.5, 16.5)], color, 1.6)

    def dash(c, color):
        c.lines([(7, 12), (17, 12)], color, 1.6)

    save(caption_button(cross, (240, 70, 70, 255), WHITE, (200, 40, 40, 255)), 'common/btn_close.png')
    save(caption_button(dash, (232, 237, 245, 255), INK, (214, 222, 235, 255)), 'common/btn_min.png')


# ---------------------------------------------------------------- buttons

def filled_button(w, h, r, fills, shadow=None, face=None):
    """States normal, hot, pushed, disabled of a filled button.

    fills: dict state -> top/bottom colours of a vertical gradient.
    face: the rectangle of the button face inside the state (room for a shadow).
    """
    face = face or (0, 0, w, h)
    states = []
    for state in ('normal', 'hot', 'pushed', 'disabled'):
        c = Canvas(w, h)
        top, bottom = fills[state]
        box = face
        if shadow and state in ('normal', 'hot'):
            c.shadow((face[0] + 4, face[1] + 4, face[2] - 4, face[3]), r, rgba(shadow, 90 if state == 'hot' else 70), 4, (0, 3))
        if state == 'pushed':
            box = (face[0], face[1] + 1, face[2], face[3] + 1)
        c.paint(gradient(c.img.size, [(0, top), (1, bottom)]), c.rrect_mask(box, r))
        # A thin highlight along the top edge.
        if state != 'disabled':
            hl = Image.composite(c.rrect_mask(box, r), Image.new('L', c.img.size, 0),
                                 c.rrect_mask((box[0], box[1], box[2], box[1] + 1.2), 0))
            c.paint((255, 255, 255, 50), hl)
        states.append(c.image())
    return strip(states)


BLUE_FILLS = {
    'normal': ((58, 144, 255), (22, 119, 255)),
    'hot': ((92, 166, 255), (58, 144, 255)),
    'pushed': ((16, 104, 235), (9, 88, 217)),
    'disabled': ((206, 218, 236), (196, 210, 232)),
}


def bordered_button(w, h, r, color, hot_fill, pushed_fill, pushed_color):
    states = []
    for state in ('normal', 'hot', 'pushed', 'disabled'):
        c = Canvas(w, h)
        if state == 'normal':
            c.rrect((0, 0, w, h), r, fill=WHITE, outline=color, width=1)
        elif state == 'hot':
            c.rrect((0, 0, w, h), r, fill=hot_fill, outline=color, width=1)
        elif state == 'pushed':
            c.rrect((0, 0, w, h), r, fill=pushed_fill, outline=pushed_color, width=1)
        else:
            c.rrect((0, 0, w, h), r, fill=GREY_LIGHT, outline=GREY_BORDER, width=1)
        states.append(c.image())
    return strip(states)


def make_buttons():
    save(filled_button(228, 62, 25, BLUE_FILLS, shadow=ACCENT, face=(4, 4, 224, 54)), 'common/btn_blue_228x62.png')
    save(filled_button(60, 34, 4, BLUE_FILLS), 'common/btn_blue_radius4.png')
    save(filled_button(60, 34, 6, BLUE_FILLS), 'msgbox/btn_blue.png')
    save(filled_button(88, 30, 4, BLUE_FILLS), 'inst/btn_re_check.png')
    save(bordered_button(88, 30, 4, ACCENT, ACCENT_LIGHT, ACCENT_PALE, ACCENT_PUSHED), 'common/btn_blue_border_radius4.png')
    save(bordered_button(88, 30, 4, RED, RED_LIGHT, (255, 220, 220, 255), RED_PUSHED), 'inst/btn_red_border_radisu4.png')
    save(bordered_button(100, 34, 4, ACCENT, ACCENT_LIGHT, ACCENT_PALE, ACCENT_PUSHED), 'inst/btn_blue_border_100x34.png')
    # The message box's plain button: grey border that turns blue.
    states = []
    for state in ('normal', 'hot', 'pushed', 'disabled'):
        c = Canvas(60, 34)
        if state == 'normal':
            c.rrect((0, 0, 60, 34), 6, fill=WHITE, outline=GREY_BORDER, width=1)
        elif state == 'hot':
            c.rrect((0, 0, 60, 34), 6, fill=WHITE, outline=ACCENT_HOT, width=1)
        elif state == 'pushed':
            c.rrect((0, 0, 60, 34), 6, fill=ACCENT_LIGHT, outline=ACCENT_PUSHED, width=1)
        else:
            c.rrect((0, 0, 60, 34), 6, fill=GREY_LIGHT, outline=(226, 229, 234, 255), width=1)
        states.append(c.image())
    save(strip(states), 'msgbox/btn_white.png')


# ---------------------------------------------------------------- check boxes

def check_mark(c, box, color, width):
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    c.lines([(x0 + w * 0.24, y0 + h * 0.52), (x0 + w * 0.43, y0 + h * 0.70), (x0 + w * 0.77, y0 + h * 0.32)], color, width, joint='curve')


def square_check(size, radius):
    states = []
    for state in ('normal', 'hot', 'selected', 'disabled'):
        c = Canvas(size, size)
        box = (0, 0, size, size)
        if state == 'normal':
            c.rrect(box, radius, fill=WHITE, outline=(192, 198, 208, 255), width=1)
        elif state == 'hot':
            c.rrect(box, radius, fill=WHITE, outline=ACCENT, width=1)
        elif state == 'selected':
            c.rrect(box, radius, fill=ACCENT)
            check_mark(c, box, WHITE, size / 9)
        else:
            c.rrect(box, radius, fill=GREY_LIGHT, outline=(214, 218, 224, 255), width=1)
        states.append(c.image())
    return strip(states)


def round_check(size):
    states = []
    for state in ('normal', 'hot', 'selected', 'disabled'):
        c = Canvas(size, size)
        box = (0, 0, size, size)
        if state == 'normal':
            c.ellipse(box, fill=WHITE, outline=(192, 198, 208, 255), width=1)
        elif state == 'hot':
            c.ellipse(box, fill=ACCENT_LIGHT, outline=ACCENT, width=1)
        elif state == 'selected':
            c.ellipse(box, fill=ACCENT)
            check_mark(c, box, WHITE, size / 9)
        else:
            c.ellipse(box, fill=GREY_LIGHT, outline=(214, 218, 224, 255), width=1)
        states.append(c.image())
    return strip(states)


def make_check_boxes():
    save(square_check(14, 3), 'common/chk_14x14.png')
    save(square_check(16, 3.5), 'common/chk_16x16.png')
    save(round_check(16), 'inst/chk_lic.png')
    # The fold-out switch of the custom install: a chevron, down while folded,
    # up while open; states normal, hot, pushed, disabled, then the same selected.
    states = []
    for selected in (False, True):
        for state in ('normal', 'hot', 'pushed', 'disabled'):
            c = Canvas(14, 14)
            color = {'normal': GREY_TEXT, 'hot': ACCENT, 'pushed': ACCENT_PUSHED, 'disabled': GREY_FAINT}[state]
            if selected and state == 'normal':
                color = ACCENT
            if state in ('hot', 'pushed'):
                c.ellipse((0, 0, 14, 14), fill=ACCENT_LIGHT if state == 'hot' else ACCENT_PALE)
            if selected:
                c.lines([(4, 8.5), (7, 5.5), (10, 8.5)], color, 1.5)
            else:
                c.lines([(4, 5.5), (7, 8.5), (10, 5.5)], color, 1.5)
            states.append(c.image())
    save(strip(states), 'inst/chk_custom_install.png')


# ---------------------------------------------------------------- bars

def bar(w, h, stops, track=None):
    c = Canvas(w, h)
    r = h / 2
    if track:
        c.rrect((0, 0, w, h), r, fill=track)
    else:
        c.paint(gradient(c.img.size, stops, angle=0), c.rrect_mask((0, 0, w, h), r))
    return c.image()


def make_bars():
    save(bar(659, 12, None, track=TRACK), 'common/prog_bg.png')
    save(bar(659, 12, [(0, (105, 178, 255)), (1, (22, 119, 255))]), 'common/prog_fg.png')
    save(bar(659, 12, [(0, (255, 110, 100)), (1, (233, 5, 5))]), 'inst/prog_err_fg.png')
    make_install_strip()
    make_check_gif()


def make_install_strip():
    """48 opaque frames of 767x12: a blue bar with moving stripes and a passing sheen.

    Opaque so the red background colour of the control only shows once the
    strip is taken away after a failed installation; the rounded ends are
    blended with the white panel behind them.
    """
    w, h, n = 767, 12, 48
    base_s = 4
    stripes = Canvas(w + 64, h, scale=base_s)
    stripes.paint(gradient(stripes.img.size, [(0, (64, 150, 255)), (1, (22, 119, 255))], angle=0))
    for k in range(-2, (w + 64) // 16 + 2):
        x = k * 16
        stripes.polygon([(x, 0), (x + 8, 0), (x + 8 - 12, h), (x - 12, h)], (255, 255, 255, 46))
    stripe_img = stripes.img
    frames = []
    for i in range(n):
        c = Canvas(w, h, bg=WHITE, scale=base_s)
        shift = (i * 64 // n) % 64  # the loop moves the stripes by four periods
        layer = Image.new('RGBA', c.img.size, CLEAR)
        layer.paste(stripe_img.crop(((64 - shift) * base_s, 0, (64 - shift + w) * base_s, h * base_s)), (0, 0))
        # The sheen crosses the bar once per loop, entering from the left.
        cx = -160 + (w + 320) * i / n
        sheen = Image.new('RGBA', c.img.size, CLEAR)
        sd = ImageDraw.Draw(sheen)
        for dx in range(-160, 161, 2):
            a = round(90 * math.exp(-(dx / 70.0) ** 2))
            x = (cx + dx) * base_s
            sd.rectangle((x, 0, x + 2 * base_s - 1, h * base_s), fill=(255, 255, 255, a))
        layer.alpha_composite(sheen)
        m = c.rrect_mask((0, 0, w, h), h / 2)
        c.paint(layer, m)
        frames.append(c.image())
    save(strip(frames), 'inst/seq_inst.png')


def make_check_gif():
    """31 frames of 766x12, 30 ms each: a segment sweeping along a light track."""
    w, h, n = 766, 12, 31
    frames = []
    for i in range(n):
        c = Canvas(w, h, bg=WHITE, scale=2)
        c.rrect((0, 0, w, h), h / 2, fill=TRACK)
        seg = 220
        x0 = -seg + (w + seg) * (i + 0.5) / n
        seg_mask = c.rrect_mask((x0, 0, x0 + seg, h), h / 2)
        track = c.rrect_mask((0, 0, w, h), h / 2)
        seg_mask = Image.composite(seg_mask, Image.new('L', seg_mask.size, 0), track)
        # The gradient follows the segment rather than the track.
        seg_img = Image.new('RGBA', c.img.size, CLEAR)
        sx0 = round(x0 * c.s)
        piece = gradient((seg * c.s, h * c.s), [(0, (22, 119, 255, 0)), (0.35, (64, 150, 255, 255)), (1, (22, 119, 255, 255))], angle=0)
        seg_img.paste(piece, (sx0, 0))
        c.paint(seg_img, seg_mask)
        frames.append(c.image().convert('RGB'))
    path = os.path.join(OUT, 'inst', 'check.gif')
    os.makedirs(os.path.dirname(path), exist_ok=True)
    palette_src = strip(frames[::5]).convert('RGB').quantize(128, method=Image.Quantize.MEDIANCUT)
    pal = [f.quantize(palette=palette_src, dither=Image.Dither.NONE) for f in frames]
    pal[0].save(path, save_all=True, append_images=pal[1:], duration=30, loop=0, disposal=1, optimize=False)
    _written.append(('inst/check.gif', (w, h), os.path.getsize(path)))


# ---------------------------------------------------------------- lines, field, icons

def make_lines_and_field():
    c = Canvas(719, 1, scale=1)
    px = c.img.load()
    for x in range(719):
        t = min(x, 718 - x) / 60.0
        px[x, 0] = (224, 230, 239, round(255 * min(1.0, t)))
    save(c.img, 'inst/h_line.png')
    c = Canvas(1, 287, scale=1)
    px = c.img.load()
    for y in range(287):
        t = min(y, 286 - y) / 50.0
        px[0, y] = (224, 230, 239, round(255 * min(1.0, t)))
    save(c.img, 'inst/v_line.png')

    c = Canvas(573, 38)
    c.rrect((0, 0, 573, 38), 4, fill=WHITE, outline=(213, 219, 229, 255), width=1)
    # Folder glyph at the right end of the field.
    fx, fy = 549, 12
    c.rrect((fx, fy + 1, fx + 14, fy + 13), 2, fill=(190, 200, 216, 255))
    c.rrect((fx, fy, fx + 6, fy + 4), 1.5, fill=(190, 200, 216, 255))
    c.rrect((fx + 0.5, fy + 4, fx + 13.5, fy + 12.5), 1.5, fill=(214, 222, 234, 255))
    save(c.image(), 'inst/edit_install_path.png')


def make_icons():
    col = ACCENT
    sw = 1.5

    def icon():
        return Canvas(18, 18)

    c = icon()  # processor: a chip with pins
    c.rrect((4, 4, 14, 14), 2, outline=col, width=sw)
    c.rrect((7, 7, 11, 11), 1, fill=col)
    for p in (6.5, 9, 11.5):
        c.lines([(p, 1.5), (p, 3.5)], col, 1.2)
        c.lines([(p, 14.5), (p, 16.5)], col, 1.2)
        c.lines([(1.5, p), (3.5, p)], col, 1.2)
        c.lines([(14.5, p), (16.5, p)], col, 1.2)
    save(c.image(), 'inst/cpu_icon.png')

    c = icon()  # graphics adapter: a card with a fan
    c.rrect((1.5, 4, 16.5, 13.5), 2, outline=col, width=sw)
    c.ellipse((4, 5.8, 10, 11.8), outline=col, width=1.3)
    c.rrect((12, 7, 14.5, 8.5), 0.5, fill=col)
    c.rrect((12, 9.5, 14.5, 11), 0.5, fill=col)
    c.lines([(4, 13.5), (4, 16)], col, 1.3)
    c.lines([(8, 13.5), (8, 16)], col, 1.3)
    save(c.image(), 'inst/graphics_card_icon.png')

    c = icon()  # hard disk
    c.rrect((2, 3, 16, 15), 2.5, outline=col, width=sw)
    c.lines([(2.5, 10.5), (15.5, 10.5)], col, 1.2)
    c.ellipse((12, 11.8, 14, 13.8), fill=col)
    c.ellipse((7, 4.8, 11, 8.8), outline=col, width=1.2)
    save(c.image(), 'inst/hdd_icon.png')

    c = icon()  # memory module
    c.rrect((1.5, 5, 16.5, 12.5), 1.5, outline=col, width=sw)
    for x in (4.5, 8, 11.5):
        c.rrect((x, 7, x + 2, 10.5), 0.5, fill=col)
    for x in (3, 5.5, 8, 10.5, 13, 15):
        c.lines([(x, 12.5), (x, 15)], col, 1.1)
    save(c.image(), 'inst/memory_icon.png')

    c = icon()  # operating system: four panes
    for x, y in ((2, 2), (10, 2), (2, 10), (10, 10)):
        c.rrect((x, y, x + 6, y + 6), 1.2, fill=col)
    save(c.image(), 'inst/os_icon.png')

    c = icon()  # network connection: a globe
    c.ellipse((2, 2, 16, 16), outline=col, width=sw)
    c.ellipse((6, 2.2, 12, 15.8), outline=col, width=1.2)
    c.lines([(2.8, 9), (15.2, 9)], col, 1.2)
    save(c.image(), 'inst/ctr_connect.png')

    c = Canvas(16, 16)  # warning sign of the message box
    c.ellipse((0, 0, 16, 16), fill=(250, 140, 22, 255))
    c.lines([(8, 4), (8, 9.2)], WHITE, 1.9)
    c.ellipse((7, 10.8, 9, 12.8), fill=WHITE)
    save(c.image(), 'msgbox/icon_warning.png')


# ---------------------------------------------------------------- version options

def make_option():
    """Variant option card, 318x108 per state: normal, hot, selected, disabled.

    The radio mark sits in the unscaled top-left corner (48x40) of the
    nine-part stretch the markup applies.
    """
    w, h = 318, 108
    states = []
    for state in ('normal', 'hot', 'selected', 'disabled'):
        c = Canvas(w, h)
        box = (1, 1, w - 1, h - 1)
        if state == 'normal':
            c.rrect(box, 8, fill=WHITE, outline=(222, 227, 235, 255), width=1)
        elif state == 'hot':
            c.shadow(box, 8, (22, 119, 255, 40), 1.5, (0, 0))
            c.rrect(box, 8, fill=WHITE, outline=ACCENT_HOT, width=1)
        elif state == 'selected':
            c.rrect(box, 8, fill=(243, 248, 255, 255), outline=ACCENT, width=1.5)
        else:
            c.rrect(box, 8, fill=(246, 247, 249, 255), outline=(232, 234, 238, 255), width=1)
        radio = (17, 15, 33, 31)
        if state == 'selected':
            c.ellipse(radio, fill=ACCENT)
            c.ellipse((21.5, 19.5, 28.5, 26.5), fill=WHITE)
        elif state == 'hot':
            c.ellipse(radio, fill=WHITE, outline=ACCENT, width=1.3)
        elif state == 'disabled':
            c.ellipse(radio, fill=GREY_LIGHT, outline=(214, 218, 224, 255), width=1.2)
        else:
            c.ellipse(radio, fill=WHITE, outline=(192, 198, 208, 255), width=1.2)
        states.append(c.image())
    save(strip(states), 'inst/opt_model.png')


# ---------------------------------------------------------------- introduction pictures

INTRO = [
    ('QIRA 桌面 AI 助手', '聪明又贴心的智能伙伴，就在你的桌面', ['随时唤起', '多轮对话', '中文优化'],
     [(0, (232, 241, 255)), (1, (241, 236, 255))], 'chat'),
    ('本地运行 · 隐私无忧', '模型在你的电脑上运行，数据不离开本机', ['离线可用', '数据本地', '安全可靠'],
     [(0, (228, 247, 244)), (1, (233, 242, 255))], 'shield'),
    ('写作 · 翻译 · 总结', '一句话完成复杂的文字工作，效率倍增', ['文案润色', '多语翻译', '长文摘要'],
     [(0, (255, 244, 232)), (1, (238, 242, 255))], 'doc'),
    ('知识问答 随问随答', '学习、工作与生活中的问题，都可以问 QIRA', ['学习辅导', '办公助手', '生活百科'],
     [(0, (238, 240, 255)), (1, (230, 244, 255))], 'bulb'),
    ('为你的电脑量身适配', '自动匹配最适合本机硬件的模型版本', ['智能检测', '按需下载', '一键安装'],
     [(0, (233, 245, 255)), (1, (237, 233, 255))], 'chip'),
]

MINI = [
    ('智能对话', '自然流畅的多轮交流', 'chat', [(0, (232, 241, 255)), (1, (241, 236, 255))]),
    ('本地运行', '数据安全不出本机', 'shield', [(0, (228, 247, 244)), (1, (233, 242, 255))]),
    ('高效写作', '润色、翻译、总结', 'doc', [(0, (255, 244, 232)), (1, (238, 242, 255))]),
    ('硬件适配', '为本机挑选合适版本', 'chip', [(0, (233, 245, 255)), (1, (237, 233, 255))]),
]


def soft_card(c, box, r=12, fill=WHITE, shadow_alpha=40):
    c.shadow(box, r, (30, 60, 120, shadow_alpha), 8, (0, 6))
    c.rrect(box, r, fill=fill)


def blob(c, cx, cy, rad, color):
    m = c.ellipse_mask((cx - rad, cy - rad, cx + rad, cy + rad)).filter(ImageFilter.GaussianBlur(rad * c.s * 0.35))
    c.paint(rgba(color), m)


def art_chat(c, x, y, k=1.0):
    """A small chat window: user bubble, answer bubble, input line."""
    W, H = 280 * k, 220 * k
    soft_card(c, (x, y, x + W, y + H), 14 * k)
    c.rrect((x, y, x + W, y + 34 * k), 14 * k, fill=(246, 249, 255, 255))
    c.rrect((x, y + 20 * k, x + W, y + 34 * k), 0, fill=(246, 249, 255, 255))
    for i, col in enumerate(((255, 95, 87), (255, 189, 46), (39, 201, 63))):
        c.ellipse((x + (14 + i * 14) * k, y + 12 * k, x + (24 + i * 14) * k, y + 22 * k), fill=col)
    # user bubble (right, blue)
    c.rrect((x + 120 * k, y + 50 * k, x + W - 16 * k, y + 80 * k), 12 * k, fill=ACCENT)
    c.rrect((x + 134 * k, y + 62 * k, x + 230 * k, y + 68 * k), 3 * k, fill=(255, 255, 255, 200))
    # answer bubble (left, grey)
    c.ellipse((x + 14 * k, y + 94 * k, x + 38 * k, y + 118 * k), fill=(77, 163, 255))
    c.ellipse((x + 21 * k, y + 101 * k, x + 31 * k, y + 111 * k), outline=WHITE, width=2 * k)
    c.rrect((x + 46 * k, y + 92 * k, x + W - 30 * k, y + 160 * k), 12 * k, fill=(241, 244, 250, 255))
    for j, ww in enumerate((170, 150, 110)):
        c.rrect((x + 60 * k, y + (106 + j * 16) * k, x + (60 + ww) * k, y + (112 + j * 16) * k), 3 * k, fill=(196, 206, 222, 255))
    # input line
    c.rrect((x + 14 * k, y + H - 42 * k, x + W - 14 * k, y + H - 14 * k), 14 * k, fill=WHITE, outline=(222, 228, 238, 255), width=1.2 * k)
    c.ellipse((x + W - 40 * k, y + H - 38 * k, x + W - 18 * k, y + H - 18 * k), fill=ACCENT)
    c.lines([(x + W - 34 * k, y + H - 28 * k), (x + W - 24 * k, y + H - 28 * k)], WHITE, 2 * k)
    c.lines([(x + W - 28 * k, y + H - 32 * k), (x + W - 24 * k, y + H - 28 * k), (x + W - 28 * k, y + H - 24 * k)], WHITE, 2 * k)


def art_shield(c, x, y, k=1.0):
    W, H = 280 * k, 220 * k
    cx, cy = x + W / 2, y + H / 2
    # A laptop behind the shield.
    soft_card(c, (x + 20 * k, y + 40 * k, x + W - 20 * k, y + H - 40 * k), 10 * k)
    c.rrect((x + 32 * k, y + 52 * k, x + W - 32 * k, y + H - 52 * k), 6 * k, fill=(236, 242, 252, 255))
    c.rrect((x, y + H - 40 * k, x + W, y + H - 26 * k), 7 * k, fill=(214, 224, 240, 255))
    # The shield: a flat top rising to a point, curved sides meeting below.
    sw, sh = 108 * k, 128 * k
    top = cy - sh / 2 - 6 * k
    pts = [(cx - sw / 2, top + 10 * k), (cx, top - 4 * k), (cx + sw / 2, top + 10 * k)]
    for t in range(0, 41):
        u = t / 40
        pts.append((cx + sw / 2 * (1 - u ** 1.6), top + 10 * k + (sh - 10 * k) * (u ** 0.9)))
    for t in range(40, -1, -1):
        u = t / 40
        pts.append((cx - sw / 2 * (1 - u ** 1.6), top + 10 * k + (sh - 10 * k) * (u ** 0.9)))
    m = c.mask()
    ImageDraw.Draw(m).polygon([(px * c.s, py * c.s) for px, py in pts], fill=255)
    sh_blur = m.filter(ImageFilter.GaussianBlur(8 * k * c.s))
    c.paint((22, 119, 255, 70), sh_blur)
    c.paint(gradient(c.img.size, [(0, (92, 170, 255)), (1, (22, 100, 240))], angle=70), m)
    check_mark(c, (cx - 34 * k, top + 22 * k, cx + 34 * k, top + 90 * k), WHITE, 9 * k)


def art_doc(c, x, y, k=1.0):
    H = 220 * k
    soft_card(c, (x + 30 * k, y, x + 210 * k, y + H), 12 * k)
    c.rrect((x + 50 * k, y + 24 * k, x + 150 * k, y + 36 * k), 4 * k, fill=(38, 50, 78, 255))
    for j, ww in enumerate((140, 124, 136, 96, 130, 112, 70)):
        col = (200, 210, 226, 255) if j != 3 else (120, 176, 255, 255)
        c.rrect((x + 50 * k, y + (56 + j * 20) * k, x + (50 + ww) * k, y + (63 + j * 20) * k), 3.5 * k, fill=col)
    # A floating translation chip and a sparkle.
    soft_card(c, (x + 160 * k, y + 120 * k, x + 276 * k, y + 176 * k), 12 * k, fill=ACCENT, shadow_alpha=60)
    c.text((x + 218 * k, y + 148 * k), '文 → A', 20 * k, WHITE, anchor='mm', bold=True)
    star(c, x + 236 * k, y + 50 * k, 20 * k, (255, 180, 60, 255))
    star(c, x + 262 * k, y + 82 * k, 10 * k, (120, 176, 255, 255))


def star(c, cx, cy, r, color):
    pts = []
    for i in range(8):
        ang = math.pi / 4 * i - math.pi / 2
        rr = r if i % 2 == 0 else r * 0.32
        pts.append((cx + rr * math.cos(ang), cy + rr * math.sin(ang)))
    c.polygon(pts, color)


def art_bulb(c, x, y, k=1.0):
    # question bubble
    soft_card(c, (x + 10 * k, y + 20 * k, x + 170 * k, y + 90 * k), 16 * k)
    c.text((x + 30 * k, y + 55 * k), '为什么天空是蓝色的？', 13 * k, INK, anchor='lm')
    # answer card with bulb
    soft_card(c, (x + 70 * k, y + 104 * k, x + 276 * k, y + 206 * k), 16 * k)
    c.ellipse((x + 88 * k, y + 122 * k, x + 128 * k, y + 162 * k), fill=(255, 196, 70, 255))
    c.rrect((x + 100 * k, y + 160 * k, x + 116 * k, y + 172 * k), 3 * k, fill=(150, 160, 180, 255))
    c.lines([(x + 102 * k, y + 146 * k), (x + 108 * k, y + 136 * k), (x + 114 * k, y + 146 * k)], WHITE, 2.2 * k)
    for j, ww in enumerate((118, 100, 120, 80)):
        c.rrect((x + 142 * k, y + (126 + j * 18) * k, x + (142 + ww) * k, y + (132 + j * 18) * k), 3 * k,
                fill=(200, 210, 226, 255))
    c.ellipse((x + 186 * k, y + 36 * k, x + 236 * k, y + 86 * k), fill=ACCENT)
    c.text((x + 211 * k, y + 61 * k), '?', 30 * k, WHITE, anchor='mm', bold=True)


def art_chip(c, x, y, k=1.0):
    W, H = 280 * k, 220 * k
    cx, cy = x + W / 2, y + H / 2
    soft_card(c, (cx - 70 * k, cy - 70 * k, cx + 70 * k, cy + 70 * k), 18 * k)
    c.paint(gradient(c.img.size, [(0, (92, 170, 255)), (1, (22, 100, 240))], angle=60),
            c.rrect_mask((cx - 44 * k, cy - 44 * k, cx + 44 * k, cy + 44 * k), 10 * k))
    c.text((cx, cy), 'AI', 34 * k, WHITE, anchor='mm', bold=True)
    for i in range(5):
        p = -48 + i * 24
        for (x0, y0, x1, y1) in (
                (cx + p * k, cy - 70 * k, cx + p * k, cy - 92 * k), (cx + p * k, cy + 70 * k, cx + p * k, cy + 92 * k),
                (cx - 70 * k, cy + p * k, cx - 92 * k, cy + p * k), (cx + 70 * k, cy + p * k, cx + 92 * k, cy + p * k)):
            c.lines([(x0, y0), (x1, y1)], (140, 190, 255, 255), 3 * k)
            c.ellipse((x1 - 4 * k, y1 - 4 * k, x1 + 4 * k, y1 + 4 * k), fill=(140, 190, 255, 255))
    # gauge badges
    soft_card(c, (x + 196 * k, y + 8 * k, x + 280 * k, y + 44 * k), 10 * k)
    c.text((x + 238 * k, y + 26 * k), 'CPU ✓', 12 * k, (22, 160, 90, 255), anchor='mm')
    soft_card(c, (x, y + 176 * k, x + 84 * k, y + 212 * k), 10 * k)
    c.text((x + 42 * k, y + 194 * k), 'GPU ✓', 12 * k, (22, 160, 90, 255), anchor='mm')


ART = {'chat': art_chat, 'shield': art_shield, 'doc': art_doc, 'bulb': art_bulb, 'chip': art_chip}


def page_dots(c, cx, y, count, current):
    total = (count - 1) * 14 + 22
    x = cx - total / 2
    for i in range(count):
        if i == current:
            c.rrect((x, y, x + 22, y + 6), 3, fill=ACCENT)
            x += 22 + 8
        else:
            c.rrect((x, y, x + 6, y + 6), 3, fill=(180, 196, 222, 255))
            x += 6 + 8


def intro_frame(index):
    title, sub, chips, stops, art = INTRO[index]
    w, h = 767, 398
    c = Canvas(w, h, scale=2)
    body = c.rrect_mask((0, 0, w, h), 8)
    c.paint(gradient(c.img.size, stops + [], angle=20), body)
    blob(c, 690, 60, 120, (255, 255, 255, 150))
    blob(c, 120, 380, 140, (255, 255, 255, 120))
    blob(c, 560, 330, 90, rgba(ACCENT, 26))
    # Caption block.
    top = 110
    c.rrect((56, top, 56 + c.text_width('QIRA', 12) + 20, top + 22), 11, fill=rgba(ACCENT, 30))
    c.text((66, top + 11), 'QIRA', 12, ACCENT, anchor='lm', bold=True)
    c.text((56, top + 38), title, 30, INK, anchor='la', bold=True)
    c.text((56, top + 88), sub, 15, INK_SOFT, anchor='la')
    x = 56
    for chip in chips:
        tw = c.text_width(chip, 13)
        c.rrect((x, top + 130, x + tw + 26, top + 158), 14, fill=(255, 255, 255, 220))
        c.ellipse((x + 10, top + 141, x + 16, top + 147), fill=ACCENT)
        c.text((x + 20, top + 144), chip, 13, INK_SOFT, anchor='lm')
        x += tw + 26 + 10
    ART[art](c, 440, 80)
    page_dots(c, w / 2, 370, len(INTRO), index)
    c.clip(body)
    return c.image()


def mini_frame(index):
    title, sub, art, stops = MINI[index]
    w, h = 330, 350
    c = Canvas(w, h, scale=2)
    body = c.rrect_mask((0, 0, w, h), 10)
    c.paint(gradient(c.img.size, stops, angle=60), body)
    blob(c, 290, 40, 80, (255, 255, 255, 150))
    blob(c, 40, 260, 90, (255, 255, 255, 110))
    ART[art](c, 40, 34, k=0.9)
    c.text((w / 2, 262), title, 22, INK, anchor='mm', bold=True)
    c.text((w / 2, 294), sub, 14, INK_SOFT, anchor='mm')
    page_dots(c, w / 2, 324, len(MINI), index)
    c.clip(body)
    return c.image()


def make_intro():
    save(strip([intro_frame(i) for i in range(len(INTRO))]), 'inst/seq_introduce.png')
    save(strip([mini_frame(i) for i in range(len(MINI))]), 'inst/seq_mini_introduce.png')


def main():
    only = set(sys.argv[1:])
    steps = [('backgrounds', make_backgrounds), ('title', make_title_row), ('buttons', make_buttons),
             ('checks', make_check_boxes), ('bars', make_bars), ('lines', make_lines_and_field),
             ('icons', make_icons), ('option', make_option), ('intro', make_intro)]
    for name, fn in steps:
        if not only or name in only:
            fn()
    for rel, size, nbytes in _written:
        print(f'{rel:40s} {size[0]:5d}x{size[1]:<4d} {nbytes:8d} bytes')


if __name__ == '__main__':
    main()
