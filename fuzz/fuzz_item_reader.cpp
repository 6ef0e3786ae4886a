// The item reader over arbitrary bytes. With a first section (before SectionSeparator) the
// reads follow it as a script (each byte picks readText, readNumber or readLine); without
// one every read is readLine, and the lines must give back the decoded text exactly.

#include "FuzzSupport.h"
#include "data/Cp932Codec.h"
#include "data/DataError.h"
#include "data/ItemReader.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace mervasto;

namespace {

std::unique_ptr<std::istream> streamOf(std::string_view bytes) {
    return std::make_unique<std::istringstream>(std::string(bytes), std::ios::binary);
}

void checkText(const std::u16string& item) {
    fuzz::require(item.size() <= ItemReader::maxItemLength, "item longer than the limit");
}

void checkLine(const std::u16string& line) {
    fuzz::require(line.size() <= ItemReader::maxItemLength, "line longer than the limit");
    fuzz::require(line.find(u'\n') == std::u16string::npos, "a line holds a line feed");
}

// One read as the script asks; the reader's own failures are its error path.
void readOne(ItemReader& reader, unsigned char op) {
    switch (op % 3) {
    case 0:
        checkText(reader.readText());
        break;
    case 1:
        reader.readNumber();
        break;
    default:
        checkLine(reader.readLine());
        break;
    }
}

void runScript(std::string_view script, std::string_view bytes) {
    ItemReader reader(streamOf(bytes));
    try {
        for (std::size_t step = 0; !reader.atEnd(); ++step)
            readOne(reader, static_cast<unsigned char>(script[step % script.size()]));
        reader.readText();
        fuzz::fail("a read past the end did not fail");
    } catch (const DataError&) {
    }
}

// CR LF and a lone LF end a line; nothing else is lost or added.
void runLines(std::string_view bytes) {
    std::u16string expected = decodeCp932(bytes);
    for (std::size_t at = 0; (at = expected.find(u"\r\n", at)) != std::u16string::npos;)
        expected.erase(at, 1);
    ItemReader reader(streamOf(bytes));
    std::u16string joined;
    try {
        while (!reader.atEnd()) {
            const std::u16string line = reader.readLine();
            checkLine(line);
            joined += line;
            joined += u'\n';
        }
    } catch (const DataError&) {
        return;
    }
    if (!expected.empty() && expected.back() != u'\n')
        joined.pop_back();
    fuzz::require(joined == expected, "the lines differ from the decoded text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto sections = fuzz::splitSections(fuzz::asBytes(data, size), 2);
    if (sections.size() == 2 && !sections[0].empty())
        runScript(sections[0], sections[1]);
    else
        runLines(sections.back());
    return 0;
}
