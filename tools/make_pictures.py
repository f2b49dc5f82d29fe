#!/usr/bin/python3
"""Draws Lexo's own pictures into data/pictures/:

    splash.jpg     351 x 151  the picture of the splash and about window
    lexo.png       256 x 256  the program icon
    lexo-48.png     48 x 48   the program icon, small size (drawn more simply)
    lexo.svg                  the program icon as a scalable drawing
    tip.png         64 x 64   the light bulb of the tip-of-the-day window

Everything is drawn here from plain shapes and the DejaVu fonts, so the pictures
carry no third-party art.  The results are committed; run this only to remake
them (Debian: apt-get install python3-pil python3-fonttools fonts-dejavu-core):

    /usr/bin/python3 tools/make_pictures.py
"""

import math
import pathlib

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

FONT_DIR = pathlib.Path("/usr/share/fonts/truetype/dejavu")
BOLD = FONT_DIR / "DejaVuSans-Bold.ttf"
REGULAR = FONT_DIR / "DejaVuSans.ttf"
OUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "pictures"

# Everything is drawn SS times larger and scaled down, which smooths the edges.
SS = 4

# The program's colours.
NAVY = (22, 52, 110)
BLUE = (33, 102, 172)
TEAL = (38, 150, 140)
AMBER = (244, 162, 60)
PAPER = (255, 253, 246)
INK = (28, 45, 80)
GREY = (96, 104, 118)


def font(path, size):
    return ImageFont.truetype(str(path), size)


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def diagonal_gradient(w, h, c0, c1, c2=None):
    """A gradient from the top-left corner (c0) to the bottom-right (c1 or, with c2, through c1 to c2)."""
    small_w, small_h = 64, max(2, round(64 * h / w))
    img = Image.new("RGB", (small_w, small_h))
    px = img.load()
    for y in range(small_h):
        for x in range(small_w):
            t = (x / (small_w - 1) * w + y / (small_h - 1) * h) / (w + h)
            if c2 is None:
                px[x, y] = lerp(c0, c1, t)
            elif t < 0.5:
                px[x, y] = lerp(c0, c1, t * 2)
            else:
                px[x, y] = lerp(c1, c2, t * 2 - 1)
    return img.resize((w, h), Image.BICUBIC)


def soft_glow(size, centre, radius, colour, strength):
    """An RGBA layer with a blurred disc of light."""
    layer = Image.new("RGBA", size, colour + (0,))
    mask = Image.new("L", size, 0)
    cx, cy = centre
    ImageDraw.Draw(mask).ellipse((cx - radius, cy - radius, cx + radius, cy + radius), fill=strength)
    layer.putalpha(mask.filter(ImageFilter.GaussianBlur(radius * 0.6)))
    return layer


