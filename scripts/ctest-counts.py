#!/usr/bin/env python3
"""Counts the test cases of one CTest run: ctest-counts.py BUILD_DIR JUNIT_FILE

Prints "PASSED FAILED SKIPPED". Every CTest test is a test case except the fixtures that set
up or clean up for the others (starting and stopping the Wine server): those are left out of
the counts. A fixture that failed is named on the standard error and the exit code is 1.
A case counts as skipped only when it said so (or is disabled); a case CTest could not run
(a missing executable, a failed fixture) counts as failed.
"""
import json
import subprocess
import sys
import xml.etree.ElementTree as ET

SKIP_MESSAGES = ("SKIP_REGULAR_EXPRESSION_MATCHED", "SKIP_RETURN_CODE")


def fixture_names(build_dir):
    listing = subprocess.run(["ctest", "--test-dir", build_dir, "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
    names = set()
    for test in json.loads(listing).get("tests", []):
        props = {p["name"] for p in test.get("properties", [])}
        if props & {"FIXTURES_SETUP", "FIXTURES_CLEANUP"}:
            names.add(test["name"])
    return names


def outcome(case):
    status = case.get("status")
    if status == "run":
        return "passed"
    if status == "disabled":
        return "skipped"
    if status == "notrun":
        skipped = case.find("skipped")
        message = skipped.get("message", "") if skipped is not None else ""
        return "skipped" if message.startswith(SKIP_MESSAGES) else "failed"
    return "failed"


def main():
    build_dir, junit = sys.argv[1:3]
    fixtures = fixture_names(build_dir)
    counts = {"passed": 0, "failed": 0, "skipped": 0}
    broken_fixtures = []
    for case in ET.parse(junit).getroot().iter("testcase"):
        result = outcome(case)
        if case.get("name") in fixtures:
            if result == "failed":
                broken_fixtures.append(case.get("name"))
            continue
        counts[result] += 1
    print(counts["passed"], counts["failed"], counts["skipped"])
    for name in broken_fixtures:
        print(f"fixture {name} failed", file=sys.stderr)
    return 1 if broken_fixtures else 0


if __name__ == "__main__":
    sys.exit(main())
