#include "data/WholeFile.h"

#include "TestFiles.h"
#include "data/DataError.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <streambuf>

namespace mervasto {
namespace {

// Gives `good` bytes, then fails as a disk that cannot be read.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string good) : good_(std::move(good)) {
        setg(good_.data(), good_.data(), good_.data() + good_.size());
    }

protected:
    int_type underflow() override { throw std::runtime_error("I/O error"); }

private:
    std::string good_;
};

TEST(WholeFile, ReadsEveryByte) {
    const test::TempDir dir;
    const std::string bytes(200000, '\x93');
    test::writeBytes(dir / "list.csv", bytes);
    EXPECT_EQ(readWholeFile(dir / "list.csv"), bytes);
    std::istringstream stream(bytes);
    EXPECT_EQ(readAllBytes(stream, std::nullopt), bytes);
}

TEST(WholeFile, PartOfAFileIsAnError) {
    std::istringstream shortRead("東京都");
    EXPECT_THROW(readAllBytes(shortRead, 100), DataError);

    FailingBuffer failing("東京都");
    std::istream broken(&failing);
    EXPECT_THROW(readAllBytes(broken, std::nullopt), DataError);

    const test::TempDir dir;
    EXPECT_THROW(readWholeFile(dir / "missing.csv"), DataError);
    EXPECT_THROW(readWholeFile(dir.path()), DataError); // a directory cannot be read
}

} // namespace
} // namespace mervasto
