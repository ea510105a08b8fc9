#!/usr/bin/python3
"""Waits until a label of a running program shows the expected text, read as
a screen reader reads it (AT-SPI). The label is the one whose description (its
tooltip) is TOOLTIP, so that its caption and edit box are not taken for it; its
name must be NAME and its text EXPECTED. Then each further name must name a
shown control of the program, itself or through the label that labels it.

    wait_for_label.py APPLICATION TOOLTIP NAME EXPECTED SECONDS [NAME...]
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


def program_controls(application):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        program = desktop.getChildAtIndex(index)
        if program is not None and program.name == application:
            yield from descendants(program)


def text_of(accessible):
    try:
        return accessible.queryText().getText(0, -1)
    except NotImplementedError:
        return None


def labels_with_tooltip(application, tooltip):
    for accessible in program_controls(application):
        if accessible.getRole() == pyatspi.ROLE_LABEL and accessible.description == tooltip:
            yield accessible.name, text_of(accessible)


def names_heard(application):
    """The names of the controls shown, their own or their labellers'."""
    heard = set()
    for accessible in program_controls(application):
        if not accessible.getState().contains(pyatspi.STATE_VISIBLE):
            continue
        heard.add(accessible.name)
        for relation in accessible.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                heard.update(relation.getTarget(i).name for i in range(relation.getNTargets()))
    return heard


def main():
    application, tooltip, name, expected, seconds = sys.argv[1:6]
    deadline = time.monotonic() + float(seconds)
    seen = []
    while True:
        seen = list(labels_with_tooltip(application, tooltip))
        if seen == [(name, expected)]:
            print(f"the label \"{name}\" shows \"{expected}\"")
            break
        if time.monotonic() >= deadline:
            print(f"expected one label named \"{name}\" showing \"{expected}\", found {seen}")
            return 1
        time.sleep(0.2)
    missing = set(sys.argv[6:]) - names_heard(application)
    if missing:
        print(f"no control is named {sorted(missing)}")
        return 1
    print(f"controls named {sys.argv[6:]} found")
    return 0


if __name__ == "__main__":
    sys.exit(main())
