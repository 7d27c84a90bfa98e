#pragma once

#include <memory>
#include <string>
#include <vector>

#include "settings/MemorySettingsStore.h"
#include "settings/Settings.h"

// Empty stores that live as long as the settings made over them: nothing is kept.
inline SettingsStores memoryStores() {
    return SettingsStores{std::make_unique<MemorySettingsStore>(), std::make_unique<MemorySettingsStore>()};
}

// A view of a store that outlives the settings made over it, logging every write when given a log
// (each entry the prefix and the value's name).
class SharedStore : public SettingsStore {
public:
    explicit SharedStore(std::shared_ptr<MemorySettingsStore> target,
                         std::shared_ptr<std::vector<std::string>> log = nullptr, std::string prefix = "")
        : target_(std::move(target)), log_(std::move(log)), prefix_(std::move(prefix)) {}

    std::optional<std::int32_t> readInt(const std::string& name) const override {
        return target_->readInt(name);
    }
    std::optional<std::string> readString(const std::string& name) const override {
        return target_->readString(name);
    }
    bool writeInt(const std::string& name, std::int32_t value) override {
        logWrite(name);
        return target_->writeInt(name, value);
    }
    bool writeString(const std::string& name, const std::string& value) override {
        logWrite(name);
        return target_->writeString(name, value);
    }

private:
    void logWrite(const std::string& name) {
        if (log_) log_->push_back(prefix_ + name);
    }

    std::shared_ptr<MemorySettingsStore> target_;
    std::shared_ptr<std::vector<std::string>> log_;
    std::string prefix_;
};
