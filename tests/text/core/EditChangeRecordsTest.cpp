// The editor's change records: the list with its cap and redo tail, records made from the
// text before and after a change, and the span that gathers one action's changes.
#include "text/core/EditChangeRecords.h"

#include <gtest/gtest.h>

#include "text/core/NcEditText.h"

namespace {

EditChangeRecord Typed(int at, char16_t c) {
    EditChangeRecord r;
    r.Start = r.End = at;
    r.Inserted = std::u16string(1, c);
    return r;
}

// text with a splice applied.
std::u16string Apply(std::u16string text, const EditSplice& s) {
    return text.replace(size_t(s.Position), size_t(s.Length), s.Text);
}

// UTF-8 of text; a unit of a surrogate pair cut from its other half becomes U+FFFD.
std::string Utf8(std::u16string_view text) {
    std::string out;
    auto put = [&out](char32_t c) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        const bool high = u >= 0xD800 && u <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            put(0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            put(0xFFFD);
        } else {
            put(u);
        }
    }
    return out;
}

// No unit of a surrogate pair without its other half.
bool WholeCharacters(std::u16string_view text) {
    return Utf8(text).find("\xEF\xBF\xBD") == std::string::npos;
}

// text with a splice applied the way a host that keeps its text as UTF-8 does it: the text
// before the splice, the record's text and the text after it converted each on its own.
std::string ApplyUtf8(const std::u16string& text, const EditSplice& s) {
    const std::u16string_view all = text;
    return Utf8(all.substr(0, size_t(s.Position))) + Utf8(s.Text) +
           Utf8(all.substr(size_t(s.Position + s.Length)));
}

// result is text again: the same CP932 bytes when text has a CP932 form, else the same text.
void ExpectSameText(const std::string& result, const std::u16string& text) {
    std::string want, got;
    if (EditTextToCp932(Utf8(text), want)) {
        EXPECT_TRUE(EditTextToCp932(result, got)) << result;
        EXPECT_EQ(got, want);
    } else {
        EXPECT_EQ(result, Utf8(text));
    }
}

}  // namespace

TEST(EditChangeList, KeepsAtMost201RecordsAndDropsTheOldest) {
    EditChangeList list;
    for (int i = 0; i < 202; ++i) list.Push(Typed(i, u'a'));
    EXPECT_EQ(list.Count(), 201u);
    EXPECT_EQ(list.Done(), 201u);
    EXPECT_EQ(list[0].Start, 1);  // the first record went
    int undone = 0;
    while (list.Undo()) ++undone;
    EXPECT_EQ(undone, 201);  // the 202nd undo in a row does nothing
    EXPECT_EQ(list.Undo(), nullptr);
}

TEST(EditChangeList, NewChangeAfterUndosDropsTheRedoTail) {
    EditChangeList list;
    for (int i = 0; i < 5; ++i) list.Push(Typed(i, u'a'));
    ASSERT_NE(list.Undo(), nullptr);
    ASSERT_NE(list.Undo(), nullptr);
    EXPECT_TRUE(list.CanRedo());
    list.Push(Typed(3, u'b'));
    EXPECT_EQ(list.Count(), 4u);
    EXPECT_EQ(list.Done(), 4u);
    EXPECT_FALSE(list.CanRedo());
    EXPECT_EQ(list[3].Inserted, u"b");
}

TEST(EditChangeList, UndoAndRedoWalkTheDoneCount) {
    EditChangeList list;
    list.Push(Typed(0, u'x'));
    list.Push(Typed(1, u'y'));
    const EditChangeRecord* r = list.Undo();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Inserted, u"y");
    EXPECT_EQ(list.Done(), 1u);
    r = list.Redo();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Inserted, u"y");
    EXPECT_EQ(list.Redo(), nullptr);
}

TEST(EditChangeList, FreeAndReset) {
    EditChangeList list;
    for (int i = 0; i < 4; ++i) list.Push(Typed(i, u'a'));
    list.Free(2);
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Done(), 2u);
    list.Free(0);
    list.Reset();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_FALSE(list.CanUndo());
    EXPECT_FALSE(list.CanRedo());
}

