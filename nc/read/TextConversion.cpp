// The set-up's text rewrites of program lines: conversion pairs and condition words.
#include "nc/read/TextConversion.h"

#include "platform/Cp932.h"

int ReplaceInLine(std::string& line, std::string_view from, std::string_view to) {
    // An empty search text would be "found" in front of every character: it converts nothing.
    if (from.empty()) return 0;
    int count = 0;
    size_t pos = 0;
    while (count < kMaxReplacementsPerLine) {
        const size_t found = platform::FindText(line, from, pos);
        if (found == std::string::npos) break;
        line.replace(found, from.size(), to);
        pos = found + to.size();
        ++count;
    }
    return count;
}

int ReplaceConditionWord(std::string& line, const std::array<std::string_view, 3>& words) {
    for (std::string_view word : words) {
        if (word.empty() || platform::FindText(line, word) == std::string::npos) continue;
        return ReplaceInLine(line, word, "e");
    }
    return 0;
}
