// Font lists over QFontDatabase.
#include <QFontDatabase>

#include "wepo/toolkit/Toolkit.h"

namespace wepo {

FontBlock* ListFontFamilies(const QString* family, unsigned mask) {
    if (mask == 0) mask = 0xFFFF;
    auto* block = new FontBlock;
    auto add = [&](const QString& name, const QString& style) {
        unsigned type =
            QFontDatabase::isSmoothlyScalable(name, style) ? kTrueTypeFont : kRasterFont;
        if (type & mask)
            block->push_back({name, style, type, QFontDatabase::isFixedPitch(name, style)});
    };
    if (family) {
        for (const QString& style : QFontDatabase::styles(*family)) add(*family, style);
    } else {
        for (const QString& name : QFontDatabase::families()) add(name, QString());
    }
    return block;
}

int GetFontRecordCount(const FontBlock* block) {
    return block ? static_cast<int>(block->size()) : 0;
}

int GetFontRecord(const FontBlock* block, int index, FontRecord* record) {
    if (!block || !record || index < 0 || index >= static_cast<int>(block->size())) return 0;
    *record = (*block)[static_cast<size_t>(index)];
    return 1;
}

int SetFontRecord(FontBlock* block, int index, const FontRecord& record) {
    if (!block || index < 0 || index >= static_cast<int>(block->size())) return 0;
    (*block)[static_cast<size_t>(index)] = record;
    return 1;
}

}  // namespace wepo
