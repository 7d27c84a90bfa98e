// The map of the laps the document loaded: the screen's scene and the exported bitmap.
#include "FuzzDocument.h"
#include "FuzzTarget.h"
#include "map/MapScene.h"
#include "map/TrackMapBitmap.h"

VXRA_FUZZ_TARGET(map) {
    FuzzDocument fuzz(input);
    const ReplayDocument& document = fuzz.document();
    LapsShown shown;
    shown.fill(true);
    if (const TrackModel* model = document.trackModel())
        buildMapScene(document, MapTransform(10000, 10000, 50, 50, *model), shown);
    trackMapBitmap(document, 64, shown);
}
