#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace mervasto {

// Everything the windows ask of the desktop: message boxes, the beep, the clipboard, the file
// dialog, the stored settings and the shell. The program uses QtDesktop; tests use a fake that
// answers at once, so no test ever blocks on a modal dialog or touches the user's settings.
class Desktop {
public:
    enum class Icon { None, Information, Question, Critical };
    enum class Buttons { Ok, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Desktop() = default;

    virtual Answer showMessage(QWidget* parent, const QString& text, const QString& title,
                               Icon icon, Buttons buttons) = 0;
    virtual void beep() = 0;
    // Clears the clipboard, then puts `text` on it as plain text.
    virtual void setClipboardText(const QString& text) = 0;
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseOpenFile(QWidget* parent, const QString& filter) = 0;
    // Values of the per-user settings of application "Mervasto", e.g. "Settings/MainLeft".
    virtual std::optional<QString> readSetting(const QString& key) = 0;
    virtual void writeSetting(const QString& key, const QString& value) = 0;
    // Opens a file with the desktop's associated viewer; failures are silent.
    virtual void openWithViewer(const QString& path) = 0;
};

} // namespace mervasto
