#pragma once

#include <QString>
#include <optional>

#include "desktop/reports/ReportDialogs.h"
#include "replay/LapChoice.h"

class DriverTable;
class QWidget;
class ReplayHeader;

// Everything the main window asks or tells the user with a dialog of its own. The program answers
// with real dialogs (QtMainWindowDialogs); tests answer with a script.
class MainWindowDialogs : public ReportDialogs {
public:
    enum class MessageKind { warning, information };

    // The "Choose Lap To Load" dialog; nothing when cancelled.
    virtual std::optional<LapChoice> chooseLap(const ReplayHeader& header, const DriverTable& drivers) = 0;
    virtual void showMessage(const QString& text, MessageKind kind) = 0;
    // The track map bitmap's save dialog, starting at `proposed`; nothing when cancelled.
    virtual std::optional<QString> chooseBitmapPath(const QString& proposed) = 0;
};

// The real dialogs, as children of `parent`.
class QtMainWindowDialogs : public MainWindowDialogs {
public:
    explicit QtMainWindowDialogs(QWidget* parent) : parent_(parent) {}

    std::optional<int> chooseReportFile(const QStringList& labels) override;
    bool askYesNo(const QString& question) override;
    std::optional<std::filesystem::path> chooseReplayFile(const QString& title, const QString& filter,
                                                          const std::filesystem::path& startFolder) override;
    void runWindow(QDialog& window) override;
    std::optional<LapChoice> chooseLap(const ReplayHeader& header, const DriverTable& drivers) override;
    void showMessage(const QString& text, MessageKind kind) override;
    std::optional<QString> chooseBitmapPath(const QString& proposed) override;

private:
    QWidget* parent_;
};
