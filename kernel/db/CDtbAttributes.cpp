// Packed attribute texts of an element.
#include "kernel/db/CDtbAttributes.h"

namespace {

std::string_view CutAtNul(std::string_view text) {
    const size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

}  // namespace

std::string_view CDtbAttributes::Iterator::operator*() const {
    const size_t nul = s_->find('\0', pos_);
    return std::string_view(*s_).substr(pos_, nul - pos_);
}

CDtbAttributes::Iterator& CDtbAttributes::Iterator::operator++() {
    pos_ = s_->find('\0', pos_) + 1;
    return *this;
}

size_t CDtbAttributes::GetCount() const {
    size_t n = 0;
    for (char c : packed_) n += (c == '\0');
    return n;
}

size_t CDtbAttributes::Offset(size_t i) const {
    size_t pos = 0;
    for (; i > 0; --i) {
        if (pos >= packed_.size()) return std::string::npos;
        pos = packed_.find('\0', pos) + 1;
    }
    return pos < packed_.size() ? pos : std::string::npos;
}

std::string_view CDtbAttributes::GetAt(size_t i) const {
    const size_t pos = Offset(i);
    if (pos == std::string::npos) return {};
    return std::string_view(packed_).substr(pos, packed_.find('\0', pos) - pos);
}

int CDtbAttributes::FindPrefix(std::string_view prefix) const {
    int index = 0;
    for (std::string_view t : *this) {
        if (t.starts_with(prefix)) return index;
        ++index;
    }
    return -1;
}

void CDtbAttributes::Add(std::string_view text) {
    text = CutAtNul(text);
    packed_.reserve(packed_.size() + text.size() + 1);
    packed_.append(text);
    packed_.push_back('\0');
}

bool CDtbAttributes::SetAt(size_t i, std::string_view text) {
    const size_t pos = Offset(i);
    if (pos == std::string::npos) return false;
    const size_t nul = packed_.find('\0', pos);
    text = CutAtNul(text);
    packed_.replace(pos, nul - pos, text.data(), text.size());
    return true;
}

bool CDtbAttributes::RemoveAt(size_t i) {
    const size_t pos = Offset(i);
    if (pos == std::string::npos) return false;
    const size_t nul = packed_.find('\0', pos);
    packed_.erase(pos, nul - pos + 1);
    return true;
}
