#!/usr/bin/python3
# Every export of a job read back by readers this project did not write (GDAL
# for CSV, GeoPackage, KML and GeoJSON, ezdxf for DXF, the standard library's
# XML parser and xmllint for LandXML) and held against what the job's OBS file
# and JOB.pf say: the same points with the descriptions the OBS lines carry,
# every chain of the OBS file with its name and its places, the unit named as
# the job is in, and the LandXML survey rebuilding its points.
#
#   readback.py CASES --convert BIN --genjob BIN --genlevels BIN --level BIN --samples DIR
#               --schema XSD
#
# A job with level runs also says which heights came from the level: every
# point's height_source in GeoPackage, KML and GeoJSON, and LandXML's list of
# the levelled points with their file, held against zendro-level's own CSV of
# the same run.
#
# One job a line of CASES (readback_cases.txt). Prints each disagreement and
# exits 1 when there is any.
import argparse
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

import ezdxf.recover
from osgeo import gdal, ogr

gdal.UseExceptions()

PREFIX = "S"
SECOND_FEATURE = 100000
LANDXML = "{http://www.landxml.org/schema/LandXML-1.2}"
# The unit each job's flags choose: the CSV's column names, LandXML's
# linearUnit, DXF's $INSUNITS and $MEASUREMENT.
UNITS = {
    "us": ("US ft", "USSurveyFoot", 21, 0, "US survey feet"),
    "international": ("intl ft", "foot", 2, 0, "international feet"),
    "metric": ("m", "meter", 6, 1, "meters"),
}
TOLERANCE = 0.0015  # lengths are written to thousandths


class Problems:
    def __init__(self):
        self.lines = []
        self.case = ""

    def check(self, condition, what):
        if not condition:
            self.lines.append(f"{self.case}: {what}")
        return condition


def physical(number):
    return number - SECOND_FEATURE if number > SECOND_FEATURE else number


def number_of(text):
    return int(text) if re.fullmatch(r"\d{1,15}", text) else None


def obs_chains(path):
    """The chain section: (name, feature, [point numbers or None]) in order."""
    lines = open(path, "rb").read().decode("latin-1").split("\r\n")
    start = lines.index("R 99 CHAIN DATA STARTS HERE")
    end = lines.index("R 99 CHAIN DATA ENDS HERE")
    chains = []
    i = start + 1
    while i < end:
        line = lines[i]
        if not line.startswith("F 00 "):
            i += 1
            continue
        if "+1 " not in line:  # a long name pushes "+1 " to the next line
            name, feature = line[5:].rstrip(), lines[i + 1].strip()[3:]
            i += 1
        else:
            name, feature = line[5:].split("+1 ")[0].rstrip(), line.split("+1 ", 1)[1]
        i += 1
        texts = []
        while i < end and lines[i].startswith("F 01 "):
            texts += [t.strip() for t in lines[i][5:].split(",") if t.strip()]
            i += 1
        places = []
        for text in texts:
            number = number_of(text[len(PREFIX):]) if text.startswith(PREFIX) else None
            places.append(None if number is None else physical(number))
        chains.append((name, feature, places))
    return chains


def pf_entries(path):
    """{number: (description, comment)} of the last entry of each number."""
    described = {}
    for line in open(path, "rb").read().decode("latin-1").split("\r\n"):
        if not line.strip():
            continue
        name, _, rest = line.partition(",")
        description, _, comment = rest.partition(",")
        comment = comment.strip(" \t")
        if len(comment) >= 2 and comment[0] == comment[-1] == '"':
            comment = comment[1:-1]
        number = number_of(name.strip(" \t"))
        if number is not None:
            described[number] = (description.strip(" \t"), comment)
    return described


def taped_entries(path):
    """{number: (station, reference)} of points whose last entry is taped, with
    two entries before that entry: their OBS lines carry that entry."""
    names = []
    last = {}
    for line in open(path, "rb").read().decode("latin-1").split("\r\n"):
        if not line.strip():
            continue
        name, _, rest = line.partition(",")
        names.append(number_of(name.strip(" \t")))
        if names[-1] is not None:
            last[names[-1]] = (len(names) - 1, "TAPE" in rest.partition(",")[0])
    taped = {}
    for number, (index, is_taped) in last.items():
        if is_taped and index >= 2:
            station, reference = names[index - 1], names[index - 2]
            taped[number] = (physical(station) if station else None,
                             physical(reference) if reference else None)
    return taped


def near(a, b):
    return all(abs(x - y) <= TOLERANCE for x, y in zip(a, b))


