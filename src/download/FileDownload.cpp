#include "download/FileDownload.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <system_error>

namespace mervasto {
namespace {

// The operator's server answers a request without a browser-like User-Agent with a 404 page.
const QByteArray userAgent = "Mozilla/5.0 (compatible; Mervasto)";

QString toQString(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

std::string shown(const QUrl& url) {
    return url.toDisplayString().toStdString();
}

std::string seconds(std::chrono::milliseconds duration) {
    return QString::number(static_cast<double>(duration.count()) / 1000.0).toStdString() + " s";
}

bool isBlank(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\f' ||
           byte == '\v';
}

int httpStatusOf(const QNetworkReply& reply) {
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

// The value of a header of the final answer. After a redirect Qt may join the redirect's own
// value and the final one ("text/html, application/zip"): the last one is the answer's.
QByteArray finalHeader(const QNetworkReply& reply, const QByteArray& name) {
    const QByteArray value = reply.rawHeader(name);
    return value.mid(value.lastIndexOf(',') + 1).trimmed();
}

// The announced size, or -1.
qint64 contentLength(const QNetworkReply& reply) {
    bool valid = false;
    const qint64 length = finalHeader(reply, "Content-Length").toLongLong(&valid);
    return valid ? length : -1;
}

DownloadResult httpStatusFailure(const QNetworkReply& reply, const QUrl& url) {
    const int status = httpStatusOf(reply);
    const QString reason = reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    std::string detail = "HTTP " + std::to_string(status);
    if (!reason.isEmpty()) {
        detail += " " + reason.toStdString();
    }
    detail += " from " + shown(url);
    if (status == 404 || status == 410) {
        detail += "; the download address may have moved";
    }
    return {DownloadFailure::HttpStatus, status, detail};
}

DownloadResult writeFailure(const QFileDevice& file) {
    return {DownloadFailure::Write, 0,
            "could not write " + file.fileName().toStdString() + ": " +
                file.errorString().toStdString()};
}

// The outcome of a reply that finished without any failure found on the way.
DownloadResult finishedOutcome(const QNetworkReply& reply, const QUrl& url) {
    const int status = httpStatusOf(reply);
    if (status >= 400) {
        return httpStatusFailure(reply, url);
    }
    if (reply.error() == QNetworkReply::NoError) {
        return {DownloadFailure::None, status, {}};
    }
    const std::string reason = reply.errorString().toStdString();
    if (reply.error() == QNetworkReply::SslHandshakeFailedError) {
        return {DownloadFailure::Tls, status,
                "secure connection to " + shown(url) + " failed: " + reason};
    }
    return {DownloadFailure::Connection, status,
            "could not download " + shown(url) + ": " + reason};
}

} // namespace

class NetworkDownloader::Transfer {
public:
    Transfer(QNetworkReply& reply, QSaveFile& file, const DownloadLimits& limits,
             const DownloadProgress& progress)
        : reply_(reply), file_(file), limits_(limits), progress_(progress) {
        stallTimer_.setSingleShot(true);
        stallTimer_.setInterval(limits.stallTimeout);
        QObject::connect(&stallTimer_, &QTimer::timeout, &loop_, [this] {
            fail({DownloadFailure::TimedOut, 0,
                  "no data from " + shown(url()) + " for " + seconds(limits_.stallTimeout)});
        });
        QObject::connect(&reply_, &QNetworkReply::redirected, &loop_,
                         [this] { stallTimer_.start(); });
        QObject::connect(&reply_, &QNetworkReply::metaDataChanged, &loop_,
                         [this] { takeHeaders(); });
        QObject::connect(&reply_, &QNetworkReply::readyRead, &loop_, [this] { takeBody(); });
        QObject::connect(&reply_, &QNetworkReply::finished, &loop_, [this] { finish(); });
    }

    DownloadResult run() {
        stallTimer_.start();
        while (!finished_) {
            loop_.exec();
        }
        return *outcome_;
    }

    void cancel() {
        fail({DownloadFailure::Cancelled, 0,
              "the download from " + shown(url()) + " was cancelled"});
    }

private:
    QUrl url() const { return reply_.request().url(); }

    void takeHeaders() {
        if (outcome_) {
            return;
        }
        stallTimer_.start();
        const int status = httpStatusOf(reply_);
        if (status >= 300) {
            // A redirect, which Qt follows, or an error status, judged when the reply finishes
            // (aborting now would race Qt's own report of it).
            return;
        }
        total_ = contentLength(reply_);
        if (total_ > limits_.maxBytes) {
            fail(tooLarge(std::to_string(total_) + " bytes, more than"));
            return;
        }
        if (finalHeader(reply_, "Content-Type").toLower().startsWith("text/html")) {
            fail(htmlPage());
        }
    }

    void takeBody() {
        if (outcome_) {
            return;
        }
        stallTimer_.start();
        const QByteArray chunk = reply_.readAll();
        received_ += chunk.size();
        if (received_ > limits_.maxBytes) {
            fail(tooLarge("more than"));
            return;
        }
        if (httpStatusOf(reply_) >= 400) {
            return; // an error page: only its status counts
        }
        if (!bodyStarted_) {
            const auto first = std::find_if_not(chunk.begin(), chunk.end(), isBlank);
            if (first != chunk.end() && *first == '<') {
                fail(htmlPage());
                return;
            }
            bodyStarted_ = first != chunk.end();
        }
        if (file_.write(chunk) != chunk.size()) {
            fail(writeFailure(file_));
            return;
        }
        if (progress_) {
            progress_(received_, total_);
        }
    }

    void finish() {
        if (reply_.bytesAvailable() > 0) {
            takeBody();
        }
        finished_ = true;
        stallTimer_.stop();
        if (!outcome_) {
            outcome_ = finishedOutcome(reply_, url());
        }
        // Qt may end a body cut short by the server without an error.
        if (outcome_->ok() && total_ >= 0 && received_ != total_) {
            outcome_ = {DownloadFailure::Connection, outcome_->httpStatus,
                        "could not download " + shown(url()) + ": the connection closed after " +
                            std::to_string(received_) + " of " + std::to_string(total_) + " bytes"};
        }
        loop_.quit();
    }

    // `size` is what the server announced ("N bytes, more than") or just "more than".
    DownloadResult tooLarge(const std::string& size) const {
        return {DownloadFailure::TooLarge, 0,
                "the file from " + shown(url()) + " is " + size + " the " +
                    std::to_string(limits_.maxBytes) + " bytes allowed"};
    }

    DownloadResult htmlPage() const {
        return {DownloadFailure::HtmlPage, 0,
                shown(url()) + " sent a web page instead of a zip file; the download address may "
                               "have moved"};
    }

    // The first failure stands, with the status the server had sent; the reply is aborted,
    // which finishes it.
    void fail(DownloadResult failure) {
        if (outcome_) {
            return;
        }
        failure.httpStatus = httpStatusOf(reply_);
        outcome_ = std::move(failure);
        stallTimer_.stop();
        reply_.abort();
        loop_.quit();
    }

    QNetworkReply& reply_;
    QSaveFile& file_;
    const DownloadLimits& limits_;
    const DownloadProgress& progress_;
    QEventLoop loop_;
    QTimer stallTimer_;
    std::optional<DownloadResult> outcome_;
    qint64 received_ = 0;
    qint64 total_ = -1;
    bool bodyStarted_ = false; // a byte other than white space has arrived
    bool finished_ = false;
};

NetworkDownloader::NetworkDownloader(DownloadLimits limits)
    : limits_(limits), manager_(std::make_unique<QNetworkAccessManager>()) {
    manager_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

NetworkDownloader::~NetworkDownloader() = default;

DownloadResult NetworkDownloader::fetch(const QUrl& url, const std::filesystem::path& destination,
                                        const DownloadProgress& progress) {
    std::error_code ignored;
    std::filesystem::remove(destination, ignored);
    QSaveFile file(toQString(destination));
    if (!file.open(QIODevice::WriteOnly)) {
        return writeFailure(file);
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent);
    // The body as sent, so that its size is the announced Content-Length (a zip gains nothing
    // from compression anyway).
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    const std::unique_ptr<QNetworkReply> reply(manager_->get(request));

    Transfer transfer(*reply, file, limits_, progress);
    running_ = &transfer;
    DownloadResult result = transfer.run();
    running_ = nullptr;
    if (result.ok() && !file.commit()) {
        return writeFailure(file);
    }
    return result;
}

void NetworkDownloader::cancel() {
    if (running_) {
        running_->cancel();
    }
}

} // namespace mervasto
