#pragma once

#include <map>
#include <variant>

#include "settings/SettingsStore.h"

// A store that lives only as long as the process: used where no platform store is installed.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::int32_t> readInt(const std::string& name) const override;
    std::optional<std::string> readString(const std::string& name) const override;
    bool writeInt(const std::string& name, std::int32_t value) override;
    bool writeString(const std::string& name, const std::string& value) override;

private:
    std::map<std::string, std::variant<std::int32_t, std::string>> values_;
};
