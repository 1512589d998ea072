// The internal Check NC: sequence and word rules over every block of a program, read with a
// fresh NC reader, one result code per line (0 none, 1-27 faults) and the report text.
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class CNcReadInfo;
class CToolData;
struct NcAppContext;

// The fault codes of the check and their string ids.
inline constexpr int kNcCheckCodeCount = 27;
// String id of the message of code (1-27); 0 for any other code.
unsigned NcCheckMessageId(int code);

// 10 x the decimal value of a G code's number text, cut to an integer: "01" 10, "8.4" 84,
// "12.1" 121; 0 for an empty text. Used for "ALL.txt" and for the codes of the text alike.
int NcCheckGCodeValue(std::string_view number);

// The accepted G codes of "ALL.txt" in folder: one code per line written with its letter;
// blank lines are ignored. Nothing when the file cannot be read (the G-code rule is then
// skipped).
std::optional<std::set<int>> LoadAcceptedGCodes(const std::filesystem::path& folder);

// The line as the check reads it: a line beginning with 'N' loses its sequence number when
// at least two characters follow the digits ("N100G01X10." -> "G01X10."; "N100" stays).
std::string StripSequenceNumber(std::string_view line);

// The codes of every line. settings, conditions and app go to the reader as the document's
// rebuild gives them (settings and conditions may be null); accepted is "ALL.txt" (nothing:
// the G-code rule is skipped). A look-ahead that reaches the end of the program marks the line
// that needed a follower and ends the check: the lines after it keep code 0.
std::vector<int> CheckNcLines(const std::vector<std::string>& lines, CNcReadInfo* settings,
                              CToolData* conditions, const NcAppContext* app,
                              const std::optional<std::set<int>>& accepted);

// The report: one line per faulty line in line order, the message of its code with the
// 1-based line number and the code, each ended by CR LF; "NC Check OK" and CR LF when there is
// none. In the current language, as CP932 bytes.
std::string NcCheckReport(const std::vector<int>& codes);
