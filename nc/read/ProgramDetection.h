// Detection of the kind of an NC program (NC type) and of its JOB or main-program form.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Lines examined for the JOB language (the first 52).
inline constexpr int kJobFormLines = 52;

enum class NcDetectionPass {
    A,  // before the punch dialect normaliser
    B,  // after it; also knows the plotter line "PA" and the process-information tags
};

// The NC type (1 laser, 2 punch, 4 plotter, 5 process information) of the lines: every line
// is looked at in order and the last one that matches a rule decides; 1 when none does.
int DetectNcType(const std::vector<std::string>& lines, NcDetectionPass pass);

// True when one of the first kJobFormLines lines holds a word of the JOB language.
bool HasJobForm(const std::vector<std::string>& lines);

// True when the program file name ends in ".MPF" (any case): a main program.
bool IsMainProgramName(const std::filesystem::path& ncFileName);