def shadow_of(layer, offset, blur, opacity):
    """A blurred dark copy of an RGBA layer's shape, moved by offset."""
    alpha = layer.getchannel("A").point(lambda a: a * opacity // 255)
    shadow = Image.new("RGBA", layer.size, (0, 0, 0, 0))
    shadow.putalpha(alpha.filter(ImageFilter.GaussianBlur(blur)))
    return ImageChops.offset(shadow, *offset)


def word_card(foreign, czech, width, height):
    """One vocabulary card: the foreign word in bold, a dash and the Czech word."""
    card = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    d = ImageDraw.Draw(card)
    r = height // 5
    d.rounded_rectangle((0, 0, width - 1, height - 1), radius=r, fill=PAPER + (255,))
    # a coloured strip on the left edge, as on an index card
    d.rounded_rectangle((0, 0, r * 2, height - 1), radius=r, fill=AMBER + (255,))
    d.rectangle((r, 0, r * 2, height - 1), fill=PAPER + (255,))
    size = round(height * 0.42)
    fb, fr = font(BOLD, size), font(REGULAR, size)
    parts = [(foreign, fb, INK), ("  –  ", fr, GREY), (czech, fr, GREY)]
    total = sum(d.textlength(t, font=f) for t, f, _ in parts)
    x = r * 2 + (width - r * 2 - total) / 2
    y = height / 2
    for text, f, colour in parts:
        d.text((x, y), text, font=f, fill=colour, anchor="lm")
        x += d.textlength(text, font=f)
    return card


def paste_rotated(base, layer, centre, angle, shadow=True):
    rotated = layer.rotate(angle, resample=Image.BICUBIC, expand=True)
    x = round(centre[0] - rotated.width / 2)
    y = round(centre[1] - rotated.height / 2)
    if shadow:
        sh = shadow_of(rotated, (0, 0), 3 * SS, 110)
        base.alpha_composite(sh, (x + 2 * SS, y + 3 * SS))
    base.alpha_composite(rotated, (x, y))


def splash():
    w, h = 351 * SS, 151 * SS
    img = diagonal_gradient(w, h, NAVY, BLUE, TEAL).convert("RGBA")
    img.alpha_composite(soft_glow((w, h), (70 * SS, 40 * SS), 90 * SS, (255, 255, 255), 60))
    img.alpha_composite(soft_glow((w, h), (300 * SS, 150 * SS), 80 * SS, (160, 230, 210), 50))

    # faint phonetic symbols in the background, as a texture
    texture = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    td = ImageDraw.Draw(texture)
    for ch, x, y, s in (("ə", 150, 20, 30), ("æ", 222, 12, 22), ("ʃ", 186, 58, 24),
                        ("ŋ", 158, 132, 26), ("θ", 196, 138, 18)):
        td.text((x * SS, y * SS), ch, font=font(REGULAR, s * SS), fill=(255, 255, 255, 34), anchor="mm")
    img.alpha_composite(texture)

    # the name and the subtitle
    text = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(text)
    name_font = font(BOLD, 54 * SS)
    d.text((18 * SS, 66 * SS), "Lexo", font=name_font, fill=(255, 255, 255, 255), anchor="ls")
    name_w = d.textlength("Lexo", font=name_font)
    d.rounded_rectangle((20 * SS, 75 * SS, 20 * SS + name_w * 0.62, 79 * SS), radius=2 * SS,
                        fill=AMBER + (255,))
    d.text((20 * SS, 98 * SS), "Trenažér slovíček", font=font(BOLD, 14 * SS),
           fill=(240, 247, 255, 255), anchor="ls")
    d.text((20 * SS, 116 * SS), "učte se cizí slova snadno", font=font(REGULAR, 10 * SS),
           fill=(205, 226, 245, 255), anchor="ls")
    img.alpha_composite(shadow_of(text, (SS, 2 * SS), 2 * SS, 120))
    img.alpha_composite(text)

    # three word cards
    cards = (("apple", "jablko", (272, 36), 5),
             ("house", "dům", (266, 78), -3),
             ("dog", "pes", (274, 118), 4))
    for foreign, czech, (cx, cy), angle in cards:
        paste_rotated(img, word_card(foreign, czech, 132 * SS, 30 * SS), (cx * SS, cy * SS), angle)

    out = img.convert("RGB").resize((351, 151), Image.LANCZOS)
    out.save(OUT / "splash.jpg", "JPEG", quality=92, optimize=True, subsampling=0)


# ---------------------------------------------------------------- the icon
#
# A rounded square in the program's blue, a cream card tilted behind a white
# card that carries "Lx" in bold, and an amber corner tab.  The same geometry is
# written as SVG below, on a 256-unit canvas.

ICON_CARD_BACK = dict(x=58, y=50, w=150, h=172, r=16, angle=-9)
ICON_CARD = dict(x=48, y=46, w=150, h=172, r=16, angle=6)


def icon_raster(size, simple=False):
    k = size * SS / 256.0
    big = size * SS
    img = Image.new("RGBA", (big, big), (0, 0, 0, 0))

    bg = diagonal_gradient(big, big, (45, 125, 200), NAVY).convert("RGBA")
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).rounded_rectangle((8 * k, 8 * k, 248 * k, 248 * k), radius=52 * k, fill=255)
    img.paste(bg, (0, 0), mask)
    # a soft light in the top-left corner of the square
    glow = soft_glow((big, big), (70 * k, 60 * k), 110 * k, (255, 255, 255), 45)
    glow.putalpha(ImageChops.multiply(glow.getchannel("A"), mask))
    img.alpha_composite(glow)

    def card(shape, fill, with_text):
        layer = Image.new("RGBA", (big, big), (0, 0, 0, 0))
        d = ImageDraw.Draw(layer)
        x0, y0 = shape["x"] * k, shape["y"] * k
        x1, y1 = x0 + shape["w"] * k, y0 + shape["h"] * k
        d.rounded_rectangle((x0, y0, x1, y1), radius=shape["r"] * k, fill=fill)
        if with_text:
            # amber tab in the top-right corner and ruled lines under the letters
            d.rounded_rectangle((x1 - 46 * k, y0, x1, y0 + 22 * k), radius=shape["r"] * k,
                                fill=AMBER + (255,))
            d.rectangle((x1 - 46 * k, y0 + 11 * k, x1, y0 + 22 * k), fill=AMBER + (255,))
            if not simple:
                for i, frac in enumerate((0.78, 0.88)):
                    ly = y0 + shape["h"] * k * frac
                    d.rounded_rectangle((x0 + 22 * k, ly, x1 - (22 + 34 * i) * k, ly + 7 * k),
                                        radius=3.5 * k, fill=(190, 204, 224, 255))
            f = font(BOLD, round((88 if not simple else 100) * k))
            ty = y0 + shape["h"] * k * (0.45 if not simple else 0.53)
            d.text(((x0 + x1) / 2, ty), "Lx", font=f, fill=BLUE + (255,), anchor="mm")
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        return layer.rotate(shape["angle"], resample=Image.BICUBIC, center=(cx, cy))

    back = card(ICON_CARD_BACK, (255, 226, 170, 255), False)
    front = card(ICON_CARD, (255, 255, 255, 255), True)
    for layer in (back, front):
        img.alpha_composite(shadow_of(layer, (round(3 * k), round(5 * k)), 6 * k, 120))
        img.alpha_composite(layer)
    return img.resize((size, size), Image.LANCZOS)


