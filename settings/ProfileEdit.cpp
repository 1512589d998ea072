// ProfileEdit: one read, in-memory changes, one atomic write.
#include "settings/ProfileEdit.h"

#include <system_error>

#include "nc/machine/ProfileText.h"

ProfileEdit::ProfileEdit(std::filesystem::path file) : file_(std::move(file)) {
    const bool loaded = profile_.Load(file_);
    std::error_code ec;
    if (!loaded && std::filesystem::exists(file_, ec)) readable_ = false;
    loadedText_ = profile_.Text();
}

std::string ProfileEdit::Text(std::string_view section, std::string_view key, std::string_view def,
                              size_t maxBytes) const {
    return CutToBuffer(profile_.GetString(section, key, def), maxBytes);
}

int ProfileEdit::Int(std::string_view section, std::string_view key, int def) const {
    return profile_.GetInt(section, key, def);
}

bool ProfileEdit::Save() {
    if (!readable_) return false;
    if (profile_.Text() == loadedText_) {
        std::error_code ec;
        if (std::filesystem::exists(file_, ec)) return true;
    }
    if (!profile_.Save(file_)) return false;
    loadedText_ = profile_.Text();
    return true;
}
