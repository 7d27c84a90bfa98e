// One pointer move over the lap comparison's plots, as the program makes it: the demo weekend's race
// lap 2 of five drivers compared every metre in the dock (1600 x 900), the move sent to the delta
// plot, the session's one cursor moving the line on both plots, the readout of each lap and its
// distance, and the dot of each lap on the map (1600 x 1000), and what that made dirty painted.
// Against a plain QPainter::drawPolyline of the plots' points, already in pixels, into pictures of
// the two plots' sizes in the same run. Goal: at most 1.5 x the plain polyline.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <vector>

#include "DemoRaceLaps.h"
#include "desktop/compare/ComparisonPlotsView.h"
#include "desktop/compare/ComparisonSession.h"
#include "desktop/compare/LapComparisonDock.h"
#include "desktop/graphs/PlotCanvas.h"
#include "desktop/graphs/PlotView.h"
#include "desktop/map/TrackMapView.h"
#include "document/ReplayDocument.h"

namespace {

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
    Scene() {
        session = std::make_unique<ComparisonSession>(document);
        dock = std::make_unique<LapComparisonDock>(*session, document);
        map = std::make_unique<TrackMapView>(document, [] {
            return LapsShown{true, true, true, true, true};
        });
        // As the main window shows the cursor on the map.
        QObject::connect(session.get(), &ComparisonSession::cursorMoved, map.get(),
                         [this] { map->setComparisonCursor(session->slots(), session->cursor()); });
        dock->resize(1600, 900);
        dock->show();
        map->resize(1600, 1000);
        map->show();
        QApplication::processEvents();
    }

    DemoRaceLaps demo{"vxra-bench-comparison-pointer"};
    ReplayDocument& document = *demo.document;
    std::unique_ptr<ComparisonSession> session;
    std::unique_ptr<LapComparisonDock> dock;
    std::unique_ptr<TrackMapView> map;
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
    for (const PlotView* plot : {s.dock->plots()->deltaPlot(), s.dock->plots()->speedPlot()})
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
    std::size_t points = 0;
    for (const Plot& plot : plots)
        for (const QPolygonF& curve : plot.curves)
            points += static_cast<std::size_t>(curve.size());
    state.counters["points"] = static_cast<double>(points);
}

void BM_PointerMove(benchmark::State& state) {
    Scene& s = scene();
    PlotCanvas* canvas = s.dock->plots()->deltaPlot()->canvas();
    PaintCounter counter;
    const std::vector<QWidget*> painted{canvas, s.dock->plots()->speedPlot()->canvas(), s.dock->cursorLabel(),
                                        s.map->viewport()};
    for (QWidget* widget : painted)
        widget->installEventFilter(&counter);
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
    scene();  // the demo written, the laps compared, laid out and drawn once before anything is timed
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
