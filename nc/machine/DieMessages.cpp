// Message texts of the die data; English until the program's string table takes them over.
#include "nc/machine/DieMessages.h"

#include <vector>

namespace diemsg {

namespace {
struct Entry {
    int id;
    const char* text;
};
// Same texts as resources/strings.tsv (English column).
constexpr Entry kTexts[] = {
    {kDieTableMemory, "Punch information memory error"},
    {kArrangementMemory, "Punch arrangement memory error"},
    {kPossessedOpen, "Punch data file open error\n[%1] %2Line"},
    {kPossessedRead, "Punch data file read error\n[%1] %2Line"},
    {kPossessedFormat, "Punch data file format error\n[%1] %2Line"},
    {kPossessedWrite, "Punch data file write error\n[%1] %2Line"},
    {kArrangementOpen, "Punch arrangement file open error\n[%1] %2Line"},
    {kArrangementRead, "Punch arrangement file read error\n[%1] %2Line"},
    {kArrangementFormat, "Punch arrangement file format error\n[%1] %2Line"},
    {kArrangementWrite, "Punch arrangement file write error\n[%1] %2Line"},
    {kArrangementCount, "Punch arrangement file format error\n[%1] %2Line"},
    {kUnregisteredDies, "%1 unregistered tools in Punch arrangement file\n[%2]"},
    {kDieCopyMemory, "Punch arrangement memory error2"},
    {kUpdatePossessed, "Update punch file %1"},
    {kPossessedWriteRetry, "Punch file write error\n Do you want to edit punch file?"},
    {kArrangementCopyMemory, "Punch arrangement memory error2"},
    {kNumberListMemory, "Tool No memory error"},
    {kUpdateArrangement, "Update punch arrange file %1"},
    {kArrangementWriteRetry, "Please edit Punch arrangement file"},
};
}  // namespace

std::string Text(int id) {
    for (const Entry& e : kTexts)
        if (e.id == id) return e.text;
    return {};
}

std::string Fill(std::string_view text, std::initializer_list<std::string_view> args) {
    std::vector<std::string_view> a(args);
    std::string out;
    out.reserve(text.size() + 64);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            size_t n = static_cast<size_t>(text[i + 1] - '1');
            if (n < a.size()) {
                out.append(a[n]);
                ++i;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace diemsg
