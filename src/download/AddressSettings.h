#pragma once

#include <QString>

#include <optional>
#include <string_view>

namespace mervasto {

// The settings that override the download addresses. Shared by the window and the
// command-line tool; tests put a fake in its place.
inline constexpr std::string_view nationalUrlKey = "Update/NationalUrl";
inline constexpr std::string_view officesUrlKey = "Update/OfficesUrl";

class AddressSettings {
public:
    virtual ~AddressSettings() = default;
    // The value stored under `key`, or nothing when none is.
    virtual std::optional<QString> value(std::string_view key) const = 0;
};

// The program's own settings store: the one the window keeps its settings in.
class QtAddressSettings final : public AddressSettings {
public:
    std::optional<QString> value(std::string_view key) const override;
};

} // namespace mervasto
