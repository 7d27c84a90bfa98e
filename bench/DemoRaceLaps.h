#pragma once

#include <filesystem>
#include <memory>

#include "DemoFolder.h"
#include "SilentDocumentUi.h"
#include "document/ReplayDocument.h"
#include "settings/MemorySettingsStore.h"

// A document holding the demo weekend's race lap 2 of its five drivers; the demo is written once
// into the temporary folder `folderName`.
struct DemoRaceLaps {
    explicit DemoRaceLaps(const char* folderName) {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / folderName;
        if (!std::filesystem::exists(folder / "replay")) writeDemoFolder(folder, DemoOptions{});
        settings = std::make_unique<Settings>(
            SettingsStores{std::make_unique<MemorySettingsStore>(), std::make_unique<MemorySettingsStore>()},
            folder.string());
        settings->setDontShowQualReport(true);
        document = std::make_unique<ReplayDocument>(ui, *settings);
        for (int driver = 0; driver < 5; ++driver)
            document->lapFinderLoad(folder / "replay/Rivaldi weekend (saved in race).rpy",
                                    LapChoice{driver, 3, 2});
    }

    SilentDocumentUi ui;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<ReplayDocument> document;
};
