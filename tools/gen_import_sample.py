#!/usr/bin/python3
# Draws resources/image/importExcel.png, the sample sheet the import editor shows: names in
# the first column of a workbook. Needs Pillow and the WenQuanYi Micro Hei font (Debian).
#   /usr/bin/python3 tools/gen_import_sample.py resources/image/importExcel.png
import sys
from PIL import Image, ImageDraw, ImageFont

FONT = '/usr/share/fonts/truetype/wqy/wqy-microhei.ttc'
W, H = 640, 320
img = Image.new('RGBA', (W, H), (38, 39, 41, 255))
d = ImageDraw.Draw(img)
font = ImageFont.truetype(FONT, 22)
small = ImageFont.truetype(FONT, 18)
cols = [60, 300, 470, 640]
d.rectangle([0, 0, W, 40], fill=(52, 53, 56, 255))
for i, c in enumerate(['A', 'B', 'C']):
    d.text(((cols[i] + cols[i + 1]) // 2 - 6, 8), c, font=small, fill=(200, 200, 200, 255))
names = ['旅行照片_001', '旅行照片_002', '会议纪要', '2024年度报告', 'Résumé final', '项目计划书']
for r, name in enumerate(names):
    y = 40 + r * 46
    d.rectangle([0, y, 60, y + 46], fill=(52, 53, 56, 255))
    d.text((22, y + 12), str(r + 1), font=small, fill=(200, 200, 200, 255))
    d.text((cols[0] + 14, y + 10), name, font=font, fill=(255, 255, 255, 235))
d.rectangle([cols[0], 40, cols[1], H - 1], outline=(64, 93, 255, 255), width=3)
for r in range(7):
    d.line([0, 40 + r * 46, W, 40 + r * 46], fill=(70, 71, 74, 255), width=1)
for c in cols:
    d.line([c, 0, c, H], fill=(70, 71, 74, 255), width=1)
img.save(sys.argv[1] if len(sys.argv) > 1 else 'importExcel.png')
