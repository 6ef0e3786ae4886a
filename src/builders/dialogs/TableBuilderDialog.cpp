#include "builders/dialogs/TableBuilderDialog.h"
#include "builders/BuildText.h"

#include "builders/dialogs/ProgressBarAdapter.h"
#include "ui/AccessibleNames.h"
#include "ui/AppContext.h"
#include "ui/ImmediateAccessKeys.h"
#include "ui/JapaneseFont.h"
#include "ui/PathText.h"
#include "ui/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace mervasto {

namespace {

constexpr int ClientWidth = 7020;
constexpr int ClientHeight = 2040;
constexpr int ButtonLeft = 4800;

const QString InputFilter = QStringLiteral("CSVファイル(*.csv)|*.csv|ZIPファイル(*.zip)|*.zip");

OverwriteAnswer toOverwriteAnswer(Desktop::Answer answer) {
    switch (answer) {
    case Desktop::Answer::Yes:
        return OverwriteAnswer::Yes;
    case Desktop::Answer::No:
        return OverwriteAnswer::No;
    default:
        return OverwriteAnswer::Cancel;
    }
}

} // namespace

TableBuilderDialog::TableBuilderDialog(AppContext& context, const TableBuilderLook& look,
                                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), context_(context) {
    setObjectName(look.objectName);
    setWindowTitle(look.caption);
    setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));
    setFont(japaneseFont(9));
    createControls(look);
    describeControls(look);
    setTabOrderAndFocus();
    pressAccessKeysAtOnce(this);

    connect(Command1, &QPushButton::clicked, this, &TableBuilderDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &TableBuilderDialog::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &TableBuilderDialog::Command3_Click);
}

void TableBuilderDialog::createControls(const TableBuilderLook& look) {
    Label1 = placeControl(new QLabel(look.prompt, this), "Label1",
                          twipsRect(360, 240, look.promptWidth, 375));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A font wider than the one the layout was drawn for must not cut the prompt short.
    Label1->resize(std::max(Label1->width(), Label1->sizeHint().width()), Label1->height());

    Text1 = placeControl(new QLineEdit(this), "Text1", twipsRect(360, 480, 4335, 375));

    Command2 = placeControl(new QPushButton(QStringLiteral("参照(&B)"), this), "Command2",
                            twipsRect(ButtonLeft, 480, look.buttonWidth, 375));

    Command1 = placeControl(new QPushButton(QStringLiteral("開始(&S)"), this), "Command1",
                            twipsRect(ButtonLeft, 1080, look.buttonWidth, 375));

    ProgressBar1 =
        placeControl(new QProgressBar(this), "ProgressBar1", twipsRect(360, 1080, 4335, 255));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setValue(0);

    Command3 = placeControl(new QPushButton(QStringLiteral("完了(&X)"), this), "Command3",
                            twipsRect(ButtonLeft, 1560, look.buttonWidth, 375));
    Command3->hide();

    // Says, after a build from a UTF-8 file, how many characters the tables could not hold.
    Label2 = placeControl(new QLabel(this), "Label2", twipsRect(360, 1440, 4335, 495));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setWordWrap(true);
    Label2->hide();
}

// What a screen reader says of each control: the path box is named by its prompt.
void TableBuilderDialog::describeControls(const TableBuilderLook& look) {
    nameButtonsByCaption(this);
    Text1->setAccessibleName(look.prompt);
    Text1->setAccessibleDescription(QStringLiteral("変換する CSV ファイルのフルパス"));
    Command2->setAccessibleDescription(
        QStringLiteral("CSV ファイルを選んで、そのパスを入力します。"));
    Command1->setAccessibleDescription(QStringLiteral("CSV ファイルから表の作成を始めます。"));
    Command3->setAccessibleDescription(QStringLiteral("このウィンドウを閉じます。"));
    ProgressBar1->setAccessibleName(QStringLiteral("進行状況"));
    ProgressBar1->setAccessibleDescription(QStringLiteral("表の作成の進み具合"));
}

void TableBuilderDialog::setTabOrderAndFocus() {
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Text1);
    setTabOrder(Text1, Command3);
    Command1->setFocus();
}

void TableBuilderDialog::keyPressEvent(QKeyEvent* event) {
    // A focused button has taken its Enter already; what reaches the dialog would press its
    // default button, and these dialogs have none. Esc would close the dialog, which only the
    // done button, the close box and the answer Cancel do.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Start: runs one build from the file named in Text1; an empty Text1 does nothing.
void TableBuilderDialog::Command1_Click() {
    if (Text1->text().isEmpty())
        return;
    apply(runBuild());
}

// Browse: a cancelled file dialog leaves Text1 as it was.
void TableBuilderDialog::Command2_Click() {
    if (const auto chosen = context_.desktop.chooseOpenFile(this, InputFilter))
        Text1->setText(*chosen);
}

// Done: closes the dialog (ends exec() when shown modally).
void TableBuilderDialog::Command3_Click() {
    close();
}

BuildOutcome TableBuilderDialog::runBuild() {
    ProgressBarAdapter progress(*ProgressBar1);
    const AskOverwrite ask = [this](const std::u16string& question) {
        return askOverwrite(question);
    };
    return build(toPath(Text1->text()), ask, progress);
}

OverwriteAnswer TableBuilderDialog::askOverwrite(const std::u16string& question) {
    return toOverwriteAnswer(context_.desktop.showMessage(
        this, QString::fromStdU16String(question), QString::fromUtf16(BuildText::QuestionTitle),
        Desktop::Icon::Information, Desktop::Buttons::YesNoCancel));
}

void TableBuilderDialog::apply(const BuildOutcome& outcome) {
    switch (outcome.result) {
    case BuildResult::Completed:
        ProgressBar1->setValue(ProgressBar1->maximum());
        showSubstitutions(outcome.substituted);
        context_.desktop.beep();
        Command3->show();
        break;
    case BuildResult::Declined:
        break;
    case BuildResult::Cancelled:
        close();
        break;
    case BuildResult::Refused:
    case BuildResult::Failed:
        context_.desktop.showMessage(this, QString::fromUtf16(BuildText::ErrorMessage),
                                     QString::fromUtf16(BuildText::ErrorTitle),
                                     Desktop::Icon::Information, Desktop::Buttons::Ok);
        break;
    }
}

void TableBuilderDialog::showSubstitutions(std::size_t count) {
    Label2->setText(QString::fromStdU16String(BuildText::substitutionNotice(count)));
    Label2->setVisible(count > 0);
}

} // namespace mervasto
