#!/usr/bin/env python3
"""Reads the editor window over AT-SPI, as the Orca screen reader does.

    screenreader_test.py EDITOR WORKDIR [--list]

Runs on a session bus of its own (run_screenreader_test.sh provides it and an
X server). Starts EDITOR in WORKDIR, walks its accessible tree and checks the
names, roles, relations and states a screen reader relies on, those of the
class table too; --list prints
the focusable controls with what a screen reader says for each instead.
Exits 77 when the AT-SPI bus cannot start.
"""

import os
import subprocess
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

warnings.filterwarnings("ignore", category=DeprecationWarning)  # names that at-spi2-core 2.50 renames

SKIP = 77
APP_NAME = "Tolvane Class Creator"

# Each list and the entry it shows at start, and the group around it.
LISTS = [
    ("Resistance", "Normal Armor", "Armor"),
    ("Inventory item", "Army Knife", None),
    ("Starting weapon", "Army Knife", None),
]

# Controls and the group box a screen reader names with them.
GROUP_MEMBERS = [
    ("check box", "Scanner", "Class Abilities"),
    ("check box", "Disarm Detpack", "Class Abilities"),
    ("text", "Helmet", "Armor"),
    ("text", "Trousers", "Armor"),
    ("text", "Health", "Health"),
    ("text", "Maximum health", "Health"),
    ("check box", "Can be the V.I.P.", "Gamemode Flags"),
    ("push button", "Calculate!", "Calculate"),
    ("text", "Calculated abilities", "Calculate"),
    ("text", "Shells", "Maximum Ammo"),
    ("text", ".45 cal Mag", "Maximum Ammo"),
]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def require_atspi_bus():
    try:
        bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                      GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 20000, None)
    except GLib.Error as error:
        print(f"SKIP: the AT-SPI bus cannot start here: {error.message}")
        sys.exit(SKIP)


