#pragma once

#include <QDockWidget>
#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class ReplayDocument;
class LapTelemetry;

// The panel beside the map: a check box per loaded lap deciding whether its driving line is drawn
// (the one place that state is kept), the playback focus, the real-time values during playback
// and the split times while stopped. Labels naming a lap are drawn in the lap's colour.
class OrientCompass;

class PlotSettingsBar : public QDockWidget {
    Q_OBJECT

public:
    static constexpr int kRows = 5;

    explicit PlotSettingsBar(QWidget* parent = nullptr);

    // Rebuilds the rows from the document's loaded laps; a lap not shown before gets its box ticked.
    void refresh(const ReplayDocument& document);
    void clearLaps();
    void toggleLap(int row);  // 0-based
    bool isLapChecked(int row) const;
    void enterPlayingState();
    // Back to the split times; the realtime fields are emptied.
    void enterStoppedState();
    // During playback: the elapsed time, and a playing lap's speed, revs (tens of rpm), gear,
    // orientation sector (if any) and the split points it has passed.
    void showElapsed(const QString& elapsed);
    void showLapRealtime(int row, int speed, int revs, const QString& gear, std::optional<int> sector,
                         const std::array<bool, 3>& splitsPassed);

    QCheckBox* lapBox(int row) const { return rows_[static_cast<std::size_t>(row)].box; }
    QComboBox* focusDriver() const { return focusDriver_; }
    // Which car playback keeps in view: the leader's, the chosen driver's (row), or none.
    enum class Focus { Leader, Manual, Driver };
    Focus focus() const;
    int focusDriverRow() const;
    QRadioButton* focusLeader() const { return focusLeader_; }
    QLabel* realtimeValue(int row, int column) const {
        return rows_[static_cast<std::size_t>(row)].realtime[static_cast<std::size_t>(column)];
    }
    OrientCompass* orientation(int row) const { return rows_[static_cast<std::size_t>(row)].orient; }
    QLabel* elapsedTime() const { return elapsed_; }
    QLabel* splitTime(int row, int column) const {
        return rows_[static_cast<std::size_t>(row)].splits[static_cast<std::size_t>(column)];
    }

Q_SIGNALS:
    // The homepage link was clicked; there is no homepage, the user guide stands in for it.
    void homepageRequested();
    // A lap's box was clicked: the lap selection changed and the views must redraw.
    void lapSelectionChanged();

private:
    struct Row {
        QLabel* number = nullptr;
        QCheckBox* box = nullptr;
        QLabel* realtimeHead = nullptr;
        std::array<QLabel*, 3> realtime{};  // speed, revs, gear
        OrientCompass* orient = nullptr;
        QLabel* splitNumber = nullptr;
        std::array<QLabel*, 3> splits{};
        const LapTelemetry* lap = nullptr;  // the lap shown in this row at the last refresh
    };
    void showRow(int row, bool shown);

    std::array<Row, kRows> rows_;
    QRadioButton* focusLeader_;
    QRadioButton* focusManual_;
    QComboBox* focusDriver_;
    QGroupBox* realtime_;
    std::array<QLabel*, 5> realtimeCaptions_{};
    QLabel* elapsed_;
};
