#!/usr/bin/env python3
"""Turns the message box's translations (vorlick.pot and one LANG.po per
language beside it) into the C++ table display/common/translation.cpp
includes. Refuses a file that would make a wrong box: a missing or empty
translation, a fuzzy one, a label with two access keys, a countdown line
without its one %u.

Usage: make_table.py PO_FOLDER OUTPUT
"""
import pathlib
import re
import sys

# The button of each context, by the ID message boxes return for it.
BUTTONS = {"IDOK": 1, "IDCANCEL": 2, "IDABORT": 3, "IDRETRY": 4,
           "IDIGNORE": 5, "IDYES": 6, "IDNO": 7, "IDHELP": 9,
           "IDTRYAGAIN": 10, "IDCONTINUE": 11}
COUNTDOWN = "countdown"
SLOTS = 11  # button IDs 1 to 11; 8 (IDCLOSE) is no message box button
# Room in translation.h: a label with an access key added in brackets
# ("(&X)") and its terminator, a countdown format with 20 digits in place of
# %u and its terminator.
LABEL_UNITS = 32
COUNTDOWN_UNITS = 64


class PoError(Exception):
    pass


def unquote(text, where):
    if len(text) < 2 or text[0] != '"' or text[-1] != '"':
        raise PoError(f"{where}: expected a quoted string")
    out, i, body = [], 0, text[1:-1]
    escapes = {"n": "\n", "t": "\t", '"': '"', "\\": "\\"}
    while i < len(body):
        c = body[i]
        if c == "\\":
            if i + 1 >= len(body) or body[i + 1] not in escapes:
                raise PoError(f"{where}: unknown escape")
            out.append(escapes[body[i + 1]])
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def read_po(path):
    """Entries of a .po file as {context: (msgid, msgstr, flags)} and the
    header's fields."""
    entries, header = {}, {}
    entry, key, flags = {}, None, set()

    def finish(lineno):
        nonlocal entry, key, flags
        if "msgid" in entry:
            if entry["msgid"] == "" and "msgctxt" not in entry:
                for line in entry.get("msgstr", "").split("\n"):
                    if ":" in line:
                        name, value = line.split(":", 1)
                        header[name.strip()] = value.strip()
            else:
                context = entry.get("msgctxt")
                if context is None:
                    raise PoError(f"{path}:{lineno}: entry without msgctxt")
                if context in entries:
                    raise PoError(f"{path}:{lineno}: {context} twice")
                entries[context] = (entry["msgid"], entry.get("msgstr", ""),
                                    flags)
        entry, key, flags = {}, None, set()

    lines = path.read_text(encoding="utf-8").split("\n")
    for lineno, raw in enumerate(lines + [""], 1):
        line = raw.strip()
        where = f"{path}:{lineno}"
        if not line:
            finish(lineno)
        elif line.startswith("#,"):
            flags |= {f.strip() for f in line[2:].split(",")}
        elif line.startswith("#"):
            continue
        elif line.startswith('"'):
            if key is None:
                raise PoError(f"{where}: text outside an entry")
            entry[key] += unquote(line, where)
        else:
            match = re.match(r"(msgctxt|msgid|msgstr)\s+(\".*\")$", line)
            if not match:
                raise PoError(f"{where}: cannot read this line")
            key = match.group(1)
            entry[key] = unquote(match.group(2), where)
    return entries, header


def access_keys(label):
    """Number of access keys in a marked label; "&&" is a plain "&"."""
    count, i = 0, 0
    while i < len(label):
        if label[i] == "&":
            if i + 1 < len(label) and label[i + 1] == "&":
                i += 2
                continue
            if i + 1 >= len(label):
                return 99  # a mark with nothing to mark
            count += 1
        i += 1
    return count


def utf16_units(text):
    return len(text.encode("utf-16-le")) // 2


def check_words(language, words):
    for context, text in words.items():
        where = f"{language}: {context}"
        if context == COUNTDOWN:
            rest = text.replace("%%", "")
            if rest.count("%u") != 1 or rest.replace("%u", "").count("%"):
                raise PoError(f"{where}: needs exactly one %u")
            if utf16_units(text) - 2 + 20 >= COUNTDOWN_UNITS:
                raise PoError(f"{where}: longer than the line's room")
        else:
            if access_keys(text) > 1:
                raise PoError(f"{where}: more than one access key")
            if utf16_units(text) + 4 >= LABEL_UNITS:
                raise PoError(f"{where}: longer than a label's room")


def language_words(path, template):
    entries, header = read_po(path)
    tag = path.stem
    if header.get("Language") != tag:
        raise PoError(f"{path}: its Language header must be {tag}")
    words = {}
    for context, (msgid, _, _) in template.items():
        if context not in entries:
            raise PoError(f"{path}: {context} is missing")
        their_id, text, flags = entries[context]
        if their_id != msgid:
            raise PoError(f"{path}: {context} translates {their_id!r}, "
                          f"not {msgid!r}")
        if "fuzzy" in flags or not text:
            raise PoError(f"{path}: {context} is not translated")
        words[context] = text
    for context in entries:
        if context not in template:
            raise PoError(f"{path}: {context} is not in the template")
    check_words(tag, words)
    return tag, words


def cxx_string(text):
    out = []
    for c in text:
        code = ord(c)
        if c in '"\\':
            out.append("\\" + c)
        elif 0x20 <= code < 0x7F:
            out.append(c)
        elif code <= 0xFFFF:
            out.append(f"\\u{code:04X}")
        else:
            out.append(f"\\U{code:08X}")
    return 'u"' + "".join(out) + '"'


def table_row(tag, words):
    labels = [cxx_string("")] * SLOTS
    for context, button in BUTTONS.items():
        labels[button - 1] = cxx_string(words[context])
    return (f'    {{"{tag}",\n     {{' + ", ".join(labels) + "},\n     "
            + cxx_string(words[COUNTDOWN]) + "},")


def main():
    folder, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    template_entries, _ = read_po(folder / "vorlick.pot")
    expected = set(BUTTONS) | {COUNTDOWN}
    if set(template_entries) != expected:
        raise PoError("vorlick.pot must have exactly the contexts "
                      + ", ".join(sorted(expected)))
    english = {c: msgid for c, (msgid, _, _) in template_entries.items()}
    check_words("en", english)
    languages = [("en", english)]
    for path in sorted(folder.glob("*.po")):
        languages.append(language_words(path, template_entries))
    rows = "\n".join(table_row(tag, words) for tag, words in languages)
    output.write_text(
        "// Generated by display/common/po/make_table.py from the .po files\n"
        "// beside it; do not edit.\n"
        f"inline constexpr int kTranslationCount = {len(languages)};\n"
        "inline constexpr Translation kTranslations[kTranslationCount] = {\n"
        f"{rows}\n}};\n",
        encoding="utf-8")


if __name__ == "__main__":
    try:
        main()
    except PoError as error:
        sys.exit(f"make_table.py: {error}")
