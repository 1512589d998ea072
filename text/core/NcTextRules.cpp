// NcTextRules: built from the machine settings.
#include "text/core/NcTextRules.h"

#include <algorithm>

#include "nc/machine/CNcReadInfo.h"

NcTextRules NcTextRules::FromMachine(const CNcReadInfo& machine, int appMachineType) {
    NcTextRules r;
    const size_t n =
        std::min({machine.TextFrom.size(), machine.TextTo.size(), machine.TextEnable.size()});
    for (size_t i = 0; i < n; ++i) {
        // An empty From would "match" at position 0 of every line and prepend To to it.
        if (machine.TextEnable[i] == 0 || machine.TextFrom[i].empty()) continue;
        r.Conversions.push_back({machine.TextFrom[i], machine.TextTo[i]});
    }
    r.SubCallWord = machine.Opt[0];
    r.MainProgramLetter = machine.CodeLetter[0];
    r.SubProgramLetter = machine.CodeLetter[1];
    r.AppMachineType = appMachineType;
    return r;
}
