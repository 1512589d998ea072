// Directives in an NC program's header: machine file, conversion table, external programs,
// sheet frame and clamps.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CNcReadInfo;
class CSystemData;
struct NcAppContext;

// What the directives reach of the application. The application object owns one.
struct NcHeaderHost {
    NcAppContext* Ctx = nullptr;        // settings path, folders, die data, prompt
    CSystemData* SystemData = nullptr;  // machine settings and condition table
    // Starts external application 0 ("EXE1=") or 1 ("EXE2=") with the directive's value (none
    // when it is empty) and the NC file's path. Unset: directives of this kind do nothing.
    std::function<void(int app, const std::optional<std::string>& value, const std::string& ncFile)>
        RunExternalApp;
    // Set when a conversion table named in the header changed the lines.
    std::string ConvTableName;
    int ConvTableAskSave = 0;
};

// After every load: chooses the machine file tied to the file's extension ([ExtMachineNN]
// Ext/Machine of the settings file, remembered as [NcRead] FileName), follows "NMD=", "CTB=",
// "EXE1=" and "EXE2=" in the first 25 lines (after a change of machine the condition table and
// the die files of the machine that stays are read once), runs a named conversion table over
// the lines, and sets the sheet frame from the machine file and from "(CL/" and "(WK/" in the
// first 100 lines; those values become the configured ones for the following documents.
// Returns 1.
int ApplyNcHeaderDirectives(std::vector<std::string>& lines, const std::string& fileName,
                            NcHeaderHost& host);

// The current sheet frame and clamps from the configured values of the machine settings.
void ResetSheetFrame(CNcReadInfo& info);
