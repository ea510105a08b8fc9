#!/usr/bin/python3
"""Waits until a label of a running program shows the expected text, as a
screen reader reads it: over the accessibility bus (AT-SPI). The label is the
one whose description (its tooltip) is the given text, so that its caption's
label and its edit box, which share the tooltip or the neighbourhood, are not
taken for it.

    wait_for_label.py APPLICATION TOOLTIP EXPECTED SECONDS

Exit code 0 when the label showed the text in time, 1 otherwise, with what it
showed last.
"""
import sys
import time

import pyatspi


def descendants(accessible):
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            yield child
            yield from descendants(child)


def label_texts(application, tooltip):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        program = desktop.getChildAtIndex(index)
        if program is None or program.name != application:
            continue
        for accessible in descendants(program):
            if accessible.getRole() == pyatspi.ROLE_LABEL and accessible.description == tooltip:
                yield accessible.name


def main():
    application, tooltip, expected, seconds = sys.argv[1], sys.argv[2], sys.argv[3], float(sys.argv[4])
    deadline = time.monotonic() + seconds
    seen = []
    while True:
        seen = list(label_texts(application, tooltip))
        if seen == [expected]:
            print(f"the label shows \"{expected}\"")
            return 0
        if time.monotonic() >= deadline:
            break
        time.sleep(0.2)
    print(f"expected one label showing \"{expected}\", found {seen}")
    return 1


if __name__ == "__main__":
    sys.exit(main())
