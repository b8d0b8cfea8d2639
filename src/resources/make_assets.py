#!/usr/bin/python3
"""Draws the program's pictures, icons and cursor, and writes them in the forms the build uses.

Run with Debian's Python (it needs python3-pil): /usr/bin/python3 src/resources/make_assets.py
The results are committed under src/resources/generated; run this again only to change them.
"""
import io
import math
import os
import struct

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "generated")
DOCS = os.path.join(HERE, "..", "..", "docs")
FONT_DIRS = ["/usr/share/fonts/truetype/liberation", "/usr/share/fonts/truetype/dejavu"]


def font(name, size):
    for folder in FONT_DIRS:
        path = os.path.join(folder, name)
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    return ImageFont.load_default()


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


# ---- the search window's background, 422 x 226 ----

def search_background():
    scale = 3
    w, h = 422 * scale, 226 * scale
    img = Image.new("RGB", (w, h))
    draw = ImageDraw.Draw(img)
    top, bottom = (214, 230, 247), (250, 252, 255)
    for y in range(h):
        draw.line([(0, y), (w, y)], fill=lerp(top, bottom, y / h))
    # A sound wave sweeping across the upper half, behind the title.
    for layer, (colour, amp, phase) in enumerate([((160, 190, 230), 22, 0.0), ((120, 160, 215), 16, 1.3),
                                                    ((70, 120, 195), 10, 2.1)]):
        points = []
        for x in range(0, w + 1, 2):
            t = x / w
            envelope = math.sin(math.pi * t) ** 1.5
            y = 72 * scale + amp * scale * envelope * math.sin(t * 26 + phase) * math.cos(t * 5 + layer)
            points.append((x, y))
        draw.line(points, fill=colour, width=2 * scale)
    # Title and subtitle, left; the credit line sits top right in the window itself.
    draw.text((14 * scale, 12 * scale), "Dide Quorvel", font=font("LiberationSans-BoldItalic.ttf", 30 * scale),
              fill=(28, 62, 128))
    draw.text((16 * scale, 50 * scale), "ricerca di file audio in rete", font=font("LiberationSans-Italic.ttf",
              11 * scale), fill=(60, 90, 150))
    # A small speaker at the right, clear of the buttons and links.
    cx, cy = 372 * scale, 62 * scale
    draw.rectangle([cx - 18 * scale, cy - 9 * scale, cx - 8 * scale, cy + 9 * scale], fill=(40, 80, 150))
    draw.polygon([(cx - 8 * scale, cy - 9 * scale), (cx + 6 * scale, cy - 22 * scale),
                  (cx + 6 * scale, cy + 22 * scale), (cx - 8 * scale, cy + 9 * scale)], fill=(40, 80, 150))
    for r in (14, 22, 30):
        draw.arc([cx + (10 - r) * scale, cy - r * scale, cx + (10 + r) * scale, cy + r * scale], -45, 45,
                 fill=(40, 80, 150), width=2 * scale)
    # A pale band behind the search row and the links, so blue and red text stay readable.
    band = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    ImageDraw.Draw(band).rounded_rectangle([10 * scale, 104 * scale, 412 * scale, 200 * scale], 8 * scale,
                                           fill=(255, 255, 255, 150))
    img = Image.alpha_composite(img.convert("RGBA"), band).convert("RGB")
    img = img.resize((422, 226), Image.LANCZOS)
    return img


# ---- the sponsor's banner in the examples window, 143 x 62 ----

