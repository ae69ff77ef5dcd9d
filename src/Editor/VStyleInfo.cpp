#include "Editor/VStyleInfo.h"

#include "Editor/ClassNamePicker.h"
#include "Editor/ColorNamePicker.h"
#include "Editor/FontNamePicker.h"
#include "Editor/StringEscaping.h"
#include "Editor/StringNamePicker.h"
#include "Import/Sketch/SketchFinder.h"

#include <utility>

namespace {
const std::string& classNameOf(ProgrammingClass kind)
{
    // The class names the style rules compare with, made once.
    static const std::string view = ProgrammingClass(ProgrammingClass::_view).getRawValue();
    static const std::string button = ProgrammingClass(ProgrammingClass::_button).getRawValue();
    static const std::string textField = ProgrammingClass(ProgrammingClass::_textField).getRawValue();
    static const std::string collectionView = ProgrammingClass(ProgrammingClass::_collectionView).getRawValue();
    static const std::string searchBar = ProgrammingClass(ProgrammingClass::_searchBar).getRawValue();
    switch (kind.value()) {
    case ProgrammingClass::_button: return button;
    case ProgrammingClass::_textField: return textField;
    case ProgrammingClass::_collectionView: return collectionView;
    case ProgrammingClass::_searchBar: return searchBar;
    default: return view;
    }
}

std::string_view textOf(const boost::json::object& dict, std::string_view key)
{
    const boost::json::value* found = dict.if_contains(key);
    if (!found || !found->is_string()) return {};
    return std::string_view(found->get_string().data(), found->get_string().size());
}

// The first fill of a layer when its style has a non-empty list of fill dictionaries.
const boost::json::object* firstFill(const boost::json::object& layer)
{
    const boost::json::value* style = layer.if_contains("style");
    if (!style || !style->is_object()) return nullptr;
    const boost::json::value* fills = style->get_object().if_contains("fills");
    if (!fills || !fills->is_array() || fills->get_array().empty()) return nullptr;
    for (const boost::json::value& fill : fills->get_array()) {
        if (!fill.is_object()) return nullptr;
    }
    return &fills->get_array().front().get_object();
}

bool isTrue(const boost::json::object& dict, std::string_view key)
{
    const boost::json::value* found = dict.if_contains(key);
    return found && found->is_bool() && found->get_bool();
}
} // namespace

VStyleInfo::VStyleInfo(Arguments arguments)
    : frame(arguments.frame ? std::move(arguments.frame) : std::make_shared<FrameModel>())
{
    layerDict = std::move(arguments.dict);
    sketchClass = std::move(arguments.sketchClass);
    cornerRadius = arguments.cornerRadius;
    isBorderEnabled = arguments.isBorderEnabled;
    borderWidth = arguments.borderWidth;
    borderColorModel = std::move(arguments.borderColorModel);
    backgroundColorModel = std::move(arguments.backgroundColorModel);
    textAlignment = arguments.textAlignment;
    fontModel = std::move(arguments.fontModel);
    stringModel = std::move(arguments.stringModel);
    textColorModel = std::move(arguments.textColorModel);
    classNameString = std::move(arguments.classNameString);
    ancestorClassKey = std::move(arguments.ancestorClassKey);
    imageName = std::move(arguments.imageName).value_or(std::string());
    masterId = std::move(arguments.masterId).value_or(std::string());
    contentMode = std::move(arguments.contentMode);
    overrides = std::move(arguments.overrides);
    colorNamePicker = std::move(arguments.colorNamePicker);
    fontNamePicker = std::move(arguments.fontNamePicker);
    stringNamePicker = std::move(arguments.stringNamePicker);
    classNamePicker = std::move(arguments.classNamePicker);

    isImageView = isImageViewLayer(layerDict, *frame);
    isCustomClass = isCustomClassName(sketchClass);
    getProgrammingClassInfo();

    setCornerRadiusInfo();
    setBackgroundColorInfo();
    setBorderInfo();
    setTextValueInfo();
    setOverrideValuesInfo();
    setContentMode();
}

void VStyleInfo::setCornerRadiusInfo()
{
    if (sketchClass == "shapeGroup" || sketchClass == "shapePath") return;
    if (sketchClass == "oval" && classNameString == classNameOf(ProgrammingClass::_view))
        cornerRadius = (frame ? frame->height : 0.0) * 0.5;
    hasCornerRadius = cornerRadius > 0;
}

void VStyleInfo::setBackgroundColorInfo()
{
    if (!backgroundColorModel) {
        hasBackgroundColor = false;
        return;
    }
    hasBackgroundColor = true;
    if (!colorNamePicker) return;
    backgroundColorName = colorNamePicker->getColorName(*backgroundColorModel).value_or(kUndefinedBackgroundColor);
}

