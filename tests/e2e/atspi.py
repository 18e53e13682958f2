# What a screen reader does: finds Tessivan's controls through AT-SPI and acts
# on them, without any input event reaching the window.
# Usage: atspi.py ready          (starts the accessibility bus, before the program)
#        atspi.py press CAPTION  (presses the control of that name, waiting for it up to 10 s)
#        atspi.py tree           (prints the window's tree: role, name, actions and
#                                 labelling relations, one control a line)
import sys
import time

import pyatspi


def find(node, name):
    if node is None:
        return None
    if node.name == name and node.getRoleName() != "frame":
        return node
    for child in node:
        found = find(child, name)
        if found is not None:
            return found
    return None


def application():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "tessivan" and app.childCount > 0:
                return app
        time.sleep(0.1)
    return None


def press(name):
    for _ in range(100):
        control = find(application(), name)
        if control is not None:
            control.queryAction().doAction(0)
            return 0
        time.sleep(0.1)
    print(f"atspi.py: no control {name!r}", file=sys.stderr)
    return 1


def actions(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def labels(node):
    kinds = {pyatspi.RELATION_LABEL_FOR: "label for", pyatspi.RELATION_LABELLED_BY: "labelled by"}
    return [
        f"{kinds[relation.getRelationType()]} {relation.getTarget(0).name!r}"
        for relation in node.getRelationSet()
        if relation.getRelationType() in kinds
    ]


def tree(node, depth=0):
    details = actions(node) + labels(node)
    print("  " * depth + f"{node.getRoleName()} {node.name!r}" + (f" [{', '.join(details)}]" if details else ""))
    for child in node:
        tree(child, depth + 1)


def print_tree():
    app = application()
    if app is None:
        print("atspi.py: no tessivan on the accessibility bus", file=sys.stderr)
        return 1
    for window in app:
        tree(window)
    return 0


if sys.argv[1] == "ready":
    pyatspi.Registry.getDesktop(0)
    sys.exit(0)
if sys.argv[1] == "tree":
    sys.exit(print_tree())
sys.exit(press(sys.argv[2]))
