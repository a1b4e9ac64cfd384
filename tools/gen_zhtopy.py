#!/usr/bin/python3
"""Generates resources/zhtopy.txt, the Pinyin table compiled into Quorvex.

Source: the code-point dictionary of Debian's package golang-github-mozillazg-go-pinyin-dev
(/usr/share/gocode/src/github.com/mozillazg/go-pinyin/pinyin_dict.go, MIT licence), itself made
from the pinyin-data project.

Output: one line, 20902 syllables separated by single spaces, no line break at the end; the
n-th syllable is the reading of U+4E00 + n (U+4E00 to U+9FA5). Each syllable is the first reading
of the dictionary, tone marks removed, ü written as v, lower-case ASCII letters only.

Fallback for the characters the dictionary has no reading for (an empty syllable would delete
the character from a name):
  - the unit characters that abbreviate a two-syllable word are read as that word
    (兙 shike 十克, 兡 baike 百克, 嗧 jialun 加仑, 瓧 shiwa 十瓦, 瓰 fenwa 分瓦, 瓱 maowa 毛瓦,
    瓼 liwa 里瓦, 甅 liwa 厘瓦);
  - 烪 is read as its phonetic part 争 (zheng);
  - 桛, a Japanese-made character without a Chinese reading, is read as its radical 木 (mu).
Any other character without a reading would make the script fail rather than guess.

Run it after the package changes:  tools/gen_zhtopy.py [dictionary] [output]
The table is committed; the build does not run this script.
"""
import re
import sys
import unicodedata

DICT = "/usr/share/gocode/src/github.com/mozillazg/go-pinyin/pinyin_dict.go"
FIRST, LAST = 0x4E00, 0x9FA5

FALLBACK = {
    0x5159: "shike", 0x5161: "baike", 0x55E7: "jialun", 0x74E7: "shiwa", 0x74F0: "fenwa",
    0x74F1: "maowa", 0x74FC: "liwa", 0x7505: "liwa", 0x70EA: "zheng", 0x685B: "mu",
}


def plain(reading):
    # ü (with or without a tone mark) becomes v; every other mark is dropped.
    out = []
    for ch in unicodedata.normalize("NFD", reading.replace("ü", "v").replace("ǘ", "v")
                                   .replace("ǚ", "v").replace("ǜ", "v").replace("ǖ", "v")):
        if unicodedata.category(ch) == "Mn":
            continue
        out.append(ch.lower())
    return "".join(out)


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else DICT
    target = sys.argv[2] if len(sys.argv) > 2 else "resources/zhtopy.txt"
    readings = {}
    with open(source, encoding="utf-8") as f:
        for m in re.finditer(r'0x([0-9A-Fa-f]+):\s*"([^"]*)"', f.read()):
            readings[int(m.group(1), 16)] = m.group(2)

    syllables = []
    for cp in range(FIRST, LAST + 1):
        first = readings.get(cp, "").split(",")[0].strip()
        syllable = plain(first) if first else FALLBACK.get(cp, "")
        if not re.fullmatch(r"[a-z]+", syllable):
            sys.exit("no usable reading for U+%04X %s: %r" % (cp, chr(cp), first))
        syllables.append(syllable)

    with open(target, "w", encoding="ascii", newline="") as f:
        f.write(" ".join(syllables))
    print("%s: %d syllables, %d by fallback" % (target, len(syllables),
          sum(1 for cp in range(FIRST, LAST + 1) if not readings.get(cp, "").split(",")[0])))


if __name__ == "__main__":
    main()
