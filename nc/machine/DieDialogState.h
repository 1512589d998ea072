// The state the die-data drivers share with the die selection and arrangement dialogs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "nc/machine/DieRecords.h"

// One record filled by the drivers before a dialog runs and read back after it. The three
// working blocks exist only while a driver runs. The dialogs change the copies only; the
// drivers decide what is taken back into the die data.
struct DieDialogState {
    std::vector<DieRecord> Dies;                   // die table copy, kMaxDies records
    std::optional<TurretArrangement> Arrangement;  // arrangement copy
    std::vector<int16_t> Numbers;                  // die number list, kMaxDies entries
    int NumberCount = 0;                           // used entries of Numbers, 0..kMaxDies
    DieFileHeader Header;                          // header copy
    // The numbers of the file's dies beyond the table: not in the working table, but taken.
    std::vector<int> UnloadedDieNumbers;

    std::string PossessedFileName;  // possessed-die file name as configured
    std::string ArrangedFileName;   // arrangement file name as configured
    std::string ArrangementPath;    // absolute arrangement path, read back after OK
    int StationCount = 0;           // stations being edited, read back after OK
    std::string TurretName;         // turret name being edited, read back after OK

    std::array<int, 5> ArrangementListState{};  // reset to 0 before each arrangement run
    int16_t ArrangementFlag = 0;                // reset to 0 before each arrangement run

    int ShapeMask = 0xFFFF;       // bit i allows shape i, bit 15 the automatic choice
    int Mode = 0;                 // 1 editing, 0 selecting
    int SelectedShapeButton = 0;  // 0..15; 15 (and 14 without shape 15) the automatic choice
    int DieListIndex = -1;        // list positions the selection dialog starts from
    int DieListTop = -1;
    int16_t DieListRows = 10;

    std::array<int, 7> SortKeys{};  // keys of the last die sort, read by the dialogs' sort

    void* Owner = nullptr;  // parent window of the dialogs; opaque below the user interface

    // Drops the working blocks once a driver is done.
    void FreeBlocks() {
        Dies.clear();
        Dies.shrink_to_fit();
        Arrangement.reset();
        Numbers.clear();
        Numbers.shrink_to_fit();
        NumberCount = 0;
        UnloadedDieNumbers.clear();
        UnloadedDieNumbers.shrink_to_fit();
    }
};

// Runs the two modal die dialogs on a DieDialogState. The program implements it with its
// dialogs; tests with a scripted fake. Both return 1 for OK, 0 for Cancel or a failed
// set-up, -1 when the dialog cannot be made.
class DieDialogRunner {
public:
    virtual ~DieDialogRunner() = default;
    // The die selection dialog: on OK it writes the chosen die index into
    // state.Header.SelectedDie (-1 automatic choice with AutoSelect 1, -99 in editing mode).
    virtual int RunDieSelectionDialog(DieDialogState& state) = 0;
    // The arrangement dialog: works on the copies, StationCount, TurretName and
    // ArrangementPath of the state.
    virtual int RunArrangementDialog(DieDialogState& state) = 0;
};
