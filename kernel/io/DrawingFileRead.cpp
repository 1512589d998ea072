// File kinds of drawings and the engine side of the drawing readers.
#include "kernel/io/DrawingFileRead.h"

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/io/DxfEntityParser.h"
#include "kernel/io/HndDrawingParser.h"
#include "kernel/io/ReadWholeFile.h"
#include "kernel/util/FileUtil.h"

namespace {

void AppendEntities(CDtbEngine& engine, const std::vector<DrawingEntity>& entities) {
    CDtbInfo info;
    info.red = info.green = info.blue = 255;
    info.penWidth = 1;
    info.penKind = 1;
    info.classBits = kDtbClassRapid;
    for (const DrawingEntity& e : entities) {
        if (e.kind == DrawingEntity::Kind::Line) {
            engine.AppendDtb(
                new CDtbLine(CxyzData(e.x1, e.y1, 0.0), CxyzData(e.x2, e.y2, 0.0), info));
        } else {
            engine.AppendDtb(new CDtbArc(CxyzData(e.x1, e.y1, 0.0), e.radius, e.startAngle,
                                         e.endAngle, 0, info));
        }
    }
}

}  // namespace

int CZkFile::GetFileType(const std::filesystem::path& path) const {
    // A folder or a device is no drawing: only regular files are read, and never past a bound.
    std::optional<std::string> text = ReadWholeFile(path);
    if (!text) return -1;
    // Both product names are drawings: FileReadHnd reads either, and a figure file of the
    // older product refused here would silently draw nothing.
    const std::string_view head = std::string_view(*text).substr(0, 21);
    if (head.size() >= 20 && HndProductOf(head) != HndProduct::None) return 1;
    return HasDxfEntitiesSection(*text) ? 2 : -2;
}

int FileRead(CDtbEngine& engine, const std::filesystem::path& path) {
    const int type = CZkFile().GetFileType(path);
    if (type < 0) return type;
    if (type == 1) return FileReadHnd(engine, path);
    if (type == 2) return FileReadDxf(engine, path);
    return 0;
}

int FileReadHnd(CDtbEngine& engine, const std::filesystem::path& path) {
    std::optional<GlobalBlock> bytes = ReadFileToGlobal(path);
    if (!bytes) return 0;
    std::vector<DrawingEntity> entities;
    ParseHndDrawing(std::string_view(bytes->data(), bytes->size()), entities);
    AppendEntities(engine, entities);
    return 0;
}

int FileReadDxf(CDtbEngine& engine, const std::filesystem::path& path) {
    std::optional<std::string> text = ReadWholeFile(path);
    if (!text) return -1;
    std::vector<DrawingEntity> entities;
    ParseDxfEntities(*text, entities);
    AppendEntities(engine, entities);
    return 0;
}
