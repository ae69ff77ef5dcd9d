#include "Editor/Pages/ui/ImagesViewController.h"

#include <QPalette>

ImagesViewController* ImagesViewController::instantiate()
{
    return new ImagesViewController;
}

ImagesViewController::ImagesViewController()
{
    setObjectName(QStringLiteral("ImagesViewController"));
    QPalette red = palette();
    red.setColor(QPalette::Window, Qt::red);
    setPalette(red);
    setAutoFillBackground(true);
}
