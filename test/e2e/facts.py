"""What each scanned device's report must show: one table of facts per test group.

A fact is a row (runs, check). Runs are the names of the end-to-end runs: the profile files of
sim/profiles without ".ini" (type01 .. type21, default, scenario_...), "builtin" (the library's
built-in device, the same as default), "nodll" (no VekTiv.dll at all) and "reduced" (the build
that lacks TivGetDeviceType, TivGetHardwareStringW and TivGetAlarm). types(6, 7) names the runs
type06 and type07. A check is one of the constructors below; it looks at the parsed report and
returns a problem text or None.

A group's table is checked only once the group's class has a Run in groups/ (GROUP_CLASSES); a
group adds its table here when its code lands. To add facts: append rows to
the group's list in FACTS, e.g.
    (types(15, 16, 17), Categories("I/O Board", ["Firmware", "Factory Settings", ...])),
    (["scenario_extremes"], Result("UPS", "Temperatures", "Battery temperature", value="(n.a.)")),
"""
import glob
import os
import re

from scan import MODEL_NAMES, SOURCE

# The groups in run order with the class that writes each.
GROUP_CLASSES = [
    ("Operating System", "CTestOS"),
    ("Vek Drivers and Tools", "CTestVekDriversAndTools"),
    ("BIOS", "CTestBios"),
    ("General", "CTestGeneral"),
    ("System Unit", "CTestSystemUnit"),
    ("CPU Board", "CTestCPUBoard"),
    ("CPU", "CTestCPU"),
    ("Memory", "CTestMemory"),
    ("Bus Unit", "CTestBusUnit"),
    ("Slide-In Drives", "CTestDrive"),
    ("Fan Kits", "CTestFanKit"),
    ("IF Boards", "CTestIF"),
    ("I/O Board", "CTestIO"),
    ("UPS", "CTestUPS"),
    ("Display Link", "CTestDisplayLink"),
    ("Panels", "CTestPanel"),
    ("DVI", "CTestDVI"),
]


def implemented_groups():
    """Names of the groups whose class has a Run in the checkout."""
    text = ""
    for path in glob.glob(os.path.join(SOURCE, "groups", "*.cpp")):
        with open(path, encoding="utf-8", errors="replace") as f:
            text += f.read()
    return {name for name, cls in GROUP_CLASSES if re.search(r"\b%s::Run\s*\(" % cls, text)}


def types(*codes):
    return ["type%02d" % c for c in codes]


ALL_TYPES = types(*range(1, 22))
# Runs whose library answers a device type (the first answer of scenario_quirks fails).
TYPE_READABLE = ALL_TYPES + ["default", "builtin", "scenario_all_fail", "scenario_strings_nt",
                             "scenario_extremes", "scenario_xml_chars"]
NO_TYPE = ["nodll", "reduced", "scenario_unreadable_type", "scenario_all_fail_type"]


# ----------------------------------------------------------------------------------------
# Checks


class Header:
    def __init__(self, element, value):
        self.element, self.value = element, value

    def __call__(self, report):
        actual = report.header(self.element)
        if actual != self.value:
            return "Header %s is %r, not %r" % (self.element, actual, self.value)


class Group:
    """The group is written (present=True) or not."""

    def __init__(self, name, present=True):
        self.name, self.present = name, present

    def __call__(self, report):
        if (report.group(self.name) is not None) != self.present:
            return "group %r %s" % (self.name, "missing" if self.present else "written")


class Categories:
    """The group's categories, exactly and in order."""

    def __init__(self, group, names):
        self.group, self.names = group, names

    def __call__(self, report):
        actual = report.categories(self.group)
        if actual != self.names:
            return "%s categories %s, not %s" % (self.group, actual, self.names)


class SubCategories:
    def __init__(self, group, category, names):
        self.group, self.category, self.names = group, category, names

    def __call__(self, report):
        actual = report.subcategories(self.group, self.category)
        if actual != self.names:
            return "%s/%s subcategories %s, not %s" % (self.group, self.category, actual, self.names)


