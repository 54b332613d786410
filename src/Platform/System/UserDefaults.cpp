#include "Platform/System/UserDefaults.h"

#include <QStandardPaths>

UserDefaults::UserDefaults(const QString& file)
    : m_settings(std::make_unique<QSettings>(file, QSettings::IniFormat))
{
}

UserDefaults UserDefaults::standardUserDefaults()
{
    return UserDefaults(storagePath());
}

QString UserDefaults::storagePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/zarneth/zarneth.ini");
}

bool UserDefaults::hasObjectForKey(const QString& key) const
{
    return m_settings->contains(key);
}

QVariant UserDefaults::objectForKey(const QString& key) const
{
    return m_settings->value(key);
}

bool UserDefaults::boolForKey(const QString& key) const
{
    return m_settings->value(key, false).toBool();
}

int UserDefaults::integerForKey(const QString& key) const
{
    return m_settings->value(key, 0).toInt();
}

void UserDefaults::setBool(bool value, const QString& key)
{
    m_settings->setValue(key, value);
}

void UserDefaults::setInteger(int value, const QString& key)
{
    m_settings->setValue(key, value);
}

void UserDefaults::removeObjectForKey(const QString& key)
{
    m_settings->remove(key);
}

bool UserDefaults::synchronize()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
