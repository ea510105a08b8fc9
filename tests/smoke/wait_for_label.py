#!/usr/bin/python3
"""Waits until the one label of a running program whose description (its
tooltip) is TOOLTIP is named NAME and shows EXPECTED, read as a screen reader
reads it (AT-SPI); its caption and edit box are not taken for it. Then each
further name must name a shown control of the program, itself or through the
label that labels it.

    wait_for_label.py APPLICATION TOOLTIP NAME EXPECTED SECONDS [NAME...]
"""
import sys
import time

import pyatspi

application, tooltip, name, expected, seconds = sys.argv[1:6]


def descendants(accessible):
    for child in accessible:
        if child is not None:
            yield child
            yield from descendants(child)


def controls():
    return [c for p in pyatspi.Registry.getDesktop(0) if p is not None and p.name == application
            for c in descendants(p)]


def text_of(accessible):
    try:
        return accessible.queryText().getText(0, -1)
    except NotImplementedError:
        return None


deadline = time.monotonic() + float(seconds)
while (seen := [(c.name, text_of(c)) for c in controls()
                if c.getRole() == pyatspi.ROLE_LABEL and c.description == tooltip]) != [(name, expected)]:
    if time.monotonic() >= deadline:
        sys.exit(f'expected one label named "{name}" showing "{expected}", found {seen}')
    time.sleep(0.2)
print(f'the label "{name}" shows "{expected}"')

heard = set()
for c in controls():
    if c.getState().contains(pyatspi.STATE_VISIBLE):
        heard.add(c.name)
        for relation in c.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                heard.update(relation.getTarget(i).name for i in range(relation.getNTargets()))
if missing := set(sys.argv[6:]) - heard:
    sys.exit(f"no control is named {sorted(missing)}")
print(f"controls named {sys.argv[6:]} found")
