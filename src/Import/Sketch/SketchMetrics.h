#pragma once

// The key table: for each kind of thing the importer looks for in Sketch JSON, the path from the
// searched dictionary down to the dictionaries to collect. Built once, on first use, then only read.

#include "Import/Sketch/LayerKeyModel.h"
#include "Import/Sketch/SketchLayerKeys.h"

#include <array>

class SketchMetrics {
public:
    static SketchMetrics& instance();

    // The shared entry of `key`, or null for a key without an entry.
    LayerKeyModel::Ptr getMetrics(SketchLayerKeys key) const;

    SketchMetrics(const SketchMetrics&) = delete;
    SketchMetrics& operator=(const SketchMetrics&) = delete;

private:
    SketchMetrics();

    std::array<LayerKeyModel::Ptr, sketchlayerkeys::kAllKeys.size()> m_metrics;
};
