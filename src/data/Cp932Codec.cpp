#include "data/Cp932Codec.h"

#include "data/CharacterClasses.h"

#include <cstddef>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace mervasto {

namespace {

constexpr char16_t ReplacementChar = u'\uFFFD';

bool isAscii(unsigned char byte) {
    return byte < 0x80;
}

struct MultibyteRun {
    std::size_t end; // one past the last complete character of the run
    bool cutOff;     // a lead byte at `end` lacks its trail byte
};

// ASCII gaps up to this length stay inside a run handed to the converter, which is cheaper
// than a converter call per run of non-ASCII text (CSV items alternate with quotes and commas).
constexpr std::size_t ShortAsciiGap = 16;

// The number of ASCII bytes from `pos`, counting at most ShortAsciiGap + 1.
std::size_t asciiGapAt(std::string_view bytes, std::size_t pos) {
    std::size_t gap = 0;
    while (pos + gap < bytes.size() && gap <= ShortAsciiGap &&
           isAscii(static_cast<unsigned char>(bytes[pos + gap])))
        ++gap;
    return gap;
}

// The run of characters to convert that starts at the non-ASCII byte `begin`: it ends before
// a long run of ASCII characters, at the end of the bytes, or at a lead byte cut off by the
// end.
MultibyteRun multibyteRunAt(std::string_view bytes, std::size_t begin) {
    std::size_t pos = begin;
    while (pos < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (isAscii(byte)) {
            const std::size_t gap = asciiGapAt(bytes, pos);
            if (gap > ShortAsciiGap || pos + gap == bytes.size())
                return {pos, false};
            pos += gap;
            continue;
        }
        const bool lead = isCp932LeadByte(byte);
        if (lead && pos + 1 == bytes.size())
            return {pos, true};
        pos += lead ? 2 : 1;
    }
    return {pos, false};
}

#ifdef _WIN32

constexpr UINT CodePage = 932;

// Single bytes that code page 932 leaves unassigned. Windows maps some of them anyway (0x80
// to U+0080, on some versions 0xA0 and 0xFD to 0xFF into the private use area); here they are
// bad bytes, as they are for iconv, so that both builds write the same tables.
bool isUnassignedSingleByte(unsigned char byte) {
    return !isAscii(byte) && !isCp932LeadByte(byte) && (byte < 0xA1 || byte > 0xDF);
}

bool holdsUnassignedSingleByte(std::string_view run) {
    for (std::size_t pos = 0; pos < run.size();) {
        const auto byte = static_cast<unsigned char>(run[pos]);
        if (isUnassignedSingleByte(byte))
            return true;
        pos += isCp932LeadByte(byte) ? 2 : 1;
    }
    return false;
}

bool decodeCharacter(std::string_view bytes, std::u16string& out) {
    if (bytes.size() == 1 && isUnassignedSingleByte(static_cast<unsigned char>(bytes[0])))
        return false;
    wchar_t unit[2];
    const int produced = MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                             static_cast<int>(bytes.size()), unit, 2);
    if (produced <= 0)
        return false;
    out.append(reinterpret_cast<const char16_t*>(unit), static_cast<std::size_t>(produced));
    return true;
}

// Decodes a run of characters; a byte that does not form a valid character becomes U+FFFD and
// decoding goes on with the next byte. Returns the number of bytes consumed: all of them, but
// for a lead byte that a skipped bad byte left alone at the end, which starts the next run.
std::size_t decodeRun(std::string_view run, std::u16string& out) {
    const std::size_t start = out.size();
    out.resize(start + run.size());
    const int produced = holdsUnassignedSingleByte(run)
                             ? 0
                             : MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, run.data(),
                                                   static_cast<int>(run.size()),
                                                   reinterpret_cast<wchar_t*>(out.data() + start),
                                                   static_cast<int>(run.size()));
    if (produced > 0) {
        out.resize(start + static_cast<std::size_t>(produced));
        return run.size();
    }
    out.resize(start);
    std::size_t pos = 0;
    while (pos < run.size()) {
        const bool lead = isCp932LeadByte(static_cast<unsigned char>(run[pos]));
        if (lead && pos > 0 && pos + 1 == run.size())
            return pos;
        const std::size_t width = lead && pos + 1 < run.size() ? 2 : 1;
        if (decodeCharacter(run.substr(pos, width), out)) {
            pos += width;
        } else {
            out.push_back(ReplacementChar);
            ++pos;
        }
    }
    return pos;
}

void encodeRun(std::u16string_view run, std::string& out) {
    if (run.empty())
        return;
    const auto* wide = reinterpret_cast<const wchar_t*>(run.data());
    const int length = static_cast<int>(run.size());
    const int needed =
        WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, "?", nullptr);
    if (needed <= 0) {
        out.append(run.size(), '?');
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(needed));
    WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide, length, out.data() + start, needed,
                        "?", nullptr);
}

