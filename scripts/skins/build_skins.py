#!/usr/bin/env python3
"""Builds the built-in skin set (resources/skins/skinset.xml) from the table in this script.

Every skin is described by a look (light, pastel, snow, mist, pencil, classic, gray, dark, vivid,
sheer, trans) and a hue; the look turns into the thirteen colours the file carries. The four skins
whose colours are fixed are given in full. Each text colour is then pushed away from its
background until the pair reaches a contrast ratio of 4.5 (WCAG), so every skin stays legible.

usage: build_skins.py           rewrite the file
       build_skins.py --check   exit 1 when the committed file differs from what would be written
"""
import colorsys
import os
import sys

ROLES = ["windowBg", "windowFg", "compFg", "compDisabled", "text", "sliderBg", "listHeaderBg",
         "listHeaderFont", "listBg", "listFont", "listAlternate", "counter01", "counter02"]
ORANGE = (255, 165, 0)

# Given in full (the roles above but counter02, in order).
FIXED = {
    "Fresh L": [(231, 233, 237), (231, 233, 237), (0, 0, 0), (170, 170, 170), (0, 0, 0), (173, 206, 53),
                (71, 70, 61), (255, 255, 255), (244, 244, 244), (32, 32, 28), (255, 255, 255), (248, 220, 42)],
    "Classic LG": [(116, 116, 116), (116, 116, 116), (17, 17, 17), (51, 51, 51), (237, 237, 237),
                   (116, 116, 116), (25, 25, 25), (255, 255, 255), (49, 49, 49), (191, 191, 191),
                   (56, 56, 56), (195, 234, 0)],
    "Sheer Black": [(0, 0, 0), (0, 0, 0), (89, 89, 89), (51, 51, 51), (192, 192, 192), (89, 89, 89),
                    (0, 0, 0), (255, 255, 255), (89, 89, 89), (209, 209, 209), (89, 89, 89), (30, 30, 30)],
    "Deep Water": [(0, 68, 117), (128, 0, 255), (128, 0, 255), (26, 107, 156), (255, 255, 255),
                   (0, 68, 117), (128, 0, 255), (0, 255, 255), (0, 68, 117), (211, 211, 211),
                   (0, 68, 117), (103, 253, 253)],
}

