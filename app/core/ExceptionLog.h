// The exception log: one six-line record appended per exception caught by a guarded operation.
#pragma once

#include <ctime>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// Kinds of a caught exception, as the log names them.
enum class ExceptionKind { Memory = 0, File = 1, Other = 2 };

// The log's file name; it lives in the configuration folder.
inline constexpr const char* kExceptionLogName = "MorvalenErrLog.txt";
inline std::filesystem::path ExceptionLogPath(const std::filesystem::path& configFolder) {
    return configFolder / kExceptionLogName;
}

// Memory for std::bad_alloc, File for stream and file-system failures, Other for the rest
// (also for a null pointer).
ExceptionKind ClassifyException(const std::exception_ptr& caught);

// The record's text, lines ended by CR LF: an empty line, the banner, the NC file name, the
// local date and time, the catching operation's name and the kind.
std::string FormatExceptionRecord(ExceptionKind kind, std::string_view functionName,
                                  std::string_view ncFileName, const std::tm& localTime);

// Appends the record for the current local time to logFile; false (and nothing else) when the
// file cannot be opened or written.
bool WriteExceptionLog(const std::filesystem::path& logFile, ExceptionKind kind,
                       std::string_view functionName, std::string_view ncFileName);

// Runs fn; an exception it throws is caught, appended to the log under functionName, and the
// caller goes on (the guard of closing, destroying and the trace step). True when fn returned.
bool CallGuarded(const std::function<void()>& fn, const std::filesystem::path& logFile,
                 std::string_view functionName, std::string_view ncFileName) noexcept;

// Inside a catch block: appends the record of the exception being handled to logFile (unless
// empty; a log that cannot be written is skipped) and returns what the user is told: the
// exception's text and the log (kMsgUnexpectedError). The top-level handlers of the program
// (the event loop and the start-up) call it; they then go on.
std::string LogCaughtException(const std::filesystem::path& logFile, std::string_view functionName,
                               std::string_view ncFileName) noexcept;
