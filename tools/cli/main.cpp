#include <iostream>

#include "Commands.h"
#include "desktop/settings/QtSettingsStore.h"

#ifdef VXRA_PICTURES
#include <QGuiApplication>

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

bool writePlotImage(const PlotModel& plot, const PlotRange& range, int width, int height,
                    const std::filesystem::path& file) {
    return withGuiApplication([&] {
        return plotImage(plot, range, QSize(width, height))
            .save(QString::fromStdString(file.string()), "PNG");
    });
}

std::vector<std::uint8_t> drawRaceChartPixels(const RaceChartLayout& chart) {
    return withGuiApplication([&] { return drawRaceChart(chart).pixels; });
}

}  // namespace
#endif

int main(int argc, char* argv[]) {
    CliApp app(makeQtSettingsStores);
#ifdef VXRA_PICTURES
    registerAllCommands(app, {writePlotImage, drawRaceChartPixels});
#else
    registerAllCommands(app);
#endif
    return app.run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
