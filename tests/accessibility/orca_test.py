#!/usr/bin/env python3
"""What the Orca screen reader says while a user does each task by keys.

    orca_test.py EDITOR WORKDIR EXAMPLES

Runs on a session bus of its own under an X server (run_screenreader_test.sh
provides both). Starts Orca with speech-dispatcher's dummy output module, so
that no sound device is needed, then the editor on a copy of the sample Seals
file; presses keys as a user would and checks the words Orca speaks, which
its debug log records. Prints what was said at each step. Exits 77 when Orca
cannot start.
"""

import os
import pty
import re
import shutil
import subprocess
import sys
import termios
import threading
import time

SKIP = 77
# The whole run stops at this many seconds, within the two minutes ctest gives.
TIME_LIMIT = 100

# The sample Seals file, with a speed the game reads differently in the
# third class, so that the Problems window has one entry.
PROBLEM = (b"speed 0.950000", b"speed 12.000000")

# A step: what the user does, the keys (xdotool names; "type:TEXT" types
# TEXT), what Orca must say and what it must not. Without a window manager
# nothing gives the editor the focus back when a window beside it closes;
# WINDOW_MANAGER does.
WINDOW_MANAGER = "focus:^Tolvane Class Creator"
STEPS = [
    ("start", [], ["Quit push button"], []),
    ("first Tab", ["Tab"], ["Classname text"], []),
    ("Problems before loading", ["F8"], ["No problems"], []),
    ("close Problems", ["Escape", WINDOW_MANAGER], ["Classname text"], []),
    # The whole task: load, move to a class, change its health, write out.
    ("Load Config", ["ctrl+l"], ["7 Config Classes Read; 1 problem"], []),
    ("Next Class", ["alt+Right"], ["@ Class 1 / 6 [Marksman]"], []),
    ("Health", ["alt+t"], ["Health text", "100 selected"], ["10 selected"]),
    ("type 95", ["type:95"], ["9", "5"], []),
    ("Save to Memory", ["alt+s"], ["Stored Class 1 [Marksman] in memory"], []),
    ("Write Out", ["ctrl+s"], ["7 classes written to tvclass_seals.cfg"], []),
    # Another class in the form: the box with the focus reads its new value.
    ("Next Class in a box", ["alt+Right"], ["@ Class 2 / 6 [Breacher]", "Health 120"], ["blank", "unselected"]),
    ("Prev. Class in a box", ["alt+Left"], ["@ Class 1 / 6 [Marksman]", "Health 95"], ["blank", "unselected"]),
    # Lists by the arrow keys, Undo, Calculate!
    ("to the starting weapon", ["Tab"] * 14, ["Starting weapon combo box", "PSG-1"], []),
    ("next starting weapon", ["Down"], ["Druganov. Forced [weapon_druganov] as Initial Weapon for [Marksman]"], []),
    ("Undo", ["ctrl+z"], ["Undone: Starting Weapon Druganov for Marksman"], []),
    ("to the item list", ["shift+Tab"] * 3, ["Inventory item combo box", "Army Knife"], []),
    ("next item", ["Down"], ["Fists"], []),
    ("open the item list", ["alt+Down"], ["List with 44 items"], []),
    # A pick from the open list is said once, not once more after it closes.
    ("next entry there", ["Down"], ["Mk23"], []),
    ("pick it", ["Return"], ["Inventory item combo box", "Mk23"], ["sets. Mk23"]),
    ("Calculate!", ["shift+Tab", "shift+Tab", "space"], ["Calculated abilities 2203648"], []),
    ("to its result", ["Tab"], ["Calculated abilities read only text", "2203648"], []),
    # The other windows, and Orca's own commands for the title and the status bar.
    ("Go to Class", ["ctrl+g"], ["1  Marksman"], []),
    ("close Go to Class", ["Escape", WINDOW_MANAGER], ["frame"], []),
    ("About", ["alt+a"], ["Version", "of Tolvane Class Creator"], []),
    ("close About", ["Escape", WINDOW_MANAGER], ["frame"], []),
    ("title and status bar", ["Insert+KP_Enter", "Insert+KP_Enter"],
     ["Tolvane Class Creator © - Editing Marksman", "Undone: Starting Weapon Druganov for Marksman statusbar"], []),
    ("Show Inventory", ["ctrl+i"], ["Inventory of Marksman dialog", "Army Knife"], []),
    ("Tab from the table", ["Tab"], ["Item: combo box", "Mk23"], []),
    ("next item there", ["Down"], ["Beretta 92f"], []),
    ("close the inventory", ["Escape", WINDOW_MANAGER], ["frame"], []),
    # The Problems window, left open behind the form, stays silent there.
    ("Problems", ["F8"], ["Breacher, line 87: TCC003 Class Speed 12"], []),
    ("choose the problem", ["Return"], ["Class Speed text", "@ Class 2 / 6 [Breacher]"], []),
    ("store and move with Problems open", ["alt+s", "alt+Left"], ["@ Class 1 / 6 [Marksman]"], ["Problems"]),
    ("Undo with Problems open", ["alt+b", "ctrl+z"], ["Undone: Store Class Marksman"], ["Problems"]),
    # Review Changes reads line by line.
    ("tick Scanner", ["space"], ["checked"], []),
    ("Prev. Class", ["alt+Left"], ["@ Class 0 / 6 [Pointman]"], []),
    ("clear Scanner", ["alt+b", "space"], ["not checked"], []),
    ("Review Changes", ["alt+f", "v"], ["Review Changes dialog", "Pointman: Scanner yes -> no"], []),
    ("next line", ["Down"], ["Marksman: Scanner no -> yes"], []),
    # Enter presses the focused button.
    ("to Show File Differences", ["Tab"], ["Show File Differences push button"], []),
    ("Enter on it", ["Return"], ["File differences"], []),
    ("close Review", ["Escape", WINDOW_MANAGER], ["frame"], []),
    # A question is read with its default button.
    ("Load Config with changes", ["ctrl+l"], ["Write out the changes to tvclass_seals.cfg?", "Cancel push button"],
     []),
    ("cancel", ["Escape", WINDOW_MANAGER], ["frame"], []),
    # The versions Write Out kept, in a list with a name.
    # Up from the menu's first entry goes round to its last.
    ("File menu", ["alt+f", "Up"], ["Quit"], []),
    ("up to Problems", ["Up", "Up", "Up"], ["Problems"], []),
    ("to Restore Previous Version", ["Up"], ["Restore Previous Version"], []),
    ("Restore Previous Version", ["Return"], ["Earlier versions of tvclass_seals.cfg", "List with 1 item"], []),
    ("close Restore Previous Version", ["Escape", WINDOW_MANAGER], ["frame"], []),
]


