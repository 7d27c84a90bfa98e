#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

class QDialog;

// The dialogs the report commands ask the user with. The program answers with real dialogs;
// tests answer with a script.
class ReportDialogs {
public:
    virtual ~ReportDialogs() = default;

    // The choice between the loaded laps' replays: the index of the label clicked, or nothing when
    // the dialog closed without one.
    virtual std::optional<int> chooseReportFile(const QStringList& labels) = 0;
    virtual bool askYesNo(const QString& question) = 0;
    // An open-file dialog; nothing when cancelled.
    virtual std::optional<std::filesystem::path> chooseReplayFile(
        const QString& title, const QString& filter, const std::filesystem::path& startFolder) = 0;
    // Runs one of the program's windows (a report, the graph window, ...) until it is closed.
    virtual void runWindow(QDialog& window) = 0;
};