def open_vector(path, options=None):
    return gdal.OpenEx(path, gdal.OF_VECTOR, open_options=options or [])


def expected_chains(chains, points):
    """The OBS chains as the exports draw them: only placed points, two or more."""
    drawn = []
    for name, feature, places in chains:
        placed = [p for p in places if p is not None and p in points]
        if len(placed) >= 2:
            drawn.append((name, feature, placed))
    return drawn


def read_csv(path, unit, problems):
    source = open_vector(path, ["HEADERS=YES", "AUTODETECT_TYPE=NO"])
    layer = source.GetLayer(0)
    fields = [layer.GetLayerDefn().GetFieldDefn(i).GetName()
              for i in range(layer.GetLayerDefn().GetFieldCount())]
    symbol = UNITS[unit][0]
    problems.check(fields == ["Point", f"Northing ({symbol})", f"Easting ({symbol})",
                              f"Elevation ({symbol})", "Description"],
                   f"CSV columns {fields}")
    points = {}
    for feature in layer:
        values = [feature.GetField(i) for i in range(5)]
        points[int(values[0])] = ((float(values[1]), float(values[2]), float(values[3])),
                                  values[4] or "")
    return points


def check_points_and_descriptions(points, described, problems):
    for number, (_, description) in points.items():
        want = described.get(number, ("", ""))[0]
        problems.check(description == want,
                       f"point {number}: CSV says {description!r}, JOB.pf's last entry {want!r}")


def check_landxml(path, schema, points, described, chains, taped, unit, rebuild, problems):
    valid = subprocess.run(["xmllint", "--noout", "--schema", schema, path],
                           capture_output=True, text=True)
    problems.check(valid.returncode == 0, f"LandXML invalid: {valid.stderr[-400:]}")
    root = ElementTree.parse(path).getroot()
    units = root.find(f"{LANDXML}Units")
    linear = [u.get("linearUnit") for u in units]
    problems.check(linear == [UNITS[unit][1]], f"LandXML linearUnit {linear}")
    cg = {}
    for point in root.iter(f"{LANDXML}CgPoint"):
        north, east, elevation = map(float, point.text.split())
        cg[int(point.get("name"))] = (north, east, elevation)
        problems.check(point.get("code", "") == described.get(int(point.get("name")), ("",))[0],
                       f"LandXML point {point.get('name')} code {point.get('code')!r}")
    problems.check(set(cg) == set(points), "LandXML CgPoints are not the CSV's points")
    for number, place in cg.items():
        problems.check(near(place, points[number][0]), f"LandXML point {number} at {place}")
    features = [(f.get("name"), f.get("desc"), [int(n) for n in f.find(f".//{LANDXML}Chain").text.split()])
                for f in root.iter(f"{LANDXML}PlanFeature")]
    problems.check(features == chains, f"LandXML chains {features[:3]}... against {chains[:3]}...")
    # Taped points: described beside the CgPoints, never read by the instrument.
    offsets = {}
    for feature in root.iter(f"{LANDXML}Feature"):
        if feature.get("code") == "taped":
            values = {p.get("label"): p.get("value") for p in feature.iter(f"{LANDXML}Property")}
            offsets[int(feature.get("name"))] = (number_of(values.get("station", "")),
                                                 number_of(values.get("reference", "")))
    for number in points:
        if number in taped:
            problems.check(offsets.get(number) == taped[number],
                           f"taped point {number}: LandXML says {offsets.get(number)}, JOB.pf "
                           f"{taped[number]}")
    targets = {int(t.get("pntRef")) for t in root.iter(f"{LANDXML}TargetPoint") if t.get("pntRef")}
    problems.check(not (targets & set(taped)), f"taped points read by the instrument: "
                                               f"{sorted(targets & set(taped))[:5]}")
    if rebuild:
        rebuild_survey(root, cg, problems)


