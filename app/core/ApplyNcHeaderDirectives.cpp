// Header directives of NC programs.
#include "app/core/ApplyNcHeaderDirectives.h"

#include <filesystem>

#include "app/core/AppMessages.h"
#include "app/core/ApplyReplaceTable.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CNcReplaceInfo.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/CSystemData.h"
#include "platform/Cp932.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "platform/TextCodec.h"

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

std::string TwoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// The value after key: cut at the first ')', trailing blanks removed.
std::string DirectiveValue(const std::string& line, size_t keyEnd) {
    std::string v = line.substr(keyEnd);
    size_t paren = v.find(')');
    if (paren != std::string::npos) v.resize(paren);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.pop_back();
    return v;
}

// Cut right after the first of the extension spellings found; the upper-case one appended
// when the value has no point at all.
std::string WithFileExtension(std::string v, const char* upper, const char* lower,
                              const char* capital) {
    for (const char* ext : {upper, lower, capital}) {
        size_t at = v.find(ext);
        if (at != std::string::npos) {
            v.resize(at + 4);
            return v;
        }
    }
    if (v.find('.') == std::string::npos) v += upper;
    return v;
}

// What follows a change of machine: the condition table and the machine's die files. Read
// once after all the header's machines were loaded, so that an error of a die file is told
// once per load, and only for the machine that stays.
void LoadMachineData(NcHeaderHost& host) {
    host.SystemData->ToolData.Load();
    if (host.Ctx->PunchTool) {
        host.Ctx->PunchTool->ReadWritePossessed(1);
        host.Ctx->PunchTool->ReadWriteArrangement(1);
    }
}

// True when the extension's machine was loaded.
bool MachineByExtension(const std::string& fileName, NcHeaderHost& host) {
    const NcAppContext& ctx = *host.Ctx;
    // The extension of the file name only: a point in a folder name is no extension.
    std::string name = fs::path(fileName).filename().string();
    size_t dot = name.rfind('.');
    const std::string ext = dot == std::string::npos ? " " : Upper(name.substr(dot + 1));
    platform::ProfileFile ini;
    ini.Load(ctx.IniPath);
    for (int i = 0; i <= 98; ++i) {
        const std::string section = "ExtMachine" + TwoDigits(i);
        // The rows are CP932 text like the rest of the file; names are compared and used as
        // native (UTF-8) text.
        std::string e = platform::Cp932OrUtf8ToUtf8(ini.GetString(section, "Ext", ""));
        if (e.empty()) return false;
        if (Upper(e) != ext) continue;
        std::string machine = platform::Cp932OrUtf8ToUtf8(ini.GetString(section, "Machine", ""));
        std::string expanded = machine;
        ctx.ExpandLocalAppPath(expanded);
        fs::path full = ctx.MakeConfigPath(expanded);
        std::error_code ec;
        if (fs::is_regular_file(full, ec)) {
            host.SystemData->NcReadInfo.FileName = machine;
            host.SystemData->NcReadInfo.LoadMachineFile(0);
            std::string stored = full.string();
            ctx.CollapseLocalAppPath(stored);
            platform::WriteProfileString("NcRead", "FileName", std::string_view(stored),
                                         ctx.IniPath);
            return true;
        }
        if (ctx.Prompt)
            ctx.Prompt->Message(FillMessage(AppMessage(kMsgExtMachineMissing), {ext, machine}),
                                platform::PromptIcon::Warning, platform::PromptButtons::Ok);
        return false;
    }
    return false;
}

}  // namespace

void ResetSheetFrame(CNcReadInfo& info) {
    info.SheetFrame = {info.FrameX,        info.FrameY,        info.FrameXmin,
                       info.FrameYmin,     info.ClampPoint[0], info.ClampPoint[1],
                       info.ClampPoint[2], info.ClampPoint[3]};
}

