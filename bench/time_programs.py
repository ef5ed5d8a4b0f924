#!/usr/bin/env python3
"""Times two programs from process start to exit, RUNS times each with the runs of the two
interleaved in a random order, and prints the fastest time of each in milliseconds: "A_MS B_MS".

    time_programs.py RUNS -- PROGRAM_A [ARGS...] -- PROGRAM_B [ARGS...]

Fastest against fastest, because on a shared machine the slower runs measure the neighbours.
Exit status: 0 timed, 1 a run failed, 2 usage.
"""

import random
import subprocess
import sys
import time


def timed(command):
    start = time.perf_counter()
    run = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    if run.returncode != 0:
        sys.stderr.write(run.stderr.decode(errors="replace"))
        sys.exit(f"time_programs.py: {' '.join(command)} exited with {run.returncode}")
    return elapsed


def main(arguments):
    if len(arguments) < 5 or arguments[1] != "--" or "--" not in arguments[3:]:
        sys.stderr.write(__doc__)
        return 2
    try:
        runs = int(arguments[0])
    except ValueError:
        runs = 0
    if runs <= 0:
        sys.stderr.write(__doc__)
        return 2
    split = arguments.index("--", 3)
    commands = [arguments[2:split], arguments[split + 1:]]
    if not commands[1]:
        sys.stderr.write(__doc__)
        return 2
    fastest = [float("inf"), float("inf")]
    for _ in range(runs):
        order = [0, 1]
        random.shuffle(order)
        for which in order:
            fastest[which] = min(fastest[which], timed(commands[which]))
    print(f"{fastest[0] * 1e3:.2f} {fastest[1] * 1e3:.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
