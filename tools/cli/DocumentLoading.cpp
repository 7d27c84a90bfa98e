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

bool CommandLineDocument::load(const std::vector<std::string>& specs, const std::string& command) {
    if (specs.empty() || specs.size() > ReplayDocument::maxLaps) {
        usageError(err_, command + " takes one to five laps as FILE:DRIVER:SESSION:LAP");
        return false;
    }
    std::vector<LapSpec> laps;
    for (const std::string& text : specs) {
        const auto lap = parseLapSpec(text);
        if (!lap) {
            usageError(err_, "'" + text + "' is not FILE:DRIVER:SESSION:LAP");
            return false;
        }
        laps.push_back(*lap);
    }
    for (const LapSpec& lap : laps) {
        ui_.file = lap.file;
        document_.lapFinderLoad(lap.file, lap.lap);
    }
    return true;
}
