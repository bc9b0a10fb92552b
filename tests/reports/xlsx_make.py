"""Workbooks as people make them, written with openpyxl from the example CSV
files: title rows, merged cells, a two-row header, formulas with and without
cached values, numbers shown with 3 decimals, Chinese sheet names.

usage: xlsx_make.py EXAMPLES_DIR OUT_DIR
Writes the workbooks into OUT_DIR and prints nothing; exits 1 on error.
"""
import csv
import os
import re
import shutil
import sys
import zipfile

import openpyxl
from openpyxl.styles import Font

examples, out = sys.argv[1], sys.argv[2]


def rows_of(name):
    with open(os.path.join(examples, name), encoding="utf-8-sig") as f:
        lines = [l for l in f if l.strip() and not l.lstrip().startswith("#")]
    return list(csv.reader(lines))


def typed(field):
    """A field as a person types it: numbers as numbers, the rest as text."""
    try:
        return float(field) if field.strip() else None
    except ValueError:
        return field


def put_row(ws, r, values, first_col=1, fmt=None):
    for i, v in enumerate(values):
        cell = ws.cell(row=r, column=first_col + i, value=v)
        if fmt and isinstance(v, float):
            cell.number_format = fmt


def add_cached_values(path, values):
    """openpyxl writes formulas without results; a spreadsheet program stores
    the result beside the formula. values: {(sheet xml name, cell): text}."""
    tmp = path + ".tmp"
    with zipfile.ZipFile(path) as src, zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED) as dst:
        for item in src.infolist():
            data = src.read(item.filename)
            for (part, ref), value in values.items():
                if item.filename == part:
                    text = data.decode("utf-8")
                    text, n = re.subn(r'(<c r="%s"[^>]*>)<f>([^<]*)</f><v\s*/>' % ref,
                                      r"\1<f>\2</f><v>%s</v>" % value, text)
                    if n == 0:
                        text, n = re.subn(r'(<c r="%s"[^>]*>)<f>([^<]*)</f>(<v></v>)?' % ref,
                                          r"\1<f>\2</f><v>%s</v>" % value, text)
                    assert n == 1, (part, ref)
                    data = text.encode("utf-8")
            dst.writestr(item, data)
    shutil.move(tmp, path)


def patch_value(path, part, ref, text):
    """Replaces the stored value of one cell."""
    tmp = path + ".tmp"
    with zipfile.ZipFile(path) as src, zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED) as dst:
        for item in src.infolist():
            data = src.read(item.filename)
            if item.filename == part:
                new, n = re.subn(r'(<c r="%s"[^>]*><v>)[^<]*(</v>)' % ref, r"\g<1>%s\g<2>" % text,
                                 data.decode("utf-8"))
                assert n == 1, (part, ref)
                data = new.encode("utf-8")
            dst.writestr(item, data)
    shutil.move(tmp, path)


route = rows_of("route-example.csv")
header, data = route[0], route[1:]

# 1. Route: merged title, project row, blank row, the table from column B,
#    coordinates shown with one decimal (three stored), the QD station typed in K notation.
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "交点表"
ws["B1"] = "直线、曲线及转角表"
ws["B1"].font = Font(bold=True, size=14)
ws.merge_cells("B1:H1")
ws["B2"] = "项目：示例公路 K10+000～K15+191.070"
put_row(ws, 4, header, first_col=2)
for i, row in enumerate(data):
    values = [typed(f) for f in row]
    if i == 0:
        values[3] = "K10+000.000"
    put_row(ws, 5 + i, values, first_col=2, fmt="0.0")
path = os.path.join(out, "route-titled.xlsx")
wb.save(path)
# JD1's R as a writer may store it, with 20 significant digits: the same
# double as 800.
patch_value(path, "xl/worksheets/sheet1.xml", "F6", "800.00000000000000001")

# 2. Route: a two-row header (merged upper cells), a total row below.
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "线路"
put_row(ws, 1, ["交点号", "交点坐标", None, "交点桩号", "半径", "缓和曲线长", None])
put_row(ws, 2, [None, "X", "Y", None, None, "Ls1", "Ls2"])
for rng in ("A1:A2", "B1:C1", "D1:D2", "E1:E2", "F1:G1"):
    ws.merge_cells(rng)
for i, row in enumerate(data):
    put_row(ws, 3 + i, [typed(f) for f in row])
put_row(ws, 3 + len(data) + 1, ["合计", None, None, None, None, 570, 530])
wb.save(os.path.join(out, "route-two-row.xlsx"))

