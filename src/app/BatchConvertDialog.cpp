#include "app/BatchConvertDialog.h"

#include "app/ListPreview.h"
#include "app/WindowText.h"
#include "data/OutputPath.h"
#include "search/AddressListConversion.h"
#include "ui/AccessibleNames.h"
#include "ui/AppContext.h"
#include "ui/AppIdentity.h"
#include "ui/ImmediateAccessKeys.h"
#include "ui/JapaneseFont.h"
#include "ui/PathText.h"
#include "ui/Twips.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

namespace mervasto {

namespace {

constexpr int ClientWidth = 7020;
constexpr int ClientHeight = 5700;
constexpr int ButtonLeft = 4800;
constexpr int ButtonWidth = 1575;
constexpr int FollowIntervalMs = 50;

const QString ListFilter = QStringLiteral("CSVファイル(*.csv)|*.csv|テキストファイル(*.txt)|*.txt");

QLabel* addLabel(QWidget* parent, const QString& text, const char* name, QRect place) {
    auto* const label = placeControl(new QLabel(text, parent), name, place);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QTableWidget* createPreview(QWidget* parent) {
    auto* const table =
        placeControl(new QTableWidget(parent), "Table1", twipsRect(360, 1440, 6015, 1800));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectColumns);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->horizontalHeader()->setSectionsClickable(true);
    table->setAccessibleName(WindowText::batchPreviewName());
    return table;
}

} // namespace

BatchConvertDialog::BatchConvertDialog(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), context_(context),
      jobTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("BatchConvertDialog"));
    setWindowTitle(WindowText::batchCaption());
    setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));
    setFont(japaneseFont(9));
    createControls();
    setRunning(false);

    jobTimer_->setInterval(FollowIntervalMs);
    connect(jobTimer_, &QTimer::timeout, this, &BatchConvertDialog::followJob);
    connect(Command1, &QPushButton::clicked, this, &BatchConvertDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &BatchConvertDialog::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &BatchConvertDialog::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &QDialog::close);
    connect(Command5, &QPushButton::clicked, this, &BatchConvertDialog::Command5_Click);
    connect(Text1, &QLineEdit::textEdited, this, &BatchConvertDialog::Text1_Edited);
    connect(Text1, &QLineEdit::editingFinished, this, &BatchConvertDialog::showPreview);
    connect(Text2, &QSpinBox::valueChanged, this, &BatchConvertDialog::Text2_Changed);
    connect(Table1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &BatchConvertDialog::chooseColumn);
    connect(Table1, &QTableWidget::currentCellChanged, this,
            [this](int, int column) { chooseColumn(column); });
}

BatchConvertDialog::~BatchConvertDialog() = default;

void BatchConvertDialog::createControls() {
    addLabel(this, WindowText::batchInputPrompt(), "Label1", twipsRect(360, 240, 4335, 255));
    Text1 = placeControl(new QLineEdit(this), "Text1", twipsRect(360, 480, 4335, 375));
    Command2 = placeControl(new QPushButton(QStringLiteral("参照(&B)"), this), "Command2",
                            twipsRect(ButtonLeft, 480, ButtonWidth, 375));

    auto* const columnLabel =
        addLabel(this, WindowText::batchColumnPrompt(), "Label2", twipsRect(360, 1020, 1320, 255));
    Text2 = placeControl(new QSpinBox(this), "Text2", twipsRect(1680, 960, 900, 375));
    Text2->setRange(1, 9999);
    columnLabel->setBuddy(Text2);
    Check1 = placeControl(new QCheckBox(WindowText::batchHeaderOption(), this), "Check1",
                          twipsRect(2760, 960, 1935, 375));
    Table1 = createPreview(this);

    addLabel(this, WindowText::batchOutputPrompt(), "Label3", twipsRect(360, 3420, 4335, 255));
    Text3 = placeControl(new QLineEdit(this), "Text3", twipsRect(360, 3660, 4335, 375));

    ProgressBar1 =
        placeControl(new QProgressBar(this), "ProgressBar1", twipsRect(360, 4320, 4335, 255));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setValue(0);
    Label4 = addLabel(this, QString(), "Label4", twipsRect(360, 4800, 4335, 600));
    Label4->setWordWrap(true);

    Command1 = placeControl(new QPushButton(QStringLiteral("開始(&S)"), this), "Command1",
                            twipsRect(ButtonLeft, 3660, ButtonWidth, 375));
    Command3 = placeControl(new QPushButton(QStringLiteral("中止(&C)"), this), "Command3",
                            twipsRect(ButtonLeft, 4200, ButtonWidth, 375));
    Command5 = placeControl(new QPushButton(WindowText::batchOpenOutput(), this), "Command5",
                            twipsRect(ButtonLeft, 4680, ButtonWidth, 375));
    Command4 = placeControl(new QPushButton(QStringLiteral("閉じる(&X)"), this), "Command4",
                            twipsRect(ButtonLeft, 5160, ButtonWidth, 375));
    Command5->setEnabled(false);
    Text1->setFocus();
    pressAccessKeysAtOnce(this);
    nameButtonsByCaption(this);
    Text1->setAccessibleName(WindowText::batchInputPrompt());
    Text3->setAccessibleName(WindowText::batchOutputPrompt());
    ProgressBar1->setAccessibleName(QStringLiteral("進行状況"));
    Label4->setAccessibleName(WindowText::batchResultName());
}

