#include "app/ResultListModel.h"

namespace mervasto {

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return {};
    return line(index.row());
}

QString ResultListModel::line(int row) const {
    return QStringView(lines_[static_cast<std::size_t>(row)]).toString();
}

void ResultListModel::clear() {
    if (lines_.empty())
        return;
    beginResetModel();
    lines_.clear();
    endResetModel();
}

void ResultListModel::showLines(const ResultLines& lines) {
    if (!holdsStartOf(lines))
        clear();
    append(lines, lines_.size());
}

bool ResultListModel::holdsStartOf(const ResultLines& lines) const {
    return lines_.size() <= lines.size() &&
           (lines_.empty() || lines_.back() == lines[lines_.size() - 1]);
}

void ResultListModel::append(const ResultLines& lines, std::size_t from) {
    if (from >= lines.size())
        return;
    beginInsertRows({}, static_cast<int>(from), static_cast<int>(lines.size() - 1));
    for (std::size_t i = from; i < lines.size(); ++i)
        lines_.push_back(lines[i]);
    endInsertRows();
}

} // namespace mervasto
