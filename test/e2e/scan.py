"""End-to-end harness: a Wine prefix of a test's own, scans of VekQuorvel.exe in it, the checks
of a written report and its outline (the report as one line per Test).

Used by the test_*.py scripts here and by tools/bench. Only Python's standard library and the
xmllint / xsltproc tools. Environment: VEK_BIN (build output), VEK_SOURCE (checkout), VEK_BUILD
and the Wine session's DISPLAY (tools/test sets them up).
"""
import collections
import hashlib
import os
import re
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.environ.get("VEK_SOURCE") or os.path.dirname(os.path.dirname(HERE))
BUILD = os.environ.get("VEK_BUILD") or os.path.join(SOURCE, "build")
BIN = os.environ.get("VEK_BIN") or os.path.join(BUILD, "bin")
PROFILES = os.path.join(SOURCE, "sim", "profiles")
SCHEMA = os.path.join(HERE, "report.rng")
QUIET = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

# A scan that takes longer than this hangs.
SCAN_TIME_LIMIT = float(os.environ.get("VEK_SCAN_TIME_LIMIT", "90"))


def windows_path(path):
    """The Wine path of a Unix path (Wine maps / to Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def profile_names():
    """Every shipped profile, by file name without .ini."""
    return sorted(f[:-4] for f in os.listdir(PROFILES) if f.endswith(".ini"))


# ----------------------------------------------------------------------------------------
# A Wine prefix of a test's own

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
    """A Wine prefix in workdir: a fresh clone of the build's template (tools/wine-prefix) with
    its own wineserver, so that no other test's program meets this test's programs or windows.
    A 32-bit one holds the registry values and the file that the groups read.

    Use as a context manager. Nothing of the prefix outlives the test, however it ends: its
    server and first program write to no pipe of the test's (ctest would wait for them), and a
    watcher stops the server when the test's process is gone, also when it is killed."""

    def __init__(self, workdir, arch="win32"):
        self.path = os.path.join(os.path.abspath(workdir), "wineprefix")
        self.arch = arch
        self.env = dict(os.environ, WINEPREFIX=self.path, WINEARCH=arch, WINEDEBUG="-all")

    def wine(self, *args, timeout=120, **kwargs):
        return subprocess.run(["wine", *args], env=self.env, timeout=timeout, **{**QUIET, **kwargs})

    def start(self):
        shutil.rmtree(self.path, ignore_errors=True)
        os.makedirs(os.path.dirname(self.path), exist_ok=True)
        subprocess.run([os.path.join(SOURCE, "tools", "wine-prefix"), self.path, self.arch], env=self.env,
                       timeout=600, check=True, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
        # The server lasts 10 s past the prefix's last program at most.
        subprocess.run(["wineserver", "-p10"], env=self.env, timeout=60, check=True, **QUIET)
        # A watcher, no child of this process (a killed test's children are killed with it),
        # reads a pipe whose only writer is this process: when the process ends, however, the
        # read ends and the server goes with every program of the prefix.
        read_end, self.watch = os.pipe()
        subprocess.run(["sh", "-c", "(cat <&%d >/dev/null; wineserver -k) &" % read_end], pass_fds=(read_end,),
                       env=self.env, start_new_session=True, check=True, **QUIET)
        os.close(read_end)
        # The first program of a new prefix starts Wine's own services alone.
        self.wine("cmd.exe", "/c", "exit")
        if self.arch == "win32":
            drive_c = os.path.join(self.path, "drive_c")
            with open(os.path.join(drive_c, "DAZIRAVAZ.INI"), "w", newline="") as f:
                f.write(RUNTIME_INI)
            with open(os.path.join(drive_c, "vek-e2e.reg"), "w", newline="") as f:
                f.write(REGISTRY.replace("\n", "\r\n"))
            self.wine("regedit", "/S", "C:\\vek-e2e.reg", check=True)
            stagereg = os.path.join(drive_c, "stagereg.exe")
            subprocess.run(["i686-w64-mingw32-gcc", "-municode", "-static", "-o", stagereg,
                            os.path.join(HERE, "stagereg.c")], check=True)
            for key, name, text in VOLATILE_VALUES:
                self.wine(stagereg, key, name, text, check=True)
        return self

    def stop(self):
        os.close(self.watch)
        subprocess.run(["wineserver", "-k"], env=self.env, **QUIET)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=60, **QUIET)

    __enter__ = start

    def __exit__(self, *exc):
        self.stop()


