"""What each scanned device's report must show: one list of facts per test group.

A fact is a row (runs, check). Runs are the names of the end-to-end runs: the profile files of
sim/profiles without ".ini" (type01 .. type21, default, scenario_...), "builtin" (the library's
built-in device, the same as default), "nodll" (no VekTiv.dll at all) and "reduced" (the build
that lacks TivGetDeviceType, TivGetHardwareStringW and TivGetAlarm). types(6, 7) names the runs
type06 and type07. A check looks at the parsed report and returns a problem text or None.

Which groups a run writes is checked for every run with a known type (expected_groups); the
rows hold what a real scan alone shows: layouts per type, one value per Format kind per group
that goes from the library through the formatting into the file, and the scenarios' edges.
The groups' rules themselves are unit-tested.
"""
import os
import re
import sys

from scan import PROFILES

sys.path.insert(0, PROFILES)
from generate import MODELS  # noqa: E402  (the simulated devices' model names by type)

# The groups in run order.
GROUPS = ["Operating System", "Vek Drivers and Tools", "BIOS", "General", "System Unit", "CPU Board", "CPU", "Memory",
          "Bus Unit", "Slide-In Drives", "Fan Kits", "IF Boards", "I/O Board", "UPS", "Display Link", "Panels", "DVI"]


def types(*codes):
    return ["type%02d" % c for c in codes]


ALL_TYPES = types(*range(1, 22))
# Runs whose library answers a device type (the first answer of scenario_quirks fails).
TYPE_READABLE = ALL_TYPES + ["default", "builtin", "scenario_all_fail", "scenario_strings_nt",
                             "scenario_extremes", "scenario_xml_chars"]
NO_TYPE = ["nodll", "reduced", "scenario_unreadable_type", "scenario_all_fail_type"]
EVERY = TYPE_READABLE + NO_TYPE
EXTREMES, ALL_FAIL, STRINGS_NT, XML = ["scenario_extremes"], ["scenario_all_fail"], ["scenario_strings_nt"], \
    ["scenario_xml_chars"]
# The ten tests of a regular factory-settings member, in report order.
FACTORY_TESTS = ["Version", "Vendor ID", "Device ID", "Compatibility ID", "Parent Device ID",
                 "Parent Compatibility ID", "Hardware revision", "Serial number", "Model number", "Raw data"]
SENSORS = ["Sensor 1", "Sensor 2", "Sensor 3", "Sensor 4"]


# ----------------------------------------------------------------------------------------
# Checks: each is a function of the report that returns a problem text or None.

def _equal(what, get, expected):
    def check(report):
        actual = get(report)
        if actual != expected:
            return "%s %r, not %r" % (what, actual, expected)
    check.what = what
    return check


def Header(element, value):
    return _equal("Header " + element, lambda r: r.header(element), value)


def Group(name, present=True):
    """The group is written (present=True) or not."""
    return _equal("group %r written" % name, lambda r: r.group(name) is not None, present)


def Categories(group, names):
    """The group's categories, exactly and in order."""
    return _equal(group + " categories", lambda r: r.categories(group), names)


def SubCategories(group, category, names):
    return _equal("%s/%s subcategories" % (group, category), lambda r: r.subcategories(group, category), names)


def Tests(group, category, names, subcategory=None):
    """The test names of a category (or of one of its subcategories), exactly and in order."""
    return _equal("%s/%s/%s tests" % (group, category, subcategory or "*"),
                  lambda r: r.test_names(group, category, subcategory), names)


def HasTest(group, category, name, present=True, subcategory=None):
    return _equal("%s/%s test %r written" % (group, category, name),
                  lambda r: r.test(group, category, name, subcategory) is not None, present)


def Result(group, category, name, value=None, status=None, fmt=None, subcategory=None, pattern=None):
    """One test's value (or a regular expression its whole value matches), status and Format word
    (None: not checked)."""
    def check(report):
        t = report.test(group, category, name, subcategory)
        where = "%s/%s/%s" % (group, category, name)
        if t is None:
            return where + " missing"
        actual = {"value": t.findtext("TestResult") or "", "status": t.findtext("TestStatus") or "",
                  "Format": t.find("TestResult").get("Format")}
        for what, expected in (("value", value), ("status", status), ("Format", fmt)):
            if expected is not None and actual[what] != expected:
                return "%s %s %r, not %r" % (where, what, actual[what], expected)
        if pattern is not None and not re.fullmatch(pattern, actual["value"], re.S):
            return "%s value %r does not match %r" % (where, actual["value"], pattern)
    return check


def ResultLike(group, category, name, pattern, subcategory=None):
    """A value whose exact text is the implementer's choice, e.g. a string cut at its buffer's end."""
    return Result(group, category, name, subcategory=subcategory, pattern=pattern)


def NoCall(export):
    """The run never called the library export (no line of the call log begins with it)."""
    def check(report):
        path = getattr(report, "call_log", None)
        if path and os.path.exists(path):
            with open(path, encoding="utf-8", errors="replace") as f:
                if any(line.startswith(export + "(") for line in f):
                    return export + " was called"
    return check


# ----------------------------------------------------------------------------------------
# Which groups each run writes, in run order.

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
    return [name for name in GROUPS if carries.get(name, True)]


def GroupList(run):
    return _equal("groups", lambda r: r.group_names(), expected_groups(run))


# ----------------------------------------------------------------------------------------
# Layouts per device type

