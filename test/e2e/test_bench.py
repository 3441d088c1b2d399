#!/usr/bin/env python3
"""tools/bench keeps working: one round on one profile prints every line a reader of the
benchmark relies on, and a profile that does not exist is refused before anything runs. No
figure is judged: times belong to the benchmark, never to a test."""
import os
import re
import subprocess
import sys

BENCH = os.path.join(os.environ["VEK_SOURCE"], "tools", "bench")
# tools/test has installed and built everything.
ENV = dict(os.environ, VEK_BENCH_BUILT="1")
NUMBER = r"\d+\.\d+"
EXPECTED = [
    # The one timed profile, wall and CPU figures with their ratios on one line.
    r"scan default: median {n} s; / trivial exe with the program's imports: median {n}x; / trivial exe: median {n}x"
    r" \(1 pairs; .*\); CPU: median {n} s, / trivial exe with the program's imports: median {n}x, .*",
    r"largest report default: [1-9]\d* bytes, [1-9]\d* tests",
    r"scan default / trivial exe with the program's imports: median {n}x \(target .*\); CPU: median {n}x",
    r"render default with xsltproc: min \d+ ms, median \d+ ms.*",
]


def bench(*args):
    done = subprocess.run([BENCH, *args], env=ENV, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True, errors="replace", timeout=600)
    print("$ tools/bench %s (exit %d)\n%s" % (" ".join(args), done.returncode, done.stdout))
    return done


problems = []
done = bench("1", "default")
lines = done.stdout.splitlines()
if done.returncode != 0:
    problems.append("tools/bench 1 default ended with %d" % done.returncode)
for pattern in EXPECTED:
    if not any(re.fullmatch(pattern.format(n=NUMBER), line) for line in lines):
        problems.append("no line like: " + pattern)
timed = [line for line in lines if re.match(r"scan \S+: ", line)]
if len(timed) != 1:
    problems.append("%d profiles timed, not the one named" % len(timed))

done = bench("1", "default", "no_such_device")
if done.returncode == 0 or "no_such_device" not in done.stdout or "scan " in done.stdout:
    problems.append("an unknown profile is not refused before the scans")

print("".join("FAIL: %s\n" % p for p in problems) or "ok")
sys.exit(1 if problems else 0)
