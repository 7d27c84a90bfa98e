#pragma once

#include <QDialog>
#include <QImage>
#include <functional>
#include <optional>

#include "desktop/racechart/RaceChartImage.h"

class QScrollBar;
class DriverTable;
class ReplayHeader;
class Settings;

// "Graphical Race Report": the race's running order as a chart, drawn once when the window opens,
// shown at (10, 10) of its canvas and scrolled in per cent by the two bars; "Export to BMP" saves
// it as an 8-bit bitmap.
class RaceChartWindow : public QDialog {
    Q_OBJECT

public:
    RaceChartWindow(const ReplayHeader& header, const DriverTable& drivers, const Settings& settings,
                    QWidget* parent = nullptr);

    const RaceChartLayout& chart() const { return chart_; }
    const QImage& image() const { return image_; }
    QScrollBar* horizontalBar() const { return horizontal_; }
    QScrollBar* verticalBar() const { return vertical_; }
    QWidget* canvas() const { return canvas_; }
    // The image's pixel shown at the canvas's (10, 10): the per-cent scroll positions applied.
    QPoint sourceOffset() const;

    void exportBitmap();
    // The export's save dialog and messages, replaceable by tests.
    std::function<std::optional<QString>(const QString& proposed)> pathChooser;
    std::function<void(const QString& text)> showMessage;

private:
    QString exportProposal() const;

    const ReplayHeader& header_;
    const Settings& settings_;
    RaceChartLayout chart_;
    RaceChartPicture picture_;
    QImage image_;
    QWidget* canvas_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
};
