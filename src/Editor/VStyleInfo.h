#pragma once

#include "Editor/ColorModel.h"
#include "Editor/ContentHorizontalAlignmentType.h"
#include "Editor/FontModel.h"
#include "Editor/ProgrammingClass.h"
#include "Editor/StringModel.h"
#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/FrameModel.h"
#include "Import/Sketch/OverridePropertiesValueModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <boost/json.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ColorNamePicker;
class FontNamePicker;
class StringNamePicker;
class ClassNamePicker;

// The style of one view resolved into code-ready names: colour, text-style and string names from
// the naming pickers, alignment and content-mode code values, and flags. The frames, the overrides
// and the colour, font and string models are shared with the records they came from.
struct VStyleInfo : BaseSModel {
    static constexpr const char* kUndefinedBackgroundColor = "Undefined_Background_Color";
    static constexpr const char* kUndefinedBorderName = "Undefined_Border_Name";
    static constexpr const char* kUndefinedTextFont = "Undefined_Text_Font";
    static constexpr const char* kDefaultTextColorName = "black";

    std::shared_ptr<FrameModel> frame = std::make_shared<FrameModel>();
    std::vector<std::shared_ptr<OverridePropertiesValueModel>> overrides;
    std::string sketchClass;
    ProgrammingClass programmingClass = ProgrammingClass::_view;
    double cornerRadius = 0;
    bool isBorderEnabled = false; // stored, not consulted
    double borderWidth = 0;
    std::shared_ptr<ColorModel> borderColorModel;     // optional
    std::shared_ptr<ColorModel> backgroundColorModel; // optional
    std::shared_ptr<FontModel> fontModel;             // optional
    std::shared_ptr<StringModel> stringModel;         // optional
    std::shared_ptr<ColorModel> textColorModel;       // optional
    std::int64_t textAlignment = 0;
    std::string masterId;
    std::optional<std::string> contentMode;
    std::string imageName;
    std::string classNameString;
    std::string ancestorClassKey;
    std::shared_ptr<ColorNamePicker> colorNamePicker;   // optional, not mapped
    std::shared_ptr<FontNamePicker> fontNamePicker;     // optional, not mapped
    std::shared_ptr<StringNamePicker> stringNamePicker; // optional, not mapped
    std::shared_ptr<ClassNamePicker> classNamePicker;   // optional, not mapped; stored, not consulted
    std::string borderColorName;
    std::string backgroundColorName;
    std::string textColorName;
    std::string textStyleName;
    std::string textKey;
    std::string leftViewImageName;
    bool isCustomClass = false;
    bool isImageView = false;
    std::string textAlignmentS;
    std::string contentModeS;
    bool hasBorder = false;
    bool hasCornerRadius = false;
    bool hasBackgroundColor = false;
    std::optional<ContentHorizontalAlignmentType> contentHorizontalAlignment;
    std::string contentHorizontalAlignmentS;
    bool hasTitle = false;
    bool hasImage = false;
    bool hasBackgroundImage = false;
    bool hasContentEdgeInset = false;
    double contentInsetPadding = 0;
    double contentInsetVerticalPadding = 0;
    std::shared_ptr<FrameModel> oneItemFrame = std::make_shared<FrameModel>();
    std::string scrollAlignment;
    bool hasText = false;
    bool hasPlaceholder = false;
    bool hasLeftView = false;
    bool hasLeftViewWithImage = false;
    std::shared_ptr<FrameModel> leftViewFrame = std::make_shared<FrameModel>();
    std::shared_ptr<FrameModel> leftImageFrame = std::make_shared<FrameModel>();
    boost::json::object layerDict; // the design layer's dictionary

    // The arguments of the working initialiser, in its order.
    struct Arguments {
        boost::json::object dict{};
        std::shared_ptr<FrameModel> frame{};
        std::string sketchClass{};
        std::int64_t textAlignment = 0;
        double cornerRadius = 0;
        bool isBorderEnabled = false;
        double borderWidth = 0;
        std::shared_ptr<ColorModel> borderColorModel{};
        std::shared_ptr<ColorModel> backgroundColorModel{};
        std::shared_ptr<FontModel> fontModel{};
        std::shared_ptr<StringModel> stringModel{};
        std::shared_ptr<ColorModel> textColorModel{};
        std::optional<std::string> imageName{};
        std::optional<std::string> masterId{};
        std::optional<std::string> contentMode{};
        std::string classNameString{};
        std::string ancestorClassKey{};
        std::vector<std::shared_ptr<OverridePropertiesValueModel>> overrides{};
        std::shared_ptr<ColorNamePicker> colorNamePicker{};
        std::shared_ptr<FontNamePicker> fontNamePicker{};
        std::shared_ptr<StringNamePicker> stringNamePicker{};
        std::shared_ptr<ClassNamePicker> classNamePicker{};
    };

    VStyleInfo() = default;
    // The working initialiser: stores the arguments, works out the image-view, custom-class and
    // class-kind facts, then runs the setters in their fixed order. A missing frame gives a zero one.
    explicit VStyleInfo(Arguments arguments);

    // The setters. Each that asks a picker does nothing with the model it names when that picker is absent.
    void setCornerRadiusInfo();
    void setBackgroundColorInfo();
    void setBorderInfo();
    void setBorderColorInfo();
    void setTextValueInfo();
    void setTextAlignmentInfo(std::int64_t alignment);
    void setOverrideValuesInfo();
    void setContentMode();
    void getProgrammingClassInfo();
    std::int64_t getTextAlignment() const { return textAlignment; }

    // Predicates on layers and styles. Those named after a field carry a suffix in C++:
    // isImageView(layerDict:frame:) is isImageViewLayer, isCustomClass(sketchClassName:) is
    // isCustomClassName, hasBackgroundColor(layer:) is layerHasBackgroundColor.
    static bool isImageViewLayer(const boost::json::object& layer, const FrameModel& layerFrame);
    static bool isCustomClassName(std::string_view sketchClassName);
    static bool isPaternFill(const boost::json::object& layer);
    static bool layerHasBackgroundColor(const boost::json::object& layer);
    static bool hasOpacity(const boost::json::object& layer);
    static bool isButtonNeedsWidthHeight(const VStyleInfo& style);
    static bool isTextFieldNeedsHeight(const VStyleInfo& style);
    static bool isCollectionView(const VStyleInfo& style);
    static bool isSearchBar(const VStyleInfo& style);
};
BOOST_DESCRIBE_STRUCT(VStyleInfo, (BaseSModel),
                      (frame, overrides, sketchClass, programmingClass, cornerRadius, isBorderEnabled, borderWidth,
                       borderColorModel, backgroundColorModel, fontModel, stringModel, textColorModel, textAlignment,
                       masterId, contentMode, imageName, classNameString, ancestorClassKey, borderColorName,
                       backgroundColorName, textColorName, textStyleName, textKey, leftViewImageName, isCustomClass,
                       isImageView, textAlignmentS, contentModeS, hasBorder, hasCornerRadius, hasBackgroundColor,
                       contentHorizontalAlignment, contentHorizontalAlignmentS, hasTitle, hasImage, hasBackgroundImage,
                       hasContentEdgeInset, contentInsetPadding, contentInsetVerticalPadding, oneItemFrame,
                       scrollAlignment, hasText, hasPlaceholder, hasLeftView, hasLeftViewWithImage, leftViewFrame,
                       leftImageFrame, layerDict))
