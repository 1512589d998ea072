// NC program files: loading rules, .MPF sub-program merge and split, backup copies.
#include "app/core/NcProgramFile.h"

#include <algorithm>
#include <map>
#include <set>

#include "app/core/AppMessages.h"
#include "app/core/TextFile.h"
#include "platform/FileRead.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

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

// A line of a main program that calls a sub-program: it starts with the main program's name,
// its number was not called before (seen; the first calling line of a number decides the
// file) and it is safe as a file name. The file is "<line>.spf" in the main program's folder.
struct SubProgramCall {
    long long number = 0;
    std::string suffix;  // the line after the main program's name
    fs::path path;
};
std::optional<SubProgramCall> CallOf(const std::string& line, const std::string& name,
                                     const fs::path& folder, std::set<long long>& seen) {
    if (!StartsWith(line, name)) return std::nullopt;
    const long long number = platform::ParseLeadingInt(std::string_view(line).substr(name.size()));
    if (!seen.insert(number).second || !SafeFileNamePart(line)) return std::nullopt;
    return SubProgramCall{number, line.substr(name.size()),
                          folder / (platform::Cp932ToUtf8(line) + ".spf")};
}

void ShowSaveFailed(platform::UserPrompt* prompt, const fs::path& file) {
    if (!prompt) return;
    prompt->Message(FillMessage(AppMessage(kMsgSubProgramSaveFailed), {file.string()}),
                    platform::PromptIcon::Warning, platform::PromptButtons::Ok);
}

}  // namespace

NcLoadResult SplitNcText(std::string_view bytes, bool percentRule) {
    NcLoadResult result;
    std::string_view text = bytes;
    if (StartsWith(text, kUtf8Bom)) {
        result.frame.bom = true;
        text.remove_prefix(kUtf8Bom.size());
    }
    const size_t limit = std::min(text.find('\x1a'), text.size());
    size_t pos = 0, crlf = 0, lf = 0;
    bool ended = true;
    // Counted first: a program of a million lines is not moved about while the list grows.
    result.lines.reserve(static_cast<size_t>(std::count(text.begin(), text.begin() + limit, '\n')) +
                         1);
    int percents = 0;
    bool percentEnd = false;
    while (pos < limit) {
        const size_t nl = text.find('\n', pos);
        ended = nl < limit;
        size_t cut = ended ? nl : limit;
        if (ended) {
            if (cut > pos && text[cut - 1] == '\r') {
                --cut;
                ++crlf;
            } else {
                ++lf;
            }
        }
        std::string_view line = text.substr(pos, cut - pos);
        if (!result.firstLongLine && line.size() > kNcLineWarnLength)
            result.firstLongLine = result.lines.size() + 1;
        result.lines.emplace_back(line);
        pos = ended ? nl + 1 : limit;
        if (percentRule && line == "%" && ++percents == 2) {
            percentEnd = true;
            break;
        }
    }
    result.frame.lastLineEnded = result.lines.empty() || ended;
    result.frame.lfOnly = lf > 0 && crlf == 0;
    result.frame.rest = std::string(text.substr(pos));
    // An end mark with only more marks or blank space after it (old editors closed files so)
    // hides nothing; one inside the text hides the rest of the program.
    if (!percentEnd && limit < text.size() &&
        text.find_first_not_of(std::string_view("\x1a\r\n \t\0", 6), limit) !=
            std::string_view::npos)
        result.hiddenAfterLine = result.lines.size() + (ended ? 1 : 0);
    return result;
}

std::string JoinNcText(const std::vector<std::string>& lines, size_t begin, size_t end,
                       const NcFileFrame& frame, bool skipBlank) {
    const std::string_view eol = frame.lfOnly ? "\n" : "\r\n";
    size_t size = frame.rest.size() + kUtf8Bom.size();
    for (size_t i = begin; i < end; ++i) size += lines[i].size() + eol.size();
    std::string out;
    out.reserve(size);
    if (frame.bom) out += kUtf8Bom;
    for (size_t i = begin; i < end; ++i) {
        if (skipBlank && lines[i].empty()) continue;
        out += lines[i];
        if (i + 1 < end || frame.lastLineEnded) out += eol;
    }
    out += frame.rest;
    return out;
}

std::optional<NcLoadResult> ReadNcFile(const fs::path& file, bool ignorePercent) {
    platform::FileReadResult read = platform::ReadRegularFile(file, platform::kDocumentFileLimit);
    if (!read.ok()) return std::nullopt;
    return SplitNcText(read.bytes, !ignorePercent);
}

bool IsMpfPath(const fs::path& file) {
    return EndsWithNoCase(file.filename().string(), ".MPF");
}