# The table task, in the class table and the windows it opens.
TABLE_WINDOW = WINDOW_MANAGER
TABLE_STEPS = [
    # Keys only once the window has the focus.
    ("start", [], ["Quit push button"], []),
    ("Load Config", ["ctrl+l"], ["7 Config Classes Read"], []),
    # The table reads as a grid: the current cell with its class and column.
    ("open the table", ["ctrl+t"], ["Classes", "0  Pointman, Classname, Pointman"], []),
    ("where am I", ["KP_Enter"], ["Classname", "0  Pointman", "column 1 of 90 row 1 of 7"], []),
    ("to Health", ["Right"] * 6, ["0  Pointman, Health, 100"], []),
    ("next row", ["Down"], ["1  Marksman, Health, 100"], []),
    ("a problem", ["Down", "Right", "Right"],
     ["2  Breacher, Class Speed, 1.000000, line 87: TCC003 speed 12 is outside 0 to 10; read as 1.000000"], []),
    ("back to Health", ["Left", "Left", "Up"], ["1  Marksman, Health, 100"], []),
    # Sort, file order and the selection, said when they change.
    ("sort highest first", ["alt+Down"], ["Sorted by Health, highest first"], []),
    ("sort lowest first", ["alt+Up"], ["Sorted by Health, lowest first"], []),
    ("file order", ["alt+Home"], ["In file order"], []),
    ("select two rows", ["shift+Down"], ["2 classes selected"], []),
    # Change Selected Classes says what it will change, and why it cannot.
    ("Change Selected Classes", ["ctrl+e"],
     ["Change Selected Classes dialog", "Change Health of 2 classes: Marksman and Breacher", "Value: text",
      "now (different)"], []),
    ("to the column", ["shift+Tab"], ["Column", "Health", "combo box"], []),
    ("another column", ["Down"], ["Max Health", "now (different)"], []),
    ("back to Health", ["Up"], ["Health", "now (different)"], []),
    ("to the value", ["Tab"], ["Value"], []),
    ("an unreadable value", ["type:+fast"], ['"+fast" is not'], []),
    ("Enter on the greyed Change", ["Return"], ["Change is unavailable", '"+fast" is not'], []),
    ("a readable value", ["ctrl+a", "type:+5"], ["5"], []),
    # Without a window manager the status may come before the table has the
    # focus again, and Orca drops it; the cell says the new value.
    ("change", ["Return", TABLE_WINDOW], ["2  Breacher, Health, 125"], []),
    ("Undo", ["ctrl+z"], ["Undone: Change Health on 2 classes"], []),
    # The filter's count and its errors.
    ("filter", ["ctrl+f", "type:health > 100"], ["2 of 7 classes"], []),
    ("filter error", ["ctrl+a", "type:helth < 1"], ['Filter not read at character 1: no column named "helth"'], []),
    ("clear the filter", ["ctrl+a", "BackSpace"], ["7 of 7 classes"], []),
    # Tab goes in and out of the table in one press.
    ("Tab into the table", ["Tab"], ["Classes", "Health"], []),
    ("Tab out of the table", ["Tab"], ["Filter"], ["Config File"]),
    ("back into the table", ["shift+Tab"], ["Classes"], []),
    ("Show Other Team", ["ctrl+shift+t"],
     ["The Tangos' classes shown; 15 of 15 classes, 8 of them the Tangos'"], []),
    ("hide the other team", ["ctrl+shift+t"], ["The Tangos' classes hidden", "7 of 7 classes"], []),
    # Go to Class: the classes the Find box leaves, moved through from there.
    ("Go to Class", ["ctrl+g"], ["Go to Class", "Classes", "List with 7 items", "2  Breacher"], []),
    ("find combat", ["type:combat"], ["2 of 7 classes; 3  Combat Medic, 1 of 2"], []),
    ("Down in Find", ["Down"], ["6  Combat Diver, 2 of 2"], []),
    ("Up in Find", ["Up"], ["3  Combat Medic, 1 of 2"], []),
    ("go there", ["Return", TABLE_WINDOW], ["3  Combat Medic, Health, 100"], []),
    # Compare Two Classes: Tab leaves its table at once.
    ("Compare Two Classes", ["ctrl+k"], ["Values of the two classes"], []),
    ("Tab out of the comparison", ["Tab"], ["Close push button"], []),
    ("close Compare", ["Escape", TABLE_WINDOW], [], []),
    # The chart's table reads whole rows.
    ("Chart", [WINDOW_MANAGER, "alt+v", "h"], ["Value shown"], []),
    ("to its table", ["Tab"], ["Values of the chart", "Bodyguard. Tangos. 130."], []),
    ("next row of the chart", ["Down"], ["Breacher. Seals. 120."], []),
    ("Tab out of the chart's table", ["Tab"], ["Save as PNG... push button"], []),
]