# ----------------------------------------------------------------------------------------
# Running scans


Started = collections.namedtuple("Started", "exit_code seconds cpu_seconds")
Started.__doc__ = """One program started to its end: exit code (None when it was stopped at the time
limit), wall seconds and CPU seconds (user + system of the started process)."""


def start_measured(command, env, cwd=None, timeout=SCAN_TIME_LIMIT):
    """Runs a command to its end with no pipes and returns a Started.

    The wait blocks until the process ends (subprocess's own wait with a time limit polls, in
    steps of up to 50 ms, which a start under Wine's 0.1 s would show), and a timer kills the
    process at the limit. Under Wine the Windows program runs in the started process, so its
    resource usage is the program's own CPU time; the wineserver's share is not in it."""
    start = time.monotonic()
    process = subprocess.Popen(command, env=env, cwd=cwd, **QUIET)
    # os.kill, not process.kill(): that one polls, and so could reap the process under the wait.
    timer = threading.Timer(timeout, os.kill, (process.pid, signal.SIGKILL))
    timer.start()
    try:
        # The end without reaping: until the timer is stopped its pid cannot be reused.
        os.waitid(os.P_PID, process.pid, os.WEXITED | os.WNOWAIT)
        seconds = time.monotonic() - start
    finally:
        timer.cancel()
        timer.join()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    return Started(None if seconds >= timeout else process.returncode, seconds, usage.ru_utime + usage.ru_stime)


class Run:
    """One scan: its name ("type18", "nodll", ...), its library ("sim", "reduced" or None: no
    VekTiv.dll), its profile (None: the library's built-in device) and what came out."""

    def __init__(self, name, library="sim", profile=None):
        self.name, self.library = name, library
        self.profile = profile or (os.path.join(PROFILES, name + ".ini") if library == "sim" and name != "builtin"
                                   else None)
        self.exit_code = self.seconds = self.cpu_seconds = self.report_bytes = self.report_path = None
        self.folder = None
        self.stylesheet = None      # path of the stylesheet written beside the report
        self.hung, self.problems = False, []

    def calls(self):
        """The library calls that the run logged, one "TivName(args)" a line."""
        log = os.path.join(self.folder or "", "calls.log")
        if not os.path.exists(log):
            return []
        with open(log, encoding="utf-8", errors="replace") as f:
            return f.read().splitlines()


def runs_for_every_profile():
    """The runs of the end-to-end test: every profile, the built-in device, no library at all,
    and the build that lacks some exports."""
    return [Run(name) for name in profile_names()] + [Run("builtin"), Run("nodll", None), Run("reduced", "reduced")]