def rebuild_survey(root, cg, problems):
    """Each reading from its setup's position and orientation lands on its CgPoint."""
    worst = 0.0
    rebuilt = 0
    for setup in root.iter(f"{LANDXML}InstrumentSetup"):
        station = cg.get(int(setup.find(f"{LANDXML}InstrumentPoint").get("pntRef")))
        backsight = setup.find(f"{LANDXML}Backsight")
        if station is None or backsight is None or backsight.get("azimuth") is None:
            continue
        orientation = float(backsight.get("azimuth")) - float(backsight.get("circle"))
        height = float(setup.get("instrumentHeight"))
        for reading in setup.findall(f"{LANDXML}RawObservation"):
            target = reading.find(f"{LANDXML}TargetPoint").get("pntRef")
            if target is None or reading.get("slopeDistance") is None:
                continue
            direction = float(reading.get("horizAngle"))
            zenith = float(reading.get("zenithAngle"))
            if reading.get("directFace") == "false":
                direction, zenith = direction - 180.0, 360.0 - zenith
            azimuth = math.radians(orientation + direction)
            slope = float(reading.get("slopeDistance"))
            horizontal = slope * math.sin(math.radians(zenith))
            rise = height + slope * math.cos(math.radians(zenith)) - float(reading.get("targetHeight"))
            at = (station[0] + horizontal * math.cos(azimuth),
                  station[1] + horizontal * math.sin(azimuth), station[2] + rise)
            known = cg[int(target)]
            worst = max(worst, max(abs(a - b) for a, b in zip(at, known)))
            rebuilt += 1
    problems.check(rebuilt > 0, "no reading of the survey could be rebuilt")
    problems.check(worst <= 0.005, f"a reading rebuilds its point {worst:.4f} away")


def check_dxf(path, points, chains, unit, problems):
    problems.check(open(path, "rb").read(4) == b"999\n", "DXF does not open with its comment")
    doc, auditor = ezdxf.recover.readfile(path)
    problems.check(len(auditor.errors) == 0, f"DXF audit: {[e.message for e in auditor.errors][:3]}")
    problems.check(doc.header.get("$INSUNITS") == UNITS[unit][2],
                   f"DXF $INSUNITS {doc.header.get('$INSUNITS')}")
    problems.check(doc.header.get("$MEASUREMENT") == UNITS[unit][3],
                   f"DXF $MEASUREMENT {doc.header.get('$MEASUREMENT')}")
    lines = []
    names = {}
    for entity in doc.modelspace():
        if entity.dxftype() == "POLYLINE":
            lines.append((entity.dxf.layer, [tuple(v) for v in entity.points()]))
        elif entity.dxftype() in ("TEXT", "MTEXT") and entity.dxf.layer == "CHAINS":
            text = entity.dxf.text if entity.dxftype() == "TEXT" else entity.text
            names.setdefault(text, []).append(tuple(entity.dxf.insert))
    problems.check(len(lines) == len(chains), f"DXF has {len(lines)} chains, the OBS {len(chains)}")
    remaining = list(lines)
    for name, feature, places in chains:
        want = [(points[p][0][1], points[p][0][0], points[p][0][2]) for p in places]
        match = [l for l in remaining if len(l[1]) == len(want) and all(near(a, b) for a, b in zip(l[1], want))]
        if problems.check(match, f"DXF lacks chain {name} ({feature})"):
            remaining.remove(match[0])
        starts = names.get(name, [])
        problems.check(any(near(s, want[0]) for s in starts), f"DXF names no chain {name} at its start")


def check_ogr_chains(path, layer_name, points, chains, lon_lat, problems, what):
    source = open_vector(path)
    layer = source.GetLayerByName(layer_name) if layer_name else source.GetLayer(0)
    found = []
    for feature in layer:
        geometry = feature.GetGeometryRef()
        if geometry is None or geometry.GetGeometryType() not in (ogr.wkbLineString, ogr.wkbLineString25D):
            continue
        vertices = [geometry.GetPoint(i) for i in range(geometry.GetPointCount())]
        found.append((feature.GetField("name"), feature.GetField("feature"), vertices))
    problems.check([(n, f) for n, f, _ in found] == [(n, f) for n, f, _ in chains],
                   f"{what} chain names differ from the OBS file's")
    for (name, _, vertices), (_, _, places) in zip(found, chains):
        if lon_lat:
            problems.check(len(vertices) == len(places), f"{what} chain {name} has {len(vertices)} places")
        else:
            want = [(points[p][0][1], points[p][0][0], points[p][0][2]) for p in places]
            problems.check(len(vertices) == len(want) and all(near(a, b) for a, b in zip(vertices, want)),
                           f"{what} chain {name} runs elsewhere")
    return source


def height_sources(path, layer_name):
    """{number: height_source} of the points layer, or None without the field."""
    source = open_vector(path)
    layer = source.GetLayerByName(layer_name) if layer_name else source.GetLayer(0)
    definition = layer.GetLayerDefn()
    if definition.GetFieldIndex("height_source") < 0:
        return None
    sources = {}
    for feature in layer:
        if feature.GetGeometryRef().GetGeometryType() in (ogr.wkbPoint, ogr.wkbPoint25D):
            sources[int(feature.GetField("name"))] = feature.GetField("height_source")
    return sources


