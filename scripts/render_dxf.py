#!/usr/bin/python3
"""Renders a DXF drawing to a PNG with ezdxf's drawing add-on and matplotlib
(Debian: python3-ezdxf, python3-matplotlib): an independent viewer of the
files `tarvelo-cli route export --format dxf` writes.

Usage: /usr/bin/python3 scripts/render_dxf.py IN.dxf OUT.png
           [--detail XMIN YMIN XMAX YMAX] [--size W H] [--dpi D]
The whole drawing is shown; with --detail a second panel beside it shows
that rectangle (drawing units: DXF x = east, y = north), which is outlined on
the whole view. White background; ACI colour 7 shows black.
scripts/render_route_example.sh makes the README's picture with it.
"""
import argparse
import logging

import matplotlib

matplotlib.use("Agg")
import matplotlib.patches as patches  # noqa: E402
import matplotlib.pyplot as plt  # noqa: E402

import ezdxf  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.config import Configuration  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402
from ezdxf.addons.drawing.properties import LayoutProperties  # noqa: E402

# The drawing's text style names AutoCAD's "txt" shape font, which matplotlib
# does not have; it falls back on its own font, which is what is wanted.
logging.getLogger("matplotlib.font_manager").setLevel(logging.ERROR)


def draw(doc, ax):
    msp = doc.modelspace()
    props = LayoutProperties.from_layout(msp)
    props.set_colors("#ffffff")
    # Points as the file's header asks ($PDMODE, $PDSIZE), not the add-on's dots.
    config = Configuration.defaults().with_changes(pdsize=None, pdmode=None)
    Frontend(RenderContext(doc), MatplotlibBackend(ax), config).draw_layout(
        msp, finalize=True, layout_properties=props)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dxf")
    ap.add_argument("png")
    ap.add_argument("--detail", nargs=4, type=float, metavar=("XMIN", "YMIN", "XMAX", "YMAX"))
    ap.add_argument("--size", nargs=2, type=float, default=(12, 6), metavar=("W", "H"), help="inches")
    ap.add_argument("--dpi", type=int, default=100)
    a = ap.parse_args()

    doc = ezdxf.readfile(a.dxf)
    auditor = doc.audit()
    if auditor.has_errors:
        raise SystemExit(f"{a.dxf}: ezdxf audit found {len(auditor.errors)} errors")

    fig = plt.figure(figsize=a.size, facecolor="#ffffff")
    whole = fig.add_axes((0.005, 0.01, 0.49, 0.98) if a.detail else (0, 0, 1, 1))
    draw(doc, whole)
    if a.detail:
        x0, y0, x1, y1 = a.detail
        whole.add_patch(patches.Rectangle((x0, y0), x1 - x0, y1 - y0, fill=False, edgecolor="#444444",
                                          linestyle="--", linewidth=1))
        detail = fig.add_axes((0.505, 0.01, 0.49, 0.98))
        draw(doc, detail)
        detail.set_xlim(x0, x1)
        detail.set_ylim(y0, y1)
        detail.set_aspect("equal", adjustable="datalim")
        for spine in detail.spines.values():
            spine.set_visible(True)
            spine.set_edgecolor("#444444")
    fig.savefig(a.png, dpi=a.dpi, facecolor="#ffffff")


if __name__ == "__main__":
    main()
