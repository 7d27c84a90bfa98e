#pragma once

#include <memory>

#include "app/MemorySettingsStore.h"
#include "app/Settings.h"

// Makes the process-wide settings start afresh from empty in-memory stores.
inline void useFreshMemorySettings() {
    Settings::setStoreFactory([] {
        return SettingsStores{std::make_unique<MemorySettingsStore>(),
                              std::make_unique<MemorySettingsStore>()};
    });
    Settings::resetInstance();
}