def scan(run, workdir, prefix, call_log=True):
    """Runs VekQuorvel.exe -f=<report> -o in the prefix for one run, in a folder of its own.

    The program is copied into that folder together with the library the run asks for (none
    for "nodll"), so the library is found beside the program and nowhere else. Fills in the
    run's exit code, wall and CPU time and report bytes; a run over the time limit is marked hung.
    """
    folder = run.folder = tempfile.mkdtemp(prefix=run.name + "-", dir=workdir)
    shutil.copy2(os.path.join(BIN, "VekQuorvel.exe"), folder)
    if run.library:
        shutil.copy2(os.path.join(BIN, *(["reduced"] if run.library == "reduced" else []), "VekTiv.dll"), folder)
    # The working directory holds a library of its own: the program must never load it (the
    # run without a library beside the program shows whether it does).
    cwd = os.path.join(folder, "cwd")
    os.makedirs(cwd)
    shutil.copy2(os.path.join(BIN, "VekTiv.dll"), cwd)
    report = run.report_path = os.path.join(folder, "report.xml")
    env = {k: v for k, v in prefix.env.items() if k not in ("VEKTIV_PROFILE", "VEKTIV_CALL_LOG")}
    if run.profile:
        env["VEKTIV_PROFILE"] = windows_path(run.profile)
    if call_log:
        env["VEKTIV_CALL_LOG"] = windows_path(os.path.join(folder, "calls.log"))
    done = start_measured(["wine", os.path.join(folder, "VekQuorvel.exe"), "-f=" + windows_path(report), "-o"],
                          env, cwd=cwd)
    run.exit_code, run.seconds, run.cpu_seconds = done.exit_code, done.seconds, done.cpu_seconds
    run.hung = done.exit_code is None
    if os.path.exists(report):
        with open(report, "rb") as f:
            run.report_bytes = f.read()
    xsl = os.path.join(folder, "report.xsl")
    run.stylesheet = xsl if os.path.exists(xsl) else None
    return run


# ----------------------------------------------------------------------------------------
# Checks of a report; each returns a list of problems (empty = fine).

# Line depth (leading TABs) of each element of the report; SubCategory is 3 or 4 (see below).
DEPTHS = {
    "VekQuorvelReport": 0, "Header": 1, "Version": 2, "VekDeviceType": 2, "Time": 2, "Date": 2,
    "Author": 2, "ComputerName": 2, "TestGroup": 1, "GroupNumber": 2, "GroupName": 2,
    "GroupDescription": 2, "Category": 2, "CategoryName": 3, "Test": 6, "TestName": 7,
    "TestDescription": 7, "TestNumber": 7, "TestResult": 7, "TestStatus": 7, "SubCategory": 3,
}


def check_encoding(data):
    if not data.startswith(b"\xff\xfe") or len(data) % 2:
        return ["no UTF-16LE byte-order mark or an odd number of bytes"]
    try:
        text = data[2:].decode("utf-16-le")
    except UnicodeDecodeError as e:
        return ["not UTF-16LE: %s" % e]
    return [what for what, bad in (
        ("first line is not the XML declaration", not text.startswith('<?xml version="1.0" encoding="utf-16"?>\r\n')),
        ("does not end with the root end tag and CR LF", not text.endswith("</VekQuorvelReport>\r\n")),
        ("a line ends without CR before LF", re.search(">\n", text))) if bad]


def check_lines(data):
    """Every tag line: its TABs give its depth, no blanks before the tag. A SubCategory start
    tag stands at depth 3 or 4, and its name one deeper."""
    problems, subcategory_depth = [], 3
    for number, line in enumerate(data[2:].decode("utf-16-le", errors="replace").split("\r\n"), 1):
        m = re.match(r"([ \t]*)<(/?)([A-Za-z][\w.-]*)", line)
        if not m:
            continue  # a continuation line of a text with line breaks, or the declarations
        indent, closing, name = m.groups()
        depth, expected = len(indent), DEPTHS.get(name)
        if name == "SubCategory" and not closing and depth in (3, 4):
            subcategory_depth = expected = depth
        elif name == "SubCategoryName":
            expected = subcategory_depth + 1
        if " " in indent or depth != expected:
            problems.append("line %d: <%s%s> at depth %d, not %s" % (number, closing, name, depth, expected))
    return problems[:20]


