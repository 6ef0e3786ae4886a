#pragma once

#include "FakeDesktop.h"
#include "TestFiles.h"
#include "data/Filest.h"
#include "ui/AppContext.h"

#include <QObject>
#include <QString>
#include <QWidget>

#include <filesystem>
#include <initializer_list>

namespace mervasto::test {

// What a window needs around it in a test: a fake desktop, the shared tables' state and an
// empty data directory of its own.
struct WindowContext {
    FakeDesktop desktop;
    Filest filest;
    TempDir dataDir;
    AppContext context{desktop, filest, dataDir.path()};
};

// The control named `name` under `root`; a missing control ends the test program.
template <typename Widget = QWidget> Widget* findControl(const QObject& root, const char* name) {
    auto* const found = root.findChild<Widget*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// The text a label, text box or button shows; empty for other widgets.
QString shownText(const QWidget* widget);

// Types `text` into `widget`: ASCII as key presses, everything else as text committed by the
// input method, the way Japanese reaches a text box.
void typeText(QWidget* widget, const QString& text);

// Handles the events that are waiting, a few rounds deep.
void settle();

QString toText(const std::filesystem::path& path);

// Counts the paint events a widget receives from now on.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget);
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Runs each QTest object in turn; the exit status of a test program.
int runTestObjects(int argc, char** argv, std::initializer_list<QObject*> tests);

} // namespace mervasto::test
