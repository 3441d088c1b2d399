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


class NoCall:
    """The run never called the library export (a line of the call log begins with it)."""

    def __init__(self, export):
        self.export = export

    def __call__(self, report):
        path = getattr(report, "call_log", None)
        if not path or not os.path.exists(path):
            return None
        with open(path, encoding="utf-8", errors="replace") as f:
            if any(line.startswith(self.export + "(") for line in f):
                return "%s was called" % self.export


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

# The panels each simulated type answers (generate.py), and the subcategories of the panels
# that lack some of the full set.
PANELS = {1: [0], 2: [0, 1], 3: [0], 4: [0], 5: [0], 6: [0], 7: [0], 8: [0, 2], 9: [0], 10: [0],
          11: [0], 12: [0, 8], 13: [0], 14: [0, 3], 15: [0, 1], 16: [0, 1], 17: [0, 1, 2],
          18: [0, 1, 8], 19: [0, 15], 20: [0], 21: [0, 15]}
FULL_PANEL = ["Status", "Link", "Factory Settings", "Statistics", "Temperature", "Fans",
              "Display Settings", "Keys", "LEDs"]
ALWAYS = ["Display Settings", "Keys", "LEDs"]
PANEL_PARTS = {
    **{(t, 0): ALWAYS for t in (4, 5, 9, 11)},
    (8, 0): ["Status"] + ALWAYS, (8, 2): ["Status"] + ALWAYS,
    (10, 0): ["Status", "Factory Settings", "Statistics", "Temperature", "Fans"] + ALWAYS,
    **{(t, 0): ["Status", "Statistics"] + ALWAYS for t in (15, 16, 17)},
    **{(t, 15): ["Status", "Factory Settings", "Statistics", "Temperature"] + ALWAYS for t in (19, 21)},
}

# ---- System unit: what each device type shows (categories, Firmware subcategories, tests).

def system_unit_categories(t):
    older = t not in range(15, 22)
    rows = [("Firmware", t not in (9, 11)), ("Factory Settings", True), ("Statistics", t not in (4, 5)),
            # Types 15 to 21 show "Temperatures" because their profiles' sensors 1 to 4 read.
            ("Temperatures", t not in (9, 11)), ("Fans", older and t not in (4, 5, 9, 11)),
            ("Switches", t not in (6, 7, 9, 10, 11, 16, 18, 19, 20, 21)),
            ("Kelb Slot 1", t in (4, 8)), ("Kelb Slot 2", t in (4, 8)), ("CMOS Battery", t not in (9, 11, 20, 21))]
    return [name for name, written in rows if written]


def system_unit_firmware(t):
    rows = [("DROV", t not in (4, 5)), ("SMC", t in (4, 5)), ("ZUQ", t in (4, 5)), ("FPGA", t in (4, 5)),
            ("FPGA1", t == 5), ("LMQ Link", t in (1, 2, 3, 6, 12)),
            ("Kelb Slot 1 FPGA", t in (4, 8)), ("Kelb Slot 2 FPGA", t in (4, 8))]
    return [name for name, written in rows if written]


def system_unit_factory(t):
    rows = [("Version", True), ("Vendor ID", t not in (4, 5)), ("Device ID", True), ("Compatibility ID", True),
            ("Parent Device ID", t not in (4, 5, 9, 11)), ("Parent Compatibility ID", t not in (4, 5, 9, 11)),
            ("Hardware revision", t not in (4, 5)), ("Serial number", t not in (4, 5)), ("Model number", True),
            ("Brightness (min/def/max)", t in (4, 5)), ("Brightness (min/max)", t in (9, 11)),
            ("Contrast (min/def/max)", t in (4, 5)), ("Contrast (min/max)", t in (9, 11)),
            ("Optimized ID", t in (6, 7)), ("Raw data", True)]
    return [name for name, written in rows if written]


def system_unit_temperatures(t):
    if t >= 15:
        return ["Sensor 1", "Sensor 2", "Sensor 3", "Sensor 4"]
    rows = [("Power supply", (6, 7, 12, 13, 14)), ("Board power supply", (12, 13)),
            ("Board Ethernet Controller 2", (12, 13)), ("Board I/O", (4, 5, 6, 7, 8, 10, 12, 13)),
            ("Board out", (14,)), ("Board center", (14,)), ("Board in", (14,)), ("Ethernet Controller 2", (12,)),
            ("Slide-In drive 1", (6, 7, 12, 13)), ("Slide-In drive 2", (6, 7, 12)), ("IF slot", (13, 14))]
    return [name for name, on in rows if t in on]


def system_unit_switches(t):
    rows = [("CMOS profile", (12, 13, 14)), ("Mode/Node", (4, 5, 8, 15, 17)), ("Write Protect", (4, 5))]
    return [name for name, on in rows if t in on]


