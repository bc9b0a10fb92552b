#!/usr/bin/python3
"""Parses a LandXML file with python's own XML parser and lists what it holds.

Usage: landxml_check.py FILE.xml
Prints one JSON object: the root's namespace and attributes, the Metric
units, the Alignment's attributes, the CoordGeom children in order with
their attributes and points ("north east" split into two numbers), and the
nodes of its Profile/ProfAlign (station and elevation split).
"""
import json
import sys
import xml.etree.ElementTree as ET

NS = "http://www.landxml.org/schema/LandXML-1.2"


def local(tag):
    return tag.split("}", 1)[1] if tag.startswith("{") else tag


def namespace(tag):
    return tag[1:].split("}", 1)[0] if tag.startswith("{") else ""


def main():
    root = ET.parse(sys.argv[1]).getroot()
    out = {"root": local(root.tag), "namespace": namespace(root.tag), "attributes": dict(root.attrib)}
    metric = root.find(f"{{{NS}}}Units/{{{NS}}}Metric")
    out["metric"] = dict(metric.attrib) if metric is not None else None
    alignments = root.findall(f"{{{NS}}}Alignments/{{{NS}}}Alignment")
    out["alignment_count"] = len(alignments)
    if alignments:
        a = alignments[0]
        out["alignment"] = dict(a.attrib)
        elements = []
        for e in a.find(f"{{{NS}}}CoordGeom"):
            item = {"tag": local(e.tag), "namespace": namespace(e.tag), "attributes": dict(e.attrib), "points": {}}
            for p in e:
                item["points"][local(p.tag)] = [float(v) for v in p.text.split()]
            elements.append(item)
        out["elements"] = elements
        # The ProfAlign's nodes in order: tag, attributes, station and elevation.
        profile = []
        for node in a.findall(f"{{{NS}}}Profile/{{{NS}}}ProfAlign/*"):
            station, elevation = (float(v) for v in node.text.split())
            profile.append({"tag": local(node.tag), "attributes": dict(node.attrib), "station": station,
                            "elevation": elevation})
        out["profile"] = profile
    json.dump(out, sys.stdout)


if __name__ == "__main__":
    main()
