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

} // namespace mervasto