#else

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

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of [in, in + inLeft) as fits; returns the errno of a stop, or 0.
    int convert(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* input = const_cast<char*>(in);
        const std::size_t result = iconv(handle_, &input, &inLeft, &out, &outLeft);
        in = input;
        return result == static_cast<std::size_t>(-1) ? errno : 0;
    }

private:
    iconv_t handle_;
};

IconvHandle& decoderHandle() {
    thread_local IconvHandle handle("UTF-16LE", "CP932");
    return handle;
}

IconvHandle& encoderHandle() {
    thread_local IconvHandle handle("CP932", "UTF-16LE");
    return handle;
}

// Decodes a run of characters; a byte that does not form a valid character becomes U+FFFD and
// decoding goes on with the next byte. Returns the number of bytes consumed: all of them, but
// for a lead byte that a skipped bad byte left alone at the end, which starts the next run.
std::size_t decodeRun(std::string_view run, std::u16string& out) {
    IconvHandle& handle = decoderHandle();
    const char* in = run.data();
    std::size_t inLeft = run.size();
    while (inLeft > 0) {
        const std::size_t start = out.size();
        out.resize(start + inLeft); // one byte never yields more than one UTF-16 unit
        char* target = reinterpret_cast<char*>(out.data() + start);
        std::size_t outLeft = inLeft * sizeof(char16_t);
        const int error = handle.valid() ? handle.convert(in, inLeft, target, outLeft) : EILSEQ;
        out.resize(static_cast<std::size_t>(reinterpret_cast<char16_t*>(target) - out.data()));
        if (error == EINVAL && inLeft < run.size())
            break;
        if (error != 0 && inLeft > 0) {
            out.push_back(ReplacementChar);
            ++in;
            --inLeft;
        }
    }
    return run.size() - inLeft;
}

void encodeRun(std::u16string_view run, std::string& out) {
    IconvHandle& handle = encoderHandle();
    const char* in = reinterpret_cast<const char*>(run.data());
    std::size_t inLeft = run.size() * sizeof(char16_t);
    while (inLeft > 0) {
        const std::size_t start = out.size();
        const std::size_t capacity = inLeft; // two bytes per unit at most
        out.resize(start + capacity);
        char* target = out.data() + start;
        std::size_t outLeft = capacity;
        const int error = handle.valid() ? handle.convert(in, inLeft, target, outLeft) : EILSEQ;
        out.resize(static_cast<std::size_t>(target - out.data()));
        if (error != 0 && inLeft > 0) {
            out.push_back('?');
            in += sizeof(char16_t);
            inLeft -= sizeof(char16_t);
        }
    }
}

#endif

// Decodes `bytes` up to a lead byte cut off at the end, which stays undecoded unless `final`
// is set. Returns the number of bytes consumed.
std::size_t decodeInto(std::string_view bytes, bool final, std::u16string& out) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const unsigned char byte = static_cast<unsigned char>(bytes[pos]);
        if (isAscii(byte)) {
            out.push_back(static_cast<char16_t>(byte));
            ++pos;
            continue;
        }
        const MultibyteRun run = multibyteRunAt(bytes, pos);
        pos += decodeRun(bytes.substr(pos, run.end - pos), out);
        if (pos < run.end)
            continue;
        if (run.cutOff) {
            if (!final)
                return pos;
            out.push_back(ReplacementChar);
            ++pos;
        }
    }
    return pos;
}

} // namespace

std::u16string decodeCp932(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    decodeInto(bytes, true, text);
    return text;
}

std::string encodeCp932(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char16_t unit = text[pos];
        if (unit < 0x80) {
            bytes.push_back(static_cast<char>(unit));
            ++pos;
            continue;
        }
        if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            // No character outside the Basic Multilingual Plane exists in code page 932.
            const bool pair =
                isHighSurrogate(unit) && pos + 1 < text.size() && isLowSurrogate(text[pos + 1]);
            bytes.push_back('?');
            pos += pair ? 2 : 1;
            continue;
        }
        std::size_t end = pos;
        while (end < text.size() && text[end] >= 0x80 && !isHighSurrogate(text[end]) &&
               !isLowSurrogate(text[end]))
            ++end;
        encodeRun(text.substr(pos, end - pos), bytes);
        pos = end;
    }
    return bytes;
}

void Cp932StreamDecoder::decode(std::string_view bytes, bool final, std::u16string& out) {
    // Complete the character held back from the previous chunk with the bytes of this one, one
    // at a time (a bad byte in it may leave a lead byte held back again).
    while (!pending_.empty() && !bytes.empty()) {
        std::string joined = std::move(pending_);
        pending_.clear();
        joined.push_back(bytes.front());
        bytes.remove_prefix(1);
        const std::size_t consumed = decodeInto(joined, final && bytes.empty(), out);
        pending_.assign(joined.substr(consumed));
    }
    if (!pending_.empty()) {
        if (final) {
            decodeInto(pending_, true, out);
            pending_.clear();
        }
        return;
    }
    const std::size_t consumed = decodeInto(bytes, final, out);
    pending_.assign(bytes.substr(consumed));
}

} // namespace mervasto