# Orca's own launcher, run without two of its habits: it refuses to start
# while any Orca of the user runs (on any display), and it names its process
# "orca", which a user's "orca --replace" would kill. This Orca is the test's
# alone: on the test's bus and display, stopped by its pid.
LAUNCHER = """
import importlib.machinery, sys, types
launcher = types.ModuleType("orca_launcher")
launcher.__file__ = sys.argv[1]
importlib.machinery.SourceFileLoader("orca_launcher", sys.argv[1]).exec_module(launcher)
if not (hasattr(launcher, "otherOrcas") and hasattr(launcher, "setProcessName")):
    sys.exit("this Orca's launcher is not the one the test knows")
launcher.otherOrcas = lambda: []
launcher.setProcessName = lambda name: None
sys.argv = ["orca"] + sys.argv[2:]
sys.exit(launcher.main())
"""


class Orca:
    """Orca and its speech server on the session bus, and the words it has
    spoken so far. Both are started here and stopped by their pids.

    Orca writes its debug log to a terminal, which Python writes a line at a
    time; to a file it would write in blocks, long after the words."""

    def __init__(self, workdir):
        self.lines = []
        self.read = 0
        self.speech = None
        self.process = None
        home = os.path.join(workdir, "home")
        config = os.path.join(workdir, "config")
        os.makedirs(os.path.join(config, "speech-dispatcher"))
        os.makedirs(home)
        # The dummy module speaks nothing; libao's null driver plays nothing.
        with open(os.path.join(config, "speech-dispatcher", "speechd.conf"), "w") as conf:
            conf.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\nAudioOutputMethod "libao"\n')
        with open(os.path.join(home, ".libao"), "w") as conf:
            conf.write("default_driver=null\n")
        self.env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=config,
                        XDG_DATA_HOME=os.path.join(workdir, "data"))
        # The speech server in the test's runtime folder, where Orca finds
        # it rather than starting one of its own.
        socket = os.path.join(os.environ["XDG_RUNTIME_DIR"], "speech-dispatcher", "speechd.sock")
        with open(os.path.join(workdir, "speechd.log"), "wb") as log:
            self.speech = subprocess.Popen(
                ["speech-dispatcher", "--run-single", "--timeout", "0", "--config-dir",
                 os.path.join(config, "speech-dispatcher"), "--pid-file", os.path.join(workdir, "speechd.pid")],
                env=self.env, stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        end = time.monotonic() + 10
        while not os.path.exists(socket) and self.speech.poll() is None and time.monotonic() < end:
            time.sleep(0.05)
        if not os.path.exists(socket):
            return
        master, terminal = pty.openpty()
        attributes = termios.tcgetattr(terminal)
        attributes[1] &= ~termios.OPOST  # no CR before each LF
        termios.tcsetattr(terminal, termios.TCSANOW, attributes)
        self.process = subprocess.Popen(
            [sys.executable, "-c", LAUNCHER, shutil.which("orca"), "--user-prefs", os.path.join(workdir, "orca"),
             "--debug-file", "/dev/stdout"],
            env=self.env, stdin=subprocess.DEVNULL, stdout=terminal, stderr=terminal)
        os.close(terminal)
        self.log = open(os.path.join(workdir, "orca.log"), "wb")
        threading.Thread(target=self.keep, args=(master,), daemon=True).start()

    def keep(self, master):
        pending = b""
        while True:
            try:
                chunk = os.read(master, 65536)
            except OSError:
                break
            if not chunk:
                break
            self.log.write(chunk)
            *whole, pending = (pending + chunk).split(b"\n")
            for line in whole:
                found = re.search(rb"SPEECH OUTPUT: '(.*?)' ?(\{|$)", line)
                if found:
                    self.lines.append(found.group(1).decode("utf-8", "replace").strip())

    def said(self):
        """The utterances spoken since the last call."""
        new = self.lines[self.read:]
        self.read += len(new)
        return new

    def listen(self, expected, quiet, seconds=10):
        """What Orca says until each of expected was said and then nothing
        for quiet seconds, or for the given seconds at most."""
        words = []
        end = time.monotonic() + seconds
        last = time.monotonic()
        while time.monotonic() < end:
            new = self.said()
            if new:
                words += new
                last = time.monotonic()
            spoken = " ".join(words)
            if all(e in spoken for e in expected) and time.monotonic() - last >= quiet:
                break
            time.sleep(0.05)
        return words

    def stop(self):
        for process in (self.process, self.speech):
            if process is None or process.poll() is not None:
                continue
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


def press(keys):
    """Presses keys as a hand does: the modifiers of a chord a moment before
    its key. (Pressed at once, the key's shortcut runs before Qt delivers the
    Alt press it held back for Orca, and Alt's release then opens the menu
    bar.)"""
    for key in keys:
        if key.startswith("focus:"):
            subprocess.run(["xdotool", "search", "--onlyvisible", "--name", key[6:], "windowfocus", "--sync"],
                           check=True)
        elif key.startswith("type:"):
            subprocess.run(["xdotool", "type", "--delay", "60", key[5:]], check=True)
        else:
            *modifiers, last = key.split("+")
            if modifiers:
                subprocess.run(["xdotool", "keydown"] + modifiers, check=True)
                time.sleep(0.1)
            subprocess.run(["xdotool", "key", last], check=True)
            if modifiers:
                time.sleep(0.05)
                subprocess.run(["xdotool", "keyup"] + modifiers[::-1], check=True)
        time.sleep(0.15)


def main():
    editor_path, workdir, examples = sys.argv[1:4]
    task = sys.argv[4] if len(sys.argv) > 4 else "form"
    steps = TABLE_STEPS if task == "table" else STEPS
    for tool in ("orca", "xdotool", "speech-dispatcher"):
        if not shutil.which(tool):
            print(f"FAIL: {tool} is missing; bash scripts/deps.sh installs it")
            return 1
    classes = os.path.join(workdir, "game")
    os.makedirs(classes)
    with open(os.path.join(examples, "tvclass_seals.cfg"), "rb") as sample:
        data = sample.read().replace(*PROBLEM)
    with open(os.path.join(classes, "tvclass_seals.cfg"), "wb") as copy:
        copy.write(data)
    shutil.copy(os.path.join(examples, "tvclass_tangos.cfg"), classes)

    end = time.monotonic() + TIME_LIMIT
    orca = Orca(workdir)
    editor = None
    failures = []
    try:
        if orca.process is None:
            with open(os.path.join(workdir, "speechd.log"), errors="replace") as log:
                print("SKIP: speech-dispatcher did not start; its log:", *log.readlines()[-5:])
            return SKIP
        if not orca.listen(["Screen reader on"], 0.2, 30):
            with open(os.path.join(workdir, "orca.log"), errors="replace") as log:
                print("SKIP: Orca did not start within 30 seconds; the end of its log:", *log.readlines()[-5:])
            return SKIP
        editor = subprocess.Popen([editor_path], cwd=classes, env=dict(orca.env, QT_QPA_PLATFORM="xcb"),
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for what, keys, expected, unexpected in steps:
            if time.monotonic() > end:
                failures.append(f"out of time before {what!r}")
                break
            press(keys)
            words = orca.listen(expected, 0.6 if expected else 1.0, min(10, end - time.monotonic()))
            spoken = " ".join(words)
            print(f"{what} [{' '.join(keys)}]: " + " / ".join(words))
            for e in expected:
                if e not in spoken:
                    failures.append(f"{what}: {e!r} not said")
            for u in unexpected:
                if u in spoken:
                    failures.append(f"{what}: {u!r} said")
    finally:
        if editor:
            editor.terminate()
            editor.wait(10)
        orca.stop()
    for failure in failures:
        print("FAIL:", failure)
    print(f"{'0 passed, 1 failed' if failures else '1 passed, 0 failed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
