#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <tuple>
#include <vector>

#include "track/VxObjects.h"

// Everything decoded from one track file: per kind the objects (owned), the class ids seen and
// the last object id. Each track file owns its own; the objects keep their addresses when it moves.
class TrackObjectRegistry {
public:
    // The object of kind T with this id, or null.
    template <typename T>
    T* find(std::uint32_t id) const {
        const auto& list = objects<T>();
        auto it = std::find_if(list.begin(), list.end(),
                               [id](const auto& object) { return object->objectId == id; });
        return it == list.end() ? nullptr : it->get();
    }
    template <typename T>
    T* add(std::uint32_t id) {
        auto& list = objects<T>();
        list.push_back(std::make_unique<T>());
        list.back()->objectId = id;
        return list.back().get();
    }
    template <typename T>
    std::size_t count() const {
        return objects<T>().size();
    }

    // True the first time a class id is met; it is remembered from then on.
    bool firstSightOfClass(std::uint32_t classId);

    std::uint32_t lastObjectId = 0;

private:
    template <typename T>
    using List = std::vector<std::unique_ptr<T>>;
    template <typename T>
    List<T>& objects() {
        return std::get<List<T>>(lists_);
    }
    template <typename T>
    const List<T>& objects() const {
        return std::get<List<T>>(lists_);
    }

    std::tuple<List<VxTrack>, List<VxSegment>, List<VxXSection>, List<VxFSection>, List<VxWSection>,
               List<VxAppearance>, List<VxTexture>, List<VxTextureCoords>, List<VxTrackDetail>,
               List<VxTSOReference>, List<VxTSO>>
        lists_;
    std::vector<std::uint32_t> classIds_;
};
