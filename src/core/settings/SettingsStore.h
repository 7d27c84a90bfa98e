#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// One group of named values in a persistent key-value store (the platform's settings store).
// Reads give nothing for a value that is absent or of another type; writes report whether the
// value reached the store.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::optional<std::int32_t> readInt(const std::string& name) const = 0;
    virtual std::optional<std::string> readString(const std::string& name) const = 0;
    virtual bool writeInt(const std::string& name, std::int32_t value) = 0;
    virtual bool writeString(const std::string& name, const std::string& value) = 0;
};

// The two stores the settings come from: the user's own values, and the machine-wide entry that the
// simulator's installer keeps its folder in (only ever read: it is the simulator's).
struct SettingsStores {
    std::unique_ptr<SettingsStore> user;
    std::unique_ptr<SettingsStore> machine;
};
