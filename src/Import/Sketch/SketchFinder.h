#pragma once

// The layer tree search. It walks a Sketch JSON dictionary along one entry of the key table,
// collects copies of the dictionaries the entry reaches, and annotates every layer it passes, in
// place, with its origin relative to the dictionary where the walk started ("ZVExactOrigin",
// "ZVHasExactOrigin", the frame's "x" and "y") and its depth ("ZVNodeLevel"). Hidden layers are
// not searched: the walk leaves an empty dictionary in their place (which later walks may mark
// with a depth again).
//
// Walks run on the main thread only and must not interleave: which layer counts as the first of
// a walk is process-wide state (`firstNode`).

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/LayerKeyModel.h"

#include <boost/json.hpp>

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

class SketchFinder {
public:
    using Callbacks = BaseSModel::SearchCallbacks;

    static SketchFinder& gadget();

    // True between the start of a walk and the first layer it annotates.
    bool firstNode() const { return m_firstNode; }
    void setFirstNode(bool value) { m_firstNode = value; }

    // The walk of a search entry: like getValueForDictionary, except that `root` is walked even
    // when its own "isVisible" is false. The root is what the caller asked about (an artboard the
    // user chose, a master that other masters use); emptying it would throw the whole artboard
    // away. Layers below it are still reduced when hidden.
    void walkRoot(boost::json::object& root, const LayerKeyModel& key, std::vector<boost::json::object>& values,
                  bool isRecursive, const Callbacks& callbacks = {});

    // Walks `item` with one step, in place, and appends copies of the finds to `values`.
    // A hidden `item` is emptied.
    void getValueForDictionary(boost::json::object& item, const LayerKeyModel& key,
                               std::vector<boost::json::object>& values, bool isRecursive,
                               const Callbacks& callbacks = {});

    // Runs the has-node test and the callbacks of `model` on one candidate (rewriting it in place)
    // and appends a copy of it to `at` when it passes. Answers whether it was collected.
    bool appendSketch(boost::json::object& itemDict, std::vector<boost::json::object>& at, const LayerKeyModel& model,
                      bool withSkippingDuplicates, const Callbacks& callbacks = {});

    // The class filter of a step on one dictionary.
    static bool checkNodeProperties(const boost::json::object& item, const LayerKeyModel& key);

    // Annotate a layer dictionary under its parent. When `isFirstNode` is true the parent becomes
    // the origin (and level 0) of the walk, so it gains members: `xlayer` must then not be a
    // member of `superView` itself (an element of one of its arrays is fine).
    static void setNodeRelativeOrigin(boost::json::object& xlayer, boost::json::object& superView, bool isFirstNode);
    static void setNodeLevel(boost::json::object& xlayer, boost::json::object& superView, bool isFirstNode);

    // The layer has at least one export format.
    static bool isExportable(const boost::json::object& layer);
    // The layer's first fill is an enabled pattern fill.
    static bool isPaternFill(const boost::json::object& layer);

    // The "_class" text of a dictionary; no value when missing or not text.
    static std::optional<std::string_view> classOf(const boost::json::object& dict);

    SketchFinder(const SketchFinder&) = delete;
    SketchFinder& operator=(const SketchFinder&) = delete;

private:
    SketchFinder() = default;

    // Where finds go: a list of copies, or only a count (the has-node test asks only whether a
    // sub-path found anything, so it takes no copies).
    struct Sink {
        std::vector<boost::json::object>* values = nullptr; // not owned; null: count only
        std::size_t found = 0;
    };

    void walk(boost::json::object& item, const LayerKeyModel& key, Sink& sink, bool isRecursive,
              const Callbacks& callbacks, unsigned depth, bool isRoot);
    void walkSingle(boost::json::object& item, const LayerKeyModel& key, Sink& sink, const Callbacks& callbacks,
                    unsigned depth);
    void walkList(boost::json::object& item, const LayerKeyModel& key, Sink& sink, const Callbacks& callbacks,
                  unsigned depth);
    void walkChildren(boost::json::object& item, const LayerKeyModel& key, Sink& sink, const Callbacks& callbacks,
                      unsigned depth);
    bool append(boost::json::object& candidate, Sink& sink, const LayerKeyModel& model, bool withSkippingDuplicates,
                const Callbacks& callbacks, unsigned depth);
    void annotate(boost::json::object& xlayer, boost::json::object& superView);

    bool m_firstNode = true;
};
