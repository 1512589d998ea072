// Summary, viewed text files and program-folder lists.
#include "installer/engine/SetupTexts.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "installer/engine/FileOps.h"
#include "installer/engine/InstallerText.h"
#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupFile.h"
#include "platform/Cp932.h"
#include "platform/TextCodec.h"

namespace installer {

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kMaxViewBytes = 4u << 20;
constexpr const char* kIndent = "      ";
constexpr const char* kIndent2 = "            ";

std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

std::string SummaryText(const SetupState& s) {
    std::string t;
    t += InstallerString(msg::kSummaryFolder) + "\r\n";
    t += kIndent + s.TargetDir + "\r\n\r\n";
    if (s.SelectFolder == 1) {
        t += InstallerString(msg::kSummaryProgramFolder) + "\r\n";
        t += kIndent + s.ProgramFolderName + "\r\n\r\n";
    }
    t += InstallerString(msg::kSummaryMode) + "\r\n";
    t += kIndent + InstallerString(s.CustomInstall ? msg::kCustom : msg::kStandard) + "\r\n";
    for (const ComponentRecord& c : s.ComponentTable)
        if (s.CustomInstall ? c.Selected : c.Standard) t += kIndent2 + c.Name + "\r\n";
    return t;
}

std::string ReadViewText(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec) || fs::file_size(file, ec) > kMaxViewBytes) return {};
    std::ifstream in(file, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    std::string text = IsValidUtf8(bytes) ? bytes : platform::Cp932ToUtf8(bytes);
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        size_t end = nl == std::string::npos ? text.size() : nl;
        size_t cut = end > pos && text[end - 1] == '\r' ? end - 1 : end;
        out += text.substr(pos, cut - pos) + "\r\n";
        pos = nl == std::string::npos ? text.size() : nl + 1;
    }
    return out;
}

std::vector<std::string> ListProgramFolders(const fs::path& applications) {
    std::vector<std::string> names;
    for (const FolderEntry& e : ListFolder(applications, "*")) {
        std::error_code ec;
        if (e.Name.front() == '.' || !fs::is_directory(applications / e.Name, ec)) continue;
        names.push_back(e.Name);
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return LowerAscii(a) < LowerAscii(b);
    });
    return names;
}

int FindPrefixRow(const std::vector<std::string>& names, const std::string& prefix) {
    for (size_t i = 0; i < names.size(); ++i)
        if (platform::StartsWithNoCase(names[i], prefix)) return static_cast<int>(i);
    return -1;
}

}  // namespace installer
