// The painters of `vxra graph -o`, `vxra racechart -o` and `vxra compare -o`, in a module of their own: Qt's
// GUI libraries take longer to load than most commands take to run, so vxra loads them only to draw.
#include <QBuffer>
#include <QGuiApplication>
#include <iostream>

#include "Commands.h"
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

// What vxra looks up once it has loaded the module.
extern "C" __attribute__((visibility("default"))) void vxraPictureMakers(PictureMakers& makers) {
    makers = {encodePlotImage, drawRaceChartPixels, encodeComparisonImage};
}
