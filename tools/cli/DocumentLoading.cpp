#include "DocumentLoading.h"

#include "CliApp.h"
#include "CliArgs.h"
#include "ReplayLoading.h"
#include "common/Text1252.h"

namespace {

struct LapSpec {
    std::string file;
    int driver, session, lap;
};

// FILE:DRIVER:SESSION:LAP, split from the right so the path may hold colons.
std::optional<LapSpec> parseLapSpec(const std::string& text) {
    std::size_t cuts[3];
    std::size_t end = text.size();
    for (int i = 2; i >= 0; --i) {
        const std::size_t colon = text.rfind(':', end - 1);
        if (colon == std::string::npos || colon == 0) return std::nullopt;
        cuts[i] = colon;
        end = colon;
    }
    const auto driver = parseInt(text.substr(cuts[0] + 1, cuts[1] - cuts[0] - 1));
    const auto session = sessionFromKey(text.substr(cuts[1] + 1, cuts[2] - cuts[1] - 1));
    const auto lap = parseInt(text.substr(cuts[2] + 1));
    if (!driver || !session || !lap) return std::nullopt;
    return LapSpec{text.substr(0, cuts[0]), *driver, *session, *lap};
}

}  // namespace

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
        document_.lapFinderLoad(lap.file, {lap.driver, lap.session, lap.lap});
    }
    return true;
}
