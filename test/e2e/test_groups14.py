#!/usr/bin/env python3
"""End-to-end checks of what only a whole program run in a Wine prefix shows for the first
groups: the version text from the prefix's own registry and the DROV driver file in the system
folder. The groups' rules are unit-tested.

Everything is staged in a private copy of the session's prefix (scan.Prefix), so scans of
other tests that run at the same time never see it.
"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import scan  # noqa: E402

CURRENT_VERSION = r"HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion"
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def reg_query(prefix, name):
    out = subprocess.run(["wine", "reg", "query", CURRENT_VERSION, "/v", name], env=prefix.env, stdin=subprocess.DEVNULL,
                         capture_output=True, text=True, errors="replace", timeout=120).stdout
    for parts in (line.strip().split(None, 2) for line in out.splitlines()):
        if len(parts) >= 2 and parts[0] == name and parts[1].startswith("REG_"):
            return parts[2] if len(parts) > 2 else ""
    return None


def scan_type(prefix, workdir, t):
    """Scans the type's profile in the private prefix; every structural check must pass."""
    run = scan.Run("type%02d" % t, "sim", os.path.join(scan.PROFILES, "type%02d.ini" % t))
    scan.scan(run, workdir, {"WINEPREFIX": prefix.path})
    root = scan.check_report(run)
    check(not run.problems, "scan of type %d: %s" % (t, run.problems))
    return scan.Report(root) if root is not None else None


def result(report, group, category, name, subcategory=None):
    """(value, status, Format) of a test, or None."""
    t = report.test(group, category, name, subcategory) if report else None
    return None if t is None else (t.findtext("TestResult") or "", t.findtext("TestStatus") or "",
                                   t.find("TestResult").get("Format"))


def operating_system(prefix, workdir):
    value, status, fmt = result(scan_type(prefix, workdir, 18), "Operating System", "Version", "Operating system")
    check((status, fmt) == ("Passed", "String"), "OS text status %s %s" % (status, fmt))
    version, build = reg_query(prefix, "CurrentVersion"), reg_query(prefix, "CurrentBuildNumber")
    service_pack = reg_query(prefix, "CSDVersion") or ""
    tail = (" " + service_pack if service_pack else "") + " (Build %s), 32-bit" % build
    names = {"6.0": "Microsoft Windows Vista ", "6.1": "Microsoft Windows 7 "}
    if version in names:
        check(value.startswith(names[version]) and value.endswith(tail),
              "OS text %r for version %s, build %s" % (value, version, build))
    else:
        check("(Build %s)" % build in value, "OS text %r" % value)


def drov_driver(prefix, workdir):
    # With the DROV driver installed it takes the place of the TIV driver's row (a new file in
    # the copy's own folder, so the session's prefix does not see it).
    drov = os.path.join(prefix.path, "drive_c", "windows", "system32", "drivers", "VekDrovDrv.sys")
    shutil.copy2(os.path.join(scan.BIN, "VersionFixture.dll"), drov)
    report = scan_type(prefix, workdir, 2)
    os.unlink(drov)
    actual = report.subcategories("Vek Drivers and Tools", "TIV Driver")
    check(actual == ["Product Information", "VekCtrlCenter.cpl", "VekTiv.dll", "VekDrovDrv.sys", "VekBiosDrv.sys"],
          "DROV driver rows %s" % actual)
    check(result(report, "Vek Drivers and Tools", "TIV Driver", "File version", "VekDrovDrv.sys") ==
          ("9.8.7.6 (fixture)", "Passed", "String"), "DROV driver version")


def main():
    workdir = tempfile.mkdtemp(prefix="vek-groups14-")
    try:
        with scan.Prefix(workdir) as prefix:
            for step in (operating_system, drov_driver):
                print("--", step.__name__)
                step(prefix, workdir)
    finally:
        shutil.rmtree(workdir, ignore_errors=True)
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
