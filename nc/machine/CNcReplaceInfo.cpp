// Conversion tables: the .CTB layout, row records and the safe create, save and rename.
#include "nc/machine/CNcReplaceInfo.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <system_error>

#include "nc/NcAppContext.h"
#include "nc/machine/MachineStrings.h"
#include "nc/machine/ProfileText.h"
#include "platform/Cp932.h"
#include "platform/FileRead.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Profile.h"

namespace fs = std::filesystem;
using platform::FormatInt;
using platform::PromptIcon;

namespace {

// The Japanese keys of the file, as their Shift-JIS bytes.
constexpr std::string_view kCommentKey = "\x83\x52\x83\x81\x83\x93\x83\x67\x3D";  // コメント=
constexpr std::string_view kDeleteKey =  // CTB記述行削除=
    "\x43\x54\x42\x8B\x4C\x8F\x71\x8D\x73\x8D\xED\x8F\x9C\x3D";
constexpr std::string_view kConfirmKey =  // 置換処理時確認メッセージ=
    "\x92\x75\x8A\xB7\x8F\x88\x97\x9D\x8E\x9E\x8A\x6D\x94\x46\x83\x81\x83\x62\x83\x5A\x81\x5B"
    "\x83\x57\x3D";
constexpr std::string_view kColumnLine =  // ;置換前,置換後,開始行,終了行
    "\x3B\x92\x75\x8A\xB7\x91\x4F\x2C\x92\x75\x8A\xB7\x8C\xE3\x2C\x8A\x4A\x8E\x6E\x8D\x73\x2C"
    "\x8F\x49\x97\xB9\x8D\x73";
constexpr std::string_view kEol = "\r\n";
constexpr std::string_view kExtension = ".CTB";

// The longest table file name a component may have.
constexpr size_t kMaxNameBytes = NAME_MAX;

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

bool HasCtbExtension(std::string_view name) {
    size_t dot = name.rfind('.');
    return dot != std::string_view::npos && platform::EqualsNoCase(name.substr(dot), kExtension);
}

std::string_view RightTrim(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' ||
                          s.back() == '\n' || s.back() == '\v' || s.back() == '\f'))
        s.remove_suffix(1);
    return s;
}

std::optional<std::string> ReadWholeFile(const fs::path& file) {
    platform::FileReadResult read = platform::ReadRegularFile(file, platform::kSettingsFileLimit);
    if (!read.ok()) return std::nullopt;
    return std::move(read.bytes);
}

// Splits text into lines without their LF or CR LF ends; a last line without an end counts.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        size_t end = nl == std::string_view::npos ? text.size() : nl;
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        pos = nl == std::string_view::npos ? text.size() : nl + 1;
    }
    return lines;
}

// A comment is one line of the file: line breaks in it become blanks.
std::string OneLine(std::string_view comment) {
    std::string s(comment);
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

// Writes text to a new hidden temporary file in folder; its path, or nothing on any failure
// (a partly written file is removed).
std::optional<fs::path> WriteTemporary(const fs::path& folder, std::string_view text) {
    std::string tmpl = (folder / ".MorvXXXXXX").string();
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return std::nullopt;
    bool ok = true;
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok) {
        // mkstemp gives 0600; a table is an ordinary settings file.
        mode_t mask = ::umask(0);
        ::umask(mask);
        std::error_code ec;
        fs::permissions(tmpl, static_cast<fs::perms>(0666 & ~mask), ec);
        return fs::path(tmpl);
    }
    std::remove(tmpl.c_str());
    return std::nullopt;
}

// Gives the temporary file the new name only when no file of that name exists (a hard link
// fails on an existing name); where links are not supported, checks and renames.
bool PlaceWithoutReplacing(const fs::path& temp, const fs::path& target) {
    if (::link(temp.c_str(), target.c_str()) == 0) {
        std::remove(temp.c_str());
        return true;
    }
    if (errno != EEXIST) {
        std::error_code ec;
        if (!fs::exists(target, ec) && !ec && std::rename(temp.c_str(), target.c_str()) == 0)
            return true;
    }
    std::remove(temp.c_str());
    return false;
}

