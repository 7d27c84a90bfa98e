#include "DocumentLoading.h"

#include "CliApp.h"
#include "CliArgs.h"
#include "ReplayLoading.h"
#include "common/Text1252.h"

CommandLineDocument::CommandLineDocument(std::ostream& err, const Settings& settings)
    : err_(err), ui_(err), document_(ui_, settings) {}

void CommandLineDocument::Ui::message(const std::string& text) {
    tellLoadFailure(err_, {win1252ToUtf8(text)}, file);
}

int CommandLineDocument::load(const std::vector<std::string>& specs, const std::string& command) {
    if (specs.empty() || specs.size() > ReplayDocument::maxLaps)
        return usageError(err_, command + " takes one to five laps as FILE:DRIVER:SESSION:LAP");
    for (const std::string& text : specs) {
        const auto lap = parseLapSpec(text);
        if (!lap) return usageError(err_, "'" + text + "' is not FILE:DRIVER:SESSION:LAP");
        laps_.push_back(*lap);
    }
    for (const LapSpec& lap : laps_) {
        ui_.file = lap.file;
        document_.lapFinderLoad(lap.file, lap.lap);
    }
    // Each load that fails leaves the lap count as it was.
    const std::size_t loaded = static_cast<std::size_t>(document_.lapCount());
    if (loaded == laps_.size()) return kExitOk;
    if (loaded == 0) return failure(err_, kNoLapLoaded);
    return failure(err_, std::to_string(laps_.size() - loaded) + " of " + std::to_string(laps_.size()) +
                             " laps could not be loaded");
}
