// Outside libraries loaded at run time by name (dlopen/dlsym), freed when the handle dies.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// "X.dll" -> "libX.so" (the extension matched case-insensitively); a name that already ends in
// ".so" stays as it is; any other name gets "lib" and ".so" around it.
std::string LibraryFileName(std::string_view name);

class Library {
public:
    Library() = default;
    Library(Library&& other) noexcept;
    Library& operator=(Library&& other) noexcept;
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    ~Library() { Close(); }

    // Loads LibraryFileName(name) from folder (the loader's own search path when folder is
    // empty). Closes the library held before. False with Error() set when it cannot be loaded.
    bool Open(const std::filesystem::path& folder, std::string_view name);
    // Unloads the library; the functions looked up in it must not be called any more.
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }
    // The file that was (or was to be) loaded.
    const std::filesystem::path& File() const { return file_; }

    // The address of a function by name; null with Error() set when the library is not open
    // or lacks it.
    void* Symbol(const char* name);
    template <class F>
    F Function(const char* name) {
        return reinterpret_cast<F>(Symbol(name));
    }

    // What went wrong last, in English, naming the file and the symbol; empty after success.
    const std::string& Error() const { return error_; }

private:
    void* handle_ = nullptr;
    std::filesystem::path file_;
    std::string error_;
};

}  // namespace platform
