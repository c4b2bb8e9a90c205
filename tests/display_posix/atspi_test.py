"""The GTK box as a screen reader reads it, over the accessibility bus.

Run under dbus-run-session with Debian's python3 (python3-pyatspi):
    dbus-run-session -- /usr/bin/python3 atspi_test.py VORLICK_DEMO STATE
On the display named in STATE/display (the tests' shared display, see
scripts/wine-session.sh), shows boxes through the library with vorlick_demo,
and reads each box's tree through AT-SPI: an alert titled with the caption,
the icon, the message as a label, the countdown as a timer (whose changes a
screen reader does not announce every second), the buttons with their names
and access keys in the box's language. Then clicks a button through AT-SPI
and checks the answer.
"""

import os
import subprocess
import sys
import time

import pyatspi


def find_box(caption, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            for window in app or []:
                if window is not None and window.name == caption:
                    return window
        time.sleep(0.1)
    return None


def seconds_as_n(name):
    """The countdown with its number, from 30 down to 20, written as N: the
    box may have been counting a while before it is read."""
    for seconds in range(30, 19, -1):
        if str(seconds) in name:
            return name.replace(str(seconds), "N", 1)
    return name


def contents(node, found):
    """Every object under `node` as (role, name, key binding)."""
    for child in node:
        key = ""
        name = child.name
        if child.getRole() == pyatspi.ROLE_PUSH_BUTTON:
            key = child.queryAction().getKeyBinding(0)
        if child.getRole() == pyatspi.ROLE_TIMER:
            name = seconds_as_n(name)
        if child.getRole() != pyatspi.ROLE_FILLER:
            found.append((child.getRoleName(), name, key))
        contents(child, found)
    return found


def button(node, name):
    for child in node:
        if child.getRole() == pyatspi.ROLE_PUSH_BUTTON and child.name == name:
            return child
        found = button(child, name)
        if found is not None:
            return found
    return None


# The icon's name is GTK's own, in English: the box speaks only the words it
# has translations for.
CASES = [
    # locale, style, expected objects, button to click, its answer
    ("en_GB.UTF-8", "0x24", [
        ("icon", "Question", ""),
        ("label", "Go on?", ""),
        ("timer", "Closes in N s", ""),
        ("push button", "Yes", "<Alt>y"),
        ("push button", "No", "<Alt>n"),
    ], "No", "7"),
    ("de_DE.UTF-8", "0x33", [
        ("icon", "Warning", ""),
        ("label", "Go on?", ""),
        ("timer", "Schließt in N s", ""),
        ("push button", "Ja", "<Alt>j"),
        ("push button", "Nein", "<Alt>n"),
        ("push button", "Abbrechen", "<Alt>a"),
    ], "Abbrechen", "2"),
    ("ja_JP.UTF-8", "0x04", [
        ("label", "Go on?", ""),
        ("timer", "N 秒後に閉じます", ""),
        ("push button", "はい(Y)", "<Alt>y"),
        ("push button", "いいえ(N)", "<Alt>n"),
    ], "はい(Y)", "6"),
]


def check(demo, display, case):
    language, style, expected, click, answer = case
    caption = "AT-SPI box " + language
    # The locale need not be installed: the library reads the name alone.
    env = dict(os.environ, DISPLAY=display, LANG=language,
               GSETTINGS_BACKEND="memory")
    for name in ("NO_AT_BRIDGE", "LANGUAGE", "LC_ALL", "LC_MESSAGES"):
        env.pop(name, None)
    box = subprocess.Popen([demo, style, "30", "0", caption, "Go on?"],
                           env=env, stdout=subprocess.PIPE, text=True)
    failures = []
    try:
        window = find_box(caption)
        if window is None:
            return ["%s: no box on the accessibility bus" % language]
        if window.getRole() != pyatspi.ROLE_ALERT:
            failures.append("%s: role %s, not alert"
                            % (language, window.getRoleName()))
        found = contents(window, [])
        if found != expected:
            failures.append("%s: %r\n  expected %r" % (language, found, expected))
        target = button(window, click)
        if target is None:
            failures.append("%s: no button %s" % (language, click))
        else:
            target.queryAction().doAction(0)
        try:
            output, _ = box.communicate(timeout=10)
        except subprocess.TimeoutExpired:
            output = "(still open)"
        if output.strip() != answer:
            failures.append("%s: answer %r, expected %s"
                            % (language, output.strip(), answer))
    finally:
        if box.poll() is None:
            box.kill()
            box.wait()
    return failures


def main():
    with open(os.path.join(sys.argv[2], "display")) as named:
        display = named.read().strip()
    failures = []
    for case in CASES:
        failures += check(sys.argv[1], display, case)
    for failure in failures:
        print("FAILED " + failure)
    print("atspi_test: %d cases, %d failures" % (len(CASES), len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
