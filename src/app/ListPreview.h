#pragma once

#include "data/Csv.h"

#include <filesystem>
#include <vector>

class QTableWidget;

namespace mervasto {

// How many rows of a list the conversion dialog shows.
inline constexpr std::size_t ListPreviewRows = 20;

// The first rows of the list in `file`, read with the encoding the conversion will use; none
// when the file cannot be read.
std::vector<CsvRow> readListPreview(const std::filesystem::path& file);

// Puts `rows` in `table`, as text that cannot be edited, the columns headed by their numbers
// from 1 (as the address column is numbered).
void showListPreview(QTableWidget& table, const std::vector<CsvRow>& rows);

} // namespace mervasto
