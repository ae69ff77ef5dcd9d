#include "Import/Sketch/SketchFinder.h"

#include "Import/Sketch/SketchFinderHelperUtils.h"

#include <cstdint>
#include <limits>
#include <utility>

// A note on working in place. The walk rewrites the tree it is given instead of copying each
// dictionary, changing it and writing it back. The two agree as long as no step reads a member
// that an earlier step of the same dictionary has already replaced, and as long as no reference
// into a boost::json::object is kept across an insertion into that same object (its members live
// in one block that may move). Both rules are kept by taking a walked list (or a single member,
// when its parent is about to gain members) out of its parent for the duration of the step and
// putting it back afterwards; moving a boost::json::value is a pointer swap.

namespace {

constexpr std::string_view kLayers = "layers";
constexpr std::string_view kIsVisible = "isVisible";
constexpr std::string_view kFrame = "frame";
constexpr std::string_view kExactOrigin = "ZVExactOrigin";
constexpr std::string_view kHasExactOrigin = "ZVHasExactOrigin";
constexpr std::string_view kNodeLevel = "ZVNodeLevel";

bool isTrue(const boost::json::object& dict, std::string_view key)
{
    const boost::json::value* v = dict.if_contains(key);
    return v && v->is_bool() && v->get_bool();
}

bool isHidden(const boost::json::object& dict)
{
    const boost::json::value* v = dict.if_contains(kIsVisible);
    return v && v->is_bool() && !v->get_bool();
}

// An array whose every element is a dictionary (an empty array counts).
bool isListOfDicts(const boost::json::value& v)
{
    if (!v.is_array()) return false;
    for (const boost::json::value& e : v.get_array()) {
        if (!e.is_object()) return false;
    }
    return true;
}

boost::json::object origin(double x, double y)
{
    boost::json::object o;
    o.reserve(2);
    o.emplace("x", x);
    o.emplace("y", y);
    return o;
}

} // namespace

SketchFinder& SketchFinder::gadget()
{
    static SketchFinder finder;
    return finder;
}

std::optional<std::string_view> SketchFinder::classOf(const boost::json::object& dict)
{
    const boost::json::value* v = dict.if_contains("_class");
    if (!v || !v->is_string()) return std::nullopt;
    const boost::json::string& s = v->get_string();
    return std::string_view(s.data(), s.size());
}

bool SketchFinder::checkNodeProperties(const boost::json::object& item, const LayerKeyModel& key)
{
    return key.acceptsClass(classOf(item));
}

void SketchFinder::walkRoot(boost::json::object& root, const LayerKeyModel& key,
                            std::vector<boost::json::object>& values, bool isRecursive, const Callbacks& callbacks)
{
    Sink sink{&values, 0};
    walk(root, key, sink, isRecursive, callbacks, 0, true);
}

void SketchFinder::getValueForDictionary(boost::json::object& item, const LayerKeyModel& key,
                                         std::vector<boost::json::object>& values, bool isRecursive,
                                         const Callbacks& callbacks)
{
    Sink sink{&values, 0};
    walk(item, key, sink, isRecursive, callbacks, 0, false);
}

bool SketchFinder::appendSketch(boost::json::object& itemDict, std::vector<boost::json::object>& at,
                                const LayerKeyModel& model, bool withSkippingDuplicates, const Callbacks& callbacks)
{
    Sink sink{&at, 0};
    return append(itemDict, sink, model, withSkippingDuplicates, callbacks, 0);
}

void SketchFinder::walk(boost::json::object& item, const LayerKeyModel& key, Sink& sink, bool isRecursive,
                        const Callbacks& callbacks, unsigned depth, bool isRoot)
{
    // Parsed documents cannot get here (see kMaxSketchJsonDepth); a tree built in memory that
    // does is left as it is below this depth rather than overflowing the stack.
    if (depth > kMaxSketchJsonDepth) return;

    if (!isRoot && isHidden(item)) {
        item.clear();
        return;
    }

    if (key.isArray)
        walkList(item, key, sink, callbacks, depth);
    else
        walkSingle(item, key, sink, callbacks, depth);

    if (isRecursive) walkChildren(item, key, sink, callbacks, depth);
}

