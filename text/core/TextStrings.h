// Texts of the NC text views by string id, with the built-in text of the ids the program's
// string table does not carry yet.
#pragma once

#include <string>

// The string table's text of id in the current language; when the table has no such id, the
// built-in English or Japanese text (UTF-8); empty for an unknown id.
std::string TextString(unsigned id);

// Texts of the views' own templates (the context menu's pop-ups, the switch form, the find
// and replace dialogs) in the current language.
enum class TextLabelId : unsigned {
    SearchMenu,
    TracingSpeedMenu,
    TraceButton,
    EditButton,
    FindTitle,
    ReplaceTitle,
    FindWhat,
    ReplaceWith,
    WholeWord,
    MatchCase,
    Direction,
    Up,
    Down,
    FindNext,
    Replace,
    ReplaceAll,
    Cancel,
};
std::string TextLabel(TextLabelId label);