class Tests:
    """The test names of a category (or of one of its subcategories), exactly and in order."""

    def __init__(self, group, category, names, subcategory=None):
        self.group, self.category, self.names, self.subcategory = group, category, names, subcategory

    def __call__(self, report):
        actual = report.test_names(self.group, self.category, self.subcategory)
        if actual != self.names:
            return "%s/%s/%s tests %s, not %s" % (self.group, self.category, self.subcategory or "*",
                                                  actual, self.names)


class HasTest:
    def __init__(self, group, category, name, present=True, subcategory=None):
        self.group, self.category, self.name = group, category, name
        self.present, self.subcategory = present, subcategory

    def __call__(self, report):
        found = report.test(self.group, self.category, self.name, self.subcategory) is not None
        if found != self.present:
            return "%s/%s test %r %s" % (self.group, self.category, self.name,
                                         "missing" if self.present else "written")


class Result:
    """One test's value, status and Format word (None: not checked)."""

    def __init__(self, group, category, name, value=None, status=None, fmt=None, subcategory=None):
        self.group, self.category, self.name, self.subcategory = group, category, name, subcategory
        self.value, self.status, self.fmt = value, status, fmt

    def __call__(self, report):
        t = report.test(self.group, self.category, self.name, self.subcategory)
        where = "%s/%s/%s" % (self.group, self.category, self.name)
        if t is None:
            return "%s missing" % where
        result = t.find("TestResult")
        checks = [("value", self.value, result.text or ""),
                  ("status", self.status, t.findtext("TestStatus") or ""),
                  ("Format", self.fmt, result.get("Format"))]
        for what, expected, actual in checks:
            if expected is not None and actual != expected:
                return "%s %s %r, not %r" % (where, what, actual, expected)


class ResultLike:
    """One test's value matches a regular expression as a whole (for values whose exact text is
    the implementer's choice, such as a string cut at the end of its buffer)."""

    def __init__(self, group, category, name, pattern, subcategory=None):
        self.group, self.category, self.name, self.subcategory = group, category, name, subcategory
        self.pattern = pattern

    def __call__(self, report):
        t = report.test(self.group, self.category, self.name, self.subcategory)
        if t is None:
            return "%s/%s/%s missing" % (self.group, self.category, self.name)
        value = t.findtext("TestResult") or ""
        if not re.fullmatch(self.pattern, value, re.S):
            return "%s/%s/%s value %r does not match %r" % (self.group, self.category, self.name,
                                                            value, self.pattern)


class AnyStatus:
    """Some test of the report has this status (e.g. the one alarm of a device)."""

    def __init__(self, status):
        self.status = status

    def __call__(self, report):
        if not any(t.findtext("TestStatus") == self.status for t in report.all_tests()):
            return "no test with status %r" % self.status


# ----------------------------------------------------------------------------------------
# Which groups each run writes, in run order (only implemented groups are compared).

def expected_groups(run):
    # scenario_all_fail is a type 19 device with every module present and every value failing.
    t = (int(run[4:]) if run.startswith("type") else 18 if run in ("default", "builtin")
         else 19 if run == "scenario_all_fail" else None)
    if run in ("nodll", "scenario_all_fail_type"):
        return ["Operating System", "CPU", "Memory"]
    if run in ("reduced", "scenario_unreadable_type"):
        return ["Operating System", "CPU", "Memory", "UPS", "Panels"]
    if t is None:
        return None
    carries = {
        "Bus Unit": t in (18, 19), "Slide-In Drives": t in (18, 19), "Fan Kits": t in (18, 19, 20, 21),
        "IF Boards": t >= 15, "I/O Board": t in (15, 16, 17), "UPS": t in (6, 12, 13, 18, 19),
        "Display Link": t in (18, 20), "BIOS": t not in (9, 11),
        "CPU Board": t in (6, 7) or t >= 12, "DVI": t not in (4, 5, 8, 9, 10, 11, 21),
    }
    return [name for name, _ in GROUP_CLASSES if carries.get(name, True)]


class GroupList:
    def __init__(self, run, implemented):
        self.expected = [g for g in expected_groups(run) if g in implemented]

    def __call__(self, report):
        actual = report.group_names()
        if actual != self.expected:
            return "groups %s, not %s" % (actual, self.expected)