# name, look, hue (degrees), saturation (0..1), accent hue (degrees, for the counter and slider)
SKINS = [
    ("Fresh L", None, 0, 0, 0),
    ("Fresh W", "light", 200, 0.05, 90),
    ("Fresh B", "light", 210, 0.55, 75),
    ("Fresh M", "light", 150, 0.45, 330),
    ("pastel pink", "pastel", 340, 0.75, 340),
    ("pastel Yellow", "pastel", 52, 0.85, 40),
    ("pastel blue", "pastel", 205, 0.75, 205),
    ("pastel Green", "pastel", 115, 0.55, 115),
    ("pastel Lavender", "pastel", 265, 0.6, 265),
    ("Classic LG", None, 0, 0, 0),
    ("Classic YE", "classic", 55, 0.0, 55),
    ("Classic PN", "classic", 335, 0.0, 335),
    ("Classic BL", "classic", 210, 0.0, 210),
    ("Classic OR", "classic", 28, 0.0, 28),
    ("Velvet PP", "dark", 280, 0.55, 280),
    ("Velvet RB", "dark", 350, 0.6, 350),
    ("Velvet GR", "dark", 130, 0.5, 130),
    ("Velvet BG", "dark", 175, 0.55, 175),
    ("Velvet BB", "dark", 225, 0.6, 225),
    ("Velvet PN", "dark", 325, 0.55, 325),
    ("Velvet LG", "dark", 95, 0.5, 95),
    ("Gray BL", "gray", 215, 0.12, 210),
    ("Gray YB", "gray", 50, 0.10, 50),
    ("Gray BB", "gray", 225, 0.05, 200),
    ("Gray WG", "gray", 120, 0.04, 110),
    ("Snowed Pink", "snow", 340, 0.7, 340),
    ("Snowed Green", "snow", 120, 0.5, 120),
    ("Snowed Blue", "snow", 210, 0.7, 210),
    ("Snowed Lavender", "snow", 265, 0.6, 265),
    ("Snowed Banana", "snow", 52, 0.85, 52),
    ("Pencil", "pencil", 40, 0.0, 40),
    ("Pencil I", "pencil", 45, 0.12, 30),
    ("Pencil I2", "pencil", 210, 0.08, 210),
    ("Pencil II", "pencil", 0, 0.0, 0),
    ("Sheer Indigo", "sheer", 245, 0.6, 245),
    ("Sheer Red", "sheer", 0, 0.75, 0),
    ("Sheer Black", None, 0, 0, 0),
    ("Sheer Purple", "sheer", 285, 0.6, 285),
    ("Sheer Green", "sheer", 130, 0.6, 130),
    ("Sheer Pink", "plastic", 330, 0.7, 330),
    ("BLN RG", "vivid", 350, 0.65, 120),
    ("BLN RD", "vivid", 0, 0.7, 0),
    ("BLN GG", "vivid", 125, 0.55, 125),
    ("BLN OR", "vivid", 25, 0.8, 25),
    ("BLN YE", "vivid", 50, 0.8, 50),
    ("BLN PN", "vivid", 330, 0.65, 330),
    ("BLN PP", "vivid", 280, 0.55, 280),
    ("BLN BB", "vivid", 220, 0.7, 220),
    ("BLN BG", "vivid", 180, 0.6, 180),
    ("BLN GR", "vivid", 140, 0.5, 140),
    ("BLN DP", "vivid", 300, 0.5, 300),
    ("Trans GR 70%", "trans", 130, 0.55, 130),
    ("Trans GR 60%", "trans", 150, 0.5, 150),
    ("Trans OR 60%", "trans", 28, 0.8, 28),
    ("Trans YE 60%", "trans", 52, 0.8, 52),
    ("Trans BL 60%", "trans", 212, 0.7, 212),
    ("Trans SR 60%", "trans", 8, 0.65, 8),
    ("Red Mail Box", "vivid", 358, 0.8, 358),
    ("Red nylons 80%", "sheer", 355, 0.7, 355),
    ("Red Beam", "dark", 0, 0.15, 0),
    ("Red Beam II", "dark", 355, 0.3, 5),
    ("Red Comet 2", "dark", 10, 0.45, 20),
    ("Soot Blz", "dark", 30, 0.1, 30),
    ("Soot Brn", "dark", 25, 0.35, 25),
    ("Soot Flm", "dark", 10, 0.2, 8),
    ("Bento Box I", "dark", 0, 0.0, 355),
    ("Bento Box II", "vivid", 355, 0.65, 45),
    ("Green 01", "pastel", 100, 0.5, 100),
    ("Green 02", "light", 120, 0.45, 120),
    ("Green 03", "vivid", 135, 0.5, 135),
    ("Green 04", "dark", 140, 0.45, 140),
    ("Green 05", "sheer", 150, 0.5, 150),
    ("Plastic BB", "plastic", 215, 0.75, 215),
    ("Plastic PI", "plastic", 335, 0.75, 335),
    ("Plastic YB", "plastic", 50, 0.85, 215),
    ("Plastic PP", "plastic", 280, 0.6, 280),
    ("Plastic BG", "plastic", 175, 0.6, 175),
    ("Mist BK", "mist", 0, 0.0, 0),
    ("Mist YE", "mist", 52, 0.45, 52),
    ("Mist YG", "mist", 80, 0.4, 80),
    ("Mist OR", "mist", 30, 0.45, 30),
    ("Mist RD", "mist", 0, 0.35, 0),
    ("Mist GR", "mist", 130, 0.3, 130),
    ("Luminous Pink", "plastic", 325, 0.95, 325),
    ("Water blue", "pastel", 195, 0.8, 195),
    ("Deep Water", None, 0, 0, 0),
]


