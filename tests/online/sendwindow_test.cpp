// The sending tool's window against the league's real Apache.
#include "online/ui/sendwindow.h"

#include "apacheserver.h"
#include "seasonbuilder.h"
#include "testfolder.h"

#include "online/core/publishedcopy.h"
#include "online/net/httpdownloader.h"
#include "online/net/httpuploader.h"
#include "season/core/inifile.h"
#include "season/core/resultstore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

class SendWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        base = ResultsBuilder().result("0100", 'T', "2", "1", 'A').stamp("05 déc. 20:00").version("1.3").bytes();
        server.publish(ResultsBuilder()
                           .result("0100", 'T', "2", "1", 'A')
                           .result("0101", 'B', "0", "0", 'S')
                           .result("0102", 'C', "3", "3", 'R')
                           .stamp("06 déc. 21:00")
                           .version("1.3")
                           .bytes());
        ASSERT_TRUE(server.addVolunteer(QStringLiteral("alice"), QStringLiteral("secret")).isEmpty());
        const QString started = server.start();
        ASSERT_TRUE(started.isEmpty()) << started.toStdString();
        folder.write(publishedcopy::FileName, base);
        // Typed here: the second match otherwise, and another one.
        folder.write(ResultStore::FileName, ResultsBuilder()
                                                .result("0100", 'T', "2", "1", 'A')
                                                .result("0102", 'C', "1", "0", 'R')
                                                .result("0103", 'D', "0", "1", 'Q')
                                                .stamp("06 déc. 22:00")
                                                .version("1.3")
                                                .bytes());
    }

    std::unique_ptr<SendWindow> window(const credentials::Found &found = {})
    {
        return std::make_unique<SendWindow>(SendWindowSetup{folder.file(ResultStore::FileName), server.address(),
                                                            credentialsFile, found, season, std::nullopt, &http,
                                                            &upload});
    }

    // Clicks "Envoyer" and waits for the outcome.
    std::optional<Publication::Outcome> send(SendWindow &w)
    {
        std::optional<Publication::Outcome> outcome;
        const QMetaObject::Connection connection =
            QObject::connect(&w, &SendWindow::finished, [&](const Publication::Outcome &o) { outcome = o; });
        QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("Envoyer")), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 20000));
        QObject::disconnect(connection);
        return outcome;
    }

    QString text(SendWindow &w, const char *name) { return w.findChild<QLabel *>(QLatin1String(name))->text(); }

    SeasonBuilder builder;
    Season season = Season::fromBytes(builder.seasonFile());
    ApacheServer server;
    TestFolder folder;
    TestFolder home;
    QString credentialsFile = credentials::filePath(home.path());
    QByteArray base;
    HttpDownloader http;
    HttpUploader upload;
};

} // namespace

