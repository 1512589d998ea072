// Line and pair walking over a DXF text, and the search for its ENTITIES section.
#include "kernel/io/DxfLineReader.h"

bool DxfLineReader::Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find('\n', pos_);
    size_t next = end == std::string_view::npos ? text_.size() : end + 1;
    if (end == std::string_view::npos) end = text_.size();
    size_t begin = pos_;
    pos_ = next;
    if (end > begin && text_[end - 1] == '\r') --end;
    while (begin < end && (text_[begin] == ' ' || text_[begin] == '\t')) ++begin;
    line = text_.substr(begin, end - begin);
    return true;
}

bool DxfLineReader::SkipToEntities() {
    static constexpr std::string_view kSequence[] = {"0", "SECTION", "2", "ENTITIES"};
    std::string_view line;
    size_t matched = 0;
    while (Next(line)) {
        if (line == kSequence[matched]) {
            if (++matched == 4) return true;
        } else {
            // The mismatching line is consumed; the search goes on with the one after it.
            matched = 0;
        }
    }
    return false;
}
