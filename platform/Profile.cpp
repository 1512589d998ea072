// INI files with the Windows profile semantics: line-preserving edits and atomic saves.
#include "platform/Profile.h"

#include <fstream>
#include <iterator>

#include "platform/Cp932.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"

namespace platform {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// "[name]" gives name; anything else gives nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// "key=value" gives key; comments and lines without '=' give nothing.
std::optional<std::string_view> KeyName(std::string_view line) {
    std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
    size_t eq = t.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return Trim(t.substr(0, eq));
}

std::string_view ValueOf(std::string_view line) {
    size_t eq = line.find('=');
    std::string_view v = Trim(line.substr(eq + 1));
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

bool ProfileFile::Load(const std::filesystem::path& file) {
    FileReadResult read = ReadRegularFile(file, kSettingsFileLimit);
    status_ = read.status;
    loadedFrom_ = file;
    SetText(std::move(read.bytes));
    return read.ok();
}

void ProfileFile::SetText(std::string text) {
    text_ = std::move(text);
    Index();
}

void ProfileFile::Index() {
    lines_.clear();
    size_t pos = 0;
    while (pos < text_.size()) {
        size_t nl = text_.find('\n', pos);
        Line l;
        l.begin = pos;
        if (nl == std::string::npos) {
            l.end = l.next = text_.size();
        } else {
            l.end = (nl > pos && text_[nl - 1] == '\r') ? nl - 1 : nl;
            l.next = nl + 1;
        }
        lines_.push_back(l);
        pos = l.next;
    }
}

std::string_view ProfileFile::LineText(size_t i) const {
    return std::string_view(text_).substr(lines_[i].begin, lines_[i].end - lines_[i].begin);
}

std::optional<size_t> ProfileFile::FindSection(std::string_view section) const {
    section = Trim(section);
    for (size_t i = 0; i < lines_.size(); ++i) {
        auto name = SectionName(LineText(i));
        if (name && EqualsNoCase(*name, section)) return i;
    }
    return std::nullopt;
}

size_t ProfileFile::SectionEnd(size_t header) const {
    for (size_t i = header + 1; i < lines_.size(); ++i)
        if (SectionName(LineText(i))) return i;
    return lines_.size();
}

std::optional<size_t> ProfileFile::FindKey(size_t header, std::string_view key) const {
    key = Trim(key);
    size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        auto name = KeyName(LineText(i));
        if (name && EqualsNoCase(*name, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::Get(std::string_view section, std::string_view key) const {
    auto header = FindSection(section);
    if (!header) return std::nullopt;
    auto line = FindKey(*header, key);
    if (!line) return std::nullopt;
    return std::string(ValueOf(LineText(*line)));
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view def) const {
    auto v = Get(section, key);
    return v ? *v : std::string(def);
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int def) const {
    auto v = Get(section, key);
    if (!v) return def;
    return static_cast<int>(ParseLeadingInt(*v));
}

double ProfileFile::GetReal(std::string_view section, std::string_view key, double def) const {
    auto v = Get(section, key);
    if (!v) return def;
    size_t used = 0;
    double d = ParseLeadingReal(*v, &used);
    return used ? d : def;
}

std::string ProfileFile::Eol() const {
    // New lines follow the file's own line ends; a new file gets CR LF.
    for (const Line& l : lines_)
        if (l.next > l.end) return (l.next - l.end == 2) ? "\r\n" : "\n";
    return "\r\n";
}

void ProfileFile::Replace(size_t from, size_t to, std::string_view with) {
    text_.replace(from, to - from, with);
    Index();
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    std::string eol = Eol();
    std::string entry = std::string(key) + "=" + std::string(value);
    auto header = FindSection(section);
    if (!header) {
        std::string add;
        if (!text_.empty() && text_.back() != '\n') add += eol;
        add += "[" + std::string(section) + "]" + eol + entry + eol;
        Replace(text_.size(), text_.size(), add);
        return;
    }
    if (auto line = FindKey(*header, key)) {
        const Line& l = lines_[*line];
        // Keep the key as the file spells it.
        std::string_view old = LineText(*line);
        std::string_view oldKey = old.substr(0, old.find('='));
        Replace(l.begin, l.end, std::string(oldKey) + "=" + std::string(value));
        return;
    }
    // Append after the last non-blank line of the section.
    size_t end = SectionEnd(*header);
    size_t last = *header;
    for (size_t i = *header + 1; i < end; ++i)
        if (!Trim(LineText(i)).empty()) last = i;
    const Line& l = lines_[last];
    if (l.next == l.end) {  // last line of the text without a line end
        Replace(l.end, l.end, eol + entry + eol);
    } else {
        Replace(l.next, l.next, entry + eol);
    }
}

void ProfileFile::SetInt(std::string_view section, std::string_view key, long value) {
    Set(section, key, FormatInt(value));
}

void ProfileFile::SetReal(std::string_view section, std::string_view key, double value) {
    Set(section, key, FormatReal(value, 3));
}

void ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
    auto header = FindSection(section);
    if (!header) return;
    if (auto line = FindKey(*header, key)) Replace(lines_[*line].begin, lines_[*line].next, {});
}

void ProfileFile::DeleteSection(std::string_view section) {
    auto header = FindSection(section);
    if (!header) return;
    size_t end = SectionEnd(*header);
    size_t to = end < lines_.size() ? lines_[end].begin : text_.size();
    Replace(lines_[*header].begin, to, {});
}

bool ProfileFile::HasSection(std::string_view section) const {
    return FindSection(section).has_value();
}

std::vector<std::string> ProfileFile::SectionNames() const {
    std::vector<std::string> names;
    for (size_t i = 0; i < lines_.size(); ++i)
        if (auto n = SectionName(LineText(i))) names.emplace_back(*n);
    return names;
}

std::vector<std::string> ProfileFile::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    auto header = FindSection(section);
    if (!header) return names;
    size_t end = SectionEnd(*header);
    for (size_t i = *header + 1; i < end; ++i)
        if (auto n = KeyName(LineText(i))) names.emplace_back(*n);
    return names;
}

bool ProfileFile::Save(const std::filesystem::path& file) const {
    // Defaults read in place of a file that could not be read (or a file too large to read,
    // whose other keys would be lost) must not replace it.
    const bool unusable = status_ != FileReadStatus::Ok && status_ != FileReadStatus::Missing;
    if ((unusable && file == loadedFrom_) || ExistsButUnreadable(file)) return false;
    return WriteFileAtomic(file, text_);
}

std::string GetProfileString(std::string_view section, std::string_view key, std::string_view def,
                             const std::filesystem::path& file) {
    ProfileFile p;
    p.Load(file);
    return p.GetString(section, key, def);
}

int GetProfileInt(std::string_view section, std::string_view key, int def,
                  const std::filesystem::path& file) {
    ProfileFile p;
    p.Load(file);
    return p.GetInt(section, key, def);
}

double GetProfileReal(std::string_view section, std::string_view key, double def,
                      const std::filesystem::path& file) {
    ProfileFile p;
    p.Load(file);
    return p.GetReal(section, key, def);
}

bool WriteProfileString(std::string_view section, std::optional<std::string_view> key,
                        std::optional<std::string_view> value, const std::filesystem::path& file) {
    ProfileFile p;
    p.Load(file);
    if (!key) {
        p.DeleteSection(section);
    } else if (!value) {
        p.DeleteKey(section, *key);
    } else {
        p.Set(section, *key, *value);
    }
    return p.Save(file);
}

bool WriteProfileInt(std::string_view section, std::string_view key, long value,
                     const std::filesystem::path& file) {
    return WriteProfileString(section, key, FormatInt(value), file);
}

bool WriteProfileReal(std::string_view section, std::string_view key, double value,
                      const std::filesystem::path& file) {
    return WriteProfileString(section, key, FormatReal(value, 3), file);
}

std::vector<std::string> GetProfileSectionNames(const std::filesystem::path& file) {
    ProfileFile p;
    p.Load(file);
    return p.SectionNames();
}

std::vector<std::string> GetProfileKeyNames(std::string_view section,
                                            const std::filesystem::path& file) {
    ProfileFile p;
    p.Load(file);
    return p.KeyNames(section);
}

}  // namespace platform
