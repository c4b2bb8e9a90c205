#!/usr/bin/env python3
"""Turns the Unicode Character Database (Debian's unicode-data package, in
/usr/share/unicode) into the table of terminal column widths that
terminal_width.cpp includes: 0 for what draws on the character before it
(combining marks, format characters, conjoining Hangul vowels and finals),
2 for East Asian wide and fullwidth characters and emoji shown as emoji,
1 for everything else.

The table is a list of runs over the whole code space, each entry the first
code point of a run shifted left by 2 with the run's width in the low bits,
so a lookup is one binary search over a few thousand bytes.

Usage: make_width_table.py UNICODE_FOLDER OUTPUT
"""
import pathlib
import re
import sys

LAST_CODE_POINT = 0x10FFFF
# Hangul vowels and finals that join the syllable's leading consonant into
# one wide block: they take no column of their own.
CONJOINING_JAMO = [(0x1160, 0x11FF), (0xD7B0, 0xD7FF)]


class UnicodeError(Exception):
    pass


def data_lines(path):
    """(first, last, fields) of each data line of a UCD property file."""
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        fields = [field.strip() for field in line.split(";")]
        first, _, last = fields[0].partition("..")
        yield int(first, 16), int(last or first, 16), fields[1:]


def general_categories(folder):
    """The general category of every assigned code point; UnicodeData.txt
    gives large blocks as a <..., First> and <..., Last> pair."""
    categories = {}
    first = None
    for line in (folder / "UnicodeData.txt").read_text(
            encoding="utf-8").splitlines():
        fields = line.split(";")
        if len(fields) < 3:
            continue
        code, name, category = int(fields[0], 16), fields[1], fields[2]
        if name.endswith(", First>"):
            first = code
            continue
        start = first if name.endswith(", Last>") else code
        for c in range(start, code + 1):
            categories[c] = category
        first = None
    if len(categories) < 100000:
        raise UnicodeError("UnicodeData.txt: too few code points")
    return categories


def property_set(path, name):
    """Code points that have the binary property `name` in `path`."""
    members = set()
    for first, last, fields in data_lines(path):
        if fields and fields[0] == name:
            members.update(range(first, last + 1))
    return members


def wide_code_points(folder):
    """East_Asian_Width W and F, with the blocks whose unassigned code points
    the file's header says default to W."""
    path = folder / "EastAsianWidth.txt"
    wide = set()
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line.startswith("#"):
            break
        match = re.search(r"U\+([0-9A-F]{4,6})\.\.U\+([0-9A-F]{4,6})", line)
        if match:
            wide.update(range(int(match[1], 16), int(match[2], 16) + 1))
    if not wide:
        raise UnicodeError(f"{path}: no default-wide blocks in the header")
    for first, last, fields in data_lines(path):
        code_points = range(first, last + 1)
        if fields[0] in ("W", "F"):
            wide.update(code_points)
        else:
            wide.difference_update(code_points)
    return wide


def emoji_data(folder):
    for path in (folder / "emoji" / "emoji-data.txt",
                 folder / "extracted" / "emoji-data.txt"):
        if path.exists():
            return path
    raise UnicodeError(f"{folder}: no emoji/emoji-data.txt")


def widths(folder):
    categories = general_categories(folder)
    prepended = property_set(folder / "PropList.txt",
                             "Prepended_Concatenation_Mark")
    wide = wide_code_points(folder)
    wide |= property_set(emoji_data(folder), "Emoji_Presentation")
    width = bytearray([1]) * (LAST_CODE_POINT + 1)
    for code in wide:
        width[code] = 2
    for code, category in categories.items():
        # Format characters draw nothing, except the soft hyphen and the
        # marks that stand visibly before a number.
        invisible = category == "Cf" and code != 0xAD and code not in prepended
        if category in ("Mn", "Me", "Cc") or invisible:
            width[code] = 0
    for first, last in CONJOINING_JAMO:
        for code in range(first, last + 1):
            width[code] = 0
    return width


def runs(width):
    out = [(0, width[0])]
    for code in range(1, LAST_CODE_POINT + 1):
        if width[code] != width[code - 1]:
            out.append((code, width[code]))
    return out


def version(folder):
    first = (folder / "EastAsianWidth.txt").read_text(
        encoding="utf-8").splitlines()[0]
    match = re.search(r"-(\d+\.\d+\.\d+)\.txt", first)
    return match[1] if match else "unknown"


def main(folder, output):
    folder = pathlib.Path(folder)
    entries = runs(widths(folder))
    rows = []
    for at in range(0, len(entries), 6):
        rows.append("    " + " ".join(
            f"0x{(start << 2) | w:07X}," for start, w in entries[at:at + 6]))
    pathlib.Path(output).write_text(
        f"// Made by make_width_table.py from Unicode {version(folder)}.\n"
        "// Runs of equal width: first code point << 2 | width.\n"
        "constexpr std::uint32_t kWidthRuns[] = {\n" + "\n".join(rows) +
        "\n};\n", encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    try:
        main(sys.argv[1], sys.argv[2])
    except (OSError, ValueError, UnicodeError) as error:
        sys.exit(f"make_width_table.py: {error}")
