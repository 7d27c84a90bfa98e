// One pointer move over the lap comparison's plots (five 5-km laps at 1 m: the delta plot over the
// speed plot, 1600 x 900 in all): the cursor moved on both and what that made dirty painted, against
// a plain QPainter::drawPolyline of the same points, already in pixels, into pictures of the two
// plots' sizes in the same run. Goal: at most 1.5 x the plain polyline.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <vector>

#include "compare/LapComparison.h"
#include "desktop/compare/ComparisonPlotsView.h"
#include "desktop/graphs/PlotCanvas.h"
#include "desktop/graphs/PlotView.h"

namespace {

constexpr int kLaps = 5;
constexpr int kMetres = 5000;

// Five laps of a 5-km track with eleven bends, each a little different, the first the reference.
LapComparison comparison() {
    LapComparison made;
    for (int lap = 0; lap < kLaps; ++lap) {
        ComparedLap compared{};
        for (int metre = 0; metre <= kMetres; ++metre) {
            const double distance = metre;
            const double speed = 180 + 120 * std::sin(distance / kMetres * 2 * M_PI * 11 + lap * 0.05) +
                                 3 * std::sin(distance * 0.37 + lap);
            const double delta = lap == 0 ? 0 : lap * 0.1 * std::sin(distance / 700) + lap * distance / 20000;
            compared.points.push_back({distance, distance / 50, delta, speed});
        }
        made.laps.push_back(std::move(compared));
    }
    return made;
}

// Counts the paint events of the widgets it watches: a move that painted nothing would time nothing.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

struct Scene {
    Scene() : laps(comparison()) {
        view.resize(1600, 900);
        view.show();
        view.setComparison(&laps, {0xFF0000, 0x0000FF, 0x008000, 0xFF00FF, 0x808000}, false);
        QObject::connect(&view, &ComparisonPlotsView::pointerAt, &view,
                         [this](double distance) { view.setCursor(distance); });
        QApplication::processEvents();
    }

    LapComparison laps;
    ComparisonPlotsView view;
};

Scene& scene() {
    static Scene made;
    return made;
}

// A plot's curves in pixels, as the plot engine maps them.
std::vector<QPolygonF> pixelCurves(const PlotView& plot) {
    const PlotCanvas& canvas = *plot.canvas();
    const ValueMap x = xMapOf(canvas.range(), canvas.width()), y = yMapOf(canvas.range(), canvas.height());
    std::vector<QPolygonF> curves;
    for (int slot = 0; slot < PlotModel::kSlots; ++slot) {
        const PlotCurve* curve = plot.model().curve(slot);
        if (!curve) continue;
        QPolygonF pixels;
        for (const PlotPoint& point : curve->points.points())
            pixels.append(QPointF(x.toPixel(point.x), y.toPixel(point.y)));
        curves.push_back(pixels);
    }
    return curves;
}

void BM_PlainPolyline(benchmark::State& state) {
    Scene& s = scene();
    struct Plot {
        std::vector<QPolygonF> curves;
        QImage image;
    };
    std::vector<Plot> plots;
    for (const PlotView* plot : {s.view.deltaPlot(), s.view.speedPlot()})
        plots.push_back({pixelCurves(*plot), QImage(plot->canvas()->size(), QImage::Format_RGB32)});
    for (auto _ : state) {
        for (Plot& plot : plots) {
            QPainter painter(&plot.image);
            painter.fillRect(plot.image.rect(), Qt::white);
            painter.setPen(QPen(Qt::red, 1));
            for (const QPolygonF& curve : plot.curves)
                painter.drawPolyline(curve);
        }
    }
    state.counters["points"] = 2 * kLaps * (kMetres + 1);
}

void BM_PointerMove(benchmark::State& state) {
    Scene& s = scene();
    PlotCanvas* canvas = s.view.deltaPlot()->canvas();
    PaintCounter counter;
    canvas->installEventFilter(&counter);
    s.view.speedPlot()->canvas()->installEventFilter(&counter);
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % canvas->width();
        QMouseEvent move(QEvent::MouseMove, QPointF(x, canvas->height() / 2),
                         canvas->mapToGlobal(QPointF(x, 0)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        QApplication::processEvents();  // paints what the move made dirty
    }
    state.counters["paints per move"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_PlainPolyline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PointerMove)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    scene();  // laid out and drawn once before anything is timed
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
