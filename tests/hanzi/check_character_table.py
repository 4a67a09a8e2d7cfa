#!/usr/bin/env python3
"""Compares the character table, as the dump program prints it, with the Unihan files read
here independently, for every code point. Usage: check_character_table.py <dump> <unihan dir>"""
import bz2
import subprocess
import sys
import unicodedata

READING_FIELDS = ("kTGHZ2013", "kXHC1983", "kHanyuPinyin")
TONE_MARKS = {"\u0304": 1, "\u0301": 2, "\u030c": 3, "\u0300": 4}


def fields(path):
    result = {}
    with bz2.open(path, "rt", encoding="utf-8") as lines:
        for line in lines:
            if line.startswith("#") or not line.strip():
                continue
            code, field, value = line.rstrip("\n").split("\t", 2)
            result.setdefault(int(code[2:], 16), {})[field] = value
    return result


def tone(syllable):
    for mark in unicodedata.normalize("NFD", syllable):
        if mark in TONE_MARKS:
            return TONE_MARKS[mark]
    return 0


def expected_table(directory):
    data = fields(f"{directory}/Unihan_Readings.txt.bz2")
    strokes = fields(f"{directory}/Unihan_IRGSources.txt.bz2")
    table = {}
    for code, entry in data.items():
        if "kMandarin" not in entry:
            continue
        mandarin = entry["kMandarin"].split(" ")
        located = {field: [reading for item in entry.get(field, "").split(" ") if item
                           for reading in item.split(":", 1)[1].split(",")]
                   for field in READING_FIELDS}
        unique = list(dict.fromkeys(mandarin + [r for f in READING_FIELDS for r in located[f]]))
        modern = len(dict.fromkeys(mandarin + located["kTGHZ2013"] + located["kXHC1983"]))
        standard = located["kTGHZ2013"]
        toned = [r for r in mandarin if tone(r) and r in standard] + \
            [r for r in standard + mandarin + located["kXHC1983"] if tone(r)]
        in_name = toned[0] if toned else mandarin[0]
        total = strokes.get(code, {}).get("kTotalStrokes", "0").split(" ")[0]
        table[code] = (" ".join(unique), "".join(str(tone(r)) for r in unique), total,
                       "1" if "kTGHZ2013" in entry else "0", entry.get("kDefinition", ""),
                       in_name, str(modern))
    return table


def main():
    dump = subprocess.run([sys.argv[1]], check=True, capture_output=True, text=True).stdout
    actual = {}
    for line in dump.splitlines():
        code, *values = line.split("\t")
        actual[int(code, 16)] = tuple(values)
    expected = expected_table(sys.argv[2])
    wrong = [code for code in sorted(expected.keys() | actual.keys())
             if expected.get(code) != actual.get(code)]
    for code in wrong[:20]:
        print(f"U+{code:04X}: table {actual.get(code)}, files {expected.get(code)}")
    print(f"{len(expected)} covered code points, {len(wrong)} differ")
    return 1 if wrong or not expected else 0


if __name__ == "__main__":
    sys.exit(main())
