# What a screen reader does: finds Tessivan's controls through AT-SPI and acts
# on them, without any input event reaching the window.
# Usage: atspi.py ready          (starts the accessibility bus, before the program)
#        atspi.py press CAPTION  (presses the control of that name, waiting for it up to 10 s)
#        atspi.py focus CAPTION  (gives that control the keyboard focus)
#        atspi.py set CAPTION TEXT  (sets the text of that text box)
#        atspi.py shown TITLE    (succeeds while a window of that title is shown, at one look)
#        atspi.py tree           (prints the window's tree: role, name, actions and
#                                 labelling relations, one control a line)
import sys
import time

import pyatspi


def find(node, name):
    if node is None:
        return None
    # A box is named twice, its scroll area as a panel around it.
    if node.name == name and node.getRoleName() not in ("frame", "panel"):
        return node
    for child in node:
        found = find(child, name)
        if found is not None:
            return found
    return None


def application(looks=100):
    """The program with its windows, looked for every 0.1 s, up to 10 s by default."""
    for _ in range(looks):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "tessivan" and app.childCount > 0:
                return app
        time.sleep(0.1)
    return None


def act(name, action):
    """Does action to the control of that name, waiting for it up to 10 s."""
    for _ in range(100):
        control = find(application(), name)
        if control is not None:
            return 0 if action(control) is not False else 1
        time.sleep(0.1)
    print(f"atspi.py: no control {name!r}", file=sys.stderr)
    return 1


def shown(title):
    # One look: a program whose windows have gone would be waited for.
    app = application(looks=1)
    states = [window.getState() for window in (app or []) if window is not None and window.name == title]
    return 0 if any(state.contains(pyatspi.STATE_SHOWING) for state in states) else 1


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


command = sys.argv[1]
if command == "ready":
    pyatspi.Registry.getDesktop(0)
    sys.exit(0)
if command == "tree":
    sys.exit(print_tree())
if command == "shown":
    sys.exit(shown(sys.argv[2]))
sys.exit(act(sys.argv[2], {
    "press": lambda control: control.queryAction().doAction(0),
    "focus": lambda control: control.queryComponent().grabFocus(),
    "set": lambda control: control.queryEditableText().setTextContents(sys.argv[3]),
}[command]))
