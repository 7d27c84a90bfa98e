#pragma once

#include "document/DocumentUi.h"

// A document's user interface that answers no dialog and shows nothing.
class SilentDocumentUi : public DocumentUi {
public:
    std::optional<std::filesystem::path> chooseReplayFile(const std::string&, const std::string&,
                                                          const std::filesystem::path&) override {
        return std::nullopt;
    }
    std::optional<LapChoice> chooseLap(const ReplayHeader&, const DriverTable&) override {
        return std::nullopt;
    }
    void message(const std::string&) override {}
    void information(const std::string&) override {}
};
