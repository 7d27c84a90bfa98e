#include "settings/MemorySettingsStore.h"

std::optional<std::int32_t> MemorySettingsStore::readInt(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end() || !std::holds_alternative<std::int32_t>(it->second)) return std::nullopt;
    return std::get<std::int32_t>(it->second);
}

std::optional<std::string> MemorySettingsStore::readString(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end() || !std::holds_alternative<std::string>(it->second)) return std::nullopt;
    return std::get<std::string>(it->second);
}

bool MemorySettingsStore::writeInt(const std::string& name, std::int32_t value) {
    values_[name] = value;
    return true;
}

bool MemorySettingsStore::writeString(const std::string& name, const std::string& value) {
    values_[name] = value;
    return true;
}
