#include "data/TableSources.h"

#include "data/TablePaths.h"

#include <charconv>
#include <fstream>
#include <iterator>

namespace mervasto {

namespace {

constexpr std::string_view GenerationKey = "generation ";

std::string_view setName(TableSet set) {
    return set == TableSet::National ? "national" : "offices";
}

std::string_view originName(DataOrigin origin) {
    return origin == DataOrigin::Carried ? "carried" : "own";
}

std::optional<std::uint64_t> parseNumber(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// "carried 2025-09-30 00:00:00" or "own ...".
std::optional<SetSource> parseSetSource(std::string_view text) {
    for (const DataOrigin origin : {DataOrigin::Carried, DataOrigin::OwnFile}) {
        const std::string prefix = std::string(originName(origin)) + ' ';
        if (!text.starts_with(prefix))
            continue;
        if (const auto date = parseLocalDateTime(text.substr(prefix.size())))
            return SetSource{origin, *date};
    }
    return std::nullopt;
}

void parseLine(std::string_view line, TableSources& sources) {
    if (line.starts_with(GenerationKey)) {
        if (const auto generation = parseNumber(line.substr(GenerationKey.size())))
            sources.generation = *generation;
        return;
    }
    for (const TableSet set : {TableSet::National, TableSet::Offices}) {
        const std::string prefix = std::string(setName(set)) + ' ';
        if (line.starts_with(prefix))
            if (const auto source = parseSetSource(line.substr(prefix.size())))
                sources.of(set) = source;
    }
}

} // namespace

std::string formatTableSources(const TableSources& sources) {
    std::string text = std::string(GenerationKey) + std::to_string(sources.generation) + '\n';
    for (const TableSet set : {TableSet::National, TableSet::Offices}) {
        if (const auto& source = sources.of(set))
            text.append(setName(set))
                .append(" ")
                .append(originName(source->origin))
                .append(" ")
                .append(formatLocalDateTime(source->dataDate))
                .append("\n");
    }
    return text;
}

TableSources parseTableSources(std::string_view text) {
    TableSources sources;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        parseLine(line, sources);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return sources;
}

TableSources readTableSources(const std::filesystem::path& dataDir) {
    std::ifstream in(resolveTablePath(dataDir, TableFile::Sources), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseTableSources(text);
}

} // namespace mervasto
