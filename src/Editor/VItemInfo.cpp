#include "Editor/VItemInfo.h"

#include "Editor/ViewInfoMapper.h"

#include <utility>

VItemInfo::VItemInfo(Arguments arguments)
    // The shared records are set here, not made as defaults first and then replaced: an artboard
    // maps thousands of these.
    : style(nullptr)
    , layout(arguments.layout ? std::move(arguments.layout) : std::make_shared<FrameModel>())
    , layoutInfo(arguments.layoutInfo ? std::move(arguments.layoutInfo) : std::make_shared<ViewLayoutInfo>())
{
    oid = std::move(arguments.oid);
    layerName = std::move(arguments.layerName);
    varName = std::move(arguments.varName);
    customClassName = std::move(arguments.customClassName);
    if (const boost::json::value* id = arguments.dict.if_contains("do_objectID"); id && id->is_string())
        do_objectID = std::string(id->get_string());
    overrides = arguments.overrides;
    colorNamePicker = arguments.colorNamePicker;
    fontNamePicker = arguments.fontNamePicker;
    stringNamePicker = arguments.stringNamePicker;
    jsonString = std::move(arguments.jsonString);
    // The class picker goes to the style only.
    const std::shared_ptr<ViewStyleInfo> serverStyle =
        arguments.style ? std::move(arguments.style) : std::make_shared<ViewStyleInfo>();
    style = ViewInfoMapper::map(*serverStyle, std::move(arguments.dict), arguments.overrides, arguments.colorNamePicker,
                                arguments.fontNamePicker, arguments.stringNamePicker, arguments.classNamePicker);
}
