#include "platform/UserDefaults.h"

#include <QSettings>

namespace platform {
namespace {
std::unique_ptr<QSettings> openStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvex"),
                                       QStringLiteral("Quorvex"));
}
} // namespace

UserDefaults::UserDefaults()
    : m_settings(openStore())
{
}

UserDefaults& UserDefaults::standard()
{
    static UserDefaults defaults;
    return defaults;
}

bool UserDefaults::contains(const QString& key) const
{
    return m_settings->contains(key);
}

bool UserDefaults::boolForKey(const QString& key) const
{
    const QVariant v = m_settings->value(key);
    switch (v.typeId()) {
    case QMetaType::Bool: return v.toBool();
    // Text-based stores hand booleans back as the words they wrote.
    case QMetaType::QString: {
        const QString s = v.toString();
        return s == QLatin1String("true") || s == QLatin1String("1");
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return v.toLongLong() != 0;
    default: return false;
    }
}

void UserDefaults::setBool(const QString& key, bool value)
{
    m_settings->setValue(key, value);
}

QString UserDefaults::stringForKey(const QString& key) const
{
    const QVariant v = m_settings->value(key);
    switch (v.typeId()) {
    case QMetaType::QString: return v.toString();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double: return v.toString();
    default: return {};
    }
}

void UserDefaults::setString(const QString& key, const QString& value)
{
    m_settings->setValue(key, value);
}

QByteArray UserDefaults::dataForKey(const QString& key) const
{
    const QVariant v = m_settings->value(key);
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : QByteArray();
}

void UserDefaults::setData(const QString& key, const QByteArray& value)
{
    m_settings->setValue(key, value);
}

void UserDefaults::removeObject(const QString& key)
{
    m_settings->remove(key);
}

void UserDefaults::synchronize()
{
    m_settings->sync();
}

void UserDefaults::reload()
{
    m_settings->sync();
    m_settings = openStore();
}

} // namespace platform
