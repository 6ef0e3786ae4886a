#pragma once

#include "TestFiles.h"
#include "builders/BuildOutcome.h"
#include "data/Cp932Codec.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mervasto::test {

// Records what a build shows on its progress bar, as "range MIN MAX" and "value N".
class RecordingProgress : public BuildProgress {
public:
    void setRange(int minimum, int maximum) override {
        events.push_back("range " + std::to_string(minimum) + " " + std::to_string(maximum));
    }
    void setValue(int value) override { events.push_back("value " + std::to_string(value)); }

    std::vector<std::string> events;
};

// Answers the overwrite question with a fixed answer and keeps the questions asked.
class ScriptedAsk {
public:
    explicit ScriptedAsk(OverwriteAnswer answer = OverwriteAnswer::Yes) : answer_(answer) {}

    AskOverwrite callback() {
        return [this](const std::u16string& question) {
            questions.push_back(question);
            return answer_;
        };
    }

    std::vector<std::u16string> questions;

private:
    OverwriteAnswer answer_;
};

inline std::string cp932(std::u16string_view text) {
    return encodeCp932(text);
}

// A directory holding a data directory and the CSV to build from.
struct BuildPlace {
    TempDir root;
    std::filesystem::path dataDir = root / "data";
    std::filesystem::path csv = root / "input.csv";

    BuildPlace() { std::filesystem::create_directory(dataDir); }
    // The bytes of a table file ("" when it is missing; a marker when it is not a file).
    std::string bytes(std::string_view table) const {
        const auto file = dataDir / table;
        if (std::filesystem::is_directory(file))
            return "<directory>";
        return readBytes(file);
    }
    std::string listing() const { return listFiles(dataDir); }
};

} // namespace mervasto::test
