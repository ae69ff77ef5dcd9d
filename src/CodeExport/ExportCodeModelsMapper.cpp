#include "CodeExport/ExportCodeModelsMapper.h"

#include "Editor/VItemInfo.h"

std::vector<std::shared_ptr<ItemInfoModel>>
ExportCodeModelsMapper::map(const std::vector<std::shared_ptr<VItemInfo>>& itemInfoList)
{
    std::vector<std::shared_ptr<ItemInfoModel>> result;
    result.reserve(itemInfoList.size());
    const VItemInfo empty;
    for (const std::shared_ptr<VItemInfo>& item : itemInfoList) result.push_back(map(item ? *item : empty));
    return result;
}

std::shared_ptr<ItemInfoModel> ExportCodeModelsMapper::map(const VItemInfo& itemInfo)
{
    auto model = std::make_shared<ItemInfoModel>();
    model->varName = itemInfo.varName;
    if (itemInfo.layout) {
        model->frame->x = itemInfo.layout->x;
        model->frame->y = itemInfo.layout->y;
        model->frame->width = itemInfo.layout->width;
        model->frame->height = itemInfo.layout->height;
    }
    if (const VStyleInfo* style = itemInfo.style.get()) {
        model->programmingClass = style->programmingClass.rawValue();
        model->customClass = style->classNameString;
        model->isCustomClass = style->isCustomClass;
        ItemStyleInfoModel& out = *model->style;
        out.classNameString = style->classNameString;
        out.hasBackgroundColor = style->hasBackgroundColor;
        out.backgroundColorModel = style->backgroundColorModel;
        out.fontModel = style->fontModel;
        out.textColorModel = style->textColorModel;
        out.stringModel = style->stringModel;
        out.textAlignmentS = style->textAlignmentS;
        out.imageName = style->imageName;
        out.hasImage = style->hasImage;
        out.hasBackgroundImage = style->hasBackgroundImage;
        out.hasContentEdgeInset = style->hasContentEdgeInset;
        out.contentInsetPadding = style->contentInsetPadding;
        out.contentInsetVerticalPadding = style->contentInsetVerticalPadding;
        out.hasPlaceholder = style->hasPlaceholder;
        out.scrollAlignment = style->scrollAlignment;
    }
    if (itemInfo.layoutInfo) {
        model->constraints.reserve(itemInfo.layoutInfo->constraints.size());
        for (const std::shared_ptr<ConstraintModel>& constraint : itemInfo.layoutInfo->constraints) {
            if (!constraint) continue;
            auto out = std::make_shared<ItemConstraintInfoModel>();
            out->isDuplicate = constraint->isDuplicate;
            out->attribute1Str = constraint->attribute1Str;
            out->attribute2Str = constraint->attribute2Str;
            out->view1 = constraint->view1;
            out->view2 = constraint->view2;
            out->constant = constraint->constant;
            out->multiplier = constraint->multiplier;
            out->multiplierPart1 = constraint->multiplierPart1;
            out->multiplierPart2 = constraint->multiplierPart2;
            out->relation = constraint->relation;
            out->priority = constraint->priorityS;
            out->host = constraint->host;
            model->constraints.push_back(std::move(out));
        }
    }
    return model;
}
