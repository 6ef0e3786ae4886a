#include "app/GeneralDate.h"

#include <QLocale>

namespace mervasto {

QString generalDate(const QDateTime& dateTime) {
    const QLocale c = QLocale::c();
    const QString date = c.toString(dateTime.date(), QStringLiteral("yyyy/MM/dd"));
    if (dateTime.time() == QTime(0, 0))
        return date;
    return date + u' ' + c.toString(dateTime.time(), QStringLiteral("H:mm:ss"));
}

QDateTime toQDateTime(const LocalDateTime& time) {
    return {QDate(time.year, time.month, time.day), QTime(time.hour, time.minute, time.second)};
}

LocalDateTime toLocalDateTime(const QDateTime& dateTime) {
    const QDateTime local = dateTime.toLocalTime();
    const QDate date = local.date();
    const QTime time = local.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

} // namespace mervasto
