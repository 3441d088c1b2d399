#!/usr/bin/env python3
"""The report stylesheet through xsltproc: sample reports written by the real writer (under
Wine) are transformed through their xml-stylesheet line and the page is checked for its
sections, anchors, links, texts and colours."""
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from urllib.parse import unquote

NBSP = "\u00a0"
SOURCE = os.environ["VEK_SOURCE"]
BIN = os.environ["VEK_BIN"]
# A report whose stylesheet line has to encode its name to be followed.
CLEAN = "clean #1 & 100% B\u00fcro.xml"
# The sentences of the summaries that have no entries.
EMPTY_SENTENCES = ["No temperature sensors available.", "No fan sensors available.", "No voltage sensors available.",
                   "No test failed.", "No sensor had an alarm state."]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def text_of(element):
    return "".join(element.itertext())


def transform(xml_path):
    """The page's tree, its text and its paragraphs' texts."""
    # No stylesheet argument: xsltproc follows the report's own xml-stylesheet line.
    result = subprocess.run(["xsltproc", xml_path], capture_output=True)
    check(result.returncode == 0, f"xsltproc {xml_path}: {result.stderr.decode(errors='replace')}")
    # libxml2's HTML parser closes the page's void elements, so ElementTree can take it.
    xhtml = subprocess.run(["xmllint", "--html", "--xmlout", "-"], input=result.stdout, capture_output=True).stdout
    page = ET.fromstring(xhtml)
    return page, result.stdout.decode("utf-8"), [text_of(p) for p in page.iter("p")]


def texts(page, tag):
    return [text_of(h).strip() for h in page.iter(tag)]


def header_value(xml_text, name):
    match = re.search(rf"<{name}>(.*?)</{name}>", xml_text)
    return match.group(1) if match else None


def row_cells(page, test_name):
    """The cells of the group table row whose first cell names the test."""
    for tr in page.iter("tr"):
        cells = [c for c in tr if c.tag == "td"]
        if cells and text_of(cells[0]).strip() == test_name and len(cells) == 4:
            return cells
    return None


def is_red(cell):
    return "#FF0000" in cell.get("style", "")


def after(page, anchor):
    """The element that follows the h3 heading holding the anchor."""
    heading = next(h for h in page.iter("h3") if any(a.get("name") == anchor for a in h.iter("a")))
    siblings = list(next(p for p in page.iter() if heading in list(p)))
    return siblings[siblings.index(heading) + 1]


def check_stylesheet_file(path):
    data = open(path, "rb").read()
    check(data.startswith(b"\xef\xbb\xbf"), "stylesheet without UTF-8 byte-order mark")
    check(data == open(os.path.join(SOURCE, "res", "Stylesheet.xsl"), "rb").read(),
          "stylesheet file differs from the resource source")


