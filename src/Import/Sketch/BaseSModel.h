#pragma once

// Base of the Sketch models and of the client view, style and container records: the typed
// fields beside the raw JSON dictionary they came from.

#include "Base/JsonMapping.h"

#include <boost/json.hpp>

#include <QPointF>

#include <functional>
#include <optional>
#include <string>
#include <vector>

enum class SketchLayerKeys;

struct PointModel {
    double x = 0;
    double y = 0;
};
BOOST_DESCRIBE_STRUCT(PointModel, (), (x, y))

struct BaseSModel {
    std::string class_;      // "_class"
    std::string do_objectID;
    bool hasIncrementalOrigin = false;
    PointModel incrementalOrigin;

    // The raw dictionary the model came from; searches rewrite it in place. Not mapped.
    boost::json::object dict;
    boost::json::object sumDict;

    BaseSModel() = default;
    // Declared so that the virtual destructor does not suppress moves: moving a model must hand
    // over its dictionary, not copy a whole layer tree.
    BaseSModel(const BaseSModel&) = default;
    BaseSModel(BaseSModel&&) noexcept = default;
    BaseSModel& operator=(const BaseSModel&) = default;
    BaseSModel& operator=(BaseSModel&&) noexcept = default;
    virtual ~BaseSModel() = default;

    // Callbacks of a search; none of the callers in this system passes one.
    struct SearchCallbacks {
        // (a dictionary already collected, the candidate as it came in): true skips the candidate
        std::function<bool(const boost::json::object&, const boost::json::object&)> duplicateCheck;
        std::function<bool(const boost::json::object&)> matchCheck;
        std::function<void(boost::json::object&)> matchAndReplace;
    };

    // Walks `dict` along the key table entry of `key`, annotating layers in place, and answers
    // the collected dictionaries (copies taken when collected), after the contents of appendAt.
    virtual std::vector<boost::json::object> findDictionary(SketchLayerKeys key, bool isRecursive,
                                                            std::optional<QPointF> containsPoint = std::nullopt,
                                                            std::vector<boost::json::object> appendAt = {},
                                                            const SearchCallbacks& callbacks = {});
};
BOOST_DESCRIBE_STRUCT(BaseSModel, (), (class_, do_objectID, hasIncrementalOrigin, incrementalOrigin))
