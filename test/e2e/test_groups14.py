#!/usr/bin/env python3
"""End-to-end checks of the first four groups (operating system, drivers and tools, BIOS,
general) under Wine, with registry values, files and key=value files staged by the test.

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

UNINSTALL = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall"
DRIVER_KEY = r"HKLM\SOFTWARE\VEK_Dovazezozu\TIV\Driver"
CURRENT_VERSION = r"HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion"
OS, DRIVERS, BIOS, GENERAL = "Operating System", "Vek Drivers and Tools", "BIOS", "General"
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

    def reg_add(self, key, name, text):
        self.wine("reg", "add", key, "/v", name, "/t", "REG_SZ", "/d", text, "/f")

    def reg_delete(self, key, name=None):
        self.wine("reg", "delete", key, *(["/v", name] if name else []), "/f")

    def reg_query(self, key, name):
        out = self.wine("reg", "query", key, "/v", name).stdout
        for line in out.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[0] == name and parts[1].startswith("REG_"):
                return parts[2] if len(parts) > 2 else ""
        return None

    def drive_c(self, *parts):
        return os.path.join(self.prefix.path, "drive_c", *parts)

    def scan(self, profile=None, profile_text=None, empty_test_name=False):
        """Scans with a profile file (or profile text) and returns the parsed report.
        empty_test_name: the report rightly holds a Test with an empty name (a key=value line
        "=x"), which the harness's schema does not foresee."""
        self.count += 1
        folder = tempfile.mkdtemp(prefix="scan%d-" % self.count, dir=self.workdir)
        shutil.copy2(os.path.join(BIN, "VekQuorvel.exe"), folder)
        shutil.copy2(os.path.join(BIN, "VekTiv.dll"), folder)
        if profile_text is not None:
            profile = os.path.join(folder, "device.ini")
            with open(profile, "w", newline="") as f:
                f.write(profile_text)
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
        if empty_test_name:
            run.problems = [p for p in run.problems if "element TestName" not in p]
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


def file_not_found_text(report):
    """The system's text for error 2 as this prefix words it: a missing driver file shows it."""
    return result(report, DRIVERS, "TIV Driver", "File version", "VekCtrlCenter.cpl")[0]


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
        check(value.endswith(" (Build %s), 32-bit" % build) or "(Build " in value, "OS text %r" % value)
    # The prefix's own key=value file (scan.Prefix puts one on drive C:).
    check(report.categories(OS) == ["Version", "DAZIRAVAZ.INI", "Registration Details", "User Account"],
          "OS categories %s" % report.categories(OS))
    check(report.test_names(OS, "Registration Details") ==
          ["Product ID", "Registered organization", "Registered owner"], "registration tests")
    check(result(report, OS, "User Account", "Administrator privileges")[1:] == ("Passed", "YesNo"),
          "administrator privileges")

    # A missing RegisteredOrganization fails alone, with the text of error 2.
    s.reg_delete(CURRENT_VERSION, "RegisteredOrganization")
    report = s.scan(profile(18))
    org = result(report, OS, "Registration Details", "Registered organization")
    check(org == (file_not_found_text(report), "Failed", "String"), "missing organization %s" % (org,))
    check(result(report, OS, "Registration Details", "Registered owner")[1] == "Passed",
          "owner after a missing organization")
    s.reg_add(CURRENT_VERSION, "RegisteredOrganization", "")


def key_value_file(s):
    # Wine gives every process SystemDrive=C:, so the file is staged in the root of C: (a fresh
    # file each time: the prefix copy's files are hard links of the session's).
    path = s.drive_c("DAZIRAVAZ.INI")
    cases = [
        ("lines", b"[Main]\r\nMode=Auto\r\n\r\nPath=C:\\a=b\r\n=x\r\nKey=\r\n",
         [("Mode", "Auto"), ("Path", "C:\\a=b"), ("", "x"), ("Key", "")]),
        ("no keys", b"[Main]\r\njust text\r\n\r\n", []),
        ("absent", None, None),
    ]
    for name, data, expected in cases:
        if os.path.exists(path):
            os.unlink(path)
        if data is not None:
            with open(path, "wb") as f:
                f.write(data)
        report = s.scan(profile(2), empty_test_name=name == "lines")
        if expected is None:
            check(report.categories(OS) == ["Version", "Registration Details", "User Account"],
                  "ini %s: categories %s" % (name, report.categories(OS)))
            continue
        check(report.subcategories(OS, "DAZIRAVAZ.INI") == ["CatUndef"], "ini %s: subcategory" % name)
        tests = report.tests(OS, "DAZIRAVAZ.INI")
        actual = [(t.findtext("TestName") or "", t.findtext("TestResult") or "") for t in tests]
        check(actual == expected, "ini %s: %s" % (name, actual))
        check(all(t.findtext("TestStatus") == "Passed" for t in tests), "ini %s: status" % name)

    # Bytes above 127 are read in the ANSI code page: one character each, none dropped.
    with open(path, "wb") as f:
        f.write(b"K\xe4y=\xfc\xdf\r\n")
    report = s.scan(profile(2))
    tests = report.tests(OS, "DAZIRAVAZ.INI")
    names = [(len(t.findtext("TestName") or ""), len(t.findtext("TestResult") or "")) for t in tests]
    check(names == [(3, 2)], "ini with bytes above 127: %s" % names)
    os.unlink(path)


