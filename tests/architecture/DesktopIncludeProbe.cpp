// Compiled with the core's settings by a test that expects this include to fail: the core's one
// include root is src/core, so even a desktop header without Qt in it is out of reach.
#include "desktop/map/TrackMapView.h"
