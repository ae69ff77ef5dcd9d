#pragma once

#include <QString>

// Which entries a searchable side list looks through: the open screen's or the whole project's.
enum class ComponentSearchScope { screen, project };

// One segment of a list header's scope control: the scope it stands for and its title.
struct ComponentSearchScopeItem {
    ComponentSearchScope tag = ComponentSearchScope::screen;
    QString title;
};
