#include "desktop/reports/ReportCommands.h"

#include "common/SimulatorFolders.h"
#include "desktop/common/QtText.h"
#include "desktop/reports/ReportDialogs.h"
#include "desktop/reports/ReportWindow.h"
#include "document/LoadPipeline.h"
#include "document/ReplayDocument.h"
#include "reports/ReportFileChoice.h"
#include "track/TrackIni.h"

ReportCommands::ReportCommands(const ReplayDocument& document, const Settings& settings, DocumentUi& ui,
                               ReportDialogs& dialogs, QWidget* parent)
    : document_(document), settings_(settings), ui_(ui), dialogs_(dialogs), parent_(parent) {}

std::optional<int> ReportCommands::chooseReportFile() {
    const std::vector<int> slots = reportFileSlots(document_);
    if (slots.empty()) {
        ui_.message(kNoLapLoaded);
        return std::nullopt;
    }
    if (slots.size() == 1) return slots.front();
    QStringList labels;
    for (const int slot : slots)
        labels.append(
            fromWin1252(reportFileLabel(*document_.slots()[static_cast<std::size_t>(slot)].header)));
    const std::optional<int> chosen = dialogs_.chooseReportFile(labels);
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(slots.size())) return std::nullopt;
    return slots[static_cast<std::size_t>(*chosen)];
}

void ReportCommands::report(ReportType type) {
    if (type == ReportType::SectorTimes) return sectorTimes();
    withReportReplay(
        [&](const ReplayHeader& header, const DriverTable& drivers) { open(type, header, drivers); });
}

void ReportCommands::withReportReplay(
    const std::function<void(const ReplayHeader&, const DriverTable&)>& use) {
    if (const std::optional<int> slot = chooseReportFile()) {
        const ReplayDocument::Slot& lap = document_.slots()[static_cast<std::size_t>(*slot)];
        return use(*lap.header, *lap.drivers);
    }
    if (!dialogs_.askYesNo(
            QStringLiteral("Do you wish to choose a replay file to be used in the report only?")))
        return;
    const auto path = dialogs_.chooseReplayFile(QStringLiteral("Select Replay File"),
                                                QStringLiteral("Replay files (*.rpy);;All Files(*.*)"),
                                                replayFolder(settings_.simulatorFolder()));
    if (!path) return;
    const auto replay = readReplay(*path);
    if (!replay) {
        for (const std::string& text : replay.error())
            ui_.message(text);
        return;
    }
    use(*replay->header, *replay->drivers);
}

// The window works with its own track length, read for the replay's track: a report on another
// track's replay never changes the document's.
void ReportCommands::open(ReportType type, const ReplayHeader& header, const DriverTable& drivers) {
    const TrackLength length = readTrackLength(settings_.simulatorFolder(), header.trackName);
    if (!length.message.empty()) ui_.message(length.message);
    ReportWindow window(type, document_, settings_, &header, &drivers, length.metres, parent_);
    dialogs_.runWindow(window);
}

void ReportCommands::sectorTimes() {
    if (document_.lapCount() == 0) return ui_.message(kNoLapLoaded);
    ReportWindow window(ReportType::SectorTimes, document_, settings_, nullptr, nullptr, 0, parent_);
    dialogs_.runWindow(window);
}
