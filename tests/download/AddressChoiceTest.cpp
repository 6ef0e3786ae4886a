// Which address each file is downloaded from: the option, else the setting, else the official
// one; anything but an http or https URL is refused with a message naming where it came from.
#include "download/DownloadAddresses.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>

namespace mervasto {
namespace {

class FakeAddressSettings final : public AddressSettings {
public:
    explicit FakeAddressSettings(std::map<std::string_view, QString> values)
        : values_(std::move(values)) {}
    std::optional<QString> value(std::string_view key) const override {
        const auto found = values_.find(key);
        return found != values_.end() ? std::optional(found->second) : std::nullopt;
    }

private:
    std::map<std::string_view, QString> values_;
};

const QString official = QStringLiteral("official");

struct ChoiceCase {
    const char* name;
    std::map<std::string_view, QString> settings;
    std::optional<QString> nationalOption;
    std::optional<QString> officesOption;
    QString national; // the expected address, or `official`
    QString offices;
    std::string errorPart; // when not empty: the choice is refused with this in its message
};

void PrintTo(const ChoiceCase& choiceCase, std::ostream* out) {
    *out << choiceCase.name;
}

class AddressChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

QUrl expected(const QString& address, const QUrl& officialAddress) {
    return address == official ? officialAddress : QUrl(address);
}

TEST_P(AddressChoiceTest, TakesOptionThenSettingThenOfficial) {
    const ChoiceCase& choiceCase = GetParam();
    const AddressChoice choice =
        chooseDownloadAddresses(FakeAddressSettings(choiceCase.settings), choiceCase.nationalOption,
                                choiceCase.officesOption);
    if (!choiceCase.errorPart.empty()) {
        ASSERT_TRUE(std::holds_alternative<InvalidAddress>(choice));
        EXPECT_NE(std::get<InvalidAddress>(choice).message.find(choiceCase.errorPart),
                  std::string::npos)
            << std::get<InvalidAddress>(choice).message;
        return;
    }
    ASSERT_TRUE(std::holds_alternative<DownloadAddresses>(choice))
        << std::get<InvalidAddress>(choice).message;
    const DownloadAddresses& addresses = std::get<DownloadAddresses>(choice);
    const DownloadAddresses officials = defaultDownloadAddresses();
    EXPECT_EQ(addresses.national, expected(choiceCase.national, officials.national));
    EXPECT_EQ(addresses.offices, expected(choiceCase.offices, officials.offices));
}

const QString mirrorNational = QStringLiteral("http://mirror.example/ken_all.zip");
const QString mirrorOffices = QStringLiteral("https://mirror.example/jigyosyo.zip");
const QString optionNational = QStringLiteral("https://option.example/n.zip");

INSTANTIATE_TEST_SUITE_P(
    Download, AddressChoiceTest,
    ::testing::Values(
        ChoiceCase{"NothingGiven", {}, {}, {}, official, official, {}},
        ChoiceCase{"Settings",
                   {{nationalUrlKey, mirrorNational}, {officesUrlKey, mirrorOffices}},
                   {},
                   {},
                   mirrorNational,
                   mirrorOffices,
                   {}},
        ChoiceCase{"OptionBeforeSetting",
                   {{nationalUrlKey, mirrorNational}, {officesUrlKey, mirrorOffices}},
                   optionNational,
                   {},
                   optionNational,
                   mirrorOffices,
                   {}},
        ChoiceCase{"EachFileOnItsOwn",
                   {{officesUrlKey, mirrorOffices}},
                   optionNational,
                   {},
                   optionNational,
                   mirrorOffices,
                   {}},
        ChoiceCase{"BlankSettingIsNone",
                   {{nationalUrlKey, QStringLiteral("  ")}, {officesUrlKey, QString()}},
                   {},
                   {},
                   official,
                   official,
                   {}},
        ChoiceCase{"SurroundingSpaceDropped",
                   {{nationalUrlKey, " " + mirrorNational + "\t"}},
                   {},
                   " " + mirrorOffices + " ",
                   mirrorNational,
                   mirrorOffices,
                   {}},
        ChoiceCase{"OptionNotWeb",
                   {},
                   QStringLiteral("ftp://mirror.example/ken_all.zip"),
                   {},
                   {},
                   {},
                   "national file's address \"ftp://mirror.example/ken_all.zip\" from "
                   "the option"},
        ChoiceCase{"OptionEmpty", {}, {}, QString(), {}, {}, "offices file's address \"\""},
        ChoiceCase{"SettingNotUrl",
                   {{officesUrlKey, QStringLiteral("mirror.example/j.zip")}},
                   {},
                   {},
                   {},
                   {},
                   "from the setting Update/OfficesUrl"},
        ChoiceCase{"NoHost",
                   {{nationalUrlKey, QStringLiteral("https:///ken_all.zip")}},
                   {},
                   {},
                   {},
                   {},
                   "not an http or https URL"},
        ChoiceCase{"BadOptionOverBadSettingIsRefused",
                   {{nationalUrlKey, QStringLiteral("x")}},
                   QStringLiteral("http://exa mple/"),
                   {},
                   {},
                   {},
                   "from the option"},
        ChoiceCase{"GoodOptionOverBadSetting",
                   {{nationalUrlKey, QStringLiteral("x")}},
                   optionNational,
                   {},
                   optionNational,
                   official,
                   {}}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace mervasto
