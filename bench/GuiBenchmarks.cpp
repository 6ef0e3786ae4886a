// mervasto-bench-gui: the windows' worst cases, offscreen. The main window's search for "-"
// (every line of the national list) until the list holds every line and has been painted, and
// the national builder dialog's whole build, and the address-list dialog's whole conversion.

#include "BenchmarkArguments.h"
#include "FakeDownloader.h"
#include "WidgetTestSupport.h"

#include "FakeDownloader.h"
#include "app/BatchConvertDialog.h"
#include "app/ZipCodeConv.h"
#include "builders/dialogs/ZipCodeConv1.h"
#include "data/Filest.h"
#include "ui/AppContext.h"
#include "ui/JapaneseFont.h"

#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <filesystem>
#include <memory>
#include <string>

namespace mervasto::bench {

namespace {

using test::findControl;
using test::PaintCounter;
using test::settle;

// Nothing blocks and nothing leaves the process; questions are answered Yes (a builder
// overwrites its table), and every message box is recorded, so that a benchmark can tell that
// a window went down its error path.
test::FakeDesktop silentDesktop() {
    test::FakeDesktop desktop;
    desktop.questionAnswer = Desktop::Answer::Yes;
    return desktop;
}

// The main window as the program starts it: index loaded, shown.
struct MainWindowSession {
    explicit MainWindowSession(const BenchmarkArguments& arguments)
        : context{desktop, filest, arguments.tables},
          window(
              context, updates,
              QString::fromStdU16String((arguments.tables / "mervasto-bench.lock").u16string())) {
        if (!window.Form_Load())
            qFatal("the main window did not start");
        window.show();
        settle();
    }

    test::FakeDesktop desktop = silentDesktop();
    Filest filest;
    AppContext context;
    test::FakeDownloader downloader;
    test::FakeAddressSettings addressSettings;
    UpdateServices updates{downloader, addressSettings};
    ZipCodeConv window;
};

// From the click on the search button with "-" in Text2 until the list model holds every
// line found and the list's viewport has painted them. Each search starts from a cleared
// window (the next-search button), as a user's first search does.
void mainWindowTextPass(benchmark::State& state, const BenchmarkArguments& arguments) {
    MainWindowSession session(arguments);
    auto* const text2 = findControl<QLineEdit>(session.window, "Text2");
    auto* const command4 = findControl<QPushButton>(session.window, "Command4");
    auto* const command1 = findControl<QPushButton>(session.window, "Command1");
    auto* const list2 = findControl<QListView>(session.window, "List2");
    const auto* const painted = new PaintCounter(list2->viewport());

    int lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        command1->click();
        settle();
        text2->setText(QStringLiteral("-"));
        const int paintsBefore = painted->paints;
        state.ResumeTiming();

        command4->click();
        list2->viewport()->repaint();

        lines = list2->model()->rowCount();
        if (lines == 0 || painted->paints == paintsBefore || !session.desktop.messages.isEmpty()) {
            state.SkipWithError("the list was not filled and painted");
            return;
        }
    }
    state.SetLabel(std::to_string(lines) + " lines");
}

// The national builder dialog's start button with KEN_ALL.CSV in its path box, until the
// build has completed (the done button shown). The tables go into the work directory.
void nationalDialogBuild(benchmark::State& state, const BenchmarkArguments& arguments) {
    test::FakeDesktop desktop = silentDesktop();
    Filest filest;
    AppContext context{desktop, filest, arguments.workDir};
    ZipCodeConv1 dialog(context);
    dialog.show();
    settle();
    findControl<QLineEdit>(dialog, "Text1")
        ->setText(QString::fromStdU16String(arguments.nationalCsv.u16string()));
    auto* const done = findControl<QPushButton>(dialog, "Command3");

    for (auto _ : state) {
        state.PauseTiming();
        done->hide();
        state.ResumeTiming();

        dialog.Command1_Click();

        if (done->isHidden()) {
            state.SkipWithError("the build did not complete");
            return;
        }
    }
}

// The address-list dialog's start button with the list in its path box and the first row
// taken as the header, until the conversion has ended (the start button enabled again) and
// the converted list is written into the work directory.
void addressListDialogConversion(benchmark::State& state, const BenchmarkArguments& arguments) {
    test::FakeDesktop desktop = silentDesktop();
    Filest filest;
    AppContext context{desktop, filest, arguments.tables};
    BatchConvertDialog dialog(context);
    dialog.show();
    settle();
    findControl<QLineEdit>(dialog, "Text1")
        ->setText(QString::fromStdU16String(arguments.addressList.u16string()));
    findControl<QLineEdit>(dialog, "Text3")
        ->setText(QString::fromStdU16String((arguments.workDir / "converted.csv").u16string()));
    findControl<QCheckBox>(dialog, "Check1")->setChecked(true);
    auto* const start = findControl<QPushButton>(dialog, "Command1");

    for (auto _ : state) {
        start->click();
        while (!start->isEnabled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);

        if (!std::filesystem::exists(arguments.workDir / "converted.csv")) {
            state.SkipWithError("the conversion wrote no list");
            return;
        }
    }
}

void registerBenchmarks(const BenchmarkArguments& arguments) {
    benchmark::RegisterBenchmark("gui_text_pass", mainWindowTextPass, arguments)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    if (!arguments.nationalCsv.empty() && !arguments.workDir.empty())
        benchmark::RegisterBenchmark("gui_national_build", nationalDialogBuild, arguments)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    if (!arguments.addressList.empty() && !arguments.workDir.empty())
        benchmark::RegisterBenchmark("gui_address_list", addressListDialogConversion, arguments)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
}

} // namespace

} // namespace mervasto::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(mervasto::japaneseFont(9));

    return mervasto::bench::runBenchmarks(argc, argv, mervasto::bench::registerBenchmarks);
}
