#pragma once

#include "app/Desktop.h"

namespace mervasto::bench {

// A Desktop for timing the windows: nothing blocks and nothing leaves the process. Questions
// are answered Yes (a builder overwrites its table); the message boxes are counted, so that a
// benchmark can tell that a window went down its error path.
class SilentDesktop : public Desktop {
public:
    Answer showMessage(QWidget* parent, const QString& text, const QString& title, Icon icon,
                       Buttons buttons) override;
    void beep() override {}
    void setClipboardText(const QString&) override {}
    std::optional<QString> chooseOpenFile(QWidget*, const QString&) override { return {}; }
    std::optional<QString> readSetting(const QString&) override { return {}; }
    void writeSetting(const QString&, const QString&) override {}
    void openWithViewer(const QString&) override {}

    int messagesShown = 0;
};

} // namespace mervasto::bench
