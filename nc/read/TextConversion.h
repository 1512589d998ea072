// The set-up's text rewrites of program lines: conversion pairs and condition words.
#pragma once

#include <array>
#include <string>
#include <string_view>

// Most replacements of one search text in one line.
inline constexpr int kMaxReplacementsPerLine = 101;

// Replaces the occurrences of from in line by to, left to right, at most
// kMaxReplacementsPerLine times; each search resumes behind the inserted text, so inserted
// text is never replaced again. An empty from is never found. Returns the count replaced.
int ReplaceInLine(std::string& line, std::string_view from, std::string_view to);

// Condition words: the first non-empty word of words that occurs in line has each
// occurrence (at most kMaxReplacementsPerLine) replaced by "e"; the others are not tried.
// Returns the count replaced.
int ReplaceConditionWord(std::string& line, const std::array<std::string_view, 3>& words);
