#pragma once

#include <QString>

namespace mervasto {

// Converts a file-dialog filter written as "description|pattern|description|pattern..."
// (e.g. "CSVファイル(*.csv)|*.csv") into Qt's form, "description (patterns);;...". A
// description that already shows its patterns in parentheses is kept as it is; patterns
// separated by ";" become space-separated.
QString toQtFileFilter(const QString& filter);

} // namespace mervasto
