#pragma once

#include "Base/BaseModel.h"
#include "Components/ComponentDisplayInfo.h"
#include "Components/ComponentTypeDisplayInfo.h"
#include "Editor/ColorModel.h"
#include "Editor/DirectoryDTO.h"
#include "Editor/FontModel.h"
#include "Editor/ImageModel.h"
#include "Editor/ProjectResourceInfo.h"
#include "Editor/StringModel.h"
#include "Import/Sketch/ArtboardContainerFlatModel.h"

#include <memory>
#include <string>
#include <vector>

// Everything the editor shows of one artboard, in one reply of "main/detailInfo".
struct ArtboardDetailInfoResponse : BaseResponseModel {
    std::vector<std::shared_ptr<ProjectResourceInfo>> resources;
    std::vector<ComponentTypeDisplayInfo> componentTypeList;
    std::vector<ComponentTypeDisplayInfo> convertibleTypeList;
    std::vector<ComponentDisplayInfo> componentList;
    std::vector<std::shared_ptr<ColorModel>> colors;
    std::vector<std::shared_ptr<FontModel>> fonts;
    std::vector<std::shared_ptr<ImageModel>> images;
    std::vector<std::shared_ptr<StringModel>> strings;
    std::vector<std::shared_ptr<ColorModel>> screenColors;
    std::vector<std::shared_ptr<FontModel>> screenFonts;
    std::vector<std::shared_ptr<StringModel>> screenStrings;
    ArtboardContainerFlatModel artboardFlatModel;
    std::shared_ptr<DirectoryDTO> codeDirectory = std::make_shared<DirectoryDTO>();
    std::string selectedCodeFilePath;
};
BOOST_DESCRIBE_STRUCT(ArtboardDetailInfoResponse, (BaseResponseModel),
                      (resources, componentTypeList, convertibleTypeList, componentList, colors, fonts, images, strings,
                       screenColors, screenFonts, screenStrings, artboardFlatModel, codeDirectory, selectedCodeFilePath))
