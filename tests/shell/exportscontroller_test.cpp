// The exports alone: each format writes the table on display, the file
// chosen by the chooser; a failure is told and no file of the program is ever
// replaced. The team calendar the team views offer goes the same way.
#include "featurefixture.h"

#include "shell/ui/exportscontroller.h"
#include "standings/core/criterionsort.h"
#include "standings/ui/tableformats.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace {

class ExportsControllerTest : public FeatureFixture
{
protected:
    void SetUp() override
    {
        FeatureFixture::SetUp();
        openSession();
        session->computeStandings();
        controller = std::make_unique<ExportsController>(ExportsController::Needs{*session, prompt, host});
        controller->setFileChooser([this](const QString &suggested) {
            suggestions << suggested;
            return answer;
        });
    }
    QAction *action(const char *name) const
    {
        auto *button = widget<QToolButton>(QStringLiteral("BtExport"));
        return button && button->menu() ? button->menu()->findChild<QAction *>(QLatin1String(name)) : nullptr;
    }

    std::unique_ptr<ExportsController> controller;
    QString answer;
    QStringList suggestions;
};

} // namespace

TEST_F(ExportsControllerTest, ThePageAndThePdfFollowASort)
{
    StandingsModel &model = session->standings();
    model.setDisplayed(criterion::sortByCriterion(model.displayed(), QStringLiteral("BP")));
    answer = folder.file(QStringLiteral("tri.html"));
    action("ExportHtml")->trigger();
    const QByteArray html = folder.read(QStringLiteral("tri.html"));
    EXPECT_TRUE(html.contains("<caption>Maximum de buts marqués</caption>"));
    EXPECT_TRUE(html.contains(model.displayed().rows[0].data.name.toUtf8()));
    EXPECT_TRUE(suggestions.value(0).endsWith(QStringLiteral("Kestrane1-classement-BP.html")));

    answer = folder.file(QStringLiteral("tri.pdf"));
    action("ExportPdf")->trigger();
    EXPECT_TRUE(folder.read(QStringLiteral("tri.pdf")).startsWith("%PDF-"));
    // The next export is offered in the folder of the last one.
    EXPECT_TRUE(suggestions.value(1).startsWith(folder.path()));
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(ExportsControllerTest, ACancelWritesNothingAndAFailureIsTold)
{
    answer.clear();
    action("ExportCsv")->trigger();
    EXPECT_TRUE(prompt.messages.isEmpty());

    answer = folder.file(QStringLiteral("absent/classement.csv"));
    action("ExportCsv")->trigger();
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].contains(QStringLiteral("Impossible d'écrire le fichier")));

    const QByteArray store = folder.read(QStringLiteral("Resultats2013.ini"));
    EXPECT_FALSE(controller->exportTableTo(*tableformats::ofSuffix(QStringLiteral("html")), storePath()));
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), store);
    EXPECT_TRUE(prompt.messages.value(1).contains(QStringLiteral("fichier du programme")));
}

TEST_F(ExportsControllerTest, ATeamsCalendarIsWrittenForTheTeamViews)
{
    answer = folder.file(QStringLiteral("valmoret.ics"));
    controller->exportTeamCalendar(QStringLiteral("FC Valmoret"));
    EXPECT_TRUE(suggestions.value(0).endsWith(QStringLiteral("Kestrane1-FC-Valmoret.ics")));
    const QByteArray ics = folder.read(QStringLiteral("valmoret.ics"));
    EXPECT_EQ(ics.count("BEGIN:VEVENT"), 38);
    // Stamped with the program's clock.
    const QString stamp = clock.now().toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    EXPECT_TRUE(ics.contains("DTSTAMP:" + stamp.toLatin1()));

    EXPECT_FALSE(controller->exportTeamCalendarTo(QStringLiteral("Personne"), folder.file(QStringLiteral("p.ics"))));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("p.ics"))));
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].contains(QStringLiteral("Équipe inconnue : Personne")));
}