std::vector<NcSubProgram> MergeSubPrograms(const fs::path& mainPath,
                                           std::vector<std::string>& lines,
                                           size_t* hiddenAfterLine) {
    std::vector<NcSubProgram> merged;
    const std::string name = MainNameInText(mainPath);
    if (name.empty()) return merged;
    const fs::path folder = mainPath.parent_path();
    std::set<long long> seen;
    // Lines appended here are examined too: sub-programs named inside merged ones are merged.
    for (size_t i = 0; i < lines.size(); ++i) {
        std::optional<SubProgramCall> call = CallOf(lines[i], name, folder, seen);
        if (!call) continue;
        platform::FileReadResult read =
            platform::ReadRegularFile(call->path, platform::kDocumentFileLimit);
        if (!read.ok()) continue;
        NcLoadResult sub = SplitNcText(read.bytes, false);
        NcSubProgram record;
        record.marker = Marker(call->number);
        record.suffix = std::move(call->suffix);
        record.path = std::move(call->path);
        record.frame = std::move(sub.frame);
        record.separated = !lines.back().empty();
        if (record.separated) lines.emplace_back();
        lines.push_back(record.marker);
        if (hiddenAfterLine && !*hiddenAfterLine && sub.hiddenAfterLine)
            *hiddenAfterLine = lines.size() + sub.hiddenAfterLine;
        lines.insert(lines.end(), std::make_move_iterator(sub.lines.begin()),
                     std::make_move_iterator(sub.lines.end()));
        merged.push_back(std::move(record));
    }
    return merged;
}

std::vector<NcSubProgram> SubProgramsInText(const fs::path& mainPath,
                                            const std::vector<std::string>& lines) {
    std::vector<NcSubProgram> found;
    const std::string name = MainNameInText(mainPath);
    if (name.empty()) return found;
    const fs::path folder = mainPath.parent_path();
    // The first row of each marker line. As in the save, only the lines after the main
    // program's first "M30" are sub-programs: a marker-like line before it is the main's own.
    std::map<std::string_view, size_t> markers;
    const auto m30 = std::find_if(lines.begin(), lines.end(),
                                  [](const std::string& l) { return StartsWith(l, "M30"); });
    for (size_t i = m30 == lines.end() ? lines.size() : size_t(m30 - lines.begin()) + 1;
         i < lines.size(); ++i)
        if (StartsWith(lines[i], "(*")) markers.emplace(lines[i], i);
    // The merge's own calls; a number whose file did not open was merged under no marker.
    std::set<long long> seen;
    for (const std::string& line : lines) {
        std::optional<SubProgramCall> call = CallOf(line, name, folder, seen);
        if (!call) continue;
        NcSubProgram record;
        record.marker = Marker(call->number);
        const auto at = markers.find(record.marker);
        if (at == markers.end()) continue;
        record.suffix = std::move(call->suffix);
        record.path = std::move(call->path);
        record.separated = at->second > 0 && lines[at->second - 1].empty();
        found.push_back(std::move(record));
    }
    return found;
}

namespace {

const NcSubProgram* KnownMarker(const std::vector<NcSubProgram>& known, std::string_view line) {
    for (const NcSubProgram& k : known)
        if (k.marker == line) return &k;
    return nullptr;
}

// The end of a file's rows before the marker row at: the empty line the merge put before a
// known sub-program's marker is no file's.
size_t EndBeforeMarker(const std::vector<std::string>& lines, size_t begin, size_t at,
                       const std::vector<NcSubProgram>& known) {
    if (at >= lines.size() || at <= begin) return at;
    const NcSubProgram* next = KnownMarker(known, lines[at]);
    return next && next->separated && lines[at - 1].empty() ? at - 1 : at;
}

}  // namespace

