// The die tooling of a turret punch press: possessed dies, turret arrangement, tapping tools.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nc/machine/CTapTool.h"
#include "nc/machine/DieDialogState.h"
#include "nc/machine/DieRecords.h"
#include "platform/FileRead.h"

struct NcAppContext;

// Result codes of the die file readers and writers.
enum DieFileResult : int {
    kDieFileOk = 0,
    kDieFileCannotOpen = -1,
    kDieFilePrematureEnd = -2,
    kDieFileFormat = -3,
    kDieFileWrite = -4,
    kDieFileInconsistentCount = -5,
    // Not written: the file holds dies beyond the table in an older syntax, which a version
    // 4.0 file cannot carry as they are, and the table has no room for them. The file is left
    // as it was.
    kDieFileDiesNotLoaded = -6,
};

// One instance lives as long as the application. It copies as a value, so that the punch
// page can keep a snapshot of the whole die data and restore it on Cancel. Both files are CP932
// text; the writers always write version 4.0 with CR LF line ends, through a temporary file and a
// rename.
class CPunchTool {
public:
    // The context gives the configuration folder, the local-app placeholder and the prompt;
    // without one, relative names are taken from the working folder and nothing is shown.
    explicit CPunchTool(const NcAppContext* context = nullptr);

    void SetContext(const NcAppContext* context) { context_ = context; }
    const NcAppContext* Context() const { return context_; }

    // --- data -------------------------------------------------------------------------
    std::string PossessedToolFileName;  // as configured; a relative name is resolved by ResolveName
    std::string ArrangedToolFileName;   // likewise
    std::vector<DieRecord> Dies;        // always kMaxDies records; Header.DieCount are valid
    // The die lines of the possessed-die file beyond the table's kMaxDies records, as read
    // (without line ends). Nobody shows or edits them; a save writes them back unchanged after
    // the table, so that saving a file of more dies than the table holds loses none of them.
    std::vector<std::string> UnloadedDieLines;
    // The other lines beyond the table that are neither comments nor dies (an "END" someone put
    // after the last die), as read. They are no dies; a save keeps them after every die.
    std::vector<std::string> UnloadedOtherLines;
    TurretArrangement Arrangement;  // Arrangement.StationCount stations are valid
    DieFileHeader Header;
    std::array<CTapTool, kMaxTapTools> TapTools;
    int TapCount = 0;  // tapping tools in use, 0..kMaxTapTools

    // The possessed-die files whose dies beyond the table a load has told of, each with its
    // stamp taken before that read: a file in a state already told is not told again, also
    // where machines of different die files take turns. It is no die data: the punch page's
    // Cancel, which puts back a copy of the die data, keeps it.
    using ToldDieFiles = std::map<std::filesystem::path, platform::FileStamp>;
    ToldDieFiles BeyondTheTableTold;

    // Shared with the die dialogs while a driver runs; the application sets Owner.
    DieDialogState DialogState;
    // The dialogs the drivers run; without them a dialog counts as cancelled.
    DieDialogRunner* Dialogs = nullptr;
    // The current machine file (the named file, not the working copy) whose [Punch] names
    // the arrangement editor updates; the application wires it to its machine settings.
    std::function<std::string()> MachineFileName;

    // --- file names ---------------------------------------------------------------------
    // Reads [Punch] PossessedToolFileName (default "pch_tool.dat") and ArrangedToolFileName
    // (default "sample.arr"), at most 255 bytes each, expanding "<LOCAL_APP_NAME>". Returns 1.
    int LoadFileNames(const std::filesystem::path& machineFile);
    // Writes both names into [Punch], each with the local application folder collapsed to
    // "<LOCAL_APP_NAME>". 1 done, 0 when the file cannot be written.
    int SaveFileNames(const std::filesystem::path& machineFile);
    // The configured names made absolute: in the configuration folder, or, when the file is
    // not there, beside the machine file that names it (MachineFileName), if it is there.
    std::filesystem::path PossessedPath() const;
    std::filesystem::path ArrangementPath() const;
    // The file a name reaches from the current machine file (diefile::ResolveName), and the
    // name to store for a file in place of previous (diefile::StoredName): everything that
    // turns names into die files and back goes through these two.
    std::filesystem::path ResolveName(std::string_view name) const;
    std::string StoredName(const std::filesystem::path& file, std::string_view previous) const;
    // Both die files read again from the configured names. A file that does not exist (a new
    // machine before its dies are made, a laser machine) reads as an empty table without a
    // message; a file that exists and cannot be read is reported.
    void ReloadDieFiles();

