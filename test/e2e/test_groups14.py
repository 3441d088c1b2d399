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
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from scan import BIN, PROFILES, Prefix, Report, Run, check_report, windows_path  # noqa: E402

CURRENT_VERSION = r"HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion"
OS, DRIVERS = "Operating System", "Vek Drivers and Tools"
FIXTURE = os.path.join(BIN, "VersionFixture.dll")

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


class Session:
    def __init__(self, prefix, workdir):
        self.prefix, self.workdir = prefix, workdir
        self.count = 0

    def wine(self, *args):
        return subprocess.run(["wine", *args], env=self.prefix.env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                              errors="replace", timeout=120)

    def reg_query(self, key, name):
        out = self.wine("reg", "query", key, "/v", name).stdout
        for line in out.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[0] == name and parts[1].startswith("REG_"):
                return parts[2] if len(parts) > 2 else ""
        return None

    def drive_c(self, *parts):
        return os.path.join(self.prefix.path, "drive_c", *parts)

    def scan(self, profile):
        """Scans with a profile file and returns the parsed report."""
        self.count += 1
        folder = tempfile.mkdtemp(prefix="scan%d-" % self.count, dir=self.workdir)
        shutil.copy2(os.path.join(BIN, "VekQuorvel.exe"), folder)
        shutil.copy2(os.path.join(BIN, "VekTiv.dll"), folder)
        run = Run("groups14-%d" % self.count, "sim", profile)
        run.report_path = os.path.join(folder, "report.xml")
        env = dict(self.prefix.env, VEKTIV_PROFILE=windows_path(profile))
        env.pop("VEKTIV_CALL_LOG", None)
        program = windows_path(os.path.join(folder, "VekQuorvel.exe"))
        arguments = ["-f=" + windows_path(run.report_path), "-o"]
        command = ["wine", program, *arguments]
        start = time.monotonic()
        done = subprocess.run(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=120)
        run.exit_code, run.seconds = done.returncode, time.monotonic() - start
        if os.path.exists(run.report_path):
            with open(run.report_path, "rb") as f:
                run.report_bytes = f.read()
        xsl = os.path.join(folder, "report.xsl")
        run.stylesheet = xsl if os.path.exists(xsl) else None
        root = check_report(run)
        check(not run.problems, "scan %d: %s" % (self.count, run.problems))
        return Report(root) if root is not None else None


def result(report, group, category, name, subcategory=None):
    """(value, status, Format) of a test, or None."""
    t = report.test(group, category, name, subcategory) if report else None
    if t is None:
        return None
    r = t.find("TestResult")
    return (r.text or "", t.findtext("TestStatus") or "", r.get("Format"))


def profile(t):
    return os.path.join(PROFILES, "type%02d.ini" % t)


# ---------------------------------------------------------------------------------------------


def operating_system(s):
    report = s.scan(profile(18))
    value, status, fmt = result(report, OS, "Version", "Operating system")
    check((status, fmt) == ("Passed", "String"), "OS text status %s %s" % (status, fmt))
    version = s.reg_query(CURRENT_VERSION, "CurrentVersion")
    build = s.reg_query(CURRENT_VERSION, "CurrentBuildNumber")
    service_pack = s.reg_query(CURRENT_VERSION, "CSDVersion") or ""
    tail = (" " + service_pack if service_pack else "") + " (Build %s), 32-bit" % build
    names = {"6.0": "Microsoft Windows Vista ", "6.1": "Microsoft Windows 7 "}
    if version in names:
        check(value.startswith(names[version]) and value.endswith(tail),
              "OS text %r for version %s, build %s" % (value, version, build))
    else:
        check("(Build %s)" % build in value, "OS text %r" % value)


def drov_driver(s):
    # With the DROV driver installed it takes the place of the TIV driver's row (a new file in
    # the copy's own folder, so the session's prefix does not see it).
    drov = os.path.join(s.drive_c("windows", "system32", "drivers"), "VekDrovDrv.sys")
    shutil.copy2(FIXTURE, drov)
    report = s.scan(profile(2))
    os.unlink(drov)
    actual = report.subcategories(DRIVERS, "TIV Driver")
    check(actual == ["Product Information", "VekCtrlCenter.cpl", "VekTiv.dll", "VekDrovDrv.sys", "VekBiosDrv.sys"],
          "DROV driver rows %s" % actual)
    check(result(report, DRIVERS, "TIV Driver", "File version", "VekDrovDrv.sys") ==
          ("9.8.7.6 (fixture)", "Passed", "String"), "DROV driver version")


def main():
    workdir = tempfile.mkdtemp(prefix="vek-groups14-")
    try:
        with Prefix(workdir) as prefix:
            s = Session(prefix, workdir)
            for step in (operating_system, drov_driver):
                print("--", step.__name__)
                step(s)
    finally:
        shutil.rmtree(workdir, ignore_errors=True)
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
