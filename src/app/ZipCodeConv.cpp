// The main window's life: start-up, activation, resizing and closing.

#include "app/ZipCodeConv.h"

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

ZipCodeConv::ZipCodeConv(AppContext& context, const QString& instanceLockPath, QWidget* parent)
    : QMainWindow(parent), context_(context), instanceLock_(instanceLockPath) {
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
        const TableLock tables = lockWholeTables(context_.dataDir);
        loadedIndex_ = indexFileStamp(context_.dataDir);
        if (!loadIndexTable(context_.dataDir, context_.filest.indexTable))
            return;
        const QFileInfo indexFile(toQString(resolveTablePath(context_.dataDir, TableFile::Index)));
        Label3->setText(QStringLiteral("郵便番号ﾃﾞｰﾀﾌｧｲﾙの更新日：") +
                        generalDate(indexFile.lastModified()));
    } catch (const std::exception&) {
        // Start-up goes on without the index; the activation check tells the user.
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
