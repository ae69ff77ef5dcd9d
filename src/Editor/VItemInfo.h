#pragma once

#include "Base/OrderedMap.h"
#include "CodeExport/CustomItemInfoModel.h"
#include "Editor/CustomizedInfo.h"
#include "Editor/ViewDelegateInfo.h"
#include "Editor/ViewLayoutInfo.h"
#include "Editor/ViewStyleInfo.h"
#include "Editor/VStyleInfo.h"
#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/FrameModel.h"
#include "Import/Sketch/OverridePropertiesValueModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <boost/json.hpp>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class ColorNamePicker;
class FontNamePicker;
class StringNamePicker;
class ClassNamePicker;

// The client record of one view of the open artboard: identity, layout with client constraints,
// list-view delegates and prototypes, and the resolved style. `layout` is the service record's
// frame object itself; `overrides` shares its entries with the style's list.
struct VItemInfo : BaseSModel {
    std::string oid;
    std::string layerName;
    std::string varName;
    std::optional<std::string> customClassName;
    std::optional<std::vector<std::string>> registerItems; // class names of the prototype cells, in order
    std::string destinationName;
    bool isImaginaryMainLayer = false;
    std::vector<std::shared_ptr<ViewDelegateInfo>> delegates;
    std::shared_ptr<VStyleInfo> style = std::make_shared<VStyleInfo>();
    std::shared_ptr<FrameModel> layout = std::make_shared<FrameModel>();
    std::shared_ptr<ColorNamePicker> colorNamePicker;   // optional, not mapped
    std::shared_ptr<FontNamePicker> fontNamePicker;     // optional, not mapped
    std::shared_ptr<StringNamePicker> stringNamePicker; // optional, not mapped
    std::vector<std::shared_ptr<OverridePropertiesValueModel>> overrides;
    // Keyed by the cell's class name, in the order the cells came.
    OrderedMap<std::string, std::shared_ptr<CustomItemInfoModel>> prototypes;
    std::shared_ptr<ViewLayoutInfo> layoutInfo = std::make_shared<ViewLayoutInfo>();
    std::shared_ptr<CustomizedInfo> customizedInfo; // optional; nothing in the client sets it
    std::string jsonString;                         // the view's layer JSON text

    // The arguments of the initialiser, in its order. masterId and imageName are accepted and not used.
    struct Arguments {
        std::string oid{};
        std::string layerName{};
        std::string varName{};
        std::optional<std::string> customClassName{};
        boost::json::object dict{}; // the parsed layer JSON
        std::string jsonString{};
        std::shared_ptr<FrameModel> layout{};
        std::optional<std::string> masterId{};
        std::optional<std::string> imageName{};
        std::vector<std::shared_ptr<OverridePropertiesValueModel>> overrides{};
        std::shared_ptr<ViewLayoutInfo> layoutInfo{};
        std::shared_ptr<ViewStyleInfo> style{}; // the service's style
        std::shared_ptr<ColorNamePicker> colorNamePicker{};
        std::shared_ptr<FontNamePicker> fontNamePicker{};
        std::shared_ptr<StringNamePicker> stringNamePicker{};
        std::shared_ptr<ClassNamePicker> classNamePicker{};
    };

    VItemInfo() = default;
    // Stores the identity, the layer's do_objectID, the shared layout and overrides, and builds the
    // client style from the service's style through ViewInfoMapper. Missing records give defaults.
    explicit VItemInfo(Arguments arguments);
};
BOOST_DESCRIBE_STRUCT(VItemInfo, (BaseSModel),
                      (oid, layerName, varName, customClassName, registerItems, destinationName, isImaginaryMainLayer,
                       delegates, style, layout, overrides, prototypes, layoutInfo, customizedInfo, jsonString))

template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<VItemInfo>>> : SharedModelListTraits<VItemInfo> {};