void VStyleInfo::setBorderInfo()
{
    // A width without a colour still counts as a border; code generation decides what to draw.
    hasBorder = borderWidth > 0;
    if (hasBorder) setBorderColorInfo();
}

void VStyleInfo::setBorderColorInfo()
{
    if (!borderColorModel || !colorNamePicker) return;
    borderColorName = colorNamePicker->getColorName(*borderColorModel).value_or(kUndefinedBorderName);
}

void VStyleInfo::setTextValueInfo()
{
    if (textColorModel && colorNamePicker)
        textColorName = colorNamePicker->getColorName(*textColorModel).value_or(kDefaultTextColorName);
    if (fontModel && fontNamePicker)
        textStyleName = fontNamePicker->getFontName(*fontModel).value_or(kUndefinedTextFont);
    if (stringModel && stringNamePicker) textKey = stringNamePicker->getStringName(*stringModel).value_or(std::string());
    setTextAlignmentInfo(textAlignment);
}

void VStyleInfo::setTextAlignmentInfo(std::int64_t alignment)
{
    switch (alignment) {
    case 1: textAlignmentS = ".right"; break;
    case 2: textAlignmentS = ".center"; break;
    case 3: textAlignmentS = ".justified"; break;
    default: textAlignmentS = ".left"; break;
    }
    const ContentHorizontalAlignmentType type = contentHorizontalAlignmentType(textAlignmentS);
    contentHorizontalAlignment = type;
    contentHorizontalAlignmentS = "." + std::string(rawValue(type));
}

void VStyleInfo::setOverrideValuesInfo()
{
    for (const std::shared_ptr<OverridePropertiesValueModel>& entry : overrides) {
        if (!entry || entry->relatedProperty != "stringValue") continue;
        entry->relatedPropertyS = "text";
        textKey = entry->value && entry->value->is_string() ? std::string(entry->value->get_string()) : std::string();
        entry->valueS = "\"" + withEscapedNormalized(textKey) + "\"";
    }
}

void VStyleInfo::setContentMode()
{
    if (isImageView && contentMode && *contentMode == "aspectToFill") contentModeS = ".scaleAspectFill";
}

void VStyleInfo::getProgrammingClassInfo()
{
    programmingClass = ProgrammingClass::fromRawValue(ProgrammingClass::getKeyFrom(classNameString))
                           .value_or(ProgrammingClass(ProgrammingClass::_view));
}

bool VStyleInfo::isImageViewLayer(const boost::json::object& layer, const FrameModel& layerFrame)
{
    const std::string_view cls = textOf(layer, "_class");
    if (cls == "bitmap") return true;
    if (SketchFinder::isExportable(layer)) return true;
    if (SketchFinder::isPaternFill(layer)) return true;
    if (cls == "shapeGroup" || cls == "shapePath") return true;
    if (cls == "oval") return layerFrame.height != layerFrame.width;
    return false;
}

bool VStyleInfo::isCustomClassName(std::string_view sketchClassName)
{
    return sketchClassName == "symbolInstance";
}

bool VStyleInfo::isPaternFill(const boost::json::object& layer)
{
    return SketchFinder::isPaternFill(layer);
}

bool VStyleInfo::layerHasBackgroundColor(const boost::json::object& layer)
{
    if (isTrue(layer, "hasBackgroundColor")) return true;
    const boost::json::object* fill = firstFill(layer);
    if (!fill || !isTrue(*fill, "isEnabled")) return false;
    const boost::json::value* fillType = fill->if_contains("fillType");
    return fillType && fillType->is_int64() && fillType->get_int64() == 0;
}

bool VStyleInfo::hasOpacity(const boost::json::object& layer)
{
    const boost::json::value* style = layer.if_contains("style");
    if (!style || !style->is_object()) return false;
    const boost::json::value* context = style->get_object().if_contains("contextSettings");
    if (!context || !context->is_object()) return false;
    const boost::json::value* opacity = context->get_object().if_contains("opacity");
    if (!opacity || !opacity->is_number()) return false;
    boost::system::error_code ec;
    const double value = opacity->to_number<double>(ec);
    return !ec && value != 1.0;
}

bool VStyleInfo::isButtonNeedsWidthHeight(const VStyleInfo& style)
{
    return style.classNameString == classNameOf(ProgrammingClass::_button) && !style.hasTitle &&
           !style.hasBackgroundImage && style.hasImage;
}

bool VStyleInfo::isTextFieldNeedsHeight(const VStyleInfo& style)
{
    return style.classNameString == classNameOf(ProgrammingClass::_textField);
}

bool VStyleInfo::isCollectionView(const VStyleInfo& style)
{
    return style.classNameString == classNameOf(ProgrammingClass::_collectionView);
}

bool VStyleInfo::isSearchBar(const VStyleInfo& style)
{
    return style.classNameString == classNameOf(ProgrammingClass::_searchBar);
}
