// Reader checks of the machine data files: the machine file (.NMD), the cutting-condition
// table (Za_Reve.ntd) and the conversion tables (.CTB). Loading must work on anything, and
// what was read must survive a save: nothing is lost on the way, and once saved the data stay
// as they are. Two profile rules change a value on its first trip, so the profile files are
// compared from the second save on, and only without quotes: a long value cut to its buffer
// can end in blanks, which the next read trims, and a value wholly inside double quotes loses
// them on every read.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>

#include "fuzz/checks/CheckSupport.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CNcReplaceInfo.h"
#include "nc/machine/CToolData.h"

namespace fuzzcheck {

inline std::string CheckMachineFile(std::string_view bytes, const std::filesystem::path& scratch) {
    const std::filesystem::path file = scratch / "machine.nmd";
    if (!WriteBytes(file, bytes)) return "the input could not be written";
    CNcReadInfo info;
    if (info.LoadFrom(file) != 1) return "an existing machine file did not load";
    if (info.ZeroTimes <= 0) return "ZeroTimes must stay positive";
    if (info.TextFrom.size() != info.TextTo.size() || info.TextTo.size() != info.TextEnable.size())
        return "the text conversion lists differ in length";

    // Pairs whose From text is blank cannot be read back and are not written; all others are.
    auto kept = [](const CNcReadInfo& info) {
        return static_cast<size_t>(std::count_if(
            info.TextFrom.begin(), info.TextFrom.end(),
            [](const std::string& s) { return s.find_first_not_of(" \t") != std::string::npos; }));
    };
    const bool quoted = bytes.find('"') != std::string_view::npos;
    const std::filesystem::path saved = scratch / "saved.nmd";
    std::string previous;
    for (int round = 0; round < 3; ++round) {
        std::remove(saved.c_str());
        if (info.SaveTo(saved) != 1) return "saving the machine file failed";
        std::string text = ReadBytes(saved);
        if (round == 2 && !quoted && text != previous)
            return "a saved machine file changed on a later save";
        previous = std::move(text);
        const size_t pairs = kept(info);
        if (info.LoadFrom(saved) != 1) return "a saved machine file did not load";
        if (info.TextFrom.size() != pairs) return "a text conversion pair was lost";
    }
    return {};
}

inline std::string CheckConditions(std::string_view bytes, const std::filesystem::path& scratch) {
    const std::filesystem::path file = scratch / "Za_Reve.ntd";
    if (!WriteBytes(file, bytes)) return "the input could not be written";
    CToolData table;
    (void)table.LoadFrom(file);
    const size_t rows = table.RowCount();
    if (table.ToolNo.size() != rows || table.ToolHigh.size() != rows ||
        table.ToolDiameter.size() != rows || table.ToolName.size() != rows ||
        table.ToolColorRGB.size() != rows)
        return "the row lists differ in length";
    if (rows == 0) return "a table without rows must get the default rows";
    const bool quoted = bytes.find('"') != std::string_view::npos;
    const std::filesystem::path saved = scratch / "saved.ntd";
    std::string previous;
    for (int round = 0; round < 3; ++round) {
        if (table.SaveTo(saved) != 1) return "saving the table failed";
        std::string text = ReadBytes(saved);
        if (round == 2 && !quoted && text != previous)
            return "a saved table changed on a later save";
        previous = std::move(text);
        (void)table.LoadFrom(saved);
        if (table.RowCount() != rows) return "a saved row was lost";
    }
    return {};
}

// The bytes are a table of a table folder of its own in scratch.
inline std::string CheckConversionTable(std::string_view bytes,
                                        const std::filesystem::path& scratch) {
    const std::filesystem::path folder = scratch / "tables";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    NcAppContext ctx;
    ctx.ConfigFolder = folder;
    const std::filesystem::path file = folder / "FUZZ.CTB";
    if (!WriteBytes(file, bytes)) return "the input could not be written";

    CNcReplaceInfo table(ctx);
    if (table.ListTables() != 1) return "the table folder did not list";
    if (table.TableNames.size() != table.TableComments.size())
        return "names and comments differ in number";
    if (table.ReadTable("FUZZ") != 1) return {};
    const size_t rows = table.BeforeTexts.size();
    if (table.AfterTexts.size() != rows || table.StartLines.size() != rows ||
        table.EndLines.size() != rows)
        return "the row lists differ in length";
    for (const std::string& before : table.BeforeTexts)
        if (before.empty()) return "a row without a text to replace was read";

    const std::string comment = table.TableComments.empty() ? "" : table.TableComments.front();
    if (table.SaveTable("FUZZ", comment) != 0) return "saving the table failed";
    const std::string first = ReadBytes(file);
    CNcReplaceInfo again(ctx);
    if (again.ReadTable("FUZZ") != 1) return "a saved table does not read back";
    if (again.BeforeTexts != table.BeforeTexts || again.AfterTexts != table.AfterTexts ||
        again.StartLines != table.StartLines || again.EndLines != table.EndLines ||
        again.DeleteCtbLines != table.DeleteCtbLines ||
        again.ConfirmOnReplace != table.ConfirmOnReplace)
        return "a saved table reads back changed";
    // A comment is made one line when it is written; from then on it stays as it is.
    (void)again.ReadComment("FUZZ.CTB");
    if (again.SaveTable("FUZZ", again.TableComments.back()) != 0)
        return "saving the table again failed";
    if (ReadBytes(file) != first) return "a saved table changed on the second save";
    return {};
}

}  // namespace fuzzcheck
