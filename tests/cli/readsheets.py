#!/usr/bin/env python3
"""Reads the sheets of tolvane-classfile export as other programs do.

Python's csv and json modules read them to the values the class files hold,
a CSV that Python's csv module writes applies, and, where LibreOffice is
installed, a CSV that Calc opened and saved again applies without a change.

Usage: readsheets.py TOLVANE_CLASSFILE EXAMPLES_FOLDER
"""

import csv
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile


def run(tool, *arguments):
    return subprocess.run([tool, *arguments], capture_output=True, check=False)


def classes_in(path):
    """The classes of a class file in the standard layout, as dicts of text."""
    classes, current = [], None
    with open(path, encoding="cp1252", newline="") as file:
        for line in file.read().splitlines():
            if line.startswith("{"):
                current = {}
            elif line.startswith("}"):
                classes.append(current)
                current = None
            elif current is not None and " " in line:
                key, value = line.split(" ", 1)
                if key == "inventory":
                    item, amount = value.split(" ", 1)
                    current[item] = amount
                else:
                    current[key] = value
    return classes


def expect(condition, message):
    if not condition:
        sys.exit("FAILED: " + message)


def check_rows(rows, classes, what):
    expect(len(rows) == len(classes), f"{what}: {len(rows)} rows for {len(classes)} classes")
    for row, cls in zip(rows, classes):
        expect(row["classname"] == cls["classname"], f"{what}: name {row['classname']!r}")
        expect(str(row["health"]) == cls["health"], f"{what}: health of {cls['classname']}")
        expect(float(row["speed"]) == float(cls["speed"]), f"{what}: speed of {cls['classname']}")
        expect(row["starting_weapon"] == cls["starting_weapon"], f"{what}: weapon of {cls['classname']}")
        for item, amount in cls.items():
            if item.startswith(("weapon_", "ammo_")) and item != "starting_weapon":
                expect(str(row[item]) == amount, f"{what}: {item} of {cls['classname']}")


def main():
    tool, examples = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp()
    try:
        for name in ("tvclass_seals.cfg", "tvclass_tangos.cfg"):
            sample = os.path.join(work, name)
            shutil.copy(os.path.join(examples, name), sample)
            classes = classes_in(sample)

            exported = run(tool, "export", sample).stdout
            expect(exported.startswith(b"\xef\xbb\xbf"), "CSV without a byte order mark")
            rows = list(csv.DictReader(io.StringIO(exported.decode("utf-8-sig"), newline="")))
            check_rows(rows, classes, "csv")
            tsv = run(tool, "export", "--format=tsv", sample).stdout.decode("utf-8")
            check_rows(list(csv.DictReader(io.StringIO(tsv, newline=""), delimiter="\t")), classes, "tsv")
            objects = json.loads(run(tool, "export", "--format=json", sample).stdout)
            check_rows(objects, classes, "json")

            # A CSV as Python writes it, every cell quoted, one value changed.
            rows[0]["health"] = "42"
            changes = os.path.join(work, "changes.csv")
            with open(changes, "w", encoding="utf-8", newline="") as file:
                writer = csv.DictWriter(file, fieldnames=list(rows[0]), quoting=csv.QUOTE_ALL)
                writer.writeheader()
                writer.writerows(rows)
            review = run(tool, "apply", "--dry-run", changes, sample)
            expect(review.returncode == 1, f"apply --dry-run: {review.stderr.decode()}")
            expect(review.stdout.decode().endswith(": health 100 -> 42\n"), review.stdout.decode())

            check_calc(tool, work, sample, exported)
    finally:
        shutil.rmtree(work)
    print("sheets read back by Python's csv and json modules")


def check_calc(tool, work, sample, exported):
    """A CSV that LibreOffice Calc opened and saved as CSV applies as no change."""
    office = shutil.which("soffice") or shutil.which("libreoffice")
    if not office:
        print("LibreOffice not installed: Calc's round trip not checked")
        return
    opened = os.path.join(work, "opened.csv")
    with open(opened, "wb") as file:
        file.write(exported)
    saved = os.path.join(work, "saved")
    os.makedirs(saved, exist_ok=True)
    # Read as the Text Import window reads it, UTF-8 and commas (44, 34: comma
    # and quote; 76: UTF-8); saved in the same form. Left to its defaults,
    # the headless Calc reads the byte order mark as three Latin-1 letters.
    for options in ("CSV:44,34,76,1", None):
        subprocess.run([office, "--headless", f"-env:UserInstallation=file://{work}/profile"]
                       + ([f"--infilter={options}"] if options else [])
                       + ["--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1", "--outdir", saved, opened],
                       capture_output=True, check=True)
        review = run(tool, "apply", "--dry-run", os.path.join(saved, "opened.csv"), sample)
        told = review.stdout.decode() + review.stderr.decode()
        if options:
            expect(review.returncode == 0 and not told, "Calc's CSV changes the file: " + told)
        else:
            expect(review.returncode == 2 and "wrong character set" in told, told)
    print("a CSV opened and saved by LibreOffice Calc applies as no change")


if __name__ == "__main__":
    main()
