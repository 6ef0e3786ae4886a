// The main window's menus and their commands.

#include "app/BatchConvertDialog.h"
#include "app/EditCommand.h"
#include "app/WindowText.h"
#include "app/ZipCodeConv.h"
#include "app/frmAbout.h"
#include "ui/PathText.h"

#include "builders/dialogs/ZipCodeConv1.h"
#include "builders/dialogs/ZipCodeConv3.h"
#include "data/HelpFile.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <exception>

namespace mervasto {

namespace {

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* const menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

void addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

void showInFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

// Shows a modal window that `open` keeps track of, made by `make`, until it closes; while it
// is open, the same command only brings it to the front.
template <typename Make> void execOnce(QPointer<QDialog>& open, Make make) {
    if (open) {
        showInFront(open);
        return;
    }
    open = make();
    open->exec();
    delete open;
}

// The busy pointer while the shell starts the help viewer; the normal one again on every way
// out.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

void ZipCodeConv::createMenus() {
    QMenuBar* const bar = menuBar();

    QMenu* const mnuFile = addMenu(bar, "mnuFile", QStringLiteral("ﾌｧｲﾙ(&F)"));
    addMenuItem(mnuFile, "mnuNew", QStringLiteral("全国版の郵便番号表作成(&K)"),
                &ZipCodeConv::mnuNew_Click);
    addMenuItem(mnuFile, "mnuNew2", QStringLiteral("事業所の個別郵便番号表作成(&C)"),
                &ZipCodeConv::mnuNew2_Click);
    addMenuItem(mnuFile, "mnuBatch", WindowText::batchMenuItem(), &ZipCodeConv::mnuBatch_Click);
    addMenuItem(mnuFile, "mnuUpdate", WindowText::updateMenuItem(), &ZipCodeConv::mnuUpdate_Click);
    mnuRevert_ = addMenuItem(mnuFile, "mnuRevert", WindowText::revertMenuItem(),
                             &ZipCodeConv::mnuRevert_Click);
    connect(mnuFile, &QMenu::aboutToShow, this, &ZipCodeConv::enableRevert);
    enableRevert();
    addSeparator(mnuFile, "mnuBar1");
    addMenuItem(mnuFile, "mnuClose", QStringLiteral("閉じる(&X)"), &ZipCodeConv::mnuClose_Click);

    QMenu* const mnuEdit = addMenu(bar, "mnuEdit", QStringLiteral("編集(&E)"));
    addMenuItem(mnuEdit, "mnuEditUndo", QStringLiteral("元に戻す(&U)"),
                &ZipCodeConv::mnuEditUndo_Click);
    addSeparator(mnuEdit, "mnuBar");
    addMenuItem(mnuEdit, "mnuEditCut", QStringLiteral("切り取り(&T)"),
                &ZipCodeConv::mnuEditCut_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    addMenuItem(mnuEdit, "mnuEditCopy", QStringLiteral("ｺﾋﾟｰ(&C)"), &ZipCodeConv::mnuEditCopy_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    addMenuItem(mnuEdit, "mnuEditPaste", QStringLiteral("貼り付け(&P)"),
                &ZipCodeConv::mnuEditPaste_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));

    QMenu* const mnuHelp = addMenu(bar, "mnuHelp", QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    addMenuItem(mnuHelp, "mnuHTmlhelp", QStringLiteral("目次とｷｰﾜｰﾄﾞ(&H)"),
                &ZipCodeConv::mnuHTmlhelp_Click);
    addSeparator(mnuHelp, "mnuBar2");
    addMenuItem(mnuHelp, "mnuAbout", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"),
                &ZipCodeConv::mnuAbout_Click);
}

QAction* ZipCodeConv::addMenuItem(QMenu* menu, const char* name, const QString& caption,
                                  void (ZipCodeConv::*handler)()) {
    QAction* const item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    connect(item, &QAction::triggered, this, handler);
    return item;
}

void ZipCodeConv::mnuNew_Click() {
    execOnce(nationalBuilder_, [this] { return new ZipCodeConv1(context_, this); });
}

void ZipCodeConv::mnuNew2_Click() {
    if (!officeBuilder_) {
        // Without a parent: it is a window of its own, which keeps the program running
        // after the main window has closed.
        officeBuilder_ = new ZipCodeConv3(context_);
        officeBuilder_->setAttribute(Qt::WA_DeleteOnClose);
    }
    showInFront(officeBuilder_);
}

// Modal, like the national builder: the index it searches cannot be rebuilt while it runs.
void ZipCodeConv::mnuBatch_Click() {
    execOnce(batchConverter_, [this] { return new BatchConvertDialog(context_, this); });
}

void ZipCodeConv::mnuClose_Click() {
    close();
}

void ZipCodeConv::mnuEditUndo_Click() {
    applyToFocusedTextBox(EditCommand::Undo);
}
void ZipCodeConv::mnuEditCut_Click() {
    applyToFocusedTextBox(EditCommand::Cut);
}
void ZipCodeConv::mnuEditCopy_Click() {
    applyToFocusedTextBox(EditCommand::Copy);
}
void ZipCodeConv::mnuEditPaste_Click() {
    applyToFocusedTextBox(EditCommand::Paste);
}

void ZipCodeConv::mnuHTmlhelp_Click() {
    const BusyPointer busy;
    try {
        context_.desktop.openWithViewer(toQString(findHelpFile(context_.programDir)));
    } catch (const std::exception&) {
        // No help to show; the shell would not have shown any either.
    }
}

void ZipCodeConv::mnuAbout_Click() {
    if (!about_) {
        // Without a parent, like the office builder.
        about_ = new frmAbout;
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    showInFront(about_);
}

} // namespace mervasto
