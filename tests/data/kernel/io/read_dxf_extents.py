#!/usr/bin/python3
"""Reads a DXF file with ezdxf and prints what the writer tests compare.

Output (one line): entity count, the extents of the entities (min x, min y, max x, max y)
and the header's $EXTMIN x, y and $EXTMAX x, y. Exit code 3 when ezdxf cannot be imported.
"""
import sys

try:
    import ezdxf
    from ezdxf import bbox
except ImportError:
    sys.exit(3)

doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
entities = [e for e in msp if e.dxftype() in ("LINE", "ARC", "CIRCLE")]
if len(entities) != len(msp):
    sys.exit(4)
box = bbox.extents(entities)
emin = doc.header.get("$EXTMIN", (0, 0, 0))
emax = doc.header.get("$EXTMAX", (0, 0, 0))
values = [len(entities)]
if box.has_data:
    values += [box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y]
else:
    values += [0, 0, 0, 0]
values += [emin[0], emin[1], emax[0], emax[1]]
print(" ".join("%.6f" % v if isinstance(v, float) else str(v) for v in values))
