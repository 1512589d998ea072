// The rules of the conversion-table dialogs that need no window: row line numbers and table
// names.
#pragma once

#include <string>
#include <string_view>

// A row's start or end line as the dialogs keep it: the decimal number the text starts with
// (blanks and a sign allowed); none or 0 gives "1", a value above 99999 or a negative one gives
// "99999", any other value its decimal text.
std::string NormalizeLineNumber(std::string_view text);
// One step of the up-down buttons on a line number: +1 while below 99999, -1 while above 1.
std::string StepLineNumber(std::string_view text, int delta);
// The leading decimal number of a list cell, read as unsigned (none gives 0).
unsigned LeadingUnsigned(std::string_view text);

// A table name as typed: leading blanks removed (trailing ones kept), a final ".CTB" in any
// letter case removed. Then checked: message 61598 when empty, 61608 when it begins with '.'
// (the table list skips such files) or holds one of \ / : * " < > | ? (native text: a byte of a
// multi-byte character never matches); 0 when it may be used.
struct TableNameCheck {
    std::string name;
    unsigned message = 0;
};
TableNameCheck CheckTableName(std::string_view typed);

// ASCII letter case ignored.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
