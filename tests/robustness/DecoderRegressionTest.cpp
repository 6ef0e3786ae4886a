// Found by fuzzing the converter: a bad double-byte pair (lead byte, then a byte that is itself
// a lead byte) decoded differently depending on where the decoder's runs or the reader's
// chunks happened to end. The bad lead byte is one U+FFFD and its second byte starts the next
// character, wherever the input is cut.

#include "data/Cp932Codec.h"
#include "data/ItemReader.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace mervasto::test {
namespace {

// 0x81 0xED is no character; 0xED 0x40 is 纊.
constexpr std::string_view BadPairThenKanji = "\x81\xED\x40";

struct Surrounding {
    const char* name;
    std::string before, after;
};

class BadPair : public ::testing::TestWithParam<Surrounding> {};

TEST_P(BadPair, DecodesTheSameWhateverFollows) {
    const std::string bytes = GetParam().before + std::string(BadPairThenKanji) + GetParam().after;
    const std::u16string text = decodeCp932(bytes);
    EXPECT_NE(text.find(u"\uFFFD纊"), std::u16string::npos);
}

TEST_P(BadPair, StreamedInChunksDecodesAsAWhole) {
    const std::string bytes = GetParam().before + std::string(BadPairThenKanji) + GetParam().after;
    const std::u16string whole = decodeCp932(bytes);
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        for (std::size_t second = cut; second <= bytes.size(); ++second) {
            Cp932StreamDecoder decoder;
            std::u16string streamed;
            decoder.decode(std::string_view(bytes).substr(0, cut), false, streamed);
            decoder.decode(std::string_view(bytes).substr(cut, second - cut), false, streamed);
            decoder.decode(std::string_view(bytes).substr(second), true, streamed);
            EXPECT_EQ(streamed, whole) << "cut at " << cut << " and " << second;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BadPair,
                         ::testing::Values(Surrounding{"Alone", "", ""},
                                           Surrounding{"LongAsciiAfter", "", std::string(40, 'a')},
                                           Surrounding{"ShortAsciiThenKanji", "", "ab\x82\xA0"},
                                           Surrounding{"KanjiBefore", "\x82\xA0", "\x82\xA0"},
                                           Surrounding{"TwoBadPairsInARow", "\x81\xED",
                                                       "\x81\xED\x40"},
                                           Surrounding{"LeadByteCutOffAfter", "", "\x81"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The same through the item reader, which reads in chunks: the bad pair straddles the end of
// the first chunk.
TEST(BadPairAtChunkEnd, ReadsAsElsewhere) {
    std::string bytes(ItemReader::ChunkSize - 1, 'a');
    bytes += std::string(BadPairThenKanji) + "\r\n";
    ItemReader reader(std::make_unique<std::istringstream>(bytes));
    const std::u16string line = reader.readLine();
    EXPECT_EQ(line.substr(line.size() - 2), u"\uFFFD纊");
    EXPECT_TRUE(reader.atEnd());
}

} // namespace
} // namespace mervasto::test
