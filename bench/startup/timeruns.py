#!/usr/bin/env python3
"""Runs each program RUNS times, interleaved, after one run each to warm the
caches, and prints the medians of its processor time (user and system, from
the kernel's accounting, to the microsecond), its wall time and its peak
resident memory, then the editor's row against the plain dialog.
    timeruns.py RUNS EDITOR PLAIN [PLAIN_WITH_FORM_TEXTS OTHER...]"""
import os
import statistics
import subprocess
import sys
import time

runs = int(sys.argv[1])
programs = sys.argv[2:]
figures = {program: {"cpu": [], "wall": [], "peak": []} for program in programs}
for round in range(runs + 1):
    for program in programs:
        start = time.perf_counter()
        child = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.perf_counter() - start
        child.returncode = 0  # reaped here
        if status != 0:
            sys.exit(f"{os.path.basename(program)} did not reach its first paint")
        if round > 0:
            figures[program]["cpu"].append((usage.ru_utime + usage.ru_stime) * 1000)
            figures[program]["wall"].append(wall * 1000)
            figures[program]["peak"].append(usage.ru_maxrss / 1024)

median = {p: {k: statistics.median(v) for k, v in f.items()} for p, f in figures.items()}
print(f"runs: {runs} each, interleaved; medians")
for program in programs:
    m = median[program]
    print(f"{os.path.basename(program):20} {m['cpu']:6.1f} ms processor {m['wall']:6.1f} ms wall {m['peak']:6.2f} MiB peak")
editor, plain = median[programs[0]], median[programs[1]]
print(f"editor / plain: processor {editor['cpu'] / plain['cpu']:.2f} (goal: at most 1.10), "
      f"wall {editor['wall'] / plain['wall']:.2f}, "
      f"peak {editor['peak'] - plain['peak']:+.2f} MiB (goal: at most +2.00)")
if len(programs) > 2:  # the plain dialog with the form's own texts
    texts = median[programs[2]]
    print(f"editor / {os.path.basename(programs[2])}: processor {editor['cpu'] / texts['cpu']:.2f}, "
          f"peak {editor['peak'] - texts['peak']:+.2f} MiB")
