#!/usr/bin/python3
"""Writes the binary drawing fixtures layout1.hnd, layout2.hnd and layout3.hnd.

Every file holds the same nine records; after the origin shift the drawing reads as:
  line (10, 10)-(20, 10), arc centre (15, 15) r 5 from 0 to 90, line (1, 1)-(2, 2) on the
  current (hidden) layer, line (3, 3)-(4, 4) whose status bytes are A5 25 (read in layouts 1
  and 2 only). Skipped: a deleted record (0x0001), a hidden layer, kind 3, status 0x4000
  and status 0x8000.
"""
import struct

LAYOUTS = {
    # number: (product, layout byte, tag, origin, count@, layer@, flags@, flag count,
    #          first record, record size, geometry offset)
    1: (b"ZED PLINT KQ V4.0", 0, b"HND1", (100.0, 200.0), 242, 248, 250, 16, 1024, 64, 16),
    2: (b"Rimbleton", 79, b"RMBT", (0.0, 0.0), 242, 248, 250, 256, 12704, 64, 16),
    3: (b"Rimbleton", 80, b"HND3", (-1.0, -2.0), 2906, 2914, 2916, 256, 15370, 128, 20),
}

SHOWN, HIDDEN, CURRENT = 2, 9, 12

# (status, kind, layer, numbers in drawing coordinates; None marks radius and angles)
RECORDS = [
    (0x0000, 0x12, SHOWN, ("p", 10, 10), ("p", 20, 10)),
    (0x0000, 0x04, SHOWN, ("p", 15, 15), ("v", 5, 0, 90)),
    (0x0001, 0x02, SHOWN, ("p", 50, 50), ("p", 60, 60)),
    (0x0000, 0x02, HIDDEN, ("p", 70, 70), ("p", 80, 80)),
    (0x0000, 0x02, CURRENT, ("p", 1, 1), ("p", 2, 2)),
    (0x0000, 0x03, SHOWN, ("p", 90, 90), ("p", 95, 95)),
    ("A525", 0x02, SHOWN, ("p", 3, 3), ("p", 4, 4)),
    (0x4000, 0x02, SHOWN, ("p", 30, 30), ("p", 31, 31)),
    (0x8000, 0x02, SHOWN, ("p", 40, 40), ("p", 41, 41)),
]


def build(number):
    (name, layout_byte, tag, origin, count_at, layer_at, flags_at, flag_count,
     first, size, geo) = LAYOUTS[number]
    data = bytearray(first + size * len(RECORDS))
    data[0:4] = tag
    data[4:4 + len(name)] = name
    data[25] = layout_byte
    if tag != b"RMBT":
        struct.pack_into("<dd", data, 64, *origin)
    shift = (0.0, 0.0) if tag == b"RMBT" else (-origin[0], -origin[1])
    struct.pack_into("<H", data, count_at, len(RECORDS))
    struct.pack_into("<H", data, layer_at, CURRENT)
    for layer in range(flag_count):
        struct.pack_into("<H", data, flags_at + 2 * layer, 1 if layer == SHOWN else 0)
    for i, (status, kind, layer, a, b) in enumerate(RECORDS):
        at = first + i * size
        if status == "A525":
            data[at:at + 2] = b"\xA5\x25"
        else:
            struct.pack_into("<H", data, at, status)
        struct.pack_into("<H", data, at + 4, kind)
        data[at + 7] = layer
        numbers = [a[1] - shift[0], a[2] - shift[1]]
        if b[0] == "p":
            numbers += [b[1] - shift[0], b[2] - shift[1]]
        else:
            numbers += list(b[1:])
        struct.pack_into("<%dd" % len(numbers), data, at + geo, *numbers)
    return bytes(data)


if __name__ == "__main__":
    for n in LAYOUTS:
        with open("layout%d.hnd" % n, "wb") as f:
            f.write(build(n))
