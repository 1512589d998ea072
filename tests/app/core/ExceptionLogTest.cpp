// Exception log records and kinds.
#include "app/core/ExceptionLog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <new>

#include "TempDir.h"
#include "TestFiles.h"

TEST(ExceptionLog, RecordHasSixCrLfLines) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 4;
    t.tm_hour = 7;
    t.tm_min = 5;
    t.tm_sec = 9;
    EXPECT_EQ(FormatExceptionRecord(ExceptionKind::File, "OnClose", "/nc/a.nc", t),
              "\r\n **************** Exception Error ****************\r\n"
              "File name : /nc/a.nc\r\nDate time : 2026/03/04 07:05:09\r\n"
              "Function name : OnClose\r\nError type : File exception\r\n");
}

TEST(ExceptionLog, KindsOfCaughtExceptions) {
    auto kind = [](auto thrower) {
        try {
            thrower();
        } catch (...) {
            return ClassifyException(std::current_exception());
        }
        return ExceptionKind::Other;
    };
    EXPECT_EQ(kind([] { throw std::bad_alloc(); }), ExceptionKind::Memory);
    EXPECT_EQ(kind([] { throw std::ios_base::failure("x"); }), ExceptionKind::File);
    EXPECT_EQ(kind([] { throw std::filesystem::filesystem_error("x", std::error_code()); }),
              ExceptionKind::File);
    EXPECT_EQ(kind([] { throw 3; }), ExceptionKind::Other);
}

TEST(ExceptionLog, AppendsAndSkipsUnopenableFile) {
    test::TempDir tmp;
    auto file = tmp.path() / kExceptionLogName;
    EXPECT_TRUE(WriteExceptionLog(file, ExceptionKind::Memory, "DestroyWindow", ""));
    EXPECT_TRUE(WriteExceptionLog(file, ExceptionKind::Other, "OnTraceStepNocancel", "x"));
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Error type : Memory exception\r\n\r\n **"), std::string::npos);
    EXPECT_NE(text.find("Function name : OnTraceStepNocancel"), std::string::npos);
    EXPECT_FALSE(WriteExceptionLog(tmp.path() / "no" / "such" / "x.txt", ExceptionKind::Other,
                                   "OnClose", ""));
}

TEST(ExceptionLog, GuardLogsAndGoesOn) {
    test::TempDir tmp;
    auto file = ExceptionLogPath(tmp.path());
    EXPECT_TRUE(CallGuarded([] {}, file, "OnClose", "/nc/a.nc"));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(CallGuarded([] { throw std::bad_alloc(); }, file, "OnClose", "/nc/a.nc"));
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("File name : /nc/a.nc\r\n"), std::string::npos);
    EXPECT_NE(text.find("Function name : OnClose\r\nError type : Memory exception\r\n"),
              std::string::npos);
}

// The top-level handlers log what reached them and tell the user; the program goes on.
TEST(ExceptionLog, CaughtExceptionIsLoggedAndTold) {
    test::TempDir tmp;
    const std::filesystem::path log = tmp.path() / "MorvalenErrLog.txt";
    std::string told;
    try {
        throw std::ios_base::failure("basic_filebuf::underflow error reading the file");
    } catch (...) {
        told = LogCaughtException(log, "QApplication::notify", "/nc/a.nc");
    }
    EXPECT_NE(told.find("basic_filebuf::underflow error reading the file"), std::string::npos);
    EXPECT_NE(told.find(log.string()), std::string::npos);
    const std::string text = test::ReadFile(log);
    EXPECT_NE(text.find("File name : /nc/a.nc\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Function name : QApplication::notify\r\nError type : File exception\r\n"),
              std::string::npos)
        << text;
    try {
        throw 42;
    } catch (...) {
        told = LogCaughtException({}, "InitInstance", "");
    }
    EXPECT_FALSE(told.empty());
}
