// The main window's life: start-up, activation, resizing and closing.

#include "app/ZipCodeConv.h"

#include "app/CarriedBuildWindow.h"
#include "app/GeneralDate.h"
#include "app/SeparatorLine.h"
#include "app/WindowPosition.h"
#include "app/WindowText.h"
#include "app/frmAbout.h"
#include "search/SearchText.h"
#include "ui/PathText.h"

#include "data/IndexLoader.h"
#include "data/TableCommit.h"
#include "data/TablePaths.h"
#include "data/TableSources.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <exception>

namespace mervasto {

ZipCodeConv::ZipCodeConv(AppContext& context, UpdateServices& updates,
                         const QString& instanceLockPath, QWidget* parent)
    : QMainWindow(parent), context_(context), updates_(updates), instanceLock_(instanceLockPath) {
    setObjectName(QStringLiteral("ZipCodeConv"));
    createControls();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &ZipCodeConv::watchOtherWindows);
}

ZipCodeConv::~ZipCodeConv() {
    // Windows that outlived this one, closed or not, go with it.
    delete officeBuilder_;
    delete about_;
}

bool ZipCodeConv::Form_Load() {
    if (!instanceLock_.acquire()) {
        // The refused copy ends without storing anything: the position in the settings is
        // the running copy's.
        context_.desktop.showMessage(this, WindowText::alreadyRunning(),
                                     WindowText::alreadyRunningTitle(), Desktop::Icon::Critical,
                                     Desktop::Buttons::Ok);
        return false;
    }
    restorePosition();
    loadIndex();
    enableRevert(); // start-up may have replaced the tables
    noteOldData();
    return true;
}

// The stored position, unless it would put the title bar where the user cannot reach it.
void ZipCodeConv::restorePosition() {
    const int titleBarHeight = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    move(reachablePosition(readWindowPosition(context_.desktop), size() + QSize(0, titleBarHeight),
                           titleBarHeight));
}

void ZipCodeConv::loadIndex() {
    try {
        recoverInterruptedCommit(context_.dataDir);
        buildCarriedTables();
        const TableLock tables = lockWholeTables(context_.dataDir);
        loadedIndex_ = indexFileStamp(context_.dataDir);
        if (loadIndexTable(context_.dataDir, context_.filest.indexTable))
            showDataDate();
    } catch (const std::exception&) {
        // Start-up goes on without the index; the activation check tells the user.
    }
}

// The tables that are missing, or that came with an older installation, from the postal data
// the program carries. A failure is told once; start-up then goes on as without tables.
void ZipCodeConv::buildCarriedTables() {
    const auto due = carriedBuildsDue(context_.dataDir, findCarriedData(context_.programDir));
    if (due.empty())
        return;
    const BuildOutcome outcome = CarriedBuildWindow(this).build(due, context_.dataDir);
    if (outcome.result == BuildResult::Completed)
        return;
    context_.desktop.showMessage(
        this,
        WindowText::carriedBuildFailed(toQString(context_.dataDir),
                                       QString::fromStdString(outcome.detail)),
        QString::fromUtf16(SearchText::ErrorTitle), Desktop::Icon::Critical, Desktop::Buttons::Ok);
}

// The date of the data the national tables were built from; for tables that keep no record
// of it, the time their index was written.
void ZipCodeConv::showDataDate() {
    const TableSources sources = readTableSources(context_.dataDir);
    const QDateTime date =
        sources.national
            ? toQDateTime(sources.national->dataDate)
            : QFileInfo(toQString(resolveTablePath(context_.dataDir, TableFile::Index)))
                  .lastModified();
    Label3->setText(WindowText::dataDateCaption() + generalDate(date));
}

void ZipCodeConv::noteOldData() {
    const TableSources sources = readTableSources(context_.dataDir);
    if (!sources.national ||
        !isOlderThanThreeMonths(sources.national->dataDate, toLocalDateTime(context_.now())))
        return;
    setStatusText(WindowText::oldData(generalDate(toQDateTime(sources.national->dataDate))));
}

// A builder or another program may have replaced the tables since the index was loaded: the
// index and the date label follow, as a search would make them.
void ZipCodeConv::followReplacedTables() {
    try {
        const TableLock tables = lockWholeTables(context_.dataDir);
        reloadIndexIfReplaced();
    } catch (const std::exception&) {
        // The next search tells what is wrong with the tables.
    }
}

QString ZipCodeConv::statusText() const {
    return statusPanel1_->text();
}

bool ZipCodeConv::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && otherWindowWasActive_) {
        otherWindowWasActive_ = false;
        // Once the activation has been handled: the warning is a modal message box.
        QTimer::singleShot(0, this, &ZipCodeConv::Form_Activate);
    }
    return QMainWindow::event(event);
}

void ZipCodeConv::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownBefore_)
        return;
    shownBefore_ = true;
    // After the window has appeared, so that the warning stands in front of it.
    QTimer::singleShot(0, this, &ZipCodeConv::Form_Activate);
}

void ZipCodeConv::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void ZipCodeConv::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}

void ZipCodeConv::Form_Resize() {
    const int width = centralWidget()->width();
    Line1->resize(width, Line1->height());
    Line2->resize(width, Line2->height());
}

void ZipCodeConv::Form_Activate() {
    followReplacedTables();
    if (warningOpen_ || !context_.filest.indexTable.Key[0].empty())
        return;
    warningOpen_ = true;
    context_.desktop.showMessage(this, WindowText::noIndex(),
                                 QString::fromUtf16(SearchText::ErrorTitle),
                                 Desktop::Icon::Question, Desktop::Buttons::Ok);
    warningOpen_ = false;
}

// The activation check runs again when the user comes back from another window of the program
// (a builder, the About box), not when the window gets the focus back from another program or
// from a message box, its own warning above all.
void ZipCodeConv::watchOtherWindows(QWindow* focusWindow) {
    if (!focusWindow || focusWindow == windowHandle() || warningOpen_)
        return;
    const Qt::WindowType type = focusWindow->type();
    if (type != Qt::Window && type != Qt::Dialog)
        return;
    for (QWidget* const window : QApplication::topLevelWidgets()) {
        if (window->windowHandle() == focusWindow && !qobject_cast<QMessageBox*>(window))
            otherWindowWasActive_ = true;
    }
}

void ZipCodeConv::Form_QueryUnload() {
    storeWindowPosition(context_.desktop, pos());
}

} // namespace mervasto
