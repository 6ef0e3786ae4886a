// The main window's search: the search button, the result list, the copy button, the
// next-search button and the mode switch.

#include "app/ResultListModel.h"
#include "app/WindowText.h"
#include "app/ZipCodeConv.h"
#include "data/DataError.h"
#include "data/IndexLoader.h"
#include "data/PostalCode.h"
#include "data/TableCommit.h"
#include "ui/AppIdentity.h"

#include "search/Search.h"
#include "search/SearchMatch.h"
#include "search/SearchText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace mervasto {

namespace {

QString fromCore(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// What the status panel says while a search runs: the office search has a shorter text of its
// own; an empty key ends the search at once with its own text.
QString searchingText(bool officeMode, bool emptyKey) {
    return QString::fromUtf16(officeMode && !emptyKey ? SearchText::SearchingOffices
                                                      : SearchText::Searching);
}

} // namespace

void ZipCodeConv::Command4_Click() {
    showSearching(searchingText(Check1->isChecked(), Text2->text().isEmpty()));
    clearResult();
    const SearchOutcome outcome = searchWholeTables();

    resultLines_->showLines(outcome.lines);
    Text1->setText(fromCore(outcome.code));
    Command3->setEnabled(outcome.copyEnabled);
    if (outcome.message) {
        context_.desktop.showMessage(this, fromCore(outcome.message->text),
                                     fromCore(outcome.message->title), Desktop::Icon::Question,
                                     Desktop::Buttons::Ok);
    }
    setStatusText(fromCore(outcome.status));
    if (outcome.beep)
        context_.desktop.beep();
    if (outcome.buttonsEnabled) {
        Command4->setEnabled(true);
        Command1->setEnabled(true);
    }
    if (outcome.focusText2)
        Text2->setFocus();
}

// The search runs without returning to the event loop: the panel is painted now, so that it
// does not show the last search's outcome while this one runs or reports an error. The text
// pass starts with the same text; no intermediate status is shown before it.
void ZipCodeConv::showSearching(const QString& text) {
    setStatusText(text);
    statusPanel1_->repaint();
}

// The search holds the tables so that no build replaces them while it reads, and searches the
// set on the disk: when a build elsewhere has replaced it, its index is loaded first. Tables
// that a build left half replaced and that cannot be put right are not searched at all.
SearchOutcome ZipCodeConv::searchWholeTables() {
    try {
        const TableLock tables = lockWholeTables(context_.dataDir);
        reloadIndexIfReplaced();
        sinceListShown_.start();
        return runSearch(context_.dataDir, context_.filest.indexTable,
                         Text2->text().toStdU16String(), Check1->isChecked(),
                         [this](const auto& linesSoFar) { showSearchProgress(linesSoFar); });
    } catch (const DataError& error) {
        SearchOutcome outcome;
        abortSearch(outcome,
                    Check1->isChecked() ? SearchText::OfficeTableMissing
                                        : SearchText::AddressTableMissing,
                    error.what());
        return outcome;
    }
}

void ZipCodeConv::reloadIndexIfReplaced() {
    const auto onDisk = indexFileStamp(context_.dataDir);
    if (onDisk == loadedIndex_)
        return;
    loadedIndex_ = onDisk;
    if (loadIndexTable(context_.dataDir, context_.filest.indexTable))
        showDataDate();
}

// The text pass reports the lines found so far now and then. The list shows them a few times a
// second: a long pass is seen growing, and a short one spends no time laying out and painting
// lines that the next report brings again.
void ZipCodeConv::showSearchProgress(const ResultLines& linesSoFar) {
    constexpr qint64 ShowEveryMs = 100;
    if (sinceListShown_.elapsed() < ShowEveryMs)
        return;
    resultLines_->showLines(linesSoFar);
    List2->doItemsLayout();
    List2->viewport()->repaint();
    sinceListShown_.restart();
}

void ZipCodeConv::clearResult() {
    resultLines_->clear();
    Text1->clear();
    Text4->clear();
    Command3->setEnabled(false);
}

void ZipCodeConv::List2_Click() {
    const QModelIndexList chosen = List2->selectionModel()->selectedIndexes();
    const QString line = chosen.isEmpty() ? QString() : resultLines_->line(chosen.first().row());
    Text4->setText(line);
    // The line begins with its postal code: show the beginning, not the padding at its end.
    Text4->setCursorPosition(0);
    Text1->setText(QString::fromStdU16String(leadingPostalCode(line.toStdU16String())));
    Command3->setEnabled(true);
}

// Copying an empty box would wipe what the user has on the clipboard and report it as copied.
void ZipCodeConv::Command3_Click() {
    if (Text1->text().isEmpty()) {
        context_.desktop.beep();
        return;
    }
    context_.desktop.setClipboardText(Text1->text());
    context_.desktop.showMessage(this, WindowText::copied(), appTitle(), Desktop::Icon::None,
                                 Desktop::Buttons::Ok);
}

void ZipCodeConv::Command1_Click() {
    Text2->clear();
    Text1->clear();
    Text4->clear();
    Command3->setEnabled(false);
    resultLines_->clear();
    Text2->setFocus();
}

void ZipCodeConv::Check1_Click() {
    Text2->setToolTip(Check1->isChecked() ? WindowText::officeKeyTip()
                                          : WindowText::addressKeyTip());
}

void ZipCodeConv::setStatusText(const QString& text) {
    statusPanel1_->setText(text);
    statusPanel1_->setToolTip(text); // the whole of a note cut at the window's edge
}

} // namespace mervasto
