// File-name filters of the string table in Qt's form.
#pragma once

#include <QString>

// "desc|pattern;pattern|desc|pattern||" (the form of the string table's filters) to Qt's
// "desc (pattern pattern);;desc (pattern)". A text without '|' is returned unchanged.
QString ConvertFileFilter(const QString& filter);
