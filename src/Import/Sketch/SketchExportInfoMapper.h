#pragma once

#include "Import/Plugin/FrameInfo.h"
#include "Import/Sketch/FrameModel.h"

#include <boost/json.hpp>

// Turns Sketch frames into the frame records of the upload.
class SketchExportInfoMapper {
public:
    SketchExportInfoMapper() = delete;

    static FrameInfo map(const FrameModel& frame);

    // The numbers under "x", "y", "width" and "height" of a frame dictionary. A member that is
    // missing or not a finite number reads as 0, so a damaged frame never stops an upload.
    static FrameInfo getFrameInfo(const boost::json::object& from);
};
