// The string table: every message id with its English (1033) and Japanese (1041) text.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

enum class Language { English = 1033, Japanese = 1041 };

// One table file: "id<TAB>english<TAB>japanese" per line (LF or CR LF), UTF-8, with the
// escapes \t, \n and \\ in the texts. Lines starting with '#' and empty lines are comments.
class StringTable {
public:
    // Replaces the table with the file's rows. False when the file cannot be read; rows that
    // do not parse are skipped and listed in Problems() with their line numbers.
    bool Load(const std::filesystem::path& file);
    void Parse(std::string_view text);

    // The text of id in the language; the English text when the Japanese one is empty; empty
    // when the id is unknown.
    std::string Get(unsigned id, Language language) const;
    bool Contains(unsigned id) const { return rows_.count(id) != 0; }
    size_t Size() const { return rows_.size(); }
    const std::vector<std::string>& Problems() const { return problems_; }

private:
    struct Row {
        std::string english;
        std::string japanese;
    };
    std::unordered_map<unsigned, Row> rows_;
    std::vector<std::string> problems_;
};

// The language from the start switches and the locale: "/JP" wins over "/US"; with neither,
// Japanese when the message locale (LC_ALL, LC_MESSAGES, LANG, first one set) starts with "ja".
Language ChooseLanguage(bool switchJP, bool switchUS, std::string_view localeName);
// The message locale name as the C library would choose it from the environment.
std::string MessageLocaleName();

// The process-wide language and table used by LoadString.
void SetLanguage(Language language);
Language CurrentLanguage();
// Uses this file as the process-wide table (tests, or a table in another place). False when
// it cannot be read; the table is then empty.
bool UseStringTable(const std::filesystem::path& file);
// The table file found at first use: "strings.tsv" beside the running executable, else the
// one the build copied (its path compiled in).
std::filesystem::path DefaultStringTablePath();

// The text of id in the current language (the table is loaded at first use); empty when the
// id is unknown.
std::string LoadString(unsigned id);

}  // namespace platform
