#include <iostream>

#include "Commands.h"
#include "desktop/settings/QtSettingsStore.h"

#ifdef VXRA_PICTURES
#include <QBuffer>
#include <QGuiApplication>

#include "desktop/compare/ComparisonPlots.h"
#include "desktop/graphs/PlotImage.h"
#include "desktop/racechart/RaceChartImage.h"

namespace {

// Pictures need Qt's fonts, so a GUI application while one is drawn; never a window, and none of
// the platform's chatter on standard error.
template <typename Draw>
auto withGuiApplication(Draw draw) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "vxra: " << message.toStdString() << "\n";
    });
    int argc = 1;
    char name[] = "vxra";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    return draw();
}

// Into memory: the command writes the file by its name's own bytes, which a QString need not keep.
std::string pngBytes(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toStdString();
}

std::string encodePlotImage(const PlotModel& plot, const PlotRange& range, int width, int height) {
    return withGuiApplication([&] { return pngBytes(plotImage(plot, range, QSize(width, height))); });
}

std::string encodeComparisonImage(const LapComparison& comparison, const std::vector<std::uint32_t>& colours,
                                  bool mph, int width, int height) {
    return withGuiApplication(
        [&] { return pngBytes(comparisonplots::picture(comparison, colours, mph, QSize(width, height))); });
}

std::vector<std::uint8_t> drawRaceChartPixels(const RaceChartLayout& chart) {
    return withGuiApplication([&] { return drawRaceChart(chart).pixels; });
}

}  // namespace
#endif

int main(int argc, char* argv[]) {
    CliApp app(makeQtSettingsStores);
#ifdef VXRA_PICTURES
    registerAllCommands(app, {encodePlotImage, drawRaceChartPixels, encodeComparisonImage});
#else
    registerAllCommands(app);
#endif
    return app.run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