TEST_F(SendWindowTest, ConflictsAreShownPerFixtureAndSentAsTheVolunteerChooses)
{
    auto w = window();
    w->show();
    EXPECT_EQ(w->exitStatus(), 1);
    w->findChild<QLineEdit *>(QStringLiteral("Nom"))->setText(QStringLiteral("alice"));
    w->findChild<QLineEdit *>(QStringLiteral("MotDePasse"))->setText(QStringLiteral("secret"));
    w->findChild<QCheckBox *>(QStringLiteral("Memoriser"))->setChecked(false);

    std::optional<Publication::Outcome> outcome = send(*w);
    ASSERT_EQ(outcome->status, Publication::Status::Conflicts);
    EXPECT_EQ(w->exitStatus(), 3);
    auto *table = w->findChild<QTableWidget *>(QStringLiteral("Conflits"));
    ASSERT_TRUE(table->isVisible());
    ASSERT_EQ(table->rowCount(), 1);
    const QString code = builder.codes(1).at(2);
    EXPECT_EQ(
        table->item(0, 0)->text(),
        QStringLiteral("J1 %1 - %2").arg(season.teamNameOfLetter(code.at(0)), season.teamNameOfLetter(code.at(1))));
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("3-3"));
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("1-0"));
    EXPECT_TRUE(text(*w, "Resultat").contains(QStringLiteral("Rien n'est publié")));
    const QByteArray before = server.published();

    // Not chosen yet: nothing goes.
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("Envoyer")), Qt::LeftButton);
    EXPECT_TRUE(text(*w, "Resultat").startsWith(QStringLiteral("Choisissez")));
    EXPECT_EQ(server.published(), before);

    qobject_cast<QComboBox *>(table->cellWidget(0, 3))->setCurrentIndex(1); // mine
    outcome = send(*w);
    ASSERT_EQ(outcome->status, Publication::Status::Published) << outcome->message.toStdString();
    EXPECT_EQ(w->exitStatus(), 0);
    EXPECT_FALSE(table->isVisible());
    EXPECT_EQ(text(*w, "Resultat"), QStringLiteral("Résultats publiés. 1 résultat reçu d'autres bénévoles."));
    const QByteArray now = server.published();
    EXPECT_EQ(IniFile::readFrom(now, "Resultats", "0101"), QStringLiteral("B|0|0|0|0|0|0|S"));
    EXPECT_EQ(IniFile::readFrom(now, "Resultats", "0102"), QStringLiteral("C|0|0|1|0|0|0|R"));
    EXPECT_EQ(IniFile::readFrom(now, "Resultats", "0103"), QStringLiteral("D|0|0|0|1|0|0|Q"));
    // The folder sees the others' result, and keeps what it published.
    EXPECT_EQ(folder.read(ResultStore::FileName), now);
    EXPECT_EQ(folder.read(publishedcopy::FileName), now);
    EXPECT_FALSE(QFileInfo::exists(credentialsFile));
}

TEST_F(SendWindowTest, RememberedCredentialsFillTheWindowWhichSendsAtOnce)
{
    ASSERT_TRUE(credentials::remember(credentialsFile, {QStringLiteral("alice"), QStringLiteral("faux")}));
    auto w = window(credentials::find({}, {}, credentialsFile));
    EXPECT_EQ(w->findChild<QLineEdit *>(QStringLiteral("Nom"))->text(), QStringLiteral("alice"));
    EXPECT_TRUE(w->findChild<QCheckBox *>(QStringLiteral("Memoriser"))->isChecked());

    std::optional<Publication::Outcome> outcome;
    QObject::connect(w.get(), &SendWindow::finished, [&](const Publication::Outcome &o) { outcome = o; });
    w->startIfReady();
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 20000));
    // Conflicts come before the upload: decided, the wrong password shows.
    qobject_cast<QComboBox *>(w->findChild<QTableWidget *>(QStringLiteral("Conflits"))->cellWidget(0, 3))
        ->setCurrentIndex(2); // theirs
    outcome = send(*w);
    EXPECT_EQ(outcome->status, Publication::Status::Failed);
    EXPECT_TRUE(text(*w, "Resultat").contains(QStringLiteral("Nom ou mot de passe refusé")))
        << text(*w, "Resultat").toStdString();

    // The right one, remembered with the box ticked: the file changes.
    w->findChild<QLineEdit *>(QStringLiteral("MotDePasse"))->setText(QStringLiteral("secret"));
    outcome = send(*w);
    EXPECT_EQ(outcome->status, Publication::Status::Published) << outcome->message.toStdString();
    EXPECT_EQ(credentials::find({}, {}, credentialsFile).credentials.password, QStringLiteral("secret"));
    EXPECT_EQ(IniFile::readFrom(server.published(), "Resultats", "0102"), QStringLiteral("C|0|0|3|3|0|0|R"));

    // Given by a script, they leave the remembered ones alone; unticked by
    // the volunteer, the remembered ones go.
    auto script = window(credentials::find(QStringLiteral("alice"), QStringLiteral("secret"), credentialsFile));
    EXPECT_FALSE(script->findChild<QCheckBox *>(QStringLiteral("Memoriser"))->isChecked());
    EXPECT_EQ(send(*script)->status, Publication::Status::Published);
    EXPECT_TRUE(QFileInfo::exists(credentialsFile));
    auto again = window(credentials::find({}, {}, credentialsFile));
    again->findChild<QCheckBox *>(QStringLiteral("Memoriser"))->setChecked(false);
    EXPECT_EQ(send(*again)->status, Publication::Status::Published);
    EXPECT_FALSE(QFileInfo::exists(credentialsFile));
}
