#include "Editor/ConstraintModel.h"

#include <array>
#include <optional>
#include <utility>

namespace {
// Anchor raw value to the short attribute name of generated layout code.
std::optional<std::string_view> shortAttributeName(std::string_view anchor)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kTable = {{
        {"leadingAnchor", "leading"},
        {"topAnchor", "top"},
        {"trailingAnchor", "trailing"},
        {"bottomAnchor", "bottom"},
        {"widthAnchor", "width"},
        {"width", "width"},
        {"heightAnchor", "height"},
        {"height", "height"},
        {"centerXAnchor", "centerX"},
        {"centerYAnchor", "centerY"},
    }};
    for (const auto& [from, to] : kTable) {
        if (from == anchor) return to;
    }
    return std::nullopt;
}
} // namespace

ConstraintModel::ConstraintModel(Arguments arguments)
{
    view1 = std::move(arguments.view1);
    attr1 = std::string(rawValue(arguments.attr1));
    populateAttribute1Str(attr1);
    view2 = std::move(arguments.view2);
    view2Item = std::move(arguments.view2Item);
    attr2 = std::string(rawValue(arguments.attr2));
    populateAttribute2Str(attr2);
    relation = std::move(arguments.relation);
    constant = arguments.constant;
    multiplierPart1 = arguments.multiplierPart1;
    multiplierPart2 = arguments.multiplierPart2;
    multiplier = multiplierPart1 / multiplierPart2;
    isConstantConstraint = arguments.isConstantConstraint;
    isRatio = arguments.isRatio;
    isAnchor = arguments.isAnchor;
    populate(arguments.priority);
    populatePriority(rawValue(arguments.priority));
}

std::string ConstraintModel::populateAttribute1Str(std::string_view attr)
{
    if (const auto name = shortAttributeName(attr)) attribute1Str = std::string(*name);
    return attribute1Str;
}

std::string ConstraintModel::populateAttribute2Str(std::string_view attr)
{
    if (const auto name = shortAttributeName(attr)) attribute2Str = std::string(*name);
    return attribute2Str;
}

void ConstraintModel::populate(ConstraintPriority newPriority)
{
    if (newPriority != ConstraintPriority::required) priorityNeeded = true;
    priority = newPriority;
    priorityS = std::string(rawValue(newPriority));
}

void ConstraintModel::populatePriority(std::string_view priorityName)
{
    if (priorityName != "required") prioritySnapKitNeeded = true;
    if (priorityName == "defaultHigh")
        prioritySnapKit = "high";
    else if (priorityName == "defaultLow")
        prioritySnapKit = "low";
    else
        prioritySnapKit = std::string(priorityName);
}
