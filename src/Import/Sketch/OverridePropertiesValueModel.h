#pragma once

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <boost/json.hpp>

#include <optional>
#include <memory>
#include <string>
#include <vector>

// One override of a symbol instance, client side.
struct OverridePropertiesValueModel : BaseSModel {
    std::string overrideName;                // as the service gives it
    std::optional<boost::json::value> value; // as received
    std::string valueS;                      // the value as code text
    std::string relatedLayerID;
    std::string relatedProperty;             // as the service names it ("stringValue")
    std::string relatedPropertyS;            // as generated code names it ("text")
    std::string relatedVarName;
};
BOOST_DESCRIBE_STRUCT(OverridePropertiesValueModel, (BaseSModel),
                      (overrideName, value, valueS, relatedLayerID, relatedProperty, relatedPropertyS, relatedVarName))

// The editor's records share override entries (the style updates the entries of its view's list).
template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<OverridePropertiesValueModel>>>
    : SharedModelListTraits<OverridePropertiesValueModel> {};
