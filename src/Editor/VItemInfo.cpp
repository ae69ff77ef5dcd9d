#include "Editor/VItemInfo.h"

#include "Editor/ViewInfoMapper.h"

#include <utility>

VItemInfo::VItemInfo(Arguments arguments)
{
    oid = std::move(arguments.oid);
    layerName = std::move(arguments.layerName);
    varName = std::move(arguments.varName);
    customClassName = std::move(arguments.customClassName);
    if (const boost::json::value* id = arguments.dict.if_contains("do_objectID"); id && id->is_string())
        do_objectID = std::string(id->get_string());
    overrides = arguments.overrides;
    if (arguments.layoutInfo) layoutInfo = std::move(arguments.layoutInfo);
    if (arguments.layout) layout = std::move(arguments.layout);
    colorNamePicker = arguments.colorNamePicker;
    fontNamePicker = arguments.fontNamePicker;
    stringNamePicker = arguments.stringNamePicker;
    jsonString = std::move(arguments.jsonString);
    // The class picker goes to the style only.
    const ViewStyleInfo defaultStyle;
    style = ViewInfoMapper::map(arguments.style ? *arguments.style : defaultStyle, std::move(arguments.dict),
                                arguments.overrides, arguments.colorNamePicker, arguments.fontNamePicker,
                                arguments.stringNamePicker, arguments.classNamePicker);
}