def hsl(h, s, l):
    r, g, b = colorsys.hls_to_rgb((h % 360) / 360.0, l, max(0.0, min(1.0, s)))
    return (round(r * 255), round(g * 255), round(b * 255))


# lightness of each role per look: windowBg, windowFg, compFg, compDisabled, text, sliderBg,
# listHeaderBg, listHeaderFont, listBg, listFont, listAlternate; saturation factor per role.
LOOKS = {
    #          bg    fg    cfg   dis   text  slid  hdr   hdrF  list  lstF  alt
    "light":  ([0.93, 0.60, 0.22, 0.74, 0.10, 0.70, 0.30, 1.00, 0.98, 0.12, 0.93],
               [0.6, 0.5, 0.6, 0.2, 0.5, 0.9, 0.6, 0.0, 0.4, 0.4, 0.6]),
    "pastel": ([0.89, 0.62, 0.28, 0.74, 0.13, 0.76, 0.40, 1.00, 0.96, 0.14, 0.91],
               [1.0, 0.7, 0.7, 0.3, 0.6, 1.0, 0.7, 0.0, 0.9, 0.5, 1.0]),
    "snow":   ([0.97, 0.75, 0.35, 0.82, 0.15, 0.86, 0.45, 1.00, 1.00, 0.16, 0.96],
               [0.6, 0.6, 0.6, 0.3, 0.5, 0.9, 0.7, 0.0, 0.0, 0.5, 0.8]),
    "mist":   ([0.86, 0.70, 0.36, 0.72, 0.18, 0.78, 0.42, 1.00, 0.92, 0.18, 0.88],
               [0.7, 0.5, 0.5, 0.3, 0.4, 0.7, 0.5, 0.0, 0.5, 0.4, 0.6]),
    "pencil": ([0.95, 0.45, 0.25, 0.78, 0.18, 0.80, 0.30, 1.00, 0.99, 0.20, 0.94],
               [0.8, 0.5, 0.5, 0.3, 0.4, 0.6, 0.5, 0.0, 0.5, 0.4, 0.6]),
    "plastic": ([0.72, 0.42, 0.18, 0.60, 0.08, 0.55, 0.25, 1.00, 0.94, 0.10, 0.86],
                [0.9, 0.9, 0.8, 0.3, 0.6, 1.0, 0.8, 0.0, 0.7, 0.5, 0.8]),
    "classic": ([0.42, 0.42, 0.07, 0.22, 0.95, 0.42, 0.10, 1.00, 0.19, 0.76, 0.22],
                [0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0]),
    "gray":   ([0.30, 0.45, 0.75, 0.42, 0.90, 0.42, 0.70, 0.08, 0.22, 0.85, 0.26],
               [1.0, 1.0, 1.0, 1.0, 0.5, 1.0, 1.0, 1.0, 1.0, 0.5, 1.0]),
    "dark":   ([0.13, 0.32, 0.72, 0.30, 0.88, 0.26, 0.62, 0.07, 0.09, 0.84, 0.14],
               [0.8, 0.8, 0.6, 0.4, 0.3, 0.8, 0.7, 0.6, 0.8, 0.3, 0.8]),
    "vivid":  ([0.36, 0.20, 0.88, 0.55, 0.97, 0.50, 0.88, 0.10, 0.25, 0.92, 0.30],
               [1.0, 1.0, 0.5, 0.5, 0.3, 1.0, 0.6, 1.0, 1.0, 0.3, 1.0]),
    "sheer":  ([0.20, 0.40, 0.70, 0.32, 0.90, 0.36, 0.70, 0.07, 0.15, 0.88, 0.20],
               [1.0, 1.0, 0.8, 0.5, 0.5, 1.0, 0.9, 0.8, 1.0, 0.4, 1.0]),
    # see-through windows: strong lights on a deep ground, so the text holds against a desktop
    "trans":  ([0.16, 0.55, 0.80, 0.35, 0.97, 0.35, 0.75, 0.05, 0.12, 0.95, 0.17],
               [1.0, 1.0, 0.9, 0.5, 0.4, 1.0, 1.0, 0.8, 1.0, 0.4, 1.0]),
}

