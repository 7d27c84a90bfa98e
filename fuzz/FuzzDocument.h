#pragma once

#include <memory>
#include <span>

#include "document/ReplayDocument.h"
#include "settings/MemorySettingsStore.h"

// The document over a simulator folder made from one input: the replay (the input's first part)
// and the track "testring" (the second part, as a .ptf), with a scripted user who chooses laps by
// the input's last bytes and answers every message. Loads up to three laps of the replay.
class FuzzDocument : public DocumentUi {
public:
    explicit FuzzDocument(std::span<const std::uint8_t> input);

    ReplayDocument& document() { return document_; }

    std::optional<std::filesystem::path> chooseReplayFile(const std::string&, const std::string&,
                                                          const std::filesystem::path&) override;
    std::optional<LapChoice> chooseLap(const ReplayHeader& header, const DriverTable& drivers) override;
    void message(const std::string&) override {}
    void information(const std::string&) override {}

private:
    std::span<const std::uint8_t> input_;
    std::filesystem::path replay_;
    int choices_ = 0;
    Settings settings_;
    ReplayDocument document_{*this, settings_};
};