def glyph_path(text, font_path, size, cx, cy):
    """SVG path data of text set in a TrueType font, centred on (cx, cy)."""
    from fontTools.pens.boundsPen import BoundsPen
    from fontTools.pens.svgPathPen import SVGPathPen
    from fontTools.pens.transformPen import TransformPen
    from fontTools.ttLib import TTFont

    tt = TTFont(str(font_path))
    glyphs = tt.getGlyphSet()
    cmap = tt.getBestCmap()
    scale = size / tt["head"].unitsPerEm
    names = [cmap[ord(c)] for c in text]
    # measure the ink of the whole run, so that it can be centred
    bounds = BoundsPen(glyphs)
    x = 0
    for n in names:
        glyphs[n].draw(TransformPen(bounds, (1, 0, 0, 1, x, 0)))
        x += glyphs[n].width
    xmin, ymin, xmax, ymax = bounds.bounds
    ox = cx - (xmin + xmax) / 2 * scale
    oy = cy + (ymin + ymax) / 2 * scale
    pen = SVGPathPen(glyphs, ntos=lambda v: ("%.1f" % v).rstrip("0").rstrip("."))
    x = 0
    for n in names:
        glyphs[n].draw(TransformPen(pen, (scale, 0, 0, -scale, ox + x * scale, oy)))
        x += glyphs[n].width
    return pen.getCommands()


def icon_svg():
    b, f = ICON_CARD_BACK, ICON_CARD

    def centre(s):
        return s["x"] + s["w"] / 2, s["y"] + s["h"] / 2

    bcx, bcy = centre(b)
    fcx, fcy = centre(f)
    x1 = f["x"] + f["w"]
    letters = glyph_path("Lx", BOLD, 88, fcx, f["y"] + f["h"] * 0.45)
    lines = []
    for i, frac in enumerate((0.78, 0.88)):
        ly = f["y"] + f["h"] * frac
        lines.append('    <rect x="%g" y="%.1f" width="%g" height="7" rx="3.5" fill="#becce0"/>'
                     % (f["x"] + 22, ly, f["w"] - 44 - 34 * i))
    # the SVG rotation is clockwise for positive angles, PIL's counter-clockwise
    svg = f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <title>Lexo</title>
  <defs>
    <linearGradient id="bg" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="#2d7dc8"/>
      <stop offset="1" stop-color="#16346e"/>
    </linearGradient>
    <radialGradient id="glow" cx="70" cy="60" r="130" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#ffffff" stop-opacity="0.22"/>
      <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
    </radialGradient>
    <filter id="shadow" x="-20%" y="-20%" width="140%" height="140%">
      <feGaussianBlur in="SourceAlpha" stdDeviation="5"/>
      <feOffset dx="3" dy="5" result="blur"/>
      <feComponentTransfer><feFuncA type="linear" slope="0.45"/></feComponentTransfer>
      <feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge>
    </filter>
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="52" fill="url(#bg)"/>
  <rect x="8" y="8" width="240" height="240" rx="52" fill="url(#glow)"/>
  <rect x="{b['x']}" y="{b['y']}" width="{b['w']}" height="{b['h']}" rx="{b['r']}" fill="#ffe2aa"
        transform="rotate({-b['angle']} {bcx:g} {bcy:g})" filter="url(#shadow)"/>
  <g transform="rotate({-f['angle']} {fcx:g} {fcy:g})">
    <rect x="{f['x']}" y="{f['y']}" width="{f['w']}" height="{f['h']}" rx="{f['r']}" fill="#ffffff"
          filter="url(#shadow)"/>
    <path d="M{x1 - 46} {f['y'] + 22}V{f['y'] + f['r']}a{f['r']} {f['r']} 0 0 1 {f['r']} {-f['r']}h{46 - 2 * f['r']}a{f['r']} {f['r']} 0 0 1 {f['r']} {f['r']}V{f['y'] + 22}z"
          fill="#f4a23c"/>
{chr(10).join(lines)}
    <path fill="#2166ac" d="{letters}"/>
  </g>
