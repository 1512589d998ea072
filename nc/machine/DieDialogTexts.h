// The texts the die and arrangement dialogs show for dies and stations: shape texts and row
// texts, all CP932 bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nc/machine/DieRecords.h"

// The two layouts of a die row: the die list of the die dialog (a leading blank and two blanks
// between the columns) and the die list of the arrangement dialog (one blank).
enum class DieRowStyle { DieList, Arrangement };

// Writes the short text of a die's shape ("φ10", "長角10*12.5-0", "特ABC" for the shape file
// "ABC.DEF.SPF") into out: the sizes with two decimals and their trailing zeros and point
// dropped, the shape file cut at its first '.'. Shapes outside 1 to 14 give an empty text.
// 0, or -1 for a null out.
int FormatShapeText(const DieRecord& die, std::string* out);
std::string ShapeText(const DieRecord& die);

// One row of a die list: number, range letter, row name of the shape, size X, size Y, R, angle,
// air ("ON"/"OFF"), the six usage marks ('O' set, '-' clear, bit 0 first) and the shape file.
// CP, SE and BR show their direction in place of size Y ("上向き"/"下向き"), TP its thread
// ("右ネジ"/"左ネジ"), BR its endless flag in place of R ("通常"/"ｴﾝﾄﾞﾚｽ"). Range 0 shows a
// blank in the die list and "*" in the arrangement's list. Columns are padded to display
// widths: a CP932 byte is one column, so a full-width character counts two.
std::string FormatDieRow(const DieRecord& die, DieRowStyle style);

// One row of the station list: the slot (position + 1), the station number (" ---" for 0), the
// die number ("  --" for an empty station), the range letter, "AI" or "--" for auto index,
// "O" or "-" for auto change, then the shape text of the first of the count dies that has the
// station's die number. Nothing is cut, however long the shape text.
std::string FormatStationRow(const StationRecord& station, int slot,
                             const std::vector<DieRecord>& dies, int count);

// The row name of a shape code (" 丸 ", "ﾀｯﾌﾟ"; four bytes), empty outside 1 to 14.
std::string_view DieShapeRowName(int shape);
// "A".."J" for ranges 1 to 10, else the given text.
std::string_view RangeLetter(int range, std::string_view otherwise);
// Size Y or R read as a flag: any value of magnitude 1e-6 or more counts as set.
bool DieFlagSet(double value);
// Shapes whose size Y is a direction (CP, BR, TP, SE).
bool HasDirection(int shape);
