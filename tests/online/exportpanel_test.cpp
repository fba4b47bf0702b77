#include "online/ui/exportpanel.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Types text as a keyboard would, accented letters included (the test
// library's key clicks know only ASCII).
void typeText(QWidget *target, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

QStringList teams()
{
    QStringList names;
    for (int i = 0; i < 20; ++i)
        names << QStringLiteral("Equipe %1").arg(i);
    return names;
}

class ExportPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        panel.resize(296, 714);
        panel.open(QStringLiteral("Bonne saison"), QStringLiteral("1.2"), QStringLiteral("1.3"), teams(),
                   {QStringLiteral("Equipe 2: [-3]")});
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    }
    template <typename W>
    W *child(const char *name) const
    {
        return panel.findChild<W *>(QLatin1String(name));
    }

    ExportPanel panel;
};

} // namespace

TEST_F(ExportPanelTest, OpensWithTheStoreValuesAndKeepsTwentyTeams)
{
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), QStringLiteral("Bonne saison"));
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), QStringLiteral("1.2"));
    EXPECT_EQ(child<QLabel>("Label16")->text(), QStringLiteral("1.3"));
    EXPECT_EQ(child<QListWidget>("List7")->count(), 1);
    EXPECT_EQ(child<QLineEdit>("Text3")->property("index").toInt(), 1);
    auto *combo = child<QComboBox>("Combo1");
    EXPECT_EQ(combo->count(), 20);
    EXPECT_TRUE(panel.chosenTeam().isEmpty()); // nothing chosen until the volunteer does
    combo->setCurrentIndex(4);
    panel.open(QString(), QStringLiteral("-"), QStringLiteral("1.3"), teams(), {});
    panel.open(QString(), QStringLiteral("-"), QStringLiteral("1.3"), teams(), {});
    EXPECT_EQ(combo->count(), 20);
    EXPECT_EQ(panel.chosenTeam(), QStringLiteral("Equipe 4"));
    EXPECT_EQ(child<QListWidget>("List7")->count(), 0);
}

TEST_F(ExportPanelTest, NewsIsFoldedAsItIsTyped)
{
    QSignalSpy changed(&panel, &ExportPanel::newsChanged);
    auto *news = child<QLineEdit>("Text1");
    news->clear();
    typeText(news, QStringLiteral("Journée reportée à samedi"));
    EXPECT_EQ(news->text(), QStringLiteral("Journee reportee a samedi"));
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.last()[0].toString(), QStringLiteral("Journee reportee a samedi"));
    // Typing in the middle keeps the cursor where it was.
    news->setCursorPosition(0);
    typeText(news, QStringLiteral("é"));
    EXPECT_EQ(news->text(), QStringLiteral("eJournee reportee a samedi"));
    EXPECT_EQ(news->cursorPosition(), 1);
}

TEST_F(ExportPanelTest, VersionLockedUntilDoubleClicked)
{
    auto *version = child<QLineEdit>("Text2");
    QTest::keyClicks(version, QStringLiteral("9"));
    EXPECT_EQ(version->text(), QStringLiteral("1.2"));
    EXPECT_TRUE(panel.versionLocked());
    QTest::mouseDClick(version, Qt::LeftButton);
    EXPECT_FALSE(panel.versionLocked());
    version->selectAll();
    QTest::keyClicks(version, QStringLiteral("1.4"));
    EXPECT_EQ(panel.publishedVersion(), QStringLiteral("1.4"));
    // Locked again at the next opening.
    panel.open(QString(), QStringLiteral("1.4"), QStringLiteral("1.3"), teams(), {});
    EXPECT_TRUE(panel.versionLocked());
}
