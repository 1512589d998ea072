// Helpers shared by the machine data tests: files, a context on a temporary folder, locales.
#pragma once

#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "TempDir.h"
#include "nc/NcAppContext.h"
#include "platform/ScriptedPrompt.h"
#include "platform/StringTable.h"

namespace machine_test {

inline std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteAll(const std::filesystem::path& p, std::string_view text) {
    std::ofstream(p, std::ios::binary) << text;
}

inline std::filesystem::path Fixture(std::string_view name) {
    return std::filesystem::path(MORVALEN_TEST_DATA) / "nc" / "machine" / name;
}

// A configuration folder of its own with a scripted prompt.
struct ConfigFixture {
    test::TempDir dir;
    platform::ScriptedPrompt prompt;
    NcAppContext ctx;
    ConfigFixture() {
        // Messages are compared in English, from the table of the source tree.
        platform::UseStringTable(std::filesystem::path(MORVALEN_SOURCE_DIR) / "resources" /
                                 "strings.tsv");
        platform::SetLanguage(platform::Language::English);
        ctx.ConfigFolder = dir.path();
        ctx.ProgramFolder = dir.path();
        ctx.IniPath = dir.path() / "MV_System.ini";
        ctx.Prompt = &prompt;
    }
};

// Switches the C library to a decimal-comma locale for one scope; active() is false when the
// system lacks every candidate.
class DecimalCommaLocale {
public:
    DecimalCommaLocale() {
        const char* old = std::setlocale(LC_ALL, nullptr);
        if (old) saved_ = old;
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"}) {
            if (std::setlocale(LC_ALL, name)) {
                active_ = true;
                break;
            }
        }
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    bool active() const { return active_; }

private:
    std::string saved_ = "C";
    bool active_ = false;
};

}  // namespace machine_test
