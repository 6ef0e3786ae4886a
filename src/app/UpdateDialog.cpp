#include "app/UpdateDialog.h"

#include "builders/UpdateText.h"
#include "ui/AppContext.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace mervasto {

namespace {

QString stageText(UpdateStage stage) {
    switch (stage) {
    case UpdateStage::DownloadingNational:
        return QStringLiteral("全国版の郵便番号データをダウンロードしています...");
    case UpdateStage::DownloadingOffices:
        return QStringLiteral("事業所の個別郵便番号データをダウンロードしています...");
    case UpdateStage::Building:
        break;
    }
    return QStringLiteral("郵便番号表を作成しています...");
}

// Whether the failure suggests that the operator moved its files.
bool addressMayHaveMoved(const UpdateRunOutcome& outcome) {
    return outcome.download == DownloadFailure::HtmlPage ||
           outcome.download == DownloadFailure::HttpStatus ||
           (outcome.download == DownloadFailure::None &&
            outcome.update.result == UpdateResult::Refused);
}

} // namespace

// The stage on the label, the bytes of a download or the builds' progress on the bar; the
// window is repainted as they go, since the builds run on this thread.
class UpdateDialog::Progress final : public UpdateProgress {
public:
    explicit Progress(UpdateDialog& dialog) : dialog_(dialog) {}

    void stage(UpdateStage stage) override {
        dialog_.stage_->setText(stageText(stage));
        dialog_.cancel_->setEnabled(stage != UpdateStage::Building);
        dialog_.progressBar_->setRange(0, 0);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void received(qint64 bytes, qint64 total) override {
        if (total <= 0)
            return;
        dialog_.progressBar_->setRange(0, 1000);
        dialog_.progressBar_->setValue(static_cast<int>(bytes * 1000 / total));
    }
    void setRange(int minimum, int maximum) override {
        dialog_.progressBar_->setRange(minimum, maximum);
    }
    void setValue(int value) override {
        dialog_.progressBar_->setValue(std::min(value, dialog_.progressBar_->maximum()));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    UpdateDialog& dialog_;
};

UpdateDialog::UpdateDialog(AppContext& context, UpdateServices& services, QWidget* parent)
    : QDialog(parent), context_(context), services_(services) {
    setObjectName(QStringLiteral("UpdateDialog"));
    setWindowTitle(QString::fromUtf16(UpdateText::Title));
    createControls();
}

void UpdateDialog::createControls() {
    stage_ = new QLabel(this);
    stage_->setObjectName(QStringLiteral("Label1"));
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setTextVisible(false);
    report_ = new QPlainTextEdit(this);
    report_->setObjectName(QStringLiteral("Text1"));
    report_->setReadOnly(true);
    report_->setMinimumSize(480, 240);
    cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel_->setObjectName(QStringLiteral("Command2"));
    close_ = new QPushButton(QStringLiteral("閉じる"), this);
    close_->setObjectName(QStringLiteral("Command3"));
    close_->setEnabled(false);
    connect(cancel_, &QPushButton::clicked, this, [this] { services_.downloader.cancel(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* const buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    buttons->addWidget(close_);
    auto* const layout = new QVBoxLayout(this);
    layout->addWidget(stage_);
    layout->addWidget(progressBar_);
    layout->addWidget(report_);
    layout->addLayout(buttons);
}

void UpdateDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_)
        return;
    started_ = true;
    QTimer::singleShot(0, this, &UpdateDialog::runUpdate);
}

// Escape and the title bar's close button cancel a download, and close only once it is over.
void UpdateDialog::reject() {
    if (running_) {
        services_.downloader.cancel();
        return;
    }
    QDialog::reject();
}

void UpdateDialog::runUpdate() {
    const auto choice = chooseDownloadAddresses(services_.settings, std::nullopt, std::nullopt);
    if (const auto* invalid = std::get_if<InvalidAddress>(&choice)) {
        showOutcome({{UpdateResult::Failed, invalid->message, {}}, DownloadFailure::None});
        return;
    }
    running_ = true;
    Progress progress(*this);
    const auto outcome = mervasto::runUpdate(
        services_.downloader, std::get<DownloadAddresses>(choice), context_.dataDir,
        [this](const ChangeReport& report) { return confirmShrink(report); }, progress);
    running_ = false;
    showOutcome(outcome);
}

bool UpdateDialog::confirmShrink(const ChangeReport& report) {
    return context_.desktop.showMessage(
               this, QString::fromStdU16String(UpdateText::shrinkQuestion(report)),
               QString::fromUtf16(UpdateText::Title), Desktop::Icon::Question,
               Desktop::Buttons::YesNoCancel) == Desktop::Answer::Yes;
}

void UpdateDialog::showOutcome(const UpdateRunOutcome& outcome) {
    const UpdateOutcome& update = outcome.update;
    replaced_ = update.result == UpdateResult::Completed;
    QString text;
    switch (update.result) {
    case UpdateResult::Completed:
        text = QString::fromUtf16(UpdateText::Updated) + u'\n' +
               QString::fromStdU16String(formatChangeReport(update.report));
        break;
    case UpdateResult::Unchanged:
        text = QString::fromUtf16(UpdateText::Unchanged);
        break;
    case UpdateResult::Declined:
        text = QString::fromStdU16String(formatChangeReport(update.report));
        break;
    case UpdateResult::Refused:
    case UpdateResult::Failed:
        text = QString::fromUtf16(UpdateText::NotUpdated) + u'\n';
        if (addressMayHaveMoved(outcome))
            text += QString::fromUtf16(UpdateText::AddressMayHaveMoved) + u'\n';
        text += QString::fromStdString(update.detail);
        break;
    }
    // The outcome on the label, its details below.
    stage_->setText(outcome.cancelled() ? QStringLiteral("キャンセルしました。")
                                        : text.section(u'\n', 0, 0));
    report_->setPlainText(text.section(u'\n', 1));
    progressBar_->setRange(0, 1);
    progressBar_->setValue(replaced_ ? 1 : 0);
    cancel_->setEnabled(false);
    close_->setEnabled(true);
    close_->setDefault(true);
    close_->setFocus();
}

} // namespace mervasto
