"""End-to-end scan harness: runs VekQuorvel.exe under Wine and checks the report it writes.

Used by the test_*.py scripts here and by tools/bench. Only Python's standard library and the
xmllint / xsltproc tools. Environment: VEK_BIN (build output), VEK_SOURCE (checkout), and the
Wine session's WINEPREFIX and DISPLAY (tools/test sets them up).
"""
import os
import re
import shutil
import subprocess
import tempfile
import time
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.environ.get("VEK_SOURCE") or os.path.dirname(os.path.dirname(HERE))
BIN = os.environ.get("VEK_BIN") or os.path.join(SOURCE, "build", "bin")
PROFILES = os.path.join(SOURCE, "sim", "profiles")
SCHEMA = os.path.join(HERE, "report.rng")

# A scan that takes longer than this hangs.
SCAN_TIME_LIMIT = float(os.environ.get("VEK_SCAN_TIME_LIMIT", "90"))

FORMAT_WORDS = {
    "String", "Dec", "Hex", "Raw", "MHz", "DegreeCentigrade", "GigaByte", "MegaByte", "KiloByte",
    "Percent", "Bytes", "Rpm", "Volt", "YesNo", "Ampere", "Unknown", "EnableDisable", "Minutes",
    "Seconds", "MilliSeconds", "Watt",
}
STATUS_WORDS = {"Passed", "Failed", "Alarm", ""}

# Line depth (leading TABs) of each element of the report; SubCategory is 3 or 4 (see below).
DEPTHS = {
    "VekQuorvelReport": 0, "Header": 1, "Version": 2, "VekDeviceType": 2, "Time": 2, "Date": 2,
    "Author": 2, "ComputerName": 2, "TestGroup": 1, "GroupNumber": 2, "GroupName": 2,
    "GroupDescription": 2, "Category": 2, "CategoryName": 3, "Test": 6, "TestName": 7,
    "TestDescription": 7, "TestNumber": 7, "TestResult": 7, "TestStatus": 7,
}