</svg>
"""
    (OUT / "lexo.svg").write_text(svg, encoding="utf-8")


# ---------------------------------------------------------------- the tip bulb

def tip_bulb():
    size = 64
    k = SS
    big = size * k
    img = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    cx = 32 * k

    # rays of light around the bulb
    rays = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    rd = ImageDraw.Draw(rays)
    for deg in (-150, -120, -90, -60, -30, 0, 180):
        a = math.radians(deg)
        r0, r1 = 19.5 * k, 24 * k
        x0, y0 = cx + r0 * math.cos(a), 26 * k + r0 * math.sin(a)
        x1, y1 = cx + r1 * math.cos(a), 26 * k + r1 * math.sin(a)
        rd.line((x0, y0, x1, y1), fill=AMBER + (255,), width=round(2.6 * k))
        for x, y in ((x0, y0), (x1, y1)):
            rd.ellipse((x - 1.3 * k, y - 1.3 * k, x + 1.3 * k, y + 1.3 * k), fill=AMBER + (255,))
    img.alpha_composite(rays)

    # halo
    img.alpha_composite(soft_glow((big, big), (cx, 26 * k), 20 * k, (255, 236, 140), 150))

    # glass: a circle with a short neck, filled with a radial yellow gradient
    glass_mask = Image.new("L", (big, big), 0)
    gd = ImageDraw.Draw(glass_mask)
    gd.ellipse((cx - 16 * k, 10 * k, cx + 16 * k, 42 * k), fill=255)
    gd.polygon([(cx - 12.5 * k, 36 * k), (cx + 12.5 * k, 36 * k), (cx + 8 * k, 47 * k), (cx - 8 * k, 47 * k)],
               fill=255)
    glass = Image.new("RGBA", (big, big))
    gp = glass.load()
    for y in range(0, big):
        for x in range(0, big):
            dist = math.hypot(x - (cx - 5 * k), y - 20 * k) / (30 * k)
            gp[x, y] = lerp((255, 252, 215), (250, 190, 40), min(1.0, dist)) + (255,)
    outline = glass_mask.filter(ImageFilter.MaxFilter(5))
    edge = Image.new("RGBA", (big, big), (205, 130, 20, 255))
    img.paste(edge, (0, 0), outline)
    img.paste(glass, (0, 0), glass_mask)

    d = ImageDraw.Draw(img)
    # filament
    d.line([(cx - 6 * k, 30 * k), (cx - 3 * k, 24 * k), (cx, 30 * k), (cx + 3 * k, 24 * k), (cx + 6 * k, 30 * k)],
           fill=(214, 120, 20, 255), width=round(1.6 * k), joint="curve")
    d.line([(cx - 6 * k, 30 * k), (cx - 5 * k, 46 * k)], fill=(214, 120, 20, 255), width=round(1.2 * k))
    d.line([(cx + 6 * k, 30 * k), (cx + 5 * k, 46 * k)], fill=(214, 120, 20, 255), width=round(1.2 * k))
    # highlight on the glass
    d.arc((cx - 12 * k, 14 * k, cx + 8 * k, 34 * k), start=190, end=250, fill=(255, 255, 255, 230),
          width=round(2.2 * k))

    # screw base: three grey rings and a dark tip
    for i, y in enumerate((46, 50.5, 55)):
        w = 9 - i * 0.6
        shade = (150 - i * 12, 158 - i * 12, 170 - i * 12, 255)
        d.rounded_rectangle((cx - w * k, y * k, cx + w * k, (y + 4) * k), radius=2 * k, fill=shade,
                            outline=(90, 96, 108, 255), width=round(0.8 * k))
    d.chord((cx - 5 * k, 56 * k, cx + 5 * k, 63 * k), start=0, end=180, fill=(70, 74, 84, 255))

    img.resize((size, size), Image.LANCZOS).save(OUT / "tip.png", optimize=True)


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    splash()
    icon_raster(256).save(OUT / "lexo.png", optimize=True)
    icon_raster(48, simple=True).save(OUT / "lexo-48.png", optimize=True)
    icon_svg()
    tip_bulb()
    for p in sorted(OUT.iterdir()):
        print(p.relative_to(OUT.parent.parent), p.stat().st_size, "bytes")


if __name__ == "__main__":
    main()
