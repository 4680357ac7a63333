#!/usr/bin/env python3
"""Review sheet of a skin written by make_skin.py.

    contact_sheet.py OUTDIR SHEET.png [MOCK_PREFIX]

The sheet shows every button image at full size on mid-grey, with its transparent
pixels in magenta, the transport images also squeezed to the 65 px width of the
enlarged layout, the pictures, and both window backgrounds at half size with the
controls' rectangles outlined. With MOCK_PREFIX it also writes MOCK_PREFIX-normal.png
and MOCK_PREFIX-enlarged.png: each background with its buttons pasted in place
(transparent pixels showing the background), sample readout texts and needles, as
the running program would show them.
"""
import math
import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_skin as skin  # noqa: E402

MID_GREY = (128, 128, 128)
MAGENTA = (255, 0, 255)
PAIRS = [(143, 129), (152, 130), (207, 208), (209, 210), (139, 140), (137, 138), (144, 145),
         (131, 132), (133, 134), (213, 214), (141, 142), (168, 169), (135, 136), (150, 151),
         (146, 147), (148, 149), (161, 162), (176, None), (175, None), (203, None)]
TRANSPORT = [139, 137, 144, 131, 133, 213, 141, 168, 135]


def load(outdir, name):
    return Image.open(os.path.join(outdir, name)).convert('RGB')


def key_mask(img):
    """255 where a pixel is exactly KEY, 0 elsewhere."""
    mask = Image.new('L', img.size, 0)
    px, mk = img.load(), mask.load()
    for y in range(img.size[1]):
        for x in range(img.size[0]):
            if px[x, y] == skin.KEY:
                mk[x, y] = 255
    return mask


def show_key(img):
    """The image with KEY pixels painted magenta."""
    out = img.copy()
    out.paste(Image.new('RGB', img.size, MAGENTA), (0, 0), key_mask(img))
    return out


def keyed_paste(dst, img, xy, size=None):
    """Paste a button image; KEY pixels keep what is underneath."""
    if size and size != img.size:
        img = img.resize(size, Image.NEAREST)
    dst.paste(img, xy, key_mask(img).point(lambda v: 255 - v))


def button_rows(outdir):
    """All button images, normal beside hover, then squeezed transport images."""
    sheet = Image.new('RGB', (1400, 470), MID_GREY)
    d = ImageDraw.Draw(sheet)
    x, y, row_h = 10, 24, 0
    for normal, hover in PAIRS:
        imgs = [show_key(load(outdir, 'bmp_%d.bmp' % i)) for i in (normal, hover) if i]
        w = sum(i.size[0] for i in imgs) + 6 * len(imgs)
        if x + w > 1390:
            x, y, row_h = 10, y + row_h + 24, 0
        d.text((x, y - 14), '%d/%s' % (normal, hover or '-'), fill=(255, 255, 255))
        for img in imgs:
            sheet.paste(img, (x, y))
            x += img.size[0] + 6
        x += 14
        row_h = max(row_h, max(i.size[1] for i in imgs))
    y += row_h + 30
    d.text((10, y - 14), 'at 65 x 58 (enlarged layout), normal and hover', fill=(255, 255, 255))
    x = 10
    for i in TRANSPORT:
        for k in (i, i + 1):
            img = show_key(load(outdir, 'bmp_%d.bmp' % k).resize((65, 58), Image.NEAREST))
            sheet.paste(img, (x, y))
            x += 69
        x += 8
    return sheet.crop((0, 0, 1400, y + 70))


