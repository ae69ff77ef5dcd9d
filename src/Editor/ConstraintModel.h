#pragma once

#include "Editor/Anchors.h"
#include "Editor/ConstraintPriority.h"
#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct VItemInfo;

// A view's layout constraint as the editor and code generation keep it: the anchors as cases, the
// relation in the wording of generated layout code ("equalTo", ...), short attribute names
// ("leading", "centerX"), the multiplier as a quotient of two parts and the priority in three
// forms (case, raw name, short name).
struct ConstraintModel : BaseSModel {
    Anchors typeId = Anchors::none;
    std::string view1;
    std::string attr1;    // raw value of the first side's anchor
    std::string relation; // stored as given
    std::string view2;
    std::shared_ptr<VItemInfo> view2Item; // optional; nothing in the client sets it, and it is not mapped
    std::string attr2;
    std::string attribute1Str;
    std::string attribute2Str;
    double multiplier = 0; // multiplierPart1 / multiplierPart2 (a zero denominator is left to code generation)
    double multiplierPart1 = 0;
    double multiplierPart2 = 1.0;
    double constant = 0;
    ConstraintPriority priority = ConstraintPriority::required;
    std::string priorityS = "required";
    std::string prioritySnapKit;
    bool priorityNeeded = false;        // only ever raised
    bool prioritySnapKitNeeded = false; // only ever raised
    bool isConstantConstraint = false;
    bool isRatio = false;
    bool isAnchor = true;
    bool isDuplicate = false;
    std::string host;

    // The arguments of the full initialiser, in its order.
    struct Arguments {
        std::string view1{};
        Anchors attr1 = Anchors::none;
        std::string relation{};
        std::string view2{};
        Anchors attr2 = Anchors::none;
        double constant = 0;
        double multiplierPart1 = 0;
        double multiplierPart2 = 1.0;
        std::shared_ptr<VItemInfo> view2Item{};
        bool isConstantConstraint = false;
        bool isRatio = false;
        bool isAnchor = true;
        ConstraintPriority priority = ConstraintPriority::required;
    };

    ConstraintModel() = default;
    explicit ConstraintModel(Arguments arguments);

    // Set the short attribute name of one side from an anchor raw value and answer the field;
    // a text that is not an anchor raw value leaves the field as it was.
    std::string populateAttribute1Str(std::string_view attr);
    std::string populateAttribute2Str(std::string_view attr);

    void populate(ConstraintPriority newPriority);
    // The short priority name: "defaultHigh" becomes "high", "defaultLow" "low", others unchanged.
    void populatePriority(std::string_view priorityName);
};
BOOST_DESCRIBE_STRUCT(ConstraintModel, (BaseSModel),
                      (typeId, view1, attr1, relation, view2, attr2, attribute1Str, attribute2Str, multiplier,
                       multiplierPart1, multiplierPart2, constant, priority, priorityS, prioritySnapKit, priorityNeeded,
                       prioritySnapKitNeeded, isConstantConstraint, isRatio, isAnchor, isDuplicate, host))

template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<ConstraintModel>>> : SharedModelListTraits<ConstraintModel> {};
