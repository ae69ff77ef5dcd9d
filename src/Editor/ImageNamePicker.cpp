#include "Editor/ImageNamePicker.h"

#include "Editor/PickerText.h"

void ImageNamePicker::loadMap(const std::vector<std::shared_ptr<ImageModel>>& list)
{
    for (const auto& model : list) {
        if (!model) continue;
        imageMap.insert_or_assign(PickerText::normalized(model->oid), model);
    }
}
