#include "ui/FileFilter.h"

#include <QStringList>

namespace mervasto {

namespace {

QString qtFilterEntry(const QString& description, const QString& pattern) {
    const QString patterns = pattern.split(u';', Qt::SkipEmptyParts).join(u' ');
    if (patterns.isEmpty() || description.contains(u'(' + patterns + u')'))
        return description;
    return description + QStringLiteral(" (") + patterns + u')';
}

} // namespace

QString toQtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2)
        entries << qtFilterEntry(parts[i], i + 1 < parts.size() ? parts[i + 1] : QString());
    return entries.join(QStringLiteral(";;"));
}

} // namespace mervasto
