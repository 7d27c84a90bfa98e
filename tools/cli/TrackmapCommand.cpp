#include <iostream>

#include "CliArgs.h"
#include "Commands.h"
#include "DocumentLoading.h"
#include "settings/Settings.h"
#include "common/WholeFile.h"
#include "map/TrackMapBitmap.h"

namespace {

// The track map of the laps' track with their driving lines, as "Save Trackmap as BMP-file..."
// writes it.
int trackmap(const std::vector<std::string>& args, CliContext& context) {
    const auto parsed = parseCliArgs(args, {}, {"-o", "--size"}, context.err);
    if (!parsed) return kExitUsage;
    const std::string* out = parsed->value("-o");
    if (!out) return usageError(context.err, "trackmap needs -o MAP.bmp");
    int size = Settings::instance().bmpSizeInPixel();
    if (const std::string* sizeText = parsed->value("--size")) {
        const auto value = parseInt(*sizeText);
        if (!value || *value < kMinBitmapSize || *value > kMaxBitmapSize)
            return usageError(context.err, "--size takes a size in pixels from 16 to 16384");
        size = *value;
    }
    CommandLineDocument loaded(context.err);
    if (!loaded.load(parsed->positional, "trackmap")) return kExitUsage;
    if (!loaded.document().trackLoaded()) {
        context.err << "No track loaded!\n";
        return kExitFailure;
    }
    const std::filesystem::path target = withBmpExtension(*out);
    LapsShown laps;
    laps.fill(true);
    if (!writeWholeFile(target, trackMapBitmap(loaded.document(), size, laps), std::ios::binary)) {
        context.err << "Error creating file!\n";
        return kExitFailure;
    }
    context.out << target.string() << "\n";
    return kExitOk;
}

}  // namespace

void registerTrackmapCommand(CliApp& app) {
    app.add(
        {"trackmap", "FILE:DRIVER:SESSION:LAP ... -o MAP.bmp [--size S]",
         "draw the track of the laps with their driving lines into a bitmap of S x S pixels (default: the "
         "stored BMPSizeInPixel), as the desktop program exports it",
         trackmap});
}
