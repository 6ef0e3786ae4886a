#include "CliHarness.h"
#include "FakeDownloader.h"
#include "MonthOfData.h"
#include "cli/MervastoCli.h"
#include "data/Utf8.h"
#include "download/UpdateServices.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace mervasto::test {
namespace {

const QString National = "http://127.0.0.1:1/ken_all.zip";
const QString Offices = "http://127.0.0.1:1/jigyosyo.zip";

class UpdateCommand : public ::testing::Test {
protected:
    UpdateCommand() {
        serveMonth("september", {codeRange(1000001, 100), codeRange(1008001, 5), {}});
        dataDir = root / "tables";
    }

    void serveMonth(const std::string& name, const MonthOfData& month) {
        const fs::path dir = root / name;
        fs::create_directories(dir);
        month.writeZips(dir);
        downloader.serve(National, dir / "ken_all.zip");
        downloader.serve(Offices, dir / "jigyosyo.zip");
    }

    CliRun run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"mervasto-cli", "--data-dir", nameText(dataDir)});
        CapturingConsole console("");
        UpdateServices services{downloader, settings};
        console.written.status = cli::runCli(arguments, console, executableDirectory(), &services);
        return console.written;
    }

    CliRun update() {
        return run({"update", "--yes", "--national", National.toStdString(), "--offices",
                    Offices.toStdString()});
    }

    TempDir root;
    fs::path dataDir;
    FakeDownloader downloader;
    FakeAddressSettings settings;
};

TEST_F(UpdateCommand, ReportsTheChangesOfANewMonthAndRevertsThem) {
    ASSERT_EQ(update().status, 0);
    const auto september = filesIn(dataDir);
    serveMonth("october", {codeRange(1000011, 93), codeRange(1008001, 5), {}});

    const auto updated = update();
    EXPECT_EQ(updated.status, 0) << updated.err;
    EXPECT_NE(updated.out.find("廃止された郵便番号: 10 件\n  100-0001 東京都千代田区町1000001\n"),
              std::string::npos)
        << updated.out;
    EXPECT_NE(updated.out.find("追加された郵便番号: 3 件\n"), std::string::npos);
    EXPECT_NE(updated.out.find("郵便番号データを更新しました。"), std::string::npos);

    EXPECT_EQ(run({"update", "--revert", "--yes"}).status, 0);
    auto reverted = filesIn(dataDir);
    auto expected = september;
    reverted.erase("TableSources.txt"); // its generation counts on
    expected.erase("TableSources.txt");
    EXPECT_EQ(reverted, expected);
}

TEST_F(UpdateCommand, TheSameMonthAgainSaysSoAndChangesNothing) {
    ASSERT_EQ(update().status, 0);
    const auto before = filesIn(dataDir);
    const auto again = update();
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, "郵便番号データは最新です。変更はありません。\n");
    EXPECT_EQ(filesIn(dataDir), before);
}

struct FailedDownload {
    const char* name;
    DownloadFailure failure;
    int status;
};

const FailedDownload FailedDownloads[] = {
    {"HtmlPage", DownloadFailure::HtmlPage, 1},
    {"Cancelled", DownloadFailure::Cancelled, 1},
    {"TimedOut", DownloadFailure::TimedOut, 2},
    {"Tls", DownloadFailure::Tls, 2},
};

class UpdateCommandFailure : public UpdateCommand,
                             public ::testing::WithParamInterface<FailedDownload> {};

TEST_P(UpdateCommandFailure, LeavesTheTablesAndSaysWhy) {
    ASSERT_EQ(update().status, 0);
    const auto before = filesIn(dataDir);
    downloader.fail(Offices, GetParam().failure);
    const auto failed = update();
    EXPECT_EQ(failed.status, GetParam().status);
    EXPECT_NE(failed.err.find("could not download http://127.0.0.1:1/jigyosyo.zip: failed"),
              std::string::npos)
        << failed.err;
    EXPECT_EQ(filesIn(dataDir), before);
}

INSTANTIATE_TEST_SUITE_P(Downloads, UpdateCommandFailure, ::testing::ValuesIn(FailedDownloads),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UpdateCommand, TheSettingsAddressesServeWhenNoOptionIsGiven) {
    settings.values["Update/NationalUrl"] = National;
    settings.values["Update/OfficesUrl"] = Offices;
    EXPECT_EQ(run({"update", "--yes"}).status, 0);
    EXPECT_EQ(downloader.fetched, (std::vector<QString>{National, Offices}));
}

TEST_F(UpdateCommand, NothingToRevertIsSaid) {
    const auto reverted = run({"update", "--revert", "--yes"});
    EXPECT_EQ(reverted.status, 1);
    EXPECT_EQ(reverted.err, "戻せる以前の郵便番号データがありません。\n");
}

TEST_F(UpdateCommand, AShrinkingListIsNotTakenWithoutATerminalOrYes) {
    ASSERT_EQ(update().status, 0);
    const auto before = filesIn(dataDir);
    serveMonth("cut", {codeRange(1000001, 50), codeRange(1008001, 5), {}});
    const auto declined =
        run({"update", "--national", National.toStdString(), "--offices", Offices.toStdString()});
    EXPECT_EQ(declined.status, 1);
    EXPECT_EQ(filesIn(dataDir), before);
}

} // namespace
} // namespace mervasto::test
