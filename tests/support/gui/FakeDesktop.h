#pragma once

#include "ui/Desktop.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

namespace mervasto::test {

// A Desktop that never blocks: it records what the windows asked for and answers from
// queues the test fills beforehand.
class FakeDesktop : public Desktop {
public:
    struct Message {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
    };

    Answer showMessage(QWidget* parent, const QString& text, const QString& title, Icon icon,
                       Buttons buttons) override;
    void beep() override { ++beeps; }
    void setClipboardText(const QString& text) override { clipboard = text; }
    std::optional<QString> chooseOpenFile(QWidget* parent, const QString& filter) override;
    std::optional<QString> readSetting(const QString& key) override;
    void writeSetting(const QString& key, const QString& value) override { settings[key] = value; }
    void openWithViewer(const QString& path) override { openedFiles << path; }

    // Answers for the next message boxes, in order; when none is left, Ok, or questionAnswer
    // for a question.
    std::deque<Answer> answers;
    Answer questionAnswer = Answer::Cancel;
    // Results of the next file dialogs, in order; nothing (cancelled) when empty.
    std::deque<std::optional<QString>> chosenFiles;

    QList<Message> messages;
    QStringList fileFilters;
    QMap<QString, QString> settings;
    QStringList openedFiles;
    QString clipboard;
    int beeps = 0;
};

} // namespace mervasto::test
