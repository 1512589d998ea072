// dlopen wrapper: one handle per object, errors kept as text.
#include "platform/Library.h"

#include <dlfcn.h>

#include <utility>

#include "platform/Cp932.h"

namespace platform {

std::string LibraryFileName(std::string_view name) {
    auto endsWithNoCase = [&](std::string_view ext) {
        return name.size() > ext.size() && EqualsNoCase(name.substr(name.size() - ext.size()), ext);
    };
    if (endsWithNoCase(".so")) return std::string(name);
    if (endsWithNoCase(".dll")) name.remove_suffix(4);
    return "lib" + std::string(name) + ".so";
}

Library::Library(Library&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      file_(std::move(other.file_)),
      error_(std::move(other.error_)) {}

Library& Library::operator=(Library&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, nullptr);
        file_ = std::move(other.file_);
        error_ = std::move(other.error_);
    }
    return *this;
}

bool Library::Open(const std::filesystem::path& folder, std::string_view name) {
    Close();
    error_.clear();
    std::string fileName = LibraryFileName(name);
    file_ = folder.empty() ? std::filesystem::path(fileName) : folder / fileName;
    // Without a slash dlopen searches the loader's path; keep that only for an empty folder.
    handle_ = dlopen(file_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        error_ = "Cannot load the library " + file_.string() + ": " + (why ? why : "unknown error");
        return false;
    }
    return true;
}

void Library::Close() {
    if (handle_) dlclose(handle_);
    handle_ = nullptr;
}

void* Library::Symbol(const char* name) {
    if (!handle_) {
        error_ = "The library " + file_.string() + " is not loaded, so " + name + " is missing";
        return nullptr;
    }
    dlerror();
    void* address = dlsym(handle_, name);
    if (!address) {
        error_ = "The library " + file_.string() + " has no function " + name;
        return nullptr;
    }
    error_.clear();
    return address;
}

}  // namespace platform
