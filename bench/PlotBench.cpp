// The plot's picture: five curves of 10,000 points each drawn into an off-screen image of 1600 x 900
// (with the grid), against a plain QPainter::drawPolyline of the same points, already in pixels,
// into the same image in the same run. Goal: at most 1.5 x the plain polyline.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <vector>

#include "desktop/graphs/PlotPainter.h"
#include "graphs/PlotModel.h"

namespace {

constexpr int kCurves = 5;
constexpr int kPoints = 10000;
const QSize kSize(1600, 900);
const PlotRange kRange{0, 5000, 0, 320};

// Five laps' speed against distance: a lap of 5 km with eleven bends, each lap a little different.
PlotModel& model() {
    static PlotModel plot = [] {
        PlotModel made;
        const std::uint32_t colours[kCurves] = {0xFF0000, 0x0000FF, 0x008000, 0xFF00FF, 0x808000};
        for (int lap = 0; lap < kCurves; ++lap) {
            const int slot = made.addGraph(colours[lap], "New graph - " + std::to_string(lap)).value();
            for (int i = 0; i < kPoints; ++i) {
                const double distance = 5000.0 * i / kPoints;
                const double speed = 180 + 120 * std::sin(distance / 5000 * 2 * M_PI * 11 + lap * 0.05) +
                                     3 * std::sin(distance * 0.37 + lap);
                made.addPoint(slot, distance, speed);
            }
        }
        return made;
    }();
    return plot;
}

std::vector<QPolygonF> pixelCurves() {
    const ValueMap x = xMapOf(kRange, kSize.width()), y = yMapOf(kRange, kSize.height());
    std::vector<QPolygonF> curves;
    for (int slot = 0; slot < kCurves; ++slot) {
        QPolygonF pixels;
        for (const PlotPoint& point : model().curve(slot)->points.points())
            pixels.append(QPointF(x.toPixel(point.x), y.toPixel(point.y)));
        curves.push_back(pixels);
    }
    return curves;
}

void BM_PlainPolyline(benchmark::State& state) {
    const std::vector<QPolygonF> curves = pixelCurves();
    QImage image(kSize, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        for (int slot = 0; slot < kCurves; ++slot) {
            painter.setPen(QPen(QColor::fromRgb(model().curve(slot)->colour), 1));
            painter.drawPolyline(curves[static_cast<std::size_t>(slot)]);
        }
    }
    state.counters["points"] = kCurves * kPoints;
}

void BM_PlotPicture(benchmark::State& state) {
    QImage image(kSize, QImage::Format_RGB32);
    const ValueMap x = xMapOf(kRange, kSize.width()), y = yMapOf(kRange, kSize.height());
    for (auto _ : state) {
        const PlotGrid grid{computeTicks(x, 40).pixels, computeTicks(y, 20).pixels};
        drawPlot(image, model(), x, y, &grid);
    }
    state.counters["points"] = kCurves * kPoints;
}

}  // namespace

BENCHMARK(BM_PlainPolyline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotPicture)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
