"""Reads a workbook with openpyxl and prints it as JSON: per sheet its name,
frozen cell, merged ranges, and every row's values and number formats.

usage: xlsx_dump.py FILE
"""
import json
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
sheets = []
for ws in book.worksheets:
    rows, formats = [], []
    for row in ws.iter_rows():
        rows.append([c.value for c in row])
        formats.append([c.number_format for c in row])
    sheets.append({
        "name": ws.title,
        "freeze": ws.freeze_panes,
        "merged": [str(r) for r in ws.merged_cells.ranges],
        "widths": {k: v.width for k, v in ws.column_dimensions.items()},
        "rows": rows,
        "formats": formats,
    })
print(json.dumps({"sheets": sheets}, ensure_ascii=False))
