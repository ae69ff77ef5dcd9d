#pragma once

#include <boost/json.hpp>

#include <set>
#include <string>
#include <vector>

// The artboard detail reply of the stand-in, made from what was uploaded: the flat artboard
// record, the view records of the artboard and of the masters it uses, the project's and the
// screen's resources, the components and a small tree of generated code.
class StandinDetail {
public:
    struct Input {
        std::string platform;                        // "iOS" or "Android"
        boost::json::object artboard;                // the stored upload record of the artboard
        std::vector<boost::json::object> artboards;  // every stored artboard record of the project
        std::vector<boost::json::object> masters;    // every stored symbol master record
        boost::json::array textStyles;               // stored [{"jsonString"}]
        boost::json::array layerStyles;
        boost::json::array components;               // the project's component records
        std::set<std::string> detachedInstances;
    };

    static boost::json::object reply(const Input& input);

    // The fixed component types the stand-in offers.
    static boost::json::array componentTypeList();
    static boost::json::array convertibleTypeList();
    // A component made of a symbol master (symbolID, master name) for a platform.
    static boost::json::object componentOf(const std::string& symbolID, const std::string& masterName,
                                           const std::string& platform);

private:
    static boost::json::object codeDirectory(const std::string& platform, const std::string& screenClass,
                                             const boost::json::array& views, const boost::json::array& strings,
                                             std::string& selectedPath);
};
