#pragma once

// The open project as the editor knows it: rebuilt by the project window from every artboard
// detail reply. Lists are shared with the reply, not copied; the code preferences are a copy.

#include "CodePreferences/CodeGenerationInfo.h"
#include "Editor/ColorModel.h"
#include "Editor/FontModel.h"
#include "Editor/ImageModel.h"
#include "Editor/StringModel.h"

#include <memory>
#include <string>
#include <vector>

class ClassNamePicker;
class ColorNamePicker;
class FontNamePicker;
class ImageNamePicker;
class StringNamePicker;
struct ArtboardContainerModel;
struct ArtboardViewInfoItem;
struct CodePreferenceContainer;
struct CustomViewInfoItem;
struct DirectoryDTO;
struct SymbolMasterViewInfoItem;

struct ProjectContainerModel {
    CodeGenerationInfo codeGenerationInfo; // for the platform of the project the editor shows
    std::shared_ptr<CodePreferenceContainer> codePreferences;
    std::shared_ptr<DirectoryDTO> codeDirectory;
    std::string selectedCodeFilePath;

    std::vector<std::shared_ptr<ColorModel>> colors;
    std::vector<std::shared_ptr<ColorModel>> screenColors;
    std::vector<std::shared_ptr<FontModel>> fonts;
    std::vector<std::shared_ptr<FontModel>> screenFonts;
    std::vector<std::shared_ptr<StringModel>> strings;
    std::vector<std::shared_ptr<StringModel>> screenStrings;
    std::vector<std::shared_ptr<ImageModel>> images;

    std::vector<std::shared_ptr<SymbolMasterViewInfoItem>> symbolMasterViewInfoList;
    std::vector<std::shared_ptr<ArtboardViewInfoItem>> artboardViewInfoList;
    std::vector<std::shared_ptr<CustomViewInfoItem>> customViewInfoList;

    std::shared_ptr<ColorNamePicker> colorNamePicker;
    std::shared_ptr<FontNamePicker> fontNamePicker;
    std::shared_ptr<StringNamePicker> stringNamePicker;
    std::shared_ptr<ImageNamePicker> imageNamePicker;
    std::shared_ptr<ClassNamePicker> classNamePicker;

    // Set by the project window before the editor is updated.
    std::shared_ptr<ArtboardContainerModel> selectedArtboardContainerModel;
};
