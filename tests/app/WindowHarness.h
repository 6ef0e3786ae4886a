#pragma once

#include "FakeDesktop.h"
#include "TestFiles.h"
#include "app/AppContext.h"
#include "app/ZipCodeConv.h"
#include "data/Filest.h"

#include <QString>
#include <QWidget>

#include <memory>

// A main window on a temporary data directory, with a fake desktop and its own instance lock.
struct WindowHarness {
    mervasto::test::FakeDesktop desktop;
    mervasto::Filest filest;
    mervasto::test::TempDir dataDir;
    mervasto::test::TempDir lockDir;
    mervasto::AppContext context{desktop, filest, dataDir.path()};
    std::unique_ptr<mervasto::ZipCodeConv> window;

    // The national and office tables of the search fixtures.
    void writeTables();
    QString lockPath() const;

    // Creates the window and runs its start-up; returns what Form_Load returned.
    bool load();
    // Creates, starts and shows the window, and waits until it is active.
    void start();

    template <typename Widget = QWidget> Widget* control(const char* name) const {
        auto* const found = window->findChild<Widget*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
};

// Types `text` into `widget`: ASCII as key presses, everything else as text committed by the
// input method, the way Japanese reaches a text box.
void typeText(QWidget* widget, const QString& text);

// Types `text` into the search box and presses Enter twice, as a user starts a search.
void searchFromKeyboard(WindowHarness& harness, const QString& text);

QString toText(const std::filesystem::path& path);
