// What every window uses: file-dialog filters in Qt's form and file names between QString
// and std::filesystem.
#include "ui/FileFilter.h"
#include "ui/PathText.h"

#include <gtest/gtest.h>

#include <ostream>

namespace mervasto {
namespace {

struct FilterCase {
    const char* name;
    QString filter;
    QString qtFilter;
};

void PrintTo(const FilterCase& filterCase, std::ostream* out) {
    *out << filterCase.name;
}

class FileFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileFilterTest, TakesQtForm) {
    EXPECT_EQ(toQtFileFilter(GetParam().filter).toStdString(), GetParam().qtFilter.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Ui, FileFilterTest,
    ::testing::Values(
        FilterCase{"PatternsShown", QStringLiteral("CSVファイル(*.csv)|*.csv"),
                   QStringLiteral("CSVファイル(*.csv)")},
        FilterCase{"PatternsNotShown", QStringLiteral("CSVファイル|*.csv"),
                   QStringLiteral("CSVファイル (*.csv)")},
        FilterCase{"TwoFiltersTwoPatterns", QStringLiteral("テキスト|*.txt;*.csv|すべて(*.*)|*.*"),
                   QStringLiteral("テキスト (*.txt *.csv);;すべて(*.*)")},
        FilterCase{"NoPattern", QStringLiteral("CSVファイル"), QStringLiteral("CSVファイル")}),
    [](const auto& info) { return info.param.name; });

TEST(PathText, JapaneseNamesSurviveBothWays) {
    const QString text = QStringLiteral("/tmp/郵便番号/ken_all.zip");
    const std::filesystem::path path = toPath(text);
    EXPECT_EQ(path.filename().u16string(), u"ken_all.zip");
    EXPECT_EQ(path.parent_path().filename().u16string(), u"郵便番号");
    EXPECT_EQ(toQString(path), text);
}

} // namespace
} // namespace mervasto