SU = "System Unit"
SYSTEM_UNIT_FACTS = [
    (NO_TYPE, Group(SU, present=False)),
    *[(types(t), Categories(SU, system_unit_categories(t))) for t in range(1, 22)],
    *[(types(t), SubCategories(SU, "Firmware", system_unit_firmware(t))) for t in range(1, 22) if t not in (9, 11)],
    *[(types(t), Tests(SU, "Factory Settings", system_unit_factory(t))) for t in range(1, 22)],
    *[(types(t), Tests(SU, "Temperatures", system_unit_temperatures(t))) for t in range(1, 22) if t not in (9, 11)],
    *[(types(t), Tests(SU, "Switches", system_unit_switches(t)))
      for t in range(1, 22) if "Switches" in system_unit_categories(t)],
    (types(1, 2, 3, 4, 5, 8, 10, 12, 13, 14), Tests(SU, "CMOS Battery", ["CMOS battery state"])),
    (types(6, 7, 15, 16, 17, 18, 19), Tests(SU, "CMOS Battery", ["CMOS battery state", "Vbat"])),
    (types(9, 11), Tests(SU, "Statistics", ["Power-on hours"])),
    (types(15, 16, 17, 18, 19, 20, 21), Tests(SU, "Statistics", ["Power-on cycles", "Power-on hours"])),
    (types(1, 8, 10), Tests(SU, "Statistics", ["Power-on cycles", "Power-on hours", "Fan-on hours"])),
    (types(8, 10), Tests(SU, "Fans", ["Case fan 1"])),
    (types(12, 13), Tests(SU, "Fans", ["Case fan 1", "Case fan 2", "Case fan 3", "Case fan 4"])),
    (types(1, 2, 3, 6, 7, 14), Tests(SU, "Fans", ["Case fan 1", "Case fan 2", "Case fan 3"])),
    # Firmware subcategories.
    (types(15), Tests(SU, "Firmware", ["DROV version", "Boot mode"], subcategory="DROV")),
    (types(15), Result(SU, "Firmware", "Boot mode", value="High area", status="Passed", subcategory="DROV")),
    (types(6), Tests(SU, "Firmware", ["FPGA version", "KJ58 version"], subcategory="DROV")),
    (types(6), Result(SU, "Firmware", "KJ58 version", value="KJ58 V3.04", subcategory="DROV")),
    (types(1, 2, 3, 6, 12), Tests(SU, "Firmware", ["Type", "FPGA version"], subcategory="LMQ Link")),
    (types(12), Result(SU, "Firmware", "Type", value="LMQ Link RX", fmt="String", subcategory="LMQ Link")),
    (types(12), Result(SU, "Firmware", "FPGA version", value="LMQ FPGA V1.12", subcategory="LMQ Link")),
    (types(4, 5), Tests(SU, "Firmware", ["Version"], subcategory="ZUQ")),
    (types(5), Result(SU, "Firmware", "Version", value="SMC V2.05", status="Passed", subcategory="SMC")),
    (types(4, 5), Tests(SU, "Firmware", ["Info", "Extended info", "Size", "Boot status"], subcategory="FPGA")),
    (types(4), Result(SU, "Firmware", "Info", value="Sendra 10.03.2003 V10", subcategory="FPGA")),
    (types(4), Result(SU, "Firmware", "Extended info", value='<?xml version="1.0"?><fpga id="0" size="131072"/>',
                      fmt="Raw", subcategory="FPGA")),
    (types(4), Result(SU, "Firmware", "Size", value="131072", fmt="Bytes", subcategory="FPGA")),
    (types(4), Result(SU, "Firmware", "Boot status", value="5", status="Passed", fmt="Dec", subcategory="FPGA")),
    (types(5), Result(SU, "Firmware", "Size", value="98304", fmt="Bytes", subcategory="FPGA1")),
    # Kelb slots: slot 1 holds a module that booted on 4 and 8; slot 2 is empty on 4 and failed to boot on 8.
    (types(4, 8), Tests(SU, "Firmware", ["Kelb boot status", "Kelb info", "Kelb extended info", "Kelb size"],
                        subcategory="Kelb Slot 1 FPGA")),
    (types(4, 8), Result(SU, "Firmware", "Kelb boot status", value="Boot OK", status="Passed", fmt="String",
                         subcategory="Kelb Slot 1 FPGA")),
    (types(4, 8), Result(SU, "Firmware", "Kelb size", value="65536", fmt="Bytes", subcategory="Kelb Slot 1 FPGA")),
    (types(4), Tests(SU, "Firmware", ["Kelb boot status"], subcategory="Kelb Slot 2 FPGA")),
    (types(4), Result(SU, "Firmware", "Kelb boot status", value="Kelb module not found", status="Passed",
                      subcategory="Kelb Slot 2 FPGA")),
    (types(8), Tests(SU, "Firmware", ["Kelb boot status", "Kelb info", "Kelb extended info", "Kelb size"],
                     subcategory="Kelb Slot 2 FPGA")),
    (types(8), Result(SU, "Firmware", "Kelb boot status", value="Boot failed", status="Passed",
                      subcategory="Kelb Slot 2 FPGA")),
    (types(8), Result(SU, "Firmware", "Kelb extended info", value='<fpga id="DIO" size="32768"/>', fmt="String",
                      subcategory="Kelb Slot 2 FPGA")),
    (types(4, 8), Tests(SU, "Kelb Slot 1", ["Model number", "Device ID", "Variant", "EEPROM data"])),
    (types(8), Result(SU, "Kelb Slot 1", "Model number", value="5KB08.CAN-00", status="Passed", fmt="String")),
    (types(4, 8), Result(SU, "Kelb Slot 1", "Variant", value="2", fmt="String")),
    (types(4, 8), ResultLike(SU, "Kelb Slot 1", "EEPROM data", r"\s*4B454C4200010203F+\s+F+(\s+F+)*")),
    (types(4), Tests(SU, "Kelb Slot 2", ["Kelb boot status"])),
    (types(4), Result(SU, "Kelb Slot 2", "Kelb boot status", value="Kelb module not found", status="Passed")),
    (types(8), Tests(SU, "Kelb Slot 2", ["Model number", "Device ID", "Variant", "EEPROM data"])),
    (types(8), Result(SU, "Kelb Slot 2", "Device ID", value="0000B008")),
    # Factory settings and the other categories.
    (types(4), Result(SU, "Factory Settings", "Version", value="3", fmt="String")),
    (types(12), Result(SU, "Factory Settings", "Version", value="1.5", fmt="String")),
    (types(12), Result(SU, "Factory Settings", "Vendor ID", value="00000000", fmt="Hex")),
    (types(12), Result(SU, "Factory Settings", "Device ID", value="00C40CCC", fmt="Hex")),
    (types(12), Result(SU, "Factory Settings", "Parent Compatibility ID", value="FFFF", fmt="Hex")),
    (types(4, 5), Result(SU, "Factory Settings", "Brightness (min/def/max)", value="10h A0h FFh", fmt="String")),
    (types(9, 11), Result(SU, "Factory Settings", "Contrast (min/max)", value="20h E0h", fmt="String")),
    (types(6, 7), Result(SU, "Factory Settings", "Optimized ID", value="01001011", status="Passed", fmt="Dec")),
    (types(16), ResultLike(SU, "Factory Settings", "Raw data", r".*\(remaining 1792 bytes are FF\)")),
    (types(3), ResultLike(SU, "Factory Settings", "Raw data", r"(?!.*remaining).*")),
    (types(12), Result(SU, "Switches", "CMOS profile", value="1", fmt="Hex")),
    (types(8), Result(SU, "Switches", "Mode/Node", value="18", fmt="Hex")),
    (types(5), Result(SU, "Switches", "Write Protect", value="Disabled", fmt="EnableDisable")),
    (types(4, 5, 6, 7, 8, 10), Result(SU, "Temperatures", "Board I/O", status="Alarm", fmt="DegreeCentigrade")),
    (types(14), Result(SU, "Temperatures", "Board in", value="35", status="Passed")),
    (types(18), Result(SU, "Temperatures", "Sensor 2", value="40", fmt="DegreeCentigrade")),
    (types(12), Result(SU, "Fans", "Case fan 4", value="3462", fmt="Rpm")),
    (types(18), Result(SU, "Statistics", "Power-on hours", value="31268", fmt="Dec")),
    (types(6), Result(SU, "CMOS Battery", "CMOS battery state", value="1", status="Passed", fmt="Dec")),
    (types(6), Result(SU, "CMOS Battery", "Vbat", value="3.028", fmt="Volt")),
    # Scenarios.
    (["default", "builtin"], Categories(SU, system_unit_categories(18))),
    (["scenario_all_fail"], Categories(SU, ["Firmware", "Factory Settings", "Statistics", "CMOS Battery"])),
    (["scenario_all_fail"], Result(SU, "Factory Settings", "Model number", status="Failed", fmt="String")),
    (["scenario_all_fail"], Result(SU, "CMOS Battery", "Vbat", status="Failed", fmt="String")),
    (["scenario_all_fail"], Result(SU, "Firmware", "Boot mode", status="Failed", subcategory="DROV")),
    (["scenario_extremes"], Tests(SU, "Temperatures", ["Sensor 1"])),
    (["scenario_extremes"], Result(SU, "Temperatures", "Sensor 1", value="-1", status="Passed")),
    (["scenario_extremes"], Result(SU, "Factory Settings", "Device ID", value="FFFFFFFF")),
    (["scenario_extremes"], Result(SU, "Factory Settings", "Compatibility ID", value="0000")),
    (["scenario_extremes"], Result(SU, "CMOS Battery", "CMOS battery state", value="-2147483648", status="Passed")),
    (["scenario_extremes"], Result(SU, "CMOS Battery", "Vbat", value="0.000", fmt="Volt")),
    (["scenario_extremes"], Result(SU, "Firmware", "Boot mode", status="Failed", subcategory="DROV")),
    (["scenario_quirks"], SubCategories(SU, "Firmware", ["DROV"])),
    (["scenario_quirks"], Result(SU, "Statistics", "Power-on hours", value="23870", status="Passed", fmt="Dec")),
    (["scenario_strings_nt"], ResultLike(SU, "Factory Settings", "Serial number", r"(0123456789){25}.{0,6}")),
    (["scenario_strings_nt"], ResultLike(SU, "Firmware", "DROV version", r"(DROV){64}", subcategory="DROV")),
    (["scenario_xml_chars"], Result(SU, "Factory Settings", "Model number", value="</TestResult><Injected/>")),
    (["scenario_xml_chars"], Result(SU, "Factory Settings", "Serial number", value="ü ß € 漢字 😀")),
]

