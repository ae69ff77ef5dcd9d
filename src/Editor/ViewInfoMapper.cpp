#include "Editor/ViewInfoMapper.h"

#include "CodeExport/CustomItemInfoModel.h"
#include "CodeExport/ExportCodeModelsMapper.h"
#include "Editor/ConstraintAttributes.h"
#include "Editor/CustomItemViewInfoModel.h"
#include "Import/Sketch/JsonSerialization.h"
#include "platform/DebugLog.h"

#include <array>
#include <utility>

std::vector<std::shared_ptr<VItemInfo>> ViewInfoMapper::map(const std::vector<std::shared_ptr<ViewInfo>>& viewInfoList,
                                                            const ColorPicker& colorNamePicker,
                                                            const FontPicker& fontNamePicker,
                                                            const StringPicker& stringNamePicker,
                                                            const ClassPicker& classNamePicker)
{
    std::vector<std::shared_ptr<VItemInfo>> items;
    items.reserve(viewInfoList.size());
    const ViewInfo empty;
    for (const std::shared_ptr<ViewInfo>& viewInfo : viewInfoList)
        items.push_back(map(viewInfo ? *viewInfo : empty, colorNamePicker, fontNamePicker, stringNamePicker,
                            classNamePicker));
    return items;
}

std::shared_ptr<VItemInfo> ViewInfoMapper::map(const ViewInfo& viewInfo, const ColorPicker& colorNamePicker,
                                               const FontPicker& fontNamePicker, const StringPicker& stringNamePicker,
                                               const ClassPicker& classNamePicker)
{
    // An unparsable layer text behaves as no text at all.
    boost::json::object dict = JsonSerialization::json(viewInfo.jsonString);
    std::vector<std::shared_ptr<OverridePropertiesValueModel>> overrides = map(viewInfo.overrides);
    const ViewLayoutServerInfo emptyLayout;
    std::shared_ptr<ViewLayoutInfo> layoutInfo =
        map(viewInfo.layoutInfo ? *viewInfo.layoutInfo : emptyLayout, colorNamePicker, fontNamePicker, classNamePicker);
    const std::shared_ptr<ViewStyleInfo>& style = viewInfo.style;

    auto item = std::make_shared<VItemInfo>(VItemInfo::Arguments{
        .oid = viewInfo.oid,
        .layerName = viewInfo.layerName,
        .varName = viewInfo.varName,
        .customClassName = std::nullopt,
        .dict = std::move(dict),
        .jsonString = viewInfo.jsonString.value_or(std::string()),
        .layout = viewInfo.layout,
        .masterId = style ? std::optional<std::string>(style->masterId) : std::nullopt,
        .imageName = style ? std::optional<std::string>(style->imageName) : std::nullopt,
        .overrides = std::move(overrides),
        .layoutInfo = std::move(layoutInfo),
        .style = style,
        .colorNamePicker = colorNamePicker,
        .fontNamePicker = fontNamePicker,
        .stringNamePicker = stringNamePicker,
        .classNamePicker = classNamePicker,
    });
    map(viewInfo.customizedInfo, *item, colorNamePicker, fontNamePicker, stringNamePicker, classNamePicker);
    return item;
}

std::vector<std::shared_ptr<OverridePropertiesValueModel>>
ViewInfoMapper::map(const std::vector<std::shared_ptr<OverridePropertiesModel>>& overrides)
{
    std::vector<std::shared_ptr<OverridePropertiesValueModel>> result;
    result.reserve(overrides.size());
    for (const std::shared_ptr<OverridePropertiesModel>& server : overrides) {
        auto entry = std::make_shared<OverridePropertiesValueModel>();
        if (server) {
            entry->overrideName = server->overrideName;
            entry->relatedVarName = server->relatedVarName;
            entry->relatedProperty = server->relatedProperty;
            entry->relatedLayerID = server->relatedLayerId;
            if (server->value)
                entry->value = boost::json::value(boost::json::string_view(server->value->data(), server->value->size()));
        }
        result.push_back(std::move(entry));
    }
    return result;
}

std::shared_ptr<ViewLayoutInfo> ViewInfoMapper::map(const ViewLayoutServerInfo& layoutInfo,
                                                    const ColorPicker& colorNamePicker,
                                                    const FontPicker& fontNamePicker,
                                                    const ClassPicker& classNamePicker)
{
    auto client = std::make_shared<ViewLayoutInfo>();
    client->parentName = layoutInfo.parentName;
    client->parentLayerId = layoutInfo.parentLayerId;
    client->parentLayerDistance = layoutInfo.parentLayerDistance;
    client->isParent = layoutInfo.isParent;
    client->isBelongToRow = layoutInfo.isBelongToRow;
    client->constraints = map(layoutInfo.constraints, colorNamePicker, fontNamePicker, classNamePicker);
    return client;
}