def check_sample(folder):
    xml_path = os.path.join(folder, "sample.xml")
    xml_text = open(xml_path, "rb").read().decode("utf-16")
    page, raw, paragraphs = transform(xml_path)
    computer = header_value(xml_text, "ComputerName")
    title = text_of(next(page.iter("title")))
    check(title == f"Vek Quorvel Report ({computer}, 5 Dec 2026)", f"title {title!r}")
    check(texts(page, "h1") == ["Vek Quorvel Report"], "h1")
    h2 = texts(page, "h2")
    check(h2 == ["Report Information", "Table of Contents", "Test Group 1: Operating System",
                 "Test Group 2: System Unit", "Test Group 3: Memory", "Sensor Summaries",
                 "Failed Tests and Alarms"], f"h2 sections {h2}")
    h3 = texts(page, "h3")
    check(h3 == ["Test Groups", "Summaries of Sensor Values", "Failed Tests and Alarms",
                 "Temperatures", "Fans", "Voltages", "Statistics",
                 "Temperature Sensors", "Fan Sensors", "Voltage Sensors", "Failed Tests", "Alarms"],
          f"h3 headings {h3}")
    h4 = texts(page, "h4")
    check(h4 == ["Board", "Supply", "Counters", "Power"], f"h4 subcategories {h4}")

    # Report Information: label and value rows in order.
    info = [[text_of(c) for c in tr.iter("td")] for tr in next(t for t in page.iter("table")).iter("tr")]
    labels = [row[0] for row in info]
    check(labels == ["Version", "Device Type", "Computer", "Author", "Date", "Time"], f"info labels {labels}")
    check(info[1][1] == header_value(xml_text, "VekDeviceType") and info[2][1] == computer
          and info[5][1] == "09:05:03", f"info values {info}")

    # Anchors and links: every link has its target; the expected anchors exist.
    # xsltproc writes a@name and a@href URI-escaped (a blank as %20); a browser unescapes both.
    anchors = {unquote(a.get("name")) for a in page.iter("a") if a.get("name")}
    check(all(unquote(a.get("name")) == a.get("id") for a in page.iter("a") if a.get("name")),
          "anchor name and id differ")
    links = [unquote(a.get("href")[1:]) for a in page.iter("a") if a.get("href", "").startswith("#")]
    check(set(links) <= anchors, f"links to missing anchors {set(links) - anchors}")
    missing = {"TOC", "GRP1", "GRP2", "GRP3", "TempSum", "TempFans", "TempVolt", "FailedTests", "Alarms",
               "System UnitTemperatures", "System UnitStatistics", "TST1", "TST8", "TST9"} - anchors
    check(not missing, f"anchors {missing} missing")
    check(links.count("TOC") == 3 + 5, f"back links: {links.count('TOC')}")
    # No CatUndef anchor or text, no DescrUndef, no Test outside any SubCategory.
    check(not any(word in raw for word in ("CatUndef", "DescrUndef", "Hidden test")), "CatUndef, DescrUndef or a stray test shown")

    # Table of contents: numbers with a dot, group links, descriptions or a blank.
    toc = [[text_of(c) for c in tr.iter("td")] for tr in list(page.iter("table"))[1].iter("tr")][1:]
    check(toc == [["1.", "Operating System", "Windows version & registration"], ["2.", "System Unit", NBSP],
                  ["3.", "Memory", NBSP]], f"group table {toc}")
    check("Available test categories: | Temperatures | Fans | Voltages | Statistics | " in paragraphs,
          f"category line missing: {[p for p in paragraphs if 'categories' in p]}")
    check(sum("Available test categories" in p for p in paragraphs) == 1, "category line for CatUndef-only group")

    # Results with their units, statuses and remarks.
    # One row per edge: status colours, a format past the list, an unknown status, a cut text,
    # a unit, an empty result.
    expected = {
        "Version": ("Windows XP <SP3>", "Passed", "Product name"),
        "Write filter": ("Disabled", "Passed", "Quote \"it\" & 'this'"), "Odd code": ("7", "Passed", "Format 16"),
        "No status": ("?", "", "Status 3"), "Registered owner": ("Op\ufffderator\ufffd", "Failed", None),
        "Sensor 2": ("91 °C", "Alarm", "Over the limit"), "Battery": ("The device is not ready", "Failed", NBSP),
        "Power": ("12.000 W", "Passed", NBSP), "Empty": (NBSP, "Passed", NBSP),
    }
    for name, (result, status, remark) in expected.items():
        cells = row_cells(page, name)
        if cells is None:
            check(False, f"no row for {name}")
            continue
        check(text_of(cells[2]) == result, f"{name}: result {text_of(cells[2])!r}, want {result!r}")
        check(text_of(cells[1]) == status, f"{name}: status {text_of(cells[1])!r}")
        check(remark is None or text_of(cells[3]) == remark, f"{name}: remark {text_of(cells[3])!r}")
        red = status in ("Failed", "Alarm")
        check(all(is_red(c) == red != ("#000000" in c.get("style", "")) for c in cells),
              f"{name}: cell styles {[c.get('style') for c in cells]}, want red={red}")
        check(any(a.get("name", "").startswith("TST") for a in cells[0].iter("a")), f"{name}: no TST anchor")

    raw_cells = row_cells(page, "Factory data")
    spans = list(raw_cells[2].iter("span")) if raw_cells else []
    check(len(spans) == 1 and "raw" in spans[0].get("class", ""), "Raw result not in the monospaced span")
    check(spans and text_of(spans[0]).startswith("00070E151C232A31"), f"Raw text {text_of(spans[0])[:20] if spans else ''!r}")

    # Sensor summaries: rows of group > test, values with units, alarms in red.
    def summary(anchor):
        return [([text_of(td) for td in tr.iter("td")], [is_red(td) for td in tr.iter("td")])
                for tr in after(page, anchor).iter("tr")][1:]

    g = f"System Unit{NBSP}>{NBSP}"
    check(summary("TempSum") == [([g + "Sensor 1", "45 °C"], [False, False]), ([g + "Sensor 2", "91 °C"], [True, True])],
          f"temperature summary {summary('TempSum')}")
    check(summary("TempFans") == [([g + "Case fan", "2400 rpm"], [False, False]), ([g + "CPU fan", "0 rpm"], [True, True])],
          f"fan summary {summary('TempFans')}")
    # A failed voltage is not an alarm: black in the summary.
    check(summary("TempVolt") == [([g + "5V", "5.02 V"], [False, False])], f"voltage summary {summary('TempVolt')}")

    def listed(anchor):
        check(after(page, anchor).tag == "ul", f"{anchor}: no list")
        return [(text_of(a), a.get("href")) for a in after(page, anchor).iter("a")]

    sep = f"{NBSP}>{NBSP}"
    failed = listed("FailedTests")
    check([t for t, _ in failed] == ["Operating System" + sep + "Registered owner",
                                     sep.join(["System Unit", "Voltages", "Supply", "Battery"])], f"failed list {failed}")
    alarms = listed("Alarms")
    check([t for t, _ in alarms] == [sep.join(["System Unit", "Temperatures", "Board", "Sensor 2"]),
                                     sep.join(["System Unit", "Fans", "CPU fan"])], f"alarm list {alarms}")
    for text, href in failed + alarms:
        cells = row_cells(page, text.split(sep)[-1])
        target = [a.get("name") for a in cells[0].iter("a")] if cells else []
        check(["#" + t for t in target] == [href], f"{text}: link {href} does not lead to its row {target}")
    check(not set(EMPTY_SENTENCES) & set(paragraphs), "a summary's empty sentence with entries present")


