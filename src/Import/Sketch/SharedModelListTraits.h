#pragma once

// Mapping of a list of shared models (child layers and similar). Design documents sometimes hold
// a stray non-object in a layer list; such an element is skipped rather than kept as an empty
// pointer that every walker of the tree would have to test for.
//
// Use by specialising jsonmap::Traits right after the model's description:
//   template <> struct jsonmap::Traits<std::vector<std::shared_ptr<M>>> : SharedModelListTraits<M> {};
// A recursive record from the service bounds its depth: SharedModelListTraits<M, true> reads one
// nesting level per list and leaves a list that lies too deep empty, with a debug line.

#include "Base/JsonMapping.h"
#include "platform/DebugLog.h"

#include <memory>
#include <vector>

template <class Model, bool Bounded = false>
struct SharedModelListTraits {
    static void read(const boost::json::value& v, std::vector<std::shared_ptr<Model>>& out) noexcept
    {
        if (!v.is_array()) return;
        const boost::json::array& arr = v.get_array();
        if constexpr (Bounded) {
            const jsonmap::NestingGuard level;
            if (level.tooDeep() && !arr.empty()) {
                platform::debugPrint("Nested records deeper than the supported depth are dropped");
                return;
            }
            readElements(arr, out);
        } else {
            readElements(arr, out);
        }
    }

    static boost::json::value write(const std::vector<std::shared_ptr<Model>>& in)
    {
        boost::json::array arr;
        arr.reserve(in.size());
        for (const auto& model : in)
            arr.push_back(model ? jsonmap::write(*model) : boost::json::value(nullptr));
        return arr;
    }

private:
    static void readElements(const boost::json::array& arr, std::vector<std::shared_ptr<Model>>& out) noexcept
    {
        std::vector<std::shared_ptr<Model>> result;
        result.reserve(arr.size());
        for (const boost::json::value& element : arr) {
            if (!element.is_object()) continue;
            auto model = std::make_shared<Model>();
            jsonmap::read(element, *model);
            result.push_back(std::move(model));
        }
        out = std::move(result);
    }
};
