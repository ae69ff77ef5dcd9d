#include "platform/UserDefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace platform {
namespace {
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions kOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                           | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

// The store holds the session's tokens, so only its owner may read it. A missing file is made
// with that mode before the first write (the atomic save that replaces it keeps the mode), and
// an older file made with a wider mode is narrowed.
void keepOwnerOnly(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, kOwnerOnly)) file.close();
    }
    if (file.exists() && (file.permissions() & kOthers)) file.setPermissions(kOwnerOnly);
}

std::unique_ptr<QSettings> openStore()
{
    auto store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvex"),
                                             QStringLiteral("Quorvex"));
    keepOwnerOnly(store->fileName());
    return store;
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
    keepOwnerOnly(m_settings->fileName());
}

void UserDefaults::reload()
{
    m_settings->sync();
    m_settings = openStore();
}

} // namespace platform
