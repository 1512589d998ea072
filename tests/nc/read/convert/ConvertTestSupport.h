// Table cases for the rewriters of the reader's lines: settings and lines in, lines and
// line-index map out.
#pragma once

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "nc/NcAppContext.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"

namespace convert_test {

struct Given {
    int NcType = 2;       // the reader's NC type when the rewriter runs
    int PunchNcType = 0;  // 0 Amada, 1 Murata, 2 Nisshinbo
    int InAbsInc = 0;
    int ZeroTimes = 1000;
    std::string OptProgStop;  // empty unless a case is about it
    int ProcessMode = 0;
    std::string NcFileName;
};

struct Case {
    const char* Name;
    Given Settings;
    std::vector<std::string> In;
    std::vector<std::string> Out;
    std::vector<int> Map;  // empty: one entry per line, 0, 1, 2, ... (nothing inserted)
};

// A reader prepared as SetProgram leaves it just before its rewriters run.
class Harness {
public:
    explicit Harness(const Given& s) : reader_(&app_) {
        settings_.PunchNcType = s.PunchNcType;
        settings_.In_AbsInc = s.InAbsInc;
        settings_.ZeroTimes = s.ZeroTimes;
        settings_.OptProgStop = s.OptProgStop;
        app_.ProcessMode = s.ProcessMode;
        app_.NcFileName = s.NcFileName;
        reader_.Settings = &settings_;
        reader_.State.NcType = s.NcType;
    }

    CNcRead& Run(const std::vector<std::string>& lines, void (CNcRead::*rewrite)()) {
        reader_.Lines = lines;
        reader_.LineMap.resize(lines.size());
        std::iota(reader_.LineMap.begin(), reader_.LineMap.end(), 0);
        reader_.ConvertFaults.clear();
        (reader_.*rewrite)();
        return reader_;
    }

private:
    NcAppContext app_;
    CNcReadInfo settings_;
    CNcRead reader_;
};

inline void Check(const Case& c, void (CNcRead::*rewrite)()) {
    SCOPED_TRACE(c.Name);
    Harness h(c.Settings);
    const CNcRead& r = h.Run(c.In, rewrite);
    EXPECT_EQ(r.Lines, c.Out);
    std::vector<int> map = c.Map;
    if (map.empty()) {
        map.resize(c.In.size());
        std::iota(map.begin(), map.end(), 0);
    }
    EXPECT_EQ(r.LineMap, map);
    EXPECT_TRUE(r.ConvertFaults.empty());
}

}  // namespace convert_test
