#pragma once

#include <QUrl>
#include <QtGlobal>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QNetworkAccessManager;

namespace mervasto {

enum class DownloadFailure {
    None,
    HttpStatus, // the server answered with an error status
    HtmlPage,   // a web page came where a file was expected
    TooLarge,   // more bytes than the limit, announced or received
    TimedOut,   // no byte arrived for the stall timeout
    Cancelled,  // cancel() was called
    Connection, // refused, name not found, closed early, any other network error
    Tls,        // the secure connection failed (certificate, handshake)
    Write,      // the destination could not be written
};

struct DownloadResult {
    DownloadFailure failure = DownloadFailure::None;
    int httpStatus = 0;
    std::string detail; // English, one line, for stderr and logs
    bool ok() const { return failure == DownloadFailure::None; }
};

// Bytes received so far and the whole size (-1 while unknown).
using DownloadProgress = std::function<void(qint64 received, qint64 total)>;

class Downloader {
public:
    virtual ~Downloader() = default;
    // Downloads `url` into `destination`, replacing it. On failure nothing is left there, not
    // even a file that was there before.
    virtual DownloadResult fetch(const QUrl& url, const std::filesystem::path& destination,
                                 const DownloadProgress& progress) = 0;
    // Ends the running fetch() with Cancelled; called from a slot while fetch() runs (a Cancel
    // button, the progress callback). Does nothing when no fetch() runs.
    virtual void cancel() = 0;
};

struct DownloadLimits {
    qint64 maxBytes = 50 * 1024 * 1024; // the postal files are a few megabytes
    std::chrono::milliseconds stallTimeout = std::chrono::seconds(30);
};

// Downloads over HTTP(S) with Qt Network. fetch() waits in a local event loop, so a window
// stays responsive meanwhile; the body goes to the file as it arrives.
class NetworkDownloader final : public Downloader {
public:
    explicit NetworkDownloader(DownloadLimits limits = {});
    ~NetworkDownloader() override;
    NetworkDownloader(const NetworkDownloader&) = delete;
    NetworkDownloader& operator=(const NetworkDownloader&) = delete;

    DownloadResult fetch(const QUrl& url, const std::filesystem::path& destination,
                         const DownloadProgress& progress) override;
    void cancel() override;

private:
    class Transfer; // one fetch's reply, file and event loop
    DownloadLimits limits_;
    std::unique_ptr<QNetworkAccessManager> manager_;
    Transfer* running_ = nullptr;
};

} // namespace mervasto
