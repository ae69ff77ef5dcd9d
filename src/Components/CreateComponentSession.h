#pragma once

#include "Base/OrderedMap.h"
#include "Import/Sketch/FrameModel.h"

#include <memory>
#include <string>

struct SelectedViewInfo;

enum class CreateComponentProgress { inactive, active };

// What the user has picked on the canvas while making a component. One session for the
// application; tests put in their own with setSession() and take it out with setSession(nullptr).
class CreateComponentSession {
public:
    using SelectionMap = OrderedMap<std::string, std::shared_ptr<SelectedViewInfo>>;

    static CreateComponentSession& session();
    static void setSession(CreateComponentSession* replacement); // not owned; nullptr: the application's

    SelectionMap selectViewInfoList;               // view oid -> its selection, in the order picked
    std::shared_ptr<SelectedViewInfo> mainView;   // the view that frames the component, if any
    FrameModel mainFrame;                         // artboard space
    bool mainViewContainsAllViews = false;
    CreateComponentProgress progress = CreateComponentProgress::inactive;

    // Forgets the selection; the progress stays as it is.
    void clearSelection();
};
