#include "replay/ReplayReading.h"

#include "replay/ReplayMessages.h"

std::unique_ptr<HeaderClass> readHeaderTelling(const std::filesystem::path& path, DocumentUi& ui) {
    auto header = std::make_unique<HeaderClass>();
    const char* failure = nullptr;
    if (header->Read(path) != HeaderClass::kOk) {
        failure = kHeaderReadError;
    } else if (header->formatVersion < 3) {
        failure = kZdkNotSupported;
    }
    if (!failure) return header;
    ui.message(failure);
    ui.message(path.string());
    return nullptr;
}

std::unique_ptr<DriversClass> readDriversTelling(const std::filesystem::path& path, DocumentUi& ui) {
    auto drivers = std::make_unique<DriversClass>();
    if (drivers->Read(path) != DriversClass::kOk) {
        if (drivers->failure == DriversClass::Failure::TooManyDrivers) {
            ui.message(tooManyDriversMessage(drivers->driverCount));
        }
        ui.message(kDriversReadError);
        return nullptr;
    }
    if (drivers->loadedCount != drivers->driverCount) {
        ui.message(kDriversCountMismatch);
        return nullptr;
    }
    return drivers;
}