# ----------------------------------------------------------------------------------------
# Per-group tables

def windows_6x_not_vista():
    """Whether the session's prefix is Windows 6.1 or a later 6.x (the UPS service row)."""
    prefix = os.environ.get("WINEPREFIX") or os.path.join(
        os.environ.get("VEK_BUILD") or os.path.join(SOURCE, "build"), "wineprefix")
    try:
        with open(os.path.join(prefix, "system.reg"), encoding="utf-8", errors="replace") as f:
            text = f.read()
    except OSError:
        return False
    m = re.search(r'\[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\][^\[]*?"CurrentVersion"="(\d+)\.(\d+)"',
                  text)
    return bool(m) and int(m.group(1)) == 6 and int(m.group(2)) >= 1


def driver_files(t):
    """The driver file rows of the drivers-and-tools group on device type t (no DROV driver and
    no FactoryRevert.exe in the prefix)."""
    ups = t in (6, 12, 13, 18, 19)
    rows = [("VekCtrlCenter.cpl", True), ("VekTiv.dll", True), ("VekTivUps.dll", ups), ("VekUpsMsg.exe", ups),
            ("VekUpsMon.exe", ups), ("VekTivUpsSvc.exe", ups and windows_6x_not_vista()),
            ("VekTivDrv.sys", True), ("VekBiosDrv.sys", True), ("VekFlashDrv.sys", t in (4, 5, 8, 10)),
            ("VekGixDrv.sys", t in (4, 5)), ("VekPelmDrv.sys", t in (4, 5)), ("VekZuqSvc.exe", t in (4, 5))]
    return [name for name, written in rows if written]

# The UPS group's runs by module generation ("UPSI", "UPSII", or a type string of neither).
UPS_FIRST = types(6, 12, 13) + ["scenario_extremes", "scenario_unreadable_type"]
UPS_SECOND = types(18, 19) + ["default", "builtin"]
UPS_UNKNOWN = ["reduced", "scenario_all_fail", "scenario_strings_nt", "scenario_xml_chars"]
UPS_RUNS = UPS_FIRST + UPS_SECOND + UPS_UNKNOWN + ["scenario_quirks"]
UPS_COMMON = ["User Settings", "System Settings", "Temperatures", "Currents", "Voltages"]
UPS_STATUS_ROWS = ["Power OK", "On battery", "Low battery", "Battery failure", "Battery settings failure",
                   "Battery polarity reversed", "Factory settings failure", "User settings failure",
                   "Over current alarm", "Battery temperature alarm"]
UPS_COUNTERS = ["Communication requests", "Communication errors", "Link quality"]
UPS_SERVICE_ROWS = ["UPS vendor", "UPS model", "Shutdown on battery", "Shutdown on battery time", "Run task",
                    "UPS turn off", "UPS turn off delay", "Standard notification", "Vek notification",
                    "Show UPS status with Vek UPS Monitor"]

