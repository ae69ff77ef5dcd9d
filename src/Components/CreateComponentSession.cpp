#include "Components/CreateComponentSession.h"

namespace {
CreateComponentSession* g_replacement = nullptr; // not owned
}

CreateComponentSession& CreateComponentSession::session()
{
    static CreateComponentSession shared;
    return g_replacement ? *g_replacement : shared;
}

void CreateComponentSession::setSession(CreateComponentSession* replacement)
{
    g_replacement = replacement;
}

void CreateComponentSession::clearSelection()
{
    selectViewInfoList.clear();
    mainView.reset();
    mainFrame = FrameModel{};
    mainViewContainsAllViews = false;
}
