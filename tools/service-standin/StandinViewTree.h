#pragma once

#include "StandinLayers.h"

#include <boost/json.hpp>

#include <map>
#include <set>
#include <string>
#include <vector>

class StandinResources;

// The view records of one uploaded layer tree (an artboard or a symbol master): one view per
// shown layer below the root, as a flat list in tree order and as a tree, with frames in the
// root's space, a class by layer kind and the style the resources name.
class StandinViewTree {
public:
    struct Context {
        StandinResources* resources = nullptr;             // not owned
        std::map<std::string, std::string> masterNames;   // symbolID -> master name
        std::map<std::string, std::string> componentIds;  // symbolID -> id of the component made of it
        std::set<std::string> detachedInstances;          // instance views whose component link was deleted
    };

    StandinViewTree(const Context& context, const boost::json::object& root); // context not kept

    const boost::json::array& viewInfoList() const { return m_views; }
    const boost::json::array& treeViewInfoList() const { return m_tree; }
    // JSON texts of the symbol instances below the root, in tree order, and their symbol ids.
    const boost::json::array& symbolInstanceTexts() const { return m_instanceTexts; }
    const std::vector<std::string>& usedSymbolIds() const { return m_usedSymbolIds; }
    // JSON texts of {"do_objectID","name","frame"} per view, in tree order.
    const boost::json::array& frameTexts() const { return m_frameTexts; }
    // Ids of the views marked as component instances.
    const std::vector<std::string>& instanceIds() const { return m_instanceIds; }

    // The class name of a symbol instance's custom class, from its master's name.
    static std::string customClassName(const std::string& masterName);

private:
    struct Parent {
        std::string id;
        std::string name;
        std::string varName;
        StandinLayers::Rect frame;
    };
    void walk(const Context& context, const boost::json::object& layer, const Parent& parent, boost::json::array& siblings);
    boost::json::object viewInfo(const Context& context, const boost::json::object& layer, const Parent& parent,
                                 const StandinLayers::Rect& frame, const std::string& varName, bool hasChildren,
                                 std::string& className, std::string& classKey);
    std::string uniqueVarName(const std::string& layerName);

    boost::json::array m_views;
    boost::json::array m_tree;
    boost::json::array m_instanceTexts;
    boost::json::array m_frameTexts;
    std::vector<std::string> m_usedSymbolIds;
    std::vector<std::string> m_instanceIds;
    std::set<std::string> m_varNames;
};
