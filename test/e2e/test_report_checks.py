#!/usr/bin/env python3
"""The harness's report checks on a hand-written report: the sample passes every check, and
each kind of fault put into it is caught by the check meant for it."""
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import facts  # noqa: E402
import scan   # noqa: E402

SAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "samples")
TEST_END = "<TestStatus>Passed</TestStatus>\n\t\t\t\t\t\t</Test>\n\t\t\t</SubCategory>\n\t\t</Category>\n\t</TestGroup>"

# (name, how the sample is changed, a text that the problems must contain)
MUTATIONS = [
    ("no_bom", None, "byte-order mark"),
    ("group_gap", lambda t: t.replace("<GroupNumber>3<", "<GroupNumber>4<"), "GroupNumbers"),
    ("test_restart", lambda t: t.replace("<TestNumber>2<", "<TestNumber>1<"), "TestNumbers"),
    ("bad_format", lambda t: t.replace('Format="Rpm"', 'Format="rpm"'), "Format"),
    ("bad_status", lambda t: t.replace("<TestStatus>Alarm<", "<TestStatus>alarm<"), "TestStatus"),
    ("bad_depth", lambda t: t.replace("\t\t<GroupName>General", "\t\t\t<GroupName>General"), "depth"),
    ("blank_indent", lambda t: t.replace("\t\t<Author>", "  <Author>"), "blanks"),
    ("lf_only", lambda t: t.replace("</Header>\n", "</Header>\u2603"), "CR"),
    ("not_well_formed", lambda t: t.replace("&lt;&amp;", "<&"), "well-formed"),
    ("unknown_element", lambda t: t.replace(TEST_END, TEST_END.replace("\n", "\n\t\t\t\t\t\t\t<Extra>x</Extra>\n", 1), 1),
     "report.rng"),
    ("test_order", lambda t: t.replace("<TestDescription>DescrUndef</TestDescription>\n\t\t\t\t\t\t\t<TestNumber>1</TestNumber>",
                                       "<TestNumber>1</TestNumber>\n\t\t\t\t\t\t\t<TestDescription>DescrUndef</TestDescription>"),
     "report.rng"),
    ("bad_date", lambda t: t.replace("5 Dec 2026", "05.12.2026"), "report.rng"),
    ("no_end", lambda t: t.replace("</VekQuorvelReport>\n", ""), "root end tag"),
]

# Facts that hold on the sample, and facts that must fail on it.
TRUE_FACTS = [
    facts.Header("VekDeviceType", "Vek Torvex 670"),
    facts.Categories("General", ["User Settings", "Key Configuration"]),
    facts.SubCategories("Fan Kits", "Bus Fan Kit", []),
    facts.Tests("Fan Kits", "Case Fan Kit", ["Case fan 1", "Raw data"]),
    facts.HasTest("Fan Kits", "Case Fan Kit", "Case fan 4", present=False),
    facts.Result("General", "User Settings", "Value", value="00ABCD12h", status="Passed", fmt="String"),
    facts.Result("Fan Kits", "Case Fan Kit", "Raw data", value="00 01 02 03 <&>\" '\n04 05"),
    facts.ResultLike("General", "User Settings", "Value", r"00AB.*h"),
    facts.Group("BIOS", present=False),
]
FALSE_FACTS = [
    facts.Categories("General", ["User Settings"]),
    facts.Result("General", "User Settings", "Value", status="Failed"),
    facts.ResultLike("General", "User Settings", "Value", r"00AB"),
    facts.Group("CPU"),
]


def run_checks(text, folder, name, bom=True):
    """All checks of scan.check_report on the report text written as the program writes it."""
    data = (b"\xff\xfe" if bom else b"") + text.replace("\r\n", "\n").replace("\n", "\r\n").replace(
        "\u2603", "\n").encode("utf-16-le")
    run = scan.Run(name, "sim", None)
    run.exit_code, run.report_bytes = 0, data
    run.report_path = os.path.join(folder, name + ".xml")
    run.stylesheet = os.path.join(SAMPLES, "sample.xsl")
    with open(run.report_path, "wb") as f:
        f.write(data)
    return run.problems, scan.check_report(run)


def main():
    folder = tempfile.mkdtemp(prefix="e2e-checks-")
    failures = []
    try:
        with open(os.path.join(SAMPLES, "sample_report.xml"), encoding="utf-8") as f:
            text = f.read()
        problems, root = run_checks(text, folder, "sample")
        if problems:
            failures.append("the sample report fails: %s" % problems)
        else:
            report = scan.Report(root)
            failures += ["fact on the sample: " + p for p in (check(report) for check in TRUE_FACTS) if p]
            failures += ["a wrong fact passed on the sample (%d)" % i for i, check in enumerate(FALSE_FACTS)
                         if check(report) is None]
        for name, change, expected in MUTATIONS:
            changed = change(text) if change else text
            if change and changed == text:
                failures.append("%s: the change did not apply to the sample" % name)
                continue
            problems, _ = run_checks(changed, folder, name, bom=change is not None)
            if not any(expected in p for p in problems):
                failures.append("%s: not caught (problems: %s)" % (name, problems))
        # The facts tables themselves: every row names known runs and a known group.
        known_runs = set(scan.profile_names()) | {"builtin", "nodll", "reduced"}
        known_groups = set(facts.GROUPS) | {None}
        for group, rows in facts.FACTS.items():
            if group not in known_groups:
                failures.append("facts for unknown group %r" % group)
            for runs, check in rows:
                if not runs or not callable(check) or set(runs) - known_runs:
                    failures.append("fact of %r names no or unknown runs %s" % (group, set(runs) - known_runs))
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    for f in failures:
        print("FAIL: " + f)
    print("%d problems" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
