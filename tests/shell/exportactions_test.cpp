// The window's "Exporter…" button: each format writes the table exactly as
// the window shows it (a match day with its movement marks, a sort), the
// file chosen by the chooser; a failure is told and no file of the program
// is ever replaced. The team calendar the team views offer goes the same way.
#include "windowfixture.h"

#include "standings/core/tableexport.h"
#include "standings/ui/standingstable.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace {

class ExportActions : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        start();
        window->setExportFileChooser([this](const QString &suggested) {
            suggestions << suggested;
            return answer;
        });
    }
    QAction *action(const char *name) const
    {
        auto *button = widget<QToolButton>(QStringLiteral("BtExport"));
        return button && button->menu() ? button->menu()->findChild<QAction *>(QLatin1String(name)) : nullptr;
    }
    // The data lines of an exported spreadsheet, split into fields (the
    // bundled season's names need no quotes).
    QList<QStringList> csvRows(const QString &name) const
    {
        QString text = QString::fromUtf8(folder.read(name));
        text.remove(QChar(0xFEFF));
        QList<QStringList> rows;
        for (const QString &line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).mid(1))
            rows << line.split(u';');
        return rows;
    }
    QStringList shownColumn(const QString &name) const
    {
        QStringList texts;
        for (QLabel *cell : indexed<QLabel>(name))
            texts << cell->text();
        return texts;
    }

    QString answer;
    QStringList suggestions;
};

TEST_F(ExportActions, TheButtonSitsUnderTheTableAndOffersThreeFormats)
{
    auto *button = widget<QToolButton>(QStringLiteral("BtExport"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->text(), QStringLiteral("Exporter…"));
    const QRect cells = window->standingsTable().geometry();
    const QLabel *lastName = widget<QLabel>(QStringLiteral("Tclass"), 19);
    ASSERT_NE(lastName, nullptr);
    EXPECT_GT(button->y(), cells.y() + lastName->geometry().bottom()) << "the button covers a row";
    EXPECT_LE(button->geometry().right(), window->width());
    for (const char *name : {"ExportCsv", "ExportHtml", "ExportPdf"})
        EXPECT_NE(action(name), nullptr) << name;
}

TEST_F(ExportActions, TheSpreadsheetHoldsTheTableAsShownAtAMatchDay)
{
    window->pickMatchDay(12);
    answer = folder.file(QStringLiteral("j12.csv"));
    action("ExportCsv")->trigger();
    ASSERT_EQ(suggestions.size(), 1);
    EXPECT_TRUE(suggestions[0].endsWith(QStringLiteral("Kestrane1-classement-J12.csv")))
        << suggestions[0].toStdString();

    const QList<QStringList> rows = csvRows(QStringLiteral("j12.csv"));
    ASSERT_EQ(rows.size(), TeamCount);
    QStringList ranks, marks, names, points;
    for (const QStringList &row : rows)
        ranks << row.value(0), marks << row.value(1), names << row.value(2), points << row.value(3);
    EXPECT_EQ(ranks, shownColumn(QStringLiteral("LabClass")));
    EXPECT_EQ(names, shownColumn(QStringLiteral("Tclass")));
    EXPECT_EQ(points, shownColumn(QStringLiteral("TPTS")));
    // The movement marks of match day 12 come along, as their tool tips say;
    // "=" alone would be a formula to a spreadsheet, so it is guarded.
    QStringList tips;
    for (QLabel *icon : indexed<QLabel>(QStringLiteral("ImEvol"))) {
        const QString tip = icon->toolTip();
        tips << (tip == QLatin1String("=") ? QStringLiteral("'=") : tip);
    }
    EXPECT_EQ(marks, tips);
    EXPECT_FALSE(marks.join(QString()).isEmpty());
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(ExportActions, ThePageAndThePdfFollowASort)
{
    window->sortByCriterion(QStringLiteral("BP"));
    answer = folder.file(QStringLiteral("tri.html"));
    action("ExportHtml")->trigger();
    const QByteArray html = folder.read(QStringLiteral("tri.html"));
    EXPECT_TRUE(html.contains("<caption>Maximum de buts marqués</caption>"));
    EXPECT_TRUE(html.contains(shownColumn(QStringLiteral("Tclass")).value(0).toUtf8()));
    EXPECT_TRUE(suggestions.value(0).endsWith(QStringLiteral("Kestrane1-classement-BP.html")));

    answer = folder.file(QStringLiteral("tri.pdf"));
    action("ExportPdf")->trigger();
    EXPECT_TRUE(folder.read(QStringLiteral("tri.pdf")).startsWith("%PDF-"));
    // The next export is offered in the folder of the last one.
    EXPECT_TRUE(suggestions.value(1).startsWith(folder.path()));
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(ExportActions, ACancelWritesNothingAndAFailureIsTold)
{
    answer.clear();
    action("ExportCsv")->trigger();
    EXPECT_TRUE(prompt.messages.isEmpty());

    answer = folder.file(QStringLiteral("absent/classement.csv"));
    action("ExportCsv")->trigger();
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].contains(QStringLiteral("Impossible d'écrire le fichier")));

    const QByteArray store = folder.read(QStringLiteral("Resultats2013.ini"));
    EXPECT_FALSE(window->exportTableTo(MainWindow::TableFormat::Html, storePath()));
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), store);
    EXPECT_TRUE(prompt.messages.value(1).contains(QStringLiteral("fichier du programme")));
}

TEST_F(ExportActions, ATeamsCalendarIsWrittenForTheTeamViews)
{
    answer = folder.file(QStringLiteral("valmoret.ics"));
    window->exportTeamCalendar(QStringLiteral("FC Valmoret"));
    EXPECT_TRUE(suggestions.value(0).endsWith(QStringLiteral("Kestrane1-FC-Valmoret.ics")));
    const QByteArray ics = folder.read(QStringLiteral("valmoret.ics"));
    EXPECT_EQ(ics.count("BEGIN:VEVENT"), 38);
    // Stamped with the program's clock.
    const QString stamp = clock.now().toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    EXPECT_TRUE(ics.contains("DTSTAMP:" + stamp.toLatin1()));

    EXPECT_FALSE(window->exportTeamCalendarTo(QStringLiteral("Personne"), folder.file(QStringLiteral("p.ics"))));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("p.ics"))));
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].contains(QStringLiteral("Équipe inconnue : Personne")));
}

} // namespace
