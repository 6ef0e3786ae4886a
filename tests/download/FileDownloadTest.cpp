// Downloads from a local server that answers well, with errors, with web pages, too much, too
// slowly or not at all: the file arrives byte for byte or the failure is named and nothing is
// left at the destination.
#include "download/FileDownload.h"
#include "LocalHttpServer.h"
#include "TestFiles.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

namespace mervasto {
namespace {

using test::HttpAnswer;
using test::LocalHttpServer;
using test::TempDir;
using namespace std::chrono_literals;

// Small limits, so that the failures come at once: a stalled server fails after a second.
constexpr DownloadLimits testLimits{256 * 1024, 1s};

// Every byte value, as a zip file holds them.
QByteArray zipLikeBody() {
    QByteArray body = "PK\x03\x04";
    for (int round = 0; round < 400; ++round) {
        for (int byte = 0; byte < 256; ++byte) {
            body += static_cast<char>(byte);
        }
    }
    return body;
}

std::string asString(const QByteArray& bytes) {
    return bytes.toStdString();
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct FetchCase {
    const char* name;
    std::vector<std::pair<QByteArray, HttpAnswer>> answers; // the download is of "/file"
    DownloadFailure failure;
    int httpStatus;
    std::string detailPart;
};

void PrintTo(const FetchCase& fetchCase, std::ostream* out) {
    *out << fetchCase.name;
}

class FetchTest : public ::testing::TestWithParam<FetchCase> {
protected:
    DownloadResult fetchFile(const FetchCase& fetchCase, const std::filesystem::path& target) {
        for (const auto& [path, answer] : fetchCase.answers) {
            server_.answer(path, answer);
        }
        NetworkDownloader downloader(testLimits);
        return downloader.fetch(server_.url("/file"), target, {});
    }

    LocalHttpServer server_;
};

TEST_P(FetchTest, DeliversTheFileOrNamesTheFailure) {
    const FetchCase& fetchCase = GetParam();
    const TempDir dir;
    const auto target = dir / "ken_all.zip";
    test::writeBytes(target, "an older download");

    const DownloadResult result = fetchFile(fetchCase, target);

    EXPECT_EQ(result.failure, fetchCase.failure) << result.detail;
    EXPECT_EQ(result.httpStatus, fetchCase.httpStatus) << result.detail;
    EXPECT_TRUE(contains(result.detail, fetchCase.detailPart)) << result.detail;
    if (result.ok()) {
        EXPECT_EQ(test::readBytes(target), asString(zipLikeBody()));
    } else {
        EXPECT_FALSE(std::filesystem::exists(target));
        EXPECT_EQ(test::listDirectory(dir.path()), "") << "a partial file was left";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Download, FetchTest,
    ::testing::Values(FetchCase{"WholeFile",
                                {{"/file", HttpAnswer::file(zipLikeBody())}},
                                DownloadFailure::None,
                                200,
                                {}},
                      FetchCase{"RedirectFollowed",
                                {{"/file", HttpAnswer::redirect(QUrl("/moved/ken_all.zip"))},
                                 {"/moved/ken_all.zip", HttpAnswer::file(zipLikeBody())}},
                                DownloadFailure::None,
                                200,
                                {}},
                      FetchCase{"NotFound",
                                {},
                                DownloadFailure::HttpStatus,
                                404,
                                "HTTP 404 Not Found from http://127.0.0.1"},
                      FetchCase{"Gone",
                                {{"/file", HttpAnswer::error(410, "<html>gone</html>")}},
                                DownloadFailure::HttpStatus,
                                410,
                                "the download address may have moved"},
                      FetchCase{"ServerError",
                                {{"/file", HttpAnswer::error(500, "oops")}},
                                DownloadFailure::HttpStatus,
                                500,
                                "HTTP 500 Internal Server Error"},
                      FetchCase{"WebPageByType",
                                {{"/file", HttpAnswer::file("PK but not really",
                                                            "Text/HTML; charset=utf-8")}},
                                DownloadFailure::HtmlPage,
                                200,
                                "a web page instead of a zip file"},
                      FetchCase{"WebPageByContent",
                                {{"/file", HttpAnswer::file(" \r\n\t<!DOCTYPE html><p>moved</p>",
                                                            "application/octet-stream")}},
                                DownloadFailure::HtmlPage,
                                200,
                                "the download address may have moved"},
                      FetchCase{"TooLargeAnnounced",
                                {{"/file", HttpAnswer::hugeLength(10'000'000'000)}},
                                DownloadFailure::TooLarge,
                                200,
                                "is 10000000000 bytes, more than the 262144 bytes allowed"},
                      FetchCase{"TooLargeWhileArriving",
                                {{"/file", HttpAnswer::endless()}},
                                DownloadFailure::TooLarge,
                                200,
                                "is more than the 262144 bytes allowed"},
                      FetchCase{"Truncated",
                                {{"/file", HttpAnswer::truncated(zipLikeBody(), 200'000)}},
                                DownloadFailure::Connection,
                                200,
                                "could not download"},
                      FetchCase{"SilentServer",
                                {{"/file", HttpAnswer::silent()}},
                                DownloadFailure::TimedOut,
                                0,
                                "no data from http://127.0.0.1"},
                      FetchCase{"SilentAfterHeaders",
                                {{"/file", HttpAnswer::hugeLength(1000)}},
                                DownloadFailure::TimedOut,
                                200,
                                "for 1 s"}),
    [](const auto& info) { return info.param.name; });

TEST(FetchTest, SendsTheUserAgentTheOperatorExpects) {
    LocalHttpServer server;
    server.answer("/file", HttpAnswer::file(zipLikeBody()));
    const TempDir dir;
    NetworkDownloader downloader(testLimits);
    ASSERT_TRUE(downloader.fetch(server.url("/file"), dir / "a.zip", {}).ok());
    EXPECT_EQ(server.lastUserAgent(), "Mozilla/5.0 (compatible; Mervasto)");
}

TEST(FetchTest, ReportsProgressUpToTheWholeSize) {
    LocalHttpServer server;
    server.answer("/file", HttpAnswer::file(zipLikeBody()));
    const TempDir dir;
    NetworkDownloader downloader(testLimits);
    std::vector<std::pair<qint64, qint64>> reports;
    const auto record = [&reports](qint64 received, qint64 total) {
        reports.emplace_back(received, total);
    };
    ASSERT_TRUE(downloader.fetch(server.url("/file"), dir / "a.zip", record).ok());
    ASSERT_FALSE(reports.empty());
    const qint64 size = zipLikeBody().size();
    EXPECT_EQ(reports.back(), std::pair(size, size));
}

TEST(FetchTest, CancelFromTheProgressCallbackEndsTheDownload) {
    LocalHttpServer server;
    server.answer("/file", HttpAnswer::endless());
    const TempDir dir;
    NetworkDownloader downloader(testLimits);
    int reports = 0;
    const DownloadResult result =
        downloader.fetch(server.url("/file"), dir / "a.zip", [&](qint64, qint64 total) {
            EXPECT_EQ(total, -1);
            ++reports;
            downloader.cancel();
        });
    EXPECT_EQ(result.failure, DownloadFailure::Cancelled) << result.detail;
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(test::listDirectory(dir.path()), "");
}

TEST(FetchTest, RefusedConnectionIsAConnectionFailure) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress(QHostAddress::LocalHost), 0));
    const QUrl url(QStringLiteral("http://127.0.0.1:%1/file").arg(closed.serverPort()));
    closed.close();
    const TempDir dir;
    NetworkDownloader downloader(testLimits);
    const DownloadResult result = downloader.fetch(url, dir / "a.zip", {});
    EXPECT_EQ(result.failure, DownloadFailure::Connection) << result.detail;
    EXPECT_TRUE(contains(result.detail, "could not download " + url.toString().toStdString()))
        << result.detail;
    EXPECT_EQ(test::listDirectory(dir.path()), "");
}

TEST(FetchTest, RefusedHandshakeIsATlsFailure) {
    // Answers the client's hello with a fatal handshake_failure alert and hangs up.
    QTcpServer refusing;
    ASSERT_TRUE(refusing.listen(QHostAddress(QHostAddress::LocalHost), 0));
    QObject::connect(&refusing, &QTcpServer::newConnection, &refusing, [&refusing] {
        QTcpSocket* socket = refusing.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            socket->readAll();
            socket->write(QByteArray::fromHex("15030300020228"));
            socket->disconnectFromHost();
        });
    });
    const TempDir dir;
    NetworkDownloader downloader(testLimits);
    const DownloadResult result = downloader.fetch(
        QUrl(QStringLiteral("https://127.0.0.1:%1/file").arg(refusing.serverPort())), dir / "a.zip",
        {});
    EXPECT_EQ(result.failure, DownloadFailure::Tls) << result.detail;
    EXPECT_EQ(test::listDirectory(dir.path()), "");
}

TEST(FetchTest, UnwritableDestinationIsAWriteFailure) {
    LocalHttpServer server;
    server.answer("/file", HttpAnswer::file(zipLikeBody()));
    const TempDir dir;
    NetworkDownloader downloader(testLimits);
    const DownloadResult result =
        downloader.fetch(server.url("/file"), dir / "missing" / "a.zip", {});
    EXPECT_EQ(result.failure, DownloadFailure::Write) << result.detail;
}

} // namespace
} // namespace mervasto