def csv_height_sources(path):
    """{point: height source} of a CSV of the columns P and H, as GDAL reads it."""
    source = open_vector(path, ["HEADERS=YES", "AUTODETECT_TYPE=NO"])  # the layer lives with it
    return {int(feature.GetField("Point")): feature.GetField("Height source")
            for feature in source.GetLayer(0)}


def check_levels(outputs, levelled, heights, points, unit, problems):
    """Each export names the heights the level gave: the adjustment held those points to them."""
    want = {n: ("level run" if n in levelled else "total station") for n in points}
    for fmt, layer in (("gpkg", "points"), ("kml", "points"), ("geojson", None)):
        problems.check(height_sources(outputs[fmt], layer) == want,
                       f"{fmt} height_source is not 'level run' for exactly {sorted(levelled)}")
    root = ElementTree.parse(outputs["landxml"]).getroot()
    listed = {}
    for feature in root.iter(f"{LANDXML}Feature"):
        if feature.get("code") == "levelled":
            values = {p.get("label"): p.get("value") for p in feature.iter(f"{LANDXML}Property")}
            listed[int(feature.get("name"))] = (values.get("height"), os.path.basename(values.get("file", "")))
    problems.check(listed == {n: (heights[str(n)], "RUN.DAT") for n in levelled},
                   f"LandXML levelled points {listed} against zendro-level's {heights}")
    problems.check(csv_height_sources(outputs["csv-sources"]) == want,
                   f"CSV Height source is not 'level run' for exactly {sorted(levelled)}")
    for number in levelled:
        problems.check(abs(points[number][0][2] - float(heights[str(number)])) <= 0.003,
                       f"point {number}: adjusted elevation {points[number][0][2]} far from "
                       f"its levelled height {heights[str(number)]}")


def check_gpkg(path, points, described, chains, crs, problems):
    source = check_ogr_chains(path, "chains", points, chains, False, problems, "GeoPackage")
    layer = source.GetLayerByName("points")
    problems.check(layer.GetSpatialRef().GetAuthorityCode(None) == crs.split(":")[1],
                   "GeoPackage system")
    for feature in layer:
        number = int(feature.GetField("name"))
        want = described.get(number, ("", ""))
        got = (feature.GetField("description") or "", feature.GetField("comment") or "")
        problems.check(got == want, f"GeoPackage point {number}: {got} against JOB.pf's {want}")


def check_kml(path, points, chains, summary, problems):
    check_ogr_chains(path, "chains", points, chains, True, problems, "KML")
    document = ElementTree.parse(path).getroot()[0]
    tags = [child.tag.split("}")[-1] for child in document]
    order = {"name": 0, "description": 1, "Schema": 2, "Folder": 3}
    problems.check(tags[:2] == ["name", "description"] and
                   [order.get(t, 9) for t in tags] == sorted(order.get(t, 9) for t in tags),
                   f"KML document out of the schema's order: {tags}")
    problems.check(document.find("{http://www.opengis.net/kml/2.2}description").text == summary,
                   "KML does not name its frame and unit")


def make_level_run(folder, args, metric):
    """A level run through five of the job's points, its benchmarks and three
    points of the truth as control: ({levelled numbers}, {point: height text})."""
    truth = open(os.path.join(folder, "truth.csv")).read().splitlines()
    through = [truth[i] for i in (0, 4, 14, 20, 27)]
    with open(os.path.join(folder, "through.csv"), "w") as out:
        out.write("\n".join(through) + "\n")
    run, bench = os.path.join(folder, "RUN"), os.path.join(folder, "bench.csv")
    subprocess.run([args.genlevels, "--out", run, "--through", os.path.join(folder, "through.csv"),
                    "--control", bench] + (["--metric"] if metric else []), check=True)
    with open(os.path.join(folder, "control.csv"), "w") as out:
        out.write("\n".join(truth[i] for i in (1, 10, 30)) + "\n" + open(bench).read())
    heights_csv = os.path.join(folder, "heights.csv")
    subprocess.run([args.level, run + ".DAT", "--control", bench, "--export", "csv:" + heights_csv],
                   check=True, capture_output=True)
    rows = [line.split(",") for line in open(heights_csv).read().splitlines()[1:]]
    return {int(line.split(",")[0]) for line in through}, {row[0]: row[1] for row in rows}


