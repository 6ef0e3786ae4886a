#include "DialogTestHarness.h"

#include "builders/dialogs/ZipCodeConv1.h"
#include "builders/dialogs/ZipCodeConv3.h"
#include "data/Utf8.h"

#include <array>
#include <map>
#include <string_view>

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::u16string_view, 3> NationalRows = {
    u"13101,\"100  \",\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\","
    u"\"千代田\",0,0,0,0,0,0\r\n",
    u"13101,\"100  \",\"1000005\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾏﾙﾉｳﾁ\",\"東京都\",\"千代田区\","
    u"\"丸の内\",0,0,0,0,0,0\r\n",
    u"13102,\"103  \",\"1030027\",\"ﾄｳｷｮｳﾄ\",\"ﾁｭｳｵｳｸ\",\"ﾆﾎﾝﾊﾞｼ\",\"東京都\",\"中央区\","
    u"\"日本橋\",0,0,0,0,0,0\r\n",
};

constexpr std::array<std::u16string_view, 3> OfficeRows = {
    u"13101,\"ｻﾝﾌﾟﾙ\",\"（株）サンプル\",\"東京都\",\"千代田区\",\"丸の内\",\"１－１\","
    u"\"1008001\",\"100  \",\"銀座\",0,0,0\r\n",
    u"13101,\"ﾀﾒｼ\",\"試験　商事\",\"東京都\",\"千代田区\",\"大手町\",\"２－２\","
    u"\"1008002\",\"100  \",\"銀座\",0,0,0\r\n",
    u"13102,\"ﾚｲ\",\"例示物産\",\"東京都\",\"中央区\",\"日本橋\",\"３－３\","
    u"\"1038003\",\"103  \",\"日本橋\",0,0,0\r\n",
};

} // namespace

std::unique_ptr<mervasto::TableBuilderDialog> DialogTestHarness::makeDialog(const QString& name) {
    if (name == QLatin1String("ZipCodeConv1"))
        return std::make_unique<mervasto::ZipCodeConv1>(context);
    return std::make_unique<mervasto::ZipCodeConv3>(context);
}

QString DialogTestHarness::writeInput(const QString& dialogName, int rows, Encoding encoding) {
    const bool national = dialogName == QLatin1String("ZipCodeConv1");
    const auto& source = national ? NationalRows : OfficeRows;
    std::u16string text;
    for (int row = 0; row < rows; ++row) {
        const std::u16string_view line = source.at(row);
        const std::size_t flags = line.find(u"\",0,0,0");
        text += line.substr(0, flags);
        if (encoding == Encoding::Utf8Lossy)
            text += u'\u00E9';
        text += line.substr(flags);
    }
    const fs::path folder = inputDir.path() / fs::path(u"解凍済み");
    fs::create_directories(folder);
    const std::string name =
        std::string(national ? "KEN_ALL" : "JIGYOSYO") + "_" + std::to_string(rows) + ".CSV";
    const fs::path file = folder / name;
    if (encoding == Encoding::Utf8Lossy)
        mervasto::test::writeBytes(file, mervasto::toUtf8(text));
    else
        mervasto::test::writeCp932(file, text);
    return mervasto::test::toText(file);
}

std::string DialogTestHarness::snapshot() const {
    std::string all;
    for (const auto& [name, bytes] : mervasto::test::filesIn(dataDir.path()))
        all += name + ":" + bytes + "\n";
    return all;
}
