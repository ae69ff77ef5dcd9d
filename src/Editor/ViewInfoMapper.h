#pragma once

#include "Editor/ConstraintModel.h"
#include "Editor/ConstraintServerModel.h"
#include "Editor/CustomizedInfo.h"
#include "Editor/OverridePropertiesModel.h"
#include "Editor/VItemInfo.h"
#include "Editor/VStyleInfo.h"
#include "Editor/ViewInfo.h"
#include "Editor/ViewLayoutInfo.h"
#include "Editor/ViewLayoutServerInfo.h"
#include "Editor/ViewStyleExtraInfo.h"
#include "Editor/ViewStyleInfo.h"
#include "Import/Sketch/OverridePropertiesValueModel.h"

#include <boost/json.hpp>

#include <memory>
#include <string_view>
#include <vector>

class ColorNamePicker;
class FontNamePicker;
class StringNamePicker;
class ClassNamePicker;

// Turns the service's view records of an artboard into the client records: parses each view's
// layer JSON, resolves names through the naming pickers (inside VStyleInfo), rewrites constraints
// into the wording of generated layout code and maps the prototype cells of list views, handing
// their views on to the code export. Keeps no state; every call builds new records. The only
// objects shared between service and client records are the frames and the colour, font and
// string models. Missing records (null pointers) map as their defaults.
class ViewInfoMapper {
public:
    ViewInfoMapper() = delete;

    using ColorPicker = std::shared_ptr<ColorNamePicker>;
    using FontPicker = std::shared_ptr<FontNamePicker>;
    using StringPicker = std::shared_ptr<StringNamePicker>;
    using ClassPicker = std::shared_ptr<ClassNamePicker>;

    // Prototype cells nest views in views; deeper cells than this are dropped with a debug line.
    static constexpr int kMaxPrototypeDepth = 256;

    // map(viewInfoList:...): one item per view, in order.
    static std::vector<std::shared_ptr<VItemInfo>> map(const std::vector<std::shared_ptr<ViewInfo>>& viewInfoList,
                                                       const ColorPicker& colorNamePicker,
                                                       const FontPicker& fontNamePicker,
                                                       const StringPicker& stringNamePicker,
                                                       const ClassPicker& classNamePicker);
    // map(viewInfo:...)
    static std::shared_ptr<VItemInfo> map(const ViewInfo& viewInfo, const ColorPicker& colorNamePicker,
                                          const FontPicker& fontNamePicker, const StringPicker& stringNamePicker,
                                          const ClassPicker& classNamePicker);
    // map(overrides:)
    static std::vector<std::shared_ptr<OverridePropertiesValueModel>>
    map(const std::vector<std::shared_ptr<OverridePropertiesModel>>& overrides);
    // map(layoutInfo:...): the pickers are not consulted.
    static std::shared_ptr<ViewLayoutInfo> map(const ViewLayoutServerInfo& layoutInfo,
                                               const ColorPicker& colorNamePicker, const FontPicker& fontNamePicker,
                                               const ClassPicker& classNamePicker);
    // map(constraintServerModelList:...): the pickers are not consulted.
    static std::vector<std::shared_ptr<ConstraintModel>>
    map(const std::vector<std::shared_ptr<ConstraintServerModel>>& constraintServerModelList,
        const ColorPicker& colorNamePicker, const FontPicker& fontNamePicker, const ClassPicker& classNamePicker);
    // map(constraintServerModel:...): the pickers are not consulted.
    static std::shared_ptr<ConstraintModel> map(const ConstraintServerModel& constraintServerModel,
                                                const ColorPicker& colorNamePicker, const FontPicker& fontNamePicker,
                                                const ClassPicker& classNamePicker);
    // map(style:dict:overrides:...): the client style of a view; `dict` is the layer dictionary.
    static std::shared_ptr<VStyleInfo> map(const ViewStyleInfo& style, boost::json::object dict,
                                           const std::vector<std::shared_ptr<OverridePropertiesValueModel>>& overrides,
                                           const ColorPicker& colorNamePicker, const FontPicker& fontNamePicker,
                                           const StringPicker& stringNamePicker, const ClassPicker& classNamePicker);
    // map(extraStyleInfo:style:use:): copies the extra flags and frames onto the style when present and used.
    static void map(const std::shared_ptr<ViewStyleExtraInfo>& extraStyleInfo, VStyleInfo& style, bool use);
    // map(customizedViewInfo:to:...): the delegates, registered cells and prototypes of a list view.
    static void map(const std::shared_ptr<CustomizedInfo>& customizedViewInfo, VItemInfo& item,
                    const ColorPicker& colorNamePicker, const FontPicker& fontNamePicker,
                    const StringPicker& stringNamePicker, const ClassPicker& classNamePicker);

    // The fixed tables of the constraint mapping.
    static Anchors anchor(std::string_view attribute);
    static std::string relation(std::string_view serverRelation);
    static ConstraintPriority priority(std::int64_t serverPriority);
};
