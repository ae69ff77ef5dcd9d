#include "Import/Sketch/SketchExportInfoMapper.h"

#include <cmath>
#include <string_view>

namespace {

double numberOrZero(const boost::json::object& dict, std::string_view key)
{
    const boost::json::value* v = dict.if_contains(key);
    if (!v) return 0;
    double d = 0;
    if (v->is_double()) d = v->get_double();
    else if (v->is_int64()) d = static_cast<double>(v->get_int64());
    else if (v->is_uint64()) d = static_cast<double>(v->get_uint64());
    return std::isfinite(d) ? d : 0;
}

} // namespace

FrameInfo SketchExportInfoMapper::map(const FrameModel& frame)
{
    FrameInfo info;
    info.x = frame.x;
    info.y = frame.y;
    info.width = frame.width;
    info.height = frame.height;
    return info;
}

FrameInfo SketchExportInfoMapper::getFrameInfo(const boost::json::object& from)
{
    FrameInfo info;
    info.x = numberOrZero(from, "x");
    info.y = numberOrZero(from, "y");
    info.width = numberOrZero(from, "width");
    info.height = numberOrZero(from, "height");
    return info;
}
