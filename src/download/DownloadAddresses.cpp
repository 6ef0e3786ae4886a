#include "download/DownloadAddresses.h"

namespace mervasto {
namespace {

struct AddressSource {
    std::string_view file;       // "national" or "offices"
    std::string_view settingKey; // the setting that overrides it
    QUrl fallback;
};

bool isWebAddress(const QUrl& url) {
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == u"http" || url.scheme() == u"https");
}

// The chosen value and where it came from, or nothing when the default applies.
std::optional<std::pair<QString, std::string>> givenAddress(const AddressSettings& settings,
                                                            const AddressSource& source,
                                                            const std::optional<QString>& option) {
    if (option) {
        return std::pair{option->trimmed(), std::string("the option")};
    }
    const std::optional<QString> setting = settings.value(source.settingKey);
    if (setting && !setting->trimmed().isEmpty()) {
        return std::pair{setting->trimmed(), "the setting " + std::string(source.settingKey)};
    }
    return std::nullopt;
}

std::variant<QUrl, InvalidAddress> chooseAddress(const AddressSettings& settings,
                                                 const AddressSource& source,
                                                 const std::optional<QString>& option) {
    const auto given = givenAddress(settings, source, option);
    if (!given) {
        return source.fallback;
    }
    const auto& [text, origin] = *given;
    const QUrl url(text, QUrl::StrictMode);
    if (!isWebAddress(url)) {
        return InvalidAddress{"the " + std::string(source.file) + " file's address \"" +
                              text.toStdString() + "\" from " + origin +
                              " is not an http or https URL"};
    }
    return url;
}

} // namespace

DownloadAddresses defaultDownloadAddresses() {
    return {QUrl(QStringLiteral("https://www.post.japanpost.jp/service/search/zipcode/download/"
                                "kogaki/zip/ken_all.zip")),
            QUrl(QStringLiteral("https://www.post.japanpost.jp/service/search/zipcode/download/"
                                "office/zip/jigyosyo.zip"))};
}

AddressChoice chooseDownloadAddresses(const AddressSettings& settings,
                                      const std::optional<QString>& nationalOption,
                                      const std::optional<QString>& officesOption) {
    const DownloadAddresses defaults = defaultDownloadAddresses();
    auto national =
        chooseAddress(settings, {"national", nationalUrlKey, defaults.national}, nationalOption);
    if (auto* invalid = std::get_if<InvalidAddress>(&national)) {
        return std::move(*invalid);
    }
    auto offices =
        chooseAddress(settings, {"offices", officesUrlKey, defaults.offices}, officesOption);
    if (auto* invalid = std::get_if<InvalidAddress>(&offices)) {
        return std::move(*invalid);
    }
    return DownloadAddresses{std::get<QUrl>(national), std::get<QUrl>(offices)};
}

} // namespace mervasto