def outlined(outdir, name, rects, needles):
    """Background at half size with the control rectangles drawn on it."""
    img = load(outdir, name).resize((683, 384), Image.LANCZOS)
    d = ImageDraw.Draw(img)
    for label, x, y, w, h in rects:
        d.rectangle((x // 2, y // 2, (x + w) // 2, (y + h) // 2), outline=(0, 255, 255))
    for (cx, cy), r in needles and ((skin.SPEED_CENTRE, skin.SPEED_LEN),
                        (skin.COMPASS_CENTRE, skin.COMPASS_LEN)) or ():
        d.ellipse(((cx - r) / 2, (cy - r) / 2, (cx + r) / 2, (cy + r) / 2), outline=(255, 255, 0))
    return img


def sheet(outdir, path):
    buttons = button_rows(outdir)
    pics = [load(outdir, n) for n in ('gm_failed.bmp', 'bmp_156.bmp')]
    graphs = [load(outdir, n) for n in ('gsensor_300.bmp', 'gsensor_360.bmp',
                                        'gsensor_long.bmp')]
    backs = [outlined(outdir, 'bmp_154.bmp', skin.NORMAL_RECTS, True),
             outlined(outdir, 'bmp_153.bmp', skin.ENLARGED_RECTS, False)]
    height = buttons.size[1] + 400 + 400
    out = Image.new('RGB', (1560, height), MID_GREY)
    out.paste(buttons, (0, 0))
    y = buttons.size[1]
    out.paste(backs[0], (10, y))
    out.paste(backs[1], (707, y))
    y += 400
    out.paste(pics[0], (10, y))
    out.paste(pics[1], (360, y))
    for i, g in enumerate(graphs):
        out.paste(g, (795, y + i * 108))
    out.save(path)


def draw_needle(d, c, degrees, length, colour):
    a = degrees * 3.14159265 / 180
    end = (c[0] + math.trunc(math.sin(a) * length), c[1] - math.trunc(math.cos(a) * length))
    d.line((c, end), fill=colour, width=3)


def text_box(d, xy, text, colour=(255, 255, 255), back=(0, 0, 0)):
    f = skin.ImageFont.truetype(skin.FONT_DIR + 'DejaVuSerif.ttf', 13)
    box = d.textbbox(xy, text, font=f)
    d.rectangle((xy[0], xy[1], box[2], xy[1] + 13), fill=back)
    d.text(xy, text, font=f, fill=colour)


def mock_normal(outdir):
    img = load(outdir, 'bmp_154.bmp')
    ids = {'minimise 1024': 152, 'maximise 1036': 207, 'close 1023': 129,
           'stop 1006': 144, 'play 1005': 140, 'enlarge 1008': 131,
           'full screen 1060': 213, 'one frame 1050': 168, 'open 1007': 135,
           'folder 1011': 150, 'add 1012': 147, 'delete 1013': 148, 'web 1044': 161}
    for name, x, y, w, h in skin.NORMAL_RECTS:
        if name in ids:
            keyed_paste(img, load(outdir, 'bmp_%d.bmp' % ids[name]), (x, y), (w, h))
    graph = load(outdir, 'gsensor_300.bmp').resize((819, 100))
    gd = ImageDraw.Draw(graph)
    for k, colour in enumerate(((255, 0, 0), (0, 255, 0), (0, 0, 255))):
        pts = [(8 + i * 790 // 300, 49 + int(30 * math.sin(i / (7 + k * 3)) * (0.3 + k * 0.3)))
               for i in range(0, 200)]
        gd.line(pts, fill=colour)
    gd.line((8 + 200 * 790 // 300, 5, 8 + 200 * 790 // 300, 94), fill=(0, 0, 0), width=2)
    img.paste(graph, (46, 621))
    d = ImageDraw.Draw(img)
    texts = [('Longitude : 139.767', (255, 255, 255)), ('Latitude  : 35.681', (255, 255, 255)),
             ('Altitude  : 35.3 M', (255, 255, 255)), ('G-Force X : 0.250 R', (255, 70, 70)),
             ('G-Force Y : 0.120 R', (70, 255, 70)), ('G-Force Z : 1.000 D', (70, 70, 255))]
    for i, (t, c) in enumerate(texts):
        text_box(d, (875, 626 + 14 * i), t, c)
    text_box(d, (737, 530), ' 00:03:20 / 00:05:00 ')
    text_box(d, (47, 62), 'VERSION : 2.3.0.1', back=(48, 48, 48))
    text_box(d, (1088, 676), 'KPH')
    text_box(d, (1135, 696), ' 72')
    d.rectangle((60, 535, 60 + 450, 539), fill=(181, 242, 0))
    d.rectangle((60 + 450, 535, 730, 539), fill=(92, 101, 126))
    d.rectangle((902, 201, 1100, 206), fill=(210, 0, 0))
    d.rectangle((1100, 201, 1310, 206), fill=(172, 172, 172))
    draw_needle(d, skin.COMPASS_CENTRE, 135, skin.COMPASS_LEN, (255, 70, 70))
    draw_needle(d, skin.SPEED_CENTRE, skin.needle_angle(68), 80, (255, 255, 70))
    draw_needle(d, skin.SPEED_CENTRE, skin.needle_angle(72), 80, (255, 70, 70))
    return img


def mock_enlarged(outdir):
    img = load(outdir, 'bmp_153.bmp')
    ids = {'minimise 1024': 152, 'maximise 1036': 207, 'close 1023': 143,
           'play 1005': 137, 'stop 1006': 144, 'open 1007': 135, 'enlarge 1008': 134,
           'full screen 1060': 213, 'one frame 1050': 168}
    for name, x, y, w, h in skin.ENLARGED_RECTS:
        if name in ids:
            keyed_paste(img, load(outdir, 'bmp_%d.bmp' % ids[name]), (x, y), (w, h))
    d = ImageDraw.Draw(img)
    d.rectangle((412, 689, 700, 698), fill=(181, 242, 0))
    d.rectangle((700, 689, 945, 698), fill=(92, 101, 126))
    text_box(d, (975, 684), ' 00:03:20 / 00:05:00 ')
    text_box(d, (47, 62), 'VERSION : 2.3.0.1', back=(48, 48, 48))
    return img


def main(argv):
    if len(argv) not in (3, 4):
        sys.stderr.write('usage: contact_sheet.py OUTDIR SHEET.png [MOCK_PREFIX]\n')
        return 2
    sheet(argv[1], argv[2])
    if len(argv) == 4:
        mock_normal(argv[1]).save(argv[3] + '-normal.png')
        mock_enlarged(argv[1]).save(argv[3] + '-enlarged.png')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
