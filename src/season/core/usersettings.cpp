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
    const QString name = settingsKey(section, key);
    if (m_settings->contains(name))
        return m_settings->value(name).toString();
    // A setting a league's author wrote by hand ("[Data]" and
    // "AutoriteCertification=", as the documentation spells them).
    const QStringList keys = m_settings->allKeys();
    for (const QString &written : keys) {
        if (written.compare(name, Qt::CaseInsensitive) == 0)
            return m_settings->value(written).toString();
    }
    return defaultValue;
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