FACTS = {
    None: [  # the header, checked whenever a report is written
        *[(types(t), Header("VekDeviceType", MODEL_NAMES[t])) for t in range(1, 22)],
        (["default", "builtin"], Header("VekDeviceType", "Vek Torvex 670")),
        (NO_TYPE, Header("VekDeviceType", "Unknown")),
    ],
    "Operating System": [
        (TYPE_READABLE + NO_TYPE, HasTest("Operating System", "Version", "Operating system")),
        (TYPE_READABLE + NO_TYPE, ResultLike("Operating System", "Version", "Operating system",
                                             r".+ \(Build \d+\)(, 32-bit|, 64-bit)?")),
        (TYPE_READABLE + NO_TYPE, Categories("Operating System", ["Version", "DAZIRAVAZ.INI",
                                                                  "Registration Details", "User Account"])),
        # The key=value file that scan.Prefix puts in the root of C:.
        (TYPE_READABLE + NO_TYPE, Tests("Operating System", "DAZIRAVAZ.INI", ["Line", "Station"])),
        (TYPE_READABLE + NO_TYPE, Result("Operating System", "DAZIRAVAZ.INI", "Station", value="Cell 4",
                                         status="Passed", fmt="String")),
        (TYPE_READABLE + NO_TYPE, Tests("Operating System", "Registration Details",
                                        ["Product ID", "Registered organization", "Registered owner"])),
        (TYPE_READABLE + NO_TYPE, Result("Operating System", "User Account", "Administrator privileges",
                                         status="Passed", fmt="YesNo")),
    ],
    "Vek Drivers and Tools": [
        # The staged registry (scan.REGISTRY) installs the driver and the CAN driver.
        (TYPE_READABLE, Categories("Vek Drivers and Tools", ["TIV Driver", "CAN Driver"])),
        (NO_TYPE, Group("Vek Drivers and Tools", present=False)),
        *[(types(t), SubCategories("Vek Drivers and Tools", "TIV Driver", ["Product Information"] + driver_files(t)))
          for t in range(1, 22)],
        (TYPE_READABLE, Tests("Vek Drivers and Tools", "TIV Driver",
                              ["Setup version", "Install location", "Install date"], subcategory="Product Information")),
        (types(2), Result("Vek Drivers and Tools", "TIV Driver", "Install date", value="2026-03-14", status="Passed",
                          fmt="String")),
        (types(2), Result("Vek Drivers and Tools", "TIV Driver", "Install location", value="C:\\Program Files\\Vek\\TIV")),
        (types(2), Result("Vek Drivers and Tools", "TIV Driver", "File path",
                          value="C:\\windows\\system32\\Drivers\\VekBiosDrv.sys", subcategory="VekBiosDrv.sys")),
        # A file that is not there: its path and the failure, no date or size.
        (types(2), Tests("Vek Drivers and Tools", "TIV Driver", ["File path", "File version"],
                         subcategory="VekBiosDrv.sys")),
        (types(2), Result("Vek Drivers and Tools", "TIV Driver", "File version", status="Failed", fmt="String",
                          subcategory="VekBiosDrv.sys")),
        (TYPE_READABLE, SubCategories("Vek Drivers and Tools", "CAN Driver",
                                      ["Product Information", "VEK.CanSettings.exe", "VekCanDrv.sys"])),
        # InstallDate 14032026 is read day first.
        (types(18), Result("Vek Drivers and Tools", "CAN Driver", "Install date", value="2026-03-14")),
        (types(18), Result("Vek Drivers and Tools", "CAN Driver", "File path",
                           value="C:\\Program Files\\Vek\\CAN\\VEK.CanSettings.exe", subcategory="VEK.CanSettings.exe")),
    ],
    "BIOS": [
        (types(9, 11) + NO_TYPE, Group("BIOS", present=False)),
        (types(15, 16, 17), Tests("BIOS", "CatUndef", ["Vek version", "Build date", "ID", "Boot mode"])),
        (types(15), Result("BIOS", "CatUndef", "Boot mode", value="Normal area")),
        (types(1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 13, 14, 18, 19, 20, 21),
         Tests("BIOS", "CatUndef", ["Vek version", "Build date", "ID"])),
        (types(18), Result("BIOS", "CatUndef", "ID", value="VEK-BIOS-E2E", status="Passed")),
        (types(18), Result("BIOS", "CatUndef", "Vek version", value="V1.28 R0", status="Passed", fmt="String")),
        (types(16), Result("BIOS", "CatUndef", "Boot mode", value="Normal area", status="Passed")),
        (["scenario_all_fail"], Result("BIOS", "CatUndef", "Vek version", status="Failed", fmt="String")),
        # A string cut at an embedded NUL, and one that fills its buffer without a terminator.
        (["scenario_xml_chars"], Result("BIOS", "CatUndef", "Vek version", value="V1.28 ")),
        (["scenario_strings_nt"], ResultLike("BIOS", "CatUndef", "Vek version", r"V1\.28 V1\.28 .{0,244}")),
        # Control characters that XML cannot carry are replaced or dropped; the rest stays.
        (["scenario_xml_chars"], ResultLike("BIOS", "CatUndef", "Build date", r"tab\there.{0,3}vt.{0,3}ff.{0,3}us")),
    ],
    "General": [
        (NO_TYPE, Group("General", present=False)),
        (TYPE_READABLE, Categories("General", ["User Settings", "Key Configuration"])),
        *[(types(t), SubCategories("General", "User Settings", ["User Serial ID", "User Bootlogo", "User LED"]))
          for t in (4, 5, 8, 10)],
        *[(types(t), SubCategories("General", "User Settings", ["User Serial ID"]))
          for t in range(1, 22) if t not in (4, 5, 8, 10)],
        *[(types(t), SubCategories("General", "Key Configuration", ["CatUndef"])) for t in range(1, 22)],
        (types(18), Result("General", "User Settings", "Value", value="00ABCD12h", fmt="String")),
        (types(4), Result("General", "User Settings", "VESA mode", value="105", status="Passed", fmt="Hex")),
        (types(4), Result("General", "User Settings", "Size", value="786492", fmt="Bytes")),
        (types(4), Result("General", "User Settings", "Status", value="0", fmt="Dec")),
        (types(18), Tests("General", "Key Configuration", ["State", "Version", "Build date", "User information",
                                                           "Key layer", "Layer mode"])),
        (types(18), Result("General", "Key Configuration", "State", value="Valid", fmt="Unknown")),
        (["scenario_extremes"], Result("General", "Key Configuration", "User information", value="(n.a.)",
                                       status="Passed", fmt="String")),
        (["scenario_extremes"], Result("General", "User Settings", "Value", value="FFFFFFFFh")),
        # The test result and the element writer each drop one final line feed (CR LF reads as LF).
        (["scenario_xml_chars"], Result("General", "Key Configuration", "User information", value="line1\nline2")),
        # A failed key configuration state leaves its category with that one test.
        (["scenario_all_fail"], Tests("General", "Key Configuration", ["State"])),
        (["scenario_all_fail"], Result("General", "User Settings", "Value", status="Failed", fmt="String")),
    ],
    "UPS": [
        (UPS_FIRST, Categories("UPS", ["Firmware", "Status", "Factory Settings", "Battery Settings"] + UPS_COMMON)),
        (UPS_SECOND, Categories("UPS", ["Firmware", "Status"] + UPS_COMMON + ["Statistics"])),
        # A type string that is neither generation's, or none at all: no generation's own tests.
        (UPS_UNKNOWN, Categories("UPS", ["Firmware", "Status"] + UPS_COMMON)),
        (["scenario_quirks"], Categories("UPS", ["Firmware", "Status", "Battery Settings"] + UPS_COMMON)),
        (types(6, 12, 13), Tests("UPS", "Firmware", ["Type", "Firmware version"])),
        (types(6), Result("UPS", "Firmware", "Firmware version", value="1.10", status="Passed", fmt="String")),
        (UPS_SECOND + UPS_UNKNOWN, Tests("UPS", "Firmware", ["Type"])),
        (types(18), Result("UPS", "Firmware", "Type", value="UPSII", status="Passed", fmt="String")),
        (["reduced", "scenario_all_fail"], Result("UPS", "Firmware", "Type", status="Failed", fmt="String")),
        (types(6, 12, 13) + ["scenario_unreadable_type"], Tests("UPS", "Status", UPS_STATUS_ROWS + UPS_COUNTERS)),
        (UPS_SECOND + ["reduced"], Tests("UPS", "Status", UPS_STATUS_ROWS)),
        (["scenario_quirks"], Tests("UPS", "Status", UPS_STATUS_ROWS)),
        (["scenario_all_fail", "scenario_strings_nt"], Tests("UPS", "Status", ["Status"])),
        (types(18), Result("UPS", "Status", "Power OK", value="Yes", status="Passed", fmt="YesNo")),
        (types(18), Result("UPS", "Status", "Low battery", value="No", status="Passed", fmt="YesNo")),
        (["scenario_extremes"], Result("UPS", "Status", "Battery temperature alarm", value="Yes", status="Alarm")),
        (["scenario_extremes"], Result("UPS", "Status", "User settings failure", value="Yes", status="Passed")),
        (types(12), Result("UPS", "Status", "Link quality", value="99", status="Passed", fmt="Percent")),
        # 2 requests and 255 errors: no link left, not a wrapped number.
        (["scenario_extremes"], Result("UPS", "Status", "Link quality", value="0", fmt="Percent")),
        (types(13), Tests("UPS", "Factory Settings", ["Version", "Vendor ID", "Device ID", "Compatibility ID",
                                                      "Hardware revision", "Serial number", "Model number", "Raw data"])),
        (types(13), Result("UPS", "Factory Settings", "Device ID", value="00B1000D", fmt="Hex")),
        (types(6), Tests("UPS", "Battery Settings", ["Status", "Version", "Device ID", "Model number", "Raw data"])),
        (types(6), Result("UPS", "Battery Settings", "Status", value="Valid", status="Passed", fmt="Unknown")),
        (["scenario_quirks"], Tests("UPS", "Battery Settings", ["Status", "Device ID", "Model number", "Raw data"])),
        (types(6, 12, 13) + UPS_SECOND, Tests("UPS", "User Settings", ["Status", "Current limitation (8A)",
                                                                "Over current shutdown action",
                                                                "Low battery shutdown time", "Raw data"])),
        (types(19), Result("UPS", "User Settings", "Low battery shutdown time", value="300", fmt="Seconds")),
        (types(6), Result("UPS", "User Settings", "Current limitation (8A)", value="Enabled", fmt="EnableDisable")),
        # The status word flags the user settings invalid; the upload's checksum error likewise.
        (["scenario_extremes", "scenario_quirks"], Tests("UPS", "User Settings", ["Status"])),
        (["scenario_extremes", "scenario_quirks"], Result("UPS", "User Settings", "Status", value="Invalid",
                                                          status="Passed", fmt="Unknown")),
        (["scenario_unreadable_type"], Tests("UPS", "User Settings", ["Raw data"])),
        (["scenario_unreadable_type"], Result("UPS", "User Settings", "Raw data", status="Failed", fmt="String")),
        # The staged UPS service key (scan.REGISTRY); the maker's monitor value is not there.
        (UPS_RUNS, Tests("UPS", "System Settings", UPS_SERVICE_ROWS)),
        (UPS_RUNS, Result("UPS", "System Settings", "Shutdown on battery", value="Enabled", fmt="YesNo")),
        (UPS_RUNS, Result("UPS", "System Settings", "UPS turn off delay", value="60", fmt="Seconds")),
        (UPS_RUNS, Result("UPS", "System Settings", "Vek notification", value="Disabled", status="Passed")),
        (UPS_RUNS, Result("UPS", "System Settings", "Show UPS status with Vek UPS Monitor", value="Disabled",
                          status="Passed", fmt="EnableDisable")),
        (types(18), Result("UPS", "Temperatures", "Battery temperature", value="31", fmt="DegreeCentigrade")),
        (["scenario_extremes"], Result("UPS", "Temperatures", "Battery temperature", value="(n.a.)",
                                       status="Passed", fmt="String")),
        (types(13), Result("UPS", "Currents", "Battery current", value="1.50", fmt="Ampere")),
        (types(12), Result("UPS", "Currents", "Battery current", value="-1.5", fmt="Ampere")),
        (types(6), Result("UPS", "Voltages", "Battery voltage", value="24.4", fmt="Volt")),
        (["scenario_extremes"], Result("UPS", "Voltages", "Battery voltage", value="4294967.5")),
        (types(18), Tests("UPS", "Statistics", ["On-battery cycles", "On-battery hours"])),
        (types(18), Result("UPS", "Statistics", "On-battery hours", value="21", fmt="Dec")),
    ],
}


def checks_for(run, implemented):
    """The checks that apply to one run, given the implemented groups."""
    checks = []
    if expected_groups(run) is not None:
        checks.append(GroupList(run, implemented))
    for group, rows in FACTS.items():
        if group is not None and group not in implemented:
            continue
        for runs, check in rows:
            if run in runs:
                checks.append(check)
    return checks
