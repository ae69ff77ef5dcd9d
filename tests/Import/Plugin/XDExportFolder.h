#pragma once

// Builds what the Adobe XD plug-in writes into its data folder, under a temporary Library folder
// that the platform layer is pointed at for the life of the object.

#include "Import/Sketch/GSketchTerminalManager.h"
#include "platform/JsonText.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <boost/json.hpp>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <string>

class XDExportFolder {
public:
    XDExportFolder()
    {
        platform::overrideUserLibraryDirectory(m_library.path());
        m_root = *GSketchTerminalManager::getAdobeXDPluginDataPath();
        QDir().mkpath(m_root);
    }
    ~XDExportFolder() { platform::clearUserLibraryOverride(); }

    const QString& root() const { return m_root; }
    QString path(const QString& relative) const { return m_root + QLatin1Char('/') + relative; }
    bool exists(const QString& relative) const { return QFileInfo::exists(path(relative)) || QFileInfo(path(relative)).isSymLink(); }

    static boost::json::object node(const std::string& guid, const std::string& name, boost::json::array children = {},
                                    const std::string& symbolId = {})
    {
        boost::json::object scene{{"guid", guid}, {"name", name}, {"visible", true},
                                  {"boundsInParent", {{"x", 10}, {"y", 20.5}, {"width", 375}, {"height", 812}}}};
        boost::json::object n{{"sceneNode", scene}, {"children", std::move(children)}};
        if (!symbolId.empty()) n["symbolId"] = symbolId;
        return n;
    }

    // A small PNG of the given size; different sizes tell the files apart.
    static QByteArray png(int width, int height = 2) { return pngOfSize(width, height); }

    // <id>/<id>.json and <id>/<id>.png (the preview, unless withPreview is false).
    void artboard(const std::string& id, const boost::json::object& node, bool withPreview = true)
    {
        const QString name = QString::fromStdString(id);
        write(name + QLatin1Char('/') + name + QStringLiteral(".json"), json(node));
        if (withPreview) write(name + QLatin1Char('/') + name + QStringLiteral(".png"), png(37, 81));
    }
    void masters(const boost::json::array& nodes) { write(QStringLiteral("symbol_masters/symbol_masters.json"), json(nodes)); }
    void write(const QString& relative, const QByteArray& bytes) { writeFileBytes(path(relative), bytes); }
    void image(const QString& relative, int width) { write(relative, png(width)); }
    static QByteArray json(const boost::json::value& value) { return QByteArray::fromStdString(*platform::jsonText(value)); }

private:
    QTemporaryDir m_library;
    QString m_root;
};
