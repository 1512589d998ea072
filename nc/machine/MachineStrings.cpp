// Texts of the machine data's string ids: the string table, with built-in English behind it.
#include "nc/machine/MachineStrings.h"

#include <iterator>

#include "platform/StringTable.h"

namespace {

struct Entry {
    int id;
    const char* text;
};

// The English texts of resources/strings.tsv, for a program started without its table: the
// file names above all must never come back empty.
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
    {machine_strings::kSettingsUnreadable,
     "The settings file cannot be read:\n[%s]\nThe defaults are used for this run; the file is "
     "left as it is."},
    {machine_strings::kSettingsBadNumbers,
     "The settings file [%s] holds values that are no usable numbers.\nThe defaults are used "
     "for these keys; the file is left as it is:\n%s"},
};

}  // namespace

std::string MachineString(int id) {
    std::string text = platform::LoadString(static_cast<unsigned>(id));
    if (!text.empty()) return text;
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

bool ReportUnreadableSettings(const platform::ProfileFile& profile,
                              const std::filesystem::path& file, platform::UserPrompt* prompt) {
    const platform::FileReadStatus status = profile.LoadStatus();
    if (status == platform::FileReadStatus::Ok || status == platform::FileReadStatus::Missing)
        return false;
    ShowMachineMessage(prompt, machine_strings::kSettingsUnreadable, platform::PromptIcon::Warning,
                       {file.string()});
    return true;
}
