#pragma once

#include "FakeDownloader.h"
#include "WidgetTestSupport.h"
#include "app/ZipCodeConv.h"

#include <QString>
#include <QWidget>

#include <memory>

// A main window on a temporary data directory, with a fake desktop and its own instance lock.
struct WindowHarness : mervasto::test::WindowContext {
    mervasto::test::TempDir lockDir;
    mervasto::test::FakeDownloader downloader;
    mervasto::test::FakeAddressSettings addressSettings;
    mervasto::UpdateServices updates{downloader, addressSettings};
    std::unique_ptr<mervasto::ZipCodeConv> window;

    // The national and office tables of the search fixtures.
    void writeTables();
    QString lockPath() const;

    // Creates the window and runs its start-up; returns what Form_Load returned.
    bool load();
    // Creates, starts and shows the window, and waits until it is active.
    void start();

    template <typename Widget = QWidget> Widget* control(const char* name) const {
        return mervasto::test::findControl<Widget>(*window, name);
    }
};

// Types `text` into the search box and presses Enter twice, as a user starts a search.
void searchFromKeyboard(WindowHarness& harness, const QString& text);