// The next double-quoted field from pos on: text outside quotes is passed over, "" inside
// stands for one quote, a single quote ends the field. pos moves behind the field.
std::string NextField(std::string_view line, size_t& pos) {
    std::string field;
    size_t q = line.find('"', pos);
    if (q == std::string_view::npos) {
        pos = line.size();
        return field;
    }
    size_t i = q + 1;
    while (i < line.size()) {
        if (line[i] == '"') {
            if (i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        field += line[i++];
    }
    pos = i;
    return field;
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// A line number beyond the 32-bit range stays at its end rather than wrapping round to a small
// (or zero) line; a negative one wraps as it always has, so "-1" still means the last possible
// line.
unsigned LineNumberField(const std::string& text) {
    const long long v =
        std::clamp<long long>(platform::ParseLeadingInt(text), std::numeric_limits<int>::min(),
                              std::numeric_limits<unsigned>::max());
    return v == 0 ? 1u : static_cast<unsigned>(v);
}

}  // namespace

CNcReplaceInfo::CNcReplaceInfo(const NcAppContext& ctx) : ctx_(&ctx) {
    TableFolder = ctx.ConfigFolder;
    std::string machine =
        ctx.IniPath.empty()
            ? std::string()
            : CutToBuffer(platform::GetProfileString("NcRead", "FileName", "", ctx.IniPath), 262);
    ctx.ExpandLocalAppPath(machine);
    if (!machine.empty()) TableFolder = ctx.MakeConfigPath(machine).parent_path();
    std::error_code ec;
    if (TableFolder.empty() || !fs::is_directory(TableFolder, ec)) TableFolder = ctx.ConfigFolder;
}

std::string CNcReplaceInfo::WithExtension(std::string_view name) {
    std::string s(name);
    if (!HasCtbExtension(name)) s += kExtension;
    return s;
}

fs::path CNcReplaceInfo::TablePath(std::string_view name) const {
    std::string file = WithExtension(name);
    fs::path exact = TableFolder / file;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    // Tables written on Windows keep the case they were given there; names are matched as
    // Windows matched them.
    for (fs::directory_iterator it(TableFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (platform::EqualsNoCase(entry, file)) return it->path();
    }
    return exact;
}

void CNcReplaceInfo::Message(int id, std::initializer_list<std::string_view> args,
                             bool icon) const {
    ShowMachineMessage(ctx_->Prompt, id, icon ? PromptIcon::Warning : PromptIcon::None, args);
}

bool CNcReplaceInfo::ValidName(std::string_view name, const std::string& withExt) const {
    // A table is a plain file of the table folder: no folder part, not hidden (the list skips
    // such names), within the file-system limits.
    if (name.empty() || name.front() == '.' || withExt.size() > kMaxNameBytes) return false;
    if (withExt.find('/') != std::string::npos || withExt.find('\0') != std::string::npos)
        return false;
    return (TableFolder / withExt).string().size() < PATH_MAX;
}

int CNcReplaceInfo::ListTables() {
    std::error_code ec;
    fs::directory_iterator it(TableFolder, ec);
    if (ec) return 0;
    std::vector<std::string> found;
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) return 0;
        std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.') continue;
        std::error_code dirEc;
        if (it->is_directory(dirEc)) continue;
        if (!HasCtbExtension(name)) continue;
        found.push_back(std::move(name));
    }
    std::sort(found.begin(), found.end(), LessNoCase);
    for (const std::string& file : found) {
        ReadComment(file);
        TableNames.push_back(file.substr(0, file.rfind('.')));
    }
    return 1;
}

int CNcReplaceInfo::ReadComment(std::string_view fileName) {
    std::string comment;
    if (auto text = ReadWholeFile(TableFolder / std::string(fileName))) {
        bool inData = false;
        for (std::string_view line : SplitLines(*text)) {
            if (line.substr(0, 5) == "*DATA") {
                inData = true;
            } else if (inData && line.substr(0, kCommentKey.size()) == kCommentKey) {
                line = RightTrim(line);
                comment = std::string(line.substr(line.find('=') + 1));
                break;
            }
        }
    }
    TableComments.push_back(std::move(comment));
    return 1;
}

int CNcReplaceInfo::TableExists(std::string_view name) {
    CurrentFile = WithExtension(name);
    std::error_code ec;
    return fs::exists(TablePath(name), ec) ? 1 : 0;
}

void CNcReplaceInfo::ClearTable() {
    BeforeTexts.clear();
    AfterTexts.clear();
    StartLines.clear();
    EndLines.clear();
}

int CNcReplaceInfo::ParseRecord(std::string_view line) {
    int commas = 0;
    bool inside = false;
    for (char c : line) {
        if (c == '"')
            inside = !inside;
        else if (c == ',' && !inside)
            ++commas;
    }
    if (commas < 3) return -1;
    size_t pos = 0;
    std::string before = NextField(line, pos);
    if (before.empty()) return -1;
    std::string after = NextField(line, pos);
    std::string start = NextField(line, pos);
    std::string end = NextField(line, pos);
    BeforeTexts.push_back(std::move(before));
    AfterTexts.push_back(std::move(after));
    StartLines.push_back(LineNumberField(start));
    EndLines.push_back(LineNumberField(end));
    return 0;
}

int CNcReplaceInfo::ReadTable(std::string_view name) {
    DeleteCtbLines = 0;
    ConfirmOnReplace = 0;
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
    CurrentFile = WithExtension(name);
    fs::path file = TablePath(name);

    auto fail = [this] {
        ClearTable();
        CurrentFile.clear();
        return 0;
    };
    auto text = ReadWholeFile(file);
    if (!text) {
        Message(machine_strings::kTableMissing, {CurrentFile});
        return fail();
    }
    enum class Section { None, Data, Rows } section = Section::None;
    bool seenData = false;
    bool seenRows = false;
    int lineNo = 0;
    for (std::string_view line : SplitLines(*text)) {
        ++lineNo;
        if (line.substr(0, 5) == "*DATA") {
            section = Section::Data;
            seenData = true;
            continue;
        }
        if (line.substr(0, 13) == "*REPLACE_DATA") {
            section = Section::Rows;
            seenRows = true;
            continue;
        }
        if (section == Section::Data) {
            int* flag = nullptr;
            if (line.substr(0, kDeleteKey.size()) == kDeleteKey) flag = &DeleteCtbLines;
            if (line.substr(0, kConfirmKey.size()) == kConfirmKey) flag = &ConfirmOnReplace;
            if (flag)
                *flag = static_cast<int>(std::clamp<long long>(
                    platform::ParseLeadingInt(line.substr(line.rfind('=') + 1)),
                    std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
        } else if (section == Section::Rows) {
            // A line of blanks only (a stray edit) is as empty as an empty one.
            if (RightTrim(line).empty() || line.front() == ';') continue;
            if (ParseRecord(line) != 0) {
                Message(machine_strings::kTableBadRow, {file.string(), FormatInt(lineNo)});
                return fail();
            }
        }
    }
    if (!seenData || !seenRows) {
        Message(machine_strings::kTableFormatError, {});
        return fail();
    }
    return 1;
}

std::string CNcReplaceInfo::TableText(std::string_view comment, bool withRows) const {
    std::string out;
    out += "*VER=1.0";
    out += kEol;
    if (withRows) out += kEol;
    out += "*DATA";
    out += kEol;
    out += kCommentKey;
    out += OneLine(comment);
    out += kEol;
    out += kDeleteKey;
    out += FormatInt(withRows ? DeleteCtbLines : 0);
    out += kEol;
    out += kConfirmKey;
    out += FormatInt(withRows ? ConfirmOnReplace : 0);
    out += kEol;
    out += kEol;
    out += "*REPLACE_DATA";
    out += kEol;
    out += kColumnLine;
    out += kEol;
    if (!withRows) return out;
    size_t rows =
        std::min({BeforeTexts.size(), AfterTexts.size(), StartLines.size(), EndLines.size()});
    for (size_t i = 0; i < rows; ++i) {
        // A row without a before text would make the whole table unreadable.
        if (BeforeTexts[i].empty()) continue;
        AppendQuoted(out, BeforeTexts[i]);
        out += ',';
        AppendQuoted(out, AfterTexts[i]);
        out += ',';
        AppendQuoted(out, FormatInt(StartLines[i]));
        out += ',';
        AppendQuoted(out, FormatInt(EndLines[i]));
        out += kEol;
    }
    return out;
}

int CNcReplaceInfo::SaveTable(std::string_view name, std::string_view comment) {
    std::string withExt = WithExtension(name);
    if (!TableExists(name)) {
        Message(machine_strings::kTableSaveNoFile, {withExt});
        return -2;
    }
    // The whole table goes to a temporary file first: a failed write leaves the old one whole.
    fs::path file = TablePath(name);
    if (!platform::WriteFileAtomic(file, TableText(comment, true))) {
        Message(machine_strings::kTableWriteFailed, {name});
        return -1;
    }
    return 0;
}

int CNcReplaceInfo::CreateTable(std::string_view name, std::string_view comment) {
    std::string withExt = WithExtension(name);
    if (!ValidName(name, withExt)) {
        Message(machine_strings::kTableInvalidName, {name});
        return 0;
    }
    return platform::WriteFileAtomic(TablePath(name), TableText(comment, false)) ? 1 : 0;
}

int CNcReplaceInfo::RenameTable(std::string_view oldName, std::string_view newName,
                                std::string_view comment) {
    std::string newFile = WithExtension(newName);
    if (!ValidName(newName, newFile)) {
        Message(machine_strings::kTableInvalidName, {newName});
        return 0;
    }
    fs::path oldPath = TablePath(oldName);
    auto text = ReadWholeFile(oldPath);
    if (!text) return 0;

    // Another table under the new name (in any case) is never replaced.
    fs::path target = TableFolder / newFile;
    fs::path existing = TablePath(newName);
    std::error_code ec;
    if (fs::exists(existing, ec) && !fs::equivalent(existing, oldPath, ec)) return 0;

    std::string out;
    const std::string commentLine = std::string(kCommentKey) + OneLine(comment);
    bool inData = false;
    bool written = false;
    for (std::string_view line : SplitLines(*text)) {
        line = RightTrim(line);
        if (!line.empty() && line.front() == '*') {
            if (inData && !written) {
                out += commentLine;
                out += kEol;
                written = true;
            }
            inData = line.substr(0, 5) == "*DATA";
            out += line;
        } else if (inData && line.substr(0, kCommentKey.size()) == kCommentKey) {
            out += commentLine;
            written = true;
        } else {
            out += line;
        }
        out += kEol;
    }
    if (!written) {
        out += commentLine;
        out += kEol;
    }

    // The name stays (also a "t.ctb" named "t"): only the comment changes, and the file is
    // saved where it is, refused when read-only and written through a link, as every save.
    if (target == oldPath || newName == oldName)
        return platform::WriteFileAtomic(oldPath, out) ? 1 : 0;
    auto temp = WriteTemporary(TableFolder, out);
    if (!temp) {
        Message(machine_strings::kTableWorkAreaFull, {}, false);
        return 0;
    }
    // The renamed table is complete under its new name before the old file goes.
    if (!PlaceWithoutReplacing(*temp, target)) return 0;
    fs::remove(oldPath, ec);
    return 1;
}

int CNcReplaceInfo::DeleteTable(std::string_view name) {
    std::error_code ec;
    return fs::remove(TablePath(name), ec) ? 1 : 0;
}
