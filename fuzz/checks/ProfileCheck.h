// Reader check of the profile (INI) functions: any text, then reads and edits. An edit must
// lose nothing: a value written reads back as written, every other value stays as it was, and
// a saved file loads back byte for byte.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "fuzz/checks/CheckSupport.h"
#include "platform/Profile.h"

namespace fuzzcheck {

namespace profile_detail {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
inline bool HasAny(const std::string& s, std::string_view bytes) {
    return s.find_first_of(bytes) != std::string::npos;
}
inline bool EdgeBlank(const std::string& s) {
    return !s.empty() && (IsBlank(s.front()) || IsBlank(s.back()));
}

// Names and values a profile line can hold at all: no line breaks, no '=' in a key, no ']'
// in a section name, no blanks around either, no value wholly inside quotes.
inline bool Writable(const std::string& section, const std::string& key, const std::string& value) {
    if (HasAny(section, std::string_view("\r\n]", 3)) || EdgeBlank(section)) return false;
    if (HasAny(key, "\r\n=") || EdgeBlank(key)) return false;
    if (!key.empty() && (key.front() == ';' || key.front() == '[')) return false;
    if (HasAny(value, "\r\n") || EdgeBlank(value)) return false;
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return false;
    return true;
}

inline std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

using Values = std::map<std::pair<std::string, std::string>, std::string>;

// Every value the profile gives, by section and key without case; "" when a listed key does
// not read.
inline bool AllValues(const platform::ProfileFile& p, Values& all) {
    all.clear();
    for (const std::string& section : p.SectionNames()) {
        for (const std::string& key : p.KeyNames(section)) {
            auto v = p.Get(section, key);
            if (!v) return false;
            all.emplace(std::make_pair(Lower(section), Lower(key)), *v);
        }
    }
    return true;
}

// Sets one value and checks it; "" when all is well.
inline std::string CheckedSet(platform::ProfileFile& p, const std::string& section,
                              const std::string& key, const std::string& value) {
    const bool check = Writable(section, key, value);
    Values before, after;
    if (check && !AllValues(p, before)) return "a listed key does not read";
    p.Set(section, key, value);
    if (!check) return {};
    if (p.Get(section, key) != value) return "a written value does not read back";
    if (!AllValues(p, after)) return "a listed key does not read";
    before.erase({Lower(section), Lower(key)});
    after.erase({Lower(section), Lower(key)});
    if (before != after) return "writing one value changed another";
    return {};
}

}  // namespace profile_detail

// The input is the profile text, optionally followed by a NUL and a script of edits. Every
// listed key is rewritten, keys and a section are added, then the script runs; the result
// is saved into scratch and loaded back. "" when all is well, else what went wrong.
inline std::string CheckProfile(std::string_view bytes, const std::filesystem::path& scratch) {
    using namespace profile_detail;
    const size_t nul = bytes.rfind('\0');
    platform::ProfileFile p;
    p.SetText(std::string(bytes.substr(0, nul)));
    InputBytes script(nul == std::string_view::npos ? std::string_view() : bytes.substr(nul + 1));

    std::string fault;
    auto step = [&](std::string result) {
        if (fault.empty()) fault = std::move(result);
    };
    const std::vector<std::string> sections = p.SectionNames();
    int edits = 0;
    for (const std::string& section : sections) {
        if (edits > 8) break;
        for (const std::string& key : p.KeyNames(section)) {
            if (++edits > 8) break;
            step(CheckedSet(p, section, key, "v" + std::to_string(edits)));
        }
        step(CheckedSet(p, section, "NewKey" + std::to_string(edits), "added"));
    }
    step(CheckedSet(p, "NewSection", "Key", "value"));
    for (int op = 0; op < 8 && !script.Empty() && fault.empty(); ++op) {
        const int kind = script.Byte() % 6;
        const std::string section = script.Text(24);
        const std::string key = script.Text(24);
        switch (kind) {
            case 0:
                (void)p.GetInt(section, key, 7);
                (void)p.GetReal(section, key, 7.0);
                (void)p.GetString(section, key, "def");
                break;
            case 1:
                step(CheckedSet(p, section, key, script.Text(64)));
                break;
            case 2:
                p.SetReal(section, key, (script.Byte() - 128) * 1e300 / 7);
                break;
            case 3:
                p.DeleteKey(section, key);
                break;
            case 4:
                p.DeleteSection(section);
                break;
            default: {
                Values all;
                if (!AllValues(p, all)) step("a listed key does not read");
                break;
            }
        }
    }
    if (!fault.empty()) return fault;
    const std::filesystem::path file = scratch / "profile.ini";
    if (!p.Save(file)) return "saving the profile failed";
    platform::ProfileFile back;
    if (!back.Load(file) || back.Text() != p.Text()) return "a saved profile reads back changed";
    return {};
}

}  // namespace fuzzcheck