def examples_banner():
    scale = 4
    w, h = 143 * scale, 62 * scale
    img = Image.new("RGB", (w, h))
    draw = ImageDraw.Draw(img)
    for y in range(h):
        draw.line([(0, y), (w, y)], fill=lerp((122, 40, 24), (64, 18, 10), y / h))
    draw.rectangle([2 * scale, 2 * scale, w - 3 * scale, h - 3 * scale], outline=(236, 190, 96), width=scale)
    # A goblet: the tavern's sign.
    gx, gy = 20 * scale, 14 * scale
    draw.pieslice([gx - 10 * scale, gy - 4 * scale, gx + 10 * scale, gy + 18 * scale], 0, 180, fill=(236, 190, 96))
    draw.rectangle([gx - scale, gy + 14 * scale, gx + scale, gy + 28 * scale], fill=(236, 190, 96))
    draw.rectangle([gx - 7 * scale, gy + 28 * scale, gx + 7 * scale, gy + 31 * scale], fill=(236, 190, 96))
    # The wordmark as large as it can be while it ends inside the frame, as far from it as the goblet
    # is from the frame's left side; smaller sizes keep its middle where the largest would have it.
    size, right = 21 * scale, w - 3 * scale - scale - 8 * scale
    while draw.textbbox((38 * scale, 0), "TAVERNIX", font=font("LiberationSerif-Bold.ttf", size))[2] > right:
        size -= 1
    draw.text((38 * scale, 10 * scale + (21 * scale - size) // 2), "TAVERNIX",
              font=font("LiberationSerif-Bold.ttf", size), fill=(250, 226, 160))
    draw.text((39 * scale, 38 * scale), "suoni, storie e buon vino", font=font("LiberationSans-Italic.ttf",
              8 * scale), fill=(240, 210, 170))
    return img.resize((143, 62), Image.LANCZOS)


def save_jpeg(img, name):
    buffer = io.BytesIO()
    img.save(buffer, "JPEG", quality=90, dpi=(72, 72), progressive=False, optimize=False, subsampling=2)
    data = buffer.getvalue()
    assert data[6:11] == b"JFIF\0" and data[11:13] == b"\x01\x01", "JFIF 1.01"
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


# ---- icons and cursor: DIBs with palette, colour bits and the transparency mask ----

def dib(pixels, palette, bits):
    """pixels: rows of palette indices, None for transparent; returns the icon DIB bytes."""
    height, width = len(pixels), len(pixels[0])
    colours = 1 << bits
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    pal += b"\0\0\0\0" * (colours - len(palette))
    stride = ((width * bits + 31) // 32) * 4
    xor = b""
    for row in reversed(pixels):
        if bits == 8:
            line = bytes(0 if p is None else p for p in row)
        else:
            line = bytes(((0 if row[x] is None else row[x]) << 4) | (0 if row[x + 1] is None else row[x + 1])
                         for x in range(0, width, 2))
        xor += line + b"\0" * (stride - len(line))
    mask_stride = ((width + 31) // 32) * 4
    mask = b""
    for row in reversed(pixels):
        bitsrow = 0
        for x, p in enumerate(row):
            if p is None:
                bitsrow |= 1 << (mask_stride * 8 - 1 - x)
        mask += bitsrow.to_bytes(mask_stride, "big")
    return header + pal + xor + mask


def quantise(img, palette):
    """Maps an RGBA picture onto palette indices; alpha below half is transparent."""
    out = []
    for y in range(img.height):
        row = []
        for x in range(img.width):
            r, g, b, a = img.getpixel((x, y))
            if a < 128:
                row.append(None)
                continue
            row.append(min(range(len(palette)), key=lambda i: (palette[i][0] - r) ** 2 + (palette[i][1] - g) ** 2 +
                           (palette[i][2] - b) ** 2))
        out.append(row)
    return out


def palette_256():
    # The 6x6x6 colour cube plus a ramp of greys: an ordinary 256-colour palette.
    pal = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    pal += [(int(i * 255 / 39),) * 3 for i in range(40)]
    return pal[:256]


PALETTE_16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
              (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
              (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def draw_small(size, painter):
    scale = 8
    img = Image.new("RGBA", (size * scale, size * scale), (0, 0, 0, 0))
    painter(ImageDraw.Draw(img), scale)
    return img.resize((size, size), Image.LANCZOS)


def speaker_icon(d, s):
    # "ICON_0": a speaker sending out sound waves.
    blue, light = (20, 70, 170, 255), (90, 160, 240, 255)
    d.rectangle([1 * s, 5 * s, 5 * s, 11 * s], fill=blue)
    d.polygon([(5 * s, 5 * s), (9 * s, 1 * s), (9 * s, 15 * s), (5 * s, 11 * s)], fill=blue)
    for r, colour in ((3, light), (5.5, blue)):
        d.arc([(9 - r) * s, (8 - r * 1.3) * s, (9 + r) * s + s, (8 + r * 1.3) * s], -50, 50, fill=colour,
              width=int(1.4 * s))


def magnifier_icon(d, s):
    # The designed window icon: a magnifying glass over a musical note.
    d.ellipse([1 * s, 1 * s, 11 * s, 11 * s], fill=(230, 240, 255, 255), outline=(40, 40, 40, 255), width=int(1.5 * s))
    d.ellipse([3.5 * s, 6 * s, 6.5 * s, 8.5 * s], fill=(200, 30, 30, 255))
    d.rectangle([5.7 * s, 2.8 * s, 6.6 * s, 7.5 * s], fill=(200, 30, 30, 255))
    d.polygon([(6.6 * s, 2.8 * s), (9 * s, 4 * s), (6.6 * s, 4.6 * s)], fill=(200, 30, 30, 255))
    d.line([(9.5 * s, 9.5 * s), (14.5 * s, 14.5 * s)], fill=(110, 70, 30, 255), width=int(2.6 * s))


def list_icon(d, s):
    # The examples window: a page of entries with a note.
    d.rectangle([4 * s, 2 * s, 26 * s, 30 * s], fill=(255, 255, 255, 255), outline=(0, 0, 0, 255), width=s)
    d.rectangle([4 * s, 2 * s, 26 * s, 7 * s], fill=(0, 0, 128, 255))
    for i, y in enumerate(range(10, 28, 4)):
        d.rectangle([7 * s, y * s, 9 * s, (y + 2) * s], fill=(0, 0, 255, 255))
        d.rectangle([11 * s, (y + 0.5) * s, (23 - (i % 3) * 3) * s, (y + 1.5) * s], fill=(128, 128, 128, 255))
    d.ellipse([19 * s, 22 * s, 25 * s, 27 * s], fill=(255, 0, 0, 255))
    d.rectangle([23.5 * s, 14 * s, 25 * s, 25 * s], fill=(255, 0, 0, 255))
    d.polygon([(25 * s, 14 * s), (30 * s, 17 * s), (25 * s, 18 * s)], fill=(255, 0, 0, 255))


HAND = [  # 32 x 32 pointing hand; the fingertip is the hot spot at column 12, row 1
    "............XX..................",
    "...........X..X.................",
    "...........X..X.................",
    "...........X..X.................",
    "...........X..X.................",
    "...........X..XXX...............",
    "...........X..X..XXX............",
    "...........X..X..X..XX..........",
    "........XX.X..X..X..X.X.........",
    "........X..X.........X.X........",
    "........X..X...........X........",
    ".........X.............X........",
    ".........X.............X........",
    "..........X............X........",
    "..........X...........X.........",
    "...........X..........X.........",
    "...........X.........X..........",
    "............X........X..........",
    "............X........X..........",
    "............XXXXXXXXXX..........",
]
HAND += ["." * 32] * (32 - len(HAND))


def flood_white():
    """Fills only the inside of the outline with white: cells reachable from outside stay clear."""
    h, w = len(HAND), len(HAND[0])
    outside = [[False] * w for _ in range(h)]
    stack = [(0, 0)]
    grid = [[c == "X" for c in line] for line in HAND]
    while stack:
        x, y = stack.pop()
        if not (0 <= x < w and 0 <= y < h) or outside[y][x] or grid[y][x]:
            continue
        outside[y][x] = True
        stack += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    return [[0 if grid[y][x] else (None if outside[y][x] else 15) for x in range(w)] for y in range(h)]


def icon_file(dib_bytes, width, height, colours, hotspot=None):
    kind = 2 if hotspot else 1
    planes_or_x, bits_or_y = hotspot if hotspot else (1, 0)
    header = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack("<BBBBHHII", width, height, colours, 0, planes_or_x, bits_or_y, len(dib_bytes), 22)
    return header + entry + dib_bytes


def group_directory(width, height, colours, bits, size, icon_id):
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHIH", width, height, colours, 0, 1, bits, size, icon_id)


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(OUT, exist_ok=True)
    background, banner = search_background(), examples_banner()
    save_jpeg(background, "search-background.jpg")
    save_jpeg(banner, "examples-banner.jpg")

    pal256 = palette_256()
    speaker = draw_small(16, speaker_icon)
    magnifier = draw_small(16, magnifier_icon)
    icon0 = dib(quantise(speaker, pal256), pal256, 8)
    icon1 = dib(quantise(magnifier, pal256), pal256, 8)
    assert len(icon0) == len(icon1) == 1384
    write("icon-1.bin", icon0)
    write("icon-30001.bin", icon1)
    write("group-ICON_0.bin", group_directory(16, 32, 8, 8, 1384, 1))
    write("group-1.bin", group_directory(16, 16, 0, 8, 1384, 30001))

    page = draw_small(32, list_icon)
    write("examples.ico", icon_file(dib(quantise(page, PALETTE_16), PALETTE_16, 4), 32, 32, 16))
    write("hand.cur", icon_file(dib(flood_white(), PALETTE_16, 4), 32, 32, 16, hotspot=(12, 1)))

    # A picture of the icons for the README, eight times their size.
    sheet = Image.new("RGBA", (16 * 8 * 2 + 32 * 4 * 2 + 60, 16 * 8 + 20), (255, 255, 255, 255))
    sheet.paste(speaker.resize((128, 128), Image.NEAREST), (10, 10), speaker.resize((128, 128), Image.NEAREST))
    sheet.paste(magnifier.resize((128, 128), Image.NEAREST), (148, 10), magnifier.resize((128, 128), Image.NEAREST))
    page_big = page.resize((128, 128), Image.NEAREST)
    sheet.paste(page_big, (286, 10), page_big)
    hand = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    for y, row in enumerate(flood_white()):
        for x, p in enumerate(row):
            if p is not None:
                hand.putpixel((x, y), (0, 0, 0, 255) if p == 0 else (255, 255, 255, 255))
    hand_big = hand.resize((128, 128), Image.NEAREST)
    sheet.paste(hand_big, (424, 10), hand_big)
    os.makedirs(DOCS, exist_ok=True)
    sheet.convert("RGB").save(os.path.join(DOCS, "icons.png"))


if __name__ == "__main__":
    main()
