// Reading the lines and arcs of a binary drawing of the CAD product (Rimbleton, ZED PLINT).
#pragma once

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