def check_schema(path):
    done = subprocess.run(["xmllint", "--noout", "--relaxng", SCHEMA, path],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
    if done.returncode != 0:
        return ["not valid against report.rng: " + " | ".join(done.stdout.strip().splitlines()[:5])]
    return []


def check_numbers(root):
    problems = []
    for element, number in (("TestGroup", "GroupNumber"), ("Test", "TestNumber")):
        numbers = [e.findtext(number) for e in root.iter(element)]
        if numbers != [str(i) for i in range(1, len(numbers) + 1)]:
            problems.append("%ss are not 1..%d: %s" % (number, len(numbers), numbers[:50]))
    return problems


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
        if b"Vek Quorvel Report" not in f.read():
            return ["the rendered page lacks its title"], seconds
    return [], seconds


def check_report(run):
    """Every structural check of one run's report; fills run.problems and returns the tree."""
    if run.folder is None:
        return None  # not scanned; its problems say why
    if run.hung:
        run.problems.append("hung: no end within %g s" % SCAN_TIME_LIMIT)
        return None
    # The simulated library took its profile, and was called (at least for the device type).
    if run.library == "sim":
        calls = run.calls()
        run.problems += [c for c in calls if c.startswith("profile error")][:1] or (
            [] if calls else ["the library was never called"])
    if run.exit_code != 0:
        run.problems.append("exit code %s" % run.exit_code)
    if run.report_bytes is None:
        run.problems.append("no report written")
        return None
    run.problems += check_encoding(run.report_bytes) + check_lines(run.report_bytes)
    try:
        root = ET.fromstring(run.report_bytes)
    except ET.ParseError as e:
        run.problems.append("not well-formed: %s" % e)
        return None
    run.problems += (check_schema(run.report_path) + check_numbers(root) +
                     check_rendering(run.report_path, run.stylesheet)[0])
    return root


parse = ET.fromstring  # the report's element tree, or raises ET.ParseError


# ----------------------------------------------------------------------------------------
# The outline of a report

# Values that name the host or change from scan to scan or build to build: (group, category),
# (group, test name) or ("Header", field). The outline shows them as "*" (and the Format word of
# a host figure, whose unit follows its size).
HOST_VALUES = {("Header", "Time"), ("Header", "Date"), ("Header", "Author"), ("Header", "ComputerName"),
               ("CPU", "Identification"), ("Memory", "Physical Memory"), ("Memory", "Paging Memory"),
               ("Vek Drivers and Tools", "Modification date"), ("Vek Drivers and Tools", "File size")}


def one_line(value):
    """A text on one line: backslashes doubled, CR and LF as \\r and \\n."""
    return value.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n")


def shown(value):
    """A result on one line; a long one (a raw block) as its head, length and digest."""
    value = one_line(value)
    if len(value) <= 120:
        return value
    return "%s... (%d characters, sha1 %s)" % (value[:72], len(value), hashlib.sha1(value.encode()).hexdigest()[:12])


def outline(root):
    """The report as lines: the header's fields, then for each group a line with its
    description ("Group | name | description") and one line per Test ("group | category |
    subcategory | name | result | status | Format | description"), and one line for each
    category or subcategory that holds no Test. Descriptions are never shortened: a Test that
    shows its neighbour's remark must change the outline."""
    lines = ["Header | %s | %s" % (e.tag, "*" if ("Header", e.tag) in HOST_VALUES else e.text or "")
             for e in root.find("Header")]
    for group in root.iter("TestGroup"):
        path = [group.findtext("GroupName")]
        lines.append("Group | %s | %s" % (path[0], one_line(group.findtext("GroupDescription") or "")))
        for category in group.iter("Category"):
            path[1:] = [category.findtext("CategoryName")]
            host = tuple(path) in HOST_VALUES
            if category.find("SubCategory") is None:
                lines.append(" | ".join(path))
            for sub in category.iter("SubCategory"):
                path[2:] = [sub.findtext("SubCategoryName")]
                if sub.find("Test") is None:
                    lines.append(" | ".join(path))
                for test in sub.iter("Test"):
                    result = test.find("TestResult")
                    name = test.findtext("TestName")
                    masked = host or (path[0], name) in HOST_VALUES
                    lines.append(" | ".join(path + [name, "*" if masked else shown(result.text or ""),
                                                    test.findtext("TestStatus") or "",
                                                    "*" if host else result.get("Format"),
                                                    one_line(test.findtext("TestDescription") or "")]))
    return "\n".join(lines) + "\n"