def written(rows, t):
    """The names of rows (name, types or predicate) that type t shows."""
    return [name for name, on in rows if (on(t) if callable(on) else t in on)]


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

# System unit: categories (types 15 to 21 show "Temperatures" because their sensors 1 to 4 read),
# Firmware subcategories and temperature sensors by type.
SU_CATEGORIES = [
    ("Firmware", lambda t: t not in (9, 11)), ("Factory Settings", range(1, 22)), ("Statistics", lambda t: t not in (4, 5)),
    ("Temperatures", lambda t: t not in (9, 11)), ("Fans", (1, 2, 3, 6, 7, 8, 10, 12, 13, 14)),
    ("Switches", (1, 2, 3, 4, 5, 8, 12, 13, 14, 15, 17)), ("Kelb Slot 1", (4, 8)), ("Kelb Slot 2", (4, 8)),
    ("CMOS Battery", lambda t: t not in (9, 11, 20, 21))]
SU_FIRMWARE = [("DROV", lambda t: t not in (4, 5)), ("SMC", (4, 5)), ("ZUQ", (4, 5)), ("FPGA", (4, 5)), ("FPGA1", (5,)),
               ("LMQ Link", (1, 2, 3, 6, 12)), ("Kelb Slot 1 FPGA", (4, 8)), ("Kelb Slot 2 FPGA", (4, 8))]
SU_TEMPERATURES = [
    ("Power supply", (6, 7, 12, 13, 14)), ("Board power supply", (12, 13)), ("Board Ethernet Controller 2", (12, 13)),
    ("Board I/O", (4, 5, 6, 7, 8, 10, 12, 13)), ("Board out", (14,)), ("Board center", (14,)), ("Board in", (14,)),
    ("Ethernet Controller 2", (12,)), ("Slide-In drive 1", (6, 7, 12, 13)), ("Slide-In drive 2", (6, 7, 12)),
    ("IF slot", (13, 14))] + [(s, range(15, 22)) for s in SENSORS]
KELB_TESTS = ["Kelb boot status", "Kelb info", "Kelb extended info", "Kelb size"]

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

SU, DRV, GEN, CB, MEM, DL, SID, IFB = ("System Unit", "Vek Drivers and Tools", "General", "CPU Board", "Memory",
                                       "Display Link", "Slide-In Drives", "IF Boards")

