// Reader check of the NC program set-up and the block tokeniser: any bytes as an NC program,
// prepared by SetProgram (text conversion, type detection, dialect and format converters)
// under the sample machine settings, condition table and dies, then every prepared line
// tokenised and searched as the interpreter does. The first byte picks the machine's NC type,
// the settings, the text conversion switch and the main-program form.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/checks/CheckSupport.h"
#include "kernel/base/CxyData.h"
#include "kernel/db/CDtbEngine.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/CToolData.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcProgramRunner.h"

namespace fuzzcheck {

// The sample machine data of the test fixtures, loaded once.
struct NcSamples {
    CNcReadInfo defaults;  // the settings of an empty machine file, with text conversion pairs
    CNcReadInfo full;      // every key of the machine file set to something unusual
    CToolData conditions;
    CPunchTool dies;
    NcAppContext app;
    bool ok = true;

    NcSamples(const std::filesystem::path& testData, const std::filesystem::path& scratch) {
        ok = full.LoadFrom(CopyOf(testData / "nc" / "machine" / "full.nmd", scratch)) == 1;
        defaults.TextFrom = {"M08", "(", "X"};  // lengthen, double, and a disabled pair
        defaults.TextTo = {"M100", "((", ""};
        defaults.TextEnable = {1, 1, 0};
        conditions.LoadFrom(CopyOf(testData / "nc" / "machine" / "tools.ntd", scratch));
        conditions.DrawShavColor = 1;
        ok = ok && dies.ReadPossessedFile(testData / "nc" / "dies" / "pch_v4.dat") == kDieFileOk &&
             dies.ReadArrangementFile(testData / "nc" / "dies" / "arr_v4.arr") == kDieFileOk;
        app.ConfigFolder = scratch;
        app.ProgramFolder = scratch;
        app.PunchTool = &dies;
    }

    // The readers write back into the files they load: they work on copies.
    static std::filesystem::path CopyOf(const std::filesystem::path& file,
                                        const std::filesystem::path& scratch) {
        std::filesystem::path copy = scratch / file.filename();
        std::error_code ec;
        std::filesystem::copy_file(file, copy, std::filesystem::copy_options::overwrite_existing,
                                   ec);
        return copy;
    }
};

inline std::vector<std::string> SplitNcLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    return lines;
}

// One program set up as the first byte of the input says, with everything it refers to.
struct NcSetUp {
    CNcReadInfo settings;
    NcAppContext app;
    CToolData conditions;
    std::unique_ptr<CNcRead> reader;
    size_t documentLines = 0;

    NcSetUp(std::string_view bytes, const NcSamples& samples) {
        const auto choice = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
        const std::vector<std::string> lines =
            SplitNcLines(bytes.empty() ? bytes : bytes.substr(1));
        documentLines = lines.size();
        settings = (choice & 0x40) ? samples.full : samples.defaults;
        settings.LaserPunch = static_cast<int>(choice % 6);
        settings.PunchNcType = static_cast<int>((choice >> 3) % 3);
        const int noTextConvert = (choice >> 5) & 1;
        app = samples.app;
        if (choice & 0x80) app.NcFileName = "O1000.MAIN";
        conditions = samples.conditions;
        reader = std::make_unique<CNcRead>(&app);
        (void)reader->SetProgram(lines, &settings, &conditions, noTextConvert);
    }
};

inline std::string CheckNcSetup(std::string_view bytes, const NcSamples& samples) {
    if (!samples.ok) return "the sample machine data do not read";
    if (bytes.empty()) return {};
    NcSetUp setUp(bytes, samples);
    const auto& reader = setUp.reader;
    if (reader->LineMap.size() != reader->Lines.size())
        return "the line map is out of step with the lines";
    const int documentLines = static_cast<int>(std::max<size_t>(setUp.documentLines, 1));
    for (int map : reader->LineMap)
        if (map < 0 || map >= documentLines) return "a prepared line maps outside the document";

    const int count = static_cast<int>(reader->Lines.size());
    for (int i = 0; i < count; ++i) {
        reader->ResetBlock();
        reader->LineIndex = i;
        std::string text = reader->Lines[i];
        NcOptionMarks marks{};
        (void)reader->TokenizeBlock(text, marks, reader->ShapeGroups, reader->BlockGroups,
                                    reader->BlockCir, reader->BlockM, reader->Block,
                                    reader->BlockDuplicate);
        std::array<double, 8> axes{};
        CNcRead::ParseAxisWords(reader->Lines[i], axes);
        (void)IsDecimalText(reader->Lines[i]);
    }
    if (count > 0) {
        (void)reader->FindProgramLine(-1, -1, count - 1);
        (void)reader->FindProgramLine(1, 10, 0);
        (void)reader->FindAddressLine('N', -1, 0, 1);
        (void)reader->FindAddressLine('O', 2, count - 1, -1);
        (void)reader->FindPrefixLine("G65", 3, -1, 0, 1);
    }
    return {};
}

// Blocks a fuzzed run may read and elements it may draw: enough for every loop and repeat of
// a small program; the application's own bounds are far higher and would only make a looping
// input slow.
inline constexpr std::int64_t kFuzzMaxBlocks = 20000;

// The whole program read block by block into an element database through the program runner,
// as the document rebuild does. The run must end, and the box of what it drew be computable.
inline std::string CheckNcProgram(std::string_view bytes, const NcSamples& samples) {
    if (!samples.ok) return "the sample machine data do not read";
    NcSetUp setUp(bytes, samples);
    CDtbEngine elements;
    NcRunnerLimits limits;
    limits.MaxBlocks = kFuzzMaxBlocks;
    limits.MaxElements = kFuzzMaxBlocks;
    NcProgramRunner runner(*setUp.reader, limits);
    const NcRunnerSummary summary = runner.Run(elements);
    if (summary.End == NcRunnerEnd::Running) return "a run returned before it ended";
    if (summary.Blocks > kFuzzMaxBlocks) return "a run read more blocks than its limit";
    // The end of the program is met by reading the line after the last one.
    if (summary.LastLine < 0 || static_cast<size_t>(summary.LastLine) > setUp.reader->Lines.size())
        return "a run ended on a line the program does not have";
    CxyData min(1e15, 1e15), max(-1e15, -1e15);
    (void)elements.MinMax(&min, &max);
    return {};
}

}  // namespace fuzzcheck
