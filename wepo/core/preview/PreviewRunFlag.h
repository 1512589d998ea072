// The preview run flag over the stop tokens of the runs going on, and two small text helpers
// of the previews that nothing calls.
#pragma once

#include <string>

#include "wepo/core/preview/PreviewTypes.h"

namespace wepo {

// Registers a run as going on for its lifetime (a renderer holds one while it works).
class PreviewRunScope {
public:
    explicit PreviewRunScope(PreviewRun& run);
    ~PreviewRunScope();
    PreviewRunScope(const PreviewRunScope&) = delete;
    PreviewRunScope& operator=(const PreviewRunScope&) = delete;

private:
    PreviewRun& run_;
};

// The run flag: 1 while a registered run goes on and has not been stopped, else 0. Setting 0
// stops every run going on and returns the previous flag; setting 1 changes nothing (a run
// starts itself) and returns the previous flag; any other value only returns the flag. Each run
// owns its token, so a caller that stops its own run (the pane, the list) stops no other, and
// making a message picture stops nothing.
int SetPreviewRunFlag(int value);

// The next word of an NC line from line: blanks and a comment in parentheses passed over, the
// word from there up to its number's end (digits, '+', '-', '.'); out gets it when it is shorter
// than outSize. Returns the position behind the word, or null when there is no word or the line
// ends there.
const char* SplitNcWord(const char* line, std::string* out, size_t outSize);

}  // namespace wepo
