// Fixed header, comment and footer texts of the die files, as CP932 bytes with CR LF.
#pragma once

#include <string_view>

namespace diefile {

extern const std::string_view kPossessedHeader;
extern const std::string_view kPossessedFooter;
extern const std::string_view kArrangementHeader;
// Comments behind the four header values of an arrangement file, line end included.
extern const std::string_view kStationCountTail;
extern const std::string_view kAutoIndexCountTail;
extern const std::string_view kFormFileTail;
extern const std::string_view kTurretNameTail;
// The column comment between the header values and the first station line.
extern const std::string_view kStationColumns;
extern const std::string_view kArrangementFooter;

}  // namespace diefile
