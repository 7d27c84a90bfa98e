#include "settings/LayeredSettingsStore.h"

LayeredSettingsStore::LayeredSettingsStore(std::vector<std::unique_ptr<SettingsStore>> layers)
    : layers_(std::move(layers)) {}

std::optional<std::int32_t> LayeredSettingsStore::readInt(const std::string& name) const {
    for (const auto& layer : layers_) {
        if (const auto number = layer->readInt(name)) return number;
    }
    return std::nullopt;
}

std::optional<std::string> LayeredSettingsStore::readString(const std::string& name) const {
    for (const auto& layer : layers_) {
        if (auto text = layer->readString(name)) return text;
    }
    return std::nullopt;
}

bool LayeredSettingsStore::writeInt(const std::string&, std::int32_t) {
    return false;
}

bool LayeredSettingsStore::writeString(const std::string&, const std::string&) {
    return false;
}
