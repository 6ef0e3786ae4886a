#include "ui/QtDesktop.h"

#include "ui/AppIdentity.h"
#include "ui/FileFilter.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>
#include <QUrl>

namespace mervasto {

namespace {

QMessageBox::Icon messageBoxIcon(Desktop::Icon icon) {
    switch (icon) {
    case Desktop::Icon::Information:
        return QMessageBox::Information;
    case Desktop::Icon::Question:
        return QMessageBox::Question;
    case Desktop::Icon::Critical:
        return QMessageBox::Critical;
    case Desktop::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

Desktop::Answer answerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return Desktop::Answer::Yes;
    case QMessageBox::No:
        return Desktop::Answer::No;
    case QMessageBox::Cancel:
        return Desktop::Answer::Cancel;
    default:
        return Desktop::Answer::Ok;
    }
}

QSettings settingsStore() {
    return QSettings(appTitle(), appTitle());
}

} // namespace

Desktop::Answer QtDesktop::showMessage(QWidget* parent, const QString& text, const QString& title,
                                       Icon icon, Buttons buttons) {
    const bool question = buttons == Buttons::YesNoCancel;
    QMessageBox box(messageBoxIcon(icon), title.isEmpty() ? appTitle() : title, text,
                    question ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                             : QMessageBox::Ok,
                    parent);
    box.setDefaultButton(question ? QMessageBox::Yes : QMessageBox::Ok);
    return answerOf(box.exec());
}

void QtDesktop::beep() {
    QApplication::beep();
}

void QtDesktop::setClipboardText(const QString& text) {
    QClipboard* const clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

std::optional<QString> QtDesktop::chooseOpenFile(QWidget* parent, const QString& filter) {
    const QString file =
        QFileDialog::getOpenFileName(parent, QString(), QString(), toQtFileFilter(filter));
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

std::optional<QString> QtDesktop::readSetting(const QString& key) {
    const QVariant value = settingsStore().value(key);
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}

void QtDesktop::writeSetting(const QString& key, const QString& value) {
    settingsStore().setValue(key, value);
}

void QtDesktop::openWithViewer(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace mervasto