# 3. Design stake table with a formula column whose results are cached
#    (高程 = a value plus zero, as a spreadsheet keeps them), on the second
#    sheet of a workbook whose first sheet is a note.
design = rows_of("design-check-example.csv")
wb = openpyxl.Workbook()
note = wb.active
note.title = "说明"
note["A1"] = "设计逐桩坐标表，见第二张工作表。"
ws = wb.create_sheet("逐桩坐标")
ws["A1"] = "逐桩坐标表"
ws.merge_cells("A1:E1")
put_row(ws, 2, design[0])
cached = {}
for i, row in enumerate(design[1:]):
    r = 3 + i
    values = [typed(f) for f in row]
    put_row(ws, r, values[:4])
    if isinstance(values[4], float):
        ws.cell(row=r, column=5, value="=%r+0" % values[4])
        cached[("xl/worksheets/sheet2.xml", "E%d" % r)] = repr(values[4])
    else:
        ws.cell(row=r, column=5, value=values[4])
path = os.path.join(out, "design-formula.xlsx")
wb.save(path)
add_cached_values(path, cached)

# 4. Breaks and profile: a sheet each, picked by name; the profile's
#    elevations shown with 3 decimals.
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "断链表"
for i, row in enumerate(rows_of("breaks-example.csv")):
    put_row(ws, 1 + i, row)
ws = wb.create_sheet("纵断面")
ws["A1"] = "纵断面变坡点表"
for i, row in enumerate(rows_of("profile-example.csv")):
    put_row(ws, 3 + i, [typed(f) if i else f for f in row], fmt="0.000")
wb.save(os.path.join(out, "breaks-profile.xlsx"))

def plain_route(sheet, title, header_row):
    """The example route under a one-cell title, its header on header_row."""
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = sheet
    ws["A1"] = title
    put_row(ws, header_row, header)
    for i, row in enumerate(data):
        put_row(ws, header_row + 1 + i, [typed(f) for f in row])
    return wb, ws


# 5. Refused: a formula without a result, in the route's C12 once the title
#    rows are counted.
wb, ws = plain_route("Sheet1", "线路", 5)
ws["C12"] = "=C11+1"
wb.save(os.path.join(out, "formula-uncached.xlsx"))

# 6. Refused: no table a reader knows.
wb = openpyxl.Workbook()
wb.active.title = "封面"
wb.active["A1"] = "示例公路施工图设计"
wb.active["A2"] = "第三册 路线"
wb.save(os.path.join(out, "no-table.xlsx"))

# 7. A bad cell: Y of JD2 as a text, in row 6 (C6) of the sheet.
wb, ws = plain_route("线路", "交点表", 3)
ws["C6"] = "四五五"
wb.save(os.path.join(out, "route-bad-cell.xlsx"))

# 8. The element route, the cross sections and surveyed points, a sheet
#    each under a title row.
wb = openpyxl.Workbook()
first = True
for sheet, title, rows in (("线元表", "匝道线元表", rows_of("ramp-elements.csv")),
                           ("横断面", "超高加宽表", rows_of("sections-example.csv")),
                           ("测点", "外业测点", [["点名", "X", "Y"], ["P1", "3380600", "459000"],
                                                  ["P2", "3380750.25", "459400"]])):
    ws = wb.active if first else wb.create_sheet(sheet)
    ws.title = sheet
    first = False
    ws["A1"] = title
    put_row(ws, 3, rows[0])
    for i, row in enumerate(rows[1:]):
        put_row(ws, 4 + i, [typed(f) for f in row])
wb.save(os.path.join(out, "elements-sections-points.xlsx"))

# 9. A bad cell where the sheet's columns differ from the table's: the table
#    from column B under a merged title, column D left blank, Y of JD2 (the
#    table's third column, the sheet's E7) a text.
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "Sheet1"
ws["B1"] = "交点表"
ws.merge_cells("B1:I1")
put_row(ws, 3, header[:2], first_col=2)
put_row(ws, 3, header[2:], first_col=5)
for i, row in enumerate(data):
    values = [typed(f) for f in row]
    put_row(ws, 4 + i, values[:2], first_col=2)
    put_row(ws, 4 + i, values[2:], first_col=5)
ws["E7"] = "455x"
wb.save(os.path.join(out, "route-shifted-bad-cell.xlsx"))

# 10. The earthwork inputs as a person keeps them: the roadbed template, the
#     ground lines and the centre ground, a sheet each under a title.
wb = openpyxl.Workbook()
first = True
for sheet, title, name in (("路基模板", "路基模板", "template-example.csv"),
                           ("地面线", "横断面地面线", "ground-example.csv"),
                           ("中桩地面", "中桩地面高程", "ground-centre-example.csv")):
    ws = wb.active if first else wb.create_sheet(sheet)
    ws.title = sheet
    first = False
    ws["A1"] = title
    rows = rows_of(name)
    put_row(ws, 3, rows[0])
    for i, row in enumerate(rows[1:]):
        put_row(ws, 4 + i, [typed(f) for f in row])
wb.save(os.path.join(out, "earthwork-inputs.xlsx"))

# 11. Refused: data below the total row, in the sheet's B13.
wb, ws = plain_route("线路", "交点表", 3)
ws["A11"] = "合计"
ws["B13"] = 3379000.5
wb.save(os.path.join(out, "data-below-total.xlsx"))
