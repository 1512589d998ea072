// Running a conversion table (find-and-replace rows) over the NC lines.
#pragma once

#include <string>
#include <vector>

class CNcReplaceInfo;

// Applies every row of the table in order. A row reaches the lines numbered (1-based) from its
// start row to its end row counted from the end (0 and 1 reach the last line); lines starting
// with "O" are never changed; a row with an empty text to find is skipped. A colon in either
// text stands for a line break: a find text with k colons matches a line joined with the next
// k lines. Without a colon only the text before the line's first "(" is searched, and that text
// is kept whole with the comment after it. After a row's pass, once anything was replaced,
// empty lines after the first are removed. With the table's DeleteCtbLines set, the first of
// the first 20 lines holding "CTB=" is removed. 1 when the lines changed, else 0.
int ApplyReplaceTable(std::vector<std::string>& lines, const CNcReplaceInfo& table);
