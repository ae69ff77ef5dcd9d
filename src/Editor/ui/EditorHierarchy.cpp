#include "Editor/ui/EditorHierarchy.h"

#include "App/ui/MainContentViewController.h"
#include "CodePreferences/ui/MainEditorCodeViewController.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "Editor/ui/MainEditorDesignSplitViewController.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Projects/ui/MainViewController.h"
#include "Projects/ui/SideMenuViewController.h"

namespace editorhierarchy {

MainEditorDesignViewController* designCanvasOf(const ViewController* editor)
{
    auto* asEditor = qobject_cast<const MainEditorViewController*>(editor);
    if (!asEditor) return nullptr;
    auto* split = asEditor->childAs<MainEditorDesignSplitViewController>(0);
    return split ? split->childAs<MainEditorDesignViewController>(0) : nullptr;
}

MainEditorViewController* editorOfCanvas(const ViewController* canvas)
{
    if (!canvas) return nullptr;
    auto* split = canvas->parentAs<MainEditorDesignSplitViewController>();
    return split ? split->parentAs<MainEditorViewController>() : nullptr;
}

MainEditorCodeViewController* codeTabOfCanvas(const ViewController* canvas)
{
    MainEditorViewController* editor = editorOfCanvas(canvas);
    return editor ? editor->getCodeViewController() : nullptr;
}

MainViewController* mainViewOfEditor(const MainEditorViewController* editor)
{
    if (!editor) return nullptr;
    auto* stack = editor->parentAs<MainContentViewController>();
    if (!stack || !qobject_cast<MainEditorViewController*>(stack->currentViewController())) return nullptr;
    return stack->parentAs<MainViewController>();
}

SideMenuContentViewController* sideMenuContentOfEditor(const MainEditorViewController* editor)
{
    MainViewController* root = mainViewOfEditor(editor);
    auto* side = root ? root->childAs<SideMenuViewController>(0) : nullptr;
    return side ? side->childAs<SideMenuContentViewController>(1) : nullptr;
}

SideMenuViewController* sideMenuOfPage(const ViewController* page)
{
    auto* content = page ? page->parentAs<SideMenuContentViewController>() : nullptr;
    return content ? content->parentAs<SideMenuViewController>() : nullptr;
}

MainEditorViewController* editorOfPage(const ViewController* page)
{
    SideMenuViewController* side = sideMenuOfPage(page);
    auto* root = side ? side->parentAs<MainViewController>() : nullptr;
    auto* stack = root ? root->childAs<MainContentViewController>(1) : nullptr;
    return stack ? qobject_cast<MainEditorViewController*>(stack->currentViewController()) : nullptr;
}

} // namespace editorhierarchy
