#pragma once

#include "Base/OrderedMap.h"
#include "Editor/ImageModel.h"

#include <memory>
#include <string>
#include <vector>

// The project's images by id.
class ImageNamePicker {
public:
    // Keyed by the image's oid (Unicode-normalised); a later image with the same id replaces the earlier.
    OrderedMap<std::string, std::shared_ptr<ImageModel>> imageMap;

    void loadMap(const std::vector<std::shared_ptr<ImageModel>>& list);
};
