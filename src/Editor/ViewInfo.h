#pragma once

#include "Base/BaseModel.h"
#include "Editor/OverridePropertiesModel.h"
#include "Editor/ViewLayoutServerInfo.h"
#include "Editor/ViewStyleInfo.h"
#include "Import/Sketch/FrameModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct CustomizedInfo;

// One view of an artboard as the service describes it. `layout` is the view's frame in artboard
// space; the client record made from this one shares that object.
struct ViewInfo : BaseModel {
    std::string oid; // the key of every selection
    std::string layerName;
    std::string varName;
    std::shared_ptr<ViewStyleInfo> style = std::make_shared<ViewStyleInfo>();
    std::shared_ptr<FrameModel> layout = std::make_shared<FrameModel>();
    std::vector<std::shared_ptr<OverridePropertiesModel>> overrides;
    bool isImaginary = false;
    std::shared_ptr<ViewLayoutServerInfo> layoutInfo = std::make_shared<ViewLayoutServerInfo>();
    std::shared_ptr<CustomizedInfo> customizedInfo; // optional: list-view customisation
    std::optional<std::string> jsonString;          // the design layer as JSON text; untrusted
};
BOOST_DESCRIBE_STRUCT(ViewInfo, (BaseModel),
                      (oid, layerName, varName, style, layout, overrides, isImaginary, layoutInfo, customizedInfo,
                       jsonString))

// Views nest through the prototype cells of list views; the depth is bounded against hostile replies.
template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<ViewInfo>>> : SharedModelListTraits<ViewInfo, true> {};

// Completes the recursive record (CustomizedInfo holds prototype cells that hold views).
#include "Editor/CustomizedInfo.h"
