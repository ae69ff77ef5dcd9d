#pragma once

// Small stateless helpers of the layer tree search, and the one place that turns the text of a
// Sketch JSON file into a tree the search may walk.

#include <boost/json.hpp>

#include <QPointF>

#include <optional>
#include <string_view>

// Sketch files nest layers a few dozen levels deep at most. Refusing deeper files when they are
// parsed keeps every recursive walk over the tree (the search, the writer, the destructor)
// within a small, fixed stack budget, also under AddressSanitizer.
inline constexpr unsigned kMaxSketchJsonDepth = 256;

class SketchFinderHelperUtils {
public:
    // The item's frame origin moved by the parent's origin: (item x + parent x, item y + parent y).
    // No value when either dictionary lacks a numeric "x" or "y", or the sum is not finite; the
    // layer then keeps its frame and gets no origin, like a layer without a frame.
    static std::optional<QPointF> getOriginForItem(const boost::json::object& itemFrameDict,
                                                   const boost::json::object& superViewFrameDict);

    // A number member of a dictionary as a double (integers included); no value when it is
    // missing or not a number.
    static std::optional<double> numberMember(const boost::json::object& dict, std::string_view key);

    // Parses one Sketch JSON file (a page or the document file). No value when the text does not
    // parse, is not a JSON object or nests deeper than kMaxSketchJsonDepth; only the last case is
    // reported, with a debug line naming `fileName`, since it is the one a user could not guess.
    // Never throws.
    static std::optional<boost::json::object> parseSketchJson(std::string_view text, std::string_view fileName);
};
