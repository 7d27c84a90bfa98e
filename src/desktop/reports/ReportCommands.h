#pragma once

#include <QStringList>
#include <filesystem>
#include <functional>
#include <optional>

#include "reports/ReportRegistry.h"
#include "settings/Settings.h"

class QWidget;
class ReplayDocument;
class ReportWindow;
class DocumentUi;
class ReplayHeader;
class DriverTable;

// The report commands: choose the replay a report is based on (a loaded lap's, or a file read for
// the report alone), then open the report window on it.
class ReportCommands {
public:
    ReportCommands(const ReplayDocument& document, const Settings& settings, DocumentUi& ui, QWidget* parent);

    // A report of one replay (every type but sector times).
    void report(ReportType type);
    // Runs `use` on the replay a report is to be based on: a loaded lap's, or one read for the
    // report alone (after asking); nothing when none is chosen or it cannot be read.
    void withReportReplay(const std::function<void(const ReplayHeader&, const DriverTable&)>& use);
    // The sector times of the loaded laps.
    void sectorTimes();
    // The slot of the loaded lap whose replay the report is to use, or -1: with no lap loaded
    // (after saying so), or when the choice dialog closes with nothing clicked.
    int chooseReportFile();

    // Dialog answers, replaceable by tests: the file-choice dialog (the clicked index, -1 for none),
    // a Yes/No question, the open dialog for a report-only replay, and the report window itself.
    std::function<int(const QStringList& labels)> fileChooser;
    std::function<bool(const QString& question)> askYesNo;
    std::function<std::optional<std::filesystem::path>()> replayChooser;
    std::function<void(ReportWindow& window)> showReport;

private:
    void open(ReportType type, const ReplayHeader& header, const DriverTable& drivers);

    const ReplayDocument& document_;
    const Settings& settings_;
    DocumentUi& ui_;
    QWidget* parent_;
};
