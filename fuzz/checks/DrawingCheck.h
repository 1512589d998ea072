// Reader checks of the drawing files (DXF and binary drawing): any bytes as a drawing file,
// read into an element database as the drawing command does. Every entity the parser finds
// must arrive as an element, and the box of the drawing must be computable.
#pragma once

#include <string>
#include <vector>

#include "fuzz/checks/CheckSupport.h"
#include "kernel/base/CxyData.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/io/DrawingFileRead.h"
#include "kernel/io/DxfEntityParser.h"
#include "kernel/io/HndDrawingParser.h"

namespace fuzzcheck {

inline std::string CheckDxf(std::string_view bytes, const std::filesystem::path& scratch) {
    const std::filesystem::path file = scratch / "drawing.dxf";
    if (!WriteBytes(file, bytes)) return "the input could not be written";
    CDtbEngine engine;
    const int type = CZkFile().GetFileType(file);
    const int result = FileRead(engine, file);
    std::string fault;
    if (type == 2) {
        std::vector<DrawingEntity> entities;
        ParseDxfEntities(bytes, entities);
        if (result != 0)
            fault = "a DXF file that was recognised did not read";
        else if (engine.GetCount() != entities.size())
            fault = "an entity was lost on its way in";
    } else if (type == -2 && (result != -2 || !engine.IsEmpty())) {
        fault = "a file of no known kind gave elements or the wrong code";
    }
    CxyData min(1e15, 1e15), max(-1e15, -1e15);
    (void)engine.MinMax(&min, &max);
    return fault;
}

// The bytes are read as a file, and also behind a header of each product so that the record
// walk is reached from inputs of any kind.
inline std::string CheckHnd(std::string_view bytes, const std::filesystem::path& scratch) {
    const std::filesystem::path file = scratch / "drawing.hnd";
    if (!WriteBytes(file, bytes)) return "the input could not be written";
    CDtbEngine engine;
    (void)FileRead(engine, file);
    CxyData min(1e15, 1e15), max(-1e15, -1e15);
    (void)engine.MinMax(&min, &max);

    std::vector<DrawingEntity> entities;
    ParseHndDrawing(bytes, entities);
    if (CZkFile().GetFileType(file) == 1 && engine.GetCount() != entities.size())
        return "a record was lost on its way in";
    for (std::string_view name :
         {std::string_view("ZED PLINT KQ V4.0"), std::string_view("Rimbleton")}) {
        std::string framed(bytes.substr(0, 4));
        framed.resize(4, 'x');
        framed += name;
        if (bytes.size() > framed.size()) framed += bytes.substr(framed.size());
        entities.clear();
        ParseHndDrawing(framed, entities);
    }
    return {};
}

}  // namespace fuzzcheck
