#include "ui/AccessibleNames.h"

#include <QAbstractButton>
#include <QRegularExpression>
#include <QWidget>

namespace mervasto {

QString withoutAccessKey(const QString& caption) {
    static const QRegularExpression keyAfterText(QStringLiteral("\\(&[^&]\\)$"));
    static const QRegularExpression keyMark(QStringLiteral("&(.)"));
    QString text = caption;
    text.remove(keyAfterText);
    return text.replace(keyMark, QStringLiteral("\\1"));
}

void nameButtonsByCaption(QWidget* window) {
    for (QAbstractButton* const button : window->findChildren<QAbstractButton*>())
        button->setAccessibleName(withoutAccessKey(button->text()));
}

} // namespace mervasto
