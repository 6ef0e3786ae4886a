#include "WidgetTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace mervasto::test {

QString shownText(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* box = qobject_cast<const QLineEdit*>(widget))
        return box->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return {};
}

void typeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClick(widget, character.toLatin1());
        } else {
            QInputMethodEvent committed;
            committed.setCommitString(character);
            QApplication::sendEvent(widget, &committed);
        }
    }
}

void settle() {
    for (int round = 0; round < 3; ++round)
        QApplication::processEvents();
}

QString toText(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

PaintCounter::PaintCounter(QWidget* widget) : QObject(widget) {
    widget->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint)
        ++paints;
    return false;
}

int runTestObjects(int argc, char** argv, std::initializer_list<QObject*> tests) {
    int failures = 0;
    for (QObject* const test : tests)
        failures += QTest::qExec(test, argc, argv);
    return failures == 0 ? 0 : 1;
}

} // namespace mervasto::test
