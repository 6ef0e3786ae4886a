#include "MonthOfData.h"

#include "TestZip.h"
#include "data/Cp932Codec.h"

#include <algorithm>

namespace mervasto::test {

namespace {

std::u16string text(int number) {
    const auto digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

} // namespace

std::string MonthOfData::nationalCsv() const {
    std::u16string csv;
    for (const int code : nationalCodes) {
        std::u16string town = u"町" + text(code);
        const auto renamed = std::find_if(renamedTowns.begin(), renamedTowns.end(),
                                          [&](const auto& entry) { return entry.first == code; });
        if (renamed != renamedTowns.end())
            town = renamed->second;
        csv += u"13101,\"100  \",\"" + text(code) +
               u"\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾏﾁ\",\"東京都\",\"千代田区\",\"" + town +
               u"\",0,0,0,0,0,0\r\n";
    }
    return encodeCp932(csv);
}

std::string MonthOfData::officesCsv() const {
    std::u16string csv;
    for (const int code : officeCodes)
        csv += u"13101,\"ｼﾞｷﾞｮｳｼｮ\",\"事業所" + text(code) +
               u"\",\"東京都\",\"千代田区\",\"丸の内\",\"１丁目１\",\"" + text(code) +
               u"\",\"100  \",\"千代田\",0,0,0\r\n";
    return encodeCp932(csv);
}

void MonthOfData::writeZips(const std::filesystem::path& dir) const {
    const LocalDateTime date{2025, 10, 31, 0, 0, 0};
    writeZip(dir / "ken_all.zip", {{"KEN_ALL.CSV", nationalCsv(), date}});
    writeZip(dir / "jigyosyo.zip", {{"JIGYOSYO.CSV", officesCsv(), date}});
}

std::vector<int> codeRange(int first, int count) {
    std::vector<int> codes(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        codes[static_cast<std::size_t>(i)] = first + i;
    return codes;
}

} // namespace mervasto::test