def check_clean(folder):
    page, raw, paragraphs = transform(os.path.join(folder, CLEAN))
    check(set(EMPTY_SENTENCES) <= set(paragraphs), "clean report: a summary's empty sentence missing")
    check(not list(page.iter("ul")), "clean report has a list")
    check([text_of(h) for h in page.iter("h4")] == [], "clean report: CatUndef subcategory heading shown")
    check("Available test categories: | Version | " in paragraphs, "clean report: category line")


def main():
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, VEK_REPORT_SAMPLES="Z:" + folder.replace("/", "\\"))
        result = subprocess.run([os.path.join(SOURCE, "tools", "wine-run"), os.path.join(BIN, "ReportSample_test.exe")],
                                env=env, capture_output=True, timeout=300)
        if result.returncode != 0:
            print(result.stdout.decode(errors="replace"), result.stderr.decode(errors="replace"))
            print("FAIL: the sample reports could not be written")
            return 1
        for name in ["sample.xml", CLEAN]:
            lint = subprocess.run(["xmllint", "--noout", os.path.join(folder, name)], capture_output=True)
            check(lint.returncode == 0, f"xmllint {name}: {lint.stderr.decode(errors='replace')}")
        check_stylesheet_file(os.path.join(folder, "sample.xsl"))
        check_sample(folder)
        check_clean(folder)
    for failure in failures:
        print("FAIL:", failure)
    print("stylesheet checks:", "failed" if failures else "all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
