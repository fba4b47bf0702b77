#include "season/core/usersettings.h"

#include "season/core/safefile.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {
// QSettings keys are case-sensitive; the program addresses one section as
// both "Data" and "data", so names are kept in lower case.
QString settingsKey(const QString &section, const QString &key)
{
    return section.trimmed().toLower() + QLatin1Char('/') + key.trimmed().toLower();
}
} // namespace

UserSettings::UserSettings(const QString &applicationName)
{
    // Where QSettings puts an application's own INI file in the user's
    // scope, named here so that the file is looked at before it is opened.
    open(QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
             .filePath(applicationName + QLatin1Char('/') + applicationName + QStringLiteral(".ini")));
}

std::unique_ptr<UserSettings> UserSettings::atFile(const QString &filePath)
{
    std::unique_ptr<UserSettings> settings(new UserSettings());
    settings->open(filePath);
    return settings;
}

UserSettings::~UserSettings() = default;

void UserSettings::open(const QString &filePath)
{
    m_path = filePath;
    if (fileUsable())
        m_settings = std::make_unique<QSettings>(filePath, QSettings::IniFormat);
}

bool UserSettings::fileUsable()
{
    if (!m_problem.isEmpty())
        return false;
    const safefile::ReadStatus status = safefile::read(m_path, MaxFileBytes).status;
    if (status == safefile::ReadStatus::Ok || status == safefile::ReadStatus::Missing)
        return true;
    m_problem = QStringLiteral("Impossible de lire les réglages %1 : %2. Ceux de cette session ne seront pas "
                               "enregistrés.")
                    .arg(QDir::toNativeSeparators(m_path), safefile::reason(status, MaxFileBytes));
    if (m_settings) {
        // Every write was synced at once: nothing waits to be written, so
        // letting the file go touches it no more.
        for (const QString &key : m_settings->allKeys())
            m_memory.insert(key, m_settings->value(key).toString());
        m_settings.reset();
    }
    return false;
}

QString UserSettings::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    const QString name = settingsKey(section, key);
    if (!m_settings)
        return m_memory.value(name, defaultValue);
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
    // Looked at again: the file is read back before it is written.
    if (!fileUsable()) {
        m_memory.insert(settingsKey(section, key), value);
        return;
    }
    m_settings->setValue(settingsKey(section, key), value);
    // Written at once, so a crash or a second instance loses nothing.
    m_settings->sync();
}

QString UserSettings::fileName() const
{
    return m_path;
}
