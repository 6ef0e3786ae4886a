#pragma once

#include <QAbstractListModel>
#include <QString>

#include <string>
#include <vector>

namespace mervasto {

// The lines of the result list. A plain vector of texts behind a list model, so that a view
// with uniform item sizes shows a hundred thousand lines without delay.
class ResultListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const QString& line(int row) const { return lines_.at(static_cast<std::size_t>(row)); }
    void clear();
    // Brings the model to `lines`. A list that grows (the lines held are the first ones of
    // `lines`, as during a search) only gets the new lines added: the held lines are taken as
    // they are, once the last of them is found in its place.
    void showLines(const std::vector<std::u16string>& lines);

private:
    bool holdsStartOf(const std::vector<std::u16string>& lines) const;
    void append(const std::vector<std::u16string>& lines, std::size_t from);

    std::vector<QString> lines_;
};

} // namespace mervasto
