#!/usr/bin/env python3
"""Scans every simulated device end to end and checks each report.

For every profile in sim/profiles, the library's built-in device, no VekTiv.dll at all and the
build that lacks some exports: VekQuorvel.exe -f=<report> -o under Wine, each run with a time
limit, then the report's encoding and lines, well-formedness, the schema (report.rng), the
running numbers, the Format and status words, the rendering with the stylesheet beside it, and
the facts of facts.py for that device. Runs a few scans at a time (VEK_E2E_JOBS, default 4).
Set VEK_E2E_KEEP=1 to keep every report (the folder is printed); the failed runs' reports and
call logs are always kept.
"""
import concurrent.futures
import os
import re
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import facts  # noqa: E402
import scan   # noqa: E402


# Results that the host gives anew at every scan: (group, category, test or None for all).
VOLATILE_RESULTS = [("Memory", "Physical Memory", None), ("Memory", "Paging Memory", None),
                    ("CPU", "Identification", "Maximum Speed")]


def without_clock(root):
    """The report tree as text, without the header's time and date and the figures that
    change from scan to scan."""
    volatile = [root.find("Header/Time"), root.find("Header/Date")] + [
        t.find("TestResult") for group, category, name in VOLATILE_RESULTS
        for t in scan.Report(root).tests(group, category) if name in (None, t.findtext("TestName"))]
    for element in volatile:
        if element is not None:
            element.text = ""
    return scan.ET.tostring(root)


def temporary_files(prefix_path):
    """The files that the UPS group's user settings upload names (GetTempFileNameW with the
    prefix "VekDiagUPS" keeps its first three letters), anywhere on the prefix's drive C:."""
    return {os.path.join(folder, f) for folder, _, files in os.walk(os.path.join(prefix_path, "drive_c"))
            for f in files if re.fullmatch(r"Vek[0-9A-Fa-f]{1,4}\.tmp", f)}


def main():
    jobs = max(1, int(os.environ.get("VEK_E2E_JOBS", "4")))
    base = os.environ.get("VEK_BUILD") or os.path.join(scan.SOURCE, "build")
    os.makedirs(os.path.join(base, "tmp"), exist_ok=True)
    workdir = tempfile.mkdtemp(prefix="e2e-scan-", dir=os.path.join(base, "tmp"))
    runs = scan.runs_for_every_profile()
    failed = 0
    trees = {}
    try:
        with scan.Prefix(workdir) as prefix:
            env = {"WINEPREFIX": prefix.path}
            before = temporary_files(prefix.path)
            with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
                list(pool.map(lambda r: scan.scan(r, workdir, env), runs))
            # Every scan removes the temporary file of its user settings upload.
            leftover = sorted(temporary_files(prefix.path) - before)
        for run in runs:
            root = scan.check_report(run)
            if root is not None:
                report = scan.Report(root)
                report.call_log = os.path.join(run.folder, "calls.log") if run.folder else None
                run.problems += [p for p in (check(report) for check in facts.checks_for(run.name)) if p]
                trees[run.name] = without_clock(root)
            # The library's built-in device is default.ini, compiled in.
            if run.name == "builtin" and "builtin" in trees and trees.get("default") not in (None, trees["builtin"]):
                run.problems.append("the built-in device's report differs from default.ini's")
            tests = len(list(root.iter("Test"))) if root is not None else 0
            print("%-28s %-4s %5.1f s  %4d tests" % (run.name, "FAIL" if run.problems else "ok", run.seconds or 0, tests))
            print("".join("    %s\n" % p for p in run.problems), end="")
            failed += bool(run.problems)
    finally:
        if os.environ.get("VEK_E2E_KEEP"):
            print("reports kept in " + workdir)
        elif failed:
            # Keep what the failed runs wrote, for a look; drop the rest.
            keep = {os.path.basename(r.folder) for r in runs if r.problems and r.folder}
            for name in os.listdir(workdir):
                if name not in keep:
                    path = os.path.join(workdir, name)
                    shutil.rmtree(path, ignore_errors=True) if os.path.isdir(path) else os.unlink(path)
            print("the failed runs' reports and call logs are kept in " + workdir)
        else:
            shutil.rmtree(workdir, ignore_errors=True)
    for path in leftover:
        print("temporary file left behind: " + path)
    print("%d of %d runs failed" % (failed, len(runs)))
    return 1 if failed or leftover else 0


if __name__ == "__main__":
    sys.exit(main())
