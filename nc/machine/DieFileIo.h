// Line, field and file helpers of the die files (CP932 bytes; delimiters are ASCII, which
// never occurs as the trail byte of a double-byte character, so byte splitting is safe).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace diefile {

// The file's lines without their line ends (LF or CR LF). False when it cannot be read.
bool ReadLines(const std::filesystem::path& file, std::string& storage,
               std::vector<std::string_view>& lines);

// Comment lines (";" first) and empty or all-blank lines are skipped everywhere.
bool IsSkipped(std::string_view line);

// Runs of bytes that are none of the delimiters; empty fields are skipped.
void SplitTokens(std::string_view line, std::string_view delimiters,
                 std::vector<std::string_view>& out);
// Fields between single delimiters, empty ones included; one field more than delimiters.
void SplitFields(std::string_view line, char delimiter, std::vector<std::string_view>& out);

// The first blank-delimited word of a field (what a "%s" scan takes); empty when none.
std::string Word(std::string_view field);
// The field without blanks around it.
std::string_view Trim(std::string_view field);

// The leading integer (or real) of a field after blanks; `ok` says whether there was one.
long long LeadingInt(std::string_view field, bool* ok = nullptr);
double LeadingReal(std::string_view field, bool* ok = nullptr);

// Cuts text to at most max bytes without splitting a double-byte character.
void CutText(std::string& text, size_t max);

// printf-like padding: right-aligned ("%5d") or left-aligned ("%-15s") in width bytes.
std::string PadLeft(std::string_view text, size_t width);
std::string PadRight(std::string_view text, size_t width);

// Writes text to a temporary file in the file's folder and renames it over the file (a
// symbolic link is written through), so that the old file stays whole when anything fails.
// 0 done, -1 the folder does not exist, -4 writing failed.
int WriteFileAtomically(const std::filesystem::path& file, std::string_view text);

}  // namespace diefile
