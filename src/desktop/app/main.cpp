#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "Version.h"
#include "desktop/app/MainWindow.h"
#include "desktop/settings/QtSettingsStore.h"
#include "settings/Settings.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(kProductVersion));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kProductName));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption simDir(
        QStringLiteral("sim-dir"),
        QStringLiteral("Use DIR as the simulator folder for this run; it is not saved."),
        QStringLiteral("DIR"));
    parser.addOption(simDir);
    parser.addPositionalArgument(
        QStringLiteral("replay"),
        QStringLiteral("Replay files to add laps from (the lap dialog asks which), or laps given as "
                       "FILE:DRIVER:SESSION:LAP, added without it."),
        QStringLiteral("[replay...]"));
    parser.process(app);

    Settings settings(makeQtSettingsStores(), parser.isSet(simDir)
                                                  ? std::optional(parser.value(simDir).toStdString())
                                                  : std::nullopt);
    MainWindow frame(settings);
    frame.show();
    // Laps on the command line are added once the window is up, so the lap dialog has a parent.
    const QStringList arguments = parser.positionalArguments();
    QTimer::singleShot(0, &frame, [&frame, arguments] {
        for (const QString& argument : arguments)
            frame.openArgument(argument);
    });
    return app.exec();
}
