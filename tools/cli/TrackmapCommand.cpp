#include "CliArgs.h"
#include "Commands.h"
#include "DocumentLoading.h"
#include "common/PathText.h"
#include "common/WholeFile.h"
#include "map/TrackMapBitmap.h"

namespace {

// The track map of the laps' track with their driving lines, as "Save Trackmap as BMP-file..."
// writes it.
int trackmap(const CliArgs& args, CliContext& context) {
    const std::string* out = args.value("-o");
    if (!out) return usageError(context.err, "trackmap needs -o MAP.bmp");
    int size = context.settings.bmpSizeInPixel();
    if (const std::string* sizeText = args.value("--size")) {
        const auto value = parseInt(*sizeText);
        if (!value || *value < kMinBitmapSize || *value > kMaxBitmapSize)
            return usageError(context.err, "--size takes a size in pixels from 16 to 16384");
        size = *value;
    }
    CommandLineDocument loaded(context.err, context.settings);
    if (const int status = loaded.load(args.operands, "trackmap"); status != kExitOk) return status;
    if (!loaded.document().trackLoaded()) return failure(context.err, "No track loaded!");
    const std::filesystem::path target = withBmpExtension(pathFromString(*out));
    LapsShown laps;
    laps.fill(true);
    if (!writeWholeFile(target, trackMapBitmap(loaded.document(), size, laps), std::ios::binary))
        return failure(context.err, "Error creating file!");
    context.out << pathString(target) << "\n";
    return kExitOk;
}

}  // namespace

void registerTrackmapCommand(CliApp& app) {
    app.add({"trackmap",
             "FILE:DRIVER:SESSION:LAP ...",
             "draw the track of the laps with their driving lines into a bitmap, as the desktop program "
             "exports it",
             {{"-o", "MAP.bmp", "the bitmap file (\".bmp\" is added unless the name holds it)", true},
              {"--size", "S", "S x S pixels, 16 to 16384 (default: the stored BMPSizeInPixel)"}},
             trackmap});
}