void SketchFinder::walkSingle(boost::json::object& item, const LayerKeyModel& key, Sink& sink,
                              const Callbacks& callbacks, unsigned depth)
{
    boost::json::value* slot = item.if_contains(key.key);
    if (!slot || !slot->is_object()) return;

    const bool passesFilter = checkNodeProperties(slot->get_object(), key);

    boost::json::value taken;
    boost::json::object* member = &slot->get_object();
    const bool takenOut = m_firstNode;
    if (takenOut) {
        // The parent is about to gain the walk's origin and level, which may move its members.
        taken = std::move(*slot);
        member = &taken.get_object();
    }
    annotate(*member, item);

    if (passesFilter) {
        if (key.withChild)
            walk(*member, *key.withChild, sink, false, callbacks, depth + 1, false);
        else if (checkNodeProperties(*member, key))
            append(*member, sink, key, true, callbacks, depth);
    } else {
        // A single dictionary of another class is still offered for collection; only lists
        // filter their elements by class before that.
        append(*member, sink, key, true, callbacks, depth);
    }

    if (takenOut) {
        if (boost::json::value* back = item.if_contains(key.key))
            *back = std::move(taken);
        else
            item.insert_or_assign(key.key, std::move(taken));
    }
}

void SketchFinder::walkList(boost::json::object& item, const LayerKeyModel& key, Sink& sink,
                            const Callbacks& callbacks, unsigned depth)
{
    boost::json::value* slot = item.if_contains(key.key);
    if (!slot || !isListOfDicts(*slot)) return;

    boost::json::value list = std::move(*slot);
    for (boost::json::value& element : list.get_array()) {
        boost::json::object& e = element.get_object();
        annotate(e, item);
        if (!key.acceptsClass(classOf(e))) continue;
        if (key.withChild)
            walk(e, *key.withChild, sink, false, callbacks, depth + 1, false);
        else if (checkNodeProperties(e, key))
            append(e, sink, key, true, callbacks, depth);
    }
    if (boost::json::value* back = item.if_contains(key.key))
        *back = std::move(list);
    else
        item.insert_or_assign(key.key, std::move(list));
}

void SketchFinder::walkChildren(boost::json::object& item, const LayerKeyModel& key, Sink& sink,
                                const Callbacks& callbacks, unsigned depth)
{
    boost::json::value* slot = item.if_contains(kLayers);
    if (!slot || !isListOfDicts(*slot)) return;

    boost::json::value list = std::move(*slot);
    for (boost::json::value& element : list.get_array()) {
        boost::json::object& child = element.get_object();
        annotate(child, item);
        walk(child, key, sink, true, callbacks, depth + 1, false);
    }
    if (boost::json::value* back = item.if_contains(kLayers))
        *back = std::move(list);
    else
        item.insert_or_assign(kLayers, std::move(list));
}

bool SketchFinder::append(boost::json::object& candidate, Sink& sink, const LayerKeyModel& model,
                          bool withSkippingDuplicates, const Callbacks& callbacks, unsigned depth)
{
    // The duplicate check compares the candidate as it came in, before the test rewrote it.
    std::optional<boost::json::object> incoming;
    if (withSkippingDuplicates && callbacks.duplicateCheck && sink.values) incoming = candidate;

    bool passes = true;
    if (model.checkIfHasNodes) {
        std::size_t pathsFound = 0;
        for (const LayerKeyModel::Ptr& path : *model.checkIfHasNodes) {
            if (!path) continue;
            Sink probe;
            walk(candidate, *path, probe, false, {}, depth + 1, false);
            if (probe.found > 0) ++pathsFound;
        }
        passes = model.checkAllNodes ? pathsFound == model.checkIfHasNodes->size() : pathsFound > 0;
    }

    if (incoming) {
        for (const boost::json::object& existing : *sink.values) {
            if (callbacks.duplicateCheck(existing, *incoming)) return false;
        }
    }
    if (!passes) return false;

    bool collected = false;
    if (!callbacks.matchCheck || callbacks.matchCheck(candidate)) {
        if (sink.values) sink.values->push_back(candidate);
        ++sink.found;
        collected = true;
    }
    if (callbacks.matchAndReplace) callbacks.matchAndReplace(candidate);
    return collected;
}