    // --- files --------------------------------------------------------------------------
    // Mode 1 reads the file, any other mode writes it. 0 done, or a DieFileResult. Errors are
    // shown with their message (stop icon, full path and line); an empty name gives -1 and
    // no message. Read the possessed dies first: the arrangement resolves its dies in them.
    int ReadWritePossessed(int mode);
    int ReadWriteArrangement(int mode);

    // The same on a given file, without messages. `lines` receives the lines read or written
    // up to the end or the error; `unregistered` the stations whose die is not possessed.
    // Reading keeps the die lines beyond the table in UnloadedDieLines and the others in
    // UnloadedOtherLines; writing puts them after the table's records. Die lines of an older
    // syntax are written as dies of the table when they fit in it beside its dies (the table
    // then holds them), else the write is refused (kDieFileDiesNotLoaded).
    int ReadPossessedFile(const std::filesystem::path& file, int* lines = nullptr);
    int WritePossessedFile(const std::filesystem::path& file, int* lines = nullptr);
    // The numbers of the dies of UnloadedDieLines, in file order. No die of the table may take
    // one of them.
    std::vector<int> UnloadedDieNumbers() const;
    int ReadArrangementFile(const std::filesystem::path& file, int* lines = nullptr,
                            int* unregistered = nullptr);
    int WriteArrangementFile(const std::filesystem::path& file, int* lines = nullptr);

    // --- sorting and look-ups -------------------------------------------------------------
    // Sorts the first DieCount dies by up to seven keys (1 number, 2 range, 3 shape, 4 sizes,
    // 5 usage, 6 air, 7 placed descending; others are skipped); equal records keep their
    // order. Stores the keys in DialogState.SortKeys. Returns 0.
    int SortDies(int k1, int k2, int k3, int k4, int k5, int k6, int k7);
    // <0, 0, >0 as a sorts before, with or after b under the keys.
    static int CompareDies(const DieRecord& a, const DieRecord& b, const std::array<int, 7>& keys);

    // Index of the first of the DieCount dies with that number, or -1.
    int FindDieIndex(int number) const;
    // The same die, or null.
    const DieRecord* FindDie(int number) const;
    // Die number of the first station with that station number; -1 when it is empty or
    // there is none.
    int GetDieOfStation(int stationNo) const;
    // As GetDieOfStation, and stores the station's danger zone; when no station matches it
    // returns -1 and leaves width and height untouched.
    int GetStationDangerZone(int stationNo, double* width, double* height) const;

    // --- editing drivers ----------------------------------------------------------------
    // Runs the die selection dialog on copies of the dies, arrangement and header, then
    // takes the die and header copies back whatever the dialog returned. Mask bit i allows
    // shape i, bit 15 the automatic choice, 0 all; mode 1 editing, 0 selecting. Returns 0.
    int ShowDieDialog(int shapeMask, int mode);
    // The die button of the punch page: edit, ask, write, offer to edit again. Returns 0.
    int EditPossessedDies();
    // The arrangement button: -1 when the dialog was cancelled, else 0.
    int EditArrangement();
    int RunArrangementEditor();

private:
    std::filesystem::path CurrentMachineFile() const;
    void ShowFileError(int id, const std::filesystem::path& file, int lines) const;
    bool Ask(int id, std::string_view arg) const;
    void ShowStopText(std::string_view text) const;
    void CollectTapTools();
    void PrepareDialogBlocks();

    const NcAppContext* context_ = nullptr;
};