def driver_rows(s):
    service = s.reg_query(CURRENT_VERSION, "CurrentVersion") in ("6.1", "6.2", "6.3")
    ups = ["VekTivUps.dll", "VekUpsMsg.exe", "VekUpsMon.exe"] + (["VekTivUpsSvc.exe"] if service else [])
    rows = {
        2: ["VekCtrlCenter.cpl", "VekTiv.dll", "VekTivDrv.sys", "VekBiosDrv.sys"],
        4: ["VekCtrlCenter.cpl", "VekTiv.dll", "VekTivDrv.sys", "VekBiosDrv.sys", "VekFlashDrv.sys",
            "VekGixDrv.sys", "VekPelmDrv.sys", "VekZuqSvc.exe"],
        18: ["VekCtrlCenter.cpl", "VekTiv.dll"] + ups + ["VekTivDrv.sys", "VekBiosDrv.sys"],
    }
    for t, files in rows.items():
        report = s.scan(profile(t))
        actual = report.subcategories(DRIVERS, "TIV Driver")
        check(actual == ["Product Information"] + files, "type %d driver rows %s" % (t, actual))
        check(report.test_names(DRIVERS, "TIV Driver", "VekBiosDrv.sys") == ["File path", "File version"],
              "type %d missing file tests" % t)

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


def products(s):
    sram = tempfile.mkdtemp(prefix="sram-", dir=s.workdir)
    shutil.copy2(FIXTURE, os.path.join(sram, "CardReflash.exe"))
    with open(os.path.join(sram, "NvMemProbe.exe"), "wb") as f:
        f.write(b"no version resource")
    touch = tempfile.mkdtemp(prefix="touch-", dir=s.workdir)
    shutil.copy2(FIXTURE, os.path.join(touch, "VekTouchApplet.cpl"))
    key_sram, key_touch = UNINSTALL + r"\Vek SRAM Driver", UNINSTALL + r"\VekTouchDriver_is1"
    for key, location, version, date in ((key_sram, windows_path(sram) + "\\", "2.1", "20250102"),
                                         (key_touch, windows_path(touch) + "\\\\", "5.0", "31122024")):
        s.reg_add(key, "InstallLocation", location)
        s.reg_add(key, "DisplayVersion", version)
        s.reg_add(key, "InstallDate", date)
    s.reg_delete(UNINSTALL + r"\Vek CAN Driver")
    s.reg_delete(UNINSTALL + r"\TivDriver_is1")
    report = s.scan(profile(2))

    check(report.categories(DRIVERS) == ["TIV Driver", "SRAM Driver", "Touch Driver"],
          "installed products %s" % report.categories(DRIVERS))
    check(report.subcategories(DRIVERS, "SRAM Driver") ==
          ["Product Information", "CardReflash.exe", "NvMemProbe.exe", "VekSramDrv.sys"], "SRAM files")
    # One trailing backslash goes; the files are looked up with one backslash more.
    check(result(report, DRIVERS, "SRAM Driver", "Install location")[0] == windows_path(sram),
          "SRAM location %s" % (result(report, DRIVERS, "SRAM Driver", "Install location"),))
    check(result(report, DRIVERS, "SRAM Driver", "Install date")[0] == "2025-01-02", "SRAM date")
    check(result(report, DRIVERS, "SRAM Driver", "File path", "CardReflash.exe")[0] ==
          windows_path(sram) + "\\CardReflash.exe", "SRAM file path")
    check(result(report, DRIVERS, "SRAM Driver", "File version", "CardReflash.exe") ==
          ("9.8.7.6 (fixture)", "Passed", "String"), "fixture version")
    size = str(os.path.getsize(FIXTURE))
    check(result(report, DRIVERS, "SRAM Driver", "File size", "CardReflash.exe") == (size, "Passed", "Bytes"),
          "fixture size")
    check(report.test_names(DRIVERS, "SRAM Driver", "NvMemProbe.exe") ==
          ["File path", "File version", "Modification date", "File size"], "file without version")
    check(result(report, DRIVERS, "SRAM Driver", "File version", "NvMemProbe.exe")[:2] ==
          ("Can not get the file version", "Failed"), "file without version resource")
    check(result(report, DRIVERS, "Touch Driver", "Install location")[0] == windows_path(touch) + "\\",
          "two trailing backslashes lose one")
    check(result(report, DRIVERS, "Touch Driver", "File path", "VekTouchApplet.cpl")[0] ==
          windows_path(touch) + "\\\\VekTouchApplet.cpl", "touch file path")
    check(result(report, DRIVERS, "Touch Driver", "File version", "VekTouchApplet.cpl")[1] == "Passed",
          "file found through a doubled backslash")
    check(result(report, DRIVERS, "Touch Driver", "Install date")[0] == "2024-12-31", "DDMMYYYY date")
    # The driver itself is not in the Uninstall list: its key's version stands in.
    check(report.test_names(DRIVERS, "TIV Driver", "Product Information") == ["Setup version"],
          "fallback tests")
    check(result(report, DRIVERS, "TIV Driver", "Setup version") == ("3.10.0", "Passed", "String"),
          "fallback version %s" % (result(report, DRIVERS, "TIV Driver", "Setup version"),))

    # FactoryRevert.exe beside the driver's InstallPath: listed only while it exists.
    folder = s.drive_c("Program Files", "Vek", "TIV")
    os.makedirs(folder, exist_ok=True)
    revert = os.path.join(folder, "FactoryRevert.exe")
    shutil.copy2(FIXTURE, revert)
    report = s.scan(profile(2))
    check(report.subcategories(DRIVERS, "TIV Driver")[-1] == "FactoryRevert.exe", "FactoryRevert listed")
    check(result(report, DRIVERS, "TIV Driver", "File path", "FactoryRevert.exe")[0] ==
          "C:\\Program Files\\Vek\\TIV\\FactoryRevert.exe", "FactoryRevert path")
    os.unlink(revert)
    s.reg_delete(DRIVER_KEY, "Version")
    report = s.scan(profile(2))
    check(report.subcategories(DRIVERS, "TIV Driver")[-1] == "VekBiosDrv.sys", "FactoryRevert absent")
    check(result(report, DRIVERS, "TIV Driver", "Setup version", "Product Information") ==
          ("Not available", "Failed", "String"), "no version at all")


