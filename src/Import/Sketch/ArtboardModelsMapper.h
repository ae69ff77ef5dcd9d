#pragma once

#include "Import/Plugin/ArtboardDisplayInfo.h"
#include "Import/Sketch/ArtboardSumModel.h"

#include <memory>

// Turns the service's artboard record back into an artboard summary.
class ArtboardModelsMapper {
public:
    ArtboardModelsMapper() = delete;

    // The summary stands at its own origin (x = y = 0) whatever the record's frame says; its
    // `dict` is the parsed jsonString when that holds a JSON object.
    static std::shared_ptr<ArtboardSumModel> map(const ArtboardDisplayInfo& artboard);
};
