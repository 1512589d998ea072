// The NC document: the program's lines and the element database built from them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/core/NcProgramFile.h"
#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbEngine.h"
#include "nc/read/CNcReadState.h"
#include "nc/read/NcProgramRunner.h"
#include "nc/read/convert/NcConvertFault.h"

class CNcLog;
class CSystemData;
struct NcAppContext;
struct NcHeaderHost;

// The document logic without a window: loading (the "%" rule, .MPF sub-programs, header
// directives), storing (CR LF, blank lines, .MPF split, ".bak" backup), file times and the
// changed-on-disk check, the rebuild of the elements and the recovery log. The program's
// document class forwards the framework's calls to it. Questions go through the context's
// prompt.
class CTessmarkDoc {
public:
    // What the document takes from the application object. Every member may be null or unset;
    // what it provides is then skipped.
    struct Services {
        // NcFileName (kept in step: the program the text is read and logged as), the prompt
        NcAppContext* Ctx = nullptr;
        // IgnorePercent, DeleteBlankForSave, CreateBackupFile; the machine settings and the
        // condition table the rebuild interprets with (null: an empty machine file's defaults)
        CSystemData* SystemData = nullptr;
        CNcLog* NcLog = nullptr;           // the crash-recovery log
        NcHeaderHost* Header = nullptr;    // header directives after each load
        std::function<void()> BeforeLoad;  // before a load or a new document: end the trace
        std::function<void()> AfterLoad;   // after it: view pivots
        // Elements (or SkipLogElements) are about to be freed: whatever points into them (the
        // element views' drawing of the program, their hovered element and its tip) lets go.
        std::function<void()> ElementsGoing;
        // The editor's change records refer to lines that are gone: drop them (a new
        // document, a load, a change made outside the editor).
        std::function<void()> DropEditRecords;
        std::function<void()> ViewsUpdate;  // after a reload of a file changed on disk
        // The frame's save command; true when saved. Unset: OnSaveDocument on the path.
        std::function<bool()> SaveCommand;
        // Progress of a load or a rebuild in percent: 0 when it starts, now and then while the
        // program is read, 100 when the rebuild is done.
        std::function<void(int percent)> Progress;
    };

    CTessmarkDoc();
    explicit CTessmarkDoc(Services services);
    CTessmarkDoc(const CTessmarkDoc&) = delete;
    CTessmarkDoc& operator=(const CTessmarkDoc&) = delete;

    std::vector<std::string> Lines;  // the NC text, one entry per line, every byte kept
    CDtbEngine Elements;             // built by RebuildElements
    CDtbEngine SkipLogElements;      // route of the skip log (process mode 4)
    CxyzData SkipLogStart;
    int CloseRequested = 0;     // set by the DDE command CLOSE; changes SaveModified
    std::int64_t FileTime = 0;  // last-write time (ns) as last loaded or saved; 0 unknown
    int PickPos[2] = {-1, -1};  // position picked in an element view
    unsigned char IsMpf = 0;    // an .MPF main program: sub-programs merged and split
    // What the file held besides the lines (byte-order mark, line ends, the rest after the
    // text that was read), written back by a save.
    NcFileFrame FileFrame;
    // The sub-programs of this main program merged at load or written at the last save.
    std::vector<NcSubProgram> SubPrograms;
    // Call depth and block cap of the rebuild.
    NcRunnerLimits RunLimits;
    // What the last rebuild found: how the run ended, the reader's totals (lengths, pierce and
    // mark counts) and the lines the set-up's converters had to leave as written.
    NcRunnerSummary LastRun;
    CNcReadState LastState;
    std::vector<NcConvertFault> ConvertFaults;

    const std::string& GetPathName() const { return pathName_; }
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }
    // The file name of the path, or "Untitled".
    std::string GetTitle() const;

    // Empties the document; the sheet frame goes back to the configured values. Returns 1.
    int OnNewDocument();
    // Loads the file (Load). 0 when the file cannot be read.
    int OnOpenDocument(const std::string& path);
    // Takes a recovered text that could not be written back to its file path as a new
    // document without a file name, marked modified: a save asks where to write it, so it
    // never replaces that file unasked. It is read and logged as the program of path (an .MPF
    // keeps the sub-program names its calls use, SubProgramsInText). The file is not read;
    // the recovery log is left as it is. Returns 1.
    int OpenRecovered(const std::string& path, std::vector<std::string> lines);
    // The file whose recovered text the document holds until it is first saved; empty
    // otherwise.
    const std::string& RecoveredFrom() const { return recoveredFrom_; }
    // Makes the ".bak" copy of a modified document when the setting asks, stores the lines
    // (Store) and takes the file's new time. 1 when every file was written (the document is
    // then unmodified); 0 otherwise (it stays modified). A backup that cannot be made stops
    // the save before any file is written. Every failure is told here, once: the backup
    // (29121), the file itself (29016) or a sub-program file (20107).
    int OnSaveDocument(const std::string& path);
    // The question before the document is closed or replaced; false cancels. After the DDE
    // command CLOSE only Yes and No are offered and the close always goes on.
    bool SaveModified();
    // Offers to reload the file when it changed on disk since it was read or saved; asks
    // once per change, and never while a load is under way. 1 when it was reloaded.
    int CheckFileChanged();
    // The file's last-write time is later than the one it had when it was read or saved (the
    // question of CheckFileChanged would come). False while a load is under way.
    bool FileChangedOnDisk() const;
    // A load is under way (its rebuild may let timers run).
    bool IsLoading() const { return loading_; }
    // Rebuilds Elements from Lines. Returns 1.
    int RebuildElements();
    // Writes the lines into the crash-recovery log; its result (1 when there is no log).
    int WriteRecoveryLog();

    // The editor's text as its new lines: the elements are rebuilt and the document is marked
    // modified. Returns 1.
    int ReplaceLinesFromEditor(std::vector<std::string> lines);
    // Every change of Lines made outside the editor (coordinate shift, manual move, the
    // conversions, an outside driver's change) ends with this call: the editor's change
    // records, whose positions belong to the old text, are dropped, and the lines go into the
    // crash-recovery log (its result). Loads and new documents drop the records themselves.
    int LinesChangedOutsideEditor();

    // The loading and storing steps of the framework's serialisation. Load takes the file's
    // time as it was when the text was read.
    int Load(const std::string& path);
    int Store(const std::string& path);

private:
    platform::UserPrompt* Prompt() const;
    void TellCannotWrite(const std::string& path) const;
    // Makes lines the document's text under path: the trace ends, the elements are rebuilt
    // after the header directives, the edit records go. read: the file they were read from
    // (its sub-programs are merged, its long lines and hidden part told); null for a
    // recovered text of path, which gets no file name.
    void TakeText(const std::string& path, std::vector<std::string> lines, NcFileFrame frame,
                  std::int64_t fileTime, const NcLoadResult* read);
    Services services_;
    std::string pathName_;
    std::string recoveredFrom_;
    bool modified_ = false;
    bool loading_ = false;
};
