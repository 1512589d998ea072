// The program's start switches: instance number, interface language, process mode and file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the command line asked for. Each switch is a whole argument: "/n<number>" (or "/n"
// followed by a numeric argument), "/JP", "/US" and "/m=<number>". Any other argument is a
// file; the first one is opened, later ones are listed in Ignored. A path such as "/nfs/a.nc"
// is a file, not the switch "/n".
struct StartSwitches {
    int InstanceNumber = 0;
    bool Japanese = false;  // "/JP"; it wins over "/US"
    bool English = false;   // "/US"
    bool HasProcessMode = false;
    int ProcessMode = 0;  // "/m=": 0 when the switch is absent or carries no number
    std::string File;
    std::vector<std::string> Ignored;
};

// args without the program name.
StartSwitches ParseStartSwitches(const std::vector<std::string>& args);

// Reads a number as the C conversion to int does (leading blanks, a sign, digits; nothing
// readable gives 0), saturating at the int range instead of overflowing.
int ReadLeadingInt(std::string_view text);
