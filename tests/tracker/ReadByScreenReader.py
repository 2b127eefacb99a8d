"""Reads the running tracker through the accessibility bus, as a screen reader does.

Finds the fight typed in by the caller in the table "Combatants", a Done button named by its
row and described by what it does, the unticked "Keep Init / Turn", presses Ctrl+T and hears
the turn counter move on. Exits 1 with the reason on a mismatch.
"""
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
import pyatspi  # noqa: E402


def fail(reason):
    print("FAIL: " + reason)
    sys.exit(1)


def wait_for(what, find, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    fail("no " + what)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def tracker():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name.lower() == "trevalo":
            # Every read asks the program, as a reader hears it now, not as first seen.
            app.set_cache_mask(Atspi.Cache.NONE)
            app.clearCache()
            return app
    return None


def named(root, name, role=None):
    for node in walk(root):
        if node.name == name and (role is None or node.getRole() == role):
            return node
    return None


def table_rows(table):
    cells = table.queryTable()
    rows = []
    for row in range(cells.nRows):
        rows.append([cells.getAccessibleAt(row, column).name
                     for column in range(cells.nColumns)])
    headers = [cells.getColumnDescription(column) for column in range(cells.nColumns)]
    return headers, rows


def combatants(app):
    for node in walk(app):
        if node.getRole() == pyatspi.ROLE_TABLE:
            headers, rows = table_rows(node)
            if "Name" in headers and "Init" in headers:
                return node, headers, rows
    return None


def check_done_button(table, row, name):
    """The Done cell of `row` is a button that says what it does and which row it acts on."""
    done = table.queryTable().getAccessibleAt(row, 0)
    if done.getRole() != pyatspi.ROLE_PUSH_BUTTON:
        fail("the Done cell is a %s, not a button" % done.getRoleName())
    if done.description != "Marks this combatant done. Press Space.":
        fail("the Done cell is described as %r" % done.description)
    labels = [relation.getTarget(0).name for relation in done.getRelationSet()
              if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY]
    if labels != [name]:
        fail("the Done cell of %s is labelled by %s" % (name, labels))


def main():
    app = wait_for("tracker on the bus", tracker)
    wait_for("window Main", lambda: named(app, "Main", pyatspi.ROLE_FRAME))
    table, headers, rows = wait_for("combatant table", lambda: combatants(app))
    if table.name != "Combatants":
        fail("the combatant table is named %r" % table.name)
    if len(rows) != 3:
        fail("%d rows read, not the 3 typed: %s" % (len(rows), rows))
    name, init = headers.index("Name"), headers.index("Init")
    samurai = [row for row in rows if row[name] == "Street Samurai"]
    if not samurai:
        fail("'Street Samurai' not among %s" % rows)
    if samurai[0][init] != "15":
        fail("Street Samurai's initiative reads %r" % samurai[0][init])
    check_done_button(table, rows.index(samurai[0]), "Street Samurai")
    keep = named(app, "Keep Init / Turn", pyatspi.ROLE_CHECK_BOX)
    if keep is None:
        fail("no check box 'Keep Init / Turn'")
    if keep.getState().contains(pyatspi.STATE_CHECKED):
        fail("'Keep Init / Turn' reads as ticked")
    subprocess.run(["xdotool", "key", "ctrl+t"], check=True)
    wait_for("'Turn #: 2'", lambda: named(app, "Turn #: 2"))
    print("read %d combatants in 'Combatants': Street Samurai 15 with its Done button, Keep "
          "Init / Turn unticked, then Turn #: 2" % len(rows))


main()
