#include "Import/Sketch/SketchExportableImageModel.h"

#include <cmath>

SketchExportableImageModel::SketchExportableImageModel(const SketchExportFormatItemModel& fromExportItemModel,
                                                       std::optional<std::string> layerName, std::shared_ptr<FrameModel> layerFrame,
                                                       std::optional<QString> ref, std::string objectID)
    : url(std::move(ref))
    , formatModel(fromExportItemModel)
    , name(std::move(layerName))
    , frame(std::move(layerFrame))
{
    do_objectID = std::move(objectID);
    if (this->frame) {
        this->frame->height = std::round(this->frame->height * 10.0) / 10.0;
        this->frame->width = std::round(this->frame->width * 10.0) / 10.0;
    }
}
