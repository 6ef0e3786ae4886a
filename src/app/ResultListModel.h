#pragma once

#include "search/ResultLines.h"

#include <QAbstractListModel>
#include <QString>

namespace mervasto {

// The lines of the result list, kept as the search lists them, behind a list model: a view with
// uniform item sizes shows a hundred thousand lines without delay, and only the lines it shows
// become QStrings.
class ResultListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    QString line(int row) const;
    void clear();
    // Brings the model to `lines`. A list that grows (the lines held are the first ones of
    // `lines`, as during a search) only gets the new lines added: the held lines are taken as
    // they are, once the last of them is found in its place.
    void showLines(const ResultLines& lines);

private:
    bool holdsStartOf(const ResultLines& lines) const;
    void append(const ResultLines& lines, std::size_t from);

    ResultLines lines_;
};

} // namespace mervasto