def run_case(line, args, work, problems):
    name, source, flags, edit = [part.strip() for part in line.split("|")]
    problems.case = name
    folder = os.path.join(work, name)
    os.makedirs(folder)
    job = os.path.join(folder, "JOB")
    if source == "sample":
        for extension in ("HVD", "CTX", "RTX"):
            shutil.copy(os.path.join(args.samples, "HWY12-3." + extension), job + "." + extension)
    else:
        truth = [] if edit != "levels" else ["--truth", os.path.join(folder, "truth.csv")]
        subprocess.run([args.genjob, "--out", job, "--quiet"] + source.split()[1:] + truth,
                       check=True)
    flag_list = flags.split()
    levelled, heights = set(), {}
    if edit == "levels":
        levelled, heights = make_level_run(folder, args, "--metric" in flag_list)
        flag_list += ["--control", os.path.join(folder, "control.csv"),
                      "--levels", os.path.join(folder, "RUN.DAT"), "--adjust"]
    unit = "metric" if "--metric" in flag_list else (
        flag_list[flag_list.index("--feet") + 1] if "--feet" in flag_list else "us")
    subprocess.run([args.convert] + flag_list + [job + ".HVD"], check=True, capture_output=True)
    edits = edit.split("+")
    described = pf_entries(job + ".pf")
    observed = [n for n in described if n < SECOND_FEATURE]
    with open(job + ".pf", "ab") as pf:
        if "dup" in edits:
            # A second entry of an observed point, described with a Latin-1 byte.
            pf.write(b"%d,EP 45\xb0 DUP,second entry\r\n" % observed[2])
        if "two" in edits:
            # A chain of two points only: its start and its end.
            pf.write(b"%d,+ZZ,two\r\n%d,-ZZ,two\r\n" % (observed[4], observed[5]))
    outputs = {fmt: os.path.join(folder, "out." + ext) for fmt, ext in
               [("csv", "csv"), ("landxml", "xml"), ("dxf", "dxf"), ("gpkg", "gpkg"),
                ("kml", "kml"), ("geojson", "geojson")]}
    command = [args.convert] + flag_list
    for fmt, path in outputs.items():
        command += ["--export", f"{fmt}:{path}"]
    done = subprocess.run(command + [job + ".HVD"], capture_output=True)
    if not problems.check(done.returncode == 0,
                          f"zendro-convert failed: {done.stderr.decode('latin-1')}"):
        return
    described = pf_entries(job + ".pf")
    points = read_csv(outputs["csv"], unit, problems)
    check_points_and_descriptions(points, described, problems)
    chains = expected_chains(obs_chains(job + ".obs"), points)
    problems.check(len(chains) > 0, "the job has no chain to compare")
    crs = flag_list[flag_list.index("--crs") + 1]
    check_landxml(outputs["landxml"], args.schema, points, described, chains,
                  taped_entries(job + ".pf"), unit, "--angle-sd" in source, problems)
    check_dxf(outputs["dxf"], points, chains, unit, problems)
    check_gpkg(outputs["gpkg"], points, described, chains, crs, problems)
    frame = "adjusted" if "--adjust" in flag_list else "tied to control"
    summary = f"JOB: {frame} frame, {UNITS[unit][4]}"
    check_kml(outputs["kml"], points, chains, summary, problems)
    check_ogr_chains(outputs["geojson"], None, points, chains, True, problems, "GeoJSON")
    if edit == "levels":
        outputs["csv-sources"] = os.path.join(folder, "sources.csv")
        subprocess.run([args.convert] + flag_list + ["--csv-columns", "PH", "--export",
                        "csv:" + outputs["csv-sources"], job + ".HVD"], check=True, capture_output=True)
        check_levels(outputs, levelled, heights, points, unit, problems)
    else:
        problems.check(height_sources(outputs["gpkg"], "points") is None,
                       "GeoPackage of a job without level runs has a height_source field")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cases")
    parser.add_argument("--convert", required=True)
    parser.add_argument("--genjob", required=True)
    parser.add_argument("--genlevels", required=True)
    parser.add_argument("--level", required=True)
    parser.add_argument("--samples", required=True)
    parser.add_argument("--schema", required=True)
    args = parser.parse_args()
    problems = Problems()
    cases = 0
    with tempfile.TemporaryDirectory(prefix="zendro-readback-") as work:
        for line in open(args.cases, encoding="utf-8"):
            if line.strip() and not line.startswith("#"):
                cases += 1
                run_case(line, args, work, problems)
    for line in problems.lines:
        print(line)
    print(f"{cases} jobs read back, {len(problems.lines)} disagreements")
    return 1 if problems.lines or cases == 0 else 0


sys.exit(main())
