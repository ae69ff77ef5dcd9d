#pragma once

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/FrameModel.h"
#include "Import/Sketch/SketchExportFormatItemModel.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>

// One exportable image of a Sketch layer; `do_objectID` is the layer's id.
struct SketchExportableImageModel : BaseSModel {
    std::optional<QString> url; // local file path the Sketch tool writes the image to
    SketchExportFormatItemModel formatModel; // the layer's first export format
    std::optional<std::string> name;
    std::shared_ptr<FrameModel> frame; // the layer's frame object itself, width and height rounded

    SketchExportableImageModel() = default;
    // Rounds the frame's height and width to one decimal in place: the caller's frame object
    // changes too.
    SketchExportableImageModel(const SketchExportFormatItemModel& fromExportItemModel, std::optional<std::string> name,
                               std::shared_ptr<FrameModel> frame, std::optional<QString> ref, std::string do_objectID);
};
BOOST_DESCRIBE_STRUCT(SketchExportableImageModel, (BaseSModel), (formatModel, name, frame))
