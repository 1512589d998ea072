// The document's NC lines (CP932 bytes) as the NC editor's text (UTF-8) and back, every byte
// kept: undecodable bytes travel as their escape characters (platform/TextCodec.h), and a
// carriage return inside a line, which the editor would take for a line break, as U+F70D.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The stand-in of a carriage return inside a line.
constexpr char32_t kEditCarriageReturn = 0xF70D;

// The lines decoded and joined by '\n' (no '\n' after the last one). No line gives "".
std::string LinesToEditText(const std::vector<std::string>& lines);

// The editor's text split at '\n' into CP932 lines. An empty text gives no line. False, with
// lines left alone, when a character has no CP932 form.
bool EditTextToLines(std::string_view text, std::vector<std::string>& lines);

// The first character of text (UTF-8) that has no CP932 form, empty when every one has.
std::string FirstCharWithoutCp932(std::string_view text);

// text as CP932 bytes (one line or part of one; '\n' stays '\n'). False when a character has
// no CP932 form; out then holds '?' in its place and must not be used.
bool EditTextToCp932(std::string_view text, std::string& out);
