#pragma once

#include "download/AddressSettings.h"
#include "download/FileDownload.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace mervasto::test {

// Serves files of the test's own from addresses, or fails as told; keeps the addresses asked.
// An address it does not know fails as a 404 would.
class FakeDownloader final : public Downloader {
public:
    void serve(const QString& url, const std::filesystem::path& file) { files_[url] = file; }
    void fail(const QString& url, DownloadFailure failure) { failures_[url] = failure; }

    DownloadResult fetch(const QUrl& url, const std::filesystem::path& destination,
                         const DownloadProgress& progress) override {
        fetched.push_back(url.toString());
        const QString address = url.toString();
        if (const auto failure = failures_.find(address); failure != failures_.end())
            return {failure->second, 0, "could not download " + address.toStdString() + ": failed"};
        const auto file = files_.find(address);
        if (file == files_.end())
            return {DownloadFailure::HttpStatus, 404, "HTTP 404 Not Found"};
        std::filesystem::remove(destination);
        std::filesystem::copy_file(file->second, destination);
        const auto size = static_cast<qint64>(std::filesystem::file_size(destination));
        if (progress)
            progress(size, size);
        return {};
    }
    void cancel() override {}

    std::vector<QString> fetched;

private:
    std::map<QString, std::filesystem::path> files_;
    std::map<QString, DownloadFailure> failures_;
};

// Settings that hold what the test puts in them.
class FakeAddressSettings final : public AddressSettings {
public:
    std::optional<QString> value(std::string_view key) const override {
        const auto found = values.find(std::string(key));
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    std::map<std::string, QString> values;
};

} // namespace mervasto::test
