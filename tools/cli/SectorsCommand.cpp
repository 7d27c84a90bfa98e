#include <iostream>

#include "CliArgs.h"
#include "Commands.h"
#include "ReplayLoading.h"
#include "ReportOutput.h"
#include "app/Settings.h"
#include "replay/CRpyGraphDoc.h"
#include "reports/SectorTimesReport.h"

namespace {

// The document's questions have no one to answer them here: laps are preset, and what it tells
// goes to standard error.
class CommandLineUi : public DocumentUi {
public:
    explicit CommandLineUi(std::ostream& err) : err_(err) {}
    std::optional<std::filesystem::path> chooseReplayFile(const std::string&, const std::string&,
                                                          const std::filesystem::path&) override {
        return std::nullopt;
    }
    std::optional<ChosenLap> chooseLap(const HeaderClass&, const DriversClass&) override {
        return std::nullopt;
    }
    void message(const std::string& text) override { err_ << text << "\n"; }
    void information(const std::string& text) override { err_ << text << "\n"; }
    void lapListChanged() override {}
    void clearLapToggles() override {}
    void redrawViews() override {}

private:
    std::ostream& err_;
};

// FILE:DRIVER:SESSION:LAP, split from the right so the path may hold colons.
struct LapSpec {
    std::string file;
    int driver, session, lap;
};
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

int sectors(const std::vector<std::string>& args, CliContext& context) {
    const auto parsed = parseCliArgs(args, {}, {}, context.err);
    if (!parsed) return kExitUsage;
    if (parsed->positional.empty() || parsed->positional.size() > CRpyGraphDoc::maxLaps) {
        return usageError(context.err, "sectors takes one to five laps as FILE:DRIVER:SESSION:LAP");
    }
    std::vector<LapSpec> laps;
    for (const std::string& text : parsed->positional) {
        const auto lap = parseLapSpec(text);
        if (!lap) return usageError(context.err, "'" + text + "' is not FILE:DRIVER:SESSION:LAP");
        laps.push_back(*lap);
    }
    Settings::instance().setDontShowQualReport(1);  // for this run only: never saved here
    CommandLineUi ui(context.err);
    CRpyGraphDoc document(ui);
    for (const LapSpec& lap : laps)
        document.lapFinderLoad(lap.file, lap.driver, lap.session, lap.lap);
    if (document.lapCount() == 0) {
        context.err << "No replay lap loaded!\n";
        return kExitFailure;
    }
    printReport(context.out, sectorTimesReportText(document));
    return kExitOk;
}

}  // namespace

void registerSectorsCommand(CliApp& app) {
    app.add({"sectors", "FILE:DRIVER:SESSION:LAP ...",
             "load up to five laps as the desktop program does (SESSION: practice, qualifying, warmup or "
             "race) and "
             "print their sector times with the theoretical best lap",
             sectors});
}
