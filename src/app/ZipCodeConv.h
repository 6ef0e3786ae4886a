#pragma once

#include "app/InstanceLock.h"
#include "data/TableStamp.h"
#include "download/UpdateServices.h"
#include "search/SearchOutcome.h"
#include "ui/AppContext.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>

#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QWindow;

namespace mervasto {

class ResultListModel;
class SeparatorLine;
class frmAbout;

// The main window: the search text, the search buttons, the result list and the postal code
// of the chosen result, the menus that open the table builders, the help and the About box.
class ZipCodeConv : public QMainWindow {
    Q_OBJECT

public:
    // `instanceLockPath` is the lock that keeps a second copy of the program from starting.
    // `updates` is what the update from the operator's files goes through.
    ZipCodeConv(AppContext& context, UpdateServices& updates, const QString& instanceLockPath,
                QWidget* parent = nullptr);
    ~ZipCodeConv() override;

    // Start-up, before the window is first shown: refuses a second copy, restores the stored
    // position, builds the tables that are due from the postal data the program carries,
    // loads the index, shows the date of its data and notes in the status bar when that data
    // is old. Returns false when another copy runs:
    // the user has been told, nothing has been stored, and this window must not be shown.
    bool Form_Load();

    // The text of the status bar's first panel.
    QString statusText() const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Controls and menus.
    void createControls();
    void createTextBoxes(QWidget* client);
    void createButtons(QWidget* client);
    void createLabels(QWidget* client);
    void createResultList(QWidget* client);
    void createStatusBar();
    void createSeparatorLines(QWidget* client);
    void setTabOrderAndEnterKeys();
    void describeControls();
    void describeResultCount();
    void createMenus();
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                         void (ZipCodeConv::*handler)());

    // The window's own events.
    void restorePosition();
    void buildCarriedTables();
    void loadIndex();
    void showDataDate();
    void noteOldData();
    void Form_Resize();
    void Form_Activate();
    void followReplacedTables();
    void Form_QueryUnload();
    void watchOtherWindows(QWindow* focusWindow);

    // The search and its result.
    void Command4_Click();
    void showSearching(const QString& text);
    SearchOutcome searchWholeTables();
    void reloadIndexIfReplaced();
    void showSearchProgress(const ResultLines& linesSoFar);
    void clearResult();
    void List2_Click();
    void Command3_Click();
    void Command1_Click();
    void Check1_Click();
    void setStatusText(const QString& text);

    // The menu commands.
    void mnuNew_Click();
    void mnuNew2_Click();
    void mnuBatch_Click();
    void mnuUpdate_Click();
    void mnuRevert_Click();
    void enableRevert();
    void mnuClose_Click();
    void mnuEditUndo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuHTmlhelp_Click();
    void mnuAbout_Click();

    AppContext& context_;
    UpdateServices& updates_;
    InstanceLock instanceLock_;
    QAction* mnuRevert_ = nullptr; // disabled while no previous set is kept
    // The ZIPID1.txt that the index in memory was loaded from; another one on the disk means
    // a build elsewhere has replaced the tables.
    std::optional<IndexFileStamp> loadedIndex_;
    // Since the result list last showed the lines of a running text pass.
    QElapsedTimer sinceListShown_;

    QLabel* Label1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QListView* List2 = nullptr;
    QLabel* Label2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLineEdit* Text4 = nullptr;
    QPushButton* Command5 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* statusPanel1_ = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* Label3 = nullptr;
    SeparatorLine* Line1 = nullptr;
    SeparatorLine* Line2 = nullptr;
    ResultListModel* resultLines_ = nullptr;

    QPointer<QDialog> nationalBuilder_;
    QPointer<QDialog> officeBuilder_;
    QPointer<QDialog> batchConverter_;
    QPointer<frmAbout> about_;

    bool shownBefore_ = false;
    bool otherWindowWasActive_ = false;
    bool warningOpen_ = false;
};

} // namespace mervasto
