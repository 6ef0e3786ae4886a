#include "data/Cp932Platform.h"

#include "data/CharacterClasses.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace mervasto {

#ifdef _WIN32

namespace {

constexpr UINT CodePage = 932;

// Single bytes that code page 932 leaves unassigned. Windows maps some of them anyway (0x80
// to U+0080, on some versions 0xA0 and 0xFD to 0xFF into the private use area); here they are
// bad bytes, as they are for iconv, so that both builds write the same tables.
bool isUnassignedSingleByte(unsigned char byte) {
    return byte >= 0x80 && !isCp932LeadByte(byte) && (byte < 0xA1 || byte > 0xDF);
}

} // namespace

std::optional<char16_t> platformDecodeCp932(std::string_view code) {
    if (code.size() == 1 && isUnassignedSingleByte(static_cast<unsigned char>(code[0])))
        return std::nullopt;
    wchar_t units[2];
    const int produced = MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, code.data(),
                                             static_cast<int>(code.size()), units, 2);
    if (produced != 1)
        return std::nullopt;
    return static_cast<char16_t>(units[0]);
}

std::string platformEncodeCp932(char16_t unit) {
    const auto wide = static_cast<wchar_t>(unit);
    char bytes[2];
    BOOL usedDefault = FALSE;
    const int produced = WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 2,
                                             nullptr, &usedDefault);
    if (produced <= 0 || usedDefault)
        return {};
    return std::string(bytes, static_cast<std::size_t>(produced));
}

#else

namespace {

// One conversion descriptor per direction and thread, opened on first use.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (valid())
            iconv_close(handle_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    // Converts all of `in` into `out`; the number of bytes written, or nothing when the input
    // does not convert completely.
    std::optional<std::size_t> convert(std::string_view in, char* out, std::size_t outSize) {
        if (!valid())
            return std::nullopt;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* input = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* output = out;
        std::size_t outLeft = outSize;
        if (iconv(handle_, &input, &inLeft, &output, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0)
            return std::nullopt;
        return outSize - outLeft;
    }

private:
    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t handle_;
};

} // namespace

std::optional<char16_t> platformDecodeCp932(std::string_view code) {
    thread_local IconvHandle decoder("UTF-16LE", "CP932");
    unsigned char units[4];
    const auto written = decoder.convert(code, reinterpret_cast<char*>(units), sizeof units);
    if (written != 2u)
        return std::nullopt;
    return static_cast<char16_t>(units[0] | (units[1] << 8));
}

std::string platformEncodeCp932(char16_t unit) {
    thread_local IconvHandle encoder("CP932", "UTF-16LE");
    const char input[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    char bytes[4];
    const auto written = encoder.convert(std::string_view(input, 2), bytes, sizeof bytes);
    if (!written || *written == 0 || *written > 2)
        return {};
    return std::string(bytes, *written);
}

#endif

} // namespace mervasto
