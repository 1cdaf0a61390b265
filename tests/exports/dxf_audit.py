# Reads a DXF with ezdxf's recovering reader and prints its audit and
# entities one a line for the export tests:
#   audit <error count>
#   layer <name>
#   point <layer> x y z | text <layer> <text> | polyline <layer> x,y,z x,y,z ...
# (coordinates to thousandths). Exit 2 when the file cannot be read.
import sys

import ezdxf.recover


def main(path):
    try:
        doc, auditor = ezdxf.recover.readfile(path)
    except Exception as error:  # any read failure fails the test
        print("unreadable", error)
        return 2
    print("audit", len(auditor.errors))
    for error in auditor.errors:
        print("error", error.message)
    for layer in doc.layers:
        print("layer", layer.dxf.name)

    def xyz(v):
        return ",".join("%.3f" % (round(c, 3) + 0.0) for c in (v[0], v[1], v[2]))

    for entity in doc.modelspace():
        kind = entity.dxftype()
        layer = entity.dxf.layer
        if kind == "POINT":
            print("point", layer, xyz(entity.dxf.location))
        elif kind in ("TEXT", "MTEXT"):
            print("text", layer, entity.dxf.text if kind == "TEXT" else entity.text)
        elif kind == "POLYLINE":
            mode = "3d" if entity.is_3d_polyline else "2d"
            print("polyline", layer, mode, " ".join(xyz(v) for v in entity.points()))
        else:
            print("other", kind, layer)
    return 0


sys.exit(main(sys.argv[1]))