def pump(until, seconds=10.0):
    """Runs the event loop until until() holds or the time is up."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        if until():
            return True
        time.sleep(0.05)
    return until()


def children(acc):
    for i in range(acc.get_child_count()):
        child = acc.get_child_at_index(i)
        if child is not None:
            yield child


def walk(acc):
    yield acc
    for child in children(acc):
        yield from walk(child)


def has(acc, state):
    return acc.get_state_set().contains(state)


def text_of(acc):
    if "Text" not in acc.get_interfaces():
        return None
    return Atspi.Text.get_text(acc, 0, Atspi.Text.get_character_count(acc))


def labelled_by(acc):
    names = []
    for relation in acc.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            names += [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
    return names


def group_of(acc):
    parent = acc.get_parent()
    while parent is not None and parent.get_role() != Atspi.Role.PANEL:
        if parent.get_role() in (Atspi.Role.DIALOG, Atspi.Role.FRAME, Atspi.Role.FILLER):
            return None
        parent = parent.get_parent()
    return parent.get_name() if parent is not None else None


def in_list(acc):
    parent = acc.get_parent()
    while parent is not None:
        if parent.get_role() == Atspi.Role.COMBO_BOX:
            return True
        parent = parent.get_parent()
    return False


def spoken(acc):
    """Name, role and group, roughly as a screen reader says them."""
    words = [acc.get_name() or "(no name)", acc.get_role_name()]
    value = text_of(acc) if acc.get_role() == Atspi.Role.COMBO_BOX else None
    if value:
        words.insert(1, value)
    group = group_of(acc)
    if group:
        words.append(f"in {group}")
    if not has(acc, Atspi.StateType.SENSITIVE):
        words.append("unavailable")
    return ", ".join(words)


def find_window(editor):
    end = time.monotonic() + 30
    while time.monotonic() < end:
        if editor.poll() is not None:
            break
        desktop = Atspi.get_desktop(0)
        for app in children(desktop):
            if app.get_name() == APP_NAME:
                for window in children(app):
                    if has(window, Atspi.StateType.SHOWING) and any(
                            a.get_name() == "Quit" and has(a, Atspi.StateType.FOCUSED) for a in walk(window)):
                        return window
        time.sleep(0.2)
    return None


def one(nodes, role, name):
    found = [a for a in nodes if a.get_role_name() == role and a.get_name() == name]
    check(len(found) == 1, f"{len(found)} objects are a {role} named {name!r}, one expected")
    return found[0] if found else None


def press(button):
    for i in range(Atspi.Action.get_n_actions(button)):
        if button.get_action_name(i) == "Press":
            return Atspi.Action.do_action(button, i)
    check(False, f"{button.get_name()!r} has no Press action")
    return False


def check_lists(nodes):
    lists = [a for a in nodes if a.get_role() == Atspi.Role.COMBO_BOX]
    check(sorted(a.get_name() for a in lists) == sorted(name for name, _, _ in LISTS),
          f"the lists are named {[a.get_name() for a in lists]}")
    for name, value, group in LISTS:
        acc = one(nodes, "combo box", name)
        if acc:
            check(text_of(acc) == value, f"list {name!r} gives {text_of(acc)!r} as its value, not {value!r}")
            check(group_of(acc) == group, f"list {name!r} is in group {group_of(acc)!r}, not {group!r}")
    one(nodes, "text", "Amount of Army Knife")


def check_list_value_change(nodes):
    """Down in the item list: the list keeps its name and tells its new entry."""
    items = one(nodes, "combo box", "Inventory item")
    amount = one(nodes, "text", "Amount of Army Knife")
    if not (items and amount):
        return
    inserted = []

    def hear(event):
        if event.source.get_role() == Atspi.Role.COMBO_BOX:
            inserted.append(event.any_data)

    listener = Atspi.EventListener.new(hear)
    listener.register("object:text-changed:insert")
    Atspi.Component.grab_focus(items)
    pump(lambda: has(items, Atspi.StateType.FOCUSED))
    Atspi.generate_keyboard_event(0xFF54, None, Atspi.KeySynthType.SYM)  # Down
    pump(lambda: "Fists" in inserted and amount.get_name() == "Amount of Fists")
    check(items.get_name() == "Inventory item", f"the item list is named {items.get_name()!r} after Down")
    check(text_of(items) == "Fists", f"the item list gives {text_of(items)!r} after Down, not 'Fists'")
    check("Fists" in inserted, f"the item list told {inserted} after Down, not 'Fists'")
    check(amount.get_name() == "Amount of Fists", f"the Amount box is named {amount.get_name()!r} after Down")
    listener.deregister("object:text-changed:insert")


def check_groups(nodes):
    for role, name, group in GROUP_MEMBERS:
        acc = one(nodes, role, name)
        if acc:
            check(group_of(acc) == group, f"{name!r} is in group {group_of(acc)!r}, not {group!r}")
            check(group in labelled_by(acc), f"{name!r} is labelled by {labelled_by(acc)}, not by {group!r}")
    for acc in nodes:
        if acc.get_role() == Atspi.Role.CHECK_BOX:
            check(group_of(acc) in ("Class Abilities", "Gamemode Flags"), f"check box {acc.get_name()!r} has no group")


def check_focus_and_names(nodes):
    quit_button = one(nodes, "push button", "Quit")
    check(quit_button is not None and has(quit_button, Atspi.StateType.FOCUSED), "Quit has no focus at start")
    for acc in nodes:
        if has(acc, Atspi.StateType.FOCUSABLE) and has(acc, Atspi.StateType.SHOWING):
            check(bool(acc.get_name()), f"a focusable {acc.get_role_name()} has no name")


def check_status_line(nodes):
    bars = [a for a in nodes if a.get_role() == Atspi.Role.STATUS_BAR]
    check(len(bars) == 1, f"{len(bars)} status bars, one expected")
    if not bars:
        return
    bar = bars[0]
    for state in (Atspi.StateType.ENABLED, Atspi.StateType.SENSITIVE, Atspi.StateType.SHOWING,
                  Atspi.StateType.READ_ONLY):
        check(has(bar, state), f"the status bar lacks the state {state.value_nick}")
    check(not has(bar, Atspi.StateType.EDITABLE), "the status bar is editable")

    heard = []
    def hear(event):
        if event.source.get_role() == Atspi.Role.STATUS_BAR:
            heard.append((event.type, event.source.get_name()))

    listener = Atspi.EventListener.new(hear)
    listener.register("object:property-change:accessible-name")
    listener.register("object:text-changed:insert")
    press(one(nodes, "push button", "Load Config"))
    # Without a class file the table keeps its one empty class.
    expected = "tvclass_seals.cfg not found: 1 new class"
    pump(lambda: bar.get_name() == expected and len({kind for kind, _ in heard}) == 2)
    check(bar.get_name() == expected, f"the status bar says {bar.get_name()!r}, not {expected!r}")
    check(text_of(bar) == expected, f"the status bar's text is {text_of(bar)!r}")
    for kind in ("object:property-change:accessible-name", "object:text-changed:insert"):
        check(any(k == kind for k, _ in heard), f"no {kind} event from the status bar (heard {heard})")
    listener.deregister("object:property-change:accessible-name")
    listener.deregister("object:text-changed:insert")


def check_on_screen(window, nodes):
    """The window lies on the screen, and every control it shows in the window."""
    def extents(acc):
        box = Atspi.Component.get_extents(acc, Atspi.CoordType.SCREEN)
        return box.x, box.y, box.x + box.width, box.y + box.height

    def inside(inner, outer):
        return outer[0] <= inner[0] and outer[1] <= inner[1] and inner[2] <= outer[2] and inner[3] <= outer[3]

    # Qt reports positions in device-independent pixels, the screen's pixels
    # divided by the scale factor.
    scale = float(os.environ.get("QT_SCALE_FACTOR", "1"))
    screen = (0, 0, int(os.environ["SCREEN_WIDTH"]) / scale, int(os.environ["SCREEN_HEIGHT"]) / scale)
    frame = extents(window)
    check(inside(frame, screen), f"the window spans {frame}, beyond the screen {screen}")
    for acc in nodes:
        if acc is not window and has(acc, Atspi.StateType.SHOWING) and not in_list(acc) \
                and "Component" in acc.get_interfaces():
            box = extents(acc)
            check(inside(box, frame), f"{acc.get_role_name()} {acc.get_name()!r} spans {box}, beyond the window")


def check_disabled_values(nodes):
    result = one(nodes, "text", "Calculated abilities")
    press(one(nodes, "push button", "Calculate!"))
    if result:
        pump(lambda: text_of(result) == "0")
        check(text_of(result) == "0", f"the Calculate! result reads {text_of(result)!r}")
        check(has(result, Atspi.StateType.READ_ONLY) and not has(result, Atspi.StateType.EDITABLE),
              "the Calculate! result can be edited")
    mag = one(nodes, "text", ".45 cal Mag")
    check(mag is not None and text_of(mag) == "0", ".45 cal Mag cannot be read")


CLASS_FILE = """{
classname A
}

