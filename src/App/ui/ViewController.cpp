#include "App/ui/ViewController.h"

#include <algorithm>

ViewController::ViewController(QWidget* parent)
    : QWidget(parent)
{
}

ViewController::~ViewController()
{
    // Children that are widgets of this controller are deleted after this body runs, while their
    // parent link would still point here: cut the links first.
    for (const auto& child : m_childControllers) {
        if (child && child->m_parentController == this) child->m_parentController = nullptr;
    }
    if (auto* parent = m_parentController.data()) parent->removeChildController(this);
}

void ViewController::addChildController(ViewController* child)
{
    if (!child || child == this) return;
    if (auto* previous = child->m_parentController.data()) previous->removeChildController(child);
    child->m_parentController = this;
    m_childControllers.emplace_back(child);
}

void ViewController::removeChildController(ViewController* child)
{
    if (!child) return;
    const auto it = std::find(m_childControllers.begin(), m_childControllers.end(), child);
    if (it == m_childControllers.end()) return;
    m_childControllers.erase(it);
    if (child->m_parentController == this) child->m_parentController = nullptr;
}
