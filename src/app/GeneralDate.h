#pragma once

#include <QDateTime>
#include <QString>

namespace mervasto {

// A date and time in the Japanese general form: "yyyy/MM/dd H:mm:ss", or the date alone when
// the time is exactly midnight.
QString generalDate(const QDateTime& dateTime);

} // namespace mervasto
