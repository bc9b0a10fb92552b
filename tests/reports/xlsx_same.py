"""Compares two workbooks as openpyxl reads them: the same sheets, frozen
cells, merged ranges, widths, number formats and texts, and numbers equal
within REL relative (default 1e-12). Two builds whose maths libraries round
sin, cos or atan2 differently in the last bit store 16-digit values that may
differ in their last digit; every digit a cell shows is the same.
Prints the largest relative difference of a number; exit 1 on a difference.

usage: xlsx_same.py A.xlsx B.xlsx [REL]
"""
import sys

import openpyxl


def sheets(path):
    book = openpyxl.load_workbook(path)
    out = []
    for ws in book.worksheets:
        out.append({
            "name": ws.title,
            "freeze": ws.freeze_panes,
            "merged": sorted(str(r) for r in ws.merged_cells.ranges),
            "widths": {k: v.width for k, v in ws.column_dimensions.items()},
            "cells": [[(c.value, c.number_format) for c in row] for row in ws.iter_rows()],
        })
    return out


def main():
    rel = float(sys.argv[3]) if len(sys.argv) > 3 else 1e-12
    a, b = sheets(sys.argv[1]), sheets(sys.argv[2])
    faults, largest = [], 0.0
    if len(a) != len(b):
        faults.append("sheets: %d and %d" % (len(a), len(b)))
    for sa, sb in zip(a, b):
        for key in ("name", "freeze", "merged", "widths"):
            if sa[key] != sb[key]:
                faults.append("%s %s: %r and %r" % (sa["name"], key, sa[key], sb[key]))
        if len(sa["cells"]) != len(sb["cells"]):
            faults.append("%s rows: %d and %d" % (sa["name"], len(sa["cells"]), len(sb["cells"])))
        for i, (ra, rb) in enumerate(zip(sa["cells"], sb["cells"]), 1):
            if len(ra) != len(rb):
                faults.append("%s row %d: %d and %d cells" % (sa["name"], i, len(ra), len(rb)))
            for j, ((va, fa), (vb, fb)) in enumerate(zip(ra, rb)):
                where = "%s!%s%d" % (sa["name"], openpyxl.utils.get_column_letter(j + 1), i)
                if fa != fb:
                    faults.append("%s format %r and %r" % (where, fa, fb))
                numbers = all(isinstance(v, (int, float)) and not isinstance(v, bool) for v in (va, vb))
                if numbers:
                    d = abs(va - vb) / max(abs(va), abs(vb), 1e-300) if va != vb else 0.0
                    largest = max(largest, d)
                    if d > rel:
                        faults.append("%s %r and %r" % (where, va, vb))
                elif va != vb:
                    faults.append("%s %r and %r" % (where, va, vb))
    for f in faults[:20]:
        print(f)
    print("largest relative difference %.3g" % largest)
    return 1 if faults else 0


sys.exit(main())
