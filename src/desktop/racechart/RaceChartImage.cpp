#include "desktop/racechart/RaceChartImage.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <unordered_map>

#include "common/Text1252.h"
#include "racechart/RaceChartPalette.h"

namespace {

using namespace racechart;

constexpr int kFontPixels = 12;
constexpr int kLineWidth = 7;

QColor colour(std::uint8_t index) {
    const Rgb& rgb = palette()[index];
    return QColor(rgb.r, rgb.g, rgb.b);
}

QFont chartFont() {
    QFont font = QGuiApplication::font();
    font.setPixelSize(kFontPixels);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

class ChartPainter {
public:
    ChartPainter(QPaintDevice& device, const RaceChartLayout& chart) : painter_(&device), chart_(chart) {
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::TextAntialiasing, false);
        painter_.setFont(chartFont());
    }

    void paint() {
        painter_.fillRect(0, 0, chart_.width, chart_.height, colour(kBackground));
        frame();
        legend();
        headings();
        startColumn();
        for (const RaceChartColumn& column : chart_.columns)
            lapColumn(column);
    }

private:
    int rowTop(int row) const { return kRowHeight * row + kTopMargin; }
    int bottom() const { return rowTop(chart_.drivers); }
    int frameRight() const { return kColumnWidth * (chart_.laps + 1) + 188; }

    // Half-open spans: x from .. to, y from .. to.
    void fill(int x0, int x1, int y0, int y1, std::uint8_t index) {
        if (x1 > x0 && y1 > y0) painter_.fillRect(x0, y0, x1 - x0, y1 - y0, colour(index));
    }
    void text(const QRect& box, int flags, const QString& words, std::uint8_t index) {
        painter_.setPen(colour(index));
        painter_.drawText(box, flags | Qt::TextSingleLine, words);
    }
    void textAt(int x, int y, const QString& words, std::uint8_t index) {
        text(QRect(x, y, chart_.width, kRowHeight), Qt::AlignLeft | Qt::AlignTop, words, index);
    }

    void frame() {
        const int top = kTopMargin;
        fill(186, frameRight(), top - 3, top - 1, kFrame);
        fill(186, frameRight(), bottom() - 1, bottom() + 1, kFrame);
        fill(frameRight(), frameRight() + 2, top - 3, bottom() + 1, kFrame);
        // What the frame encloses (it has no left bar, so this is the rectangle, not a flood).
        fill(186, frameRight(), top - 1, bottom() - 1, kInterior);
        text(QRect(189, 0, kColumnWidth, kRowHeight), Qt::AlignCenter, QStringLiteral("S"), kText);
    }

    // Drawn after the legend: "=Lapped" reaches into the "P" of "Pos".
    void headings() {
        for (int lap = 1; lap <= chart_.laps; ++lap)
            text(QRect(kColumnWidth * lap + 189, 0, kColumnWidth, kRowHeight), Qt::AlignCenter,
                 QString::number(lap), kText);
        textAt(0, 0, QStringLiteral("Created with VELTRA4 Replay Analyser"), kCredit);
        textAt(frameRight() + 2, kTopMargin - 10, QStringLiteral("Lap"), kFrame);
        textAt(176, bottom() + 1, QStringLiteral("Pos"), kFrame);
    }

    void swatch(int x, std::uint8_t inside) {
        const int y = bottom() + 10;
        fill(x, x + kColumnWidth, y, y + kRowHeight, kText);
        fill(x + 1, x + kColumnWidth - 1, y + 1, y + kRowHeight - 1, inside);
    }
    void legend() {
        swatch(2, kInterior);
        textAt(26, bottom() + 11, QStringLiteral("=On lead lap"), kText);
        swatch(107, kLapped);
        textAt(131, bottom() + 11, QStringLiteral("=Lapped"), kText);
    }

    void startColumn() {
        const QFontMetrics metrics(painter_.font());
        for (std::size_t row = 0; row < chart_.start.size(); ++row) {
            const int top = rowTop(static_cast<int>(row));
            const QString label = QString::fromStdString(win1252ToUtf8(chart_.rowLabels[row]));
            text(QRect(0, top, kLabelRight, kRowHeight), Qt::AlignRight | Qt::AlignVCenter,
                 metrics.elidedText(label, Qt::ElideMiddle, kLabelRight), kText);
            if (chart_.startQuestionMarks)
                text(QRect(189, top, kColumnWidth, kRowHeight), Qt::AlignCenter, QStringLiteral("?"),
                     driverColour(chart_.start[row]));
        }
    }

    void lapColumn(const RaceChartColumn& column) {
        const int x = kColumnWidth * column.lap + 188;
        if (column.shadedFrom)
            fill(x, x + kColumnWidth, rowTop(*column.shadedFrom) - 1, bottom() - 1, kLapped);
        for (const RaceChartLine& line : column.lines) {
            painter_.setPen(QPen(colour(driverColour(line.driver)), kLineWidth, Qt::SolidLine, Qt::RoundCap));
            painter_.drawLine(kColumnWidth * (column.lap - 1) + 196, rowTop(line.fromRow) + 8,
                              kColumnWidth * column.lap + 196, rowTop(line.toRow) + 8);
        }
    }

    QPainter painter_;
    const RaceChartLayout& chart_;
};

// Each pixel's palette index: its colour's first entry (every colour drawn is one of them).
std::vector<std::uint8_t> paletteIndexes(const QImage& image) {
    std::unordered_map<QRgb, std::uint8_t> index;
    for (std::size_t i = palette().size(); i-- > 0;) {
        const Rgb& rgb = palette()[i];
        index[qRgb(rgb.r, rgb.g, rgb.b)] = static_cast<std::uint8_t>(i);
    }
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const auto found = index.find(line[x] | 0xFF000000u);
            pixels.push_back(found != index.end() ? found->second : std::uint8_t{kBackground});
        }
    }
    return pixels;
}

}  // namespace

void paintRaceChart(QPaintDevice& device, const RaceChartLayout& chart) {
    ChartPainter(device, chart).paint();
}

RaceChartPicture drawRaceChart(const RaceChartLayout& chart) {
    QImage image(chart.width, chart.height, QImage::Format_RGB32);
    if (image.isNull()) return {};  // a chart of a damaged table too large to hold
    paintRaceChart(image, chart);
    return {chart.width, chart.height, paletteIndexes(image)};
}

QImage toImage(const RaceChartPicture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (const Rgb& rgb : palette())
        table.append(qRgb(rgb.r, rgb.g, rgb.b));
    image.setColorTable(table);
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture.width, picture.width,
                    image.scanLine(y));
    return image;
}
