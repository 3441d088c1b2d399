#!/usr/bin/env python3
"""Scans every simulated device end to end and checks each report whole.

For every profile in sim/profiles, the library's built-in device, no VekTiv.dll at all, the
build that lacks some exports and type 2 with the DROV driver installed: VekQuorvel.exe
-f=<report> -o under Wine in a prefix of this test's own, each run with a time limit; then the
report's encoding and lines, well-formedness, the schema (report.rng), the running numbers and
the rendering with the stylesheet beside it, and its outline (scan.outline) against the
approved one in outlines/<run>.txt.

VEK_UPDATE_OUTLINES=1 rewrites the approved outlines instead (tools/approve-outlines, which
shows the diff). VEK_E2E_KEEP=1 keeps every report; VEK_E2E_JOBS sets how many scans run at
once (4). The failed runs' reports and call logs are always kept.
"""
import concurrent.futures
import difflib
import os
import re
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import scan  # noqa: E402

OUTLINES = os.path.join(scan.HERE, "outlines")
UPDATE = os.environ.get("VEK_UPDATE_OUTLINES") == "1"
# These types have only their built-in panel, which is never selected.
NO_PANEL_SELECTION = ["type04", "type05", "type09", "type11"]


def compare_outline(run, text):
    path = os.path.join(OUTLINES, run.name + ".txt")
    if UPDATE:
        os.makedirs(OUTLINES, exist_ok=True)
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
        return []
    try:
        with open(path, encoding="utf-8") as f:
            approved = f.read()
    except FileNotFoundError:
        return ["no approved outline %s (tools/approve-outlines writes it)" % path]
    diff = list(difflib.unified_diff(approved.splitlines(), text.splitlines(), "approved", "scanned", n=1, lineterm=""))
    return ["the outline differs from %s:" % os.path.relpath(path, scan.SOURCE)] + diff[2:40] if diff else []


def scan_unless_hung(run, workdir, prefix, runs):
    """Scans the run unless an earlier scan hung: one hang says enough, and the scans after it
    would each wait out their time limit."""
    if any(r.hung for r in runs):
        run.problems.append("not scanned: an earlier scan hung")
        return run
    return scan.scan(run, workdir, prefix)


def temporary_files(prefix):
    """The files that the UPS group's user settings upload names (GetTempFileNameW with the
    prefix "VekDiagUPS" keeps its first three letters), anywhere on the prefix's drive C:."""
    return {os.path.join(folder, f) for folder, _, files in os.walk(os.path.join(prefix.path, "drive_c"))
            for f in files if re.fullmatch(r"Vek[0-9A-Fa-f]{1,4}\.tmp", f)}


def main():
    os.makedirs(os.path.join(scan.BUILD, "tmp"), exist_ok=True)
    workdir = tempfile.mkdtemp(prefix="e2e-scan-", dir=os.path.join(scan.BUILD, "tmp"))
    runs = scan.runs_for_every_profile()
    drov = scan.Run("type02_drov", profile=os.path.join(scan.PROFILES, "type02.ini"))
    failed = 0
    try:
        with scan.Prefix(workdir) as prefix:
            before = temporary_files(prefix)
            with concurrent.futures.ThreadPoolExecutor(max_workers=int(os.environ.get("VEK_E2E_JOBS", "4"))) as pool:
                list(pool.map(lambda r: scan_unless_hung(r, workdir, prefix, runs), runs))
            # Every scan removes the temporary file of its user settings upload.
            leftover = sorted(temporary_files(prefix) - before)
            # With the DROV driver installed its file takes the place of the TIV driver's.
            sys32 = os.path.join(prefix.path, "drive_c", "windows", "system32")
            shutil.copy2(os.path.join(scan.BIN, "VersionFixture.dll"), os.path.join(sys32, "drivers", "VekDrovDrv.sys"))
            runs.append(scan_unless_hung(drov, workdir, prefix, runs))
        for run in runs:
            root = scan.check_report(run)
            if root is not None:
                run.problems += compare_outline(run, scan.outline(root))
            if run.name in NO_PANEL_SELECTION and any(c.startswith("TivSelectPanel(") for c in run.calls()):
                run.problems.append("TivSelectPanel was called")
            print("%-28s %-4s %5.1f s" % (run.name, "FAIL" if run.problems else "ok", run.seconds or 0))
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
