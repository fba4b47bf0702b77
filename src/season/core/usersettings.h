#pragma once

#include <QString>

#include <memory>

class QSettings;

// The user's own preferences (check boxes, favourite team, last donors fetch),
// kept per user and per application name, apart from the shared results store.
// Section and key names compare without regard to case: "data"/"Vset" and
// "Data"/"EP" share one section.
class UserSettings
{
public:
    // Settings of the given application in the user's configuration folder.
    explicit UserSettings(const QString &applicationName);
    // Settings kept in one given file: tests point this at a temporary folder.
    static std::unique_ptr<UserSettings> atFile(const QString &filePath);
    ~UserSettings();

    QString read(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    void write(const QString &section, const QString &key, const QString &value);
    QString fileName() const;

private:
    UserSettings() = default;
    std::unique_ptr<QSettings> m_settings;
};

// Every key the program keeps, with its section, in one place.
namespace settingkeys {
inline const QString DataSection = QStringLiteral("Data");
inline const QString AutoUpdate = QStringLiteral("C4");
inline const QString HighlightFavourite = QStringLiteral("C5");
inline const QString TrackingAid = QStringLiteral("C6");
inline const QString FavouriteTeam = QStringLiteral("EP");
inline const QString DonorsSection = QStringLiteral("data");
inline const QString DonorsFetched = QStringLiteral("Vset");
// Where the author's web server and the download portal are; absent means the
// program's defaults.
inline const QString ServerAddress = QStringLiteral("Serveur");
inline const QString PortalAddress = QStringLiteral("Portail");
inline const QString AuthorName = QStringLiteral("Auteur");
// Where the results store lived at the last start, and the two differing
// stores the user was last told about (see programfolder::choose).
inline const QString StoreFolder = QStringLiteral("DossierResultats");
inline const QString StoresTold = QStringLiteral("EcartSignale");
// A private certificate authority the update and the sending tool trust (a PEM file).
inline const QString CertificateAuthority = QStringLiteral("AutoriteCertification");
// "1": the league knowingly lets the sending tool send the password over
// plain HTTP to another machine.
inline const QString PlainHttpSending = QStringLiteral("EnvoiNonChiffre");
} // namespace settingkeys
