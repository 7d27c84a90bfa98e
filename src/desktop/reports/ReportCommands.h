#pragma once

#include <functional>
#include <optional>

#include "reports/ReportRegistry.h"
#include "settings/Settings.h"

class QWidget;
class ReplayDocument;
class ReportDialogs;
class DocumentUi;
class ReplayHeader;
class DriverTable;

// The report commands: choose the replay a report is based on (a loaded lap's, or a file read for
// the report alone), then open the report window on it.
class ReportCommands {
public:
    // Messages go to `ui`, questions to `dialogs`; the report windows are children of `parent`.
    ReportCommands(const ReplayDocument& document, const Settings& settings, DocumentUi& ui,
                   ReportDialogs& dialogs, QWidget* parent);

    // A report: sector times of the loaded laps, any other type of one replay.
    void report(ReportType type);
    // Runs `use` on the replay a report is to be based on: a loaded lap's, or one read for the
    // report alone (after asking); nothing when none is chosen or it cannot be read.
    void withReportReplay(const std::function<void(const ReplayHeader&, const DriverTable&)>& use);
    // The slot of the loaded lap whose replay the report is to use; none with no lap loaded (after
    // saying so), or when the choice dialog closes with nothing clicked.
    std::optional<int> chooseReportFile();

private:
    void sectorTimes();
    void open(ReportType type, const ReplayHeader& header, const DriverTable& drivers);

    const ReplayDocument& document_;
    const Settings& settings_;
    DocumentUi& ui_;
    ReportDialogs& dialogs_;
    QWidget* parent_;
};
