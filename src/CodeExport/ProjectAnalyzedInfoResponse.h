#pragma once

#include "Base/BaseModel.h"
#include "Editor/ArtboardViewInfoItem.h"
#include "Editor/ColorModel.h"
#include "Editor/CustomViewInfoItem.h"
#include "Editor/FontModel.h"
#include "Editor/ImageModel.h"
#include "Editor/StringModel.h"
#include "Editor/SymbolMasterViewInfoItem.h"

#include <memory>
#include <vector>

// The analysed-project block of a code generation reply: the project's resources and view
// records as the service analysed them for the export. A plain model despite its name: it
// carries no error of its own.
struct ProjectAnalyzedInfoResponse : BaseModel {
    std::vector<std::shared_ptr<ColorModel>> colors;
    std::vector<std::shared_ptr<FontModel>> fonts;
    std::vector<std::shared_ptr<ImageModel>> images;
    std::vector<std::shared_ptr<StringModel>> strings;
    std::vector<std::shared_ptr<SymbolMasterViewInfoItem>> symbolMasterViewInfoList;
    std::vector<std::shared_ptr<ArtboardViewInfoItem>> artboardViewInfoList;
    std::vector<std::shared_ptr<CustomViewInfoItem>> customViewInfoList;
};
BOOST_DESCRIBE_STRUCT(ProjectAnalyzedInfoResponse, (BaseModel),
                      (colors, fonts, images, strings, symbolMasterViewInfoList, artboardViewInfoList,
                       customViewInfoList))
