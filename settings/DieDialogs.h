// The die dialogs of the punch tool: the die list (template 1537) with its edit dialogs (1538
// add, 1546 change), and the arrangement dialog (1551) with its station dialog (1552).
//
// Each dialog is a template of the program, a static item table and a hook run by the dialog
// library's controller (RunTableDialog). They edit only the working copies of a DieDialogState,
// which the drivers of CPunchTool fill before a run and take back after it; what the working
// copies do not hold lives in the one DieDialogModule of the program.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "nc/machine/DieDialogState.h"
#include "platform/UserPrompt.h"
#include "wepo/Wepo.h"

// The variables of the die edit dialogs 1538 and 1546. Texts are CP932, NUL-terminated.
struct DieEditRecord {
    int16_t ShapeIndex = 0;  // shape - 1; 14 and 15 (from the list's filters): none chosen
    int16_t RangeIndex = 0;  // range - 1
    double SizeX = 0, SizeY = 0, R = 0, Angle = 0;
    std::array<int16_t, 6> Usage{};  // usage bits 0 to 5
    // 32 bits, so that a number typed beyond the die record's 16 bits reaches the check at OK
    // as typed instead of saturated.
    int32_t Number = 0;
    int16_t Air = 0, Clamp = 0;
    char ShapeFile[262] = {};
    char StartCode[130] = {};
    char EndCode[130] = {};
    int32_t Direction = 0;  // 0 up or right-hand thread, 1 down or left-hand thread
    int32_t Endless = 0;
    int16_t Rotation = 0;
    int16_t PlacedOnEntry = 0;
};

// The variables of the station dialog 1552. Texts are CP932, NUL-terminated.
struct StationEditRecord {
    int16_t StationNo = 0;
    int32_t DieNumber = 0;  // 32 bits for the check at OK, as DieEditRecord::Number
    int16_t RangeIndex = 0;
    double PosX = 0, PosY = 0, DangerWidth = 0, DangerHeight = 0;
    int16_t AutoIndex = 0, AutoChange = 0;
    char StartCode[128] = {};
    char EndCode[128] = {};
};

// The die dialogs' own state, kept for the life of the program.
struct DieDialogModule {
    int16_t RangeFilter = 10;  // 0 to 9 the ranges A to J, 10 every range
    int GroupStart = 0;        // the stretch of the working table the die list shows
    int GroupSize = 0;
    DieEditRecord Edit;
    StationEditRecord Station;
    int EditedStation = -1;  // the station the station dialog edits
    // Remembered shape-file names (CP932) and filter indexes for SP, SE and KI shape files.
    std::array<std::string, 3> ShapeFileNames;
    std::array<int, 3> ShapeFileFilterIndexes{1, 2, 3};
    std::string ShapeFileFolder;  // native path, where shape files are browsed
};
DieDialogModule& DieDialogRecord();

// The punch page hands these in before the die list runs and reads the indexes back after it.
// The folder is kept up to 255 bytes.
void SetShapeFileFolder(std::string_view folder);
void SetShapeFileFilterIndexes(int sp, int se, int ki);
void GetShapeFileFilterIndexes(int* sp, int* se, int* ki);

// The program's dialogs of the die-data drivers (CPunchTool::Dialogs). Messages go to Prompt
// (none: not shown); shape and arrangement files are chosen with SelectFile (wpSelectFileName
// unless a test puts another in).
class DieDialogs : public DieDialogRunner {
public:
    using FileSelector =
        std::function<int(QWidget* owner, unsigned mode, int keepLongName, FileSelectParams*)>;
    platform::UserPrompt* Prompt = nullptr;
    FileSelector SelectFile;

    // Template 1537 with its 4 items, owned by state.Owner. The range filter starts at 10 (all)
    // at every run. 1 OK, 0 Cancel, -1 no template.
    int RunDieSelectionDialog(DieDialogState& state) override;
    // Template 1551 with its 6 items; on OK the station count, turret name, arrangement path and
    // station filter are stored into state. 1 OK, 0 Cancel, -1 no template.
    int RunArrangementDialog(DieDialogState& state) override;
};