int WriteSubPrograms(const fs::path& mainPath, const std::vector<std::string>& lines,
                     size_t startRow, platform::UserPrompt* prompt,
                     const std::vector<NcSubProgram>& known, std::vector<NcSubProgram>* written,
                     std::vector<size_t>* dropped) {
    const fs::path folder = mainPath.parent_path();
    const std::string name = MainNameInText(mainPath);
    struct Section {
        NcSubProgram sub;
        size_t begin = 0, end = 0;
    };
    std::vector<Section> sections;
    size_t r = startRow;
    while (r < lines.size()) {
        const std::string& line = lines[r];
        if (!StartsWith(line, "(*")) {
            bool blank = line.find_first_not_of(" \t") == std::string::npos;
            if (dropped && !blank) dropped->push_back(r);
            ++r;
            continue;
        }
        Section s;
        s.begin = r + 1;
        size_t e = s.begin;
        if (const NcSubProgram* k = KnownMarker(known, line)) {
            // A merged sub-program runs to the next merged one, or to the next marker after
            // its "M99": what its file held after "M99" goes back with it.
            s.sub = *k;
            bool returned = false;
            while (e < lines.size() && !KnownMarker(known, lines[e]) &&
                   !(returned && StartsWith(lines[e], "(*"))) {
                if (StartsWith(lines[e], "M99")) returned = true;
                ++e;
            }
            s.end = EndBeforeMarker(lines, s.begin, e, known);
        } else {
            std::string_view rest = std::string_view(line).substr(2);
            size_t close = rest.rfind(')');
            s.sub.marker = line;
            s.sub.suffix =
                std::string(close == std::string_view::npos ? rest : rest.substr(0, close));
            while (e < lines.size() && !StartsWith(lines[e++], "M99")) {
            }
            s.end = e;
        }
        s.sub.path = folder / platform::Cp932ToUtf8(name + s.sub.suffix + ".spf");
        if (!SafeFileNamePart(s.sub.suffix) || s.sub.suffix.empty()) {
            ShowSaveFailed(prompt, s.sub.path);
            return 0;
        }
        sections.push_back(std::move(s));
        r = e;
    }

    for (const Section& s : sections) {
        if (!textfile::WriteAtomic(s.sub.path, JoinNcText(lines, s.begin, s.end, s.sub.frame))) {
            ShowSaveFailed(prompt, s.sub.path);
            return 0;
        }
    }
    if (written) {
        written->clear();
        for (const Section& s : sections) written->push_back(s.sub);
    }
    return 1;
}

void RemoveStaleSubPrograms(const fs::path& mainPath, const std::vector<NcSubProgram>& known,
                            const std::vector<NcSubProgram>& written) {
    const fs::path folder = mainPath.parent_path();
    const std::string name = MainNameInText(mainPath);
    std::set<fs::path> done;
    for (const NcSubProgram& w : written) done.insert(w.path);
    for (const NcSubProgram& old : known) {
        // Only a file this main program's own calls name: one merged for another main name
        // (AB1.spf of AB.MPF, saved as A.MPF) is still that program's.
        if (done.count(old.path) ||
            old.path != folder / platform::Cp932ToUtf8(name + old.suffix + ".spf"))
            continue;
        std::error_code ec;
        fs::remove(old.path, ec);
    }
}

NcStoreOptions StoreOptionsForText(const fs::path& file, const std::vector<std::string>& lines,
                                   const NcFileSettings& settings) {
    NcStoreOptions options;
    options.deleteBlankLines = settings.deleteBlankLines;
    if (auto read = ReadNcFile(file, settings.ignorePercent))
        options.frame = std::move(read->frame);
    options.isMpf = IsMpfPath(file);
    if (options.isMpf) {
        options.knownSubPrograms = SubProgramsInText(file, lines);
        // Each file read as the merge reads it: no "%" rule.
        for (NcSubProgram& sub : options.knownSubPrograms)
            if (auto read = ReadNcFile(sub.path, true)) sub.frame = std::move(read->frame);
    }
    return options;
}

NcStoreResult WriteNcFile(const fs::path& file, const std::vector<std::string>& lines,
                          const NcStoreOptions& options, platform::UserPrompt* prompt) {
    NcStoreResult result;
    // A file the user may not write is refused before any of its sub-programs is touched.
    if (!platform::MayReplaceFile(file)) return result;
    size_t mainEnd = lines.size();
    size_t subStart = lines.size();
    if (options.isMpf) {
        auto m30 = std::find_if(lines.begin(), lines.end(),
                                [](const std::string& l) { return StartsWith(l, "M30"); });
        if (m30 != lines.end()) {
            result.split = true;
            auto marker = std::find_if(m30 + 1, lines.end(),
                                       [](const std::string& l) { return StartsWith(l, "(*"); });
            subStart = size_t(marker - lines.begin());
            mainEnd = EndBeforeMarker(lines, size_t(m30 - lines.begin()) + 1, subStart,
                                      options.knownSubPrograms);
        }
    }
    bool subOk = true;
    if (result.split)
        subOk = WriteSubPrograms(file, lines, subStart, prompt, options.knownSubPrograms,
                                 &result.subPrograms, &result.droppedLines) == 1;
    const std::string text = JoinNcText(lines, 0, mainEnd, options.frame, options.deleteBlankLines);
    result.mainWritten = textfile::WriteAtomic(file, text);
    result.ok = result.mainWritten && subOk;
    // A stale file goes only when the main file that no longer calls it is in place: after a
    // failed write the old main file still calls it.
    if (result.split && result.ok)
        RemoveStaleSubPrograms(file, options.knownSubPrograms, result.subPrograms);
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
    platform::FileReadResult read = platform::ReadRegularFile(file, platform::kDocumentFileLimit);
    if (!read.ok()) return false;
    fs::path backup = BackupPathFor(file);
    if (backup == file) return true;
    return textfile::WriteAtomic(backup, read.bytes);
}
