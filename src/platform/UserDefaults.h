#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <memory>

class QSettings;

namespace platform {

// The user's persisted settings (QSettings with fixed organisation and application names).
class UserDefaults {
public:
    static UserDefaults& standard();

    bool contains(const QString& key) const;
    // false when absent or not a boolean; a boolean read back as text ("true"/"false") or a
    // number (non-zero) counts, since the store on disk keeps no types.
    bool boolForKey(const QString& key) const;
    void setBool(const QString& key, bool value);
    QString stringForKey(const QString& key) const; // empty when absent or not text/number
    void setString(const QString& key, const QString& value);
    QByteArray dataForKey(const QString& key) const; // empty unless stored with setData
    void setData(const QString& key, const QByteArray& value);
    void removeObject(const QString& key);
    void synchronize();

    // Re-reads the settings store, for tests that simulate a new process.
    void reload();

private:
    UserDefaults();
    std::unique_ptr<QSettings> m_settings;
};

} // namespace platform
