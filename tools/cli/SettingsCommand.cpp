#include "Commands.h"

namespace {

int showSettings(const CliArgs& args, CliContext& context) {
    if (!args.operands.empty()) return usageError(context.err, "settings takes no arguments");
    const Settings& s = context.settings;
    std::ostream& out = context.out;
    out << "Directory = " << s.simulatorDirectory() << "\n"
        << "DontShowQualReport = " << s.dontShowQualReport() << "\n"
        << "RetireInRaceReport = " << s.retireInRaceReport() << "\n"
        << "OffTheTrackInRaceReport = " << s.offTheTrackInRaceReport() << "\n"
        << "BMPSizeInPixel = " << s.bmpSizeInPixel() << "\n"
        << "MPH = " << s.speedInMph() << "\n"
        << "AltRpyPath = " << s.altRpyPath() << "\n"
        << "RecordsPath = " << s.recordsPath() << "\n"
        << "DefaultPlayerIndex = " << s.defaultPlayerIndex() << "\n"
        << "SpyGirlMsg = " << s.spyGirlMsg() << "\n";
    return kExitOk;
}

}  // namespace

void registerSettingsCommand(CliApp& app) {
    app.add({"settings", "", "show the stored settings in force (with --sim-dir applied)", {}, showSettings});
}
