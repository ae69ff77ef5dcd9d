#include "Import/Sketch/SketchFinderHelperUtils.h"

#include "platform/DebugLog.h"
#include "platform/JsonText.h"

#include <cmath>
#include <string>

std::optional<double> SketchFinderHelperUtils::numberMember(const boost::json::object& dict, std::string_view key)
{
    const boost::json::value* v = dict.if_contains(key);
    if (!v) return std::nullopt;
    switch (v->kind()) {
    case boost::json::kind::double_: return v->get_double();
    case boost::json::kind::int64: return static_cast<double>(v->get_int64());
    case boost::json::kind::uint64: return static_cast<double>(v->get_uint64());
    default: return std::nullopt;
    }
}

std::optional<QPointF> SketchFinderHelperUtils::getOriginForItem(const boost::json::object& itemFrameDict,
                                                                 const boost::json::object& superViewFrameDict)
{
    const auto ix = numberMember(itemFrameDict, "x");
    const auto iy = numberMember(itemFrameDict, "y");
    const auto px = numberMember(superViewFrameDict, "x");
    const auto py = numberMember(superViewFrameDict, "y");
    if (!ix || !iy || !px || !py) return std::nullopt;
    const double x = *ix + *px;
    const double y = *iy + *py;
    // Two huge values add up to infinity, which no JSON writer can put back into the document.
    if (!std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
    return QPointF(x, y);
}

std::optional<boost::json::object> SketchFinderHelperUtils::parseSketchJson(std::string_view text,
                                                                              std::string_view fileName)
{
    std::string error;
    auto parsed = platform::parseJson(text, &error, kMaxSketchJsonDepth);
    if (!parsed) {
        static const std::string tooDeep = boost::json::make_error_code(boost::json::error::too_deep).message();
        if (error == tooDeep) {
            std::string line = "Skipping ";
            line.append(fileName);
            line.append(": JSON nests deeper than ");
            line.append(std::to_string(kMaxSketchJsonDepth));
            line.append(" levels");
            platform::debugPrint(line);
        }
        return std::nullopt;
    }
    if (!parsed->is_object()) return std::nullopt;
    return std::move(parsed->get_object());
}
