// The window's "Exporter…" button: under the table, it writes the table
// exactly as the window shows it (a match day with its movement marks).
#include "windowfixture.h"

#include "shell/ui/exportscontroller.h"
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
        window->exports().setFileChooser([this](const QString &suggested) {
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
    window->standings().pickMatchDay(12);
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

} // namespace