# Pairs (text role, background role) that must reach the contrast ratio; the first is moved.
PAIRS = [("text", ["windowBg"]), ("listFont", ["listBg", "listAlternate"]),
         ("listHeaderFont", ["listHeaderBg"]), ("compFg", ["windowBg"])]
MINIMUM = {"compFg": 3.0}


def luminance(c):
    def lin(v):
        v /= 255.0
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    return 0.2126 * lin(c[0]) + 0.7152 * lin(c[1]) + 0.0722 * lin(c[2])


def contrast(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def push(fg, backgrounds, target):
    """Moves fg towards black or white until it reaches the ratio on every background; of the
    two directions, the one that needs the smaller step. None when neither reaches it."""
    best = None
    for towards in ((0, 0, 0), (255, 255, 255)):
        for step in range(0, 41):
            t = step / 40.0
            c = tuple(round(f + (w - f) * t) for f, w in zip(fg, towards))
            if min(contrast(c, bg) for bg in backgrounds) >= target:
                if best is None or step < best[0]:
                    best = (step, c)
                break
    return None if best is None else best[1]


def graph_colour(hue, sat, text, ground):
    """The display's graph runs behind its labels: the accent at the lightness nearest the
    middle that still leaves the labels a ratio of 3 over it."""
    towards_ground = 1 if luminance(ground) > luminance(text) else -1
    for step in range(0, 50):
        c = hsl(hue, sat, 0.5 + towards_ground * step / 100.0)
        if contrast(c, text) >= 3.0:
            return c
    return hsl(hue, sat, 0.5 + towards_ground * 0.49)


def palette(look, hue, sat, accent):
    lights, sats = LOOKS[look]
    colors = {}
    for i, role in enumerate(ROLES[:11]):
        colors[role] = hsl(hue, sat * sats[i], lights[i])
    if look == "classic":
        colors["sliderBg"] = hsl(accent, 0.35, 0.42)  # the one tinted part of a grey skin
    colors["counter01"] = graph_colour(accent, 0.9 if sat > 0 or look == "classic" else 0.0,
                                       colors["text"], colors["windowBg"])
    colors["counter02"] = ORANGE
    for fg, bgs in PAIRS:
        pushed = push(colors[fg], [colors[bg] for bg in bgs], MINIMUM.get(fg, 4.5))
        while pushed is None:
            # the two row colours are too far apart for one text colour: bring them closer
            colors["listAlternate"] = tuple(round((a + b) / 2) for a, b in zip(colors["listAlternate"], colors["listBg"]))
            pushed = push(colors[fg], [colors[bg] for bg in bgs], MINIMUM.get(fg, 4.5))
        colors[fg] = pushed
    return colors


def build():
    lines = ["<SkinSetXml>", "\t<SkinSet>", '\t\t<ThinWindow numOfSkins="%d"></ThinWindow>' % len(SKINS)]
    for i, (name, look, hue, sat, accent) in enumerate(SKINS):
        if look is None:
            colors = dict(zip(ROLES, FIXED[name] + [ORANGE]))
        else:
            colors = palette(look, hue, sat, accent)
        lines.append('\t\t<ThinWindow_%d name="%s">' % (i, name.replace("&", "&amp;")))
        for role in ROLES:
            r, g, b = colors[role]
            lines.append('\t\t\t<%s R="%d" G="%d" B="%d"></%s>' % (role, r, g, b, role))
        lines.append("\t\t</ThinWindow_%d>" % i)
    lines += ["\t</SkinSet>", "</SkinSetXml>", ""]
    return "\n".join(lines)


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    path = os.path.join(root, "resources", "skins", "skinset.xml")
    text = build()
    if "--check" in sys.argv:
        with open(path, encoding="utf-8") as f:
            if f.read() != text:
                print("resources/skins/skinset.xml is not up to date; run scripts/skins/build_skins.py")
                return 1
        return 0
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
