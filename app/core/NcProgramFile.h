// Reading and writing NC program files: the "%" rule, .MPF sub-programs, backups.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/UserPrompt.h"

// Lines longer than this are kept whole, but the machine's own buffers hold no more.
inline constexpr size_t kNcLineWarnLength = 127;

struct NcLoadResult {
    std::vector<std::string> lines;
    // 1-based number of the first line longer than kNcLineWarnLength; 0 when there is none.
    size_t firstLongLine = 0;
};

// Reads an NC file. Each line is kept whole. A line that is exactly "%" counts unless
// ignorePercent: the second one is kept and ends the text. Nothing when the file cannot be read.
std::optional<NcLoadResult> ReadNcFile(const std::filesystem::path& file, bool ignorePercent);

// True when the path's extension is ".MPF" in any case.
bool IsMpfPath(const std::filesystem::path& file);

// Appends the sub-programs of an .MPF main program: every line (merged ones too) that starts
// with the main program's name names the file "<line>.spf" in its folder; its number is the
// integer after the name. Each number is merged once, under a marker "(*%03d)" and after an
// empty line. Missing files, and names holding '/', '\' or "..", are skipped. Returns the
// files merged.
std::vector<std::filesystem::path> MergeSubPrograms(const std::filesystem::path& mainPath,
                                                    std::vector<std::string>& lines);

struct NcStoreOptions {
    bool deleteBlankLines = false;  // empty lines of the main program are not written
    bool isMpf = false;             // split the sub-programs after "M30" into ".spf" files
    // Sub-program files of this program that the document knows (merged at load or written at
    // the last save); those not written again are removed as stale.
    std::vector<std::filesystem::path> knownSubFiles;
};

struct NcStoreResult {
    bool ok = false;                              // every file was written
    bool split = false;                           // sub-program files were written
    std::vector<std::filesystem::path> subFiles;  // the sub-program files written
    std::vector<size_t> droppedLines;  // 0-based non-blank rows after "M30" in no sub-program
};

// Writes the lines with CR LF. An .MPF program stops its main file after the first line that
// starts with "M30"; the rest goes to its sub-program files (WriteSubPrograms). The main file
// is written in any case; a sub-program failure makes the result not ok. Every file is
// replaced through a temporary file, so a failed write leaves the old file whole.
NcStoreResult WriteNcFile(const std::filesystem::path& file, const std::vector<std::string>& lines,
                          const NcStoreOptions& options, platform::UserPrompt* prompt);

// Writes each "(*<number>)" ... "M99" section from startRow on to "<main name><number>.spf" in
// the main program's folder (written lists them), then removes the files of known that were
// not written now and are this program's (same folder, name starting with the main name); no
// other file is touched. A number text holding '/', '\' or "..", or a
// file that cannot be written, shows 20107 with its path and gives 0 with nothing deleted.
// 1 when done. Non-blank rows that no section holds go to dropped.
int WriteSubPrograms(const std::filesystem::path& mainPath, const std::vector<std::string>& lines,
                     size_t startRow, platform::UserPrompt* prompt,
                     const std::vector<std::filesystem::path>& known = {},
                     std::vector<std::filesystem::path>* written = nullptr,
                     std::vector<size_t>* dropped = nullptr);

// The backup name: the file name's extension replaced by ".bak", or ".bak" appended when the
// file name has none (a point in a folder name does not count).
std::filesystem::path BackupPathFor(const std::filesystem::path& file);

// Copies the file to its backup through a temporary file, so an old backup survives a
// failed copy. False on failure.
bool MakeBackupCopy(const std::filesystem::path& file);
