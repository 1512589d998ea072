// Reading the lines and arcs of a binary drawing of the CAD product (Rimbleton, ZED PLINT).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "kernel/io/DrawingEntity.h"

// Which product wrote a binary drawing, by the name at byte 4.
enum class HndProduct { None, Rimbleton, ZedPlint };

// "ZED PLINT KQ V4.0" (17 bytes) or "Rimbleton" (9 bytes) at byte 4; None for anything else,
// including a buffer too short to hold the name.
HndProduct HndProductOf(std::string_view bytes);

// The record layout of a binary drawing: where the header fields and the records lie.
struct HndLayout {
    int number = 0;             // 1, 2 or 3
    size_t countOffset = 0;     // u16 record count
    size_t layerOffset = 0;     // u16 current layer
    size_t flagsOffset = 0;     // u16 layer flags
    size_t flagCount = 0;       // 16 or 256
    size_t firstRecord = 0;     // offset of record 0
    size_t recordSize = 0;      // 64 or 128
    size_t geometryOffset = 0;  // first double in a record
};

// Layout 3 when the layout byte (byte 25) is 80 or more, else layout 1 for ZED PLINT and
// layout 2 for Rimbleton. The product must not be None.
HndLayout HndLayoutOf(HndProduct product, unsigned char layoutByte);

// Appends the lines and arcs of a whole drawing file held in `bytes` (little-endian) to `out`:
// records not deleted by their status bits, of kind 2 (line) or 4 (arc), on the current layer
// or on a layer whose flag is set. Coordinates are shifted by the stored origin unless the
// tag at byte 0 is "RMBT". A file that is too short for its header or its records, of an
// unknown product, or holding fewer bytes than its record count promises, gives nothing; a
// record with a non-finite number is skipped. Never reads outside `bytes`.
void ParseHndDrawing(std::string_view bytes, std::vector<DrawingEntity>& out);

// ---- The record walk, for readers that need more than lines and arcs (the previews) ----------

// The header of a binary drawing, as the record walk reads it.
struct HndDrawingHeader {
    HndProduct product = HndProduct::None;
    HndLayout layout;
    size_t count = 0;                        // records
    unsigned currentLayer = 0;               // shown whatever its flag says
    std::array<uint16_t, 256> layerFlags{};  // non-zero: shown; entries beyond the file's 16 are 0
    bool tagged = false;                     // "RMBT" at byte 0: coordinates are stored as they are
    double shiftX = 0, shiftY = 0;           // added to every coordinate (minus the stored origin)
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;  // the drawing's box: the stored extents with
                                                    // the tag, else the sheet less the origin
};

// One record (64 bytes in layouts 1 and 2) decoded; coordinates already shifted. Kinds: 1 point
// (x1, y1), 2 line (x1, y1, x2, y2, style), 4 arc (cx, cy, radius, start, end in degrees,
// style), 8 text (the float fields, attributes, and in native files the text bytes).
struct HndRecord {
    size_t index = 0;
    unsigned flags = 0;  // u16 at 0 (after the A5 clean-up)
    unsigned kind = 0;   // low 4 bits of the u16 at 4
    unsigned layer = 0;  // byte 7
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double cx = 0, cy = 0, radius = 0, start = 0, end = 0;
    unsigned style = 0;  // pen in bits 4-7, start mark in bits 8-9, end mark in bits 11-12
    double tx = 0, ty = 0, height = 0, width = 0, spacing = 0, angle = 0;  // stored as floats
    unsigned textAttributes = 0;  // u16 at 44: vertical alignment in bits 5-6, horizontal in 7-8
    unsigned characterCount = 0;  // u16 at 46 (backup files)
    unsigned link = 0;            // u16 at 62: 1-based record continuing the text, 65535 none
    std::string text;             // native texts: the 14 bytes at 48 and the linked pieces
};

// Decodes the 64-byte record at offset at of bytes (the caller makes sure it lies inside),
// shifting its coordinates by (shiftX, shiftY). The text bytes and their chain are not read.
HndRecord DecodeHndRecord(std::string_view bytes, size_t at, double shiftX, double shiftY);

// Reads the header; false for a file shorter than 1024 bytes or than its records, or of no
// known product.
bool ReadHndHeader(std::string_view bytes, HndDrawingHeader& header);

// Visits in file order every record that is drawn: not deleted (flags 0x0001, 0x4000, 0x8000),
// on the current layer or a shown layer, of kind 1, 2, 4 or 8 (texts only in layouts 1 and 2).
// As the loop reaches a record it is cleaned: A5 25 in its first two bytes counts as zero flags,
// six A5 bytes at its end (58-63) as zeros; a text piece reached through a link before the loop
// reaches it is read as stored. A text's chain: its 14 bytes at 48, then while the link lies in 1
// .. count (not 65535) and more than 46 of 242 bytes of room are left, the 46 bytes at 16 of
// record link - 1 (unless its flags have 0x0001 or 0x4000), for at most count links. visit returns
// false to stop: the result is then false. Never reads outside bytes.
bool VisitHndRecords(std::string_view bytes, const HndDrawingHeader& header,
                     const std::function<bool(const HndRecord&)>& visit);