def windows_path(path):
    """The Wine path of a Unix path (Wine maps / to Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def profile_names():
    """Every shipped profile, by file name without .ini."""
    return sorted(f[:-4] for f in os.listdir(PROFILES) if f.endswith(".ini"))


# ----------------------------------------------------------------------------------------
# Running scans


class Run:
    """One scan: its name ("type18", "nodll", ...), its library ("sim", "reduced" or None: no
    VekTiv.dll), its profile (None: the library's built-in device) and what came out."""

    def __init__(self, name, library, profile):
        self.name, self.library, self.profile = name, library, profile
        self.exit_code = self.seconds = self.report_bytes = self.report_path = self.folder = None
        self.stylesheet = None      # path of the stylesheet written beside the report
        self.hung, self.problems = False, []


def runs_for_every_profile():
    """The runs of the end-to-end test: every profile, the built-in device, no library at all,
    and the build that lacks some exports."""
    return [Run(name, "sim", os.path.join(PROFILES, name + ".ini")) for name in profile_names()] + [
        Run("builtin", "sim", None), Run("nodll", None, None), Run("reduced", "reduced", None)]


def scan(run, workdir, extra_env=None, call_log=True):
    """Runs VekQuorvel.exe -f=<report> -o for one run in a folder of its own under workdir.

    The program is copied into that folder together with the library the run asks for (none
    for "nodll"), so the library is found beside the program and nowhere else. Fills in the
    run's exit code, time and report bytes; a run over the time limit is marked hung.
    """
    folder = run.folder = tempfile.mkdtemp(prefix=run.name + "-", dir=workdir)
    shutil.copy2(os.path.join(BIN, "VekQuorvel.exe"), folder)
    if run.library:
        shutil.copy2(os.path.join(BIN, *(["reduced"] if run.library == "reduced" else []), "VekTiv.dll"), folder)
    report = run.report_path = os.path.join(folder, "report.xml")
    env = {k: v for k, v in os.environ.items() if k not in ("VEKTIV_PROFILE", "VEKTIV_CALL_LOG")}
    env["WINEDEBUG"] = "-all"
    if run.profile:
        env["VEKTIV_PROFILE"] = windows_path(run.profile)
    if call_log:
        env["VEKTIV_CALL_LOG"] = windows_path(os.path.join(folder, "calls.log"))
    env.update(extra_env or {})
    command = ["wine", os.path.join(folder, "VekQuorvel.exe"), "-f=" + windows_path(report), "-o"]
    start = time.monotonic()
    try:
        done = subprocess.run(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=SCAN_TIME_LIMIT)
        run.exit_code = done.returncode
    except subprocess.TimeoutExpired:
        run.hung = True
    run.seconds = time.monotonic() - start
    if os.path.exists(report):
        with open(report, "rb") as f:
            run.report_bytes = f.read()
    xsl = os.path.join(folder, "report.xsl")
    run.stylesheet = xsl if os.path.exists(xsl) else None
    return folder


# ----------------------------------------------------------------------------------------
# A Wine prefix of the harness's own

# Registry values that the groups read, staged so that their tests show values.
REGISTRY = r"""REGEDIT4

[HKEY_LOCAL_MACHINE\SOFTWARE\VEK_Dovazezozu\TIV\Driver]
"Version"="3.10.0"
"InstallPath"="C:\\Program Files\\Vek\\TIV"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\TivDriver_is1]
"InstallLocation"="C:\\Program Files\\Vek\\TIV"
"DisplayVersion"="3.10.0"
"InstallDate"="20260314"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Vek CAN Driver]
"InstallLocation"="C:\\Program Files\\Vek\\CAN"
"DisplayVersion"="1.4.2"
"InstallDate"="14032026"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\UPS\Config]
"Vendor"="Vek"
"Model"="TVX Add-On UPS"
"ShutdownOnBatteryEnable"=dword:00000001
"ShutdownOnBatteryWait"=dword:00000002
"TaskName"=""
"TurnUPSOffEnable"=dword:00000001
"TurnUPSOffWait"=dword:0000003c
"NotifyEnable"=dword:00000001
"VekNotifyEnable"=dword:00000000
"""

# Values below HKEY_LOCAL_MACHINE\HARDWARE, which only volatile keys can hold (stagereg.c).
VOLATILE_VALUES = [(r"HARDWARE\TIV\Bios", "VersionID", "VEK-BIOS-E2E")]

# The key=value file in the system drive's root.
RUNTIME_INI = "[Device]\r\nLine=E2E test line 7\r\nStation=Cell 4\r\n"


class Prefix:
    """A private copy of the session's Wine prefix (hard links, so it costs no space) with the
    registry values and files that the groups read, and its own wineserver. Other tests that
    run at the same time keep their prefix as it was. Use as a context manager; the wineserver
    of the copy is stopped on the way out."""

    def __init__(self, workdir):
        self.source = os.environ.get("WINEPREFIX") or os.path.join(
            os.environ.get("VEK_BUILD") or os.path.join(SOURCE, "build"), "wineprefix")
        self.path = os.path.join(os.path.abspath(workdir), "wineprefix")
        self.env = dict(os.environ, WINEPREFIX=self.path, WINEARCH="win32", WINEDEBUG="-all")

    def __enter__(self):
        # Hard links cost no space (the run's prefix and this copy share build/). Tests running
        # beside this one create and remove temporary files in the run's prefix; a file that
        # vanishes while it is being linked is no loss.
        done = subprocess.run(["cp", "-al", self.source, self.path], stderr=subprocess.PIPE, text=True,
                              errors="replace")
        vanished = all("No such file or directory" in line for line in done.stderr.splitlines())
        if done.returncode != 0 and not (vanished and os.path.exists(os.path.join(self.path, "system.reg"))):
            raise subprocess.CalledProcessError(done.returncode, "cp -al", stderr=done.stderr)
        # Files the prefix's Wine rewrites in place must not be shared with the original.
        for name in ("system.reg", "user.reg", "userdef.reg"):
            p = os.path.join(self.path, name)
            if os.path.exists(p):
                os.unlink(p)
                shutil.copy2(os.path.join(self.source, name), p)
        with open(os.path.join(self.path, "drive_c", "DAZIRAVAZ.INI"), "w", newline="") as f:
            f.write(RUNTIME_INI)
        reg = os.path.join(self.path, "drive_c", "vek-e2e.reg")
        with open(reg, "w", newline="") as f:
            f.write(REGISTRY.replace("\n", "\r\n"))
        subprocess.run(["wineserver", "-p"], env=self.env, check=True)
        subprocess.run(["wine", "regedit", "/S", windows_path(reg)], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
        stagereg = os.path.join(os.path.dirname(self.path), "stagereg.exe")
        subprocess.run(["i686-w64-mingw32-gcc", "-municode", "-static", "-o", stagereg,
                        os.path.join(HERE, "stagereg.c")], check=True)
        for key, name, text in VOLATILE_VALUES:
            subprocess.run(["wine", stagereg, key, name, text], env=self.env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
        return self

    def __exit__(self, *exc):
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        return False


# ----------------------------------------------------------------------------------------
# Checks of a report; each returns a list of problems (empty = fine).


def check_encoding(data):
    problems = [what for what, bad in (("no UTF-16LE byte-order mark", not data.startswith(b"\xff\xfe")),
                                       ("odd number of bytes", len(data) % 2)) if bad]
    try:
        text = data[2:].decode("utf-16-le")
    except UnicodeDecodeError as e:
        return problems + ["not UTF-16LE: %s" % e]
    return problems + [what for what, bad in (
        ("first line is not the XML declaration", not text.startswith('<?xml version="1.0" encoding="utf-16"?>\r\n')),
        ("does not end with the root end tag and CR LF", not text.endswith("</VekQuorvelReport>\r\n"))) if bad]


def check_lines(data):
    """Every tag line: its TABs give its depth, no blanks before the tag, CR LF at its end."""
    problems = []
    text = data[2:].decode("utf-16-le", errors="replace")
    if re.search(">\n", text):
        problems.append("a line ends without CR before LF")
    subcategory_depth = None
    for number, line in enumerate(text.split("\n"), 1):
        line = line.rstrip("\r")
        m = re.match(r"([ \t]*)<(/?)([A-Za-z][\w.-]*)", line)
        if not m:
            continue  # a continuation line of a text with line breaks, or the declarations
        indent, closing, name = m.groups()
        if " " in indent:
            problems.append("line %d: blanks before <%s>" % (number, name))
            continue
        depth = len(indent)
        if name == "SubCategory" and not closing:
            if depth not in (3, 4):
                problems.append("line %d: SubCategory start tag at depth %d" % (number, depth))
            subcategory_depth = depth
            continue
        if name == "SubCategory":
            expected = 3
        elif name == "SubCategoryName":
            expected = (subcategory_depth or 3) + 1
        else:
            expected = DEPTHS.get(name)
        if expected is None:
            problems.append("line %d: unknown element <%s>" % (number, name))
        elif depth != expected:
            problems.append("line %d: <%s%s> at depth %d, not %d" % (number, closing, name, depth, expected))
        if len(problems) > 20:
            problems.append("...")
            break
    return problems


parse = ET.fromstring  # the report's element tree, or raises ET.ParseError


def check_schema(path):
    done = subprocess.run(["xmllint", "--noout", "--relaxng", SCHEMA, path],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
    if done.returncode != 0:
        return ["not valid against report.rng: " + " | ".join(done.stdout.strip().splitlines()[:5])]
    return []


def check_numbers_and_words(root):
    problems = []
    groups = [g.findtext("GroupNumber") for g in root.iter("TestGroup")]
    if groups != [str(i) for i in range(1, len(groups) + 1)]:
        problems.append("GroupNumbers are not 1..%d: %s" % (len(groups), groups))
    tests = [t.findtext("TestNumber") for t in root.iter("Test")]
    if tests != [str(i) for i in range(1, len(tests) + 1)]:
        first = next((i for i, n in enumerate(tests, 1) if n != str(i)), None)
        problems.append("TestNumbers are not 1..%d (first wrong at test %s)" % (len(tests), first))
    problems += ["unknown Format %r" % t.get("Format") for t in root.iter("TestResult") if t.get("Format") not in FORMAT_WORDS]
    return problems + ["unknown TestStatus %r" % t.text for t in root.iter("TestStatus") if (t.text or "") not in STATUS_WORDS]


def check_rendering(report_path, stylesheet_path):
    """The stylesheet beside the report turns it into a page; returns (problems, seconds)."""
    if not stylesheet_path:
        return ["no stylesheet beside the report"], None
    out = report_path + ".html"
    start = time.monotonic()
    done = subprocess.run(["xsltproc", "-o", out, stylesheet_path, report_path],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
    seconds = time.monotonic() - start
    if done.returncode != 0:
        return ["xsltproc failed: " + " | ".join(done.stdout.strip().splitlines()[:5])], seconds
    with open(out, "rb") as f:
        page = f.read()
    if b"Vek Quorvel Report" not in page:
        return ["the rendered page lacks its title"], seconds
    return [], seconds


def check_library_calls(run):
    """The simulated library took its profile (no parse error in its call log); the full build
    is always called, at least for the header's device type."""
    log = os.path.join(run.folder or "", "calls.log")
    if run.library is None or not run.folder:
        return []
    if not os.path.exists(log):
        return ["the library was never called"] if run.library == "sim" else []
    with open(log, encoding="utf-8", errors="replace") as f:
        return [line.strip() for line in f if line.startswith("profile error")][:1]


def check_report(run):
    """Every structural check of one run's report; fills run.problems and returns the tree."""
    if run.hung:
        run.problems.append("hung: no end within %g s" % SCAN_TIME_LIMIT)
        return None
    run.problems += check_library_calls(run)
    if run.exit_code != 0:
        run.problems.append("exit code %s" % run.exit_code)
    if run.report_bytes is None:
        run.problems.append("no report written")
        return None
    run.problems += check_encoding(run.report_bytes) + check_lines(run.report_bytes)
    try:
        root = parse(run.report_bytes)
    except ET.ParseError as e:
        run.problems.append("not well-formed: %s" % e)
        return None
    run.problems += (check_schema(run.report_path) + check_numbers_and_words(root) +
                     check_rendering(run.report_path, run.stylesheet)[0])
    return root


# ----------------------------------------------------------------------------------------
# Reading a report tree


class Report:
    """Lookups into a parsed report: groups, categories, subcategories and tests by name."""

    def __init__(self, root):
        self.root = root

    def header(self, name):
        return self.root.findtext("Header/" + name)

    def group_names(self):
        return [g.findtext("GroupName") for g in self.root.iter("TestGroup")]

    def group(self, name):
        return next((g for g in self.root.iter("TestGroup") if g.findtext("GroupName") == name), None)

    def categories(self, group):
        g = self.group(group)
        return [] if g is None else [c.findtext("CategoryName") for c in g.findall("Category")]

    def category(self, group, category):
        g = self.group(group)
        return None if g is None else next((c for c in g.findall("Category")
                                            if c.findtext("CategoryName") == category), None)

    def subcategories(self, group, category):
        c = self.category(group, category)
        return [] if c is None else [s.findtext("SubCategoryName") for s in c.findall("SubCategory")]

    def tests(self, group, category, subcategory=None):
        """The Test elements of a category (of one subcategory when given), in order."""
        c = self.category(group, category)
        return [] if c is None else [t for s in c.findall("SubCategory")
                                     if subcategory is None or s.findtext("SubCategoryName") == subcategory
                                     for t in s.findall("Test")]

    def test_names(self, group, category, subcategory=None):
        return [t.findtext("TestName") for t in self.tests(group, category, subcategory)]

    def test(self, group, category, name, subcategory=None):
        return next((t for t in self.tests(group, category, subcategory) if t.findtext("TestName") == name), None)
