#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>

// The user's settings, kept in an INI file under the XDG configuration
// folder ($XDG_CONFIG_HOME/zarneth/zarneth.ini, usually ~/.config). Every
// object reads and writes the same file; synchronize() writes pending
// changes to it.
class UserDefaults {
public:
    static UserDefaults standardUserDefaults();
    static QString storagePath();

    bool hasObjectForKey(const QString& key) const;
    QVariant objectForKey(const QString& key) const;
    bool boolForKey(const QString& key) const;
    int integerForKey(const QString& key) const;

    void setBool(bool value, const QString& key);
    void setInteger(int value, const QString& key);
    void removeObjectForKey(const QString& key);

    // True when every change reached the file.
    bool synchronize();

private:
    explicit UserDefaults(const QString& file);

    std::unique_ptr<QSettings> m_settings;
};
