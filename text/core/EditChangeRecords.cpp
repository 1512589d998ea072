// The NC editor's change records.
#include "text/core/EditChangeRecords.h"

#include <algorithm>

EditSplice UndoSplice(const EditChangeRecord& record) {
    return {record.Start, int(record.Inserted.size()), record.Removed};
}

EditSplice RedoSplice(const EditChangeRecord& record) {
    return {record.Start, int(record.Removed.size()), record.Inserted};
}

std::optional<EditChangeRecord> MakeChangeRecord(int start, std::u16string_view oldText,
                                                 std::u16string_view newText) {
    if (oldText == newText) return std::nullopt;
    // A surrogate pair is never cut in two: the record starts and ends on whole characters.
    auto splits = [](std::u16string_view text, size_t at) {
        return at > 0 && at < text.size() && text[at] >= 0xDC00 && text[at] <= 0xDFFF;
    };
    size_t head = 0;
    const size_t shorter = std::min(oldText.size(), newText.size());
    while (head < shorter && oldText[head] == newText[head]) ++head;
    // The start goes back to its character before the end is sought, so that the shared end
    // may take the half it gave up: deleting one of two characters with the same first unit
    // stays a deletion of that one character.
    if (splits(oldText, head) || splits(newText, head)) --head;
    size_t tail = 0;
    while (tail < shorter - head &&
           oldText[oldText.size() - 1 - tail] == newText[newText.size() - 1 - tail])
        ++tail;
    if (tail > 0 &&
        (splits(oldText, oldText.size() - tail) || splits(newText, newText.size() - tail)))
        --tail;
    EditChangeRecord r;
    r.Start = start + int(head);
    r.Removed = std::u16string(oldText.substr(head, oldText.size() - head - tail));
    r.Inserted = std::u16string(newText.substr(head, newText.size() - head - tail));
    r.End = r.Start + int(r.Removed.size());
    r.Kind = r.Inserted.empty() ? 1 : 0;
    return r;
}

void EditChangeList::Push(EditChangeRecord record) {
    records_.resize(done_);
    if (records_.size() >= kMaxRecords) records_.pop_front();
    records_.push_back(std::move(record));
    done_ = records_.size();
}

const EditChangeRecord* EditChangeList::Undo() {
    if (done_ == 0) return nullptr;
    return &records_[--done_];
}

const EditChangeRecord* EditChangeList::Redo() {
    if (done_ >= records_.size()) return nullptr;
    return &records_[done_++];
}

void EditChangeList::Free(size_t first) {
    if (first < records_.size()) records_.resize(first);
    done_ = std::min(done_, records_.size());
}

void EditChangeList::Reset() {
    records_.clear();
    done_ = 0;
}

void EditChangeSpan::Add(int position, int removed, int added) {
    if (!any_) {
        any_ = true;
        start_ = position;
        end_ = position + added;
        delta_ = added - removed;
        return;
    }
    // Text after the removed range moves by added - removed; the span grows to cover both.
    const int end = std::max(end_, position + removed) + added - removed;
    start_ = std::min(start_, position);
    end_ = end;
    delta_ += added - removed;
}
