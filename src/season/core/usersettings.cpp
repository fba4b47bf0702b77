#include "season/core/usersettings.h"

#include <QSettings>

namespace {
// QSettings keys are case-sensitive; the program addresses one section as
// both "Data" and "data", so names are kept in lower case.
QString settingsKey(const QString &section, const QString &key)
{
    return section.trimmed().toLower() + QLatin1Char('/') + key.trimmed().toLower();
}
} // namespace

UserSettings::UserSettings(const QString &applicationName)
    : m_settings(
        std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, applicationName, applicationName))
{}

std::unique_ptr<UserSettings> UserSettings::atFile(const QString &filePath)
{
    std::unique_ptr<UserSettings> settings(new UserSettings());
    settings->m_settings = std::make_unique<QSettings>(filePath, QSettings::IniFormat);
    return settings;
}

UserSettings::~UserSettings() = default;

QString UserSettings::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    return m_settings->value(settingsKey(section, key), defaultValue).toString();
}

void UserSettings::write(const QString &section, const QString &key, const QString &value)
{
    m_settings->setValue(settingsKey(section, key), value);
    // Written at once, so a crash or a second instance loses nothing.
    m_settings->sync();
}

QString UserSettings::fileName() const
{
    return m_settings->fileName();
}
