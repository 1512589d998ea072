// The NC editor's undo and redo history: change records in one list for the whole program, and
// how the records are made from what a change really inserted and removed.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

// One undoable change of the editor's text. Positions and lengths count the editor's characters
// (UTF-16 code units, as the control counts them); a line break is one '\n'.
struct EditChangeRecord {
    int Kind = 0;   // 0 text inserted or replaced, 1 text deleted (nothing inserted)
    int Start = 0;  // where the change begins, in the text before it
    int End = 0;    // Start + the length of Removed
    std::u16string Inserted;
    std::u16string Removed;
};

// A replacement of Length characters at Position by Text: what applying a record does.
struct EditSplice {
    int Position = 0;
    int Length = 0;
    std::u16string Text;
};

// The splice that takes a record back (its inserted text replaced by the removed one) and the
// one that does it again.
EditSplice UndoSplice(const EditChangeRecord& record);
EditSplice RedoSplice(const EditChangeRecord& record);

// The record of oldText at start becoming newText, with what the two share at either end left
// out, so that it holds only the characters that really changed. Nothing when they are equal.
std::optional<EditChangeRecord> MakeChangeRecord(int start, std::u16string_view oldText,
                                                 std::u16string_view newText);

// The change records with their done count d: records 0..d-1 can be undone (the newest last),
// records d..n-1 redone. It belongs to the program, not to an editor, so it outlives the
// editor pane across switches to the list and back.
class EditChangeList {
public:
    // The list never holds more than this many records.
    static constexpr size_t kMaxRecords = 201;

    // PushChangeRecord: the redo tail is dropped; past 200 records the oldest one goes; the
    // record is appended and counts as done.
    void Push(EditChangeRecord record);
    // The record the next undo applies backwards, the done count one less; null when there is
    // nothing to undo.
    const EditChangeRecord* Undo();
    // The record the next redo applies forwards, the done count one more; null when there is
    // nothing to redo.
    const EditChangeRecord* Redo();
    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < records_.size(); }

    // FreeChangeRecords: the records from first on are freed (the list is cut there).
    void Free(size_t first);
    // ResetChangeRecords: both counts 0.
    void Reset();

    size_t Done() const { return done_; }
    size_t Count() const { return records_.size(); }
    const EditChangeRecord& operator[](size_t i) const { return records_[i]; }

private:
    std::deque<EditChangeRecord> records_;
    size_t done_ = 0;
};

// The change notifications of one user action gathered into one span. Each change is given in
// the coordinates of the text as it stands when the change is reported; the span ends up
// covering every changed character, in the text before the action (Start..OldEnd) and after
// it (Start..NewEnd).
class EditChangeSpan {
public:
    // removed characters at position were replaced by added ones.
    void Add(int position, int removed, int added);
    bool Empty() const { return !any_; }
    int Start() const { return start_; }
    int NewEnd() const { return end_; }
    int OldEnd() const { return end_ - delta_; }
    void Clear() { *this = EditChangeSpan{}; }

private:
    bool any_ = false;
    int start_ = 0;
    int end_ = 0;    // in the current text
    int delta_ = 0;  // current length minus the length before the first change
};
