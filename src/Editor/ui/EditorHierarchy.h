#pragma once

// The ways the editor's controllers find each other in the project window. Each way is one
// function here, walking parent and child controllers by position and checking each class; a
// link that is missing or of another class answers nullptr, and the caller gives up silently.
//
//   MainViewController
//     0 SideMenuViewController
//         0 SideMenuItemsViewController
//         1 SideMenuContentViewController -> pages by tab index
//     1 MainContentViewController -> the screen on top
//         MainEditorViewController
//           0 MainEditorDesignSplitViewController
//               0 MainEditorDesignViewController (the design canvas)
//           1 MainEditorCodeViewController (until the designer mode removes it)

#include "Projects/SideMenuContentType.h"

class MainContentViewController;
class MainEditorCodeViewController;
class MainEditorDesignViewController;
class MainEditorViewController;
class MainViewController;
class SideMenuContentViewController;
class SideMenuViewController;
class ViewController;

namespace editorhierarchy {

// `editor` as the editor, then its design split controller, then that one's design canvas.
MainEditorDesignViewController* designCanvasOf(const ViewController* editor);
// The editor that holds `canvas` through its design split controller.
MainEditorViewController* editorOfCanvas(const ViewController* canvas);
// The code tab of the editor that holds `canvas`.
MainEditorCodeViewController* codeTabOfCanvas(const ViewController* canvas);

// The window's root when `editor` is the screen on top of its content stack.
MainViewController* mainViewOfEditor(const MainEditorViewController* editor);
// The side menu's page container of the window that shows `editor`.
SideMenuContentViewController* sideMenuContentOfEditor(const MainEditorViewController* editor);
// The side page of `type` in the window that shows `editor`, when it is of class T.
template <class T>
T* sidePageOfEditor(const MainEditorViewController* editor, SideMenuContentType type);

// The side menu that holds `page` (a side page).
SideMenuViewController* sideMenuOfPage(const ViewController* page);
// The editor on top of the content stack of the window whose side menu holds `page`.
MainEditorViewController* editorOfPage(const ViewController* page);

} // namespace editorhierarchy

#include "Projects/ui/SideMenuContentViewController.h"

template <class T>
T* editorhierarchy::sidePageOfEditor(const MainEditorViewController* editor, SideMenuContentType type)
{
    SideMenuContentViewController* content = sideMenuContentOfEditor(editor);
    return content ? qobject_cast<T*>(content->getVC(type)) : nullptr;
}
