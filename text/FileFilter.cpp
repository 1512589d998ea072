// File-name filters of the string table in Qt's form.
#include "text/FileFilter.h"

#include <QStringList>

QString ConvertFileFilter(const QString& filter) {
    if (!filter.contains('|')) return filter;
    QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        QString desc = parts[i];
        // Qt reads the patterns from the last parentheses: drop a description's own list.
        int paren = desc.lastIndexOf('(');
        if (paren > 0) desc = desc.left(paren).trimmed();
        out << QStringLiteral("%1 (%2)").arg(desc, patterns);
    }
    return out.join(QStringLiteral(";;"));
}
