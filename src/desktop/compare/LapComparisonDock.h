#pragma once

#include <QDockWidget>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QGridLayout;
class ComparisonPlotsView;
class ComparisonSession;
class ReplayDocument;

// "Lap comparison": the session's laps against its reference lap, by distance from the line. A
// chooser of the reference and of the lap the map colours by time gained (with the colours' legend
// while the map shows them), the delta and speed plots with the cursor and a readout per lap, and
// the sector table with the theoretical best; the plots save as a PNG picture, the data as CSV.
// With fewer than two laps, or a comparison refused, a line saying so instead.
class LapComparisonDock : public QDockWidget {
    Q_OBJECT

public:
    LapComparisonDock(ComparisonSession& session, const ReplayDocument& document, QWidget* parent = nullptr);

    // Asks for the path to save to, from a proposed name and a file filter; nothing when cancelled.
    // Tests replace it.
    std::function<std::optional<QString>(const QString& proposal, const QString& filter)> chooseSavePath;
    // Tells the user a file could not be written. Tests replace it.
    std::function<void(const QString& text)> showMessage;

    // After the settings changed: the speeds in the unit they now ask for, the plots' zoom kept.
    void settingsChanged();
    // Shows the legend of the map's colours by time gained, while the map shows them.
    void setGainLegendShown(bool shown);

    void savePicture();
    void saveData();

    QComboBox* referenceChooser() const { return reference_; }
    QComboBox* colouredChooser() const { return coloured_; }
    QLabel* gainLegendLabel() const { return gainLegend_; }
    ComparisonPlotsView* plots() const { return plots_; }
    QTableWidget* sectorTable() const { return sectors_; }
    QLabel* theoreticalBestLabel() const { return theoreticalBest_; }
    QLabel* messageLabel() const { return message_; }
    // The readout of each lap of the comparison, in its order.
    const std::vector<QLabel*>& readouts() const { return readouts_; }
    QLabel* cursorLabel() const { return cursorDistance_; }

Q_SIGNALS:
    // The user closed the dock with its title bar's button.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showComparison();
    void showCursor();
    void fillReferenceChooser();
    void fillColouredChooser();
    void fillReadoutRows();
    void fillSectorTable();
    bool speedUnitMph() const;
    std::vector<std::uint32_t> lapColours() const;  // 0xRRGGBB of each compared lap, in its order
    QString caption(int slot) const;
    int colourIndex(int slot) const;

    ComparisonSession& session_;
    const ReplayDocument& document_;
    QStackedWidget* pages_;
    QLabel* message_;
    QComboBox* reference_;
    QComboBox* coloured_;
    QLabel* gainLegend_;
    QPushButton* savePicture_;
    QPushButton* saveData_;
    ComparisonPlotsView* plots_;
    QLabel* cursorDistance_;
    QGridLayout* readoutRows_;
    std::vector<QLabel*> readouts_;
    QTableWidget* sectors_;
    QLabel* theoreticalBest_;
};
