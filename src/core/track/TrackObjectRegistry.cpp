#include "track/TrackObjectRegistry.h"

bool TrackObjectRegistry::firstSightOfClass(std::uint32_t classId) {
    if (std::find(classIds_.begin(), classIds_.end(), classId) != classIds_.end()) return false;
    classIds_.push_back(classId);
    return true;
}