std::vector<std::shared_ptr<ConstraintModel>>
ViewInfoMapper::map(const std::vector<std::shared_ptr<ConstraintServerModel>>& constraintServerModelList,
                    const ColorPicker& colorNamePicker, const FontPicker& fontNamePicker,
                    const ClassPicker& classNamePicker)
{
    std::vector<std::shared_ptr<ConstraintModel>> result;
    result.reserve(constraintServerModelList.size());
    const ConstraintServerModel empty;
    for (const std::shared_ptr<ConstraintServerModel>& server : constraintServerModelList)
        result.push_back(map(server ? *server : empty, colorNamePicker, fontNamePicker, classNamePicker));
    return result;
}

Anchors ViewInfoMapper::anchor(std::string_view attribute)
{
    const std::optional<ConstraintAttributes> found = fromRawValue<ConstraintAttributes>(attribute);
    if (!found) return Anchors::none;
    switch (*found) {
    case ConstraintAttributes::leading: return Anchors::leadingAnchor;
    case ConstraintAttributes::top: return Anchors::topAnchor;
    case ConstraintAttributes::trailing: return Anchors::trailingAnchor;
    case ConstraintAttributes::bottom: return Anchors::bottomAnchor;
    case ConstraintAttributes::width: return Anchors::widthAnchor;
    case ConstraintAttributes::height: return Anchors::heightAnchor;
    case ConstraintAttributes::centerX: return Anchors::centerXAnchor;
    case ConstraintAttributes::centerY: return Anchors::centerYAnchor;
    }
    return Anchors::none;
}

std::string ViewInfoMapper::relation(std::string_view serverRelation)
{
    if (serverRelation == "lessThanOrEqual") return "lessThanOrEqualTo";
    if (serverRelation == "greaterThanOrEqual") return "greaterThanOrEqualTo";
    return "equalTo";
}

ConstraintPriority ViewInfoMapper::priority(std::int64_t serverPriority)
{
    switch (serverPriority) {
    case 0: return ConstraintPriority::none;
    case 250: return ConstraintPriority::defaultLow;
    case 750: return ConstraintPriority::defaultHigh;
    default: return ConstraintPriority::required;
    }
}

std::shared_ptr<ConstraintModel> ViewInfoMapper::map(const ConstraintServerModel& constraintServerModel,
                                                     const ColorPicker& /*colorNamePicker*/,
                                                     const FontPicker& /*fontNamePicker*/,
                                                     const ClassPicker& /*classNamePicker*/)
{
    const ConstraintServerModel& server = constraintServerModel;
    static constexpr std::array<std::string_view, 6> kAnchorKinds = {"leading", "trailing", "top",
                                                                      "bottom",  "centerX",  "centerY"};
    bool isAnchor = false;
    for (const std::string_view kind : kAnchorKinds) isAnchor = isAnchor || server.typeId == kind;
    const bool isConstantConstraint = server.typeId == "width" || server.typeId == "height";
    const bool isRatio = (server.firstAttribute == "width" && server.secondAttribute == "height") ||
                         (server.firstAttribute == "height" && server.secondAttribute == "width");

    auto client = std::make_shared<ConstraintModel>(ConstraintModel::Arguments{
        .view1 = server.firstItem,
        .attr1 = isRatio ? Anchors::width : anchor(server.firstAttribute),
        .relation = relation(server.relation),
        .view2 = server.secondItem,
        .attr2 = isRatio ? Anchors::height : anchor(server.secondAttribute),
        .constant = server.constant,
        .multiplierPart1 = server.multiplierFirstPart,
        .multiplierPart2 = server.multiplierSecondPart,
        .view2Item = nullptr,
        .isConstantConstraint = isConstantConstraint,
        .isRatio = isRatio,
        .isAnchor = isAnchor,
        .priority = priority(server.priority),
    });
    client->typeId = anchor(server.typeId);
    client->isDuplicate = server.isDuplicate;
    client->host = server.host;
    return client;
}

std::shared_ptr<VStyleInfo> ViewInfoMapper::map(const ViewStyleInfo& style, boost::json::object dict,
                                                const std::vector<std::shared_ptr<OverridePropertiesValueModel>>& overrides,
                                                const ColorPicker& colorNamePicker, const FontPicker& fontNamePicker,
                                                const StringPicker& stringNamePicker,
                                                const ClassPicker& classNamePicker)
{
    auto client = std::make_shared<VStyleInfo>(VStyleInfo::Arguments{
        .dict = std::move(dict),
        .frame = style.frame,
        .sketchClass = style.sketchClass,
        .textAlignment = style.textAlignment,
        .cornerRadius = style.cornerRadius,
        .isBorderEnabled = style.isBorderEnabled,
        .borderWidth = style.borderWidth,
        .borderColorModel = style.borderColorModel,
        .backgroundColorModel = style.backgroundColorModel,
        .fontModel = style.fontModel,
        .stringModel = style.stringModel,
        .textColorModel = style.textColorModel,
        .imageName = style.imageName,
        .masterId = style.masterId,
        .contentMode = style.contentMode,
        .classNameString = style.classNameString,
        .ancestorClassKey = style.ancestorClassKey,
        .overrides = overrides,
        .colorNamePicker = colorNamePicker,
        .fontNamePicker = fontNamePicker,
        .stringNamePicker = stringNamePicker,
        .classNamePicker = classNamePicker,
    });
    map(style.extraInfo, *client, style.useExtraInfo);
    return client;
}

