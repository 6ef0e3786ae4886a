#pragma once

#include "WidgetTestSupport.h"
#include "builders/dialogs/TableBuilderDialog.h"

#include <QString>

#include <memory>
#include <string>

// A data directory, shared state and a fake desktop for one builder dialog test.
struct DialogTestHarness : mervasto::test::WindowContext {
    mervasto::test::TempDir inputDir;

    // "ZipCodeConv1" or "ZipCodeConv3".
    std::unique_ptr<mervasto::TableBuilderDialog> makeDialog(const QString& name);

    // Cp932 as the operator writes it; Utf8Lossy: UTF-8 with one character per row that CP932
    // cannot hold (at the end of the row's last quoted item).
    enum class Encoding { Cp932, Utf8Lossy };

    // Writes a small input file for the named dialog (rows 1 to `rows` of a fixed set) and
    // returns its path as the user would type it. The input lies under a Japanese folder name.
    QString writeInput(const QString& dialogName, int rows, Encoding encoding = Encoding::Cp932);

    // The names and bytes of every file in the data directory.
    std::string snapshot() const;
};
