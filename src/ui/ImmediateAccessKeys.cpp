#include "ui/ImmediateAccessKeys.h"

#include <QAbstractButton>
#include <QEvent>
#include <QShortcutEvent>
#include <QWidget>

namespace mervasto {

namespace {

// A button's only shortcut is its access key; the filter takes the shortcut event before the
// button starts its animated click, and clicks at once instead.
class ImmediateAccessKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut)
            return false;
        auto* const button = qobject_cast<QAbstractButton*>(watched);
        if (!button || static_cast<QShortcutEvent*>(event)->isAmbiguous())
            return false;
        // A check box takes the focus with its access key, as it does with a click.
        if (button->isCheckable() && (button->focusPolicy() & Qt::ClickFocus))
            button->setFocus(Qt::ShortcutFocusReason);
        button->click();
        return true;
    }
};

} // namespace

void pressAccessKeysAtOnce(QWidget* window) {
    auto* const filter = new ImmediateAccessKeys(window);
    for (QAbstractButton* const button : window->findChildren<QAbstractButton*>())
        button->installEventFilter(filter);
}

} // namespace mervasto
