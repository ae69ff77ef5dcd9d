#pragma once

#include "Base/OrderedMap.h"
#include "Components/ComponentFieldTypeDisplayInfo.h"
#include "Editor/Canvas/OverlayView.h"
#include "Editor/ViewInfo.h"

#include <QColor>
#include <QRectF>

#include <memory>
#include <optional>
#include <string>

// One selected view of the design canvas. A value: copies are independent, except that they
// share the view record and the outline drawn for it.
struct SelectedViewInfo {
    QRectF rect;                               // the view's layout frame times the screen ratio
    std::shared_ptr<ViewInfo> viewInfo;        // the selected view
    QColor selectionColor = QColor(Qt::black); // colour of its outline
    std::shared_ptr<OverlayView> scannedView;  // its outline on the overlay, once one is made
    std::optional<std::string> selectedName;   // chosen on the component pages
    ComponentFieldTypeDisplayInfo selectedFieldType = ComponentFieldTypeDisplayInfo::empty();
    // The key of every selection; empty for an entry without a view record.
    std::string oid() const { return viewInfo ? viewInfo->oid : std::string(); }
};

// A canvas selection: view id to selected view, walked in the order the views joined it.
using SelectionDictionary = OrderedMap<std::string, SelectedViewInfo>;
