#include "app/EnterKeyNavigator.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace mervasto {

namespace {

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool canTakeFocus(const QWidget* control) {
    return control->isVisible() && control->isEnabled() && control->focusPolicy() != Qt::NoFocus;
}

} // namespace

EnterKeyNavigator::EnterKeyNavigator(int controlCount, QObject* parent)
    : QObject(parent), controlCount_(controlCount) {}

void EnterKeyNavigator::addControl(QWidget* control, int tabIndex) {
    controlAt_.insert(tabIndex, control);
    tabIndexOf_.insert(control, tabIndex);
    control->installEventFilter(this);
}

void EnterKeyNavigator::watchWindow(QWidget* window) {
    window->installEventFilter(this);
}

bool EnterKeyNavigator::eventFilter(QObject*, QEvent* event) {
    if (!isEnter(event))
        return false;
    handleEnter();
    return true;
}

void EnterKeyNavigator::handleEnter() {
    QWidget* const focused = QApplication::focusWidget();
    if (auto* const button = qobject_cast<QPushButton*>(focused);
        button && tabIndexOf_.contains(button)) {
        button->click();
        return;
    }
    QWidget* const target = controlAt_.value(targetTabIndex(focused));
    if (target && canTakeFocus(target))
        target->setFocus(Qt::OtherFocusReason);
}

int EnterKeyNavigator::targetTabIndex(QWidget* focused) const {
    const auto found = tabIndexOf_.constFind(focused);
    if (found == tabIndexOf_.constEnd())
        return 0;
    return *found == controlCount_ - 1 ? 0 : *found + 1;
}

} // namespace mervasto
