#include "app/ListPreview.h"

#include "data/DataError.h"
#include "data/WholeFile.h"
#include "search/AddressListConversion.h"

#include <QTableWidget>

#include <algorithm>

namespace mervasto {

std::vector<CsvRow> readListPreview(const std::filesystem::path& file) {
    try {
        return addressListPreview(readWholeFile(file), ListPreviewRows);
    } catch (const DataError&) {
        return {};
    }
}

void showListPreview(QTableWidget& table, const std::vector<CsvRow>& rows) {
    std::size_t width = 0;
    for (const CsvRow& row : rows)
        width = std::max(width, row.size());
    table.clear();
    table.setRowCount(static_cast<int>(rows.size()));
    table.setColumnCount(static_cast<int>(width));
    QStringList numbers;
    for (std::size_t column = 1; column <= width; ++column)
        numbers << QString::number(column);
    table.setHorizontalHeaderLabels(numbers);
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (std::size_t column = 0; column < rows[row].size(); ++column)
            table.setItem(static_cast<int>(row), static_cast<int>(column),
                          new QTableWidgetItem(QString::fromStdU16String(rows[row][column])));
}

} // namespace mervasto
