"""The GoogleTest-style report of a Python test program, so that the test
command's tally counts its cases too.

write_report(name, results) writes NAME.xml into the folder GTEST_OUTPUT
names ("xml:DIR/", a Windows path on drive Z: under Wine); results are
(case, seconds, failure text or None). Without such a folder nothing is
written.
"""
import os
import xml.etree.ElementTree as ET


def report_folder():
    value = os.environ.get("GTEST_OUTPUT", "")
    if not value.startswith("xml:") or not value.endswith(("/", "\\")):
        return None
    folder = value[4:].replace("\\", "/")
    if folder[:2].upper() == "Z:":
        folder = folder[2:]
    return folder if os.path.isdir(folder) else None


def write_report(name, results):
    folder = report_folder()
    if not folder:
        return
    suite = ET.Element("testsuites", name=name)
    group = ET.SubElement(suite, "testsuite", name=name, tests=str(len(results)))
    for case_name, seconds, detail in results:
        case = ET.SubElement(group, "testcase", classname=name, name=case_name, status="run",
                             time="%.1f" % seconds)
        if detail is not None:
            ET.SubElement(case, "failure", message=detail.splitlines()[0] if detail else "failed").text = detail
    ET.ElementTree(suite).write(os.path.join(folder, name + ".xml"), encoding="utf-8", xml_declaration=True)
