// The batch DXF output: one DXF file per NC file into one folder, skipping those that are
// up to date.
#pragma once

#include <string>
#include <vector>

#include "platform/UserPrompt.h"

// What the batch asks of the program.
class DxfBatchEffects {
public:
    virtual ~DxfBatchEffects() = default;
    // Looked at before every file, the first included: true when Escape was pressed since the
    // batch began (other input meanwhile is dropped).
    virtual bool EscapePressed() = 0;
    // The progress window shows file `position` (from 1) of `count`.
    virtual void Progress(int position, int count) = 0;
    // Opens the NC file as File Open does; false when it could not be opened.
    virtual bool Open(const std::string& ncPath) = 0;
    // True when the open document has elements.
    virtual bool HasElements() = 0;
    // Writes the open document's elements to dxfPath without asking; true when written (the
    // writer reports its own failures).
    virtual bool WriteDxf(const std::string& dxfPath) = 0;
};

struct DxfBatchResult {
    int converted = 0;
    int skipped = 0;  // already up to date
    bool interrupted = false;
    std::string failedFile;  // the NC file the batch ended on; empty when none
};

// The DXF path of an NC file: the folder (ending with '/'), the NC file's name without its
// extension, and ".dxf".
std::string BatchDxfPath(const std::string& outFolder, const std::string& ncPath);

// Converts the files in order. A file is converted when its DXF file is missing or not newer
// than it, else counted as skipped (also when the NC file cannot be read). An open that fails
// ends the batch on that file; so does a file whose DXF path another file of this batch has
// already written (it is not counted as up to date). A program without elements counts
// neither way.
DxfBatchResult RunDxfBatch(const std::vector<std::string>& ncFiles, const std::string& outFolder,
                           DxfBatchEffects& effects);

// The final message: 20098 with the failed file or 20099 (warnings); else, when nothing was
// converted and some files were up to date, 20103 with their count; else the converted count
// followed on a line of its own by the up-to-date count when there is one (the report box,
// titled 20104). Both end well: information. Each count reads with its noun: the texts of 1
// are 20101 and 20102, those of other counts 29412, 29413 and 20103. UTF-8 from the string
// table.
struct DxfBatchReport {
    std::string text;
    bool reportTitle = false;  // titled with string 20104
    platform::PromptIcon icon = platform::PromptIcon::Warning;
};
DxfBatchReport MakeDxfBatchReport(const DxfBatchResult& result);
