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
    ("Problems before loading", ["F8"], ["Problems dialog", "No problems"], []),
    ("close Problems", ["Escape", WINDOW_MANAGER], ["Classname text"], []),
    # The whole task: load, move to a class, change its health, write out.
    ("Load Config", ["ctrl+l"], ["7 Config Classes Read; 1 problem"], []),
    ("Next Class", ["alt+Right"], ["@ Class 1 / 6 [Marksman]"], []),
    ("Health", ["alt+t"], ["Health text", "100 selected"], ["10 selected"]),
    ("type 95", ["type:95"], ["9", "5"], []),
    ("Write Out", ["ctrl+s"], ["7 classes written to tvclass_seals.cfg"], []),
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
    ("Problems", ["F8"], ["Breacher, line 87: TCC003 speed 12"], []),
    ("choose the problem", ["Return"], ["Class Speed text", "@ Class 2 / 6 [Breacher]"], []),
    ("store and move with Problems open", ["alt+s", "alt+Left"], ["@ Class 1 / 6 [Marksman]"], ["Problems"]),
    ("Undo with Problems open", ["alt+b", "ctrl+z"], ["Undone: Store Class Marksman"], ["Problems"]),
    # Review Changes reads line by line.
    ("tick Scanner", ["space"], ["checked"], []),
    ("Prev. Class", ["alt+Left"], ["@ Class 0 / 6 [Pointman]"], []),
    ("clear Scanner", ["alt+b", "space"], ["not checked"], []),
    ("Review Changes", ["alt+f", "v"], ["Review Changes dialog", "Pointman: Scanner yes -> no"], []),
    ("next line", ["Down"], ["Marksman: Scanner no -> yes"], []),
    ("close Review", ["Escape", WINDOW_MANAGER], ["frame"], []),
    # A question is read with its default button.
    ("Load Config with changes", ["ctrl+l"], ["Write out the changes to tvclass_seals.cfg?", "Cancel push button"],
     []),
    ("cancel", ["Escape", WINDOW_MANAGER], ["frame"], []),
]


class Orca:
    """Orca on the session bus, and the words it has spoken so far.

    Orca writes its debug log to a terminal, which Python writes a line at a
    time; to a file it would write in blocks, long after the words."""

    def __init__(self, workdir):
        self.lines = []
        self.read = 0
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
        master, terminal = pty.openpty()
        attributes = termios.tcgetattr(terminal)
        attributes[1] &= ~termios.OPOST  # no CR before each LF
        termios.tcsetattr(terminal, termios.TCSANOW, attributes)
        self.process = subprocess.Popen(
            ["orca", "--replace", "--user-prefs", os.path.join(workdir, "orca"), "--debug-file", "/dev/stdout"],
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
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()


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


def stop_speech_dispatcher(workdir):
    """The speech server Orca started, by the pid it left."""
    pids = os.path.join(workdir, "run", "speech-dispatcher", "pid", "speech-dispatcher.pid")
    try:
        os.kill(int(open(pids).read().strip()), 15)
    except (OSError, ValueError):
        pass


def main():
    editor_path, workdir, examples = sys.argv[1:4]
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

    end = time.monotonic() + TIME_LIMIT
    orca = Orca(workdir)
    editor = None
    failures = []
    try:
        if not orca.listen(["Screen reader on"], 0.2, 30):
            with open(os.path.join(workdir, "orca.log"), errors="replace") as log:
                print("SKIP: Orca did not start within 30 seconds; the end of its log:", *log.readlines()[-5:])
            return SKIP
        editor = subprocess.Popen([editor_path], cwd=classes, env=dict(orca.env, QT_QPA_PLATFORM="xcb"),
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for what, keys, expected, unexpected in STEPS:
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
        stop_speech_dispatcher(workdir)
    for failure in failures:
        print("FAIL:", failure)
    print(f"{'0 passed, 1 failed' if failures else '1 passed, 0 failed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
