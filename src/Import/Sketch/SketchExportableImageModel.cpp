#include "Import/Sketch/SketchExportableImageModel.h"

#include <cmath>

SketchExportableImageModel::SketchExportableImageModel(const SketchExportFormatItemModel& fromExportItemModel,
                                                       std::optional<std::string> name, std::shared_ptr<FrameModel> frame,
                                                       std::optional<QString> ref, std::string do_objectID)
    : url(std::move(ref))
    , formatModel(fromExportItemModel)
    , name(std::move(name))
    , frame(std::move(frame))
{
    this->do_objectID = std::move(do_objectID);
    if (this->frame) {
        this->frame->height = std::round(this->frame->height * 10.0) / 10.0;
        this->frame->width = std::round(this->frame->width * 10.0) / 10.0;
    }
}
