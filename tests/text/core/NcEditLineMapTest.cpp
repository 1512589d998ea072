// The editor's line map kept in step with edits.
#include "text/core/NcEditLineMap.h"

#include <gtest/gtest.h>

TEST(TrackLineMap, FollowsTheEdit) {
    using Map = std::vector<uint32_t>;
    struct Case {
        const char* what;
        Map before;
        LineMapEdit edit;
        Map after;
    } cases[] = {
        {"Enter at the end of line 1", {1, 2, 3}, {3, 1, 4, 2, 2}, {1, 2, 0, 3}},
        {"Enter at the start of line 1", {1, 2, 3}, {3, 1, 4, 2, 1}, {1, 0, 2, 3}},
        {"two lines pasted", {1, 2}, {2, 0, 4, 2, 1}, {1, 0, 0, 2}},
        {"Backspace joins line 2 into 1", {1, 2, 3}, {3, 2, 2, 1, 0}, {1, 2}},
        {"Delete joins line 2 into 1", {1, 2, 3}, {3, 1, 2, 1, 0}, {1, 3}},
        {"a 0 entry goes first", {1, 0, 3}, {3, 2, 2, 1, 0}, {1, 3}},
        {"a 0 entry after the caret line", {1, 2, 0}, {3, 1, 2, 1, 0}, {1, 2}},
        {"no entry after the caret line", {1, 2}, {2, 1, 1, 1, 0}, {1, 2}},
        {"same count", {4, 5}, {2, 0, 2, 1, 0}, {4, 5}},
    };
    for (const Case& c : cases) {
        Map m = c.before;
        TrackLineMap(m, c.edit);
        EXPECT_EQ(m, c.after) << c.what;
    }
}