void SketchFinder::annotate(boost::json::object& xlayer, boost::json::object& superView)
{
    const bool first = m_firstNode;
    setNodeRelativeOrigin(xlayer, superView, first);
    setNodeLevel(xlayer, superView, first);
    if (first) m_firstNode = false;
}

void SketchFinder::setNodeRelativeOrigin(boost::json::object& xlayer, boost::json::object& superView,
                                         bool isFirstNode)
{
    // A layer placed by an earlier walk keeps its origin; the parent is then left alone too.
    if (isTrue(xlayer, kHasExactOrigin)) return;

    if (isFirstNode) {
        superView.insert_or_assign(kHasExactOrigin, true);
        superView.insert_or_assign(kExactOrigin, origin(0, 0));
    } else if (!isTrue(superView, kHasExactOrigin)) {
        return;
    }

    boost::json::value* frameValue = xlayer.if_contains(kFrame);
    const boost::json::value* parentOrigin = superView.if_contains(kExactOrigin);
    if (!frameValue || !frameValue->is_object() || !parentOrigin || !parentOrigin->is_object()) return;

    boost::json::object& frame = frameValue->get_object();
    const std::optional<QPointF> o = SketchFinderHelperUtils::getOriginForItem(frame, parentOrigin->get_object());
    if (!o) return;

    frame.insert_or_assign("x", o->x());
    frame.insert_or_assign("y", o->y());
    // `frame` may move from here on: xlayer gains members.
    xlayer.insert_or_assign(kExactOrigin, origin(o->x(), o->y()));
    xlayer.insert_or_assign(kHasExactOrigin, true);
}

void SketchFinder::setNodeLevel(boost::json::object& xlayer, boost::json::object& superView, bool isFirstNode)
{
    if (isFirstNode) superView.insert_or_assign(kNodeLevel, std::int64_t{0});

    const boost::json::value* parentLevel = superView.if_contains(kNodeLevel);
    if (!parentLevel) return;
    std::int64_t level = 0;
    if (parentLevel->is_int64()) {
        level = parentLevel->get_int64();
    } else if (parentLevel->is_uint64() &&
               parentLevel->get_uint64() <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        level = static_cast<std::int64_t>(parentLevel->get_uint64());
    } else {
        return;
    }
    // A document may carry any number here; one that cannot be counted up gives no level.
    if (level == std::numeric_limits<std::int64_t>::max()) return;
    xlayer.insert_or_assign(kNodeLevel, level + 1);
}

bool SketchFinder::isExportable(const boost::json::object& layer)
{
    const boost::json::value* options = layer.if_contains("exportOptions");
    if (!options || !options->is_object()) return false;
    const boost::json::value* formats = options->get_object().if_contains("exportFormats");
    return formats && formats->is_array() && !formats->get_array().empty();
}

bool SketchFinder::isPaternFill(const boost::json::object& layer)
{
    const boost::json::value* style = layer.if_contains("style");
    if (!style || !style->is_object()) return false;
    const boost::json::value* fills = style->get_object().if_contains("fills");
    if (!fills || !isListOfDicts(*fills) || fills->get_array().empty()) return false;
    const boost::json::object& first = fills->get_array().front().get_object();
    const boost::json::value* enabled = first.if_contains("isEnabled");
    const boost::json::value* fillType = first.if_contains("fillType");
    return enabled && enabled->is_bool() && enabled->get_bool() && fillType && fillType->is_int64() &&
           fillType->get_int64() == 4;
}
