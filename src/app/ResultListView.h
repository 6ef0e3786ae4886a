#pragma once

#include <QListView>

namespace mervasto {

// The result list. It reports each time the user chooses a line, with the mouse or with the
// keyboard (arrow keys, Space), as a list box's click event does. Moving the focus into the
// list marks a current line without choosing it.
class ResultListView : public QListView {
    Q_OBJECT

public:
    explicit ResultListView(QWidget* parent);

signals:
    void lineChosen();

protected:
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace mervasto
