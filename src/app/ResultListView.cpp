#include "app/ResultListView.h"

#include <QKeyEvent>

namespace mervasto {

ResultListView::ResultListView(QWidget* parent) : QListView(parent) {
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Lines end in blank padding: clip them as they are, never put "…" over their last words.
    setTextElideMode(Qt::ElideNone);
    // A click on the line that is chosen already chooses it again.
    connect(this, &QAbstractItemView::clicked, this, &ResultListView::lineChosen);
}

void ResultListView::selectionChanged(const QItemSelection& selected,
                                      const QItemSelection& deselected) {
    QListView::selectionChanged(selected, deselected);
    if (!selected.isEmpty())
        emit lineChosen();
}

// Space chooses the current line again; without a current line (an empty list above all)
// there is nothing to choose.
void ResultListView::keyPressEvent(QKeyEvent* event) {
    QListView::keyPressEvent(event);
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
        currentIndex().isValid())
        emit lineChosen();
}

} // namespace mervasto
