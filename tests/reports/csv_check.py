#!/usr/bin/python3
"""Reads a CSV file with python's csv module, as a spreadsheet would.

Usage: csv_check.py FILE.csv
Prints {"bom": true/false, "crlf_lines": n, "lone_lf": n, "rows": [[field, ...], ...]}.
"""
import csv
import io
import json
import sys

data = open(sys.argv[1], "rb").read()
bom = data.startswith(b"\xef\xbb\xbf")
text = data.decode("utf-8-sig")
crlf = text.count("\r\n")
lone_lf = text.count("\n") - crlf
rows = list(csv.reader(io.StringIO(text, newline="")))
json.dump({"bom": bom, "crlf_lines": crlf, "lone_lf": lone_lf, "rows": rows}, sys.stdout, ensure_ascii=False)
