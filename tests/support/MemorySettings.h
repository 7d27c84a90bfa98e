#pragma once

#include <memory>

#include "settings/MemorySettingsStore.h"
#include "settings/Settings.h"

// Makes the process-wide settings start afresh from empty in-memory stores.
inline void useFreshMemorySettings() {
    Settings::setStoreFactory([] {
        return SettingsStores{std::make_unique<MemorySettingsStore>(),
                              std::make_unique<MemorySettingsStore>()};
    });
    Settings::resetInstance();
}
