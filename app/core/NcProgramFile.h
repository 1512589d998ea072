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

// What a file holds besides its lines, kept so that a save gives every other byte back.
struct NcFileFrame {
    bool bom = false;           // a UTF-8 byte-order mark before the first line (not in it)
    bool lfOnly = false;        // every line ended with a bare LF (else lines end with CR LF)
    bool lastLineEnded = true;  // the last line had a line end
    std::string rest;           // the bytes the reading left out (from a 0x1A byte, or after
                                // the second "%" line), written back after the lines
};

struct NcLoadResult {
    std::vector<std::string> lines;
    // 1-based number of the first line longer than kNcLineWarnLength; 0 when there is none.
    size_t firstLongLine = 0;
    // 1-based number of the line on which a 0x1A byte ended the text while more than end
    // marks and blank space followed it (that part is not shown); 0 when there is none.
    size_t hiddenAfterLine = 0;
    NcFileFrame frame;
};

// Splits a file's bytes into lines (LF or CR LF ends, each line kept whole). The text ends at
// the first 0x1A byte, as the old text-mode readers of NC files saw it; with percentRule a
// line that is exactly "%" counts, and the second one is kept and ends the text. What follows
// the text goes to frame.rest; a UTF-8 byte-order mark is taken off the first line. A 0x1A
// byte that hides more than further 0x1A bytes, line ends, blanks or NULs sets
// hiddenAfterLine.
NcLoadResult SplitNcText(std::string_view bytes, bool percentRule);

// The bytes of lines [begin, end) framed as frame says (mark, line ends, last line end, rest):
// JoinNcText(SplitNcText(b).lines, ...) gives b back for every b whose line ends are all LF or
// all CR LF. With skipBlank, empty lines are left out.
std::string JoinNcText(const std::vector<std::string>& lines, size_t begin, size_t end,
                       const NcFileFrame& frame, bool skipBlank = false);

// Reads an NC file (SplitNcText with the "%" rule unless ignorePercent). Nothing when the file
// is not a regular file or cannot be read.
std::optional<NcLoadResult> ReadNcFile(const std::filesystem::path& file, bool ignorePercent);

// True when the path's extension is ".MPF" in any case.
bool IsMpfPath(const std::filesystem::path& file);

// A sub-program merged into an .MPF main program, remembered so that a save writes it back
// to the file it came from, byte for byte when it was not changed.
struct NcSubProgram {
    std::string marker;          // the marker line it was merged under, "(*012)"
    std::string suffix;          // the calling line after the main program's name ("12"): the file
                                 // is "<main name><suffix>.spf" in the main program's folder
    std::filesystem::path path;  // the file it was read from
    NcFileFrame frame;
    bool separated = false;  // the merge put an empty line before the marker
};

// Appends the sub-programs of an .MPF main program: every line (merged ones too) that starts
// with the main program's name names the file "<line>.spf" in its folder; its number is the
// integer after the name. Each number is merged once, under a marker "(*%03d)" and after an
// empty line. Missing files, files that are not regular, and names holding '/', '\' or ".."
// are skipped. Returns the sub-programs merged. With hiddenAfterLine, a sub-program whose text
// a 0x1A byte ended early (see SplitNcText) sets it, when still 0, to the 1-based line of
// lines that holds the byte.
std::vector<NcSubProgram> MergeSubPrograms(const std::filesystem::path& mainPath,
                                           std::vector<std::string>& lines,
                                           size_t* hiddenAfterLine = nullptr);

// The sub-programs that a text merged from mainPath holds, as MergeSubPrograms recorded them,
// found from the text alone (a recovered text whose files were not read): each first calling
// line of a number whose marker line the text holds after its first "M30" line (where the
// save splits the text). Their frames are the default ones; one counts as separated when an
// empty line stands before its marker.
std::vector<NcSubProgram> SubProgramsInText(const std::filesystem::path& mainPath,
                                            const std::vector<std::string>& lines);

struct NcStoreOptions {
    bool deleteBlankLines = false;  // empty lines of the main program are not written
    bool isMpf = false;             // split the sub-programs after "M30" into ".spf" files
    NcFileFrame frame;              // of the main file as it was read
    // The sub-programs of this program that the document knows (merged at load or written at
    // the last save): their sections go back to their files, and those not written again are
    // removed as stale.
    std::vector<NcSubProgram> knownSubPrograms;
};

// The user's settings that decide how a program's file is read and written.
struct NcFileSettings {
    bool ignorePercent = false;     // the "%" rule is off (the machine setting IgnorePercent)
    bool deleteBlankLines = false;  // empty lines are not saved (DeleteBlankForSave)
};

// The options a save of lines into file takes when the lines were not read from it (a
// recovered text): the frame of the file as it stands (the rest its load leaves out, its
// byte-order mark and line ends), and for an .MPF main program the sub-programs the text
// holds (SubProgramsInText), each with the frame of its own file.
NcStoreOptions StoreOptionsForText(const std::filesystem::path& file,
                                   const std::vector<std::string>& lines,
                                   const NcFileSettings& settings);

struct NcStoreResult {
    bool ok = false;                        // every file was written
    bool mainWritten = false;               // the main file was written
    bool split = false;                     // sub-program files were written
    std::vector<NcSubProgram> subPrograms;  // the sub-programs written
    std::vector<size_t> droppedLines;       // 0-based non-blank rows after "M30" in no sub-program
};

// Writes the lines. An .MPF program keeps in its main file everything up to the first
// sub-program marker after its first "M30" line; the sections from there on go to their
// sub-program files (WriteSubPrograms). The main file is written in any case; a sub-program
// failure makes the result not ok. Every file is replaced through a temporary file, so a
// failed write leaves the old file whole. When every file was written, the known
// sub-programs not written again are removed (RemoveStaleSubPrograms).
NcStoreResult WriteNcFile(const std::filesystem::path& file, const std::vector<std::string>& lines,
                          const NcStoreOptions& options, platform::UserPrompt* prompt);

// Writes each "(*<number>)" section from startRow on to its file in the main program's
// folder (written lists them). A section under the marker of a known sub-program goes to
// "<main name><its suffix>.spf" with that file's frame and runs to the next known marker, or
// to the next "(*" line after its "M99"; any other section goes to "<main name><number>.spf"
// and ends with its "M99" line. No file is removed here. A number text holding '/', '\' or
// "..", or a file that cannot be written, shows 20107 with its path and gives 0. 1 when done.
// Non-blank rows that no section holds go to dropped.
int WriteSubPrograms(const std::filesystem::path& mainPath, const std::vector<std::string>& lines,
                     size_t startRow, platform::UserPrompt* prompt,
                     const std::vector<NcSubProgram>& known = {},
                     std::vector<NcSubProgram>* written = nullptr,
                     std::vector<size_t>* dropped = nullptr);

// Removes the files of known that written does not hold and that mainPath's own calls name
// ("<main name><suffix>.spf" in its folder): a file merged for another main program's name
// or folder is never touched.
void RemoveStaleSubPrograms(const std::filesystem::path& mainPath,
                            const std::vector<NcSubProgram>& known,
                            const std::vector<NcSubProgram>& written);

// The backup name: the file name's extension replaced by ".bak", or ".bak" appended when the
// file name has none (a point in a folder name does not count).
std::filesystem::path BackupPathFor(const std::filesystem::path& file);

// Copies the file to its backup through a temporary file, so an old backup survives a
// failed copy. False on failure.
bool MakeBackupCopy(const std::filesystem::path& file);