int ApplyNcHeaderDirectives(std::vector<std::string>& lines, const std::string& fileName,
                            NcHeaderHost& host) {
    NcAppContext& ctx = *host.Ctx;
    host.ConvTableName.clear();
    host.ConvTableAskSave = 0;
    ctx.ConvTableAskSave = 0;
    CNcReplaceInfo table(ctx);
    bool tableRead = false;
    std::string tableName;

    bool machineLoaded = MachineByExtension(fileName, host);

    for (size_t i = 0; i < lines.size() && i < 25; ++i) {
        const std::string& line = lines[i];
        size_t at;
        if ((at = platform::FindText(line, "NMD=")) != std::string::npos) {
            std::string v = WithFileExtension(DirectiveValue(line, at + 4), ".NMD", ".nmd", ".Nmd");
            // An absolute name is used as it is; others are in the configuration folder, or,
            // when not there, beside the program (the punch sample ships its machine so).
            fs::path machine = ctx.MakeConfigPath(v);
            std::error_code ec;
            if (!fs::exists(machine, ec) && !fs::path(v).is_absolute()) {
                const fs::path beside = fs::path(fileName).parent_path() / v;
                if (fs::is_regular_file(beside, ec)) machine = beside;
            }
            host.SystemData->NcReadInfo.FileName = machine.string();
            host.SystemData->NcReadInfo.LoadMachineFile(0);
            machineLoaded = true;
        } else if ((at = platform::FindText(line, "CTB=")) != std::string::npos) {
            std::string v = WithFileExtension(DirectiveValue(line, at + 4), ".CTB", ".ctb", ".Ctb");
            table.ClearTable();
            tableRead = table.ReadTable(v) == 1;
            size_t first = v.find_first_not_of(' ');
            tableName = first == std::string::npos ? std::string() : v.substr(first);
        } else if ((at = platform::FindText(line, "EXE1=")) != std::string::npos ||
                   (at = platform::FindText(line, "EXE2=")) != std::string::npos) {
            int app = line.compare(at, 5, "EXE1=") == 0 ? 0 : 1;
            std::string v = DirectiveValue(line, at + 5);
            if (host.RunExternalApp)
                host.RunExternalApp(app, v.empty() ? std::nullopt : std::optional(v), fileName);
        }
    }

    if (machineLoaded) LoadMachineData(host);

    if (tableRead && ApplyReplaceTable(lines, table)) {
        host.ConvTableName = tableName;
        host.ConvTableAskSave = table.ConfirmOnReplace;
        ctx.ConvTableAskSave = table.ConfirmOnReplace;
    }

    CNcReadInfo& info = host.SystemData->NcReadInfo;
    ResetSheetFrame(info);
    for (size_t i = 0; i < lines.size() && i < 100; ++i) {
        const std::string& line = lines[i];
        size_t at;
        if ((at = platform::FindText(line, "(CL/")) != std::string::npos) {
            std::string_view rest = std::string_view(line).substr(at + 4);
            for (int k = 0; k < 4; ++k) {
                size_t used = 0;
                double v = platform::ParseLeadingReal(rest, &used);
                if (used == 0) {
                    for (; k < 4; ++k) info.SheetFrame[size_t(4 + k)] = 0.0;
                    break;
                }
                info.SheetFrame[size_t(4 + k)] = v;
                rest.remove_prefix(used);
            }
        } else if (platform::FindText(line, "(WK/") != std::string::npos) {
            info.SheetFrame[2] = 0.0;
            info.SheetFrame[3] = 0.0;
            size_t t = platform::FindLastSingle(line, 'T');
            if (t != std::string::npos)
                info.SheetFrame[0] =
                    platform::ParseLeadingReal(std::string_view(line).substr(t + 1));
            size_t x = platform::FindLastSingle(line, 'X');
            if (x != std::string::npos)
                info.SheetFrame[1] =
                    platform::ParseLeadingReal(std::string_view(line).substr(x + 1));
        }
    }
    info.FrameX = info.SheetFrame[0];
    info.FrameY = info.SheetFrame[1];
    info.FrameXmin = info.SheetFrame[2];
    info.FrameYmin = info.SheetFrame[3];
    for (size_t k = 0; k < 4; ++k) info.ClampPoint[k] = info.SheetFrame[4 + k];
    return 1;
}
