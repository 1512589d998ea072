// NcProgramLines: the reader's program lines, read in place from the caller until changed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The lines a reader works on. Set up with Share, they are the caller's own lines, read in
// place (a program of a million lines is not copied for every rebuild); the first change
// (Mutable) copies them. Reading never copies: there is no non-const element access, so every
// change is written as one.
class NcProgramLines {
public:
    using const_iterator = std::vector<std::string>::const_iterator;

    NcProgramLines() = default;
    NcProgramLines(const NcProgramLines& other) : own_(other.View()) {}
    NcProgramLines& operator=(const NcProgramLines& other) {
        if (this != &other) *this = other.View();
        return *this;
    }
    // A copy of lines.
    NcProgramLines& operator=(const std::vector<std::string>& lines) {
        own_ = lines;
        shared_ = nullptr;
        return *this;
    }
    // Reads lines in place until the first change; they must stay alive and unchanged while
    // this object reads them.
    void Share(const std::vector<std::string>& lines) {
        own_.clear();
        shared_ = &lines;
    }
    bool IsShared() const { return shared_ != nullptr; }

    const std::vector<std::string>& View() const { return shared_ ? *shared_ : own_; }
    operator const std::vector<std::string>&() const { return View(); }
    // The lines for change (a copy of the shared lines is made first).
    std::vector<std::string>& Mutable() {
        if (shared_) {
            own_ = *shared_;
            shared_ = nullptr;
        }
        return own_;
    }

    size_t size() const { return View().size(); }
    bool empty() const { return View().empty(); }
    const std::string& operator[](size_t i) const { return View()[i]; }
    const_iterator begin() const { return View().begin(); }
    const_iterator end() const { return View().end(); }

    friend bool operator==(const NcProgramLines& a, const std::vector<std::string>& b) {
        return a.View() == b;
    }

private:
    const std::vector<std::string>* shared_ = nullptr;
    std::vector<std::string> own_;
};
