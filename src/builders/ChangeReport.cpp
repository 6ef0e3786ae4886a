#include "builders/ChangeReport.h"

#include "data/Cp932Codec.h"
#include "data/TablePaths.h"
#include "data/Utf8.h"
#include "data/WholeFile.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

namespace fs = std::filesystem;

namespace mervasto {

namespace {

constexpr std::string_view CodeSeparator = "\x81\x40"; // U+3000 in CP932
constexpr std::size_t CodeLength = 8;                  // "123-4567"

using Lines = std::vector<std::string_view>;

std::string readTable(const fs::path& dir, std::string_view name) {
    const auto file = resolveTablePath(dir, name);
    std::error_code error;
    return fs::exists(file, error) ? readWholeFile(file) : std::string();
}

Lines splitLines(std::string_view text) {
    Lines lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

std::string utf8(std::string_view cp932) {
    return toUtf8(decodeCp932(cp932));
}

// A national line: the code, then two ideographic spaces, then the whole address.
struct AddressLine {
    std::string_view code;
    std::string_view address;
};

AddressLine splitAddressLine(std::string_view line) {
    const std::string_view code = line.substr(0, std::min(CodeLength, line.size()));
    std::string_view address = line.substr(code.size());
    while (address.starts_with(CodeSeparator))
        address.remove_prefix(CodeSeparator.size());
    return {code, address};
}

using CodesByAddress = std::map<std::string_view, std::set<std::string_view>>;

CodesByAddress codesByAddress(const Lines& lines) {
    CodesByAddress found;
    for (const auto line : lines) {
        const auto [code, address] = splitAddressLine(line);
        found[address].insert(code);
    }
    return found;
}

// Each code with the first address that has it.
using AddressByCode = std::map<std::string_view, std::string_view>;

AddressByCode codesOf(const Lines& lines) {
    AddressByCode codes;
    for (const auto line : lines) {
        const auto [code, address] = splitAddressLine(line);
        codes.emplace(code, address);
    }
    return codes;
}

// Every code of `from` that `against` lacks, in order, with its address.
void addMissing(const AddressByCode& from, const AddressByCode& against, ChangeList& list) {
    for (const auto& [code, address] : from)
        if (!against.contains(code))
            list.add(utf8(code) + " " + utf8(address));
}

// Every line of `from` that `against` lacks, in order.
void addMissing(const std::set<std::string_view>& from, const std::set<std::string_view>& against,
                ChangeList& list) {
    for (const auto line : from)
        if (!against.contains(line))
            list.add(utf8(line));
}

std::string joined(const std::set<std::string_view>& codes) {
    std::string text;
    for (const auto code : codes)
        text += (text.empty() ? "" : " ") + utf8(code);
    return text;
}

void compareAddresses(const Lines& current, const Lines& fresh, ChangeReport& report) {
    addMissing(codesOf(fresh), codesOf(current), report.codesAdded);
    addMissing(codesOf(current), codesOf(fresh), report.codesRemoved);
    const auto before = codesByAddress(current);
    for (const auto& [address, codes] : codesByAddress(fresh)) {
        const auto old = before.find(address);
        if (old != before.end() && old->second != codes)
            report.addressesRecoded.add(utf8(address) + " " + joined(old->second) + " → " +
                                        joined(codes));
    }
    report.currentAddressLines = current.size();
    report.newAddressLines = fresh.size();
}

void compareOffices(const Lines& current, const Lines& fresh, ChangeReport& report) {
    const std::set<std::string_view> before(current.begin(), current.end());
    const std::set<std::string_view> after(fresh.begin(), fresh.end());
    addMissing(after, before, report.officesAdded);
    addMissing(before, after, report.officesRemoved);
}

void appendList(std::u16string& text, std::u16string_view heading, const ChangeList& list) {
    const auto count = std::to_string(list.count);
    text.append(heading).append(u": ").append(fromUtf8(count)).append(u" 件\n");
    for (const auto& line : list.first)
        text.append(u"  ").append(fromUtf8(line)).append(u"\n");
    if (list.count > list.first.size())
        text.append(u"  …\n");
}

} // namespace

void ChangeList::add(std::string line) {
    ++count;
    if (first.size() < ChangeReport::ListedLines)
        first.push_back(std::move(line));
}

bool ChangeReport::empty() const {
    return codesAdded.count == 0 && codesRemoved.count == 0 && addressesRecoded.count == 0 &&
           officesAdded.count == 0 && officesRemoved.count == 0;
}

ChangeReport compareTables(const fs::path& currentDir, const fs::path& newDir) {
    ChangeReport report;
    {
        const std::string current = readTable(currentDir, TableFile::Lines);
        const std::string fresh = readTable(newDir, TableFile::Lines);
        compareAddresses(splitLines(current), splitLines(fresh), report);
    }
    const std::string current = readTable(currentDir, TableFile::Offices);
    const std::string fresh = readTable(newDir, TableFile::Offices);
    compareOffices(splitLines(current), splitLines(fresh), report);
    return report;
}

std::u16string formatChangeReport(const ChangeReport& report) {
    std::u16string text;
    appendList(text, u"追加された郵便番号", report.codesAdded);
    appendList(text, u"廃止された郵便番号", report.codesRemoved);
    appendList(text, u"郵便番号が変わった住所", report.addressesRecoded);
    appendList(text, u"追加された事業所", report.officesAdded);
    appendList(text, u"削除された事業所", report.officesRemoved);
    return text;
}

} // namespace mervasto
