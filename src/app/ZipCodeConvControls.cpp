// The main window's controls: their names, captions, places, fonts and first states.

#include "app/EnterKeyNavigator.h"
#include "app/InputMethod.h"
#include "app/ResultListModel.h"
#include "app/ResultListView.h"
#include "app/SeparatorLine.h"
#include "app/WindowText.h"
#include "app/ZipCodeConv.h"
#include "ui/ImmediateAccessKeys.h"
#include "ui/JapaneseFont.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSizePolicy>
#include <QStatusBar>

namespace mervasto {

namespace {

constexpr int ClientWidth = 8820;
constexpr int ClientHeight = 5715;
constexpr int StatusBarHeight = 375;
constexpr int InitialLineLength = 8520;
// The 17 controls of the window and the 15 items of its menus.
constexpr int ControlCount = 32;

QLineEdit* textBox(QWidget* client, const char* name, QRect twips, double pointSize) {
    auto* const box = placeControl(new QLineEdit(client), name, twips);
    box->setFont(japaneseFont(pointSize));
    return box;
}

QPushButton* button(QWidget* client, const char* name, const QString& caption, QRect twips) {
    return placeControl(new QPushButton(caption, client), name, twips);
}

} // namespace

void ZipCodeConv::createControls() {
    setWindowTitle(WindowText::caption());
    setFont(japaneseFont(9));
    auto* const client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    createLabels(client);
    createTextBoxes(client);
    createButtons(client);
    createResultList(client);
    createSeparatorLines(client);
    createStatusBar();
    createMenus();
    setTabOrderAndEnterKeys();
    describeControls();
    pressAccessKeysAtOnce(this);

    resize(twipsToPixels(ClientWidth),
           menuBar()->sizeHint().height() + twipsToPixels(ClientHeight));
}

void ZipCodeConv::createLabels(QWidget* client) {
    Label1 =
        placeControl(new QLabel(QStringLiteral("検索する住所・地名を入力して下さい。(&A)"), client),
                     "Label1", twipsRect(480, 240, 3255, 255));
    Label2 = placeControl(new QLabel(QStringLiteral("郵便番号"), client), "Label2",
                          twipsRect(480, 1080, 1335, 255));
    Label3 = placeControl(new QLabel(QStringLiteral("Label3"), client), "Label3",
                          twipsRect(3840, 5040, 4335, 255));
    Label3->setTextFormat(Qt::PlainText);
    QPalette grey = Label3->palette();
    grey.setColor(QPalette::WindowText, grey.color(QPalette::Dark));
    Label3->setPalette(grey);

    ProgressBar1 =
        placeControl(new QProgressBar(client), "ProgressBar1", twipsRect(3240, 960, 3495, 255));
    ProgressBar1->hide();
}

void ZipCodeConv::createTextBoxes(QWidget* client) {
    Text2 = textBox(client, "Text2", twipsRect(480, 480, 6255, 375), 11.25);
    Text2->setToolTip(WindowText::addressKeyTip());
    useFullWidthHiraganaOnFocus(Text2);
    Label1->setBuddy(Text2);

    Text1 = textBox(client, "Text1", twipsRect(480, 1320, 2415, 420), 14.25);
    QPalette lightRed = Text1->palette();
    lightRed.setColor(QPalette::Base, QColor(255, 192, 192));
    Text1->setPalette(lightRed);

    Text4 = textBox(client, "Text4", twipsRect(480, 1800, 6255, 375), 11.25);

    Check1 =
        placeControl(new QCheckBox(QStringLiteral("事業所の個別郵便番号を検索する。(&C)"), client),
                     "Check1", twipsRect(3840, 220, 3615, 255));
    connect(Check1, &QCheckBox::toggled, this, &ZipCodeConv::Check1_Click);
}

void ZipCodeConv::createButtons(QWidget* client) {
    Command4 =
        button(client, "Command4", QStringLiteral("検索開始(&I)"), twipsRect(6840, 480, 1455, 375));
    Command1 =
        button(client, "Command1", QStringLiteral("次の検索(&N)"), twipsRect(6840, 960, 1455, 375));
    Command5 =
        button(client, "Command5", QStringLiteral("中止(&S)"), twipsRect(5160, 1320, 1455, 375));
    Command5->hide();
    Command5->setEnabled(false);
    Command2 =
        button(client, "Command2", QStringLiteral("Command2"), twipsRect(6840, 1920, 1455, 180));
    Command2->hide();
    Command3 = button(client, "Command3", QStringLiteral("クリップボードへコピー"),
                      twipsRect(3120, 1320, 1935, 375));
    Command3->setEnabled(false);

    connect(Command4, &QPushButton::clicked, this, &ZipCodeConv::Command4_Click);
    connect(Command1, &QPushButton::clicked, this, &ZipCodeConv::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &ZipCodeConv::Command3_Click);
}

void ZipCodeConv::createResultList(QWidget* client) {
    auto* const list =
        placeControl(new ResultListView(client), "List2", twipsRect(480, 2280, 7815, 2730));
    list->setFont(japaneseFont(11.25));
    resultLines_ = new ResultListModel(list);
    list->setModel(resultLines_);
    connect(list, &ResultListView::lineChosen, this, &ZipCodeConv::List2_Click);
    List2 = list;
}

void ZipCodeConv::createSeparatorLines(QWidget* client) {
    // The separator under the menu bar: a dark line with a white one below it.
    Line1 = placeControl(new SeparatorLine(1, client), "Line1",
                         QRect(0, 0, twipsToPixels(InitialLineLength), 1));
    Line2 = placeControl(new SeparatorLine(Qt::white, 1, client), "Line2",
                         QRect(0, 1, twipsToPixels(InitialLineLength), 1));
}

void ZipCodeConv::createStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(twipsToPixels(StatusBarHeight));
    statusPanel1_ = new QLabel(StatusBar1);
    statusPanel1_->setObjectName(QStringLiteral("Panel1"));
    // The panel shows typed text: never as markup.
    statusPanel1_->setTextFormat(Qt::PlainText);
    statusPanel1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // A long note is cut at the window's edge instead of widening the window.
    statusPanel1_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusBar1->addWidget(statusPanel1_, 1);
    setStatusBar(StatusBar1);
}

void ZipCodeConv::setTabOrderAndEnterKeys() {
    QWidget* const inTabOrder[] = {Label1,     Text2,  Command4,     Command1, Text1,
                                   List2,      Label2, ProgressBar1, Text4,    Command5,
                                   StatusBar1, Check1, Command2,     Command3, Label3};
    auto* const enterKeys = new EnterKeyNavigator(ControlCount, this);
    enterKeys->watchWindow(this);
    QWidget* previous = nullptr;
    int tabIndex = 0;
    for (QWidget* const control : inTabOrder) {
        enterKeys->addControl(control, tabIndex++);
        if (control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, control);
        previous = control;
    }
    Text2->setFocus();
}

} // namespace mervasto
