#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "reports/ReportRegistry.h"
#include "settings/Settings.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class ReplayDocument;
class DriverTable;
class ReplayHeader;

// The report window: the report's title, its text in a fixed-pitch face, and Close, Export to file,
// Print and Print Preview. Most reports are made when the window opens; progressive ones (the flag
// report and the sector times) are made on a worker once the window shows, and the text grows on
// screen as they go; closing the window stops them.
class ReportWindow : public QDialog {
    Q_OBJECT

public:
    // `header` and `drivers` are the replay the report is based on (none for sector times); they,
    // the document and the settings must outlive the window. `trackLength` is the replay's track's,
    // in metres.
    ReportWindow(const ReportKind& kind, const ReplayDocument& document, const Settings& settings,
                 const ReplayHeader* header, const DriverTable* drivers, double trackLength,
                 QWidget* parent = nullptr);
    ReportWindow(ReportType type, const ReplayDocument& document, const Settings& settings,
                 const ReplayHeader* header, const DriverTable* drivers, double trackLength,
                 QWidget* parent = nullptr)
        : ReportWindow(reportKind(type), document, settings, header, drivers, trackLength, parent) {}
    ~ReportWindow() override;

    bool generating() const { return worker_.joinable() && !finished_; }
    // Whether the report was made to its end: a progressive report stopped by Close was not.
    bool madeWhole() const { return madeWhole_; }
    // The report as made so far, Windows-1252 with "\r\n" line ends.
    const std::string& reportText() const { return text_; }
    QLabel* titleLabel() const { return title_; }
    QPlainTextEdit* textBox() const { return textBox_; }

    void exportToFile();
    // The print dialog, or the print preview.
    void print(bool preview);

    // Dialog answers, replaceable by tests: the save dialog over a proposed path (nothing when
    // cancelled), and a message box.
    std::function<std::optional<QString>(const QString& proposed)> chooseExportPath;
    std::function<void(const QString& text)> showMessage;

Q_SIGNALS:
    void generationFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void setReport(const std::string& text);
    void startProgressiveGeneration();
    void appendPiece(const std::string& piece);
    void finishGeneration();
    void stopGeneration();
    QString exportProposal() const;

    ReportInput input() const;

    const ReportKind kind_;
    const ReplayDocument& document_;
    const Settings& settings_;
    const ReplayHeader* header_;
    const DriverTable* drivers_;
    double trackLength_;
    bool awaitingGeneration_ = false;  // a progressive report not started yet
    std::string text_;

    QLabel* title_;
    QPlainTextEdit* textBox_;

    std::thread worker_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> madeWhole_{false};
    bool finished_ = false;
};
