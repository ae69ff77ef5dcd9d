#include "XDPluginFolder.h"

#include "platform/JsonText.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>

#include <utility>

XDPluginFolder::XDPluginFolder(QString root)
    : m_root(std::move(root))
{
    QDir().mkpath(m_root);
}

boost::json::object XDPluginFolder::node(const std::string& guid, const std::string& name, double x, double y,
                                         double width, double height, boost::json::array children,
                                         const std::string& symbolId)
{
    boost::json::object scene{{"guid", guid},
                              {"name", name},
                              {"visible", true},
                              {"boundsInParent", {{"x", x}, {"y", y}, {"width", width}, {"height", height}}}};
    boost::json::object n{{"sceneNode", std::move(scene)}, {"children", std::move(children)}};
    if (!symbolId.empty()) n["symbolId"] = symbolId;
    return n;
}

QByteArray XDPluginFolder::png(int width, int height)
{
    return pngOfSize(width, height, QColor(40, 120, 200));
}

QByteArray XDPluginFolder::json(const boost::json::value& value)
{
    return QByteArray::fromStdString(platform::jsonText(value).value_or(std::string()));
}

void XDPluginFolder::artboard(const std::string& id, const boost::json::object& node, const QByteArray& preview)
{
    const QString name = QString::fromStdString(id);
    write(name + QLatin1Char('/') + name + QStringLiteral(".json"), json(node));
    write(name + QLatin1Char('/') + name + QStringLiteral(".png"), preview);
}

void XDPluginFolder::masters(const boost::json::array& nodes)
{
    write(QStringLiteral("symbol_masters/symbol_masters.json"), json(nodes));
}

void XDPluginFolder::write(const QString& relative, const QByteArray& bytes)
{
    const QString path = m_root + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeFileBytes(path, bytes);
}

QByteArray XDPluginFolder::read(const QString& relative) const
{
    return readFileBytes(m_root + QLatin1Char('/') + relative);
}

std::map<std::string, QByteArray> XDPluginFolder::contents(const QString& root)
{
    std::map<std::string, QByteArray> found;
    const QDir base(root);
    if (!base.exists()) return found;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const std::string relative = base.relativeFilePath(info.filePath()).toStdString();
        if (info.isDir() && !info.isSymLink()) {
            if (QDir(info.filePath()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
                found[relative + "/"] = QByteArray();
        } else {
            found[relative] = readFileBytes(info.filePath());
        }
    }
    return found;
}
