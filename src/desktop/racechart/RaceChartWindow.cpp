#include "desktop/racechart/RaceChartWindow.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include "Version.h"
#include "common/SimulatorFolders.h"
#include "common/WholeFile.h"
#include "map/TrackMapBitmap.h"
#include "racechart/RaceChartPalette.h"
#include "replay/DriverTable.h"
#include "replay/ReplayHeader.h"
#include "settings/Settings.h"

namespace {

// The canvas: the chart at (10, 10) from the window's offset; the wheel steps the bars a line a notch.
class ChartCanvas : public QWidget {
public:
    explicit ChartCanvas(const RaceChartWindow& window) : window_(window) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(200, 120);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        painter.drawImage(QPoint(10, 10), window_.image(),
                          QRect(window_.sourceOffset(), window_.image().size()));
    }
    // A notch is 120; high-resolution wheels and touchpads send parts of one, which add up. Shift
    // turns the wheel sideways.
    void wheelEvent(QWheelEvent* event) override {
        QPoint angle = event->angleDelta();
        if (event->modifiers() & Qt::ShiftModifier) angle = QPoint(angle.x() + angle.y(), 0);
        pendingAngle_ += angle;
        const QPoint lines(pendingAngle_.x() / kNotch, pendingAngle_.y() / kNotch);
        pendingAngle_ -= lines * kNotch;
        window_.horizontalBar()->setValue(window_.horizontalBar()->value() - lines.x());
        window_.verticalBar()->setValue(window_.verticalBar()->value() - lines.y());
        event->accept();
    }

private:
    static constexpr int kNotch = 120;

    const RaceChartWindow& window_;
    QPoint pendingAngle_;
};

QScrollBar* percentBar(Qt::Orientation orientation) {
    auto* bar = new QScrollBar(orientation);
    bar->setRange(0, 100);
    bar->setSingleStep(1);
    bar->setPageStep(5);
    return bar;
}

}  // namespace

RaceChartWindow::RaceChartWindow(const ReplayHeader& header, const DriverTable& drivers,
                                 const Settings& settings, QWidget* parent)
    : QDialog(parent),
      header_(header),
      settings_(settings),
      chart_(layoutRaceChart(drivers)),
      picture_(drawRaceChart(chart_)),
      image_(toImage(picture_)),
      horizontal_(percentBar(Qt::Horizontal)),
      vertical_(percentBar(Qt::Vertical)) {
    setWindowTitle(tr("Graphical Race Report"));
    setSizeGripEnabled(true);
    canvas_ = new ChartCanvas(*this);
    pathChooser = [this](const QString& proposed) -> std::optional<QString> {
        const QString chosen =
            QFileDialog::getSaveFileName(this, QString(), proposed, QStringLiteral("Bitmap files (*.bmp)"));
        if (chosen.isEmpty()) return std::nullopt;
        return chosen;
    };
    showMessage = [this](const QString& text) {
        QMessageBox::warning(this, QString::fromLatin1(kProductName), text);
    };
    for (QScrollBar* bar : {horizontal_, vertical_})
        connect(bar, &QScrollBar::valueChanged, canvas_, qOverload<>(&QWidget::update));

    auto* buttons = new QDialogButtonBox;
    connect(buttons->addButton(tr("Export to BMP"), QDialogButtonBox::ActionRole), &QPushButton::clicked,
            this, &RaceChartWindow::exportBitmap);
    buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(canvas_, 0, 0);
    layout->addWidget(vertical_, 0, 1);
    layout->addWidget(horizontal_, 1, 0);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setRowStretch(0, 1);
    layout->setColumnStretch(0, 1);
    resize(std::min(image_.width() + 60, 1000), std::min(image_.height() + 110, 700));
}

QPoint RaceChartWindow::sourceOffset() const {
    const auto offset = [](int percent, int span) {
        return std::max(0, static_cast<int>(percent / 100.0 * span));
    };
    return {offset(horizontal_->value(), image_.width() - canvas_->width() + 20),
            offset(vertical_->value(), image_.height() - canvas_->height() + 60)};
}

QString RaceChartWindow::exportProposal() const {
    const std::string track = header_.capitalisedTrackName();
    const auto folder = replayFolder(settings_.simulatorFolder());
    return QString::fromStdString((folder / (track + "_RaceReport.bmp")).string());
}

void RaceChartWindow::exportBitmap() {
    const std::optional<QString> chosen = pathChooser(exportProposal());
    if (!chosen) return;
    const std::filesystem::path path = withBmpEnding(std::filesystem::path(chosen->toStdString()));
    const bool drawn = !picture_.pixels.empty();
    if (!drawn ||
        !writeWholeFile(path,
                        encodeBitmap8(picture_.width, picture_.height, racechart::palette(), picture_.pixels),
                        std::ios::binary))
        showMessage(QStringLiteral("Error creating file!"));
}