void ViewInfoMapper::map(const std::shared_ptr<ViewStyleExtraInfo>& extraStyleInfo, VStyleInfo& style, bool use)
{
    if (!extraStyleInfo || !use) return;
    const ViewStyleExtraInfo& extra = *extraStyleInfo;
    style.leftViewImageName = extra.leftViewImageName;
    style.isCustomClass = extra.isCustomClass;
    style.isImageView = extra.isImageView;
    style.hasTitle = extra.hasTitle;
    style.hasImage = extra.hasImage;
    style.hasBackgroundImage = extra.hasBackgroundImage;
    style.hasContentEdgeInset = extra.hasContentEdgeInset;
    style.contentInsetPadding = extra.contentInsetPadding;
    style.contentInsetVerticalPadding = extra.contentInsetVerticalPadding;
    // The frames are shared, not copied; a missing one stays the style's own zero frame.
    if (extra.oneItemFrame) style.oneItemFrame = extra.oneItemFrame;
    style.scrollAlignment = extra.scrollAlignment;
    style.hasText = extra.hasText;
    style.hasPlaceholder = extra.hasPlaceholder;
    style.hasLeftView = extra.hasLeftView;
    style.hasLeftViewWithImage = extra.hasLeftViewWithImage;
    if (extra.leftViewFrame) style.leftViewFrame = extra.leftViewFrame;
    if (extra.leftImageFrame) style.leftImageFrame = extra.leftImageFrame;
}

void ViewInfoMapper::map(const std::shared_ptr<CustomizedInfo>& customizedViewInfo, VItemInfo& item,
                         const ColorPicker& colorNamePicker, const FontPicker& fontNamePicker,
                         const StringPicker& stringNamePicker, const ClassPicker& classNamePicker)
{
    if (!customizedViewInfo) return;
    const CustomizedInfo& customized = *customizedViewInfo;

    if (customized.delegations) {
        std::vector<std::shared_ptr<ViewDelegateInfo>> delegates;
        for (const std::shared_ptr<CLDelegateItem>& delegation : *customized.delegations) {
            if (!delegation || delegation->key != "datasource") continue;
            auto delegate = std::make_shared<ViewDelegateInfo>();
            delegate->name = delegation->programmingClass;
            if (customized.prototypes) {
                std::vector<std::shared_ptr<RegisterItemInfo>> registered;
                const std::size_t count = customized.prototypes->size();
                registered.reserve(count);
                for (std::size_t i = 0; i < count; ++i) {
                    const std::shared_ptr<CustomItemViewInfoModel>& prototype = (*customized.prototypes)[i];
                    auto info = std::make_shared<RegisterItemInfo>();
                    info->name = prototype ? prototype->customClass : std::string();
                    info->index = static_cast<std::int64_t>(i);
                    info->isFirst = i == 0;
                    info->isLast = i + 1 == count;
                    registered.push_back(std::move(info));
                }
                delegate->registerItems = std::move(registered);
            }
            delegates.push_back(std::move(delegate));
        }
        item.delegates = std::move(delegates);
    }

    if (!customized.prototypes) return;
    item.registerItems.emplace();
    // Cells nest views in views; the guard bounds the recursion for records built in code too.
    const jsonmap::NestingGuard level;
    if (level.tooDeep(kMaxPrototypeDepth) && !customized.prototypes->empty()) {
        platform::debugPrint("Prototype cells nested deeper than the supported depth are dropped");
        return;
    }
    // A later cell with a class name already seen replaces the earlier one, in the earlier one's
    // place, so the cells stay in the order their names first appear. Only the cell that stays is
    // mapped: the views of a replaced one would be thrown away.
    const CustomItemViewInfoModel emptyPrototype;
    const auto cellAt = [&](std::size_t i) -> const CustomItemViewInfoModel& {
        const std::shared_ptr<CustomItemViewInfoModel>& prototype = (*customized.prototypes)[i];
        return prototype ? *prototype : emptyPrototype;
    };
    OrderedMap<std::string, std::size_t> lastCellOfName;
    for (std::size_t i = 0; i < customized.prototypes->size(); ++i) {
        item.registerItems->push_back(cellAt(i).customClass);
        lastCellOfName.insert_or_assign(cellAt(i).customClass, i);
    }
    for (const auto& [customClass, index] : lastCellOfName) {
        const CustomItemViewInfoModel& cell = cellAt(index);
        const std::vector<std::shared_ptr<VItemInfo>> views =
            map(cell.items, colorNamePicker, fontNamePicker, stringNamePicker, classNamePicker);
        auto model = std::make_shared<CustomItemInfoModel>();
        model->customClass = customClass;
        if (cell.frame) {
            model->frame->x = cell.frame->x;
            model->frame->y = cell.frame->y;
            model->frame->width = cell.frame->width;
            model->frame->height = cell.frame->height;
        }
        model->items = ExportCodeModelsMapper::map(views);
        item.prototypes.insert_or_assign(customClass, std::move(model));
    }
}
