#pragma once

#include "Base/BaseModel.h"
#include "CodeExport/AndroidGenerationResponse.h"
#include "CodePreferences/CodePreferenceContainer.h"
#include "Components/ComponentDisplayInfo.h"
#include "Components/ComponentTypeDisplayInfo.h"
#include "Editor/ArtboardViewInfoItem.h"
#include "Editor/ColorModel.h"
#include "Editor/CustomViewInfoItem.h"
#include "Editor/DirectoryDTO.h"
#include "Editor/FontModel.h"
#include "Editor/ImageModel.h"
#include "Editor/ProjectResourceInfo.h"
#include "Editor/StringModel.h"
#include "Editor/SymbolMasterViewInfoItem.h"
#include "Import/Sketch/ArtboardContainerFlatModel.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Everything the editor shows of one artboard, in one reply of "main/detailInfo".
struct ArtboardDetailInfoResponse : BaseResponseModel {
    std::vector<std::shared_ptr<ProjectResourceInfo>> resources;
    std::vector<ComponentTypeDisplayInfo> componentTypeList;
    std::vector<ComponentTypeDisplayInfo> convertibleTypeList;
    std::vector<ComponentDisplayInfo> componentList;
    CodePreferenceContainer codePreferences;
    std::vector<std::shared_ptr<ColorModel>> colors;
    std::vector<std::shared_ptr<FontModel>> fonts;
    std::vector<std::shared_ptr<ImageModel>> images;
    std::vector<std::shared_ptr<StringModel>> strings;
    std::vector<std::shared_ptr<ColorModel>> screenColors;
    std::vector<std::shared_ptr<FontModel>> screenFonts;
    std::vector<std::shared_ptr<StringModel>> screenStrings;
    ArtboardContainerFlatModel artboardFlatModel;
    std::vector<std::shared_ptr<SymbolMasterViewInfoItem>> symbolMasterViewInfoList;
    std::vector<std::shared_ptr<ArtboardViewInfoItem>> artboardViewInfoList; // the editor uses the first
    std::vector<std::shared_ptr<CustomViewInfoItem>> customViewInfoList;
    std::optional<AndroidGenerationResponse> androidXmlGenerationResponse; // absent stays absent
    std::shared_ptr<DirectoryDTO> codeDirectory = std::make_shared<DirectoryDTO>(); // null stands for empty
    std::string selectedCodeFilePath;
};
BOOST_DESCRIBE_STRUCT(ArtboardDetailInfoResponse, (BaseResponseModel),
                      (resources, componentTypeList, convertibleTypeList, componentList, codePreferences, colors, fonts, images,
                       strings, screenColors, screenFonts, screenStrings, artboardFlatModel, symbolMasterViewInfoList,
                       artboardViewInfoList, customViewInfoList, androidXmlGenerationResponse, codeDirectory,
                       selectedCodeFilePath))
