"""A CSV table as a person puts it in a workbook with openpyxl: a title in
the first row, the header on FIRST_ROW from column FIRST_COL (1 is A), the
numbers as numbers (shown with 3 decimals, every digit stored), the rest as
text; column SKIP of the sheet, when given, left blank inside the table.

usage: xlsx_from_csv.py CSV OUT SHEET FIRST_ROW FIRST_COL [SKIP]
"""
import csv
import sys

import openpyxl

src, out, sheet, first_row, first_col = sys.argv[1:6]
first_row, first_col = int(first_row), int(first_col)
skip = int(sys.argv[6]) if len(sys.argv) > 6 else 0
with open(src, encoding="utf-8-sig") as f:
    rows = list(csv.reader(l for l in f if l.strip() and not l.lstrip().startswith("#")))

wb = openpyxl.Workbook()
ws = wb.active
ws.title = sheet
ws.cell(row=1, column=first_col, value=sheet)
for r, row in enumerate(rows):
    col = first_col
    for field in row:
        if col == skip:
            col += 1
        value = field
        try:
            value = float(field) if field.strip() else None
        except ValueError:
            pass
        cell = ws.cell(row=first_row + r, column=col, value=value)
        if isinstance(value, float):
            cell.number_format = "0.000"
        col += 1
wb.save(out)
