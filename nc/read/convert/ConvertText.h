// Text helpers shared by the punch dialect normaliser and the format converters: CP932-safe
// searches, word and token reading, C-notation numbers and line insertion with the line map.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Cp932.h"

class CNcRead;
class CNcReadInfo;

namespace ncconvert {

// Position of the first occurrence of text at or after from that starts on a character
// boundary (a trail byte of a double-byte character never starts a match); npos when none.
// An empty text is found at from (when from lies inside line or at its end).
using platform::FindText;
inline bool Contains(std::string_view line, std::string_view text) {
    return FindText(line, text) != std::string_view::npos;
}
inline bool HasLetter(std::string_view line, char letter, size_t from = 0) {
    return FindText(line, std::string_view(&letter, 1), from) != std::string_view::npos;
}

// The number at the start of text: blanks skipped, an optional sign, digits with at most one
// decimal point; reading stops at the first character that does not fit; no number reads 0.
double ReadReal(std::string_view text);
// As ReadReal with digits only (an optional sign, no decimal point), clamped to int.
int ReadCount(std::string_view text);

// The word letter: the first occurrence of letter at or after from, and the number behind it.
// Nothing when the letter is absent.
std::optional<double> RealWord(std::string_view line, char letter, size_t from = 0);
std::optional<int> CountWord(std::string_view line, char letter, size_t from = 0);

// text from pos on; empty when pos lies past its end.
std::string_view Tail(std::string_view text, size_t pos);
// text without its leading blanks and tabs.
std::string_view TrimLeft(std::string_view text);

// The tokens of text separated by runs of any of delimiters (empty tokens skipped).
std::vector<std::string_view> SplitTokens(std::string_view text, std::string_view delimiters);

// Every occurrence of from in text replaced by to, left to right, never inside the inserted
// text and never inside a double-byte character. An empty from changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
// Every occurrence of what removed (the same rules as ReplaceAll).
inline std::string RemoveAll(std::string_view text, std::string_view what) {
    return ReplaceAll(text, what, {});
}

// value in C notation with the given decimals ("%.3lf", "%.0lf" of printf).
std::string Real(double value, int decimals);
// value as "%d" writes it.
std::string Int(long long value);

// The reader's machine settings, or those of an empty machine file when it has none.
const CNcReadInfo& SettingsOf(const CNcRead& reader);

// Inserts text into the reader's Lines at index at, with the line-map entry mapValue (the
// document line the new line stems from).
void InsertLine(CNcRead& reader, size_t at, std::string text, int mapValue);

}  // namespace ncconvert
