#pragma once

// One step of a path through Sketch JSON: which member to look at, which "_class" a candidate
// must have, and what happens to a candidate that matches (descend with the next step, or run
// the has-node test and collect it). Entries and their steps are shared, read-only objects once
// the key table is built, except `containsPoint`, which each search entry overwrites.

#include <QPointF>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class LayerKeyModel {
public:
    using Ptr = std::shared_ptr<LayerKeyModel>;

    LayerKeyModel(std::string key, std::optional<std::string> className, bool isArray, Ptr withChild,
                  std::optional<std::vector<Ptr>> checkIfHasNodes, std::optional<QPointF> containsPoint,
                  bool checkAllNodes);

    static Ptr make(std::string key, std::optional<std::string> className, bool isArray, Ptr withChild = nullptr,
                    std::optional<std::vector<Ptr>> checkIfHasNodes = std::nullopt, bool checkAllNodes = true);

    // The member of the current dictionary to look at.
    std::string key;
    // "*" accepts any candidate, a name accepts that "_class" only, no value accepts only a
    // candidate without a text "_class".
    std::optional<std::string> className;
    // The member holds an array of dictionaries (each a candidate) rather than one dictionary.
    bool isArray = false;
    // Sub-paths searched inside a candidate before it is collected; no value means no test.
    std::optional<std::vector<Ptr>> checkIfHasNodes;
    // Every sub-path must find something (true) or at least one must (false).
    bool checkAllNodes = true;
    // A matching candidate is searched further with this step instead of being collected.
    Ptr withChild;
    // Stored by the search entry point; nothing reads it.
    std::optional<QPointF> containsPoint;

    // The class filter of this step applied to one candidate's "_class" (no value when the
    // member is missing or not text).
    bool acceptsClass(std::optional<std::string_view> candidateClass) const;
};
