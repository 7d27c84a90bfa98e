#pragma once

#include <vector>

#include "settings/SettingsStore.h"

// Several read-only stores read as one: each value from the first store that gives it, the later
// ones filling in what the earlier lack. Writes reach nothing and say so.
class LayeredSettingsStore : public SettingsStore {
public:
    explicit LayeredSettingsStore(std::vector<std::unique_ptr<SettingsStore>> layers);

    std::optional<std::int32_t> readInt(const std::string& name) const override;
    std::optional<std::string> readString(const std::string& name) const override;
    bool writeInt(const std::string& name, std::int32_t value) override;
    bool writeString(const std::string& name, const std::string& value) override;

private:
    std::vector<std::unique_ptr<SettingsStore>> layers_;
};
