// Exception log records.
#include "app/core/ExceptionLog.h"

#include <filesystem>
#include <fstream>
#include <ios>
#include <new>

#include "app/core/AppMessages.h"

namespace {

std::string TwoDigits(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

std::string FourDigits(int v) {
    std::string s = std::to_string(v);
    while (s.size() < 4) s.insert(s.begin(), '0');
    return s;
}

}  // namespace

ExceptionKind ClassifyException(const std::exception_ptr& caught) {
    if (!caught) return ExceptionKind::Other;
    try {
        std::rethrow_exception(caught);
    } catch (const std::bad_alloc&) {
        return ExceptionKind::Memory;
    } catch (const std::ios_base::failure&) {
        return ExceptionKind::File;
    } catch (const std::filesystem::filesystem_error&) {
        return ExceptionKind::File;
    } catch (...) {
        return ExceptionKind::Other;
    }
}

std::string FormatExceptionRecord(ExceptionKind kind, std::string_view functionName,
                                  std::string_view ncFileName, const std::tm& t) {
    const char* kindText = kind == ExceptionKind::Memory ? "Memory exception"
                           : kind == ExceptionKind::File ? "File exception"
                                                         : "Other exception";
    std::string r;
    r += "\r\n";
    r += " **************** Exception Error ****************\r\n";
    r += "File name : ";
    r += ncFileName;
    r += "\r\n";
    r += "Date time : " + FourDigits(t.tm_year + 1900) + "/" + TwoDigits(t.tm_mon + 1) + "/" +
         TwoDigits(t.tm_mday) + " " + TwoDigits(t.tm_hour) + ":" + TwoDigits(t.tm_min) + ":" +
         TwoDigits(t.tm_sec) + "\r\n";
    r += "Function name : ";
    r += functionName;
    r += "\r\n";
    r += "Error type : ";
    r += kindText;
    r += "\r\n";
    return r;
}

bool WriteExceptionLog(const std::filesystem::path& logFile, ExceptionKind kind,
                       std::string_view functionName, std::string_view ncFileName) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::ofstream out(logFile, std::ios::binary | std::ios::app);
    if (!out) return false;
    out << FormatExceptionRecord(kind, functionName, ncFileName, local);
    out.flush();
    return bool(out);
}

bool CallGuarded(const std::function<void()>& fn, const std::filesystem::path& logFile,
                 std::string_view functionName, std::string_view ncFileName) noexcept {
    try {
        fn();
        return true;
    } catch (...) {
        ExceptionKind kind = ClassifyException(std::current_exception());
        try {
            WriteExceptionLog(logFile, kind, functionName, ncFileName);
        } catch (...) {
            // Nothing more can be done about a log that cannot be written.
        }
        return false;
    }
}

std::string LogCaughtException(const std::filesystem::path& logFile, std::string_view functionName,
                               std::string_view ncFileName) noexcept {
    try {
        const std::exception_ptr caught = std::current_exception();
        std::string what = "?";
        try {
            if (caught) std::rethrow_exception(caught);
        } catch (const std::exception& e) {
            what = e.what();
        } catch (...) {
        }
        if (!logFile.empty())
            WriteExceptionLog(logFile, ClassifyException(caught), functionName, ncFileName);
        return FillMessage(AppMessage(kMsgUnexpectedError), {what, logFile.string()});
    } catch (...) {
        return {};  // out of memory while reporting: nothing more can be said
    }
}
