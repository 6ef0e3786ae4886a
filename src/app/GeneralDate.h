#pragma once

#include "data/LocalDateTime.h"

#include <QDateTime>
#include <QString>

namespace mervasto {

// A date and time in the Japanese general form: "yyyy/MM/dd H:mm:ss", or the date alone when
// the time is exactly midnight.
QString generalDate(const QDateTime& dateTime);

// The same date and time on the local clock, and back.
QDateTime toQDateTime(const LocalDateTime& time);
LocalDateTime toLocalDateTime(const QDateTime& dateTime);

} // namespace mervasto
