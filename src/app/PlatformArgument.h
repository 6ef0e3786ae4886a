#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace mervasto {

// The program's arguments with "-platform=NAME" spelled "-platform NAME", the one form the
// toolkit reads (a "--" before either is read as "-").
std::vector<std::string> withPlatformArgumentSplit(const std::vector<std::string>& arguments);

// The platform that a "-platform NAME" argument chooses, if one does (the last one counts, as
// for the toolkit). The first argument is the program.
std::optional<QString> platformArgument(const std::vector<std::string>& arguments);

// The arguments as main() received them, for the toolkit: it keeps and changes both the count
// and the array, so they live as long as this object.
class ArgumentVector {
public:
    explicit ArgumentVector(std::vector<std::string> arguments);
    ArgumentVector(const ArgumentVector&) = delete;
    ArgumentVector& operator=(const ArgumentVector&) = delete;

    const std::vector<std::string>& strings() const { return arguments_; }
    int& count() { return count_; }
    char** values() { return pointers_.data(); }

private:
    std::vector<std::string> arguments_;
    std::vector<char*> pointers_;
    int count_;
};

} // namespace mervasto
