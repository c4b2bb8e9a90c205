#!/usr/bin/env python3
"""The translation table's generator refuses every .po file that would make
a wrong box, and reads a good one."""
import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE = pathlib.Path(__file__).resolve().parents[2] / "display/common/po"
GOOD = (SOURCE / "de.po").read_text(encoding="utf-8")


def generate(po_text, name="de.po"):
    """Runs the generator on the template and one .po file; returns its exit
    status and the table or the error."""
    with tempfile.TemporaryDirectory() as folder:
        folder = pathlib.Path(folder)
        shutil.copy(SOURCE / "vorlick.pot", folder)
        (folder / name).write_text(po_text, encoding="utf-8")
        out = folder / "table.inc"
        run = subprocess.run(
            [sys.executable, SOURCE / "make_table.py", folder, out],
            capture_output=True, text=True)
        return run.returncode, out.read_text() if out.exists() else run.stderr


class MakeTable(unittest.TestCase):
    def test_a_good_file_makes_its_row(self):
        status, table = generate(GOOD)
        self.assertEqual(status, 0)
        self.assertIn('{"de",', table)
        self.assertIn('u"&Ja"', table)
        self.assertIn('u"Schlie\\u00DFt in %u s"', table)

    def test_refusals(self):
        cases = {
            "missing": GOOD.replace('msgstr "&Ja"', 'msgstr ""'),
            "fuzzy": GOOD.replace('msgctxt "IDNO"', '#, fuzzy\nmsgctxt "IDNO"'),
            "two keys": GOOD.replace('msgstr "&Ja"', 'msgstr "&J&a"'),
            "key at end": GOOD.replace('msgstr "&Ja"', 'msgstr "Ja&"'),
            "no %u": GOOD.replace("Schließt in %u s", "Schließt bald"),
            "two %u": GOOD.replace("Schließt in %u s", "%u in %u s"),
            "%d": GOOD.replace("Schließt in %u s", "Schließt in %d s"),
            "language": GOOD.replace("Language: de", "Language: fr"),
            "msgid": GOOD.replace('msgid "&Yes"', 'msgid "Yes"'),
            "extra": GOOD + '\nmsgctxt "IDCLOSE"\nmsgid "Close"\nmsgstr "Zu"\n',
            "long": GOOD.replace('msgstr "&Ja"', 'msgstr "&' + "J" * 28 + '"'),
            "bad escape": GOOD.replace('msgstr "&Ja"', 'msgstr "&J\\a"'),
        }
        for name, text in cases.items():
            with self.subTest(name):
                status, error = generate(text)
                self.assertNotEqual(status, 0)
                self.assertIn("make_table.py:", error)


if __name__ == "__main__":
    unittest.main()
