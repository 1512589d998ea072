// English texts of the machine data's string ids until the shared string table is wired in.
#include "nc/machine/MachineStrings.h"

#include <iterator>

namespace {

struct Entry {
    int id;
    const char* text;
};

// The same texts as resources/strings.tsv (English column).
constexpr Entry kTexts[] = {
    {machine_strings::kConditionFileName, "Za_Reve.ntd"},
    {machine_strings::kDefaultMachineFile, "MV_Machine.nmd"},
    {machine_strings::kConditionLow, "Low"},
    {machine_strings::kConditionMiddle, "Middle"},
    {machine_strings::kConditionHigh, "High"},
    {machine_strings::kConditionMarking, "Marking"},
    {machine_strings::kTableWorkAreaFull, "Failure to edit due to exceeding work area"},
    {machine_strings::kTableWriteFailed, "Failure to write conversion setting file [%s]"},
    {machine_strings::kTableMissing,
     "There is no conversion setting file [%s]\n\nPlease confirm setting"},
    {machine_strings::kTableBadRow, "Failure to read conversion setting file [%s]\n[line %d]"},
    {machine_strings::kTableSaveNoFile,
     "Failure to save \nbecause there is no conversion setting file[%s]"},
    {machine_strings::kTableFormatError,
     "Failure to load conversion setting data due to format error"},
    {machine_strings::kTableInvalidName, "Invalid file name [%s]"},
};

}  // namespace

std::string MachineString(int id) {
    for (const Entry& e : kTexts)
        if (e.id == id) return e.text;
    return {};
}

std::string FillPlaceholders(std::string_view pattern,
                             std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            char k = pattern[i + 1];
            if (k == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (k == 's' || k == 'd') {
                if (next != args.end()) out += *next++;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

void ShowMachineMessage(platform::UserPrompt* prompt, int id, platform::PromptIcon icon,
                        std::initializer_list<std::string_view> args) {
    if (!prompt) return;
    prompt->Message(FillPlaceholders(MachineString(id), args), icon, platform::PromptButtons::Ok);
}
