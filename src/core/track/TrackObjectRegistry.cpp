#include "track/TrackObjectRegistry.h"

TrackObjectRegistry& TrackObjectRegistry::instance() {
    static TrackObjectRegistry registry;
    return registry;
}

void TrackObjectRegistry::clear() {
    std::apply([](auto&... list) { (list.clear(), ...); }, lists_);
    classIds_.clear();
    lastObjectId = 0;
}

bool TrackObjectRegistry::firstSightOfClass(std::uint32_t classId) {
    if (std::find(classIds_.begin(), classIds_.end(), classId) != classIds_.end()) return false;
    classIds_.push_back(classId);
    return true;
}
