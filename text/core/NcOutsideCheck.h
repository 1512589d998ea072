// The outside NC checker "ZoroDodar06A": where it is found, what its exit code means, and its
// error list "ProgError.csv" turned into the report's table. Reports are CP932 bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {
class UserPrompt;
}

// The checker in the folder named by RERERAZOVU: "ZoroDodar06A", else "ZoroDodar06A.exe", when
// it is a regular file. Empty when the variable is unset or empty or neither file exists (the
// internal check then runs).
std::filesystem::path FindOutsideChecker();

// The checker's result as the report reads it: an exit status of 128-255 stands for status -
// 256 (255 is -1, the NC file cannot be opened; 251 is -5, a system error); a checker that
// crashed counts as -5.
int CheckerResult(int exitStatus, bool crashed);

// The error list's table: the header row (20078-20080 and one blank) and, skipping the file's
// first line, one row per line with its first four comma-separated fields; the detail field
// loses everything up to its first colon; each field is trimmed of blanks and then of double
// quotes. Columns as wide as their longest text, the first two right-aligned: "%*s, %*s,
// %-*s , %-*s" and CR LF per row. Lines end with LF or CR LF; empty lines give no row.
std::string FormatErrorList(std::string_view csv);

// Appends the table of "ProgError.csv" in the folder named by ZEDOVIR to report. 1 done; 0
// when ZEDOVIR is unset or empty (nothing said) or the file cannot be read ("File open error
// [path]" through prompt, which may be null).
int ReadErrorList(std::string& report, platform::UserPrompt* prompt);

// The report of a checker result for the document at docPath: "NC Check OK" (0), the error
// list (positive), "Failure to open file" (-1), the system error (-5), nothing (any other).
std::string OutsideCheckReport(int result, const std::string& docPath,
                               platform::UserPrompt* prompt);
