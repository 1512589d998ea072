// NcTextRules: what the NC text views take from the machine settings to colour and number lines.
#pragma once

#include <string>
#include <vector>

class CNcReadInfo;

// One enabled text conversion pair of the machine file, in table order.
struct NcTextConversion {
    std::string From;
    std::string To;
};

struct NcTextRules {
    std::vector<NcTextConversion> Conversions;  // enabled pairs only, empty From never kept
    std::string SubCallWord = "M98";            // OptSubCall
    char MainProgramLetter = 'O';               // CodeMainPro
    char SubProgramLetter = 'O';                // CodeMainSub
    int AppMachineType = 0;                     // 1: numbering starts at the "ORIGINSFT" line

    // The rules of these machine settings with the system setting AppMachineType.
    static NcTextRules FromMachine(const CNcReadInfo& machine, int appMachineType);
};
