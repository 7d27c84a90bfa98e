#include "document/ReplayReading.h"

#include "replay/ReplayMessages.h"

std::unique_ptr<ReplayHeader> readHeaderTelling(const std::filesystem::path& path, DocumentUi& ui) {
    auto header = std::make_unique<ReplayHeader>();
    const char* failure = nullptr;
    if (header->read(path) != ReplayHeader::kOk) {
        failure = kHeaderReadError;
    } else if (header->formatVersion < 3) {
        failure = kZdkNotSupported;
    }
    if (!failure) return header;
    ui.message(failure);
    ui.message(path.string());
    return nullptr;
}

std::unique_ptr<DriverTable> readDriversTelling(const std::filesystem::path& path, DocumentUi& ui) {
    auto drivers = std::make_unique<DriverTable>();
    if (drivers->read(path) != DriverTable::kOk) {
        if (drivers->failure == DriverTable::Failure::TooManyDrivers) {
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
