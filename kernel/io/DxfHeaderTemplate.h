// Filling the DXF header template ("MVDXF.HED") with the NC name, the extents and the layers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "kernel/base/CxyData.h"

struct DxfHeaderValues {
    std::string ncName;               // "{NC_NAME}"
    CxyData min;                      // "{$EXTMIN_X}", "{$EXTMIN_Y}"
    CxyData max;                      // "{$EXTMAX_X}", "{$EXTMAX_Y}"
    std::vector<std::string> layers;  // "{LAYER_NAME1}".."{LAYER_NAME3}"; n for "{LAYER_NUM}"
};

// Appends the processed template to `out`, every line ended with CR LF. Each template line
// (LF or CR LF) loses its trailing white space; a line holding a placeholder is replaced whole
// by its value; the LAYER table keeps as many of its entries as there are layers: a line
// "LAYER" (any case) counts one entry, the entries after the n-th are dropped up to the "  0"
// line before the table's "ENDTAB" (the "  0" written before the first dropped entry serves as
// ENDTAB's group code). A "{LAYER_NAMEk}" without a k-th layer becomes an empty line.
void FillDxfHeader(std::string_view templ, const DxfHeaderValues& values, std::string& out);
