// NC program files: loading rules, .MPF sub-program merge and split, backup copies.
#include "app/core/NcProgramFile.h"

#include <set>

#include "app/core/AppMessages.h"
#include "app/core/TextFile.h"
#include "platform/Numbers.h"
#include "platform/TextCodec.h"

namespace fs = std::filesystem;

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
    if (s.size() < suffix.size()) return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        char a = s[s.size() - suffix.size() + i], b = suffix[i];
        if (a >= 'A' && a <= 'Z') a = char(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = char(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

// A name from NC text that must stay a plain file name in the program's folder.
bool SafeFileNamePart(std::string_view s) {
    return s.find('/') == std::string_view::npos && s.find('\\') == std::string_view::npos &&
           s.find("..") == std::string_view::npos;
}

// The main program's name as it appears in the NC text (CP932 bytes).
std::string MainNameInText(const fs::path& mainPath) {
    std::string stem = mainPath.stem().string();
    auto enc = platform::Utf8ToCp932(stem);
    return enc.ok() ? enc.bytes : stem;
}

std::string Marker(long long number) {
    std::string digits = std::to_string(number < 0 ? -number : number);
    size_t width = number < 0 ? 2 : 3;
    while (digits.size() < width) digits.insert(digits.begin(), '0');
    return "(*" + std::string(number < 0 ? "-" : "") + digits + ")";
}

void ShowSaveFailed(platform::UserPrompt* prompt, const fs::path& file) {
    if (!prompt) return;
    prompt->Message(FillMessage(AppMessage(kMsgSubProgramSaveFailed), {file.string()}),
                    platform::PromptIcon::Warning, platform::PromptButtons::Ok);
}

}  // namespace

std::optional<NcLoadResult> ReadNcFile(const fs::path& file, bool ignorePercent) {
    auto read = textfile::ReadLines(file);
    if (!read) return std::nullopt;
    NcLoadResult result;
    result.lines.reserve(read->size());
    int percents = 0;
    for (auto& line : *read) {
        if (!result.firstLongLine && line.size() > kNcLineWarnLength)
            result.firstLongLine = result.lines.size() + 1;
        bool percent = line == "%";
        result.lines.push_back(std::move(line));
        if (percent && !ignorePercent && ++percents == 2) break;
    }
    return result;
}

bool IsMpfPath(const fs::path& file) {
    return EndsWithNoCase(file.filename().string(), ".MPF");
}

std::vector<fs::path> MergeSubPrograms(const fs::path& mainPath, std::vector<std::string>& lines) {
    std::vector<fs::path> merged;
    const std::string name = MainNameInText(mainPath);
    if (name.empty()) return merged;
    const fs::path folder = mainPath.parent_path();
    std::set<long long> seen;
    // Lines appended here are examined too: sub-programs named inside merged ones are merged.
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!StartsWith(lines[i], name)) continue;
        long long number =
            platform::ParseLeadingInt(std::string_view(lines[i]).substr(name.size()));
        if (!seen.insert(number).second) continue;
        if (!SafeFileNamePart(lines[i])) continue;
        fs::path subPath = folder / (platform::Cp932ToUtf8(lines[i]) + ".spf");
        auto sub = textfile::ReadLines(subPath);
        if (!sub) continue;
        merged.push_back(subPath);
        if (!lines.back().empty()) lines.emplace_back();
        lines.push_back(Marker(number));
        lines.insert(lines.end(), std::make_move_iterator(sub->begin()),
                     std::make_move_iterator(sub->end()));
    }
    return merged;
}

int WriteSubPrograms(const fs::path& mainPath, const std::vector<std::string>& lines,
                     size_t startRow, platform::UserPrompt* prompt,
                     const std::vector<fs::path>& known, std::vector<fs::path>* written,
                     std::vector<size_t>* dropped) {
    const fs::path folder = mainPath.parent_path();
    const std::string name = MainNameInText(mainPath);
    struct SubFile {
        fs::path path;
        std::vector<std::string> lines;
    };
    std::vector<SubFile> files;
    bool open = false;
    for (size_t r = startRow; r < lines.size(); ++r) {
        const std::string& line = lines[r];
        if (!open) {
            if (!StartsWith(line, "(*")) {
                bool blank = line.find_first_not_of(" \t") == std::string::npos;
                if (dropped && !blank) dropped->push_back(r);
                continue;
            }
            std::string_view rest = std::string_view(line).substr(2);
            size_t close = rest.rfind(')');
            std::string_view number =
                close == std::string_view::npos ? rest : rest.substr(0, close);
            fs::path path = folder / platform::Cp932ToUtf8(name + std::string(number) + ".spf");
            if (!SafeFileNamePart(number) || number.empty()) {
                ShowSaveFailed(prompt, path);
                return 0;
            }
            files.push_back({path, {}});
            open = true;
            continue;
        }
        files.back().lines.push_back(line);
        if (StartsWith(line, "M99")) open = false;
    }

    std::set<fs::path> done;
    for (const auto& f : files) {
        if (!textfile::WriteAtomic(f.path, textfile::JoinCrLf(f.lines))) {
            ShowSaveFailed(prompt, f.path);
            return 0;
        }
        done.insert(f.path);
    }
    // Only after every new file is in place: the known files not written again are stale,
    // as long as they are this program's (a save under another name or folder keeps them).
    const std::string stem = mainPath.stem().string();
    for (const auto& old : known) {
        if (done.count(old) || old.parent_path() != folder) continue;
        if (!StartsWith(old.filename().string(), stem)) continue;
        std::error_code ec;
        fs::remove(old, ec);
    }
    if (written) {
        written->clear();
        for (const auto& f : files) written->push_back(f.path);
    }
    return 1;
}

NcStoreResult WriteNcFile(const fs::path& file, const std::vector<std::string>& lines,
                          const NcStoreOptions& options, platform::UserPrompt* prompt) {
    NcStoreResult result;
    std::string text;
    size_t subStart = 0;
    bool split = false;
    for (size_t r = 0; r < lines.size(); ++r) {
        const std::string& line = lines[r];
        if (options.deleteBlankLines && line.empty()) continue;
        text += line;
        text += "\r\n";
        if (options.isMpf && StartsWith(line, "M30")) {
            split = true;
            subStart = r + 1;
            break;
        }
    }
    bool subOk = true;
    if (split) {
        result.split = true;
        subOk = WriteSubPrograms(file, lines, subStart, prompt, options.knownSubFiles,
                                 &result.subFiles, &result.droppedLines) == 1;
    }
    result.ok = textfile::WriteAtomic(file, text) && subOk;
    return result;
}

fs::path BackupPathFor(const fs::path& file) {
    fs::path backup = file;
    if (file.has_extension())
        backup.replace_extension(".bak");
    else
        backup += ".bak";
    return backup;
}

bool MakeBackupCopy(const fs::path& file) {
    auto text = [&]() -> std::optional<std::string> {
        std::FILE* f = std::fopen(file.c_str(), "rb");
        if (!f) return std::nullopt;
        std::string s;
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
        bool bad = std::ferror(f);
        std::fclose(f);
        if (bad) return std::nullopt;
        return s;
    }();
    if (!text) return false;
    fs::path backup = BackupPathFor(file);
    if (backup == file) return true;
    return textfile::WriteAtomic(backup, *text);
}
