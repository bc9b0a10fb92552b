#!/usr/bin/python3
"""Reads a route drawing with ezdxf (an independent DXF reader) and measures it.

Usage: dxf_check.py DRAWING.dxf CENTRELINE.csv [STAKES.csv]
  CENTRELINE.csv: "station,x,y" rows, centreline points computed by the engine
                  (x north, y east); each is located on the nearest drawn
                  CENTRELINE entity (LINE, ARC, POLYLINE segment).
  STAKES.csv:     "name,x,y" rows, the stakes the drawing must carry as POINT
                  on layer STAKE with a TEXT of that name on layer LABEL.
Prints one JSON object with what it found; the test decides what is good.
"""
import csv
import json
import math
import sys

import ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode

CELL = 25.0  # metres, grid for the nearest-entity search


def seg_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    L2 = dx * dx + dy * dy
    t = 0.0 if L2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / L2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def arc_distance(px, py, cx, cy, r, a0, a1):
    # ARC runs counter-clockwise from a0 to a1 (degrees).
    ang = math.degrees(math.atan2(py - cy, px - cx)) % 360.0
    span = (a1 - a0) % 360.0
    if (ang - a0) % 360.0 <= span:
        return abs(math.hypot(px - cx, py - cy) - r)
    ends = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))) for a in (a0, a1)]
    return min(math.hypot(px - ex, py - ey) for ex, ey in ends)


def main():
    doc = ezdxf.readfile(sys.argv[1])
    auditor = doc.audit()
    msp = doc.modelspace()
    out = {
        "dxfversion": doc.dxfversion,
        "audit_errors": [str(e.message) for e in auditor.errors],
        "audit_fixes": [str(e.message) for e in auditor.fixes],
        "layers": sorted(layer.dxf.name for layer in doc.layers),
        "counts": {},
    }
    labels = [decode_dxf_unicode(e.dxf.text) for e in msp.query("TEXT[layer=='LABEL']")]
    if len(labels) <= 100:
        out["labels"] = labels
    for e in msp:
        key = e.dxftype() + "@" + e.dxf.layer
        out["counts"][key] = out["counts"].get(key, 0) + 1

    # Pieces of the centreline in DXF coordinates (x east, y north).
    pieces = []  # (kind, data, bbox)
    for e in msp.query("*[layer=='CENTRELINE']"):
        t = e.dxftype()
        if t == "LINE":
            a, b = e.dxf.start, e.dxf.end
            pieces.append(("LINE", (a.x, a.y, b.x, b.y), (min(a.x, b.x), min(a.y, b.y), max(a.x, b.x), max(a.y, b.y))))
        elif t == "ARC":
            c, r = e.dxf.center, e.dxf.radius
            out.setdefault("arcs", []).append([c.x, c.y, r, e.dxf.start_angle, e.dxf.end_angle])
            pieces.append(("ARC", (c.x, c.y, r, e.dxf.start_angle, e.dxf.end_angle), (c.x - r, c.y - r, c.x + r, c.y + r)))
        elif t == "POLYLINE":
            v = [p.dxf.location for p in e.vertices]
            for p, q in zip(v, v[1:]):
                pieces.append(("POLYLINE", (p.x, p.y, q.x, q.y), (min(p.x, q.x), min(p.y, q.y), max(p.x, q.x), max(p.y, q.y))))
        else:
            out.setdefault("unexpected", []).append(t)
    grid = {}
    for i, (_, _, (x0, y0, x1, y1)) in enumerate(pieces):
        for gx in range(math.floor(x0 / CELL) - 1, math.floor(x1 / CELL) + 2):
            for gy in range(math.floor(y0 / CELL) - 1, math.floor(y1 / CELL) + 2):
                grid.setdefault((gx, gy), []).append(i)

    worst = {"LINE": 0.0, "ARC": 0.0, "POLYLINE": 0.0}
    hits = {"LINE": 0, "ARC": 0, "POLYLINE": 0}
    worst_station = None
    overall = 0.0
    missing = 0
    with open(sys.argv[2], newline="") as f:
        for station, x, y in csv.reader(f):
            px, py = float(y), float(x)  # DXF x = east, y = north
            best, kind = math.inf, None
            for i in grid.get((math.floor(px / CELL), math.floor(py / CELL)), []):
                k, d, _ = pieces[i]
                dist = seg_distance(px, py, *d) if k != "ARC" else arc_distance(px, py, *d)
                if dist < best:
                    best, kind = dist, k
            if kind is None:
                missing += 1
                continue
            hits[kind] += 1
            worst[kind] = max(worst[kind], best)
            if best > overall:
                overall, worst_station = best, float(station)
    out["centreline"] = {"worst": worst, "hits": hits, "max": overall, "max_station": worst_station,
                         "far_from_every_piece": missing}

    if len(sys.argv) > 3:
        points = {}
        for e in msp.query("POINT[layer=='STAKE']"):
            points[(round(e.dxf.location.y, 4), round(e.dxf.location.x, 4))] = True
        texts = [e.dxf.text for e in msp.query("TEXT[layer=='LABEL']")]
        text_set = set(texts)
        stakes_missing_point, stakes_missing_text, n = 0, 0, 0
        with open(sys.argv[3], newline="", encoding="utf-8") as f:
            for name, x, y in csv.reader(f):
                n += 1
                if (round(float(x), 4), round(float(y), 4)) not in points:
                    stakes_missing_point += 1
                if name not in text_set:
                    stakes_missing_text += 1
        out["stakes"] = {"given": n, "missing_point": stakes_missing_point, "missing_text": stakes_missing_text,
                         "texts": texts[:50] if len(texts) < 50 else texts[:10]}
    json.dump(out, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
