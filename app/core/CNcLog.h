// The crash-recovery log: a copy of the NC text being changed, kept in "MOR%02d.LOG" files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/NcProgramFile.h"
#include "platform/UserPrompt.h"

// One per running instance. The log file of a run is claimed exclusively at its first write
// (an atomic link of a locked file) and stays locked while the instance runs, so two
// instances never share a log, and neither recovery nor the clean-up of one instance touches
// the live log of another. A normal end deletes the run's own log; after a crash it stays.
class CNcLog {
public:
    CNcLog() = default;
    ~CNcLog();
    CNcLog(const CNcLog&) = delete;
    CNcLog& operator=(const CNcLog&) = delete;

    std::filesystem::path LogFolder;  // ends with a separator; empty switches the log off
    std::filesystem::path LogFile;    // this run's log (claimed at the first write)

    // The default log folder: "LOG/" in the configuration folder.
    static std::filesystem::path DefaultLogFolder(const std::filesystem::path& configFolder);
    // "MOR%02d.LOG" for n.
    static std::string LogName(int n);
    // The number of a log file name of the exact form "MOR%02d.LOG" (".LOG" in any case);
    // nothing for any other name.
    static std::optional<int> LogNumber(std::string_view fileName);

    // Sets LogFolder from [System] LogFolder of iniPath (default: defaultFolder, which is
    // created), writes it back, and picks LogFile after the highest log number in the folder.
    void Init(const std::filesystem::path& iniPath, const std::filesystem::path& defaultFolder);

    // Writes "Log file:" + ncFileName and the lines (CR LF) as this run's log, atomically.
    // 1 when written or when there is nothing to log (no folder or no file name); 0 when the
    // log cannot be written (the previous content stays).
    int WriteLog(const std::vector<std::string>& lines, std::string_view ncFileName);

    // A save wrote the text the log holds: the log file goes, so that no recovery is offered
    // for it; the next WriteLog claims a log again.
    void ClearLog();
    // The run ends without deleting its log (a driven close whose save failed): the log is
    // released as it stands, for the next start to offer. A later WriteLog claims a new one.
    void KeepLog();

    // The next free log number. With list, receives the logs that no running instance holds
    // (this one included), in name order; with deleteThem non-zero, those are deleted.
    int EnumLogFiles(std::vector<std::filesystem::path>* list, int deleteThem);

    // The start-up's offer: restores a log the user chooses into its NC file, as a save of
    // that file with settings writes it (RestoreFile). When the file changed after the log
    // was written, the user is asked again first; a file that is replaced is kept as its
    // ".bak" copy. 1 with ncPath set when a log was written back (and deleted). 2 when the NC
    // file cannot be written (read-only, its folder not writable, or its ".bak" copy fails;
    // the file is then left as it is) or one of its sub-program files could not be written
    // (20107 names it): that is shown, ncPath is set and recovered receives the log's text
    // for the start-up to open as a new, changed document without a file name (the message
    // says so); the log stays, and when it lies in LogFolder it becomes this run's log (see
    // AdoptLog). 0 otherwise.
    int Recover(std::string* ncPath, platform::UserPrompt& prompt,
                std::vector<std::string>* recovered = nullptr, const NcFileSettings& settings = {});
    // Makes a log of LogFolder left by an earlier run this run's log, as if this run had
    // written it: the document's next WriteLog replaces it, a save or a new text removes it,
    // a normal end deletes it and a crash leaves it. False (nothing changed) when it is not in
    // LogFolder or another instance holds it.
    bool AdoptLog(const std::filesystem::path& log);

    // The NC path of a log's first line, which must start with "Log file:". Shows 20092 and
    // returns 0 when the log cannot be read or has no such line (prompt may be null).
    int ReadLogHeader(const std::filesystem::path& logPath, std::string* ncPath,
                      platform::UserPrompt* prompt);
    // Asks for a log file until one whose first line holds "Log file:" is picked; 0 on cancel.
    int SelectLogFile(std::filesystem::path* result, platform::UserPrompt& prompt);
    // Writes the lines after the header of a log into ncPath as a save of that file does
    // (WriteNcFile with StoreOptionsForText): the file keeps what its load leaves out, its
    // byte-order mark and line ends, and an .MPF main program's sub-program sections go to
    // their own files. The log is read and checked whole first and each file replaced
    // atomically: when the log cannot be read (0) nothing is touched. 1 when every file was
    // written. A sub-program file that fails is shown through prompt (when given).
    static int RestoreFile(const std::filesystem::path& logPath,
                           const std::filesystem::path& ncPath, const NcFileSettings& settings = {},
                           platform::UserPrompt* prompt = nullptr);
    // The lines after the header of a log; nothing when it cannot be read or has no header.
    static std::optional<std::vector<std::string>> ReadLogText(const std::filesystem::path& log);

private:
    static NcStoreResult WriteBack(const std::vector<std::string>& lines,
                                   const std::filesystem::path& ncPath,
                                   const NcFileSettings& settings, platform::UserPrompt* prompt);
    static bool HeldByAnInstance(const std::filesystem::path& log);
    int fd_ = -1;  // open and locked while this run's log is claimed
};
