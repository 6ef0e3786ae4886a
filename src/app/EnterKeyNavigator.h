#pragma once

#include <QHash>
#include <QMap>
#include <QObject>

class QWidget;

namespace mervasto {

// The main window's Enter key (Form_KeyPress). It sees the key before the focused control does:
// a focused push button is pressed; otherwise the focus moves to the control whose tab position
// follows that of the focused control, unless that control cannot take the focus (a label, a
// hidden or a disabled control), in which case the focus stays. The Enter never reaches the
// control itself.
class EnterKeyNavigator : public QObject {
    Q_OBJECT

public:
    // `controlCount` counts every control of the window, menu items included; the position
    // after the last one wraps to 0.
    EnterKeyNavigator(int controlCount, QObject* parent);

    // Records the tab position of a control and watches its keys.
    void addControl(QWidget* control, int tabIndex);
    // Watches the keys that reach `window` itself, when no control has the focus.
    void watchWindow(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void handleEnter();
    int targetTabIndex(QWidget* focused) const;

    int controlCount_;
    QMap<int, QWidget*> controlAt_;
    QHash<const QWidget*, int> tabIndexOf_;
};

} // namespace mervasto
