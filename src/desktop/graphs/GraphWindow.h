#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <vector>

#include "graphs/LapGraphs.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class GraphTrackMap;
class PlotView;
class ReplayDocument;

// "Graph window": a channel of the chosen loaded laps against the distance along the track, the
// time gap between two of them, and a small map showing where on the track the mouse is in the
// graph. It reads the document and changes nothing in it.
class GraphWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr int kLapBoxes = 5;

    explicit GraphWindow(const ReplayDocument& document, QWidget* parent = nullptr);
    ~GraphWindow() override;

    QCheckBox* lapBox(int box) const { return lapBoxes_[static_cast<std::size_t>(box)]; }
    QRadioButton* channelButton(GraphChannel channel) const;
    QCheckBox* differenceBox() const { return differenceBox_; }
    QCheckBox* gapByDistanceBox() const { return gapByDistanceBox_; }
    // 0 "At finish line:", 1 "Max ahead:", 2 "Max behind:", 3 "Spread:".
    QLabel* differenceText(int row) const { return differenceTexts_[static_cast<std::size_t>(row)]; }
    QGroupBox* differenceGroup() const { return differenceGroup_; }
    QGroupBox* mapGroup() const { return mapGroup_; }
    PlotView* plot() const { return plot_; }
    GraphTrackMap* trackMap() const { return trackMap_; }
    const LapGraphs& graphs() const { return *graphs_; }

private:
    QWidget* createLapGroup();
    QWidget* createChannelGroup();
    QWidget* createDifferenceGroup();
    QWidget* createMapGroup();
    void chooseChannel(GraphChannel channel);
    void showDifferenceState();
    void showMarker(double distance);

    const ReplayDocument& document_;
    std::vector<int> slotOfBox_;
    PlotView* plot_;
    std::unique_ptr<LapGraphs> graphs_;
    std::array<QCheckBox*, kLapBoxes> lapBoxes_{};
    std::vector<std::pair<GraphChannel, QRadioButton*>> channelButtons_;
    QCheckBox* differenceBox_ = nullptr;
    QCheckBox* gapByDistanceBox_ = nullptr;
    QGroupBox* differenceGroup_ = nullptr;
    std::array<QLabel*, 4> differenceTexts_{};
    QGroupBox* mapGroup_ = nullptr;
    GraphTrackMap* trackMap_ = nullptr;
};
