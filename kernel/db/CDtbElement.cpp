// Common part of the element classes.
#include "kernel/db/CDtbElement.h"

#include <algorithm>

void CDtbElement::SetText(std::string_view text) {
    if (text.empty()) {
        text_.reset();
    } else if (text_) {
        text_->assign(text);
    } else {
        text_ = std::make_unique<std::string>(text);
    }
}

CDtbElement::CDtbElement(const CDtbElement& source)
    : type_(source.type_), noDisplay(source.noDisplay), attributes(source.attributes) {
    std::copy(std::begin(source.option), std::end(source.option), option);
    std::copy(std::begin(source.optionValue), std::end(source.optionValue), optionValue);
    if (source.text_) text_ = std::make_unique<std::string>(*source.text_);
}

CDtbElement& CDtbElement::operator=(const CDtbElement& source) {
    if (this == &source) return *this;
    type_ = source.type_;
    noDisplay = source.noDisplay;
    std::copy(std::begin(source.option), std::end(source.option), option);
    std::copy(std::begin(source.optionValue), std::end(source.optionValue), optionValue);
    SetText(source.GetText());
    return *this;
}
