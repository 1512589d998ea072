// ProfileEdit: one settings file read once, changed key by key in memory and written back once.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Profile.h"

// The pages of a settings dialog read and write many keys of one file. Reading it once and
// writing it once gives the same file as key-by-key profile writes (keys are replaced in place,
// new ones appended in the order they are set) and leaves no half-written file. A file that
// exists but could not be read is never written: Save refuses it.
class ProfileEdit {
public:
    explicit ProfileEdit(std::filesystem::path file);

    platform::ProfileFile& Profile() { return profile_; }
    const platform::ProfileFile& Profile() const { return profile_; }

    std::string Text(std::string_view section, std::string_view key, std::string_view def,
                     size_t maxBytes) const;
    int Int(std::string_view section, std::string_view key, int def) const;

    void Set(std::string_view section, std::string_view key, std::string_view value) {
        profile_.Set(section, key, value);
    }
    void SetInt(std::string_view section, std::string_view key, long value) {
        profile_.SetInt(section, key, value);
    }
    // Three decimals, C notation.
    void SetReal(std::string_view section, std::string_view key, double value) {
        profile_.SetReal(section, key, value);
    }

    // Writes the file when something changed. False when it could not be written, or when it
    // existed and could not be read.
    bool Save();

private:
    std::filesystem::path file_;
    platform::ProfileFile profile_;
    std::string loadedText_;
    bool readable_ = true;
};
