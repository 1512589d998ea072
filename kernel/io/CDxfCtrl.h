// CDxfCtrl: writes the tool path of an element database as a DXF file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "kernel/base/CxyData.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/io/DxfAppServices.h"
#include "kernel/io/DxfSettings.h"

class CDtbElement;

// Calling order: construct on the database, ReadSettings, OutputDxf, destroy. The source
// database is never changed: the approach and joint processing works on the work copy.
//
// The file is built in a temporary file made with mkstemp beside the target and renamed over
// it only when complete, so a failed output never leaves a half-written drawing in place. As
// every other save, it refuses a read-only file and writes through a symbolic link to the file
// the link names.
class CDxfCtrl {
public:
    // Results of OutputDxf and WriteDxfFile.
    static constexpr int kWritten = 0;
    static constexpr int kCancelled = 1;
    static constexpr int kNothingToWrite = -1;
    static constexpr int kCannotCreate = -2;
    static constexpr int kNoTemplate = -3;
    static constexpr int kCannotMove = -6;

    CDxfCtrl() = default;
    CDxfCtrl(CDtbEngine* source, DxfAppServices services);

    // Reads section "Dxf" of the settings file and sets the template path (program folder +
    // "MVDXF.HED"); 1.
    int ReadSettings();

    // Writes the file. useGivenName non-zero: path is the output path (".dxf" is appended when
    // it holds no "." at all); else the save dialog asks, starting in path, and path receives
    // the choice. 0 written, 1 cancelled, -1 nothing to write (message 61619), -2 the file
    // cannot be created (61620), -3 the template cannot be read (61621), -6 the file cannot be
    // written or moved into place, or is read-only (61623). The work copy is emptied before
    // returning.
    int OutputDxf(int useGivenName, std::string& path);

    // The whole DXF text of the chain from first on, appended to out: processed template,
    // entities, end of section and file. 0 written; -1 when the mask selects no class or no
    // entity (and no group) was written; -3 when the template cannot be read.
    int WriteDxfFile(std::string& out, CDtbElement* first, const CxyData& min, const CxyData& max,
                     uint32_t mask);
    // Appends the processed template; 0.
    int WriteHeader(std::string& out, std::string_view templ, const CxyData& min,
                    const CxyData& max);
    // Appends the visible lines and arcs of the chain whose class bits meet the mask, groups
    // depth-first. 1 when anything was written or a visible group was entered, else 0.
    int WriteEntities(std::string& out, const CDtbElement* chain, uint32_t mask);
    // Appends one LINE, ARC or CIRCLE entity with the layer, line type and colour of its kind.
    // 1 (0 for an element that is neither a line nor an arc).
    int WriteEntity(std::string& out, const CDtbElement* e, int classBits);

    // Fills the work copy with a deep copy of the source and removes or marks its approach and
    // lead-out segments and closes its joints (see ApproachJoint.h); 0.
    int MakeApproachJoint();

    // Layer names of the LAYER table: cut, then mark and rapid unless already listed (ASCII
    // case ignored), each only when its output is on.
    std::vector<std::string> LayerList() const;

    DxfSettings settings;
    std::filesystem::path templatePath;
    const CDtbEngine& WorkCopy() const { return workCopy_; }

private:
    const DxfLayerStyle& StyleOf(const CDtbElement* e, int classBits) const;
    void Tell(unsigned id, std::string_view arg) const;

    CDtbEngine* source_ = nullptr;
    CDtbEngine workCopy_;
    DxfAppServices services_;
};
