// String table parsing and the process-wide table behind LoadString.
#include "platform/StringTable.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>

#include "platform/FileRead.h"
#include "platform/Paths.h"

#ifndef MORVALEN_STRING_TABLE
#define MORVALEN_STRING_TABLE "strings.tsv"
#endif

namespace platform {

namespace {

std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            char next = text[i + 1];
            if (next == 't' || next == 'n' || next == '\\') {
                out += next == 't' ? '\t' : next == 'n' ? '\n' : '\\';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

struct Global {
    std::mutex mutex;
    StringTable table;
    bool loaded = false;
    Language language = Language::English;
    bool languageSet = false;
};

Global& TheGlobal() {
    static Global g;
    return g;
}

}  // namespace

bool StringTable::Load(const std::filesystem::path& file) {
    rows_.clear();
    problems_.clear();
    FileReadResult read = ReadRegularFile(file, kSettingsFileLimit);
    if (!read.ok()) return false;
    Parse(read.bytes);
    return true;
}

void StringTable::Parse(std::string_view text) {
    rows_.clear();
    problems_.clear();
    size_t lineNo = 0;
    while (!text.empty()) {
        size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;

        size_t tab1 = line.find('\t');
        size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        unsigned id = 0;
        std::string_view idText = line.substr(0, tab1);
        auto [end, ec] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
        if (tab1 == std::string_view::npos || ec != std::errc() ||
            end != idText.data() + idText.size()) {
            problems_.push_back("line " + std::to_string(lineNo) + ": no numeric id and tab");
            continue;
        }
        Row row;
        if (tab2 == std::string_view::npos) {
            row.english = Unescape(line.substr(tab1 + 1));
        } else {
            row.english = Unescape(line.substr(tab1 + 1, tab2 - tab1 - 1));
            row.japanese = Unescape(line.substr(tab2 + 1));
        }
        if (!rows_.emplace(id, std::move(row)).second)
            problems_.push_back("line " + std::to_string(lineNo) + ": id " + std::to_string(id) +
                                " given twice (the first row is kept)");
    }
}

std::string StringTable::Get(unsigned id, Language language) const {
    auto it = rows_.find(id);
    if (it == rows_.end()) return {};
    if (language == Language::Japanese && !it->second.japanese.empty()) return it->second.japanese;
    return it->second.english;
}

Language ChooseLanguage(bool switchJP, bool switchUS, std::string_view localeName) {
    if (switchJP) return Language::Japanese;
    if (switchUS) return Language::English;
    return localeName.substr(0, 2) == "ja" ? Language::Japanese : Language::English;
}

std::string MessageLocaleName() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(name); value && *value) return value;
    return "C";
}

void SetLanguage(Language language) {
    Global& g = TheGlobal();
    std::lock_guard lock(g.mutex);
    g.language = language;
    g.languageSet = true;
}

Language CurrentLanguage() {
    Global& g = TheGlobal();
    std::lock_guard lock(g.mutex);
    if (!g.languageSet) {
        g.language = ChooseLanguage(false, false, MessageLocaleName());
        g.languageSet = true;
    }
    return g.language;
}

bool UseStringTable(const std::filesystem::path& file) {
    Global& g = TheGlobal();
    std::lock_guard lock(g.mutex);
    g.loaded = true;
    return g.table.Load(file);
}

std::filesystem::path DefaultStringTablePath() {
    std::filesystem::path folder = ProgramFolder();
    if (!folder.empty()) {
        std::error_code ec;
        std::filesystem::path beside = folder / "strings.tsv";
        if (std::filesystem::is_regular_file(beside, ec)) return beside;
    }
    return MORVALEN_STRING_TABLE;
}

std::string LoadString(unsigned id) {
    Language language = CurrentLanguage();
    Global& g = TheGlobal();
    std::lock_guard lock(g.mutex);
    if (!g.loaded) {
        g.loaded = true;
        g.table.Load(DefaultStringTablePath());
    }
    return g.table.Get(id, language);
}

}  // namespace platform
