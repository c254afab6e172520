#!/usr/bin/env python3
"""Prints the leak checks' figures from one CTest run: leak-lines.py JUNIT_FILE

Every line "leak check NAME: B before, A after, N operations" that a test case printed, in the
order the cases ran, so that the test command shows them each time and not only on failure.
"""
import sys
import xml.etree.ElementTree as ET


def main():
    for case in ET.parse(sys.argv[1]).getroot().iter("testcase"):
        out = case.find("system-out")
        if out is None or not out.text:
            continue
        for line in out.text.splitlines():
            if line.startswith("leak check "):
                print(line.rstrip("\r"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