{
classname B
health 90
speed 10.5
}

{
classname C
}
"""


def check_class_table(window, nodes, workdir):
    """The class table: the names of its tables, its column and row headers, a
    cell's value, and the problem of a cell as its description."""
    with open(os.path.join(workdir, "tvclass_seals.cfg"), "w", encoding="ascii") as file:
        file.write(CLASS_FILE)
    bar = next(a for a in nodes if a.get_role() == Atspi.Role.STATUS_BAR)
    press(one(nodes, "push button", "Load Config"))
    pump(lambda: bar.get_name().startswith("3 Config Classes Read"))
    item = one(nodes, "menu item", "Class Table")
    if item is None:
        return
    Atspi.Action.do_action(item, 0)

    # A pane of the editor window, or a window of its own when it floats.
    def table():
        for other in children(window.get_parent()):
            found = next((a for a in walk(other) if a.get_role() == Atspi.Role.TABLE and a.get_name() == "Classes"),
                         None)
            if found is not None:
                return found
        return None

    pump(lambda: table() is not None)
    classes = table()
    check(classes is not None, "no table named 'Classes' in the editor's windows")
    if classes is None:
        return
    tables = [a for a in walk(classes.get_parent()) if a.get_role() in (Atspi.Role.TABLE, Atspi.Role.LIST)]
    names = [a.get_name() for a in tables]
    check(names == ["Classes", "Summary of the classes shown"], f"the class table's tables are named {names}")
    check(Atspi.Table.get_n_rows(classes) == 3, f"the class table has {Atspi.Table.get_n_rows(classes)} rows, not 3")
    headers = [Atspi.Table.get_column_header(classes, i).get_name() for i in range(Atspi.Table.get_n_columns(classes))]
    for title in ("Classname", "Health", "Class Speed", "Sniper Scope"):
        check(title in headers, f"no column header {title!r} in {headers[:12]}...")
    if "Health" not in headers or "Class Speed" not in headers:
        return
    row_header = Atspi.Table.get_row_header(classes, 1).get_name()
    check(row_header == "1  B", f"the second row's header is {row_header!r}, not '1  B'")
    health = Atspi.Table.get_accessible_at(classes, 1, headers.index("Health"))
    check(health.get_name() == "90", f"B's Health cell reads {health.get_name()!r}, not '90'")
    speed = Atspi.Table.get_accessible_at(classes, 1, headers.index("Class Speed"))
    check("TCC003 speed 10.5 is outside 0 to 10" in speed.get_description(),
          f"B's Class Speed cell describes itself as {speed.get_description()!r}, not by its problem")
    plain = Atspi.Table.get_accessible_at(classes, 0, headers.index("Class Speed"))
    check(plain.get_description() == "", f"A's Class Speed cell describes itself as {plain.get_description()!r}")


def main():
    editor_path, workdir = sys.argv[1], sys.argv[2]
    listing = "--list" in sys.argv[3:]
    require_atspi_bus()
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", QT_QPA_PLATFORM="xcb",
               XDG_CONFIG_HOME=os.path.join(workdir, "settings"))
    editor = subprocess.Popen([editor_path, workdir], cwd=workdir, env=env, stdout=subprocess.DEVNULL)
    try:
        window = find_window(editor)
        if window is None:
            print("FAIL: the editor window never appeared on the AT-SPI bus")
            return 1
        nodes = list(walk(window))
        if listing:
            for acc in nodes:
                if has(acc, Atspi.StateType.FOCUSABLE) and has(acc, Atspi.StateType.SHOWING) \
                        and not in_list(acc):
                    print(spoken(acc))
            return 0
        check_on_screen(window, nodes)
        check_focus_and_names(nodes)
        check_lists(nodes)
        check_groups(nodes)
        check_disabled_values(nodes)
        check_status_line(nodes)
        check_list_value_change(nodes)
        check_class_table(window, nodes, workdir)
    finally:
        editor.terminate()
        editor.wait(10)
    print(f"{'0 passed, 1 failed' if failures else '1 passed, 0 failed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
