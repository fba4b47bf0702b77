#pragma once

#include <QHash>
#include <QString>

#include <memory>

class QSettings;

// The user's own preferences (check boxes, favourite team, last donors fetch),
// kept per user and per application name, apart from the shared results store.
// Section and key names compare without regard to case: "data"/"Vset" and
// "Data"/"EP" share one section.
//
// The file is looked at through the guarded reader before it is used: one
// that is no regular file (a FIFO, a device), too large to be settings, or
// unreadable is neither read nor written, and the settings of the run live
// in memory only, so that nothing standing at that path can hold the program.
class UserSettings
{
public:
    // A settings file is a few lines: a larger one is not one.
    static constexpr qint64 MaxFileBytes = 1024 * 1024;

    // Settings of the given application in the user's configuration folder.
    explicit UserSettings(const QString &applicationName);
    // Settings kept in one given file: tests point this at a temporary folder.
    static std::unique_ptr<UserSettings> atFile(const QString &filePath);
    ~UserSettings();

    QString read(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    void write(const QString &section, const QString &key, const QString &value);
    QString fileName() const;
    // Why the file is not used, in French; empty while it is.
    QString problem() const { return m_problem; }

private:
    UserSettings() = default;
    void open(const QString &filePath);
    // Whether the file may still be used; when not, the settings move to
    // memory and the problem is told.
    bool fileUsable();

    QString m_path;
    std::unique_ptr<QSettings> m_settings; // null when the file is not used
    QHash<QString, QString> m_memory;      // the settings of a run without a file
    QString m_problem;
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