def bios(s):
    expected = {4: ["Vek version", "Build date", "ID"], 9: None,
                16: ["Vek version", "Build date", "ID", "Boot mode"]}
    for staged in (True, False):
        if not staged:
            s.reg_delete(r"HKLM\HARDWARE\TIV\Bios")
        for t, names in expected.items():
            report = s.scan(profile(t))
            if names is None:
                check(BIOS not in report.group_names(), "type %d BIOS written" % t)
                check(report.group_names()[:3] == [OS, DRIVERS, GENERAL], "type %d group order" % t)
                continue
            check(report.test_names(BIOS, "CatUndef") == names, "type %d BIOS tests" % t)
            value, status, _ = result(report, BIOS, "CatUndef", "ID")
            if staged:
                check((value, status) == ("VEK-BIOS-E2E", "Passed"), "type %d ID %s" % (t, value))
            else:
                check((value, status) == (file_not_found_text(report), "Failed"), "type %d no ID %s" % (t, value))


def general(s):
    report = s.scan(profile(5))
    check(report.subcategories(GENERAL, "User Settings") == ["User Serial ID", "User Bootlogo", "User LED"],
          "type 5 user settings")
    report = s.scan(profile(12))
    check(report.subcategories(GENERAL, "User Settings") == ["User Serial ID"], "type 12 user settings")
    check(report.subcategories(GENERAL, "Key Configuration") == ["CatUndef"], "type 12 key configuration")

    text = ("DeviceType = u32 5\nUserSerialId = u32 11259375\nUserLed = u8 3\n"
            "UserlogoStringW 0 = fail 1168\nKeyCfgState = u32 0\n")
    report = s.scan(profile_text=text)
    check(report.test_names(GENERAL, "User Settings", "User Bootlogo") == ["Available"], "logo absent")
    check(result(report, GENERAL, "User Settings", "Available") == ("No", "Passed", "YesNo"), "logo absent value")
    check(result(report, GENERAL, "User Settings", "Value") == ("00ABCDEFh", "Passed", "String"), "serial id")
    check(report.test_names(GENERAL, "Key Configuration") == ["State"], "state 0 ends the category")
    check(result(report, GENERAL, "Key Configuration", "State") == ("Invalid", "Passed", "Unknown"), "state 0")

    text = ("DeviceType = u32 12\nKeyCfgState = u32 1\nKeyCfgStringW 0 = str \"1.0\"\n"
            "KeyCfgStringW 1 = str \"\"\nKeyCfgStringW 2 = str \"\"\nKeyLayer = u8 0\nKeyLayerMode = u8 1\n")
    report = s.scan(profile_text=text)
    check(result(report, GENERAL, "Key Configuration", "User information") == ("(n.a.)", "Passed", "String"),
          "empty user information")
    check(result(report, GENERAL, "Key Configuration", "Build date") == ("", "Passed", "String"),
          "empty build date stays empty")


def main():
    workdir = tempfile.mkdtemp(prefix="vek-groups14-")
    try:
        with Prefix(workdir) as prefix:
            s = Session(prefix, workdir)
            for step in (operating_system, key_value_file, driver_rows, products, bios, general):
                print("--", step.__name__)
                step(s)
    finally:
        shutil.rmtree(workdir, ignore_errors=True)
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