FACTS = {
    None: [  # the header, checked whenever a report is written
        *[(types(t), Header("VekDeviceType", "Vek " + name)) for t, name in MODELS.items()],
        (["default", "builtin"], Header("VekDeviceType", "Vek Torvex 670")),
        (NO_TYPE, Header("VekDeviceType", "Unknown")),
    ],
    "Operating System": [
        (EVERY, Categories("Operating System", ["Version", "DAZIRAVAZ.INI", "Registration Details", "User Account"])),
        (EVERY, ResultLike("Operating System", "Version", "Operating system", r".+ \(Build \d+\)(, 32-bit|, 64-bit)?")),
        # The key=value file that scan.Prefix puts in the root of C:.
        (EVERY, Tests("Operating System", "DAZIRAVAZ.INI", ["Line", "Station"])),
        (EVERY, Result("Operating System", "DAZIRAVAZ.INI", "Station", value="Cell 4", status="Passed", fmt="String")),
        (EVERY, Result("Operating System", "User Account", "Administrator privileges", status="Passed", fmt="YesNo")),
    ],
    "Vek Drivers and Tools": [
        # The staged registry (scan.REGISTRY) installs the driver and the CAN driver.
        (TYPE_READABLE, Categories(DRV, ["TIV Driver", "CAN Driver"])),
        (TYPE_READABLE, SubCategories(DRV, "CAN Driver", ["Product Information", "VEK.CanSettings.exe", "VekCanDrv.sys"])),
        (types(2), Result(DRV, "TIV Driver", "Install date", value="2026-03-14", status="Passed", fmt="String")),
        # InstallDate 14032026 is read day first.
        (types(18), Result(DRV, "CAN Driver", "Install date", value="2026-03-14")),
    ],
    "BIOS": [
        *[(types(t), Tests("BIOS", "CatUndef", ["Vek version", "Build date", "ID"] + ["Boot mode"] * (t in (15, 16, 17))))
          for t in range(1, 22) if t not in (9, 11)],
        (types(15), Result("BIOS", "CatUndef", "Boot mode", value="Normal area")),
        # The volatile key that scan.Prefix stages.
        (types(18), Result("BIOS", "CatUndef", "ID", value="VEK-BIOS-E2E", status="Passed", fmt="String")),
        (ALL_FAIL, Result("BIOS", "CatUndef", "Vek version", status="Failed", fmt="String")),
        # A string cut at an embedded NUL, and one that fills its buffer without a terminator.
        (XML, Result("BIOS", "CatUndef", "Vek version", value="V1.28 ")),
        (STRINGS_NT, ResultLike("BIOS", "CatUndef", "Vek version", r"V1\.28 V1\.28 .{0,244}")),
        # Control characters that XML cannot carry are replaced or dropped; the rest stays.
        (XML, ResultLike("BIOS", "CatUndef", "Build date", r"tab\there.{0,3}vt.{0,3}ff.{0,3}us")),
    ],
    "General": [
        (TYPE_READABLE, Categories(GEN, ["User Settings", "Key Configuration"])),
        *[(types(t), SubCategories(GEN, "User Settings", ["User Serial ID"] + ["User Bootlogo", "User LED"] *
                                   (t in (4, 5, 8, 10)))) for t in range(1, 22)],
        (types(18), Result(GEN, "User Settings", "Value", value="00ABCD12h", fmt="String")),
        (types(4), Result(GEN, "User Settings", "VESA mode", value="105", status="Passed", fmt="Hex")),
        (types(18), Result(GEN, "Key Configuration", "State", value="Valid", fmt="Unknown")),
        (EXTREMES, Result(GEN, "Key Configuration", "User information", value="(n.a.)", status="Passed", fmt="String")),
        (EXTREMES, Result(GEN, "User Settings", "Value", value="FFFFFFFFh")),
        # The test result and the element writer each drop one final line feed (CR LF reads as LF).
        (XML, Result(GEN, "Key Configuration", "User information", value="line1\nline2")),
        # A failed key configuration state leaves its category with that one test.
        (ALL_FAIL, Tests(GEN, "Key Configuration", ["State"])),
        (ALL_FAIL, Result(GEN, "User Settings", "Value", status="Failed", fmt="String")),
    ],
    "System Unit": [
        *[(types(t), Categories(SU, written(SU_CATEGORIES, t))) for t in range(1, 22)],
        *[(types(t), SubCategories(SU, "Firmware", written(SU_FIRMWARE, t))) for t in range(1, 22) if t not in (9, 11)],
        (types(9), Tests(SU, "Factory Settings", FACTORY_TESTS[:4] + FACTORY_TESTS[6:9] +
                         ["Brightness (min/max)", "Contrast (min/max)", "Raw data"])),
        *[(types(t), Tests(SU, "Temperatures", written(SU_TEMPERATURES, t))) for t in range(1, 22) if t not in (9, 11)],
        (types(4), Tests(SU, "Switches", ["Mode/Node", "Write Protect"])),
        (types(15), Result(SU, "Firmware", "Boot mode", value="High area", status="Passed", subcategory="DROV")),
        (types(6), Result(SU, "Firmware", "KJ58 version", value="KJ58 V3.04", subcategory="DROV")),
        (types(12), Result(SU, "Firmware", "Type", value="LMQ Link RX", fmt="String", subcategory="LMQ Link")),
        (types(4), Result(SU, "Firmware", "Extended info", value='<?xml version="1.0"?><fpga id="0" size="131072"/>',
                          fmt="Raw", subcategory="FPGA")),
        (types(4), Result(SU, "Firmware", "Size", value="131072", fmt="Bytes", subcategory="FPGA")),
        (types(5), Result(SU, "Firmware", "Size", value="98304", fmt="Bytes", subcategory="FPGA1")),
        # Kelb slots: slot 1 holds a module that booted on 4 and 8; slot 2 is empty on 4 and failed to boot on 8.
        (types(4, 8), Tests(SU, "Firmware", KELB_TESTS, subcategory="Kelb Slot 1 FPGA")),
        (types(4, 8), Result(SU, "Firmware", "Kelb boot status", value="Boot OK", status="Passed", fmt="String",
                             subcategory="Kelb Slot 1 FPGA")),
        (types(4), Tests(SU, "Firmware", ["Kelb boot status"], subcategory="Kelb Slot 2 FPGA")),
        (types(8), Result(SU, "Firmware", "Kelb boot status", value="Boot failed", subcategory="Kelb Slot 2 FPGA")),
        (types(4, 8), ResultLike(SU, "Kelb Slot 1", "EEPROM data", r"\s*4B454C4200010203F+\s+F+(\s+F+)*")),
        (types(4), Result(SU, "Kelb Slot 2", "Kelb boot status", value="Kelb module not found", status="Passed")),
        (types(8), Tests(SU, "Kelb Slot 2", ["Model number", "Device ID", "Variant", "EEPROM data"])),
        (types(12), Result(SU, "Factory Settings", "Device ID", value="00C40CCC", fmt="Hex")),
        (types(4, 5), Result(SU, "Factory Settings", "Brightness (min/def/max)", value="10h A0h FFh", fmt="String")),
        (types(6, 7), Result(SU, "Factory Settings", "Optimized ID", value="01001011", status="Passed", fmt="Dec")),
        (types(5), Result(SU, "Switches", "Write Protect", value="Disabled", fmt="EnableDisable")),
        (types(4, 5, 6, 7, 8, 10), Result(SU, "Temperatures", "Board I/O", status="Alarm", fmt="DegreeCentigrade")),
        (types(12), Result(SU, "Fans", "Case fan 4", value="3462", fmt="Rpm")),
        (types(6), Result(SU, "CMOS Battery", "Vbat", value="3.028", fmt="Volt")),
        (["default", "builtin"], Categories(SU, written(SU_CATEGORIES, 18))),
        (ALL_FAIL, Categories(SU, ["Firmware", "Factory Settings", "Statistics", "CMOS Battery"])),
        (ALL_FAIL, Result(SU, "CMOS Battery", "Vbat", status="Failed", fmt="String")),
        (ALL_FAIL + EXTREMES, Result(SU, "Firmware", "Boot mode", status="Failed", subcategory="DROV")),
        (EXTREMES, Tests(SU, "Temperatures", ["Sensor 1"])),
        (EXTREMES, Result(SU, "Temperatures", "Sensor 1", value="-1", status="Passed")),
        (EXTREMES, Result(SU, "CMOS Battery", "CMOS battery state", value="-2147483648", status="Passed")),
        (["scenario_quirks"], SubCategories(SU, "Firmware", ["DROV"])),
        (["scenario_quirks"], Result(SU, "Statistics", "Power-on hours", value="23870", status="Passed", fmt="Dec")),
        (STRINGS_NT, ResultLike(SU, "Factory Settings", "Serial number", r"(0123456789){25}.{0,6}")),
        (STRINGS_NT, ResultLike(SU, "Firmware", "DROV version", r"(DROV){64}", subcategory="DROV")),
        (XML, Result(SU, "Factory Settings", "Model number", value="</TestResult><Injected/>")),
        (XML, Result(SU, "Factory Settings", "Serial number", value="ü ß € 漢字 😀")),
    ],
    "CPU Board": [
        (types(6, 7), Categories(CB, ["Identification", "Temperatures", "Voltages"])),
        (types(6, 7), Result(CB, "Identification", "Type", value="R563", status="Passed", fmt="String")),
        (types(6), Result(CB, "Voltages", "+3.3Vin", value="3.318", status="Passed", fmt="Volt")),
        (types(7), Tests(CB, "Voltages", ["+3.3Vin", "+5Vin", "5Vsb"])),
        # A board that no prefix names: its own string, no board temperature.
        (["scenario_other_board"], Categories(CB, ["Identification", "Voltages"])),
        (["scenario_other_board"], Result(CB, "Identification", "Type", value="P4M 2.4 GHz", status="Passed")),
        (["scenario_other_board"], Result(CB, "Voltages", "5Vsb", value="5.012", fmt="Volt")),
        (types(12, 13, 14), Categories(CB, ["Identification", "Temperatures"])),
        (types(12), Result(CB, "Temperatures", "Board temperature", value="43", status="Passed", fmt="DegreeCentigrade")),
        (types(13), Result(CB, "Identification", "Type", value="ZLVR")),
        (types(15, 16, 17), Categories(CB, ["Identification", "Factory Settings", "Statistics", "Temperatures", "Voltages"])),
        (types(16), Tests(CB, "Factory Settings", FACTORY_TESTS)),
        (types(15, 16, 17), Tests(CB, "Voltages", ["Vin", "Wcpu"])),
        (types(16), Result(CB, "Statistics", "Power-on hours", value="22552", status="Passed", fmt="Dec")),
        (types(16), Result(CB, "Voltages", "Wcpu", value="22.52", status="Passed", fmt="Watt")),
        (types(15), Result(CB, "Temperatures", "Sensor 1", status="Alarm")),
        (types(18, 19) + ["default", "builtin"],
         Categories(CB, ["Identification", "Factory Settings", "Temperatures", "Voltages"])),
        (types(18), Tests(CB, "Factory Settings", FACTORY_TESTS[1:-1])),
        (types(18), Tests(CB, "Voltages", ["Wcpu"])),
        (types(20, 21), Categories(CB, ["Identification"])),
        (ALL_FAIL, Result(CB, "Identification", "Type", status="Failed", fmt="String")),
        # The sensors are read first: when none reads, the category stays empty.
        (ALL_FAIL, Categories(CB, ["Identification", "Factory Settings", "Temperatures", "Voltages"])),
        (ALL_FAIL, Tests(CB, "Temperatures", [])),
        (ALL_FAIL, Result(CB, "Voltages", "Wcpu", status="Failed", fmt="String")),
        (EXTREMES, Result(CB, "Temperatures", "Sensor 1", value="-128", status="Alarm")),
        (STRINGS_NT + XML, Result(CB, "Identification", "Type", value="G417")),
    ],
    "CPU": [
        # The identification comes from the host's registry: checked as patterns.
        (EVERY, Tests("CPU", "Identification", ["Name", "ID", "Vendor", "Maximum Speed"])),
        (EVERY, Result("CPU", "Identification", "Maximum Speed", status="Passed", fmt="MHz", pattern=r"\d+")),
        (types(1, 2, 3, 4, 5, 8, 10, 12, 13, 14), Categories("CPU", ["Identification", "Temperatures"])),
        (types(6, 7) + ["scenario_other_board"], Categories("CPU", ["Identification", "Temperatures", "Voltages"])),
        (types(9, 11, 15, 16, 17, 18, 19, 20, 21) + NO_TYPE + ["default", "builtin"] + ALL_FAIL + EXTREMES,
         Categories("CPU", ["Identification"])),
        (types(8), Result("CPU", "Temperatures", "Internal", value="53", status="Passed", fmt="DegreeCentigrade")),
        # The ZLVR board on type 13 reads through WMI.
        (types(13), Result("CPU", "Temperatures", "Internal", value="58", status="Passed")),
        (["scenario_quirks"], Result("CPU", "Temperatures", "Internal", value="51", status="Passed")),
        (types(6, 7), Tests("CPU", "Voltages", ["VcoreA", "VcoreB"])),
        (types(6), Result("CPU", "Voltages", "VcoreA", value="1.350", status="Passed", fmt="Volt")),
        (["scenario_other_board"], Tests("CPU", "Voltages", ["VcoreA"])),
        (["scenario_other_board"], Result("CPU", "Temperatures", "Internal", value="57", status="Passed")),
    ],
    "Memory": [
        # The figures come from the host: checked as patterns.
        (EVERY, Tests(MEM, "Physical Memory", ["Total", "Free", "Usage"])),
        (EVERY, Tests(MEM, "Paging Memory", ["Paging file", "Total", "Free", "Usage"])),
        (EVERY, ResultLike(MEM, "Physical Memory", "Total", r"\d+|\d+\.\d\d")),
        (EVERY, Result(MEM, "Physical Memory", "Usage", status="Passed", fmt="Percent", pattern=r"\d{1,3}")),
        (EVERY, ResultLike(MEM, "Paging Memory", "Paging file", r"Enabled|Disabled")),
        (EVERY, Result(MEM, "Paging Memory", "Total", status="Passed", pattern=r"\d+\.\d\d")),
        (types(15, 16, 17), Categories(MEM, ["Physical Memory", "Factory Settings", "Paging Memory"])),
        (types(15), Tests(MEM, "Factory Settings", FACTORY_TESTS)),
        (types(16), Result(MEM, "Factory Settings", "Hardware revision", value="C3", status="Passed", fmt="String")),
        (types(18, 19) + ["default", "builtin"] + ALL_FAIL,
         Categories(MEM, ["Physical Memory", "Memory Module 1", "Memory Module 2", "Paging Memory"])),
        (types(18, 19), SubCategories(MEM, "Memory Module 2", ["Factory Settings"])),
        (types(18), Tests(MEM, "Memory Module 1", FACTORY_TESTS)),
        (types(19) + ALL_FAIL, Tests(MEM, "Memory Module 1", FACTORY_TESTS[1:-1])),
        (ALL_FAIL, Result(MEM, "Memory Module 2", "Vendor ID", status="Failed", fmt="String")),
        (EXTREMES, Categories(MEM, ["Physical Memory", "Memory Module 1", "Paging Memory"])),
        (types(*[t for t in range(1, 22) if t not in (15, 16, 17, 18, 19)]) + NO_TYPE +
         ["scenario_other_board"] + STRINGS_NT + XML, Categories(MEM, ["Physical Memory", "Paging Memory"])),
    ],
    "Bus Unit": [
        (types(18, 19) + ["default", "builtin"] + ALL_FAIL + EXTREMES, Categories("Bus Unit", ["Factory Settings", "Statistics"])),
        (types(18) + ALL_FAIL, Tests("Bus Unit", "Factory Settings", FACTORY_TESTS)),
        (types(19), Result("Bus Unit", "Factory Settings", "Device ID", value="00A15513", status="Passed", fmt="Hex")),
        (types(19), Result("Bus Unit", "Statistics", "Power-on hours", value="17039", status="Passed", fmt="Dec")),
        (types(18), Result("Bus Unit", "Factory Settings", "Raw data", status="Passed", fmt="Raw")),
        (ALL_FAIL, Result("Bus Unit", "Statistics", "Power-on cycles", status="Failed", fmt="String")),
        (EXTREMES, Result("Bus Unit", "Statistics", "Power-on cycles", value="2147483648", fmt="Dec")),
        (STRINGS_NT, ResultLike("Bus Unit", "Factory Settings", "Serial number", r"(bus-serial )+.{0,10}")),
    ],
    "Slide-In Drives": [
        (types(18) + ["default", "builtin"] + ALL_FAIL + EXTREMES, Categories(SID, ["Slide-In Drive 1", "Slide-In Drive 2"])),
        # Only drive 2: the walk begins with it.
        (types(19), Categories(SID, ["Slide-In Drive 2"])),
        (STRINGS_NT, Categories(SID, ["Slide-In Drive 1"])),
        (XML, Group(SID, present=False)),
        (types(18, 19) + ALL_FAIL, SubCategories(SID, "Slide-In Drive 2", ["Factory Settings", "Temperatures"])),
        (types(18), Tests(SID, "Slide-In Drive 2", FACTORY_TESTS, subcategory="Factory Settings")),
        (types(19), Result(SID, "Slide-In Drive 2", "Serial number", value="E19105365", status="Passed", fmt="String")),
        (types(19), Result(SID, "Slide-In Drive 2", "Slide-in drive 2", value="39", status="Passed",
                           fmt="DegreeCentigrade", subcategory="Temperatures")),
        # A temperature that cannot be read leaves its subcategory empty.
        (ALL_FAIL, Tests(SID, "Slide-In Drive 1", [], subcategory="Temperatures")),
        (ALL_FAIL, Result(SID, "Slide-In Drive 1", "Version", status="Failed", fmt="String")),
        (EXTREMES, Result(SID, "Slide-In Drive 1", "Slide-in drive 1", value="-128", status="Alarm")),
        (STRINGS_NT, ResultLike(SID, "Slide-In Drive 1", "Serial number", r"(drv-serial){25}.{0,6}")),
    ],
    "Fan Kits": [
        (types(18, 19, 21) + ["default", "builtin"] + ALL_FAIL + EXTREMES, Categories("Fan Kits", ["Case Fan Kit", "Bus Fan Kit"])),
        (types(20), Categories("Fan Kits", ["Case Fan Kit"])),
        (STRINGS_NT + XML, Group("Fan Kits", present=False)),
        *[(runs, SubCategories("Fan Kits", kit, ["Factory Settings", "Statistics", "Fan Speeds"]))
          for runs, kit in ((types(18, 19, 20, 21) + ALL_FAIL, "Case Fan Kit"), (types(18, 19, 21) + ALL_FAIL, "Bus Fan Kit"))],
        *[(types(t), Tests("Fan Kits", "Case Fan Kit", ["Case fan %d" % i for i in range(1, 4 + (t < 20))],
                           subcategory="Fan Speeds")) for t in (18, 19, 20, 21)],
        (types(18), Tests("Fan Kits", "Bus Fan Kit", ["Bus fan %d" % i for i in range(1, 5)], subcategory="Fan Speeds")),
        (types(18), Result("Fan Kits", "Bus Fan Kit", "Bus fan 4", value="2250", status="Alarm", fmt="Rpm")),
        # The case kit's fan-on hours are the system unit's counter (id 2).
        (types(20), Result("Fan Kits", "Case Fan Kit", "Fan-on hours", value="26217", status="Passed", fmt="Dec")),
        (ALL_FAIL, Tests("Fan Kits", "Bus Fan Kit", [], subcategory="Fan Speeds")),
        (ALL_FAIL, Result("Fan Kits", "Case Fan Kit", "Fan-on hours", status="Failed", fmt="String")),
        (EXTREMES, Tests("Fan Kits", "Case Fan Kit", ["Case fan 1", "Case fan 2"], subcategory="Fan Speeds")),
        (EXTREMES, Result("Fan Kits", "Bus Fan Kit", "Bus fan 1", value="65535", status="Passed")),
    ],
    "IF Boards": [
        (types(15, 19, 20), Categories(IFB, ["IF Board 1"])),
        # Only slot 2: the walk begins with it.
        (types(16, 21), Categories(IFB, ["IF Board 2"])),
        (types(17, 18) + ["default", "builtin"] + ALL_FAIL + EXTREMES, Categories(IFB, ["IF Board 1", "IF Board 2"])),
        (STRINGS_NT + XML, Group(IFB, present=False)),
        (types(15, 17), SubCategories(IFB, "IF Board 1", ["Factory Settings", "Temperatures", "Statistics"])),
        (types(16, 17), SubCategories(IFB, "IF Board 2", ["Factory Settings", "Temperatures", "Statistics"])),
        (types(18, 19, 20) + ALL_FAIL, SubCategories(IFB, "IF Board 1", ["Factory Settings", "Statistics"])),
        (types(18, 21), SubCategories(IFB, "IF Board 2", ["Factory Settings", "Statistics"])),
        # Both slots show the same sensors, without alarms.
        *[(types(17), Result(IFB, slot, "Sensor 1", value="33", status="Passed", fmt="DegreeCentigrade"))
          for slot in ("IF Board 1", "IF Board 2")],
        (types(16), Result(IFB, "IF Board 2", "Power-on hours", value="16312", status="Passed", fmt="Dec")),
        (types(21), Result(IFB, "IF Board 2", "Serial number", value="E21103885", fmt="String")),
        (ALL_FAIL, Result(IFB, "IF Board 2", "Power-on hours", status="Failed", fmt="String")),
    ],
    "I/O Board": [
        (types(15, 16, 17), Categories("I/O Board", ["Firmware", "Factory Settings", "Temperatures", "Statistics"])),
        (types(16), Result("I/O Board", "Firmware", "FPGA firmware version", value="IO FPGA V1.16", status="Passed",
                           fmt="String")),
        (types(15), Tests("I/O Board", "Factory Settings", FACTORY_TESTS)),
        (types(15), Result("I/O Board", "Factory Settings", "Device ID", value="00A13D0F", fmt="Hex")),
        (types(17), Result("I/O Board", "Factory Settings", "Raw data", status="Passed", fmt="Raw")),
        (types(17), Result("I/O Board", "Temperatures", "Sensor 4", value="42", status="Passed", fmt="DegreeCentigrade")),
        # Counters of the I/O board are read with two bytes.
        (types(16), Result("I/O Board", "Statistics", "Power-on hours", value="19016", fmt="Dec")),
        (["scenario_no_io_board"], Group("I/O Board", present=False)),
    ],
    "UPS": [
        (UPS_FIRST, Categories("UPS", ["Firmware", "Status", "Factory Settings", "Battery Settings"] + UPS_COMMON)),
        (UPS_SECOND, Categories("UPS", ["Firmware", "Status"] + UPS_COMMON + ["Statistics"])),
        # A type string that is neither generation's, or none at all: no generation's own tests.
        (UPS_UNKNOWN, Categories("UPS", ["Firmware", "Status"] + UPS_COMMON)),
        (["scenario_quirks"], Categories("UPS", ["Firmware", "Status", "Battery Settings"] + UPS_COMMON)),
        (types(6, 12, 13), Tests("UPS", "Firmware", ["Type", "Firmware version"])),
        (UPS_SECOND + UPS_UNKNOWN, Tests("UPS", "Firmware", ["Type"])),
        (types(6), Result("UPS", "Firmware", "Firmware version", value="1.10", status="Passed", fmt="String")),
        (["reduced"] + ALL_FAIL, Result("UPS", "Firmware", "Type", status="Failed", fmt="String")),
        (types(6, 12, 13) + ["scenario_unreadable_type"], Tests("UPS", "Status", UPS_STATUS_ROWS + UPS_COUNTERS)),
        (UPS_SECOND + ["reduced", "scenario_quirks"], Tests("UPS", "Status", UPS_STATUS_ROWS)),
        (ALL_FAIL + STRINGS_NT, Tests("UPS", "Status", ["Status"])),
        (types(18), Result("UPS", "Status", "Power OK", value="Yes", status="Passed", fmt="YesNo")),
        (EXTREMES, Result("UPS", "Status", "Battery temperature alarm", value="Yes", status="Alarm")),
        (EXTREMES, Result("UPS", "Status", "User settings failure", value="Yes", status="Passed")),
        (types(12), Result("UPS", "Status", "Link quality", value="99", status="Passed", fmt="Percent")),
        # 2 requests and 255 errors: no link left, not a wrapped number.
        (EXTREMES, Result("UPS", "Status", "Link quality", value="0", fmt="Percent")),
        (types(13), Result("UPS", "Factory Settings", "Device ID", value="00B1000D", fmt="Hex")),
        (types(6), Result("UPS", "Battery Settings", "Status", value="Valid", status="Passed", fmt="Unknown")),
        (["scenario_quirks"], Tests("UPS", "Battery Settings", ["Status", "Device ID", "Model number", "Raw data"])),
        (types(6, 12, 13) + UPS_SECOND, Tests("UPS", "User Settings", ["Status", "Current limitation (8A)",
                                                                       "Over current shutdown action",
                                                                       "Low battery shutdown time", "Raw data"])),
        (types(19), Result("UPS", "User Settings", "Low battery shutdown time", value="300", fmt="Seconds")),
        (types(6), Result("UPS", "User Settings", "Current limitation (8A)", value="Enabled", fmt="EnableDisable")),
        # The status word flags the user settings invalid; the upload's checksum error likewise.
        (EXTREMES + ["scenario_quirks"], Tests("UPS", "User Settings", ["Status"])),
        (EXTREMES + ["scenario_quirks"], Result("UPS", "User Settings", "Status", value="Invalid", status="Passed",
                                                fmt="Unknown")),
        (["scenario_unreadable_type"], Tests("UPS", "User Settings", ["Raw data"])),
        (["scenario_unreadable_type"], Result("UPS", "User Settings", "Raw data", status="Failed", fmt="String")),
        # The staged UPS service key (scan.REGISTRY); the maker's monitor value is not there.
        (UPS_RUNS, Tests("UPS", "System Settings", UPS_SERVICE_ROWS)),
        (UPS_RUNS, Result("UPS", "System Settings", "Shutdown on battery", value="Enabled", fmt="YesNo")),
        (UPS_RUNS, Result("UPS", "System Settings", "UPS turn off delay", value="60", fmt="Seconds")),
        (UPS_RUNS, Result("UPS", "System Settings", "Show UPS status with Vek UPS Monitor", value="Disabled",
                          status="Passed", fmt="EnableDisable")),
        (types(18), Result("UPS", "Temperatures", "Battery temperature", value="31", fmt="DegreeCentigrade")),
        (EXTREMES, Result("UPS", "Temperatures", "Battery temperature", value="(n.a.)", status="Passed", fmt="String")),
        (types(12), Result("UPS", "Currents", "Battery current", value="-1.5", fmt="Ampere")),
        (types(6), Result("UPS", "Voltages", "Battery voltage", value="24.4", fmt="Volt")),
        (EXTREMES, Result("UPS", "Voltages", "Battery voltage", value="4294967.5")),
        (types(18), Result("UPS", "Statistics", "On-battery hours", value="21", fmt="Dec")),
    ],
    "Display Link": [
        (types(18) + ["default", "builtin"], Categories(DL, ["Firmware", "Factory Settings", "Statistics", "Temperatures"])),
        (types(20), Categories(DL, ["Firmware", "Factory Settings", "Statistics"])),
        (types(20), Result(DL, "Firmware", "FPGA firmware version", value="DL FPGA V1.20", status="Passed", fmt="String")),
        (types(18), Result(DL, "Factory Settings", "Vendor ID", value="00000000", fmt="Hex")),
        (types(20), Result(DL, "Factory Settings", "Raw data", status="Passed", fmt="Raw")),
        (types(18), Result(DL, "Statistics", "Power-on cycles", value="240", fmt="Dec")),
        (types(18), Result(DL, "Temperatures", "Sensor 2", value="39", status="Passed", fmt="DegreeCentigrade")),
        # A boot-mode call that returns neither 0 nor 1 is a failure; one sensor of four answers.
        (EXTREMES, Result(DL, "Firmware", "Boot mode", status="Failed", fmt="String")),
        (EXTREMES, Result(DL, "Statistics", "Power-on cycles", value="4294967295")),
        (EXTREMES, Tests(DL, "Temperatures", ["Sensor 1"])),
        (EXTREMES, Result(DL, "Temperatures", "Sensor 1", value="0", status="Passed")),
        (STRINGS_NT, ResultLike(DL, "Firmware", "FPGA firmware version", r"(DL )+.{0,2}")),
        (XML, Group(DL, present=False)),
    ],
    "Panels": [
        *[(types(t), Categories("Panels", ["Panel %d" % i for i in panels]))
          for t, panels in PANELS.items() if t not in (9, 11)],
        (types(9, 11), Categories("Panels", ["Panel 0", "Switches", "Handwheel", "Joystick", "Override Potentiometer"])),
        *[(types(t), SubCategories("Panels", "Panel %d" % i, PANEL_PARTS.get((t, i), FULL_PANEL)))
          for t, panels in PANELS.items() for i in panels],
        # The built-in panels are never selected (the whole run: no group selects one there).
        (types(4, 5, 9, 11), NoCall("TivSelectPanel")),
        (types(9, 11), Tests("Panels", "Panel 0", ["Resolution", "Brightness", "Default brightness", "Contrast",
                                                   "Default contrast"], subcategory="Display Settings")),
        (types(12), Result("Panels", "Panel 8", "Lock time", value="7000", status="Passed", fmt="MilliSeconds")),
        (types(12), Result("Panels", "Panel 0", "Vendor ID", value="00000000h", fmt="String")),
        (types(15), Result("Panels", "Panel 0", "Display type", value="30", fmt="Hex")),
        (types(4), Result("Panels", "Panel 0", "Brightness", value="80%", fmt="String")),
        (types(4), Result("Panels", "Panel 0", "Default brightness", value="80", fmt="Percent")),
        (types(12), Result("Panels", "Panel 0", "Equalizer", value="7 (Manual)", fmt="String")),
        (types(9), Result("Panels", "Joystick", "Positions (X/Y/Z)", value="0 / -4 / 5", fmt="String")),
        (types(11), Result("Panels", "Handwheel", "Value", value="31011", fmt="Dec")),
        (ALL_FAIL, Categories("Panels", ["Panel 0", "Panel 15"])),
        (ALL_FAIL, Tests("Panels", "Panel 15", ["Linked"])),
        (ALL_FAIL, Result("Panels", "Panel 0", "Linked", status="Failed", fmt="String")),
        (["scenario_unreadable_type", "reduced", "default", "builtin"],
         HasTest("Panels", "Panel 0", "Equalizer", subcategory="Display Settings")),
        (["scenario_unreadable_type"], Result("Panels", "Panel 0", "Brightness", value="70%")),
        (["scenario_quirks"], Result("Panels", "Panel 0", "Equalizer", value="(n.a.)", status="Passed")),
        (["scenario_quirks"], Tests("Panels", "Panel 0", ["Count", "Matrix, layer 1"], subcategory="LEDs")),
        (EXTREMES, Result("Panels", "Panel 0", "Resolution", value="65535x0")),
        (EXTREMES, Result("Panels", "Panel 0", "Lock time", value="4294967295")),
        (EXTREMES, Result("Panels", "Panel 0", "Brightness", value="255%")),
    ],
    "DVI": [
        (types(1, 2, 3, 6, 12, 18) + ["default", "builtin"], Categories("DVI", ["DVI Channel 1", "DVI Channel 2"])),
        (types(7, 13, 14, 15, 16, 17, 19, 20), Categories("DVI", ["DVI Channel 1"])),
        (["scenario_no_io_board"], Group("DVI", present=False)),
        (types(1, 2, 3, 6, 7, 12, 13, 14, 15, 16, 17, 18, 19, 20),
         Result("DVI", "DVI Channel 1", "Port name", value="Monitor/Panel", status="Passed", fmt="String")),
        (types(1, 2, 3, 6, 12, 18), Result("DVI", "DVI Channel 2", "Port name", value="Display/LMQ Link Slot (if present)")),
        # Types 15 to 17 lead channel 1 to panel 1, the others to panel 0; channel 2 to panel 8.
        (types(7, 12, 15, 16, 17, 18, 20), SubCategories("DVI", "DVI Channel 1", ["Port Information", "DVI Settings"])),
        (types(12, 18), SubCategories("DVI", "DVI Channel 2", ["Port Information", "DVI Settings"])),
        (types(16), Tests("DVI", "DVI Channel 1", ["Available", "Manufacturer ID", "Header ID", "Vendor ID", "Device ID",
                                                   "Compatibility ID", "Hardware revision", "Serial number",
                                                   "Model number", "Display resolution", "Raw data"],
                          subcategory="DVI Settings")),
        (types(15), Result("DVI", "DVI Channel 1", "Panel connected", value="Yes", status="Passed", fmt="YesNo")),
        # No panel 8 to select: nothing is connected there.
        (types(1, 2, 3, 6), Result("DVI", "DVI Channel 2", "Panel connected", value="No", status="Passed", fmt="YesNo")),
        (types(1, 2, 3, 6), SubCategories("DVI", "DVI Channel 2", ["Port Information"])),
        (types(18), Result("DVI", "DVI Channel 1", "Manufacturer ID", value="698A", fmt="Hex")),
        (types(18), Result("DVI", "DVI Channel 1", "Device ID", value="00012D21h", fmt="String")),
        (types(18), Result("DVI", "DVI Channel 1", "Display resolution", value="1024x768", status="Passed", fmt="String")),
        (types(17), Result("DVI", "DVI Channel 1", "Raw data", status="Passed", fmt="Raw")),
        # The panel is selected but its link cannot be read: the read's error, no settings.
        (ALL_FAIL, Result("DVI", "DVI Channel 1", "Panel connected", status="Failed", fmt="String")),
        (ALL_FAIL, SubCategories("DVI", "DVI Channel 1", ["Port Information"])),
        (STRINGS_NT, Tests("DVI", "DVI Channel 1", ["Available"], subcategory="DVI Settings")),
        (STRINGS_NT, Result("DVI", "DVI Channel 1", "Available", status="Failed", fmt="String")),
        (EXTREMES, Result("DVI", "DVI Channel 1", "Panel connected", value="Yes")),
        # The model number has no NUL: it runs on to the end of the block.
        (EXTREMES, Result("DVI", "DVI Channel 1", "Model number", value="M" * 91)),
        (EXTREMES, Result("DVI", "DVI Channel 2", "Panel connected", value="No", fmt="YesNo")),
    ],
}


def checks_for(run):
    """The checks that apply to one run."""
    checks = [GroupList(run)] if expected_groups(run) is not None else []
    return checks + [check for rows in FACTS.values() for runs, check in rows if run in runs]