QString BatchConvertDialog::defaultOutputPath(const QString& inputPath) {
    const QFileInfo input(inputPath);
    return QDir::toNativeSeparators(
        input.dir().filePath(input.completeBaseName() + QStringLiteral("_郵便番号.csv")));
}

void BatchConvertDialog::closeEvent(QCloseEvent* event) {
    job_.reset(); // cancels a running conversion: no output file is left
    jobTimer_->stop();
    QDialog::closeEvent(event);
}

// Start: converts the list named in Text1 into the file named in Text3, never over the list
// and over another file only when the user says so.
void BatchConvertDialog::Command1_Click() {
    if (job_ || Text1->text().isEmpty() || Text3->text().isEmpty() || !outputConfirmed())
        return;
    ProgressBar1->setValue(0);
    Label4->clear();
    Command5->setEnabled(false);
    job_ = std::make_unique<AddressListJob>(
        AddressListJob::Files{toPath(Text1->text()), toPath(Text3->text())},
        AddressListOptions{static_cast<std::size_t>(Text2->value()), Check1->isChecked()},
        context_.dataDir);
    setRunning(true);
    jobTimer_->start();
}

bool BatchConvertDialog::outputConfirmed() {
    switch (classifyOutputPath(toPath(Text1->text()), toPath(Text3->text()))) {
    case OutputPath::Input:
        context_.desktop.showMessage(this, WindowText::batchOutputIsInput(), appTitle(),
                                     Desktop::Icon::Critical, Desktop::Buttons::Ok);
        return false;
    case OutputPath::Existing:
        return context_.desktop.showMessage(this,
                                            QString::fromStdU16String(conversionOverwriteQuestion(
                                                Text3->text().toStdU16String())),
                                            appTitle(), Desktop::Icon::Question,
                                            Desktop::Buttons::YesNoCancel) == Desktop::Answer::Yes;
    case OutputPath::New:
    case OutputPath::Device:
        break;
    }
    return true;
}

// Browse: the chosen list, its first rows, and the output beside it.
void BatchConvertDialog::Command2_Click() {
    if (const auto chosen = context_.desktop.chooseOpenFile(this, ListFilter)) {
        Text1->setText(*chosen);
        Text1_Edited();
        showPreview();
    }
}

// Cancel: the conversion stops between two rows and writes nothing.
void BatchConvertDialog::Command3_Click() {
    if (job_)
        job_->cancel();
}

// Open the result: the output file in the program the desktop opens such files with.
void BatchConvertDialog::Command5_Click() {
    context_.desktop.openWithViewer(Text3->text());
}

void BatchConvertDialog::Text1_Edited() {
    Text3->setText(Text1->text().isEmpty() ? QString() : defaultOutputPath(Text1->text()));
}

void BatchConvertDialog::Text2_Changed(int column) {
    if (column <= Table1->columnCount())
        Table1->selectColumn(column - 1);
}

void BatchConvertDialog::showPreview() {
    showListPreview(*Table1, readListPreview(toPath(Text1->text())));
    Text2_Changed(Text2->value());
}

void BatchConvertDialog::chooseColumn(int column) {
    if (column >= 0)
        Text2->setValue(column + 1);
}

void BatchConvertDialog::followJob() {
    ProgressBar1->setMaximum(static_cast<int>(std::max<std::size_t>(job_->rowCount(), 1)));
    ProgressBar1->setValue(static_cast<int>(job_->rowsDone()));
    if (job_->state() != AddressListJob::State::Running)
        finishJob();
}

void BatchConvertDialog::finishJob() {
    jobTimer_->stop();
    const std::unique_ptr<AddressListJob> job = std::move(job_);
    setRunning(false);
    switch (job->state()) {
    case AddressListJob::State::Completed:
        ProgressBar1->setValue(ProgressBar1->maximum());
        Label4->setText(QString::fromStdU16String(statusCountText(job->statusCounts())));
        Command5->setEnabled(true);
        context_.desktop.beep();
        context_.desktop.showMessage(
            this,
            QString::fromStdU16String(conversionSummaryText(job->rowCount(), job->foundCount())),
            appTitle(), Desktop::Icon::Information, Desktop::Buttons::Ok);
        break;
    case AddressListJob::State::Refused:
        ProgressBar1->setValue(0);
        context_.desktop.showMessage(this, refusalText(job->fault()), appTitle(),
                                     Desktop::Icon::Critical, Desktop::Buttons::Ok);
        break;
    case AddressListJob::State::Failed:
        ProgressBar1->setValue(0);
        context_.desktop.showMessage(this, WindowText::batchFailed(), appTitle(),
                                     Desktop::Icon::Critical, Desktop::Buttons::Ok);
        break;
    default:
        ProgressBar1->setValue(0);
        break;
    }
}

QString BatchConvertDialog::refusalText(AddressListFault fault) const {
    return fault == AddressListFault::OpenQuotedField
               ? WindowText::batchOpenQuotedField()
               : WindowText::batchNoSuchColumn(Text2->value());
}

void BatchConvertDialog::setRunning(bool running) {
    for (QWidget* const control : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Command2),
                                   static_cast<QWidget*>(Text2), static_cast<QWidget*>(Check1),
                                   static_cast<QWidget*>(Table1), static_cast<QWidget*>(Text3),
                                   static_cast<QWidget*>(Command1)})
        control->setEnabled(!running);
    Command3->setEnabled(running);
    if (running)
        Command5->setEnabled(false);
}

} // namespace mervasto
