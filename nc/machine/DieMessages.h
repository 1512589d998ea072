// Message ids of the die data and its editing drivers, their texts and placeholder filling.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace diemsg {

inline constexpr int kDieTableMemory = 61508;
inline constexpr int kArrangementMemory = 61509;
inline constexpr int kPossessedOpen = 61510;
inline constexpr int kPossessedRead = 61511;
inline constexpr int kPossessedFormat = 61512;
inline constexpr int kPossessedWrite = 61513;
inline constexpr int kArrangementOpen = 61514;
inline constexpr int kArrangementRead = 61515;
inline constexpr int kArrangementFormat = 61516;
inline constexpr int kArrangementWrite = 61517;
inline constexpr int kArrangementCount = 61518;
inline constexpr int kUnregisteredDies = 61519;
inline constexpr int kDieCopyMemory = 61525;
inline constexpr int kUpdatePossessed = 61526;
inline constexpr int kPossessedWriteRetry = 61527;
inline constexpr int kArrangementCopyMemory = 61528;
inline constexpr int kNumberListMemory = 61529;
inline constexpr int kUpdateArrangement = 61530;
inline constexpr int kArrangementWriteRetry = 61531;
// The line part of the file messages above ("12 Line"), put after the file's name.
inline constexpr int kFileLine = 29745;
// A possessed-die file of more dies than the table holds: told at load, and a save refused
// where the dies beyond the table cannot be written back as they are.
inline constexpr int kPossessedNotAllLoaded = 29746;
inline constexpr int kPossessedOldFormatTooMany = 29747;

// The text of a message id from the string table, in the user-interface language (UTF-8,
// "%1".."%9" placeholders); empty for an unknown id.
std::string Text(int id);

// Replaces "%1".."%9" in text by the arguments, in one pass: argument text is never scanned
// for placeholders again. A placeholder without an argument is left as it is.
std::string Fill(std::string_view text, std::initializer_list<std::string_view> args);

// A file message (61510..61518) for the file's path: with the line part when the error is at a
// line (line > 0), without any line when it is not (a file that cannot be opened or written).
std::string FileErrorText(int id, std::string_view path, int line);

}  // namespace diemsg