TEST(MakeChangeRecord, HoldsWhatReallyChanged) {
    struct Case {
        int start;
        std::u16string before, after;
        int kind, at;
        std::u16string removed, inserted;
    } cases[] = {
        {10, u"", u"a", 0, 10, u"", u"a"},                      // typed
        {9, u"b", u"", 1, 9, u"b", u""},                        // Backspace at 10
        {0, u"abc", u"aXc", 0, 1, u"b", u"X"},                  // overwrite
        {5, u"G01\nX", u"G01\nX", -1, 0, u"", u""},             // a format-only report
        {0, u"ab\ncd\n", u"ab\nxx\ncd\n", 0, 3, u"", u"xx\n"},  // a wider report than needed
        // Characters outside the Basic Multilingual Plane: U+1F600 shares its first unit
        // with U+1F601 and its second with U+1F200. The record holds whole characters at
        // either end of the change.
        {0, u"a\U0001F600", u"a\U0001F601", 0, 1, u"\U0001F600", u"\U0001F601"},
        {0, u"\U0001F600", u"\U0001F200", 0, 0, u"\U0001F600", u"\U0001F200"},  // typed over
        {4, u"\u3042\U0001F600\u3044", u"\u3042\U0001F200\u3044", 0, 5, u"\U0001F600",
         u"\U0001F200"},
        {0, u"a\U0001F600\U0001F601", u"a\U0001F601", 1, 1, u"\U0001F600", u""},  // Delete
        {0, u"\u3042\U0001F600\u3044", u"\u3042\u3044", 1, 1, u"\U0001F600", u""},
        {0, u"\U0001F600", u"x\U0001F200", 0, 0, u"\U0001F600", u"x\U0001F200"},  // paste
        {3, u"\U0001F600x\U0001F200", u"\U0001F601y\U0001F600", 0, 3, u"\U0001F600x\U0001F200",
         u"\U0001F601y\U0001F600"},
        {0, u"\u3042\uF781", u"\U0001F200\uF781", 0, 0, u"\u3042", u"\U0001F200"},
    };
    for (const Case& c : cases) {
        auto r = MakeChangeRecord(c.start, c.before, c.after);
        if (c.kind < 0) {
            EXPECT_FALSE(r.has_value());
            continue;
        }
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->Kind, c.kind);
        EXPECT_EQ(r->Start, c.at);
        EXPECT_EQ(r->End, c.at + int(c.removed.size()));
        EXPECT_EQ(r->Removed, c.removed);
        EXPECT_EQ(r->Inserted, c.inserted);
        // Applied to the text around the change, the splices go both ways exactly.
        std::u16string text = u"0123456789" + c.before;
        std::u16string after = u"0123456789" + c.after;
        EditChangeRecord shifted = *r;
        shifted.Start += 10 - c.start;
        EXPECT_EQ(Apply(text, RedoSplice(shifted)), after);
        EXPECT_EQ(Apply(after, UndoSplice(shifted)), text);
        // Each text of the record stands on its own, so undo then redo give the text back
        // byte for byte when the record's texts are spliced in as UTF-8.
        EXPECT_TRUE(WholeCharacters(r->Removed));
        EXPECT_TRUE(WholeCharacters(r->Inserted));
        const std::string undone = ApplyUtf8(after, UndoSplice(shifted));
        ExpectSameText(undone, text);
        ExpectSameText(ApplyUtf8(Apply(after, UndoSplice(shifted)), RedoSplice(shifted)), after);
    }
}

TEST(EditChangeSpan, GathersOneActionsChanges) {
    // A drag that moves "cd" of "abcdef" to the end: inserted at 6, then removed at 2.
    EditChangeSpan span;
    span.Add(6, 0, 2);
    span.Add(2, 2, 0);
    EXPECT_EQ(span.Start(), 2);
    EXPECT_EQ(span.OldEnd(), 6);
    EXPECT_EQ(span.NewEnd(), 6);
    // Typing then deleting back.
    EditChangeSpan typed;
    typed.Add(3, 0, 1);
    typed.Add(4, 0, 1);
    typed.Add(4, 1, 0);
    EXPECT_EQ(typed.Start(), 3);
    EXPECT_EQ(typed.OldEnd(), 3);
    EXPECT_EQ(typed.NewEnd(), 4);
    typed.Clear();
    EXPECT_TRUE(typed.Empty());
}
