#pragma once

// Writes an export as the Adobe XD plug-in leaves it in its data folder (one folder per artboard
// with its layer JSON, preview and images; "symbol_masters" with the masters' JSON and one image
// folder per master) at any path, and reads back what is left of it after a run.

#include <boost/json.hpp>

#include <QByteArray>
#include <QString>

#include <map>
#include <string>

class XDPluginFolder {
public:
    explicit XDPluginFolder(QString root);

    const QString& root() const { return m_root; }

    // A layer node: {"sceneNode": {guid, name, visible, boundsInParent}, "children": [...], "symbolId"}.
    static boost::json::object node(const std::string& guid, const std::string& name, double x, double y, double width,
                                    double height, boost::json::array children = {}, const std::string& symbolId = {});
    // A PNG of the given size: the sizes tell the files apart.
    static QByteArray png(int width, int height);

    // <id>/<id>.json holding the node and <id>/<id>.png the preview.
    void artboard(const std::string& id, const boost::json::object& node, const QByteArray& preview);
    // symbol_masters/symbol_masters.json.
    void masters(const boost::json::array& nodes);
    // Any file below the root; folders on the way are made.
    void write(const QString& relative, const QByteArray& bytes);
    QByteArray read(const QString& relative) const;

    // Every file below `root` by its path relative to it ("A1/A1.json"), with its bytes;
    // empty folders appear with a trailing "/" and no bytes. Empty when `root` is gone.
    static std::map<std::string, QByteArray> contents(const QString& root);

    static QByteArray json(const boost::json::value& value);

private:
    QString m_root;
};