# The ten tests of a regular factory-settings member, in report order.
FACTORY_TESTS = ["Version", "Vendor ID", "Device ID", "Compatibility ID", "Parent Device ID",
                 "Parent Compatibility ID", "Hardware revision", "Serial number", "Model number", "Raw data"]
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
        (TYPE_READABLE, Tests("Vek Drivers and Tools", "TIV Driver",
                              ["Setup version", "Install location", "Install date"], subcategory="Product Information")),
        (types(2), Result("Vek Drivers and Tools", "TIV Driver", "Install date", value="2026-03-14", status="Passed",
                          fmt="String")),
        (types(2), Result("Vek Drivers and Tools", "TIV Driver", "Install location", value="C:\\Program Files\\Vek\\TIV")),
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
    "Panels": [
        *[(types(t), Categories("Panels", ["Panel %d" % i for i in panels]))
          for t, panels in PANELS.items() if t not in (9, 11)],
        (types(9, 11), Categories("Panels", ["Panel 0", "Switches", "Handwheel", "Joystick",
                                             "Override Potentiometer"])),
        *[(types(t), SubCategories("Panels", "Panel %d" % i, PANEL_PARTS[(t, i)]))
          for t, panels in PANELS.items() for i in panels if (t, i) in PANEL_PARTS],
        *[(types(t), SubCategories("Panels", "Panel %d" % i, FULL_PANEL))
          for t, panels in PANELS.items() for i in panels if (t, i) not in PANEL_PARTS],
        # The built-in panels are never selected (the whole run: no group selects one there).
        (types(4, 5, 9, 11), NoCall("TivSelectPanel")),
        (types(8), Tests("Panels", "Panel 2", ["Linked", "Locked"], subcategory="Status")),
        (types(12), Result("Panels", "Panel 8", "Lock time", value="7000", status="Passed", fmt="MilliSeconds")),
        (types(12), Result("Panels", "Panel 0", "Vendor ID", value="00000000h", fmt="String")),
        (types(12), Result("Panels", "Panel 0", "Compatibility ID", value="0200h", fmt="String")),
        (types(19), Tests("Panels", "Panel 15", ["Power-on cycles", "Power-on hours", "Backlight-on cycles",
                                                 "Backlight-on hours"], subcategory="Statistics")),
        (types(12), Tests("Panels", "Panel 8", ["Backlight-on cycles", "Backlight-on hours"],
                          subcategory="Statistics")),
        (types(19), Tests("Panels", "Panel 15", ["Count"], subcategory="Keys")),
        (types(4), Tests("Panels", "Panel 0", ["Display type", "Resolution", "Brightness", "Default brightness",
                                               "Factory brightness", "Contrast", "Default contrast",
                                               "Factory contrast"], subcategory="Display Settings")),
        (types(9, 11), Tests("Panels", "Panel 0", ["Resolution", "Brightness", "Default brightness", "Contrast",
                                                   "Default contrast"], subcategory="Display Settings")),
        (types(9, 11), Tests("Panels", "Panel 0", ["Count", "Enabled", "Matrix"], subcategory="Keys")),
        (types(15), Result("Panels", "Panel 0", "Display type", value="30", fmt="Hex")),
        (types(4), Result("Panels", "Panel 0", "Brightness", value="80%", fmt="String")),
        (types(4), Result("Panels", "Panel 0", "Default brightness", value="80", fmt="Percent")),
        (types(12), Result("Panels", "Panel 0", "Resolution", value="1024x768", fmt="String")),
        (types(12), Result("Panels", "Panel 0", "Equalizer", value="7 (Manual)", fmt="String")),
        (types(12), Result("Panels", "Panel 0", "Equalizer auto value", value="9", fmt="String")),
        (types(2), Tests("Panels", "Panel 1", ["Resolution", "Brightness", "Default brightness", "Equalizer"],
                         subcategory="Display Settings")),
        (types(2), Result("Panels", "Panel 1", "Equalizer", value="8 (Auto)")),
        (types(18), Result("Panels", "Panel 1", "Switches", value="06", fmt="Hex")),
        (types(18), Tests("Panels", "Panel 1", ["Count", "Matrix, layer 1", "Matrix, layer 2", "Matrix, layer 3",
                                                "Matrix, layer 4"], subcategory="LEDs")),
        (types(9), Result("Panels", "Joystick", "Positions (X/Y/Z)", value="0 / -4 / 5", fmt="String")),
        (types(9), Result("Panels", "Joystick", "Raw positions (X/Y/Z)", value="512 / 508 / 517")),
        (types(11), Result("Panels", "Handwheel", "Value", value="31011", fmt="Dec")),
        (types(11), Result("Panels", "Switches", "Key switch / push button state", value="5", fmt="Dec")),
        (types(11), Tests("Panels", "Override Potentiometer", ["Available", "Calibrated", "Value", "Raw value"])),
        (["scenario_all_fail"], Categories("Panels", ["Panel 0", "Panel 15"])),
        (["scenario_all_fail"], Tests("Panels", "Panel 15", ["Linked"])),
        (["scenario_all_fail"], Result("Panels", "Panel 0", "Linked", status="Failed", fmt="String")),
        (["scenario_unreadable_type", "reduced", "default", "builtin"],
         HasTest("Panels", "Panel 0", "Equalizer", subcategory="Display Settings")),
        (["scenario_unreadable_type"], Result("Panels", "Panel 0", "Brightness", value="70%")),
        (["scenario_quirks"], Result("Panels", "Panel 0", "Equalizer", value="(n.a.)", status="Passed")),
        (["scenario_quirks"], Tests("Panels", "Panel 0", ["Count", "Matrix, layer 1"], subcategory="LEDs")),
        (["scenario_extremes"], Result("Panels", "Panel 0", "Resolution", value="65535x0")),
        (["scenario_extremes"], Result("Panels", "Panel 0", "Lock time", value="4294967295")),
        (["scenario_extremes"], Result("Panels", "Panel 0", "Brightness", value="255%")),
        (["nodll", "scenario_all_fail_type"], Group("Panels", present=False)),
    ],
    "Slide-In Drives": [
        (types(18) + ["default", "builtin", "scenario_all_fail", "scenario_extremes"],
         Categories("Slide-In Drives", ["Slide-In Drive 1", "Slide-In Drive 2"])),
        # Only drive 2: the walk begins with it.
        (types(19), Categories("Slide-In Drives", ["Slide-In Drive 2"])),
        (["scenario_strings_nt"], Categories("Slide-In Drives", ["Slide-In Drive 1"])),
        (["scenario_xml_chars"], Group("Slide-In Drives", present=False)),
        (types(18, 19) + ["scenario_all_fail"],
         SubCategories("Slide-In Drives", "Slide-In Drive 2", ["Factory Settings", "Temperatures"])),
        (types(18, 19), Tests("Slide-In Drives", "Slide-In Drive 2",
                              ["Version", "Vendor ID", "Device ID", "Compatibility ID", "Parent Device ID",
                               "Parent Compatibility ID", "Hardware revision", "Serial number", "Model number",
                               "Raw data"], subcategory="Factory Settings")),
        (types(19), Result("Slide-In Drives", "Slide-In Drive 2", "Serial number", value="E19105365",
                           status="Passed", fmt="String")),
        (types(18), Result("Slide-In Drives", "Slide-In Drive 1", "Model number", value="5SL18.135-00")),
        (types(19), Result("Slide-In Drives", "Slide-In Drive 2", "Slide-in drive 2", value="39", status="Passed",
                           fmt="DegreeCentigrade", subcategory="Temperatures")),
        # A temperature that cannot be read leaves its subcategory empty.
        (["scenario_all_fail"], Tests("Slide-In Drives", "Slide-In Drive 1", [], subcategory="Temperatures")),
        (["scenario_all_fail"], Result("Slide-In Drives", "Slide-In Drive 1", "Version", status="Failed", fmt="String")),
        (["scenario_extremes"], Result("Slide-In Drives", "Slide-In Drive 1", "Slide-in drive 1", value="-128",
                                       status="Alarm")),
        (["scenario_extremes"], Result("Slide-In Drives", "Slide-In Drive 2", "Slide-in drive 2", value="127",
                                       status="Passed")),
        (["scenario_strings_nt"], ResultLike("Slide-In Drives", "Slide-In Drive 1", "Serial number",
                                             r"(drv-serial){25}.{0,6}")),
    ],
    "Fan Kits": [
        (types(18, 19, 21) + ["default", "builtin", "scenario_all_fail", "scenario_extremes"],
         Categories("Fan Kits", ["Case Fan Kit", "Bus Fan Kit"])),
        (types(20), Categories("Fan Kits", ["Case Fan Kit"])),
        (["scenario_strings_nt", "scenario_xml_chars"], Group("Fan Kits", present=False)),
        *[(runs, SubCategories("Fan Kits", kit, ["Factory Settings", "Statistics", "Fan Speeds"]))
          for runs, kit in ((types(18, 19, 20, 21) + ["scenario_all_fail"], "Case Fan Kit"),
                            (types(18, 19, 21) + ["scenario_all_fail"], "Bus Fan Kit"))],
        (types(18, 19), Tests("Fan Kits", "Case Fan Kit", ["Case fan 1", "Case fan 2", "Case fan 3", "Case fan 4"],
                              subcategory="Fan Speeds")),
        (types(20, 21), Tests("Fan Kits", "Case Fan Kit", ["Case fan 1", "Case fan 2", "Case fan 3"],
                              subcategory="Fan Speeds")),
        (types(18, 19, 21), Tests("Fan Kits", "Bus Fan Kit", ["Bus fan 1", "Bus fan 2", "Bus fan 3", "Bus fan 4"],
                                  subcategory="Fan Speeds")),
        (types(18, 19, 21), Result("Fan Kits", "Bus Fan Kit", "Bus fan 4", value="2250", status="Alarm", fmt="Rpm")),
        (types(20), Tests("Fan Kits", "Case Fan Kit", ["Fan-on cycles", "Fan-on hours"], subcategory="Statistics")),
        # The case kit's fan-on hours are the system unit's counter (id 2).
        (types(20), Result("Fan Kits", "Case Fan Kit", "Fan-on hours", value="26217", status="Passed", fmt="Dec")),
        (types(21), Result("Fan Kits", "Bus Fan Kit", "Fan-on cycles", value="82", fmt="Dec")),
        (types(19), Result("Fan Kits", "Bus Fan Kit", "Model number", value="5BU19.155-00")),
        (["scenario_all_fail"], Tests("Fan Kits", "Bus Fan Kit", [], subcategory="Fan Speeds")),
        (["scenario_all_fail"], Result("Fan Kits", "Case Fan Kit", "Fan-on hours", status="Failed", fmt="String")),
        (["scenario_extremes"], Tests("Fan Kits", "Case Fan Kit", ["Case fan 1", "Case fan 2"], subcategory="Fan Speeds")),
        (["scenario_extremes"], Result("Fan Kits", "Case Fan Kit", "Case fan 1", value="0", status="Passed")),
        (["scenario_extremes"], Result("Fan Kits", "Bus Fan Kit", "Bus fan 1", value="65535", status="Passed")),
    ],
    "IF Boards": [
        (types(15, 19, 20), Categories("IF Boards", ["IF Board 1"])),
        # Only slot 2: the walk begins with it.
        (types(16, 21), Categories("IF Boards", ["IF Board 2"])),
        (types(17, 18) + ["default", "builtin", "scenario_all_fail", "scenario_extremes"],
         Categories("IF Boards", ["IF Board 1", "IF Board 2"])),
        (["scenario_strings_nt", "scenario_xml_chars"], Group("IF Boards", present=False)),
        (types(15, 17), SubCategories("IF Boards", "IF Board 1", ["Factory Settings", "Temperatures", "Statistics"])),
        (types(16, 17), SubCategories("IF Boards", "IF Board 2", ["Factory Settings", "Temperatures", "Statistics"])),
        (types(18, 19, 20) + ["scenario_all_fail"],
         SubCategories("IF Boards", "IF Board 1", ["Factory Settings", "Statistics"])),
        (types(18, 21), SubCategories("IF Boards", "IF Board 2", ["Factory Settings", "Statistics"])),
        # Both slots show the same four sensors, without alarms.
        *[(types(17), Tests("IF Boards", slot, ["Sensor 1", "Sensor 2", "Sensor 3", "Sensor 4"],
                            subcategory="Temperatures")) for slot in ("IF Board 1", "IF Board 2")],
        *[(types(17), Result("IF Boards", slot, "Sensor 1", value="33", status="Passed", fmt="DegreeCentigrade"))
          for slot in ("IF Board 1", "IF Board 2")],
        (types(15), Result("IF Boards", "IF Board 1", "Sensor 4", value="36", status="Passed")),
        (types(18), Tests("IF Boards", "IF Board 2", ["Power-on cycles", "Power-on hours"], subcategory="Statistics")),
        (types(16), Result("IF Boards", "IF Board 2", "Power-on hours", value="16312", status="Passed", fmt="Dec")),
        (types(17), Result("IF Boards", "IF Board 2", "Power-on cycles", value="334")),
        (types(20), Result("IF Boards", "IF Board 1", "Power-on cycles", value="320")),
        (types(21), Result("IF Boards", "IF Board 2", "Serial number", value="E21103885")),
        (["scenario_all_fail"], Result("IF Boards", "IF Board 2", "Power-on hours", status="Failed", fmt="String")),
    ],
    "System Unit": SYSTEM_UNIT_FACTS,
    "CPU Board": [
        (types(6, 7), Categories("CPU Board", ["Identification", "Temperatures", "Voltages"])),
        (types(6, 7), Result("CPU Board", "Identification", "Type", value="R563", status="Passed", fmt="String")),
        (types(6), Result("CPU Board", "Voltages", "+3.3Vin", value="3.318", status="Passed", fmt="Volt")),
        (types(7), Tests("CPU Board", "Voltages", ["+3.3Vin", "+5Vin", "5Vsb"])),
        # A board that no prefix names: its own string, no board temperature.
        (["scenario_other_board"], Categories("CPU Board", ["Identification", "Voltages"])),
        (["scenario_other_board"], Result("CPU Board", "Identification", "Type", value="P4M 2.4 GHz",
                                          status="Passed")),
        (["scenario_other_board"], Result("CPU Board", "Voltages", "5Vsb", value="5.012", fmt="Volt")),
        (types(12, 13, 14), Categories("CPU Board", ["Identification", "Temperatures"])),
        (types(12, 13, 14), Tests("CPU Board", "Temperatures", ["Board temperature"])),
        (types(12), Result("CPU Board", "Temperatures", "Board temperature", value="43", status="Passed",
                           fmt="DegreeCentigrade")),
        (types(13), Result("CPU Board", "Identification", "Type", value="ZLVR")),
        (types(15, 16, 17), Categories("CPU Board", ["Identification", "Factory Settings", "Statistics",
                                                     "Temperatures", "Voltages"])),
        (types(15, 16, 17), Tests("CPU Board", "Factory Settings", FACTORY_TESTS)),
        (types(15, 16, 17), Tests("CPU Board", "Temperatures", ["Sensor 1", "Sensor 2", "Sensor 3", "Sensor 4"])),
        (types(15, 16, 17), Tests("CPU Board", "Voltages", ["Vin", "Wcpu"])),
        (types(16), Result("CPU Board", "Identification", "Type", value="W871")),
        (types(16), Result("CPU Board", "Statistics", "Power-on hours", value="22552", status="Passed", fmt="Dec")),
        (types(16), Result("CPU Board", "Temperatures", "Sensor 2", value="44", status="Passed", fmt="DegreeCentigrade")),
        (types(16), Result("CPU Board", "Voltages", "Vin", value="24.17", status="Passed", fmt="Volt")),
        (types(16), Result("CPU Board", "Voltages", "Wcpu", value="22.52", status="Passed", fmt="Watt")),
        (types(15, 16, 17), Result("CPU Board", "Temperatures", "Sensor 1", status="Alarm")),
        (types(18, 19) + ["default", "builtin"],
         Categories("CPU Board", ["Identification", "Factory Settings", "Temperatures", "Voltages"])),
        (types(18, 19), Tests("CPU Board", "Factory Settings", FACTORY_TESTS[1:-1])),
        (types(18, 19), Tests("CPU Board", "Voltages", ["Wcpu"])),
        (types(20, 21), Categories("CPU Board", ["Identification"])),
        (types(21), Result("CPU Board", "Identification", "Type", value="ZLVR")),
        (["scenario_all_fail"], Result("CPU Board", "Identification", "Type", status="Failed", fmt="String")),
        # The sensors are read first: when none reads, the category stays empty.
        (["scenario_all_fail"], Categories("CPU Board", ["Identification", "Factory Settings", "Temperatures",
                                                         "Voltages"])),
        (["scenario_all_fail"], Tests("CPU Board", "Temperatures", [])),
        (["scenario_all_fail"], Result("CPU Board", "Voltages", "Wcpu", status="Failed", fmt="String")),
        (["scenario_extremes"], Result("CPU Board", "Voltages", "Wcpu", value="4294967.50", fmt="Watt")),
        (["scenario_extremes"], Result("CPU Board", "Temperatures", "Sensor 1", value="-128", status="Alarm")),
        (["scenario_extremes"], Result("CPU Board", "Temperatures", "Sensor 2", value="127", status="Passed")),
        (["scenario_strings_nt", "scenario_xml_chars"], Result("CPU Board", "Identification", "Type", value="G417")),
        (NO_TYPE, Group("CPU Board", present=False)),
    ],
    "CPU": [
        # The identification comes from the host's registry: checked as patterns.
        (TYPE_READABLE + NO_TYPE, Tests("CPU", "Identification", ["Name", "ID", "Vendor", "Maximum Speed"])),
        (TYPE_READABLE + NO_TYPE, ResultLike("CPU", "Identification", "ID", r".+")),
        (TYPE_READABLE + NO_TYPE, Result("CPU", "Identification", "Vendor", status="Passed", fmt="String")),
        (TYPE_READABLE + NO_TYPE, ResultLike("CPU", "Identification", "Maximum Speed", r"\d+")),
        (TYPE_READABLE + NO_TYPE, Result("CPU", "Identification", "Maximum Speed", status="Passed", fmt="MHz")),
        (types(1, 2, 3, 4, 5, 8, 10, 12, 13, 14), Categories("CPU", ["Identification", "Temperatures"])),
        (types(6, 7) + ["scenario_other_board"], Categories("CPU", ["Identification", "Temperatures", "Voltages"])),
        (types(9, 11, 15, 16, 17, 18, 19, 20, 21) + NO_TYPE + ["default", "builtin", "scenario_all_fail",
                                                               "scenario_extremes"],
         Categories("CPU", ["Identification"])),
        (types(8), Result("CPU", "Temperatures", "Internal", value="53", status="Passed", fmt="DegreeCentigrade")),
        # The ZLVR board on type 13 reads through WMI.
        (types(13), Result("CPU", "Temperatures", "Internal", value="58", status="Passed", fmt="DegreeCentigrade")),
        (["scenario_quirks"], Result("CPU", "Temperatures", "Internal", value="51", status="Passed")),
        (types(6, 7), Tests("CPU", "Voltages", ["VcoreA", "VcoreB"])),
        (types(6), Result("CPU", "Voltages", "VcoreA", value="1.350", status="Passed", fmt="Volt")),
        (types(7), Result("CPU", "Voltages", "VcoreB", value="1.347", status="Passed", fmt="Volt")),
        (["scenario_other_board"], Tests("CPU", "Voltages", ["VcoreA"])),
        (["scenario_other_board"], Result("CPU", "Temperatures", "Internal", value="57", status="Passed")),
    ],
    "Memory": [
        # The figures come from the host: checked as patterns.
        (TYPE_READABLE + NO_TYPE, Tests("Memory", "Physical Memory", ["Total", "Free", "Usage"])),
        (TYPE_READABLE + NO_TYPE, Tests("Memory", "Paging Memory", ["Paging file", "Total", "Free", "Usage"])),
        (TYPE_READABLE + NO_TYPE, ResultLike("Memory", "Physical Memory", "Total", r"\d+|\d+\.\d\d")),
        (TYPE_READABLE + NO_TYPE, ResultLike("Memory", "Physical Memory", "Free", r"\d+|\d+\.\d\d")),
        (TYPE_READABLE + NO_TYPE, ResultLike("Memory", "Physical Memory", "Usage", r"\d{1,3}")),
        (TYPE_READABLE + NO_TYPE, Result("Memory", "Physical Memory", "Usage", status="Passed", fmt="Percent")),
        (TYPE_READABLE + NO_TYPE, ResultLike("Memory", "Paging Memory", "Paging file", r"Enabled|Disabled")),
        (TYPE_READABLE + NO_TYPE, ResultLike("Memory", "Paging Memory", "Total", r"\d+\.\d\d")),
        (TYPE_READABLE + NO_TYPE, ResultLike("Memory", "Paging Memory", "Free", r"\d+\.\d\d")),
        (TYPE_READABLE + NO_TYPE, ResultLike("Memory", "Paging Memory", "Usage", r"\d{1,3}")),
        (TYPE_READABLE + NO_TYPE, Result("Memory", "Paging Memory", "Total", status="Passed")),
        (types(15, 16, 17), Categories("Memory", ["Physical Memory", "Factory Settings", "Paging Memory"])),
        (types(15, 16, 17), Tests("Memory", "Factory Settings", FACTORY_TESTS)),
        (types(16), Result("Memory", "Factory Settings", "Hardware revision", value="C3", status="Passed",
                           fmt="String")),
        (types(18, 19) + ["default", "builtin", "scenario_all_fail"],
         Categories("Memory", ["Physical Memory", "Memory Module 1", "Memory Module 2", "Paging Memory"])),
        (types(18, 19), SubCategories("Memory", "Memory Module 2", ["Factory Settings"])),
        (types(18), Tests("Memory", "Memory Module 1", FACTORY_TESTS)),
        (types(19) + ["scenario_all_fail"], Tests("Memory", "Memory Module 1", FACTORY_TESTS[1:-1])),
        (types(19), Tests("Memory", "Memory Module 2", FACTORY_TESTS[1:-1])),
        (types(18), Result("Memory", "Memory Module 2", "Model number", value="5ME18.115-00", status="Passed",
                           subcategory="Factory Settings")),
        (["scenario_all_fail"], Result("Memory", "Memory Module 2", "Vendor ID", status="Failed", fmt="String")),
        (["scenario_extremes"], Categories("Memory", ["Physical Memory", "Memory Module 1", "Paging Memory"])),
        (types(*[t for t in range(1, 22) if t not in (15, 16, 17, 18, 19)]) + NO_TYPE +
         ["scenario_other_board", "scenario_strings_nt", "scenario_xml_chars"],
         Categories("Memory", ["Physical Memory", "Paging Memory"])),
    ],
    "Bus Unit": [
        (types(18, 19) + ["default", "builtin", "scenario_all_fail", "scenario_extremes"],
         Categories("Bus Unit", ["Factory Settings", "Statistics"])),
        (types(18, 19) + ["scenario_all_fail"], Tests("Bus Unit", "Factory Settings", FACTORY_TESTS)),
        (types(18, 19) + ["scenario_all_fail"], Tests("Bus Unit", "Statistics", ["Power-on cycles", "Power-on hours"])),
        (types(19), Result("Bus Unit", "Factory Settings", "Device ID", value="00A15513", status="Passed", fmt="Hex")),
        (types(19), Result("Bus Unit", "Statistics", "Power-on hours", value="17039", status="Passed", fmt="Dec")),
        (types(18), Result("Bus Unit", "Factory Settings", "Raw data", status="Passed", fmt="Raw")),
        (["scenario_all_fail"], Result("Bus Unit", "Factory Settings", "Version", status="Failed", fmt="String")),
        (["scenario_all_fail"], Result("Bus Unit", "Statistics", "Power-on cycles", status="Failed", fmt="String")),
        (["scenario_extremes"], Result("Bus Unit", "Factory Settings", "Compatibility ID", value="FFFF", fmt="Hex")),
        (["scenario_extremes"], Result("Bus Unit", "Factory Settings", "Parent Device ID", value="00000000")),
        (["scenario_extremes"], Result("Bus Unit", "Statistics", "Power-on cycles", value="2147483648", fmt="Dec")),
        (["scenario_extremes"], Result("Bus Unit", "Statistics", "Power-on hours", value="0", fmt="Dec")),
        (["scenario_strings_nt"], ResultLike("Bus Unit", "Factory Settings", "Serial number", r"(bus-serial )+.{0,10}")),
    ],
    "I/O Board": [
        (types(15, 16, 17), Categories("I/O Board", ["Firmware", "Factory Settings", "Temperatures",
                                                     "Statistics"])),
        (types(15, 16, 17), Tests("I/O Board", "Firmware", ["FPGA firmware version", "Boot mode"])),
        (types(16), Result("I/O Board", "Firmware", "FPGA firmware version", value="IO FPGA V1.16",
                           status="Passed", fmt="String")),
        (types(15), Result("I/O Board", "Firmware", "Boot mode", value="High area", fmt="String")),
        (types(15, 16, 17), Tests("I/O Board", "Factory Settings",
                                  ["Version", "Vendor ID", "Device ID", "Compatibility ID", "Parent Device ID",
                                   "Parent Compatibility ID", "Hardware revision", "Serial number",
                                   "Model number", "Raw data"])),
        (types(15), Result("I/O Board", "Factory Settings", "Device ID", value="00A13D0F", fmt="Hex")),
        (types(17), Result("I/O Board", "Factory Settings", "Raw data", status="Passed", fmt="Raw")),
        (types(15, 16, 17), Tests("I/O Board", "Temperatures", ["Sensor 1", "Sensor 2", "Sensor 3", "Sensor 4"])),
        (types(17), Result("I/O Board", "Temperatures", "Sensor 4", value="42", status="Passed",
                           fmt="DegreeCentigrade")),
        # Counters of the I/O board are read with two bytes.
        (types(16), Result("I/O Board", "Statistics", "Power-on hours", value="19016", fmt="Dec")),
        (types(17), Result("I/O Board", "Statistics", "Power-on cycles", value="717", status="Passed")),
        (["scenario_all_fail", "scenario_no_io_board"] + NO_TYPE + types(14, 18), Group("I/O Board", present=False)),
    ],
    "Display Link": [
        (types(18) + ["default", "builtin"], Categories("Display Link", ["Firmware", "Factory Settings",
                                                                        "Statistics", "Temperatures"])),
        (types(20), Categories("Display Link", ["Firmware", "Factory Settings", "Statistics"])),
        (types(18, 20), Tests("Display Link", "Firmware", ["FPGA firmware version", "Boot mode"])),
        (types(20), Result("Display Link", "Firmware", "FPGA firmware version", value="DL FPGA V1.20",
                           status="Passed", fmt="String")),
        (types(18), Result("Display Link", "Firmware", "Boot mode", value="High area", fmt="String")),
        (types(18), Result("Display Link", "Factory Settings", "Vendor ID", value="00000000", fmt="Hex")),
        (types(20), Result("Display Link", "Factory Settings", "Raw data", status="Passed", fmt="Raw")),
        (types(18), Result("Display Link", "Statistics", "Power-on cycles", value="240", fmt="Dec")),
        (types(18), Tests("Display Link", "Temperatures", ["Sensor 1", "Sensor 2", "Sensor 3", "Sensor 4"])),
        (types(18), Result("Display Link", "Temperatures", "Sensor 2", value="39", status="Passed",
                           fmt="DegreeCentigrade")),
        # A boot-mode call that returns neither 0 nor 1 is a failure; one sensor of four answers.
        (["scenario_extremes"], Result("Display Link", "Firmware", "Boot mode", status="Failed", fmt="String")),
        (["scenario_extremes"], Result("Display Link", "Statistics", "Power-on cycles", value="4294967295")),
        (["scenario_extremes"], Tests("Display Link", "Temperatures", ["Sensor 1"])),
        (["scenario_extremes"], Result("Display Link", "Temperatures", "Sensor 1", value="0", status="Passed")),
        (["scenario_strings_nt"], ResultLike("Display Link", "Firmware", "FPGA firmware version", r"(DL )+.{0,2}")),
        (["scenario_all_fail", "scenario_xml_chars"] + NO_TYPE + types(19), Group("Display Link", present=False)),
    ],
    "DVI": [
        (types(1, 2, 3, 6, 12, 18) + ["default", "builtin"], Categories("DVI", ["DVI Channel 1", "DVI Channel 2"])),
        (types(7, 13, 14, 15, 16, 17, 19, 20), Categories("DVI", ["DVI Channel 1"])),
        (types(4, 5, 8, 9, 10, 11, 21) + NO_TYPE + ["scenario_no_io_board"], Group("DVI", present=False)),
        *[(types(t), Result("DVI", "DVI Channel 1", "Port name", value="Monitor/Panel", status="Passed", fmt="String"))
          for t in (1, 2, 3, 6, 7, 12, 13, 14, 15, 16, 17, 18, 19, 20)],
        *[(types(t), Result("DVI", "DVI Channel 2", "Port name", value="Display/LMQ Link Slot (if present)"))
          for t in (1, 2, 3, 6, 12, 18)],
        # Types 15 to 17 lead channel 1 to panel 1, the others to panel 0; channel 2 to panel 8.
        (types(7, 12, 15, 16, 17, 18, 20), SubCategories("DVI", "DVI Channel 1", ["Port Information", "DVI Settings"])),
        (types(12, 18), SubCategories("DVI", "DVI Channel 2", ["Port Information", "DVI Settings"])),
        (types(12, 18), Tests("DVI", "DVI Channel 2", ["Available", "Manufacturer ID", "Header ID", "Vendor ID", "Device ID", "Compatibility ID", "Hardware revision", "Serial number", "Model number", "Display resolution", "Raw data"], subcategory="DVI Settings")),
        (types(16), Tests("DVI", "DVI Channel 1", ["Available", "Manufacturer ID", "Header ID", "Vendor ID", "Device ID", "Compatibility ID", "Hardware revision", "Serial number", "Model number", "Display resolution", "Raw data"], subcategory="DVI Settings")),
        (types(15), Result("DVI", "DVI Channel 1", "Panel connected", value="Yes", status="Passed", fmt="YesNo")),
        # No panel 8 to select: nothing is connected there.
        (types(1, 2, 3, 6), Result("DVI", "DVI Channel 2", "Panel connected", value="No", status="Passed", fmt="YesNo")),
        (types(1, 2, 3, 6), SubCategories("DVI", "DVI Channel 2", ["Port Information"])),
        (types(18), Result("DVI", "DVI Channel 1", "Manufacturer ID", value="698A", fmt="Hex")),
        (types(18), Result("DVI", "DVI Channel 1", "Header ID", value="FF55AAFF0000FFFF", fmt="Hex")),
        (types(18), Result("DVI", "DVI Channel 1", "Device ID", value="00012D21h", fmt="String")),
        (types(12), Result("DVI", "DVI Channel 2", "Device ID", value="00012CC2h")),
        (types(18), Result("DVI", "DVI Channel 2", "Compatibility ID", value="1232h")),
        (types(18), Result("DVI", "DVI Channel 1", "Vendor ID", value="00000000h")),
        (types(18), Result("DVI", "DVI Channel 1", "Hardware revision", value="B2")),
        (types(18), Result("DVI", "DVI Channel 1", "Serial number", value="D180004411")),
        (types(18), Result("DVI", "DVI Channel 2", "Model number", value="5DLM18.2-00")),
        (types(18), Result("DVI", "DVI Channel 1", "Display resolution", value="1024x768", status="Passed", fmt="String")),
        (types(12), Result("DVI", "DVI Channel 2", "Display resolution", value="1280x1024")),
        (types(17), Result("DVI", "DVI Channel 1", "Raw data", status="Passed", fmt="Raw")),
        # The panel is selected but its link cannot be read: the read's error, no settings.
        (["scenario_all_fail"], Result("DVI", "DVI Channel 1", "Panel connected", status="Failed", fmt="String")),
        (["scenario_all_fail"], SubCategories("DVI", "DVI Channel 1", ["Port Information"])),
        (["scenario_strings_nt"], Tests("DVI", "DVI Channel 1", ["Available"], subcategory="DVI Settings")),
        (["scenario_strings_nt"], Result("DVI", "DVI Channel 1", "Available", status="Failed", fmt="String")),
        (["scenario_extremes"], Result("DVI", "DVI Channel 1", "Panel connected", value="Yes")),
        (["scenario_extremes"], Result("DVI", "DVI Channel 1", "Device ID", value="FF80FF80h")),
        (["scenario_extremes"], Result("DVI", "DVI Channel 1", "Compatibility ID", value="80FFh")),
        (["scenario_extremes"], Result("DVI", "DVI Channel 1", "Vendor ID", value="80FF80FFh")),
        # Neither text field has its NUL: each runs on to the end of the block.
        (["scenario_extremes"], Result("DVI", "DVI Channel 1", "Hardware revision", value="B2345SERIAL-12345" + "M" * 91)),
        (["scenario_extremes"], Result("DVI", "DVI Channel 1", "Serial number", value="SERIAL-12345" + "M" * 91)),
        (["scenario_extremes"], Result("DVI", "DVI Channel 1", "Model number", value="M" * 91)),
        (["scenario_extremes"], Result("DVI", "DVI Channel 1", "Display resolution", value="65535x65535")),
        (["scenario_extremes"], Result("DVI", "DVI Channel 2", "Panel connected", value="No", fmt="YesNo")),
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
