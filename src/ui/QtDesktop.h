#pragma once

#include "ui/Desktop.h"

namespace mervasto {

// The desktop of the running program: Qt's message boxes, beep, clipboard, file dialog and
// settings store, and the desktop's associated viewers.
class QtDesktop : public Desktop {
public:
    Answer showMessage(QWidget* parent, const QString& text, const QString& title, Icon icon,
                       Buttons buttons) override;
    void beep() override;
    void setClipboardText(const QString& text) override;
    std::optional<QString> chooseOpenFile(QWidget* parent, const QString& filter) override;
    std::optional<QString> readSetting(const QString& key) override;
    void writeSetting(const QString& key, const QString& value) override;
    void openWithViewer(const QString& path) override;
};

} // namespace mervasto
