#!/usr/bin/python3
"""Lists what a screen reader finds in Quintrel's windows.

Walks the accessibility tree (AT-SPI) of the running program and prints, for every window,
each focusable control with its role and name, marking those without a usable name. With
--text it also prints the text the report areas give (their first lines).

Run inside the session of scripts/a11y-tour.sh, which starts the bus, the display and the
program. Exit status 1 when some focusable control has no usable name.
"""

import re
import sys

import pyatspi


def usable(name):
    # A name must say what the control is: a lone sign such as "-", "+" or "..." does not.
    return bool(name) and re.search(r"[A-Za-z]{2}", name) is not None


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for index in range(node.childCount):
        try:
            child = node.getChildAtIndex(index)
        except Exception:  # a control that went away while we walked
            continue
        yield from walk(child, depth + 1)


def text_of(node, limit):
    try:
        text = node.queryText()
    except NotImplementedError:
        return None
    return text.getText(0, min(text.characterCount, limit))


def main():
    show_text = "--text" in sys.argv
    desktop = pyatspi.Registry.getDesktop(0)
    unnamed = 0
    total = 0
    for app in desktop:
        if app is None or "quintrel" not in (app.name or "").lower():
            continue
        for window in app:
            if window is None:
                continue
            print(f"== {window.getRoleName()} '{window.name}'")
            for node in walk(window):
                states = node.getState()
                if not states.contains(pyatspi.STATE_FOCUSABLE):
                    continue
                if not states.contains(pyatspi.STATE_SHOWING):
                    continue
                # The entries of lists and tables are named by their own text.
                if node.getRoleName() in ("list item", "table cell", "menu item"):
                    continue
                total += 1
                name = node.name or ""
                mark = "  " if usable(name) else "!!"
                if mark == "!!":
                    unnamed += 1
                line = f"{mark} {node.getRoleName():<16} {name!r}"
                if states.contains(pyatspi.STATE_FOCUSED):
                    line = "=>" + line[2:]
                if node.description:
                    line += f"  ({node.description[:60]!r})"
                print(line)
                if show_text and node.getRoleName() in ("table", "document frame", "text",
                                                         "document text", "list"):
                    text = text_of(node, 1200)
                    if text and node.getRoleName() != "text":
                        for text_line in text.splitlines()[:14]:
                            print(f"      | {text_line}")
    print(f"focusable controls: {total}, without a usable name: {unnamed}")
    return 1 if unnamed else 0


if __name__ == "__main__":
    sys.exit(main())
