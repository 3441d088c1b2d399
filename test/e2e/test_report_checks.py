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


def sample_text():
    with open(os.path.join(SAMPLES, "sample_report.xml"), encoding="utf-8") as f:
        return f.read()


def as_report_bytes(text, bom=True):
    data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-16-le")
    return (b"\xff\xfe" if bom else b"") + data


def run_checks(data, folder, name):
    """All checks of scan.check_report on report bytes; returns (problems, tree)."""
    run = scan.Run(name, "sim", None)
    run.exit_code = 0
    run.report_bytes = data
    run.report_path = os.path.join(folder, name + ".xml")
    with open(run.report_path, "wb") as f:
        f.write(data)
    run.stylesheet = os.path.join(SAMPLES, "sample.xsl")
    root = scan.check_report(run)
    return run.problems, root


# (name, how the sample is changed, a text that the problems must contain)
MUTATIONS = [
    ("no_bom", lambda t: t, "byte-order mark"),
    ("group_gap", lambda t: t.replace("<GroupNumber>3<", "<GroupNumber>4<"), "GroupNumbers"),
    ("test_restart", lambda t: t.replace("<TestNumber>2<", "<TestNumber>1<"), "TestNumbers"),
    ("bad_format", lambda t: t.replace('Format="Rpm"', 'Format="rpm"'), "Format"),
    ("bad_status", lambda t: t.replace("<TestStatus>Alarm<", "<TestStatus>alarm<"), "TestStatus"),
    ("bad_depth", lambda t: t.replace("\t\t<GroupName>General", "\t\t\t<GroupName>General"), "depth"),
    ("blank_indent", lambda t: t.replace("\t\t<Author>", "  <Author>"), "blanks"),
    ("lf_only", lambda t: t.replace("</Header>\n", "</Header>\u2603"), "CR"),
    ("not_well_formed", lambda t: t.replace("&lt;&amp;", "<&"), "well-formed"),
    ("unknown_element", lambda t: t.replace("<TestStatus>Passed</TestStatus>\n\t\t\t\t\t\t</Test>\n\t\t\t</SubCategory>\n\t\t</Category>\n\t</TestGroup>",
                                            "<TestStatus>Passed</TestStatus>\n\t\t\t\t\t\t\t<Extra>x</Extra>\n\t\t\t\t\t\t</Test>\n\t\t\t</SubCategory>\n\t\t</Category>\n\t</TestGroup>", 1),
     "report.rng"),
    ("test_order", lambda t: t.replace("<TestDescription>DescrUndef</TestDescription>\n\t\t\t\t\t\t\t<TestNumber>1</TestNumber>",
                                       "<TestNumber>1</TestNumber>\n\t\t\t\t\t\t\t<TestDescription>DescrUndef</TestDescription>"),
     "report.rng"),
    ("bad_date", lambda t: t.replace("5 Dec 2026", "05.12.2026"), "report.rng"),
    ("no_end", lambda t: t.replace("</VekQuorvelReport>\n", ""), "root end tag"),
]


def main():
    folder = tempfile.mkdtemp(prefix="e2e-checks-")
    failures = []
    try:
        text = sample_text()
        problems, root = run_checks(as_report_bytes(text), folder, "sample")
        if problems:
            failures.append("the sample report fails: %s" % problems)
        else:
            report = scan.Report(root)
            expectations = [
                facts.Header("VekDeviceType", "Vek Torvex 670"),
                facts.Categories("General", ["User Settings", "Key Configuration"]),
                facts.SubCategories("General", "User Settings", ["User Serial ID"]),
                facts.Categories("Fan Kits", ["Case Fan Kit", "Bus Fan Kit"]),
                facts.SubCategories("Fan Kits", "Bus Fan Kit", []),
                facts.Tests("Fan Kits", "Case Fan Kit", ["Case fan 1", "Raw data"]),
                facts.HasTest("Fan Kits", "Case Fan Kit", "Case fan 4", present=False),
                facts.Result("General", "User Settings", "Value", value="00ABCD12h", status="Passed", fmt="String"),
                facts.Result("Fan Kits", "Case Fan Kit", "Raw data", value="00 01 02 03 <&>\" '\n04 05"),
                facts.AnyStatus("Alarm"),
                facts.Group("BIOS", present=False),
            ]
            for check in expectations:
                problem = check(report)
                if problem:
                    failures.append("fact on the sample: " + problem)
            # Facts must also fail when the report differs.
            wrong = [facts.Categories("General", ["User Settings"]),
                     facts.Result("General", "User Settings", "Value", status="Failed"),
                     facts.Group("CPU"), facts.AnyStatus("Failed" + "x")]
            for check in wrong:
                if check(report) is None:
                    failures.append("a wrong fact passed on the sample: %s" % type(check).__name__)

        for name, change, expected in MUTATIONS:
            changed = change(text)
            if changed == text and name != "no_bom":
                failures.append("%s: the change did not apply to the sample" % name)
                continue
            data = as_report_bytes(changed, bom=name != "no_bom")
            if name == "lf_only":
                data = data.replace("\u2603".encode("utf-16-le"), "\n".encode("utf-16-le"))
            problems, _ = run_checks(data, folder, name)
            if not any(expected in p for p in problems):
                failures.append("%s: not caught (problems: %s)" % (name, problems))

        # The facts tables themselves: every check is callable and names a known group.
        known = {name for name, _ in facts.GROUP_CLASSES}
        for group, rows in facts.FACTS.items():
            if group is not None and group not in known:
                failures.append("facts for unknown group %r" % group)
            for runs, check in rows:
                if not runs or not callable(check):
                    failures.append("bad fact row in %r" % group)
                unknown = [r for r in runs if r not in set(scan.profile_names()) | {"builtin", "nodll", "reduced"}]
                if unknown:
                    failures.append("facts of %r name unknown runs %s" % (group, unknown))
    finally:
        shutil.rmtree(folder, ignore_errors=True)

    for f in failures:
        print("FAIL: " + f)
    print("%d problems" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
